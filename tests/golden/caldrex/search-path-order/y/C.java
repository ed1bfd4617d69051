class C {}
