class x { }
