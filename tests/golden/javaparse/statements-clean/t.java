class S {
  void all(int n) throws Exception {
    ;
    { }
    int x; int y = 1, z[] = { 1 }; final int w = 2; java.util.List l; String[] s;
    final class Local { } class Local2 extends Local { }
    x = 1; x += 2; x -= 3; x *= 4; x /= 5; x %= 6; x <<= 1; x >>= 1; x >>>= 1; x &= 1; x |= 1; x ^= 1;
    x++; x--; ++x; --x; f(); this.f(); super.f(); new S(); a.b.c();
    label: for (;;) { break label; }
    outer: while (x < 10) { x++; continue outer; }
    if (x == 1) x = 2;
    if (x == 1) x = 2; else x = 3;
    if (x == 1) if (y == 2) x = 3; else x = 4; else x = 5;
    if (x == 1) L: x = 2; else x = 3;
    if (x == 1) while (y > 0) y--; else x = 3;
    if (x == 1) for (;;) x++; else x = 3;
    while (true) break;
    do x++; while (x < 3);
    do { x--; } while (x > 0);
    for (int i = 0, j = 1; i < n; i++, j--) x += i;
    for (final int i = 0; i < n; i++) ;
    for (i = 0, j = 0; ; ) break;
    for (;;) continue;
    switch (x) { case 1: case 2: f(); default: }
    switch (x) { }
    switch (x) { case A + 1: { break; } case 'c': x = 1; break; default: return; }
    synchronized (this) { x = 0; }
    try { f(); } catch (Exception e) { } catch (final RuntimeException r) { throw r; }
    try { f(); } finally { x = 0; }
    try { } catch (Error e) { } finally { }
    assert x > 0;
    assert x > 0 : "positive";
    throw new Exception();
  }
  int r() { return 1; }
  void q() { return; }
}
