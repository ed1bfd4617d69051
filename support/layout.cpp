// Layout: composing and printing documents.
//
// 1. Compositions store their width, their number of extra lines and a
//    one-line document of their last line, so no composition walks the
//    lines of its operands; only list arguments are walked, once.
// 2. A block records which composition made it (its printer) and its parts.
//    Printing a line of a block prints lines of its parts with a prefix: the
//    indentation, written as a tab for each tab and a blank for every other
//    byte of the prefix texts. b's later lines in LayoutBeside (a, b) are
//    indented by the prefix and by a's last line. A block's stored last
//    line starts with the indentation it is printed at (a's last line, when
//    it continues or is indented by it), so compositions beside it line up
//    with its true end.
// 3. The printer visits the whole document once, in output order, with an
//    explicit stack instead of recursion, so documents of millions of lines
//    or deeply nested compositions print in time linear in their size. Each
//    pending piece carries two prefixes: the one for its first line and the
//    one for its later lines. Prefixes are a chain of last lines, written
//    out as blanks and tabs only when a line needs them, once per chain link.
// 4. Top-level printing fills lines to a pad width of 0, and compositions
//    only lower the pad, so lines never get trailing blanks; the printer
//    therefore carries no pad.
// 5. The list compositions (LayoutJoin, LayoutJoinLines) are folded from the
//    end of the list in a loop, giving the same documents as composing the
//    first element with the composition of the rest.
// 6. Documents printed once and then dropped can be made in the scratch
//    region, which is rewound after each of them; the printer's stacks are
//    kept from one PrintLayout to the next.
#include "support/layout.h"

#include <cstddef>
#include <cstring>

#include "support/columns.h"
#include "support/heap.h"
#include "support/heapstack.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/report.h"
#include "support/services.h"
#include "support/startup.h"
#include "support/storeblock.h"

