@c
