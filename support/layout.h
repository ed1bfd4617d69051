// Layout: pretty-printing documents.
//
// A document (LayoutNode) is an immutable heap record: empty, one line, or a
// block of several lines. Documents are composed side by side (the right
// document's later lines are indented by the width of the left document's
// last line, tabs kept as tabs) or one above the other, and printed line by
// line into the current output. Text nodes are shared: the same string
// object with the same length always gives the same node.
#pragma once

#include <cstdint>

#include "support/conslist.h"
#include "support/identifiers.h"

enum LayoutKind : int32_t {
  LayoutEmptyKind = 0,      // no line at all; only EmptyLayout()
  LayoutTextKind = 1,       // one line of text
  LayoutPairKind = 2,       // two one-line documents on one line
  LayoutRowKind = 3,        // three or more one-line documents on one line
  LayoutBlockKind = 4,      // several lines
  LayoutTextBlockKind = 5,  // the lines of a text with line feeds
};

// Which composition a block prints: its printer.
enum LayoutPrinter : int32_t {
  LayoutBesidePrinter,     // right continues on left's last line
  LayoutAbovePrinter,      // right below left, both with the given prefix
  LayoutVerticalPrinter,   // the non-empty documents of a list, one per line group
  LayoutTextAbovePrinter,  // a text's later lines, printed without the prefix
};

// The fields stand in the order in which the kinds need them, and each node
// takes only the bytes up to the last field of its kind: a text ends after
// string, a pair after right, a row after list; blocks and the empty
// document have every field. A field beyond its node's kind is never read.
struct LayoutNode {
  LayoutNode* link;  // hash-chain link of a text node
  int32_t kind;      // LayoutKind
  // Text: its length; row and pair: the sum of the elements' widths; block:
  // the widest line.
  int32_t width;
  const char* string;     // text: its width bytes, no line feed
  LayoutNode* left;       // pair, beside, above, text-above: the first part
  LayoutNode* right;      // the second part
  ConsList list;          // row and vertical block: the LayoutNode elements
  LayoutNode* lastLine;   // block: a one-line document of its last line
  int32_t extraLines;     // block: lines - 1
  int32_t leftLastWidth;  // beside block: width of the left side's last line
  LayoutPrinter printer;  // block
  // Block: non-zero when its last line is printed with the prefix of its
  // later lines (its indentation), as every last line is but one that
  // comes from a text block's later lines.
  int32_t lastLineIndented;
};

// Once-only initialisation: makes the empty document.
void InitLayout();

// The one empty document.
LayoutNode* EmptyLayout();

// The document of a NUL-terminated string: one shared text node, or, when
// the string holds line feeds, a text block of its lines. The string must
// stay unchanged for the life of the program.
LayoutNode* LayoutText(const char* string);
// The one-line document of the first length bytes of a string that holds no
// line feed; NUL bytes among them are printed as they are.
LayoutNode* LayoutBytes(const char* string, int32_t length);
LayoutNode* LayoutIdentifier(const Identifier* identifier);

// Two one-line documents on one line; an empty side gives the other.
LayoutNode* LayoutConcat(LayoutNode* a, LayoutNode* b);
// One-line documents on one line; empty elements are kept.
LayoutNode* LayoutRow(ConsList elements);

// b continues on the last line of a.
LayoutNode* LayoutBeside(LayoutNode* a, LayoutNode* b);
// a, one blank, b; an empty side gives the other.
LayoutNode* LayoutBesideSpace(LayoutNode* a, LayoutNode* b);
// b on the lines below a.
LayoutNode* LayoutAbove(LayoutNode* a, LayoutNode* b);
// The non-empty documents of the list, one below the other.
LayoutNode* LayoutVertical(ConsList elements);
// The documents side by side with the separator between them.
LayoutNode* LayoutJoin(ConsList elements, LayoutNode* separator);
// The documents one below the other, each but the last followed by the
// separator on its last line.
LayoutNode* LayoutJoinLines(ConsList elements, LayoutNode* separator);

int32_t LayoutWidth(const LayoutNode* document);
// Lines - 1: -1 for the empty document, 0 for one line.
int32_t LayoutHeight(const LayoutNode* document);
LayoutNode* LayoutLastLine(LayoutNode* document);
int32_t LayoutLastLineWidth(LayoutNode* document);

// Every line to the current output, "\n" between lines, none after the last.
void PrintLayout(const LayoutNode* document);
// The document on the standard error stream, as an output of its own.
void PrintLayoutToStderr(const LayoutNode* document);
