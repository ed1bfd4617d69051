class v { }
