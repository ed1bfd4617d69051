package t.u;
public class V { public static class W {} }
