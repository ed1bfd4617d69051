interface I { void f; }
