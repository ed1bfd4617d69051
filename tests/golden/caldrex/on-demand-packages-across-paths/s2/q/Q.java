package q; class Q { }
