package a.b;