namespace {

int32_t LayoutModuleFlag = 0;
LayoutNode* TheEmptyLayout = nullptr;
// The chains of shared text nodes: LayoutTextChainCount at first, doubled
// whenever the nodes outnumber the chains twice, so that a document of many
// distinct texts (a long result list, a large configuration) is built in
// linear time. The table is on the heap; a replaced one is abandoned.
LayoutNode** TextChains = nullptr;
uint32_t TextChainCount = 0;
uint32_t TextNodeCount = 0;

// The blank that LayoutBesideSpace puts between its two sides, and its
// shared text node, made once.
const char SpaceText[] = " ";
LayoutNode* SpaceLayout = nullptr;

// The scratch region (BeginLayoutScratch): a chain of chunks from the C
// library, filled by moving a pointer and rewound at its end, so that the
// documents of one piece of output reuse the memory of the piece before.
// A request larger than a quarter chunk gets a block of its own, given back
// at the end.
// A chunk with its header takes a heap chunk's bytes, so that the C library
// serves it from memory that other such requests gave back.
constexpr size_t ScratchChunkSize = HeapChunkSize - StoreBlockHeader;

bool ScratchOpen = false;
StoreBlock* FirstScratchChunk = nullptr;
StoreBlock* CurrentScratchChunk = nullptr;
StoreBlock* LargeScratchBlocks = nullptr;
unsigned char* ScratchFreeByte = nullptr;
size_t ScratchFreeBytes = 0;

void EnterScratchChunk(StoreBlock* chunk) {
  CurrentScratchChunk = chunk;
  ScratchFreeByte = StoreBlockBytes(chunk);
  ScratchFreeBytes = chunk->size;
}

void* TakeScratch(size_t size) {
  size_t rounded = (size + 7) & ~size_t{7};
  if (rounded > ScratchFreeBytes) {
    if (rounded > ScratchChunkSize / 4) {
      StoreBlock* block = NewStoreBlock(rounded);
      block->next = LargeScratchBlocks;
      LargeScratchBlocks = block;
      return StoreBlockBytes(block);
    }
    if (CurrentScratchChunk == nullptr) {
      if (FirstScratchChunk == nullptr) FirstScratchChunk = NewStoreBlock(ScratchChunkSize);
      EnterScratchChunk(FirstScratchChunk);
    } else {
      if (CurrentScratchChunk->next == nullptr) CurrentScratchChunk->next = NewStoreBlock(ScratchChunkSize);
      EnterScratchChunk(CurrentScratchChunk->next);
    }
  }
  void* piece = ScratchFreeByte;
  ScratchFreeByte += rounded;
  ScratchFreeBytes -= rounded;
  return piece;
}

// The memory of the module's records: the scratch region while it is open,
// else the heap.
void* LayoutTake(size_t size) { return ScratchOpen ? TakeScratch(size) : Allocate(size); }

// The bytes a node of a kind takes: up to the last field that its kind uses.
size_t NodeBytes(int32_t kind) {
  switch (kind) {
    case LayoutTextKind:
      return offsetof(LayoutNode, left);
    case LayoutPairKind:
      return offsetof(LayoutNode, list);
    case LayoutRowKind:
      return offsetof(LayoutNode, lastLine);
    default:
      return sizeof(LayoutNode);
  }
}

// A node with every field of its kind cleared.
LayoutNode* NewNode(int32_t kind) {
  size_t bytes = NodeBytes(kind);
  auto* node = static_cast<LayoutNode*>(LayoutTake(bytes));
  std::memset(static_cast<void*>(node), 0, bytes);
  node->kind = kind;
  return node;
}

LayoutNode* NewText(int32_t width, const char* string) {
  LayoutNode* node = NewNode(LayoutTextKind);
  node->width = width;
  node->string = string;
  return node;
}

bool IsEmpty(const LayoutNode* node) { return node == TheEmptyLayout; }
bool IsOneLine(const LayoutNode* node) {
  return node->kind == LayoutTextKind || node->kind == LayoutPairKind || node->kind == LayoutRowKind;
}
bool IsBlock(const LayoutNode* node) {
  return node->kind == LayoutBlockKind || node->kind == LayoutTextBlockKind;
}

// Whether the last line of a document of two or more lines is printed with
// the prefix of its later lines: false only when it comes from the later
// lines of a text block, which are printed without a prefix.
bool LastLineIndented(const LayoutNode* node) {
  return LayoutHeight(node) <= 0 || node->lastLineIndented != 0;
}

LayoutNode* Element(ConsList cell) { return static_cast<LayoutNode*>(cell->head); }

// The shared text node of (width, string): chains are kept in ascending
// order of width, then of the string's address.
uint32_t TextChainOf(int32_t width, uintptr_t address) {
  return ((static_cast<uint32_t>(width) + static_cast<uint32_t>(address)) >> 3) % TextChainCount;
}

// The place in its chain where the node of (width, address) is or belongs.
LayoutNode** TextSlot(int32_t width, uintptr_t address) {
  LayoutNode** slot = &TextChains[TextChainOf(width, address)];
  while (*slot != nullptr) {
    LayoutNode* node = *slot;
    auto nodeAddress = reinterpret_cast<uintptr_t>(node->string);
    if (node->width == width && nodeAddress == address) return slot;
    if (node->width > width || (node->width == width && nodeAddress > address)) break;
    slot = &node->link;
  }
  return slot;
}

void NewTextChains(uint32_t count) {
  TextChains = static_cast<LayoutNode**>(Allocate(sizeof(LayoutNode*) * count));
  for (uint32_t i = 0; i < count; ++i) TextChains[i] = nullptr;
  TextChainCount = count;
}

// Doubles the chains and moves every node into its new chain, in order.
void GrowTextChains() {
  LayoutNode** old = TextChains;
  uint32_t oldCount = TextChainCount;
  NewTextChains(oldCount * 2);
  for (uint32_t i = 0; i < oldCount; ++i) {
    for (LayoutNode* node = old[i]; node != nullptr;) {
      LayoutNode* next = node->link;
      LayoutNode** slot = TextSlot(node->width, reinterpret_cast<uintptr_t>(node->string));
      node->link = *slot;
      *slot = node;
      node = next;
    }
  }
}

LayoutNode* SharedText(int32_t width, const char* string) {
  auto address = reinterpret_cast<uintptr_t>(string);
  LayoutNode** slot = TextSlot(width, address);
  if (*slot != nullptr && (*slot)->width == width &&
      reinterpret_cast<uintptr_t>((*slot)->string) == address) {
    return *slot;
  }
  // A text made in the scratch region is not shared: the chains outlive it.
  if (ScratchOpen) return NewText(width, string);
  LayoutNode* node = NewText(width, string);
  node->link = *slot;
  *slot = node;
  if (++TextNodeCount > 2 * TextChainCount) GrowTextChains();
  return node;
}

LayoutNode* NewBlock(int32_t kind, LayoutPrinter printer, int32_t width, int32_t extraLines,
                     LayoutNode* lastLine) {
  LayoutNode* node = NewNode(kind);
  node->printer = printer;
  node->width = width;
  node->extraLines = extraLines;
  node->lastLine = lastLine;
  return node;
}

int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }

// The block of b continuing on the last line of a (neither empty, not both
// one line). Its last line is b's last line, with a's last line in front
// when b has one line, or when b's later lines are indented (`indentLater`:
// printed with the prefix and a's last line) and b's last line is one of
// them; otherwise it is printed from the start of the line.
LayoutNode* BesideBlock(int32_t kind, LayoutPrinter printer, LayoutNode* a, LayoutNode* b, bool indentLater) {
  int32_t ha = LayoutHeight(a);
  int32_t hb = LayoutHeight(b);
  int32_t lw = LayoutLastLineWidth(a);
  LayoutNode* node = NewBlock(kind, printer, Larger(LayoutWidth(a), lw + LayoutWidth(b)), ha + hb, nullptr);
  if (hb == 0) {
    node->lastLine = LayoutConcat(LayoutLastLine(a), LayoutLastLine(b));
    node->lastLineIndented = LastLineIndented(a);
  } else if (indentLater && LastLineIndented(b)) {
    node->lastLine = LayoutConcat(LayoutLastLine(a), LayoutLastLine(b));
    node->lastLineIndented = 1;
  } else {
    node->lastLine = LayoutLastLine(b);
    node->lastLineIndented = 0;
  }
  node->leftLastWidth = lw;
  node->left = a;
  node->right = b;
  return node;
}

