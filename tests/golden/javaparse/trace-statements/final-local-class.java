class A { void f() { final class A { } } }
