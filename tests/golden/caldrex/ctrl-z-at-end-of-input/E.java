class E { }
