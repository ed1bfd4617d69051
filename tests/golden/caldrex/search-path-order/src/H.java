class H {}
