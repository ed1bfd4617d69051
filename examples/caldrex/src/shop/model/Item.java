package shop.model;

/** An item with its price in cents. */
public class Item {
    private String name;
    private int cents;

    public Item(String name, int cents) {
        this.name = name;
        this.cents = cents;
    }

    public int price() {
        return cents;
    }
}
