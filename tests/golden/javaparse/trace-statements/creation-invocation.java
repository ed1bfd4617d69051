class A { void f() { new T().run(); } }
