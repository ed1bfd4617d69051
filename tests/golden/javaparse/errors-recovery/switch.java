class A { ) switch (a) { } int y; }
