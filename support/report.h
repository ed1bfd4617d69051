// The error reporter: positioned diagnostics, fatal errors, the run's
// counters and its success flag.
//
// A positioned message is, byte for byte:
//   ["<input name>", ]line <L>  <C>  [Warning: ]<text>
// (the quoted name only when the input has one). BeginMessage writes the
// header, the caller writes the text (PrintString, PrintIdentifier, ...)
// and EndMessage ends the line and flushes. Diagnostics go straight to the
// standard error stream, never through the output buffer. Every message text
// of the support library is named here.
#pragma once

#include <cstdint>

#include "support/input.h"
#include "support/scanbuf.h"

inline constexpr char CannotOpenFileText[] = "Cannot open file ";
inline constexpr char TokenTooLongText[] = "token too long";
inline constexpr char HeapExceededText[] = "Heapspace exceeded.....";
inline constexpr char HeapBytesUsedText[] = " bytes heapspace used";
inline constexpr char LinePrefixText[] = "line ";
inline constexpr char WarningPrefixText[] = "Warning: ";
inline constexpr char FatalErrorPrefixText[] = "?? fatalerror : ";
inline constexpr char EncounteredText[] = " encountered)";
inline constexpr char InternalErrorText[] = "Internal error: ";
inline constexpr char TypeErrorText[] = "   Type error occurred";

extern int32_t ErrorCount;          // errors reported: messages, token errors, fatal errors
extern int32_t WarningCount;        // warnings reported
extern int32_t SuccessFlag;         // 1 until the first error; decides the exit status
extern int32_t SyntaxErrorFlag;     // set by syntax errors and FatalError; no tree is built then
extern int32_t RecoveryMode;        // set while a parser skips input after a syntax error
extern int32_t FatalHeaderPrinted;
// The scanner's TokenAttribute, reached through the reporter: a driver that
// decides how a word is scanned writes the current token's value through it.
extern TokenValue* TokenAttributeRef;  // FatalError wrote the input-name line of the current input

// Once-only: empties the input list, zeroes the counters, sets SuccessFlag,
// allocates the line and input-start tables.
void InitErrorReport();

// Counts a message (an error clears SuccessFlag; warning != 0 marks a
// warning, which does not) and writes its positioned header.
void BeginMessage(SourcePosition position, int32_t warning);

// Ends the message line and flushes the standard error stream.
void EndMessage();

// An error in one call: header and text, then, when tokenText is not empty,
// " (", tokenText up to its first blank, and " encountered)"; newline, flush.
void ReportTokenError(SourcePosition position, const char* text, const char* tokenText);

// Reports an unrecoverable error at the last character read, closes the
// input and ends the run with status 1:
//   <input name>:            (once per input; an empty line for standard input)
//   <L>  <C>  ?? fatalerror : <text>
[[noreturn]] void FatalError(const char* text);

// An internal consistency failure of a module:
//   Internal error: "<module source name>", line <N>   Type error occurred
// then exit status 1. Not counted, not positioned.
[[noreturn]] void InternalError(const char* moduleName, int32_t line);

// "Cannot open file " and the path on the standard error stream, then exit
// status 1. No position: the message is about the file, not its text.
[[noreturn]] void CannotOpenFile(const char* path);
