package q;
public class Outer { public static class In { } public static class In2 { } }
