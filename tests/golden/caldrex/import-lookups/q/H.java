package q;
public class H {}