// The lines of a text, as one document: one line gives itself; more are the
// first line above the others, which print without the prefix.
LayoutNode* LayoutStackLines(ConsList lines) {
  if (lines->tail == nullptr) return Element(lines);
  return LayoutAboveText(Element(lines), LayoutVertical(lines->tail));
}

// The document of a string with line feeds: each line is copied into a
// string of its own. Nobody else holds these copies, so their text nodes can
// never be asked for again and stay out of the shared table.
LayoutNode* LayoutTextLines(const char* string) {
  ConsList lines = nullptr;
  ConsList last = nullptr;
  const char* start = string;
  for (;;) {
    const char* end = std::strchr(start, '\n');
    size_t length = end != nullptr ? static_cast<size_t>(end - start) : std::strlen(start);
    auto* copy = static_cast<char*>(LayoutTake(length + 1));
    std::memcpy(copy, start, length);
    copy[length] = '\0';
    ConsList cell = Cons(NewText(static_cast<int32_t>(length), copy), nullptr);
    if (last == nullptr) lines = cell; else last->tail = cell;
    last = cell;
    if (end == nullptr) break;
    start = end + 1;
  }
  return LayoutStackLines(lines);
}

// --- Printing -------------------------------------------------------------

// One link of a prefix chain: the prefix before it, and a one-line document
// whose bytes indent as blanks and tabs. Each link keeps the blanks and tabs
// of its own line only, made when a line first needs them, so the prefixes
// of deeply nested documents take memory linear in the document.
struct PrefixLink {
  const PrefixLink* before;
  const LayoutNode* line;
  const char* blanks;  // null until made
  int32_t width;
  int32_t depth;  // links before it
};

enum PrintStep { PrintDocument, PrintNewline, PrintVerticalRest, PrintRowRest };

struct PrintItem {
  PrintStep step;
  const LayoutNode* document;
  ConsList cell;
  PrefixLink* first;  // prefix of the first line
  PrefixLink* rest;   // prefix of the later lines
};

// The work of one PrintLayout, all on the heap: the pending pieces; a walk
// over a prefix line and the blanks of that line; and the prefix written
// last, whose text is kept whole. Consecutive lines mostly share their
// prefixes, so a new prefix keeps the text of the links it shares with the
// last one and adds only its own further links.
struct Printer {
  HeapStack<PrintItem> stack;
  HeapStack<const LayoutNode*> walk;
  HeapStack<char> blanks;
  HeapStack<const PrefixLink*> chain;    // links still to add, innermost first
  HeapStack<const PrefixLink*> current;  // the last prefix's links, by depth
  HeapStack<uint32_t> ends;              // its text's length after each link
  HeapStack<char> text;                  // its text
};

// The printer's stacks are kept from one PrintLayout to the next, so that a
// program printing many documents in turn does not take new ones each time.
Printer ThePrinter;

// Appends a tab for each tab and a blank for every other byte of the texts
// of a one-line document; the empty document adds nothing. A block of one
// line (a vertical list with a single non-empty element) adds its line, so
// that the lines it indents keep their indentation.
void AppendBlanks(Printer& printer, const LayoutNode* line) {
  HeapStack<const LayoutNode*>& walk = printer.walk;
  walk.Clear();
  walk.Push(line);
  while (!walk.Empty()) {
    const LayoutNode* node = walk.Pop();
    if (node->kind == LayoutTextKind) {
      for (int32_t i = 0; i < node->width; ++i) printer.blanks.Push(node->string[i] == '\t' ? '\t' : ' ');
    } else if (node->kind == LayoutPairKind) {
      walk.Push(node->right);
      walk.Push(node->left);
    } else if (node->kind == LayoutRowKind) {
      uint32_t from = walk.count;
      for (ConsList cell = node->list; cell != nullptr; cell = cell->tail) walk.Push(Element(cell));
      walk.ReverseFrom(from);  // the first element comes off first
    } else if (IsBlock(node) && node->extraLines == 0) {
      walk.Push(node->lastLine);
    }
  }
}

// Whether a link is one of the last prefix's links.
bool IsCurrent(Printer& printer, const PrefixLink* link) {
  auto depth = static_cast<uint32_t>(link->depth);
  return depth < printer.current.count && printer.current[depth] == link;
}

void PrintPrefix(Printer& printer, const PrefixLink* prefix) {
  if (prefix == nullptr) return;
  HeapStack<const PrefixLink*>& chain = printer.chain;
  chain.Clear();
  const PrefixLink* shared = prefix;
  for (; shared != nullptr && !IsCurrent(printer, shared); shared = shared->before) chain.Push(shared);
  uint32_t kept = shared != nullptr ? static_cast<uint32_t>(shared->depth) + 1 : 0;
  printer.current.count = kept;
  printer.ends.count = kept;
  printer.text.count = kept > 0 ? printer.ends[kept - 1] : 0;
  while (!chain.Empty()) {
    auto* link = const_cast<PrefixLink*>(chain.Pop());
    if (link->blanks == nullptr) {
      printer.blanks.Clear();
      AppendBlanks(printer, link->line);
      auto* made = static_cast<char*>(LayoutTake(printer.blanks.count));
      if (printer.blanks.count > 0) std::memcpy(made, printer.blanks.items, printer.blanks.count);
      link->blanks = made;
      link->width = static_cast<int32_t>(printer.blanks.count);
    }
    for (int32_t i = 0; i < link->width; ++i) printer.text.Push(link->blanks[i]);
    printer.current.Push(link);
    printer.ends.Push(printer.text.count);
  }
  WriteBytes(printer.text.items, static_cast<int32_t>(printer.text.count));
}

