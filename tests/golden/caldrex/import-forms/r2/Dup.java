package r2;
public class Dup { public static class Deep { } }
