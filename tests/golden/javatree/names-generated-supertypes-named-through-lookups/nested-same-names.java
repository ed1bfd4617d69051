class T4 { class M0 { int f0; class M0 extends M0 { class M0 implements M0.M0 { m1() { this.f0 = super.f2; } } } } }
