### \a {1} \b {a} \c {\d {2}} \e {c.d}
class A { }
