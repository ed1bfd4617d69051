class B { D d; }
