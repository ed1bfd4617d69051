// Fuzz target: KMPMatch.
//
// The input is a flag byte (bit 0: exact comparison), then a pattern and a
// text separated by the first NUL byte (no NUL: the empty text). Both
// searches are checked against a plain search at every position: KMPFindAll
// must give exactly the start positions of every occurrence, overlapping
// ones included, in ascending order, and KMPFindFirst the first of them or
// -1; an empty pattern gives no positions. Splitting the text as a path list
// (the text with one ':' appended, searched for ':') must find the position
// of every ':' in it and the appended one last.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/conslist.h"
#include "support/kmp.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 8192;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::vector<int32_t> PlainSearch(const std::string& text, const std::string& pattern, bool exact) {
  std::vector<int32_t> found;
  if (pattern.empty()) return found;
  for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
    size_t j = 0;
    while (j < pattern.size() &&
           (exact ? text[i + j] == pattern[j] : Upper(text[i + j]) == Upper(pattern[j]))) {
      ++j;
    }
    if (j == pattern.size()) found.push_back(static_cast<int32_t>(i));
  }
  return found;
}

std::vector<int32_t> Positions(ConsList list) {
  std::vector<int32_t> positions;
  for (; list != nullptr; list = list->tail) positions.push_back(KMPPositionOf(list));
  return positions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxData) return 0;
  FuzzRuntime();
  InitKMPMatch();
  int32_t exact = data[0] & 1;
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t cut = rest.find('\0');
  std::string pattern = rest.substr(0, cut);
  std::string text = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
  text = text.substr(0, text.find('\0'));

  std::vector<int32_t> expected = PlainSearch(text, pattern, exact != 0);
  FUZZ_CHECK(Positions(KMPFindAll(text.c_str(), pattern.c_str(), exact)) == expected,
             "KMPFindAll finds every occurrence");
  int32_t first = KMPFindFirst(text.c_str(), pattern.c_str(), exact);
  FUZZ_CHECK(first == (expected.empty() ? -1 : expected.front()), "KMPFindFirst finds the first");

  std::string list = text + ":";
  std::vector<int32_t> separators = PlainSearch(list, ":", true);
  std::vector<int32_t> split = Positions(KMPFindAll(list.c_str(), ":", 1));
  FUZZ_CHECK(split == separators, "a path list splits at every separator");
  FUZZ_CHECK(!split.empty() && split.back() == static_cast<int32_t>(text.size()),
             "the appended separator ends the last entry");
  return 0;
}
