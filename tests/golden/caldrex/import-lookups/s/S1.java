package s;
public class S1 {}
