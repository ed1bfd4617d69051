class A { ) case 1: int y; }
