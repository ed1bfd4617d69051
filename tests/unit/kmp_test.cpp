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

// --- The list family --------------------------------------------------------

ConsList CharList(const std::string& text) {
  ConsListBuilder list;
  for (char c : text) list.Add(reinterpret_cast<void*>(static_cast<intptr_t>(c)));
  return list.head;
}

ConsList IntList(const std::vector<int32_t>& values) {
  ConsListBuilder list;
  for (int32_t v : values) list.Add(reinterpret_cast<void*>(static_cast<intptr_t>(v)));
  return list.head;
}

// Pairs of two words, from two strings of the same length: pair i holds
// the addresses of two interned one-letter words.
ConsList PairList(const std::string& firsts, const std::string& seconds) {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
  ConsListBuilder list;
  for (size_t i = 0; i < firsts.size(); ++i) {
    auto* pair = static_cast<KMPWordPair*>(Allocate(sizeof(KMPWordPair)));
    pair->first = const_cast<char*>(&letters[firsts[i] - 'a']);
    pair->second = const_cast<char*>(&letters[seconds[i] - 'a']);
    list.Add(pair);
  }
  return list.head;
}

int32_t SameChar(char a, char b) { return a == b ? 1 : 0; }
int32_t SameCharIgnoringCase(char a, char b) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  return upper(a) == upper(b) ? 1 : 0;
}
int32_t SameInt(int32_t a, int32_t b) { return a == b ? 1 : 0; }
// Equal when the values are within `*tolerance` of each other: a closure
// with an environment.
int32_t NearInt(void* tolerance, int32_t a, int32_t b) {
  int32_t t = *static_cast<int32_t*>(tolerance);
  return (a - b <= t && b - a <= t) ? 1 : 0;
}
int32_t SamePair(KMPWordPair a, KMPWordPair b) { return a.first == b.first && a.second == b.second ? 1 : 0; }

TEST_F(KMPTest, ListFamilyFindsWhatTheStringSearchFinds) {
  struct Case {
    const char* name;
    const char* text;
    const char* pattern;
    std::vector<int32_t> positions;
  };
  const std::vector<Case> cases = {
      {"dots", "a.b.c", ".", {1, 3}},
      {"overlaps", "aaaa", "aa", {0, 1, 2}},
      {"borders", "abababcab", "abab", {0, 2}},
      {"none", "abc", "d", {}},
      {"pattern longer than the text", "ab", "abc", {}},
      {"empty text", "", "a", {}},
      {"empty pattern", "abc", "", {}},
  };
  KMPCharMatch same = MakeClosure(SameChar);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConsList text = CharList(c.text);
    ConsList pattern = CharList(c.pattern);
    EXPECT_EQ(Positions(KMPFindAllChars(text, pattern, same)), c.positions);
    KMPCharCell* linked = KMPLinkChars(pattern, same);
    EXPECT_EQ(KMPLengthChars(linked), static_cast<int32_t>(std::string(c.pattern).size()));
    EXPECT_EQ(Positions(KMPFindAllLinkedChars(text, linked, same)), c.positions);
    int32_t first = c.positions.empty() ? -1 : c.positions.front();
    EXPECT_EQ(KMPFindFirstChars(text, pattern, same), first);
    EXPECT_EQ(KMPFindFirstLinkedChars(text, linked, same), first);
    if (!std::string(c.pattern).empty()) {
      EXPECT_EQ(Positions(KMPFindAll(c.text, c.pattern, 1)), c.positions);
    }
  }
  // The closure decides what matches.
  EXPECT_EQ(Positions(KMPFindAllChars(CharList("xAbaB"), CharList("ab"), MakeClosure(SameCharIgnoringCase))),
            (std::vector<int32_t>{1, 3}));
}

TEST_F(KMPTest, LinkedPatternCellsHoldTheFailureTable) {
  for (const char* pattern : {"abab", "aabaaa", "abcabd", "a"}) {
    KMPCharCell* linked = KMPLinkChars(CharList(pattern), MakeClosure(SameChar));
    auto length = static_cast<int32_t>(std::string(pattern).size());
    KMPTable* table = KMPFailureTable(length, pattern, 1);
    std::vector<KMPCharCell*> cells;
    for (KMPCharCell* cell = linked; cell != nullptr; cell = cell->next) cells.push_back(cell);
    ASSERT_EQ(static_cast<int32_t>(cells.size()), length);
    for (int32_t i = 0; i < length; ++i) {
      EXPECT_EQ(cells[i]->element, pattern[i]);
      int32_t link = table->entries[i];
      EXPECT_EQ(cells[i]->failure, link < 0 ? nullptr : cells[link]) << pattern << " " << i;
    }
  }
}

