class D {} }
