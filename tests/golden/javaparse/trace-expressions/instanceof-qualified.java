class A { Object v = x instanceof p.q.R; }
