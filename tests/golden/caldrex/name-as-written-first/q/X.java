package q;
public class X {}
