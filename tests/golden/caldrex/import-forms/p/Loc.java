package p;
class Loc { }
