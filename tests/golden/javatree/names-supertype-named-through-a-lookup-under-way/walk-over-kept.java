class A implements Z { int x = y; }
interface Z extends D.N { }
interface D extends Z { interface N extends K { } }
interface K extends I { }
interface I extends I { }
class P extends Q.M implements D { }
class Q extends P { static class M { int fm; } }
class Main extends P { void run() { fm = 1; } }
