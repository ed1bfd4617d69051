// The configuration token-name table and the fixed texts of the tokens, both
// built from the one token list config_tokens.def.
#include "zebcheck/config_tokens.h"

#include <cstdio>
#include <cstring>

#include "support/startup.h"

char ConfigTokenNames[ConfigTokenCount][ConfigTokenNameSlotSize];

namespace {

const char* const TokenNames[] = {
#define CONFIG_TOKEN(code, name, text) #name,
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
};

const std::string_view TokenTexts[] = {
#define CONFIG_TOKEN(code, name, text) text,
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
};

// The list must hold every code exactly once, in code order.
constexpr bool CodesInOrder() {
  int expected = 0;
  bool ordered = true;
#define CONFIG_TOKEN(code, name, text) ordered = ordered && (code == expected++);
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
  return ordered && expected == ConfigTokenCount;
}
static_assert(CodesInOrder(), "config_tokens.def must list codes 0 to 40 in order");
static_assert(sizeof(TokenNames) / sizeof(TokenNames[0]) == ConfigTokenCount);
static_assert(sizeof(TokenTexts) / sizeof(TokenTexts[0]) == ConfigTokenCount);

// Every name must fit its slot with the terminator.
constexpr bool NamesFitSlots() {
  bool fit = true;
#define CONFIG_TOKEN(code, name, text) fit = fit && sizeof(#name) <= ConfigTokenNameSlotSize;
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
  return fit;
}
static_assert(NamesFitSlots(), "a token name is longer than its slot");

}  // namespace

void InitConfigTokenNames() {
  for (int code = 0; code < ConfigTokenCount; ++code) {
    std::strncpy(ConfigTokenNames[code], TokenNames[code], ConfigTokenNameSlotSize);
  }
}

const char* ConfigTokenName(TokenCode code) {
  return code >= 0 && code < ConfigTokenCount ? ConfigTokenNames[code] : "";
}

void PrintConfigTokenSet(uint32_t word0, uint32_t word1) {
  const uint32_t words[2] = {word0, word1};
  for (int w = 0; w < 2; ++w) {
    for (int bit = 0; bit < 32; ++bit) {
      // Bits beyond the last code are never set in a token set; the bound
      // keeps a corrupt set from reading past the table.
      if ((words[w] >> bit & 1u) && 32 * w + bit < ConfigTokenCount) {
        std::fprintf(StdoutStream, "%s ", ConfigTokenNames[32 * w + bit]);
      }
    }
  }
  std::fputc('\n', StdoutStream);
}

std::string_view ConfigTokenFixedText(TokenCode code) {
  return code >= 0 && code < ConfigTokenCount ? TokenTexts[code] : std::string_view();
}
