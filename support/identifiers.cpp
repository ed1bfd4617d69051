// The identifier table: 1024 bucket chains of Identifier records.
//
// A name's bucket is one hash of two characters and the length, and new
// records go at the end of their chain, so a chain keeps the order in which its
// names were first seen. That hash clusters badly once a run has interned the
// names of thousands of files, so lookups go through a side index keyed by a
// hash of all the characters (open addressing, doubled at half load; its size
// is internal and no result depends on it), and each
// chain's last record is kept for the append; the chains themselves are
// exactly what a walk of the buckets would build.
//
// Forgetting a unit's names (MarkIdentifiers, RewindIdentifiers):
//   1. From the first mark on, every new record is also noted in a list, oldest
//      first, together with the record its chain ended in before it.
//   2. A rewind takes the list's records after the mark newest first: the
//      record is the last of its chain then, so the chain is cut behind the
//      noted record (or emptied).
//   3. In the side index, a record put in after the index last grew is the
//      newest one there when its turn comes: emptying its slot leaves the
//      index exactly as it was before the record came. An older record (the
//      growth moved it) leaves by backward shifting: the records after it in
//      its probe run that may move into the hole do, so every remaining
//      record is still found on its probe run.
#include "support/identifiers.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "support/heap.h"
#include "support/limits.h"
#include "support/startup.h"

namespace {

int32_t IdentifierTableInitFlag = 0;
Identifier* Buckets[IdentifierBucketCount];
Identifier* BucketTails[IdentifierBucketCount];

// The side index: slots of records (null = free), a power of two in size.
std::vector<Identifier*> IndexSlots(4096, nullptr);
size_t IndexUsed = 0;

// A hash of all the characters, eight at a time: each word is mixed in by one
// multiplication; the last up to seven characters are read as two
// overlapping 4-byte loads or, below four, as their first, middle and last
// byte. It reads no byte outside the text. Equal texts hash alike, which is
// all that interning needs; collisions cost only a longer probe.
uint64_t Load64(const unsigned char* at) {
  uint64_t word;
  memcpy(&word, at, sizeof word);
  return word;
}

uint64_t Load32(const unsigned char* at) {
  uint32_t word;
  memcpy(&word, at, sizeof word);
  return word;
}

uint64_t Mix(uint64_t h, uint64_t word) {
  h = (h ^ word) * 0x9E3779B97F4A7C15u;
  return h ^ (h >> 29);
}

uint32_t FullHash(const unsigned char* chars, int32_t n) {
  uint64_t h = static_cast<uint64_t>(n) * 0xC2B2AE3D27D4EB4Fu;
  int32_t rest = n;
  for (; rest >= 8; rest -= 8, chars += 8) h = Mix(h, Load64(chars));
  if (rest >= 4) {
    h = Mix(h, Load32(chars) << 32 | Load32(chars + rest - 4));
  } else if (rest > 0) {
    h = Mix(h, uint64_t{chars[0]} << 16 | uint64_t{chars[rest >> 1]} << 8 | chars[rest - 1]);
  }
  return static_cast<uint32_t>(h ^ (h >> 32));
}

// True when the n characters at a and b are equal: memcmp's answer, read as
// FullHash reads (words, overlapping loads for the rest, no byte outside the
// texts), without a library call for the short texts that names mostly are.
bool SameText(const char* text, const unsigned char* chars, int32_t n) {
  const auto* a = reinterpret_cast<const unsigned char*>(text);
  int32_t rest = n;
  for (; rest >= 8; rest -= 8, a += 8, chars += 8) {
    if (Load64(a) != Load64(chars)) return false;
  }
  if (rest >= 4) return Load32(a) == Load32(chars) && Load32(a + rest - 4) == Load32(chars + rest - 4);
  for (int32_t i = 0; i < rest; ++i) {
    if (a[i] != chars[i]) return false;
  }
  return true;
}

// The slot where the record's probe run starts (the index never has more
// than 2^32 slots).
size_t HomeSlot(const Identifier* record, size_t mask) { return record->hash & mask; }

void InsertIntoIndex(Identifier* record) {
  size_t mask = IndexSlots.size() - 1;
  size_t slot = HomeSlot(record, mask);
  while (IndexSlots[slot] != nullptr) slot = (slot + 1) & mask;
  IndexSlots[slot] = record;
}

void RemoveFromIndex(const Identifier* record) {
  size_t mask = IndexSlots.size() - 1;
  size_t hole = HomeSlot(record, mask);
  while (IndexSlots[hole] != record) hole = (hole + 1) & mask;
  for (size_t next = (hole + 1) & mask; IndexSlots[next] != nullptr; next = (next + 1) & mask) {
    // The record at next may fill the hole when its home does not lie
    // between the hole and next (cyclically), else its run would pass the hole.
    size_t home = HomeSlot(IndexSlots[next], mask);
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      IndexSlots[hole] = IndexSlots[next];
      hole = next;
    }
  }
  IndexSlots[hole] = nullptr;
  IndexUsed -= 1;
}

