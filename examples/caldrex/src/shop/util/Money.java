package shop.util;

/** An amount of money in cents. */
public class Money {
    private final int cents;

    public Money(int cents) {
        this.cents = cents;
    }
}
