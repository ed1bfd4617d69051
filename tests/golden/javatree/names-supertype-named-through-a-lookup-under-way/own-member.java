class A extends A.M { static class M { int x; } int y = x; }
class Main extends A { void run() { x = y; M m; } }
