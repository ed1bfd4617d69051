package q.r; class C { }
