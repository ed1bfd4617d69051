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

size_t FullHash(const unsigned char* chars, int32_t n) {
  uint64_t h = static_cast<uint64_t>(n) * 0xC2B2AE3D27D4EB4Fu;
  int32_t rest = n;
  for (; rest >= 8; rest -= 8, chars += 8) h = Mix(h, Load64(chars));
  if (rest >= 4) {
    h = Mix(h, Load32(chars) << 32 | Load32(chars + rest - 4));
  } else if (rest > 0) {
    h = Mix(h, uint64_t{chars[0]} << 16 | uint64_t{chars[rest >> 1]} << 8 | chars[rest - 1]);
  }
  return static_cast<size_t>(h ^ (h >> 32));
}

void InsertIntoIndex(Identifier* record) {
  size_t mask = IndexSlots.size() - 1;
  size_t slot = FullHash(reinterpret_cast<const unsigned char*>(record->text), record->length) & mask;
  while (IndexSlots[slot] != nullptr) slot = (slot + 1) & mask;
  IndexSlots[slot] = record;
}

void GrowIndex() {
  std::vector<Identifier*> old(IndexSlots.size() * 2, nullptr);
  old.swap(IndexSlots);
  for (Identifier* record : old)
    if (record != nullptr) InsertIntoIndex(record);
}

// Makes the record of n characters; the text is a copy with a NUL. Both are
// on the permanent heap: an identifier lives for the whole run, whichever
// unit first met it.
Identifier* NewIdentifier(int32_t n, int32_t first, const unsigned char* buffer) {
  auto* record = static_cast<Identifier*>(AllocatePermanent(sizeof(Identifier)));
  auto* text = static_cast<char*>(AllocatePermanent(static_cast<size_t>(n) + 1));
  if (n > 0) memcpy(text, buffer + first, static_cast<size_t>(n));
  text[n] = '\0';
  record->next = nullptr;
  record->length = n;
  record->memo = nullptr;
  record->text = text;
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

Identifier* MakeIdentifier(const unsigned char* buffer, int32_t first, int32_t last) {
  int32_t n = last - first + 1;
  if (n < 0) n = 0;
  const unsigned char* chars = buffer + first;
  size_t mask = IndexSlots.size() - 1;
  for (size_t slot = FullHash(chars, n) & mask;; slot = (slot + 1) & mask) {
    Identifier* record = IndexSlots[slot];
    if (record == nullptr) break;
    if (record->length == n && memcmp(record->text, chars, static_cast<size_t>(n)) == 0) {
      return record;
    }
  }
  int32_t bucket = IdentifierBucket(chars, n);
  Identifier* record = NewIdentifier(n, first, buffer);
  if (BucketTails[bucket] == nullptr) {
    Buckets[bucket] = record;
  } else {
    BucketTails[bucket]->next = record;
  }
  BucketTails[bucket] = record;
  InsertIntoIndex(record);
  if (2 * (++IndexUsed) > IndexSlots.size()) GrowIndex();
  return record;
}

Identifier* MakeIdentifier(const char* buffer, int32_t first, int32_t last) {
  return MakeIdentifier(reinterpret_cast<const unsigned char*>(buffer), first, last);
}

Identifier* IdentifierOf(const char* text) {
  if (text == nullptr) return nullptr;
  return MakeIdentifier(text, 0, static_cast<int32_t>(strlen(text)) - 1);
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
