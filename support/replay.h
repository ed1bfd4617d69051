// Token replay and the syntax-error printers of the front-end framework.
//
// The tree builder reads the recorded tokens back in input order: each replay
// step moves TokenCursor to the next record and sets PositionCounter to that
// record's position, so the builder's position is always that of the token
// under the cursor. Values come back as evaluated lazy cells.
//
// The printers write the lines of synchronisation ("unexpected symbol") and of
// inline token shifts ("<token> expected"), naming tokens through the current
// grammar's name function.
#pragma once

#include <cstdint>

#include "support/lazy.h"
#include "support/scanbuf.h"
#include "support/trace.h"

// Steps over the token under the cursor. Inline, as ReplayTokenWord: the
// builders replay every token through them.
inline void ReplaySkipToken() {
  Trace.TokenCursor = Trace.TokenCursor->next;
  PositionCounter = Trace.TokenCursor->position;
}
// The token's value word (the Identifier of an identifier, the text reference
// of a literal) in an evaluated cell; then steps on. The whole reference is
// kept: a word cell is as wide as a pointer here.
void ReplayWordToken(LazyCell** out);
// The same value word itself, without a cell; then steps on.
inline Word ReplayTokenWord() {
  Word value = reinterpret_cast<Word>(Trace.TokenCursor->value.Reference);
  ReplaySkipToken();
  return value;
}
// The first byte of the token's value; then steps on.
void ReplayCharToken(LazyByteCell** out);
// The 8 bytes of the token's value as a double; then steps on.
void ReplayRealToken(LazyRealCell** out);

// The name of a token code of the grammar being parsed.
using TokenNameFunction = const char* (*)(TokenCode code);
void SetTokenNames(TokenNameFunction names);

// Message texts of the printers.
inline constexpr char UnexpectedSymbolText[] = "unexpected symbol";
inline constexpr char IllegalSymbolText[] = " illegal symbol deleted ";
inline constexpr char ExpectedText[] = " expected";
inline constexpr char EncounteredPrefixText[] = ", ";
inline constexpr char EncounteredSuffixText[] = " encountered";

// Writes a NUL-terminated name on the standard error stream.
void PrintSymbolName(const char* name);
// ", ", the name of CurrentToken, " encountered".
void PrintEncountered();
// A positioned error at the current token: name, " expected", PrintEncountered;
// then SyntaxErrorFlag := 1 when flag != 0 and RecoveryMode is clear.
void ReportExpected(const char* name, int32_t flag);
// "unexpected symbol" and PrintEncountered at the current token; for the
// nonsense token of an illegal character (DeletionMarker -1) " illegal symbol
// deleted " instead, once; a nonsense token already reported prints nothing.
void ReportUnexpected();
