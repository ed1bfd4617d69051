class A { void m() { L: { break L; } continue L; { M: ; } break M; } }
