class A { class B { } interface C { } }
