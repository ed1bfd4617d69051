// Layout: the kinds made by each composition, the measures, the printing
// cases (indentation by the left side's last line, tabs, text blocks, empty
// elements of joins), shared text nodes, and documents of a million lines
// or deeply nested compositions printed without recursion.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "output_capture.h"
#include "support/layout.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/services.h"

namespace {

namespace fs = std::filesystem;

class LayoutTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitLayout();
    char pattern[] = "/tmp/layout_test.XXXXXX";
    directory_ = mkdtemp(pattern);
  }
  static void TearDownTestSuite() { fs::remove_all(directory_); }

  // What PrintLayout writes for the document, through a file of its own.
  static std::string Printed(const LayoutNode* document) {
    return PrintedWith([document] { PrintLayout(document); });
  }

  // What the document's lines print when each is printed by itself with
  // PrintLayoutLine (pad 0, no prefix), "\n" between them: the line-by-line
  // road that PrintLayout's walk must agree with.
  static std::string PrintedByLines(const LayoutNode* document) {
    return PrintedWith([document] {
      int32_t last = LayoutHeight(document);
      for (int32_t line = 0; line < last; ++line) {
        PrintLayoutLine(document, line, 0, EmptyLayout());
        WriteString("\n");
      }
      PrintLayoutLine(document, last, 0, EmptyLayout());
    });
  }

  // What an action writes, through a file of its own.
  template <typename Action>
  static std::string PrintedWith(Action action) {
    return OutputOf(directory_ + "/printed.txt", action);
  }

  static std::string directory_;
};

std::string LayoutTest::directory_;

// Strings live as long as the program, as the texts of documents must.
LayoutNode* T(const char* text) { return LayoutText(text); }

ConsList List(std::initializer_list<LayoutNode*> elements) {
  std::vector<LayoutNode*> items(elements);
  ConsList list = nullptr;
  for (auto item = items.rbegin(); item != items.rend(); ++item) list = Cons(*item, list);
  return list;
}

TEST_F(LayoutTest, EmptyDocumentsPrintNothing) {
  EXPECT_EQ(Printed(EmptyLayout()), "");
  EXPECT_EQ(Printed(T("")), "");
  EXPECT_NE(T(""), EmptyLayout());
  // An empty text line below a document ends the output with one line feed.
  EXPECT_EQ(Printed(LayoutAbove(T("x"), T(""))), "x\n");
  EXPECT_EQ(Printed(LayoutAbove(LayoutVertical(List({T("a"), T("b")})), T(""))), "a\nb\n");
  EXPECT_EQ(Printed(LayoutAbove(EmptyLayout(), T(""))), "");
}

