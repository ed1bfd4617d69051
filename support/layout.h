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
  LayoutBesideTextPrinter, // right continues on left's last line; its later lines without the prefix
  LayoutColumnsPrinter,    // left and right side by side line by line, left padded to its width
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

// The scratch region, for output printed a piece at a time: between
// BeginLayoutScratch and EndLayoutScratch every document made takes its
// memory from a region that EndLayoutScratch rewinds, so the next piece
// reuses it, and a text node made meanwhile is not shared. No document made
// in the region may be used after its end. Not nested.
void BeginLayoutScratch();
void EndLayoutScratch();

// The document of a NUL-terminated string: one shared text node, or, when
// the string holds line feeds, a text block of its lines. The string must
// stay unchanged for the life of the program.
LayoutNode* LayoutText(const char* string);
// The one-line document of the first length bytes of a string that holds no
// line feed; NUL bytes among them are printed as they are.
LayoutNode* LayoutBytes(const char* string, int32_t length);
// The one-line document of a copy of the first length bytes of a string that
// holds no line feed, made like any other document (in the scratch region
// while it is open) and never shared: for text assembled in a reused buffer.
LayoutNode* LayoutCopy(const char* bytes, int32_t length);
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

// Prints line `line` (0-based) of the document: first the one-line `prefix`
// as indentation (a tab for each tab of its texts, a blank for every other
// byte), then the line, filled with trailing blanks up to `pad` columns. A
// line past the document's end prints the prefix and blanks, except for the
// empty document, which prints nothing. PrintLayout prints the same lines
// (each with pad 0 and no prefix, "\n" between them) in one walk over the
// document.
void PrintLayoutLine(const LayoutNode* document, int32_t line, int32_t pad, LayoutNode* prefix);

// b above a, where b's lines are printed without the prefix (the later
// lines of a text).
LayoutNode* LayoutAboveText(LayoutNode* a, LayoutNode* b);

// --- Further documents and compositions -----------------------------------
// The programs print their documents with the compositions above; these
// complete the set for other printers.

// The text of one character, of an integer in decimal, of a floating-point
// value (in the form RealText gives it).
LayoutNode* LayoutChar(char c);
LayoutNode* LayoutInteger(int32_t value);
LayoutNode* LayoutReal(double value);

// The number of lines: 0 for the empty document. (The width and the
// last-line width are LayoutWidth and LayoutLastLineWidth.)
int32_t LayoutLineCount(const LayoutNode* document);

// A text of n blanks (the empty text for n <= 0).
LayoutNode* LayoutSpaces(int32_t n);
// n empty lines (the empty document for n <= 0).
LayoutNode* LayoutBlankLines(int32_t n);
// A text of n copies of c (the empty text for n <= 0). A c that makes more
// than one line is an internal error.
LayoutNode* LayoutRepeat(char c, int32_t n);
// The document with blanks after its last line up to `width` columns.
LayoutNode* LayoutPadWidth(LayoutNode* document, int32_t width);
// The document with empty lines below it up to `lines` lines.
LayoutNode* LayoutPadLines(LayoutNode* document, int32_t lines);

// "(" document ")", with ")" on a line of its own when the document has two
// or more lines.
LayoutNode* LayoutParenthesized(LayoutNode* document);
// Two blanks, then the document (its later lines indented by them too).
LayoutNode* LayoutIndented(LayoutNode* document);
// open, document and close side by side.
LayoutNode* LayoutBracket(LayoutNode* open, LayoutNode* document, LayoutNode* close);
// The documents of the list side by side, composed by halves, so that the
// composition is only as deep as the logarithm of the list's length. Prints
// as the documents put beside each other one by one, except after the later
// lines of a text block (which start at the start of the line and so do not
// carry the indentation of what stands left of their block).
LayoutNode* LayoutBesideBalanced(ConsList elements);

// b continues on the last line of a, and b's later lines are printed from
// the start of the line, without indentation: the texts joined as strings
// are joined. A block made so is a text block.
LayoutNode* LayoutBesideText(LayoutNode* a, LayoutNode* b);
// The documents of the list joined so, in order.
LayoutNode* LayoutBesideTextList(ConsList elements);

// LayoutBeside, LayoutAbove and LayoutAboveText, but the empty document
// when either side is empty.
LayoutNode* LayoutBesideBoth(LayoutNode* a, LayoutNode* b);
LayoutNode* LayoutAboveBoth(LayoutNode* a, LayoutNode* b);
LayoutNode* LayoutAboveTextBoth(LayoutNode* a, LayoutNode* b);

// Columns: line i is line i of a filled with blanks to a's width, then line
// i of b (and of c); the shorter side's missing lines are blank, so a line
// where only a has text ends in a's filling blanks. As many lines as the
// longest side.
LayoutNode* LayoutColumns(LayoutNode* a, LayoutNode* b);
LayoutNode* LayoutColumns3(LayoutNode* a, LayoutNode* b, LayoutNode* c);

// A table: `rows` is a list of rows, each a list of cells (documents). Each
// column is as wide as its widest cell; every cell but a row's last is
// filled with blanks to its column's width, and the separator stands between
// neighbouring cells. The rows are stacked; a cell of several lines makes
// its row that many lines high.
LayoutNode* LayoutTable(ConsList rows, LayoutNode* separator);
