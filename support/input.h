// Source input and line table.
//
// The input list (named files, standard input, texts held in memory under a
// name) is read as one character stream through the 131072-byte ScanBuffer.
// The scanner reads the buffer through the shared indices below and calls
// RefillBuffer when it reaches the buffer's last index, and NewLine at every
// line end it reads. A SourcePosition is a plain character count; the line
// table and the input-start table turn it into an input name, a line and a
// column only when a message is printed (PositionToLine).
//
// End of the data: the byte 0xFF is stored directly behind the last
// character of the last input, at index BufferEnd. A 0xFF byte anywhere else
// is an ordinary data byte, so the scanner takes a 0xFF as the end of the
// input only when AtEndMarker (its index) holds. While the buffer is full and
// more input may follow, BufferEnd is ScanBufferSize (no index reaches it).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "support/identifiers.h"
#include "support/limits.h"

// 1-based number of a character counted from the start of reading; 0 stands
// for no character read yet. 64 bits, so that no input this machine can hold
// overflows the count (32 bits end at 2 GiB).
using SourcePosition = int64_t;

// Line numbers and columns are counted in the same width as positions: a
// line can be as long as the input, and an input can have as many lines.
using LineNumber = int64_t;

// The byte stored behind the last character of the input.
inline constexpr unsigned char EndMarkerByte = 0xFF;

// One input of the input list.
struct InputEntry {
  Identifier* name;      // null for standard input
  SourcePosition start;  // position of the last character before this input; -1 until filled
  const char* text;      // the characters of a memory input; null for a file
  int32_t length;        // characters of a memory input
  InputEntry* next;
};

// One record of the input-start table.
struct InputStart {
  LineNumber lineCount;  // LastLine when the record was made
  LineNumber lineBase;   // 0 for an input's start; a line directive's number - 1
  Identifier* name;
};

// The character buffer and the indices shared with the scanner.
extern unsigned char ScanBuffer[ScanBufferSize];
extern int32_t BufferIndex;  // index of the last character read; -1 = none
extern int32_t TokenStart;   // index before the current token's first character
extern int32_t BackupIndex;  // index of the last character of the longest accepted token
extern int32_t BufferEnd;    // index of the end marker, or ScanBufferSize while none is in the buffer
extern SourcePosition PositionCounter;  // position of the last character read

// Layout that may outgrow the buffer. A scanner state sets LayoutMayOutgrow
// while it reads a token that no parser sees (a blank run, a comment); a refill
// that finds the buffer full of that token then drops the text read so far
// instead of failing with "token too long", and sets LayoutTextDropped. A state
// that would have to back up into dropped text must not: the scanner clears
// both flags and decides what such a token becomes.
extern int32_t LayoutMayOutgrow;
extern int32_t LayoutTextDropped;

// The input list and the input being put into the buffer.
extern InputEntry* CurrentInput;
extern InputEntry* InputListHead;
extern InputEntry* InputListTail;
extern InputEntry* LineCursor;  // last entry whose start the line table has passed
extern FILE* InputFile;         // open stream of the current file input, or null
extern const char* InputText;   // read pointer of the current memory input, or null
extern int32_t InputTextRest;   // bytes of it still to read

// The line table (entry 0 is 0, entry i the position of the i-th line end)
// and the input-start table; both double when full.
extern SourcePosition* LineTable;
extern LineNumber LastLine;
extern LineNumber LineTableCapacity;
extern InputStart* InputStartTable;
extern int64_t LastInputStart;  // as wide as lines: directives can add a record per line
extern int64_t InputStartCapacity;

// True when index holds the end marker rather than a data byte.
inline bool AtEndMarker(int32_t index) { return index == BufferEnd; }

// Append a file input (null name: standard input); it is opened only when
// reading reaches it.
void AddInputFile(Identifier* name);

// Append an input of length bytes held in memory, reported under name. The
// text is not copied and must stay unchanged until it has been read.
void AddInputText(const char* text, int32_t length, Identifier* name);

// The common step of the two above.
void AddInput(Identifier* name, const char* text, int32_t length);

// Starts reading the list: opens the first input, fills the buffer, makes
// the first input-start record. Positions restart at 0.
void StartInputs();

// Makes the file the caller has opened into InputFile the whole input, named
// name; positions, the line table and the input-start table restart at 0.
void OpenInput(Identifier* name);

// Closes the current input's stream, if any.
void CloseInput();

// Empties the input list and restarts positions and tables.
void ClearInputs();

// Called by the scanner when BufferIndex is ScanBufferSize - 1, before it
// reads on: moves the current token to the front of the buffer, lowers
// BufferIndex and BackupIndex by the same amount, sets TokenStart to -1 and
// fills the rest. A token that began at index 0 is "token too long", unless
// it is layout that may outgrow the buffer (see LayoutMayOutgrow).
void RefillBuffer();

// True when position p is the last character of an input that another input
// of the list follows (the next input's start is p). The start of an input is
// known once the buffer has been filled past it, so a scanner asks after
// reading the character behind p.
bool InputBoundaryAt(SourcePosition p);

// Called by the scanner right after it reads a line end, with
// PositionCounter at the line end's position.
void NewLine();

// Input name, line (1-based within its input) and column (1-based) of a
// position. Position 0 is line 0, column 0. Safe before any input is read
// (no name then).
struct SourceLine {
  LineNumber line;
  LineNumber column;
  Identifier* name;
};
SourceLine PositionToLine(SourcePosition position);

// The input name part of PositionToLine (null for standard input).
Identifier* InputNameAt(SourcePosition position);

// PositionToLine's three results kept in a heap record.
using SourceCoordinate = SourceLine;
SourceCoordinate* NewSourceCoordinate(LineNumber line, LineNumber column, Identifier* name);
SourceCoordinate* PositionToCoordinate(SourcePosition position);

// A line directive. text is the rest of a directive line after its keyword:
// blanks, a decimal line number n, and optionally blanks and a file name in
// double quotes (anything after that is ignored). The lines after the
// directive line are then reported as lines n, n + 1, ... of that name, or
// of the name the directive line itself is reported under when none is
// given; the scanner calls it right after NewLine recorded the directive
// line's end. A directive that ends its input has no line to apply to and
// leaves the next input's lines alone. Returns false, recording nothing,
// when the text holds no line number or a name without its closing quote.
bool ReadLineDirective(std::string_view text);

// The file at path opened for writing (truncated), or null: the twin of the
// way inputs are opened for reading.
FILE* OpenForWriting(const char* path);

// Allocates the line table and the input-start table at their start sizes;
// the error reporter's init calls it.
void AllocateInputTables();

// Once-only init of the input module.
void SourceInputModuleInit();
