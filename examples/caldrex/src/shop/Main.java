package shop;

import java.util.List;
import java.util.ArrayList;
import shop.model.Order;
import shop.util.*;
import shop.report.Printer;

/** Builds an order from the catalog and totals it. */
public class Main {
    public static void main(String[] args) {
        Catalog catalog = new Catalog();
        List orders = new ArrayList();
        Order order = new Order(catalog.find("tea"));
        orders.add(order);
        Money total = order.total();
        Ledger.record(total);
        Printer.print(orders);
    }
}
