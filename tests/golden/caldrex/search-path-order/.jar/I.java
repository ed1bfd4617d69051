class I {}
