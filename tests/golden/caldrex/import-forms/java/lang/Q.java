package java.lang;
class Q { }
