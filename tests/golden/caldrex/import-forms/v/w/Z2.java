package v.w;
public class Z2 { }