// The one-line document of a prefix chain: its lines side by side, the
// outermost first.
LayoutNode* PrefixDocument(const PrefixLink* prefix) {
  HeapStack<const LayoutNode*> lines;
  for (const PrefixLink* link = prefix; link != nullptr; link = link->before) lines.Push(link->line);
  LayoutNode* document = TheEmptyLayout;
  while (!lines.Empty()) document = LayoutConcat(document, const_cast<LayoutNode*>(lines.Pop()));
  return document;
}

// Writes n blanks; nothing when n <= 0.
void Blanks(int32_t n) {
  for (int32_t i = 0; i < n; ++i) WriteString(" ");
}

// The prefix as indentation: a tab for each tab of its texts, a blank for
// every other byte.
void PrintLayoutPrefix(const LayoutNode* prefix) {
  Printer printer;
  AppendBlanks(printer, prefix);
  WriteBytes(printer.blanks.items, static_cast<int32_t>(printer.blanks.count));
}

// One pending piece of a line: a line of a document with its pad and prefix.
struct LinePiece {
  const LayoutNode* document;
  int32_t line;
  int32_t pad;
  LayoutNode* prefix;
};

// The element of a vertical block's list that holds line `line` of the
// block, and that line's index in it; null when the line is past the end.
const LayoutNode* VerticalLine(const LayoutNode* node, int32_t& line) {
  for (ConsList cell = node->list; cell != nullptr; cell = cell->tail) {
    LayoutNode* element = Element(cell);
    if (IsEmpty(element)) continue;
    if (line <= LayoutHeight(element)) return element;
    line -= LayoutHeight(element) + 1;
  }
  return nullptr;
}

// Pushes the pieces that line `piece.line` of a block consists of, the
// last piece to print first.
void PushBlockLine(HeapStack<LinePiece>& stack, const LinePiece& piece) {
  const LayoutNode* node = piece.document;
  int32_t i = piece.line;
  int32_t ha = node->left != nullptr ? LayoutHeight(node->left) : 0;
  switch (node->printer) {
    case LayoutBesidePrinter:
    case LayoutBesideTextPrinter: {
      int32_t lw = node->leftLastWidth;
      if (i < ha) {
        stack.Push({node->left, i, piece.pad, piece.prefix});
      } else if (i == ha) {
        stack.Push({node->right, 0, piece.pad - lw, TheEmptyLayout});
        stack.Push({node->left, ha, 0, piece.prefix});
      } else if (node->printer == LayoutBesidePrinter) {
        stack.Push({node->right, i - ha, piece.pad - lw, LayoutConcat(piece.prefix, LayoutLastLine(node->left))});
      } else {
        stack.Push({node->right, i - ha, piece.pad, TheEmptyLayout});
      }
      break;
    }
    case LayoutAbovePrinter:
      if (i <= ha) {
        stack.Push({node->left, i, piece.pad, piece.prefix});
      } else {
        stack.Push({node->right, i - ha - 1, piece.pad, piece.prefix});
      }
      break;
    case LayoutTextAbovePrinter:
      if (i <= ha) {
        stack.Push({node->left, i, piece.pad, piece.prefix});
      } else {
        stack.Push({node->right, i - ha - 1, piece.pad, TheEmptyLayout});
      }
      break;
    case LayoutVerticalPrinter: {
      const LayoutNode* element = VerticalLine(node, i);
      if (element != nullptr) {
        stack.Push({element, i, piece.pad, piece.prefix});
      } else {
        PrintLayoutPrefix(piece.prefix);
        Blanks(node->width);
        Blanks(piece.pad - node->width);
      }
      break;
    }
    case LayoutColumnsPrinter: {
      int32_t leftWidth = LayoutWidth(node->left);
      stack.Push({node->right, i, piece.pad - leftWidth, TheEmptyLayout});
      stack.Push({node->left, i, leftWidth, piece.prefix});
      break;
    }
  }
}

// Prints the lines of a columns block met in PrintLayout's walk, with the
// walk's prefixes, "\n" between them.
void PrintColumnLines(const LayoutNode* node, const PrefixLink* first, const PrefixLink* rest) {
  LayoutNode* restPrefix = PrefixDocument(rest);
  for (int32_t line = 0; line <= node->extraLines; ++line) {
    if (line > 0) WriteString("\n");
    PrintLayoutLine(node, line, 0, line == 0 ? PrefixDocument(first) : restPrefix);
  }
}

}  // namespace

