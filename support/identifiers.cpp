// The identifier table: 1024 bucket chains of Identifier records.
//
// A lookup costs one hash of two characters and the length and a chain walk
// that compares lengths before bytes. New records go at the end of their
// chain, so a chain keeps the order in which its names were first seen.
#include "support/identifiers.h"

#include <cstdio>
#include <cstring>

#include "support/heap.h"
#include "support/limits.h"
#include "support/startup.h"

namespace {

int32_t IdentifierTableInitFlag = 0;
Identifier* Buckets[IdentifierBucketCount];

// Makes the record of n characters; the text is a heap copy with a NUL.
Identifier* NewIdentifier(int32_t n, int32_t first, const unsigned char* buffer) {
  auto* record = static_cast<Identifier*>(AllocateAligned(sizeof(Identifier)));
  auto* text = static_cast<char*>(Allocate(static_cast<size_t>(n) + 1));
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
  int32_t bucket = IdentifierBucket(chars, n);
  Identifier* previous = nullptr;
  for (Identifier* record = Buckets[bucket]; record != nullptr; record = record->next) {
    if (record->length == n && memcmp(record->text, chars, static_cast<size_t>(n)) == 0) {
      return record;
    }
    previous = record;
  }
  Identifier* record = NewIdentifier(n, first, buffer);
  if (previous == nullptr) {
    Buckets[bucket] = record;
  } else {
    previous->next = record;
  }
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
