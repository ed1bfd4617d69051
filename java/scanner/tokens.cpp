// The Java token-name table and the fixed texts of the tokens, both built
// from the one token list tokens.def.
#include "java/scanner/tokens.h"

#include <cstdio>
#include <cstring>

#include "support/identifiers.h"

char TokenNameTable[JavaTokenCount][TokenNameSlotSize];

namespace {

const char* const TokenNames[] = {
#define JAVA_TOKEN(code, name, text) #name,
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
};

const std::string_view TokenTexts[] = {
#define JAVA_TOKEN(code, name, text) text,
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
};

// The list must hold every code exactly once, in code order.
constexpr bool CodesInOrder() {
  int expected = 0;
  bool ordered = true;
#define JAVA_TOKEN(code, name, text) ordered = ordered && (code == expected++);
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
  return ordered && expected == JavaTokenCount;
}
static_assert(CodesInOrder(), "tokens.def must list codes 0 to 105 in order");
static_assert(sizeof(TokenNames) / sizeof(TokenNames[0]) == JavaTokenCount);

// Every name must fit its slot with the terminator.
constexpr bool NamesFitSlots() {
  bool fit = true;
#define JAVA_TOKEN(code, name, text) fit = fit && sizeof(#name) <= TokenNameSlotSize;
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
  return fit;
}
static_assert(NamesFitSlots(), "a token name is longer than its slot");

}  // namespace

void InitTokenNames() {
  for (int code = 0; code < JavaTokenCount; ++code) {
    std::strncpy(TokenNameTable[code], TokenNames[code], TokenNameSlotSize);
  }
}

void PrintTokenSet(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3) {
  const uint32_t words[4] = {word0, word1, word2, word3};
  for (int w = 0; w < 4; ++w) {
    for (int bit = 0; bit < 32; ++bit) {
      // Bits beyond the last code are never set in a token set; the bound
      // keeps a corrupt set from reading past the table.
      if ((words[w] >> bit & 1u) && 32 * w + bit < JavaTokenCount) {
        std::printf("%s ", TokenNameTable[32 * w + bit]);
      }
    }
  }
  std::printf("\n");
}

std::string_view TokenFixedText(TokenCode code) {
  if (code < 0 || code >= JavaTokenCount) return {};
  return TokenTexts[code];
}

std::string_view TokenTextBytes(TokenCode code, const char* text) {
  if (text == nullptr) return {};
  const char quote = text[0];
  if ((code != CharacterLiteralsym && code != StringLiteralsym) || (quote != '"' && quote != '\'')) {
    return text;
  }
  return std::string_view(text, QuotedTextLength(text));
}

const char* CurrentTokenText() {
  if (CurrentToken == Identifiersym) return static_cast<const Identifier*>(TokenAttribute.Reference)->text;
  if (CurrentToken >= IntegerLiteralsym && CurrentToken <= NullLiteralsym) {
    return static_cast<const char*>(TokenAttribute.Reference);
  }
  return nullptr;
}
