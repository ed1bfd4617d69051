class C {} }
