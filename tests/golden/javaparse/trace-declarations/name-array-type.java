class A { String[][] s; }
