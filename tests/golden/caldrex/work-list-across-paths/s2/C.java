class C { B b; F f; }
