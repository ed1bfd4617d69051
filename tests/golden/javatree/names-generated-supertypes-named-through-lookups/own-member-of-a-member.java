class T0 { interface M1 extends M1.M1 { class M0 { class M1 implements T0.M1.M0 { } } } interface M1 extends T0 { } class M0 { } }
