package java.lang;
public class Object { int hashish; B b; }
