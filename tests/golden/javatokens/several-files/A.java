a1
@x
