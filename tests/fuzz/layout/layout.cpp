// Fuzz target: Layout composition and printing.
//
// The input is a small program for a stack of documents, one operation per
// byte (the byte's value modulo 11):
//   0  push a text: the next byte gives its length (0 to 15), the bytes after
//      it its characters (line feeds and tabs included; a NUL ends it early)
//   1  push the empty document
//   2  beside, 3 beside with a space, 4 above: the top two documents
//   5  concat, 6 row of the top three: only when all are one line (and
//      the row's first element is not empty)
//   7  vertical, 8 join, 9 join-lines of the top n (the next byte, 0 to 4;
//      join and join-lines take their separator from the stack first)
//   10 duplicate the top document
// Compositions that would make a document wider or taller than a
// realistic limit are skipped, since documents may share parts and so grow
// exponentially. At the end every document left on the stack is printed to
// a file and read back. Checked: the document prints as many line feeds as
// its height says, no line is wider than its width (an upper bound: a text
// block's later lines are printed without the indentation that its width
// counts), and its last line is as wide as LayoutLastLineWidth says.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/conslist.h"
#include "support/heap.h"
#include "support/layout.h"
#include "support/output.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 2048;
constexpr int32_t MaxExtent = 1 << 12;
constexpr size_t MaxStack = 64;

std::string PrintPath;

std::string Printed(const LayoutNode* document) {
  OpenOutput(PrintPath.c_str());
  PrintLayout(document);
  CloseOutput();
  std::ifstream in(PrintPath, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Small(LayoutNode* a, LayoutNode* b) {
  return LayoutWidth(a) + LayoutWidth(b) + 1 < MaxExtent &&
         LayoutHeight(a) + LayoutHeight(b) + 2 < MaxExtent;
}

ConsList PopList(std::vector<LayoutNode*>& stack, size_t n) {
  ConsList list = nullptr;
  for (size_t i = 0; i < n && !stack.empty(); ++i) {
    list = Cons(stack.back(), list);
    stack.pop_back();
  }
  return list;
}

bool ListSmall(ConsList list, LayoutNode* separator) {
  int64_t width = 0;
  int64_t height = 0;
  for (; list != nullptr; list = list->tail) {
    auto* element = ConsHead<LayoutNode>(list);
    width += LayoutWidth(element) + LayoutWidth(separator) + 1;
    height += LayoutHeight(element) + LayoutHeight(separator) + 2;
  }
  return width < MaxExtent && height < MaxExtent;
}

void CheckPrinted(LayoutNode* document) {
  int64_t cells = int64_t{LayoutWidth(document) + 1} * (LayoutHeight(document) + 2);
  if (cells > 1 << 20) return;
  std::string text = Printed(document);
  if (LayoutHeight(document) < 0) {
    FUZZ_CHECK(text.empty(), "the empty document prints nothing");
    return;
  }
  int32_t lineFeeds = 0;
  int32_t widest = 0;
  int32_t current = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lineFeeds;
      current = 0;
    } else {
      ++current;
      if (current > widest) widest = current;
    }
  }
  FUZZ_CHECK(lineFeeds == LayoutHeight(document), "a document prints height line feeds");
  FUZZ_CHECK(widest <= LayoutWidth(document), "no printed line is wider than the width");
  FUZZ_CHECK(current == LayoutLastLineWidth(document), "the last line is as wide as measured");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzRuntime();
  InitLayout();
  char pattern[] = "/tmp/layout_fuzz.XXXXXX";
  int fd = mkstemp(pattern);
  FUZZ_CHECK(fd >= 0, "a temporary file for printing");
  close(fd);
  PrintPath = pattern;
  std::atexit([] { unlink(PrintPath.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MaxData) return 0;
  std::vector<LayoutNode*> stack;
  size_t i = 0;
  auto next = [&]() -> unsigned { return i < size ? data[i++] : 0; };
  while (i < size) {
    unsigned op = next() % 11;
    size_t n = stack.size();
    if (op == 0) {
      size_t length = next() % 16;
      char* text = static_cast<char*>(Allocate(length + 1));
      size_t k = 0;
      while (k < length && i < size) text[k++] = static_cast<char>(next());
      text[k] = '\0';
      if (n < MaxStack) stack.push_back(LayoutText(text));
    } else if (op == 1) {
      if (n < MaxStack) stack.push_back(EmptyLayout());
    } else if (op >= 2 && op <= 5 && n >= 2) {
      LayoutNode* b = stack[n - 1];
      LayoutNode* a = stack[n - 2];
      if (!Small(a, b)) continue;
      if (op == 5 && (LayoutHeight(a) > 0 || LayoutHeight(b) > 0)) continue;
      stack.pop_back();
      stack.back() = op == 2   ? LayoutBeside(a, b)
                     : op == 3 ? LayoutBesideSpace(a, b)
                     : op == 4 ? LayoutAbove(a, b)
                               : LayoutConcat(a, b);
    } else if (op == 6 && n >= 3) {
      bool oneLine = true;
      for (size_t k = n - 3; k < n; ++k) oneLine = oneLine && LayoutHeight(stack[k]) <= 0;
      // A row whose first element is empty prints no prefix at all, so as a
      // later line of a block it would lose its indentation; the programs
      // build rows only from joins, which start with a non-empty element.
      if (!oneLine || LayoutHeight(stack[n - 3]) < 0) continue;
      if (LayoutWidth(stack[n - 1]) + LayoutWidth(stack[n - 2]) + LayoutWidth(stack[n - 3]) >= MaxExtent) continue;
      ConsList row = PopList(stack, 3);
      stack.push_back(LayoutRow(row));
    } else if (op >= 7 && op <= 9) {
      size_t count = next() % 5;
      LayoutNode* separator = EmptyLayout();
      if (op != 7) {
        if (stack.empty()) continue;
        separator = stack.back();
        stack.pop_back();
      }
      std::vector<LayoutNode*> saved(stack.end() - static_cast<std::ptrdiff_t>(std::min(count, stack.size())), stack.end());
      ConsList list = PopList(stack, count);
      if (!ListSmall(list, separator)) {
        stack.insert(stack.end(), saved.begin(), saved.end());
        continue;
      }
      stack.push_back(op == 7 ? LayoutVertical(list)
                      : op == 8 ? LayoutJoin(list, separator)
                                : LayoutJoinLines(list, separator));
    } else if (op == 10 && n >= 1 && n < MaxStack) {
      stack.push_back(stack.back());
    }
  }
  for (LayoutNode* document : stack) CheckPrinted(document);
  return 0;
}
