assert asserts
