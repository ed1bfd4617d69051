@x
a`b
#!
## x
#
y
 z
