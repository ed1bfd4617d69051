class A { ) default int y; }