void InitLayout() {
  if (!EnterModuleInit(LayoutModuleFlag)) return;
  InitHeap();
  InitOutput();
  InitOutputColumns();
  NewTextChains(static_cast<uint32_t>(LayoutTextChainCount));
  TheEmptyLayout = NewNode(LayoutEmptyKind);
  SpaceLayout = LayoutText(SpaceText);
  RegisterRoot(&TheEmptyLayout);
  RegisterRoot(&TextChains);
}

LayoutNode* EmptyLayout() { return TheEmptyLayout; }

void BeginLayoutScratch() {
  ScratchOpen = true;
  CurrentScratchChunk = nullptr;
  ScratchFreeBytes = 0;
}

void EndLayoutScratch() {
  ScratchOpen = false;
  CurrentScratchChunk = nullptr;
  ScratchFreeBytes = 0;
  FreeStoreBlocks(LargeScratchBlocks);
  LargeScratchBlocks = nullptr;
}

LayoutNode* LayoutText(const char* string) {
  if (std::strchr(string, '\n') == nullptr) {
    return SharedText(static_cast<int32_t>(std::strlen(string)), string);
  }
  return LayoutTextLines(string);
}

LayoutNode* LayoutBytes(const char* string, int32_t length) { return SharedText(length, string); }

LayoutNode* LayoutCopy(const char* bytes, int32_t length) {
  auto* copy = static_cast<char*>(LayoutTake(static_cast<size_t>(length)));
  if (length > 0) std::memcpy(copy, bytes, static_cast<size_t>(length));
  return NewText(length, copy);
}

LayoutNode* LayoutIdentifier(const Identifier* identifier) { return LayoutText(identifier->text); }

// A text's lines after the first are printed without the prefix.
LayoutNode* LayoutAboveText(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  LayoutNode* node = NewBlock(LayoutTextBlockKind, LayoutTextAbovePrinter,
                              Larger(LayoutWidth(a), LayoutWidth(b)),
                              LayoutHeight(a) + LayoutHeight(b) + 1, LayoutLastLine(b));
  node->left = a;
  node->right = b;
  return node;
}

LayoutNode* LayoutConcat(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  LayoutNode* node = NewNode(LayoutPairKind);
  node->width = LayoutWidth(a) + LayoutWidth(b);
  node->left = a;
  node->right = b;
  return node;
}

LayoutNode* LayoutRow(ConsList elements) {
  if (elements == nullptr) return TheEmptyLayout;
  if (elements->tail == nullptr) return Element(elements);
  if (elements->tail->tail == nullptr) return LayoutConcat(Element(elements), Element(elements->tail));
  LayoutNode* node = NewNode(LayoutRowKind);
  for (ConsList cell = elements; cell != nullptr; cell = cell->tail) node->width += LayoutWidth(Element(cell));
  node->list = elements;
  return node;
}

LayoutNode* LayoutBeside(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  if (IsOneLine(a) && IsOneLine(b)) return LayoutConcat(a, b);
  // The last line is b's last line; it continues a's last line when b has
  // one line, and it is indented by a's last line when it is printed with
  // the prefix of b's later lines. Either way it starts with a's last line
  // in width and in its tabs, so later compositions indent to its true end.
  // Keeping b's last line alone would lose that indentation: a block put
  // beside this one would have its later lines indented by b's last line
  // only and stand left of where this block really ends. zebcheck prints
  // \v{{f(1, 2) + g(3, 4)}} with "4 )" under "3"; with b's last line alone
  // "4 )" would stand under "2", short by the indentation of "2 )".
  return BesideBlock(LayoutBlockKind, LayoutBesidePrinter, a, b, true);
}

LayoutNode* LayoutBesideSpace(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return LayoutBeside(a, LayoutBeside(SpaceLayout, b));
}

LayoutNode* LayoutAbove(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  LayoutNode* node = NewBlock(LayoutBlockKind, LayoutAbovePrinter, Larger(LayoutWidth(a), LayoutWidth(b)),
                              LayoutHeight(a) + LayoutHeight(b) + 1, LayoutLastLine(b));
  node->lastLineIndented = LastLineIndented(b);
  node->left = a;
  node->right = b;
  return node;
}

LayoutNode* LayoutVertical(ConsList elements) {
  ConsList from = elements;
  while (from != nullptr && IsEmpty(Element(from))) from = from->tail;
  if (from == nullptr) return TheEmptyLayout;
  if (from->tail == nullptr) return Element(from);
  int32_t width = 0;
  int32_t lines = 0;
  LayoutNode* last = nullptr;
  for (ConsList cell = from; cell != nullptr; cell = cell->tail) {
    LayoutNode* element = Element(cell);
    if (IsEmpty(element)) continue;
    width = Larger(width, LayoutWidth(element));
    lines += LayoutHeight(element) + 1;
    last = element;
  }
  LayoutNode* node = NewBlock(LayoutBlockKind, LayoutVerticalPrinter, width, lines - 1, LayoutLastLine(last));
  node->lastLineIndented = LastLineIndented(last);
  node->list = from;
  return node;
}

