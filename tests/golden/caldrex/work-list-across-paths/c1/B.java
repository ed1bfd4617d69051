class B { }
