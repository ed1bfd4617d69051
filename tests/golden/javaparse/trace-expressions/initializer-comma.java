class A { Object v = {,}; }
