import a.*; import a.b;
