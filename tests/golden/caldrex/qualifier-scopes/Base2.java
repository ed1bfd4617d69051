class Base2 { int inh; }
