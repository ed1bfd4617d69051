class E { A a; }