LayoutNode* LayoutJoin(ConsList elements, LayoutNode* separator) {
  ConsList from = elements;
  while (from != nullptr && IsEmpty(Element(from))) from = from->tail;
  if (from == nullptr) return TheEmptyLayout;
  if (from->tail == nullptr) return Element(from);
  // The join of the list from its first non-empty element e on is a row
  // when the separator is one line and no element from e on is a block.
  // So the elements after the last block form one row, from the first
  // non-empty one on; each non-empty element up to the last block is put
  // beside the separator and the join of what follows it.
  HeapStack<LayoutNode*> folded;
  ConsList rowStart = from;
  for (ConsList cell = from; cell != nullptr; cell = cell->tail) {
    if (IsBlock(Element(cell)) || !IsOneLine(separator)) {
      for (ConsList before = rowStart; before != cell->tail; before = before->tail) {
        folded.Push(Element(before));
      }
      rowStart = cell->tail;
    }
  }
  while (rowStart != nullptr && IsEmpty(Element(rowStart))) rowStart = rowStart->tail;
  LayoutNode* joined = TheEmptyLayout;
  if (rowStart != nullptr) {
    ConsList row = Cons(Element(rowStart), nullptr);
    ConsList rowLast = row;
    for (ConsList cell = rowStart->tail; cell != nullptr; cell = cell->tail) {
      rowLast->tail = Cons(separator, Cons(Element(cell), nullptr));
      rowLast = rowLast->tail->tail;
    }
    joined = LayoutRow(row);
  }
  while (!folded.Empty()) {
    LayoutNode* element = folded.Pop();
    if (IsEmpty(element)) continue;
    joined = IsEmpty(joined) ? element : LayoutBeside(element, LayoutBeside(separator, joined));
  }
  return joined;
}

namespace {

// The present elements of LayoutJoinLines, kept from one call to the next.
HeapStack<LayoutNode*> JoinLinesElements;

}  // namespace

LayoutNode* LayoutJoinLines(ConsList elements, LayoutNode* separator) {
  HeapStack<LayoutNode*>& present = JoinLinesElements;
  present.Clear();
  for (ConsList cell = elements; cell != nullptr; cell = cell->tail) {
    if (!IsEmpty(Element(cell))) present.Push(Element(cell));
  }
  LayoutNode* joined = TheEmptyLayout;
  while (!present.Empty()) {
    LayoutNode* after = IsEmpty(joined) ? TheEmptyLayout : separator;
    joined = LayoutAbove(LayoutBeside(present.Pop(), after), joined);
  }
  return joined;
}

int32_t LayoutWidth(const LayoutNode* document) { return document->width; }

int32_t LayoutHeight(const LayoutNode* document) {
  if (IsEmpty(document)) return -1;
  return IsBlock(document) ? document->extraLines : 0;
}

LayoutNode* LayoutLastLine(LayoutNode* document) {
  return IsBlock(document) ? document->lastLine : document;
}

int32_t LayoutLastLineWidth(LayoutNode* document) { return LayoutWidth(LayoutLastLine(document)); }

void PrintLayout(const LayoutNode* document) {
  Printer& printer = ThePrinter;
  printer.stack.Clear();
  printer.current.Clear();
  printer.ends.Clear();
  printer.text.Clear();
  HeapStack<PrintItem>& stack = printer.stack;
  auto push = [&stack](PrintStep step, const LayoutNode* node, ConsList cell, PrefixLink* first,
                       PrefixLink* rest) { stack.Push({step, node, cell, first, rest}); };
  push(PrintDocument, document, nullptr, nullptr, nullptr);
  while (!stack.Empty()) {
    PrintItem item = stack.Pop();
    switch (item.step) {
      case PrintNewline:
        WriteString("\n");
        continue;
      case PrintRowRest:
        if (item.cell == nullptr) continue;
        push(PrintRowRest, nullptr, item.cell->tail, nullptr, nullptr);
        push(PrintDocument, Element(item.cell), nullptr, nullptr, nullptr);
        continue;
      case PrintVerticalRest: {
        ConsList cell = item.cell;
        while (cell != nullptr && IsEmpty(Element(cell))) cell = cell->tail;
        if (cell == nullptr) continue;
        push(PrintVerticalRest, nullptr, cell->tail, nullptr, item.rest);
        push(PrintDocument, Element(cell), nullptr, item.rest, item.rest);
        push(PrintNewline, nullptr, nullptr, nullptr, nullptr);
        continue;
      }
      case PrintDocument:
        break;
    }
    const LayoutNode* node = item.document;
    switch (node->kind) {
      case LayoutEmptyKind:
        break;
      case LayoutTextKind:
        PrintPrefix(printer, item.first);
        WriteBytes(node->string, node->width);
        break;
      case LayoutPairKind:
        push(PrintDocument, node->right, nullptr, nullptr, nullptr);
        push(PrintDocument, node->left, nullptr, item.first, nullptr);
        break;
      case LayoutRowKind:
        push(PrintRowRest, nullptr, node->list->tail, nullptr, nullptr);
        push(PrintDocument, Element(node->list), nullptr, item.first, nullptr);
        break;
      default:
        switch (node->printer) {
          case LayoutBesidePrinter: {
            PrefixLink* indent = item.rest;
            if (node->leftLastWidth > 0) {
              indent = static_cast<PrefixLink*>(LayoutTake(sizeof(PrefixLink)));
              *indent = {item.rest, LayoutLastLine(node->left), nullptr, 0,
                         item.rest != nullptr ? item.rest->depth + 1 : 0};
            }
            push(PrintDocument, node->right, nullptr, nullptr, indent);
            push(PrintDocument, node->left, nullptr, item.first, item.rest);
            break;
          }
          case LayoutAbovePrinter:
            push(PrintDocument, node->right, nullptr, item.rest, item.rest);
            push(PrintNewline, nullptr, nullptr, nullptr, nullptr);
            push(PrintDocument, node->left, nullptr, item.first, item.rest);
            break;
          case LayoutTextAbovePrinter:
            push(PrintDocument, node->right, nullptr, nullptr, nullptr);
            push(PrintNewline, nullptr, nullptr, nullptr, nullptr);
            push(PrintDocument, node->left, nullptr, item.first, item.rest);
            break;
          case LayoutVerticalPrinter:
            push(PrintVerticalRest, nullptr, node->list->tail, nullptr, item.rest);
            push(PrintDocument, Element(node->list), nullptr, item.first, item.rest);
            break;
          case LayoutBesideTextPrinter:
            push(PrintDocument, node->right, nullptr, nullptr, nullptr);
            push(PrintDocument, node->left, nullptr, item.first, item.rest);
            break;
          case LayoutColumnsPrinter:
            // Columns fill their left side with blanks line by line, so
            // they are printed a line at a time, at once.
            PrintColumnLines(node, item.first, item.rest);
            break;
        }
        break;
    }
  }
}

