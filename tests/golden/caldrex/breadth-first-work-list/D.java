class D { E e; B b; }
