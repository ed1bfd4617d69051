class A { Object v = a ? b : c ? d : e; }
