a//b
/**/ x
/***/ y
/* /* */ z
/** doc
  * star */ w
/* \u002a/ still comment */ v
// \u000a not a line end
/*/ u */ t
s /* unterminated
r