void GrowIndex() {
  std::vector<Identifier*> old(IndexSlots.size() * 2, nullptr);
  old.swap(IndexSlots);
  for (Identifier* record : old)
    if (record != nullptr) InsertIntoIndex(record);
}

// The records made since the first mark, oldest first, each with its bucket,
// the last record of its chain before it (null: the chain was empty) and the
// index slot it was put in.
struct MadeRecord {
  Identifier* record;
  Identifier* previousTail;
  int32_t bucket;
  uint32_t slot;
};
std::vector<MadeRecord> MadeUnderMark;
bool Marked = false;
// The records of the list below this count were in the index when it last
// grew, which moved them: their slots are out of date.
size_t MadeBeforeGrowth = 0;

// Makes the record of n characters; the text is a copy with a NUL. Before
// the first mark both are on the permanent heap: such an identifier lives for
// the whole run, whichever unit first met it. After it they are in the
// current arena, as a rewind forgets them.
void* IdentifierBytes(size_t size) { return Marked ? Allocate(size) : AllocatePermanent(size); }

Identifier* NewIdentifier(int32_t n, const unsigned char* chars, uint32_t hash) {
  auto* record = static_cast<Identifier*>(IdentifierBytes(sizeof(Identifier)));
  auto* text = static_cast<char*>(IdentifierBytes(static_cast<size_t>(n) + 1));
  if (n > 0) memcpy(text, chars, static_cast<size_t>(n));
  text[n] = '\0';
  record->next = nullptr;
  record->length = n;
  record->hash = hash;
  record->memo = nullptr;
  record->text = text;
  return record;
}

// Makes the record of the text that the search of MakeIdentifier did not
// find, ending its bucket's chain; slot is the free slot that ended the
// search, where an insertion goes. Kept out of line, so that the search, which
// finds most names, saves no registers for it.
[[gnu::noinline]] Identifier* AddIdentifier(const unsigned char* chars, int32_t n, uint32_t hash, size_t slot) {
  int32_t bucket = IdentifierBucket(chars, n);
  Identifier* record = NewIdentifier(n, chars, hash);
  if (Marked) MadeUnderMark.push_back(MadeRecord{record, BucketTails[bucket], bucket, static_cast<uint32_t>(slot)});
  if (BucketTails[bucket] == nullptr) {
    Buckets[bucket] = record;
  } else {
    BucketTails[bucket]->next = record;
  }
  BucketTails[bucket] = record;
  IndexSlots[slot] = record;
  if (2 * (++IndexUsed) > IndexSlots.size()) {
    GrowIndex();
    MadeBeforeGrowth = MadeUnderMark.size();
  }
  return record;
}

}  // namespace