TEST_F(LayoutTest, CompositionsPrintTheirLines) {
  LayoutNode* A = T("A");
  LayoutNode* B = T("B");
  LayoutNode* C = T("C");
  LayoutNode* K = T("KKKKK");
  LayoutNode* S = T("S");
  struct Case {
    const char* name;
    LayoutNode* document;
    const char* printed;
  };
  const Case cases[] = {
      {"text", T("abc"), "abc"},
      {"text block", T("A\nB"), "A\nB"},
      {"text ending in a line feed", T("A\n"), "A\n"},
      {"text block beside a text: later lines at column 0", LayoutBeside(K, T("A\nB")), "KKKKKA\nB"},
      {"above beside a text: later lines indented", LayoutBeside(K, LayoutAbove(A, B)), "KKKKKA\n     B"},
      {"tab of the left side indents as a tab", LayoutBeside(T("\tK"), LayoutAbove(A, B)), "\tKA\n\t B"},
      {"nested indentation adds up", LayoutBeside(T("ab"), LayoutBeside(T("c"), LayoutAbove(A, B))),
       "abcA\n   B"},
      {"block beside a text continues its last line", LayoutBeside(LayoutAbove(A, T("bb")), C), "A\nbbC"},
      {"block beside a block", LayoutBeside(LayoutAbove(A, T("bb")), LayoutAbove(C, T("D"))), "A\nbbC\n  D"},
      {"text block below the indentation keeps no prefix",
       LayoutBeside(K, LayoutAbove(T("A\nB"), C)), "KKKKKA\nB\n     C"},
      {"an empty text line still prints its indentation", LayoutBeside(K, LayoutAbove(A, T(""))),
       "KKKKKA\n     "},
      // The later lines of a right side line up under its first line, also
      // when the left side's last line is itself indented.
      {"beside an indented last line", LayoutBeside(LayoutBeside(K, LayoutAbove(A, B)), LayoutAbove(C, S)),
       "KKKKKA\n     BC\n      S"},
      {"beside a text block's last line", LayoutBeside(LayoutBeside(K, T("A\nB")), LayoutAbove(C, S)),
       "KKKKKA\nBC\n S"},
      {"beside a one-line block", LayoutBeside(LayoutBeside(K, LayoutVertical(List({A, EmptyLayout()}))),
                                               LayoutAbove(C, S)),
       "KKKKKAC\n      S"},
      {"beside space", LayoutBesideSpace(T("a"), LayoutAbove(B, C)), "a B\n  C"},
      {"vertical skips empty elements", LayoutVertical(List({EmptyLayout(), A, EmptyLayout(), B, EmptyLayout()})),
       "A\nB"},
      {"vertical of blocks", LayoutVertical(List({LayoutAbove(A, B), C})), "A\nB\nC"},
      {"vertical under indentation", LayoutBeside(K, LayoutVertical(List({A, B, C}))),
       "KKKKKA\n     B\n     C"},
      {"join of one-line elements keeps empty ones", LayoutJoin(List({A, EmptyLayout(), C}), S), "ASSC"},
      {"join keeps the separator of a trailing empty element", LayoutJoin(List({A, EmptyLayout()}), S), "AS"},
      {"join skips leading empty elements", LayoutJoin(List({EmptyLayout(), A, C}), S), "ASC"},
      {"join with a block skips empty elements",
       LayoutJoin(List({A, EmptyLayout(), LayoutAbove(C, T("D"))}), S), "ASC\n  D"},
      {"join: row after the last block", LayoutJoin(List({LayoutAbove(A, B), C, EmptyLayout(), T("E")}), S),
       "A\nBSCSSE"},
      {"join with a block separator", LayoutJoin(List({A, C}), LayoutAbove(T(","), T(";"))), "A,\n ;C"},
      {"join lines", LayoutJoinLines(List({A, B}), S), "AS\nB"},
      {"join lines skips empty elements", LayoutJoinLines(List({A, EmptyLayout(), B, EmptyLayout()}), S),
       "AS\nB"},
      {"join lines of blocks", LayoutJoinLines(List({LayoutAbove(A, B), C}), S), "A\nBS\nC"},
      {"row keeps empty elements", LayoutRow(List({A, EmptyLayout(), B})), "AB"},
      // Only a row's first element is given the prefix; an empty one prints
      // nothing, not even the prefix.
      {"row with an empty first element", LayoutBeside(K, LayoutAbove(A, LayoutRow(List({EmptyLayout(), B, C})))),
       "KKKKKA\nBC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printed(c.document), c.printed) << c.name;
    EXPECT_EQ(PrintedByLines(c.document), c.printed) << c.name;
  }
}

TEST_F(LayoutTest, CompositionsMakeTheirKindsAndMeasures) {
  LayoutNode* A = T("A");
  LayoutNode* bb = T("bb");
  struct Case {
    const char* name;
    LayoutNode* document;
    int32_t kind;
    int32_t width;
    int32_t height;
    int32_t lastLineWidth;
  };
  const Case cases[] = {
      {"empty", EmptyLayout(), LayoutEmptyKind, 0, -1, 0},
      {"text", T("abc"), LayoutTextKind, 3, 0, 3},
      {"text block", T("abc\nd"), LayoutTextBlockKind, 3, 1, 1},
      {"text with a final line feed", T("x\n"), LayoutTextBlockKind, 1, 1, 0},
      {"beside of one-line documents", LayoutBeside(A, bb), LayoutPairKind, 3, 0, 3},
      {"row of three", LayoutRow(List({A, bb, A})), LayoutRowKind, 4, 0, 4},
      {"beside a block", LayoutBeside(LayoutAbove(T("abc"), bb), A), LayoutBlockKind, 3, 1, 3},
      {"block beside a text is wider", LayoutBeside(T("abcd"), LayoutAbove(A, T("xyz"))), LayoutBlockKind, 7, 1, 7},
      {"above", LayoutAbove(A, LayoutAbove(bb, A)), LayoutBlockKind, 2, 2, 1},
      {"vertical", LayoutVertical(List({A, LayoutAbove(bb, bb), A})), LayoutBlockKind, 2, 3, 1},
      {"vertical of one element and empties", LayoutVertical(List({bb, EmptyLayout()})), LayoutBlockKind, 2, 0, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.document->kind, c.kind) << c.name;
    EXPECT_EQ(LayoutWidth(c.document), c.width) << c.name;
    EXPECT_EQ(LayoutHeight(c.document), c.height) << c.name;
    EXPECT_EQ(LayoutLastLineWidth(c.document), c.lastLineWidth) << c.name;
  }
}

TEST_F(LayoutTest, EmptySidesAndShortListsGiveTheOtherDocument) {
  LayoutNode* A = T("A");
  LayoutNode* block = LayoutAbove(A, A);
  LayoutNode* empty = EmptyLayout();
  EXPECT_EQ(LayoutBeside(empty, A), A);
  EXPECT_EQ(LayoutBeside(block, empty), block);
  EXPECT_EQ(LayoutAbove(empty, block), block);
  EXPECT_EQ(LayoutAbove(A, empty), A);
  EXPECT_EQ(LayoutBesideSpace(empty, A), A);
  EXPECT_EQ(LayoutBesideSpace(A, empty), A);
  EXPECT_EQ(LayoutConcat(A, empty), A);
  EXPECT_EQ(LayoutVertical(nullptr), empty);
  EXPECT_EQ(LayoutVertical(List({empty, empty})), empty);
  EXPECT_EQ(LayoutVertical(List({empty, block})), block);
  EXPECT_EQ(LayoutJoin(List({empty, A}), T(",")), A);
  EXPECT_EQ(LayoutJoin(List({empty, block}), T(",")), block);
  EXPECT_EQ(LayoutJoinLines(List({empty, empty}), T(",")), empty);
  EXPECT_EQ(LayoutJoinLines(List({block}), T(",")), block);
  EXPECT_EQ(LayoutRow(nullptr), empty);
  EXPECT_EQ(LayoutRow(List({A})), A);
  EXPECT_EQ(LayoutRow(List({A, empty})), A);
}

TEST_F(LayoutTest, TextNodesAreSharedPerStringObject) {
  static const char once[] = "shared";
  static char first[] = "equal";
  static char second[] = "equal";
  EXPECT_EQ(LayoutText(once), LayoutText(once));
  EXPECT_NE(LayoutText(first), LayoutText(second));
  Identifier* name = IdentifierOf("java.lang");
  EXPECT_EQ(LayoutIdentifier(name), LayoutIdentifier(IdentifierOf("java.lang")));
  EXPECT_EQ(Printed(LayoutIdentifier(name)), "java.lang");
  // Many texts in the table: every one is still found.
  static std::vector<std::string>* texts = new std::vector<std::string>(5000);
  std::vector<LayoutNode*> nodes;
  for (size_t i = 0; i < texts->size(); ++i) {
    (*texts)[i] = std::string(i % 13, 'x');
    nodes.push_back(LayoutText((*texts)[i].c_str()));
  }
  for (size_t i = 0; i < texts->size(); ++i) ASSERT_EQ(LayoutText((*texts)[i].c_str()), nodes[i]);
}

// A million lines in the shapes that programs build: a list stacked at once,
// a document grown one line at a time below itself, and joined lines.
TEST_F(LayoutTest, MillionLineDocumentsPrintWhole) {
  const int lines = 1000000;
  LayoutNode* line = T("line");
  std::string expected;
  for (int i = 0; i < lines; ++i) expected += (i == 0 ? "line" : "\nline");

  ConsList list = nullptr;
  for (int i = 0; i < lines; ++i) list = Cons(line, list);
  EXPECT_EQ(Printed(LayoutVertical(list)), expected);

  LayoutNode* grown = line;
  for (int i = 1; i < lines; ++i) grown = LayoutAbove(grown, line);
  EXPECT_EQ(LayoutHeight(grown), lines - 1);
  EXPECT_EQ(Printed(grown), expected);

  LayoutNode* separated = LayoutJoinLines(list, T(";"));
  std::string joined;
  for (int i = 0; i < lines; ++i) joined += (i + 1 < lines ? "line;\n" : "line");
  EXPECT_EQ(Printed(separated), joined);
}

// Compositions nested a hundred thousand deep, on one line and across
// lines: composing and printing them needs no recursion per level.
TEST_F(LayoutTest, DeeplyNestedCompositionsPrintWhole) {
  const int depth = 100000;
  LayoutNode* x = T("x");

  LayoutNode* pairs = x;
  for (int i = 1; i < depth; ++i) pairs = LayoutBeside(pairs, x);
  EXPECT_EQ(Printed(pairs), std::string(depth, 'x'));
  EXPECT_EQ(PrintedByLines(pairs), std::string(depth, 'x'));

  // Each level indents the second line by one more column.
  LayoutNode* indented = LayoutAbove(T("a"), T("b"));
  for (int i = 0; i < depth; ++i) indented = LayoutBeside(x, indented);
  EXPECT_EQ(Printed(indented), std::string(depth, 'x') + "a\n" + std::string(depth, ' ') + "b");
  EXPECT_EQ(PrintedByLines(indented), Printed(indented));

  // A join folded beside itself once per element, ending in a block.
  ConsList list = Cons(LayoutAbove(T("a"), T("b")), nullptr);
  for (int i = 0; i < depth; ++i) list = Cons(x, list);
  std::string row;
  for (int i = 0; i < depth; ++i) row += "x,";
  EXPECT_EQ(Printed(LayoutJoin(list, T(","))), row + "a\n" + std::string(row.size(), ' ') + "b");

  LayoutNode* many = T("0\n1\n2\n3\n4\n5\n6\n7\n8\n9");
  EXPECT_EQ(LayoutHeight(many), 9);
  EXPECT_EQ(Printed(LayoutBeside(T("> "), many)), "> 0\n1\n2\n3\n4\n5\n6\n7\n8\n9");
}

// The right side's later lines line up under the left side's true last
// line, also when that line is itself indented: the configuration printer's
// f(1, 2) + g(3, 4) spread over lines.
TEST_F(LayoutTest, BesideLinesUpUnderTheTrueLastLine) {
  LayoutNode* f = LayoutBeside(T("f ( "), LayoutAbove(T("1,"), T("2 )")));
  LayoutNode* g = LayoutBeside(T(" + g ( "), LayoutAbove(T("3,"), T("4 )")));
  LayoutNode* sum = LayoutBeside(f, g);
  const char* expected = "f ( 1,\n    2 ) + g ( 3,\n              4 )";
  EXPECT_EQ(Printed(sum), expected);
  EXPECT_EQ(PrintedByLines(sum), expected);
  // f's last line is "2 )" indented by "f ( ": seven columns, not three.
  EXPECT_EQ(LayoutLastLineWidth(f), 7);
  EXPECT_EQ(LayoutLastLineWidth(sum), 7 + 7 + 3);
}

TEST_F(LayoutTest, PrintLayoutLinePadsAndIndents) {
  LayoutNode* A = T("A");
  LayoutNode* block = LayoutAbove(T("ab"), T("c"));
  struct Case {
    const char* name;
    LayoutNode* document;
    int32_t line;
    int32_t pad;
    LayoutNode* prefix;
    const char* printed;
  };
  const Case cases[] = {
      {"text filled to the pad", A, 0, 4, EmptyLayout(), "A   "},
      {"pad below the width adds nothing", T("abc"), 0, 1, EmptyLayout(), "abc"},
      {"prefix before the text", A, 0, 0, T("xy"), "  A"},
      {"tab of the prefix kept", A, 0, 0, T("\tx"), "\t A"},
      {"line past a text: prefix and pad", A, 1, 3, T("x"), "    "},
      {"pair filled after its right side", LayoutBeside(A, T("B")), 0, 5, T("x"), " AB   "},
      {"row filled after its last element", LayoutRow(List({A, T("B"), T("C")})), 0, 5, EmptyLayout(), "ABC  "},
      {"line of a block", block, 1, 3, T("-"), " c  "},
      {"vertical past its end: its width, then the pad", LayoutVertical(List({T("abc"), A})), 2, 5, T("x"),
       "      "},
      {"empty document prints nothing", EmptyLayout(), 0, 5, T("x"), ""},
      {"beside: left's last line unpadded, right filled", LayoutBeside(block, T("d")), 1, 4, EmptyLayout(),
       "cd  "},
      // The pad counts the columns after the given prefix.
      {"beside: right's later lines under the left's last line", LayoutBeside(T("k"), block), 1, 4, T(">"),
       "  c  "},
      {"text block's later lines without the prefix", T("a\nb"), 1, 2, T(">>"), "b "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintedWith([&c] { PrintLayoutLine(c.document, c.line, c.pad, c.prefix); }), c.printed) << c.name;
  }
}

TEST_F(LayoutTest, FurtherCompositionsPrintTheirLines) {
  LayoutNode* A = T("A");
  LayoutNode* B = T("B");
  LayoutNode* K = T("KKK");
  LayoutNode* block = LayoutAbove(T("ab"), T("c"));
  RealNotationSwitch = 0;
  RealTextPrecision = 2;
  struct Case {
    const char* name;
    LayoutNode* document;
    const char* printed;
  };
  const Case cases[] = {
      {"character", LayoutChar('q'), "q"},
      {"integer", LayoutInteger(-305), "-305"},
      {"real", LayoutReal(2.5), "2.50"},
      {"spaces", LayoutBeside(LayoutSpaces(3), A), "   A"},
      {"no spaces", LayoutBeside(LayoutSpaces(-1), A), "A"},
      {"blank lines", LayoutAbove(A, LayoutAbove(LayoutBlankLines(2), B)), "A\n\n\nB"},
      {"repeat", LayoutRepeat('-', 4), "----"},
      {"pad to a width", LayoutBeside(LayoutPadWidth(A, 3), B), "A  B"},
      {"pad pads the last line", LayoutBeside(LayoutPadWidth(block, 4), B), "ab\nc   B"},
      {"pad to a smaller width", LayoutPadWidth(K, 2), "KKK"},
      {"pad to lines", LayoutAbove(LayoutPadLines(A, 3), B), "A\n\n\nB"},
      {"parenthesized line", LayoutParenthesized(A), "(A)"},
      {"parenthesized block", LayoutParenthesized(block), "(ab\n c\n)"},
      {"indented", LayoutIndented(block), "  ab\n  c"},
      {"bracket", LayoutBracket(T("["), block, T("]")), "[ab\n c]"},
      {"balanced beside", LayoutBesideBalanced(List({A, block, B, block, K})), "Aab\n cBab\n   cKKK"},
      {"beside as text", LayoutBesideText(K, block), "KKKab\nc"},
      {"beside as text continues the last line", LayoutBesideText(block, LayoutAbove(A, B)), "ab\ncA\nB"},
      {"beside as text of a list", LayoutBesideTextList(List({T("x\ny"), T("z\nw"), A})), "x\nyz\nwA"},
      {"beside both", LayoutBesideBoth(A, block), "Aab\n c"},
      {"above both", LayoutAboveBoth(A, B), "A\nB"},
      {"above text both", LayoutBeside(K, LayoutAboveTextBoth(A, B)), "KKKA\nB"},
      {"columns", LayoutColumns(LayoutAbove(A, T("long")), block), "A   ab\nlongc"},
      {"columns with a shorter left side", LayoutColumns(K, block), "KKKab\n   c"},
      // The left side is filled on every line, also where the right has none.
      {"columns with a shorter right side", LayoutColumns(block, K), "abKKK\nc "},
      {"columns beside a text", LayoutBeside(T("> "), LayoutColumns(block, K)), "> abKKK\n  c "},
      {"three columns", LayoutColumns3(block, T("|"), LayoutAbove(A, B)), "ab|A\nc  B"},
      {"table", LayoutTable(Cons(List({A, T("bbb"), T("c")}), Cons(List({T("dd"), B}), nullptr)), T(" | ")),
       "A  | bbb | c\ndd | B"},
      {"table with a cell of two lines",
       LayoutTable(Cons(List({block, A}), Cons(List({T("xyz"), B}), nullptr)), T(":")), "ab :A\nc  \nxyz:B"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printed(c.document), c.printed) << c.name;
    EXPECT_EQ(PrintedByLines(c.document), c.printed) << c.name;
  }
  RealTextPrecision = RealTextStartPrecision;
  EXPECT_EQ(LayoutLineCount(EmptyLayout()), 0);
  EXPECT_EQ(LayoutLineCount(block), 2);
  EXPECT_EQ(LayoutBlankLines(0), EmptyLayout());
  EXPECT_EQ(LayoutBesideBoth(A, EmptyLayout()), EmptyLayout());
  EXPECT_EQ(LayoutAboveBoth(EmptyLayout(), A), EmptyLayout());
  EXPECT_EQ(LayoutAboveTextBoth(A, EmptyLayout()), EmptyLayout());
  EXPECT_EQ(LayoutBesideText(block, K)->kind, LayoutTextBlockKind);
  EXPECT_EQ(LayoutBesideBalanced(nullptr), EmptyLayout());
}

// A balanced composition prints as the documents put beside each other one
// by one, whatever the list's length. (Text blocks are left out: their later
// lines start at the start of the line, so they are indented differently
// when they stand inside the right-hand part of a composition.)
TEST_F(LayoutTest, BalancedBesidePrintsAsTheOneByOneComposition) {
  std::vector<LayoutNode*> parts = {T("a"), LayoutAbove(T("bc"), T("d")), T("\te"), LayoutAbove(T("f"), T("gh")),
                                    LayoutVertical(List({T("i"), T("jk"), T("l")}))};
  for (size_t n = 1; n <= 12; ++n) {
    ConsListBuilder list;
    LayoutNode* folded = EmptyLayout();
    for (size_t i = 0; i < n; ++i) {
      list.Add(parts[i % parts.size()]);
      folded = LayoutBeside(folded, parts[i % parts.size()]);
    }
    EXPECT_EQ(Printed(LayoutBesideBalanced(list.head)), Printed(folded)) << n;
  }
}

TEST_F(LayoutTest, PaddingThatWouldMakeTwoLinesIsAnInternalError) {
  EXPECT_EXIT(LayoutRepeat('\n', 2), testing::ExitedWithCode(1),
              "^Internal error: \"Layout\", line 92   Type error occurred\n$");
}

}  // namespace