void PrintLayoutToStderr(const LayoutNode* document) {
  OpenOutput(nullptr);
  PrintLayout(document);
  CloseOutput();
}

// The pieces of the line are kept on an explicit stack, so deeply nested
// documents need no deep recursion.
void PrintLayoutLine(const LayoutNode* document, int32_t line, int32_t pad, LayoutNode* prefix) {
  HeapStack<LinePiece> stack;
  stack.Push({document, line, pad, prefix});
  while (!stack.Empty()) {
    LinePiece piece = stack.Pop();
    const LayoutNode* node = piece.document;
    if (IsEmpty(node)) continue;
    if (IsBlock(node)) {
      PushBlockLine(stack, piece);
      continue;
    }
    if (piece.line != 0) {
      PrintLayoutPrefix(piece.prefix);
      Blanks(piece.pad);
      continue;
    }
    switch (node->kind) {
      case LayoutTextKind:
        PrintLayoutPrefix(piece.prefix);
        WriteBytes(node->string, node->width);
        Blanks(piece.pad - node->width);
        break;
      case LayoutPairKind:
        stack.Push({node->right, 0, piece.pad - LayoutWidth(node->left), TheEmptyLayout});
        stack.Push({node->left, 0, 0, piece.prefix});
        break;
      default: {  // a row: the first element with the prefix, the last with the rest of the pad
        uint32_t from = stack.count;
        int32_t before = 0;
        for (ConsList cell = node->list; cell != nullptr; cell = cell->tail) {
          LayoutNode* element = Element(cell);
          bool last = cell->tail == nullptr;
          stack.Push({element, 0, last ? piece.pad - before : 0, cell == node->list ? piece.prefix : TheEmptyLayout});
          before += LayoutWidth(element);
        }
        stack.ReverseFrom(from);  // the first element comes off first
        break;
      }
    }
  }
}

// --- Further documents and compositions -----------------------------------

