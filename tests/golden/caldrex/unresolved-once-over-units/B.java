class B { Y y; X x; Z z; }
