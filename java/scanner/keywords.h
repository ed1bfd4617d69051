// Recognition of the Java reserved words.
//
// A word of the source is one maximal run of name characters and "\u"
// escapes; it is a reserved word only when it holds no escape and its text is
// one of the 50 words of the table. That is exactly the set of tokens that a
// character trie of the words, ended by states that continue into a name on
// any further name character or escape, accepts.
#pragma once

#include <cstdint>

#include "support/scanbuf.h"

// The token of the word of `length` bytes at `text` (no escapes in it): its
// keyword code, NullLiteralsym for "null", assertsym for "assert" (which the
// source level may turn into a name), or Identifiersym for any other word.
TokenCode KeywordCode(const unsigned char* text, int32_t length);
