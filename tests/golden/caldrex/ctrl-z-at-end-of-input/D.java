class D { }
