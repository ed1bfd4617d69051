// Layout: indentation of later lines when the left side's last line is made
// of compositions. Found by the Layout fuzz target: a vertical list with a
// single non-empty element is a block of one line, which used to print
// nothing where it stands in a prefix, so the lines below lost its width of
// indentation.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/conslist.h"
#include "support/layout.h"
#include "support/output.h"

namespace {

std::string Printed(const LayoutNode* document) {
  char pattern[] = "/tmp/layout_prefix_test.XXXXXX";
  int fd = mkstemp(pattern);
  EXPECT_GE(fd, 0);
  close(fd);
  OpenOutput(pattern);
  PrintLayout(document);
  CloseOutput();
  std::ifstream in(pattern, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  unlink(pattern);
  return text;
}

TEST(LayoutPrefixTest, VerticalWithOneNonEmptyElementIndentsLikeThatElement) {
  InitLayout();
  LayoutNode* plus = LayoutText("+");
  LayoutNode* single = LayoutVertical(Cons(plus, Cons(EmptyLayout(), nullptr)));
  EXPECT_EQ(LayoutHeight(single), 0);

  // Two of them side by side, twice above each other, placed beside itself:
  // the right side's second line is indented by the left side's last line.
  LayoutNode* pair = LayoutConcat(single, single);
  LayoutNode* block = LayoutAbove(pair, pair);
  LayoutNode* document = LayoutBeside(block, block);
  EXPECT_EQ(Printed(document), "++\n++++\n  ++");
  EXPECT_EQ(LayoutLastLineWidth(document), 4);
}

}  // namespace
