package p; class B { H h; C c; Z z; K k; }
