### \a{ class A { }
