package f; class D { }
