package p; class H { }
