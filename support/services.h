// Small run-time services: string comparison, line reading, number texts and
// number parsing, and printing texts to the standard streams.
//
// Texts these routines make come from the heap and are never freed.
#pragma once

#include <cstdint>
#include <cstdio>

// Byte-wise three-way comparison of two NUL-terminated texts: 0 when equal,
// 2 when a sorts before b, 3 when after; a proper prefix sorts first.
int32_t CompareStrings(const char* a, const char* b);

// The next line of an open file as a new text of at most ReadLineLimit
// characters, its newline kept; a longer line comes back in pieces. Null
// when nothing is left to read.
char* ReadLine(FILE* file);

// Reads one character and pushes it back; true when there is none.
bool AtEndOfFile(FILE* file);

// A new text with the decimal form of value ("-" before a negative value).
char* IntegerText(int32_t value);

// Non-zero: RealText writes exponent notation ("%.<p>e"), else "%.<p>f".
extern int32_t RealNotationSwitch;
// The digits after the point that RealText writes (<p> above).
extern int32_t RealTextPrecision;

// A new text with value formatted as RealNotationSwitch and RealTextPrecision say.
char* RealText(double value);

// The integer at the start of text as "%d" reads it (leading blanks and a
// sign allowed); 0 when none is there. Values beyond the int32 range give
// the nearest int32 value.
int32_t ReadInteger(const char* text);

// The floating-point number at the start of text as "%lf" reads it; 0.0
// when none is there.
double ReadReal(const char* text);

// Write a NUL-terminated text to the standard error stream or to standard
// output; null writes nothing.
void PrintString(const char* text);
void PrintOutString(const char* text);
