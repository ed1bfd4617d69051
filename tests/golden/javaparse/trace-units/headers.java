class A extends B implements C, D { } interface E extends F, G { }
