// The scanner of the launcher's settings language: key = value lines with
// ';' comments. Its start state ScanIniToken runs inside the support
// library's next-token loop and accepts by its protocol.
#pragma once

#include <cstdint>

#include "support/scanbuf.h"

enum IniToken : TokenCode {
#define INI_TOKEN(code, name, text) Ini_##name = code,
#include "launcher/settings_tokens.def"
#undef INI_TOKEN
};

// Number of settings tokens, and the bytes of one slot of the name table
// (the longest name, "StringLitsym", fits with room to spare).
inline constexpr int32_t IniTokenCount = 6;
inline constexpr int32_t IniTokenNameSlot = 19;

// The token names for syntax-error messages, one NUL-terminated name per
// slot, slot index = token code; filled by InitIniTokenNames.
extern char IniTokenNames[IniTokenCount][IniTokenNameSlot];

// Fills IniTokenNames from the token list.
void InitIniTokenNames();

// The start state of the settings scanner (see NextToken).
void ScanIniToken();
