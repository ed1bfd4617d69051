class K {}
