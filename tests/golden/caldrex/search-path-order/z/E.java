class E {}
