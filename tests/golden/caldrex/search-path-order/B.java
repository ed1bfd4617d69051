class B { F f; G g; H h; I i; }
