class A { Object v = new T() { void m() {} }; }
