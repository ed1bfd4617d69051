class Outer { static class Inner {} }
