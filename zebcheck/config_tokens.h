// The token codes of the configuration language and their names for messages.
//
// The 41 tokens come from one list, config_tokens.def: it builds the code
// enumeration here, the name table ConfigTokenNames that the syntax-error
// printers read, the fixed texts that the scanner and the tests use, and the
// grammar generator's terminal table. The codes are part of the parser's tables
// and of the parse trace, so they never change.
#pragma once

#include <cstdint>
#include <string_view>

#include "support/scanbuf.h"

enum ConfigTokenCode : TokenCode {
#define CONFIG_TOKEN(code, name, text) Config_##name = code,
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
};

// Number of configuration token codes (0 to 40).
inline constexpr int ConfigTokenCount = 41;
// Bytes of one name slot: the longest name has 36 characters, plus its NUL.
inline constexpr int ConfigTokenNameSlotSize = 37;

// A set of configuration token codes: code c is bit (c mod 32) of word
// (c div 32), bit 0 the least significant; codes 41 to 63 are never set.
struct ConfigTokenSet {
  uint32_t Word[2];
};

inline constexpr ConfigTokenSet operator|(ConfigTokenSet a, ConfigTokenSet b) {
  return {{a.Word[0] | b.Word[0], a.Word[1] | b.Word[1]}};
}

// The set that holds code alone.
inline constexpr ConfigTokenSet ConfigTokenSetOf(TokenCode code) {
  ConfigTokenSet set{{0, 0}};
  set.Word[code / 32] = uint32_t{1} << (code % 32);
  return set;
}

inline constexpr bool ConfigSetHas(ConfigTokenSet set, TokenCode code) {
  return ((set.Word[code / 32] >> (code % 32)) & 1u) != 0;
}

// The name of every token code, one NUL-terminated name per slot, in code
// order; written only by InitConfigTokenNames.
extern char ConfigTokenNames[ConfigTokenCount][ConfigTokenNameSlotSize];

// Writes the 41 names into ConfigTokenNames; harmless to repeat.
void InitConfigTokenNames();

// The name of a code, from ConfigTokenNames (the syntax-error printers' name
// function while the configuration is parsed).
const char* ConfigTokenName(TokenCode code);

// Debugging aid: writes, for every set bit of the first word and then of the
// second, the code's name followed by one blank, then a newline, on standard
// output.
void PrintConfigTokenSet(uint32_t word0, uint32_t word1);

// The fixed text of a token ("" for nonsense, endoffile, the literal classes
// and Identifiersym).
std::string_view ConfigTokenFixedText(TokenCode code);
