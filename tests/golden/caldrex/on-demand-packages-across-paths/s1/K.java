package p; class K { }
