class T57 { class M3 extends T57.M3.M4 implements T39 { } } class T58 extends T57 { class M4 extends M3 { m1() { } } } class T39 { class M4 implements T7.M2.M6.M1 { void m1() { } } }
