class B { E e; }
