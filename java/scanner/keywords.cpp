// The table of Java reserved words, built at compile time from the token list
// (every fixed text that is a word) and the word "null", with open addressing
// on a hash of the first, second and last character and the length. A word
// costs one hash and, where a reserved word of its length sits in the probed
// slot, one comparison of its bytes.
#include "java/scanner/keywords.h"

#include <array>
#include <string_view>

#include "java/scanner/tokens.h"

namespace {

struct Keyword {
  std::string_view Text;  // empty in a free slot
  TokenCode Code;
};

// The longest and shortest reserved words ("synchronized", "do").
constexpr int32_t LongestKeyword = 12;
constexpr int32_t ShortestKeyword = 2;

// Slots of the open-addressing table: a power of two, more than twice the
// number of words, so that probe chains stay short.
constexpr unsigned KeywordSlots = 128;

constexpr unsigned KeywordHash(const unsigned char* text, unsigned length) {
  return (text[0] * 31u + text[1] * 7u + text[length - 1] + length) & (KeywordSlots - 1);
}

constexpr bool IsWord(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

constexpr int KeywordCount = [] {
  int n = 1;  // "null"
#define JAVA_TOKEN(code, name, text) n += IsWord(text) ? 1 : 0;
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
  return n;
}();
static_assert(KeywordCount == 50, "the Java grammar reserves 50 words");

constexpr std::array<Keyword, KeywordSlots> KeywordTable = [] {
  std::array<Keyword, KeywordSlots> table{};
  auto add = [&table](std::string_view text, TokenCode code) {
    unsigned char bytes[16] = {};
    for (unsigned i = 0; i < text.size(); ++i) bytes[i] = static_cast<unsigned char>(text[i]);
    unsigned slot = KeywordHash(bytes, static_cast<unsigned>(text.size()));
    while (!table[slot].Text.empty()) slot = (slot + 1) & (KeywordSlots - 1);
    table[slot] = Keyword{text, code};
  };
#define JAVA_TOKEN(code, name, text) \
  if (IsWord(text)) add(text, code);
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
  add("null", NullLiteralsym);
  return table;
}();

}  // namespace

TokenCode KeywordCode(const unsigned char* text, int32_t length) {
  if (length < ShortestKeyword || length > LongestKeyword) return Identifiersym;
  for (unsigned slot = KeywordHash(text, static_cast<unsigned>(length));;
       slot = (slot + 1) & (KeywordSlots - 1)) {
    const Keyword& k = KeywordTable[slot];
    if (k.Text.empty()) return Identifiersym;
    if (k.Text.size() != static_cast<size_t>(length)) continue;
    int32_t i = 0;
    while (i < length && static_cast<unsigned char>(k.Text[i]) == text[i]) ++i;
    if (i == length) return k.Code;
  }
}
