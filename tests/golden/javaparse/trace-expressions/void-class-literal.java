class A { Object v = void.class; }
