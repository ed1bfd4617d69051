class F { }
