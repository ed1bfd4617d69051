// Identifier table: the bucket rule, interning by content, chain order, the
// memo slot, the printing primitives, and forgetting the names made after a
// mark.
#include "support/identifiers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/heap.h"
#include "support/startup.h"

namespace {

class Identifiers : public testing::Test {
 protected:
  void SetUp() override { InitRuntime(); }
};

// Position of record in its bucket's chain, or -1.
int ChainIndex(const Identifier* record, int32_t bucket) {
  int index = 0;
  for (Identifier* r = IdentifierBucketHead(bucket); r != nullptr; r = r->next, ++index) {
    if (r == record) return index;
  }
  return -1;
}

int32_t BucketOfText(const std::string& text) {
  return IdentifierBucket(reinterpret_cast<const unsigned char*>(text.data()),
                          static_cast<int32_t>(text.size()));
}

// Runs print with the stream handle pointed at a temporary file; returns
// what was written.
std::string Captured(FILE*& handle, void (*print)(const Identifier*), const Identifier* id) {
  FILE* saved = handle;
  FILE* file = tmpfile();
  handle = file;
  print(id);
  handle = saved;
  fflush(file);
  rewind(file);
  std::string text;
  for (int c; (c = fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
  fclose(file);
  return text;
}

TEST_F(Identifiers, BucketNumbersFollowTheHash) {
  const struct {
    const char* text;
    int32_t bucket;
  } cases[] = {{"abc", 936}, {"x", 1017}, {"java", 565}, {"String", 889}, {"EndOfFile", 4}, {"", 0},
               // Characters above 127 hash as unsigned bytes:
               // (255 * 8) ^ 128 ^ 2 ^ (2 * 64) = 2042, mod 1024 = 1018.
               {"\xff\x80", 1018}};
  for (const auto& c : cases) {
    EXPECT_EQ(BucketOfText(c.text), c.bucket) << c.text;
    Identifier* id = IdentifierOf(c.text);
    EXPECT_GE(ChainIndex(id, c.bucket), 0) << c.text << " not in its bucket's chain";
  }
}

TEST_F(Identifiers, EqualTextsGiveOneRecord) {
  const char buffer[] = "xxjavayyjava";
  Identifier* a = MakeIdentifier(buffer, 2, 5);
  Identifier* b = MakeIdentifier(buffer, 8, 11);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(buffer);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, IdentifierOf("java"));
  EXPECT_EQ(a, MakeIdentifier(bytes, 2, 5));
  EXPECT_NE(a, IdentifierOf("jave"));
  EXPECT_NE(a, IdentifierOf("javaa"));
  EXPECT_NE(a, IdentifierOf("jav"));
  EXPECT_EQ(a->length, 4);
  EXPECT_STREQ(a->text, "java");
  EXPECT_EQ(strlen(a->text), 4u);
}

// FindIdentifier answers the record of an interned text, from any buffer
// and range, and null for a text never interned, without making a record:
// the text stays unknown until it is interned.
TEST_F(Identifiers, FindingATextNeverMakesOne) {
  Identifier* made = IdentifierOf("found.Here");
  const char buffer[] = "<found.Here>";
  EXPECT_EQ(FindIdentifier(buffer, 1, 10), made);
  EXPECT_EQ(FindIdentifier("found.Her", 0, 8), nullptr);
  EXPECT_EQ(FindIdentifier("found.Here.", 0, 10), nullptr);
  EXPECT_EQ(FindIdentifier("found.Her", 0, 8), nullptr);
  EXPECT_EQ(FindIdentifier("", 0, -1), IdentifierOf(""));
  Identifier* later = IdentifierOf("found.Her");
  EXPECT_EQ(FindIdentifier("found.Her", 0, 8), later);
  EXPECT_NE(later, made);
}

// Texts of every length up to 20 that differ from a base text in exactly one
// byte, at every position: each is a record of its own, found again from
// another buffer, and the base text stays one record. (The lookup hashes the
// text in words and in overlapping pieces; this reaches each piece.)
TEST_F(Identifiers, TextsDifferingInOneByteAnywhereStayApart) {
  for (int32_t n = 1; n <= 20; ++n) {
    std::string base(static_cast<size_t>(n), 'k');
    Identifier* baseRecord = IdentifierOf(base.c_str());
    std::vector<Identifier*> seen{baseRecord};
    for (int32_t at = 0; at < n; ++at) {
      std::string text = base;
      text[static_cast<size_t>(at)] = '\x8a';
      Identifier* record = IdentifierOf(text.c_str());
      std::string copy = "##" + text + "##";
      EXPECT_EQ(MakeIdentifier(copy.c_str(), 2, n + 1), record) << n << " " << at;
      EXPECT_EQ(std::string(record->text, static_cast<size_t>(record->length)), text);
      for (Identifier* other : seen) EXPECT_NE(record, other) << n << " " << at;
      seen.push_back(record);
    }
    EXPECT_EQ(IdentifierOf(base.c_str()), baseRecord);
  }
}

TEST_F(Identifiers, EmptyTextIsOneRecordInBucketZero) {
  const char buffer[] = "abc";
  Identifier* empty = IdentifierOf("");
  EXPECT_EQ(empty, MakeIdentifier(buffer, 2, 1));
  EXPECT_EQ(empty, MakeIdentifier(buffer, 0, -1));
  EXPECT_EQ(empty->length, 0);
  EXPECT_STREQ(empty->text, "");
  EXPECT_GE(ChainIndex(empty, 0), 0);
}

TEST_F(Identifiers, NullStringGivesNull) { EXPECT_EQ(IdentifierOf(nullptr), nullptr); }

TEST_F(Identifiers, SharedBucketKeepsFirstInternedOrder) {
  // Same first and last character and length: same bucket.
  Identifier* first = IdentifierOf("q1z");
  Identifier* second = IdentifierOf("q2z");
  Identifier* third = IdentifierOf("q3z");
  int32_t bucket = BucketOfText("q1z");
  ASSERT_EQ(bucket, BucketOfText("q2z"));
  int a = ChainIndex(first, bucket);
  int b = ChainIndex(second, bucket);
  int c = ChainIndex(third, bucket);
  EXPECT_GE(a, 0);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_EQ(IdentifierOf("q2z"), second);
}

TEST_F(Identifiers, MemoStartsEmptyAndKeepsItsValue) {
  Identifier* id = IdentifierOf("memoTestName");
  EXPECT_EQ(id->memo, nullptr);
  int marker = 0;
  id->memo = &marker;
  std::string copy = "memoTestName";
  EXPECT_EQ(IdentifierOf(copy.c_str())->memo, &marker);
}

// The last record of a bucket's chain, or null.
Identifier* ChainEnd(int32_t bucket) {
  Identifier* end = nullptr;
  for (Identifier* r = IdentifierBucketHead(bucket); r != nullptr; r = r->next) end = r;
  return end;
}

// Names made in the unit region after a mark, as javaparse -each makes a
// file's names: the rewind takes them out of the chains and the lookup before
// the region is given back (a sanitizer build poisons it, so any later read of
// a forgotten record is reported). Enough names on both sides of the mark
// that the lookup index grows while marked and forgotten records sit in the
// probe runs of kept ones; two of them share the chain of two kept names.
TEST_F(Identifiers, RewindForgetsTheNamesMadeAfterTheMark) {
  std::vector<std::string> kept = {"r1z", "r2z"};
  for (int i = 0; i < 2000; ++i) kept.push_back("keptName" + std::to_string(i));
  std::vector<Identifier*> keptRecords;
  for (const std::string& text : kept) keptRecords.push_back(IdentifierOf(text.c_str()));
  int32_t bucket = BucketOfText("r1z");
  ASSERT_EQ(ChainEnd(bucket), keptRecords[1]);

  EnterUnitRegion();
  IdentifierMark mark = MarkIdentifiers();
  std::vector<std::string> made = {"r3z", "r4z"};
  for (int i = 0; i < 6000; ++i) made.push_back("madeName" + std::to_string(i));
  for (const std::string& text : made) {
    Identifier* record = IdentifierOf(text.c_str());
    record->memo = record;
  }
  ASSERT_EQ(ChainEnd(bucket), IdentifierOf("r4z"));
  RewindIdentifiers(mark);
  ASSERT_TRUE(EndUnitRegion());

  // What was there before the mark is found as it was, chains included.
  EXPECT_EQ(ChainEnd(bucket), keptRecords[1]);
  for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(IdentifierOf(kept[i].c_str()), keptRecords[i]) << kept[i];
  // A forgotten name interned again gets a fresh record that works like any.
  for (const std::string& text : made) {
    Identifier* again = IdentifierOf(text.c_str());
    ASSERT_STREQ(again->text, text.c_str());
    EXPECT_EQ(again->length, static_cast<int32_t>(text.size()));
    EXPECT_EQ(again->memo, nullptr) << text;
    EXPECT_EQ(IdentifierOf(text.c_str()), again);
  }
  EXPECT_EQ(ChainEnd(bucket), IdentifierOf("r4z"));
  EXPECT_EQ(ChainIndex(IdentifierOf("r3z"), bucket), ChainIndex(keptRecords[1], bucket) + 1);
  LeaveUnitRegion();
}

// Marks nest: a rewind to the inner mark keeps what came between the marks,
// one to the outer mark forgets that too.
TEST_F(Identifiers, RewindToAnOuterMarkForgetsTheInnerNames) {
  IdentifierMark outer = MarkIdentifiers();
  Identifier* between = IdentifierOf("betweenTheMarks");
  between->memo = between;
  IdentifierMark inner = MarkIdentifiers();
  IdentifierOf("afterTheInnerMark")->memo = between;
  RewindIdentifiers(inner);
  EXPECT_EQ(IdentifierOf("betweenTheMarks"), between);
  EXPECT_EQ(IdentifierOf("afterTheInnerMark")->memo, nullptr);
  RewindIdentifiers(outer);
  EXPECT_EQ(IdentifierOf("betweenTheMarks")->memo, nullptr);
  EXPECT_EQ(IdentifierOf("afterTheInnerMark")->memo, nullptr);
}

TEST_F(Identifiers, PrintingWritesTheTextOnly) {
  Identifier* id = IdentifierOf("Foo.java");
  EXPECT_EQ(Captured(StderrStream, PrintIdentifier, id), "Foo.java");
  EXPECT_EQ(Captured(StdoutStream, PrintIdentifierStdout, id), "Foo.java");
  EXPECT_EQ(Captured(StderrStream, PrintIdentifier, nullptr), "");
}

}  // namespace
