package p; import p.C; import p.*; import C; class C { }
