class C { E e; }
