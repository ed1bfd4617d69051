package shop.model;

import shop.util.Money;

/** One order of one item. */
public class Order {
    private Item item;

    public Order(Item item) {
        this.item = item;
    }

    public Money total() {
        return new Money(item.price());
    }
}
