class A { void m() { e = null; try { } catch (A e) { e = null; } } }