namespace {

// Name of this module in internal-error reports, and the line its padding
// check names.
constexpr const char* LayoutModuleName = "Layout";
constexpr int32_t PaddingCheckLine = 92;

const char OpenParenText[] = "(";
const char CloseParenText[] = ")";
const char TwoBlanksText[] = "  ";
const char EmptyText[] = "";

// A heap text of n copies of a character (none when n <= 0).
const char* HeapText(char c, int32_t n) {
  size_t length = n > 0 ? static_cast<size_t>(n) : 0;
  auto* copy = static_cast<char*>(Allocate(length + 1));
  std::memset(copy, c, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

LayoutNode* LayoutChar(char c) { return LayoutText(HeapText(c, 1)); }

LayoutNode* LayoutInteger(int32_t value) { return LayoutText(IntegerText(value)); }

LayoutNode* LayoutReal(double value) { return LayoutText(RealText(value)); }

int32_t LayoutLineCount(const LayoutNode* document) { return LayoutHeight(document) + 1; }

LayoutNode* LayoutSpaces(int32_t n) { return LayoutRepeat(' ', n); }

LayoutNode* LayoutBlankLines(int32_t n) {
  ConsList lines = nullptr;
  for (int32_t i = 0; i < n; ++i) lines = Cons(LayoutText(EmptyText), lines);
  return LayoutVertical(lines);
}

LayoutNode* LayoutRepeat(char c, int32_t n) {
  LayoutNode* text = LayoutText(HeapText(c, n));
  if (!IsOneLine(text)) InternalError(LayoutModuleName, PaddingCheckLine);
  return text;
}

LayoutNode* LayoutPadWidth(LayoutNode* document, int32_t width) {
  int32_t missing = width - LayoutLastLineWidth(document);
  if (missing <= 0) return document;
  return LayoutBeside(document, LayoutSpaces(missing));
}

LayoutNode* LayoutPadLines(LayoutNode* document, int32_t lines) {
  return LayoutAbove(document, LayoutBlankLines(lines - LayoutLineCount(document)));
}

LayoutNode* LayoutParenthesized(LayoutNode* document) {
  LayoutNode* opened = LayoutBeside(LayoutText(OpenParenText), document);
  if (LayoutHeight(document) >= 1) return LayoutAbove(opened, LayoutText(CloseParenText));
  return LayoutBeside(opened, LayoutText(CloseParenText));
}

LayoutNode* LayoutIndented(LayoutNode* document) { return LayoutBeside(LayoutText(TwoBlanksText), document); }

LayoutNode* LayoutBracket(LayoutNode* open, LayoutNode* document, LayoutNode* close) {
  return LayoutBeside(LayoutBeside(open, document), close);
}

LayoutNode* LayoutBesideBalanced(ConsList elements) {
  HeapStack<LayoutNode*> parts;
  for (ConsList cell = elements; cell != nullptr; cell = cell->tail) parts.Push(Element(cell));
  if (parts.Empty()) return TheEmptyLayout;
  // Neighbours are composed pairwise, round after round, until one is left;
  // each round writes its results over the front of the stack.
  while (parts.count > 1) {
    uint32_t next = 0;
    for (uint32_t i = 0; i < parts.count; i += 2) {
      parts[next++] = i + 1 < parts.count ? LayoutBeside(parts[i], parts[i + 1]) : parts[i];
    }
    parts.count = next;
  }
  return parts[0];
}

LayoutNode* LayoutBesideText(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  if (IsOneLine(a) && IsOneLine(b)) return LayoutConcat(a, b);
  return BesideBlock(LayoutTextBlockKind, LayoutBesideTextPrinter, a, b, false);
}

LayoutNode* LayoutBesideTextList(ConsList elements) {
  LayoutNode* joined = TheEmptyLayout;
  for (ConsList cell = elements; cell != nullptr; cell = cell->tail) joined = LayoutBesideText(joined, Element(cell));
  return joined;
}

LayoutNode* LayoutBesideBoth(LayoutNode* a, LayoutNode* b) {
  return IsEmpty(a) || IsEmpty(b) ? TheEmptyLayout : LayoutBeside(a, b);
}

LayoutNode* LayoutAboveBoth(LayoutNode* a, LayoutNode* b) {
  return IsEmpty(a) || IsEmpty(b) ? TheEmptyLayout : LayoutAbove(a, b);
}

LayoutNode* LayoutAboveTextBoth(LayoutNode* a, LayoutNode* b) {
  return IsEmpty(a) || IsEmpty(b) ? TheEmptyLayout : LayoutAboveText(a, b);
}

LayoutNode* LayoutColumns(LayoutNode* a, LayoutNode* b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  int32_t ha = LayoutHeight(a);
  int32_t hb = LayoutHeight(b);
  int32_t lines = Larger(ha, hb);
  // The last line: a's part filled to a's width (blank when a is shorter),
  // then b's last line (nothing when b is shorter).
  LayoutNode* leftPart = LayoutPadWidth(ha == lines ? LayoutLastLine(a) : LayoutText(EmptyText), LayoutWidth(a));
  LayoutNode* rightPart = hb == lines ? LayoutLastLine(b) : LayoutText(EmptyText);
  LayoutNode* node = NewBlock(LayoutBlockKind, LayoutColumnsPrinter, LayoutWidth(a) + LayoutWidth(b), lines,
                              LayoutConcat(leftPart, rightPart));
  node->lastLineIndented = 1;
  node->left = a;
  node->right = b;
  return node;
}

LayoutNode* LayoutColumns3(LayoutNode* a, LayoutNode* b, LayoutNode* c) {
  return LayoutColumns(a, LayoutColumns(b, c));
}

LayoutNode* LayoutTable(ConsList rows, LayoutNode* separator) {
  HeapStack<int32_t> widths;
  for (ConsList row = rows; row != nullptr; row = row->tail) {
    uint32_t column = 0;
    for (ConsList cell = static_cast<ConsList>(row->head); cell != nullptr; cell = cell->tail, ++column) {
      if (column == widths.count) widths.Push(0);
      widths[column] = Larger(widths[column], LayoutWidth(Element(cell)));
    }
  }
  ConsListBuilder lines;
  HeapStack<LayoutNode*> cells;
  for (ConsList row = rows; row != nullptr; row = row->tail) {
    cells.Clear();
    for (ConsList cell = static_cast<ConsList>(row->head); cell != nullptr; cell = cell->tail) {
      cells.Push(Element(cell));
    }
    LayoutNode* line = TheEmptyLayout;
    for (uint32_t column = cells.count; column-- > 0;) {
      if (column + 1 == cells.count) {
        line = cells[column];
        continue;
      }
      LayoutNode* filled = LayoutPadWidth(cells[column], widths[column]);
      line = LayoutColumns(filled, LayoutBeside(separator, line));
    }
    lines.Add(line);
  }
  return LayoutVertical(lines.head);
}