int32_t IdentifierBucket(const unsigned char* chars, int32_t n) {
  if (n <= 0) return 0;
  uint32_t length = static_cast<uint32_t>(n);
  uint32_t h = (uint32_t{chars[0]} * 8) ^ uint32_t{chars[n - 1]} ^ length ^ (length * 64);
  return static_cast<int32_t>(h & (IdentifierBucketCount - 1));
}

Identifier* IdentifierBucketHead(int32_t bucket) {
  if (bucket < 0 || bucket >= IdentifierBucketCount) return nullptr;
  return Buckets[bucket];
}

namespace {

// The record of the text in the index, or null with *slot the free slot
// where it would go.
inline Identifier* SearchIndex(const unsigned char* chars, int32_t n, uint32_t hash, size_t* slot) {
  size_t mask = IndexSlots.size() - 1;
  size_t at = hash & mask;
  for (; IndexSlots[at] != nullptr; at = (at + 1) & mask) {
    Identifier* record = IndexSlots[at];
    if (record->hash == hash && record->length == n && SameText(record->text, chars, n)) return record;
  }
  *slot = at;
  return nullptr;
}

}  // namespace

Identifier* MakeIdentifier(const unsigned char* buffer, int32_t first, int32_t last) {
  int32_t n = last - first + 1;
  if (n < 0) n = 0;
  const unsigned char* chars = buffer + first;
  uint32_t hash = FullHash(chars, n);
  size_t slot;
  if (Identifier* record = SearchIndex(chars, n, hash, &slot)) return record;
  return AddIdentifier(chars, n, hash, slot);
}

Identifier* MakeIdentifier(const char* buffer, int32_t first, int32_t last) {
  return MakeIdentifier(reinterpret_cast<const unsigned char*>(buffer), first, last);
}

Identifier* FindIdentifier(const char* buffer, int32_t first, int32_t last) {
  int32_t n = last - first + 1;
  if (n < 0) n = 0;
  const auto* chars = reinterpret_cast<const unsigned char*>(buffer) + first;
  size_t slot;
  return SearchIndex(chars, n, FullHash(chars, n), &slot);
}

Identifier* IdentifierOf(const char* text) {
  if (text == nullptr) return nullptr;
  return MakeIdentifier(text, 0, static_cast<int32_t>(strlen(text)) - 1);
}

IdentifierMark MarkIdentifiers() {
  Marked = true;
  return IdentifierMark{MadeUnderMark.size()};
}

void RewindIdentifiers(IdentifierMark mark) {
  while (MadeUnderMark.size() > mark.made) {
    MadeRecord made = MadeUnderMark.back();
    MadeUnderMark.pop_back();
    BucketTails[made.bucket] = made.previousTail;
    if (made.previousTail == nullptr) {
      Buckets[made.bucket] = nullptr;
    } else {
      made.previousTail->next = nullptr;
    }
    if (MadeUnderMark.size() >= MadeBeforeGrowth) {
      // The newest record in the index, in the slot it was put in: taking it
      // out leaves the index as it was before it came.
      IndexSlots[made.slot] = nullptr;
      IndexUsed -= 1;
    } else {
      RemoveFromIndex(made.record);
    }
  }
  if (MadeBeforeGrowth > mark.made) MadeBeforeGrowth = mark.made;
}

void InitIdentifierTable() {
  if (!EnterModuleInit(IdentifierTableInitFlag)) return;
  InitRuntimeBase();
  RegisterRootRange(&Buckets[0], &Buckets[IdentifierBucketCount - 1], 0);
}

void PrintIdentifier(const Identifier* identifier) {
  if (identifier == nullptr) return;
  fwrite(identifier->text, 1, static_cast<size_t>(identifier->length), StderrStream);
}

void PrintIdentifierStdout(const Identifier* identifier) {
  if (identifier == nullptr) return;
  fwrite(identifier->text, 1, static_cast<size_t>(identifier->length), StdoutStream);
}
