// OutputColumns: column-aware printing on top of the output buffer.
//
// The column of the next byte is derived from the buffer's free count and a
// line-start mark that WriteNewlineIndented takes just before its newline.
// Bytes written since then count as columns; the count stays right across a
// buffer that fills and is written out (the count is taken modulo the
// buffer's size), but a newline written by other means, or an output opened
// or closed in between, is not seen.
#pragma once

#include <cstdint>

#include "support/lazy.h"

// Once-only initialisation: the mark at its start value (the column of a
// fresh output is 0) and the indentation at 0.
void InitOutputColumns();

// (mark - free count + 32767) mod 32768: the number of bytes written since
// the last WriteNewlineIndented, or since the output was opened.
int32_t CurrentColumn();

// n blanks; nothing when n <= 0.
void WriteSpaces(int32_t n);

// Blanks up to the next column that is a multiple of 8: from 0 to 7 of them,
// none when the column already is one.
void WriteTab();

// "\n", then the current indentation in blanks.
void WriteNewlineIndented();

// The indentation WriteNewlineIndented writes (0 at start).
int32_t CurrentIndentation();

// Runs the printing action with the indentation set to the current column,
// then restores the indentation it had before.
void PrintAtCurrentColumn(Closure<void> action);
