package shop;

import shop.model.Item;

/** The items on sale. */
public class Catalog {
    public Item find(String name) {
        return new Item(name, 3);
    }
}
