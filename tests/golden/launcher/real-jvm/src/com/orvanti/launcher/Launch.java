package com.orvanti.launcher;

// Prints what the launcher handed to the Java program.
public class Launch {
    public static void main(String[] args) {
        System.out.println("Launch: class path " + System.getProperty("java.class.path"));
        System.out.println("Launch: " + args.length + " arguments");
        for (String a : args) {
            System.out.println("Launch: [" + a + "]");
        }
    }
}
