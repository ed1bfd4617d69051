class F {}
