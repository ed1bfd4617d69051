class A { int f()[] throws E { } }
