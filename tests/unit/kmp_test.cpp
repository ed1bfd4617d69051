// KMPMatch: match lists, overlapping matches, case-folding, failure tables,
// and agreement with a plain search on many generated texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/kmp.h"

namespace {

std::vector<int32_t> Positions(ConsList list) {
  std::vector<int32_t> result;
  for (; list != nullptr; list = list->tail) result.push_back(KMPPositionOf(list));
  return result;
}

// Every start position, by comparing at each index.
std::vector<int32_t> PlainSearch(const std::string& text, const std::string& pattern) {
  std::vector<int32_t> result;
  if (pattern.empty()) return result;
  for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
    if (text.compare(i, pattern.size(), pattern) == 0) result.push_back(static_cast<int32_t>(i));
  }
  return result;
}

class KMPTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitKMPMatch(); }
};

TEST_F(KMPTest, FindsEveryOccurrence) {
  struct Case {
    const char* name;
    const char* text;
    const char* pattern;
    int32_t exact;
    std::vector<int32_t> positions;
  };
  const Case cases[] = {
      {"dots of a dotted name", "a.b.c", ".", 1, {1, 3}},
      {"overlapping occurrences", "aaaa", "aa", 1, {0, 1, 2}},
      {"overlap through a border", "abababa", "aba", 1, {0, 2, 4}},
      {"empty text", "", "a", 1, {}},
      {"pattern longer than text", "ab", "abc", 1, {}},
      {"no occurrence", "abcabc", "cb", 1, {}},
      {"path list with separator appended", "x:y:", ":", 1, {1, 3}},
      {"exact keeps case apart", "aAa", "a", 1, {0, 2}},
      {"inexact folds a to z", "aAa", "a", 0, {0, 1, 2}},
      {"inexact folds pattern too", "xAbAB", "ab", 0, {1, 3}},
      {"inexact leaves other bytes alone", "\xe9\xc9", "\xe9", 0, {0}},
      {"inexact leaves punctuation alone", "@`[{", "`", 0, {1}},
      {"empty pattern gives nothing", "abc", "", 1, {}},
      {"empty pattern in empty text", "", "", 1, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Positions(KMPFindAll(c.text, c.pattern, c.exact)), c.positions) << c.name;
    int32_t first = c.positions.empty() ? -1 : c.positions.front();
    EXPECT_EQ(KMPFindFirst(c.text, c.pattern, c.exact), first) << c.name;
  }
}

TEST_F(KMPTest, FailureTableHoldsLastIndexOfLongestBorder) {
  struct Case {
    const char* pattern;
    int32_t exact;
    std::vector<int32_t> entries;
  };
  const Case cases[] = {
      {"a", 1, {-1}},
      {"abab", 1, {-1, -1, 0, 1}},
      {"aabaaab", 1, {-1, 0, -1, 0, 1, 1, 2}},
      {"aA", 1, {-1, -1}},
      {"aA", 0, {-1, 0}},
  };
  for (const Case& c : cases) {
    auto length = static_cast<int32_t>(std::string(c.pattern).size());
    KMPTable* table = KMPFailureTable(length, c.pattern, c.exact);
    ASSERT_EQ(table->length, length);
    EXPECT_EQ(std::vector<int32_t>(table->entries, table->entries + length), c.entries) << c.pattern;
  }
}

// Small alphabets give many borders and overlaps, where a wrong failure
// step would show.
TEST_F(KMPTest, AgreesWithPlainSearchOnGeneratedTexts) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    int alphabet = 2 + round % 2;
    auto word = [&](int length) {
      std::string s;
      for (int i = 0; i < length; ++i) s.push_back(static_cast<char>('a' + random() % alphabet));
      return s;
    };
    std::string text = word(static_cast<int>(random() % 40));
    std::string pattern = word(1 + static_cast<int>(random() % 5));
    ASSERT_EQ(Positions(KMPFindAll(text.c_str(), pattern.c_str(), 1)), PlainSearch(text, pattern))
        << text << " / " << pattern;
  }
}

}  // namespace
