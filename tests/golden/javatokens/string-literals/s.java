"abc"
"a\"b" "\u0041\uu00e9" ""
"\0\12\377\400\7\b\t\n\f\r\'"
"tab	in // not a comment /* */"
"a\qb"
"unterminated
x
"\u00g"
"open