TEST_F(KMPTest, IntAndPairListsUseTheirClosures) {
  ConsList text = IntList({5, 1, 2, 1, 2, 1, 9});
  KMPIntMatch same = MakeClosure(SameInt);
  EXPECT_EQ(Positions(KMPFindAllInts(text, IntList({1, 2, 1}), same)), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(KMPFindFirstInts(text, IntList({2, 1, 9}), same), 4);
  EXPECT_EQ(KMPFindFirstInts(text, IntList({9, 9}), same), -1);
  KMPIntCell* linked = KMPLinkInts(IntList({1, 2}), same);
  EXPECT_EQ(KMPLengthInts(linked), 2);
  EXPECT_EQ(Positions(KMPFindAllLinkedInts(text, linked, same)), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(KMPFindFirstLinkedInts(text, linked, same), 1);
  int32_t tolerance = 1;
  KMPIntMatch near = MakeClosure(static_cast<void*>(&tolerance), NearInt);
  EXPECT_EQ(Positions(KMPFindAllInts(IntList({10, 21, 30, 19}), IntList({20}), near)),
            (std::vector<int32_t>{1, 3}));

  KMPPairMatch samePair = MakeClosure(SamePair);
  // Pairs match only when both words do.
  ConsList pairs = PairList("abab", "xyxx");
  EXPECT_EQ(Positions(KMPFindAllPairs(pairs, PairList("ab", "xy"), samePair)), (std::vector<int32_t>{0}));
  EXPECT_EQ(Positions(KMPFindAllPairs(pairs, PairList("a", "x"), samePair)), (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(KMPFindFirstPairs(pairs, PairList("bb", "xx"), samePair), -1);
  KMPPairCell* linkedPairs = KMPLinkPairs(PairList("ab", "xx"), samePair);
  EXPECT_EQ(KMPLengthPairs(linkedPairs), 2);
  EXPECT_EQ(Positions(KMPFindAllLinkedPairs(pairs, linkedPairs, samePair)), (std::vector<int32_t>{2}));
  EXPECT_EQ(KMPFindFirstLinkedPairs(pairs, linkedPairs, samePair), 2);
}

TEST_F(KMPTest, StepsFollowMatchesAndFailureLinks) {
  KMPCharMatch same = MakeClosure(SameChar);
  KMPCharCell* pattern = KMPLinkChars(CharList("aab"), same);
  KMPCharCell* state = KMPStepChars(nullptr, pattern, 'a', same);
  EXPECT_EQ(state, pattern);
  state = KMPStepChars(state, pattern, 'a', same);
  EXPECT_EQ(state, pattern->next);
  // A third 'a' falls back along the failure link and matches again.
  EXPECT_EQ(KMPStepChars(state, pattern, 'a', same), pattern->next);
  EXPECT_EQ(KMPStepChars(state, pattern, 'x', same), nullptr);
  KMPCharCell* complete = KMPStepChars(state, pattern, 'b', same);
  EXPECT_EQ(complete->next, nullptr);
}

TEST_F(KMPTest, AStepFromACompleteMatchIsAnInternalError) {
  KMPCharMatch same = MakeClosure(SameChar);
  KMPCharCell* pattern = KMPLinkChars(CharList("ab"), same);
  KMPCharCell* complete = pattern->next;
  ASSERT_EQ(complete->next, nullptr);
  EXPECT_EXIT(KMPStepChars(complete, pattern, 'a', same), testing::ExitedWithCode(1),
              "^Internal error: \"KMPMatch\", line 156   Type error occurred\n$");
  KMPIntMatch sameInt = MakeClosure(SameInt);
  KMPIntCell* ints = KMPLinkInts(IntList({7}), sameInt);
  EXPECT_EXIT(KMPStepInts(ints, ints, 7, sameInt), testing::ExitedWithCode(1),
              "^Internal error: \"KMPMatch\", line 156   Type error occurred\n$");
}

}  // namespace
