class A { X x; B b; Y y; }
