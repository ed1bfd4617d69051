// OutputFile: the stack of output files and the one output buffer.
//
// A program has one current output at a time: a named file, standard output
// (the empty name) or the standard error stream (a null name). Opening an
// output suspends the current one on a stack; closing it resumes the one
// below. All text goes through one buffer that reaches the current output
// when it is full, when WriteChar writes a newline, and when the output is
// closed or suspended. Pending bytes are also written out when the program
// exits, by any path.
//
// Every failure is fatal with status 1: a file that cannot be opened
// ("Cannot open file " + name) or re-opened ("Cannot re-open file " + name),
// a write, flush or close that fails ("Cannot write to file"), and a write
// while no output is open ("Output file is not open").
#pragma once

#include <cstdint>

#include "support/identifiers.h"

// Once-only initialisation: the newline byte and the exit-time flush.
void InitOutput();

// Makes the named output current and suspends the current one. A name that
// is on the stack of suspended outputs is opened for appending; any other
// file name is created or truncated.
void OpenOutput(const char* name);

// Ends the current output and resumes the one below it, re-opening a file
// for appending. A standard stream is flushed and never closed; with nothing
// below it, it stays current.
void CloseOutput();

// Writes the pending bytes of the buffer to the current output.
void FlushOutput();

// Appends the bytes of a NUL-terminated string; null writes nothing.
void WriteString(const char* text);

// Appends length bytes, NUL bytes included.
void WriteBytes(const char* bytes, int32_t length);

// Appends one byte; a newline also writes the buffer out and flushes the
// stream.
void WriteChar(char c);

// Puts the decimal digits of value (at most 20) at `at`, most significant
// first, without a terminating NUL; returns the end of the digits. For
// writers that format a line themselves before writing it.
char* FormatDigits(char* at, uint64_t value);

// The bytes the buffer can still take before it is written out. The column
// module derives the current column from it.
int32_t OutputFreeCount();

// --- Writers of values ----------------------------------------------------

// The digits WriteReal prints after the "." (program-wide; 6 at start).
extern int32_t OutputRealDigits;
// Non-zero: WriteReal prints exponent form (program-wide; 0 at start).
extern int32_t OutputRealExponentForm;

// The identifier's text; null writes nothing.
void WriteIdentifier(const Identifier* identifier);
// A signed decimal integer, "-" before a negative value.
void WriteInteger(int64_t value);
// An unsigned decimal integer.
void WriteUnsigned(uint64_t value);
// "TRUE" for a non-zero value, else "FALSE".
void WriteBoolean(int32_t value);
// A floating-point value with OutputRealDigits digits after the ".". Fixed
// form: the magnitude is rounded by adding 0.5 in the last printed place and
// cutting the digits after it, so halves round away from zero ("-" before a
// negative value). Exponent form (OutputRealExponentForm): a mantissa from 1
// to below 10 in fixed form, "e", "+" or "-", and at least two exponent
// digits; 0 has the exponent 0. A mantissa that rounds up to 10 becomes 1
// with the next exponent. Infinities and NaN print "inf", "-inf" and "nan".
void WriteReal(double value);
// An unsigned value as "0x" and lower-case hexadecimal digits, without
// leading zeros ("0x0" for 0).
void WriteHex(uint64_t value);
// A newline through WriteChar, so the output is written out and flushed.
void WriteNewline();
// The string, then a newline through WriteChar.
void WriteLine(const char* text);
