// The start of a Java compilation unit's front-end run: the input it reads and
// the per-unit state that a second parse in the same process must find clear.
//
// Every program and test that parses Java units one after the other starts
// each unit here, so what a fresh unit needs is set in one place:
//   1. the input list: either a text (or the command-line files) followed by
//      the in-memory input "EndOfFile" holding one newline, read as one
//      stream, as caldrex reads its command line; or one file made the whole
//      input, as caldrex reads each file of its work list;
//   2. SyntaxErrorFlag and RecoveryMode, which the parse of an earlier unit
//      may have left set, are cleared, so the new unit's tree is built when
//      its own parse is clean.
// The scanner, the parse trace and the unit's global cells are reset by the
// parse step itself (InitAndParse). The error counters and SuccessFlag are
// the run's and stay as they are: one error anywhere fails the run.
#pragma once

#include <cstdint>

#include "support/identifiers.h"

// The in-memory input behind every command-line file: one newline.
inline constexpr char EndOfFileInputName[] = "EndOfFile";
inline constexpr char EndOfFileInputText[] = "\n";

// Appends a command-line file and the "EndOfFile" input to the input list.
void AddUnitInputFile(Identifier* name);

// Makes text (length bytes under name, read in place: the caller keeps it
// unchanged until the parse is done) and the "EndOfFile" input the whole
// input list, starts reading it and clears the unit's flags.
void StartUnitText(const char* text, int32_t length, Identifier* name);

// Opens the file at path and makes it the whole current input (positions,
// lines and the input name start afresh), then clears the unit's flags. A
// file that cannot be opened is fatal: "Cannot open file " and status 1.
void StartUnitFile(Identifier* path);
