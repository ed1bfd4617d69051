// The identifier table: interned names.
//
// Every name the system keeps becomes one shared Identifier record, so equal
// texts give the same record and names are compared by identity. The table
// has 1024 buckets, chosen by a hash of the first and last character and the
// length. It only grows, except that a program parsing one unit after another
// may have it forget the names a unit made (MarkIdentifiers,
// RewindIdentifiers).
#pragma once

#include <cstddef>
#include <cstdint>

struct Identifier {
  Identifier* next;  // following record of the same bucket, or null
  int32_t length;    // number of characters
  uint32_t hash;     // the table's own hash of the text (it places the record)
  void* memo;        // null when made; the table never touches it again
  char* text;        // heap copy of the characters and a NUL byte
};

// Interns buffer[first] .. buffer[last], both included; last = first - 1 is
// the empty text. Never null.
Identifier* MakeIdentifier(const unsigned char* buffer, int32_t first, int32_t last);
Identifier* MakeIdentifier(const char* buffer, int32_t first, int32_t last);

// Interns a NUL-terminated string (its NUL not included); null gives null.
Identifier* IdentifierOf(const char* text);

// The record of buffer[first] .. buffer[last] when that text has been
// interned, else null; it never makes a record.
Identifier* FindIdentifier(const char* buffer, int32_t first, int32_t last);

// The bucket of n characters starting at chars (0 for n = 0).
int32_t IdentifierBucket(const unsigned char* chars, int32_t n);

// Head of a bucket's chain, in the order the names were first interned.
Identifier* IdentifierBucketHead(int32_t bucket);

// ---- Forgetting the names of a unit ----
//
// 1. MarkIdentifiers returns a mark of the table as it is now. From the first
//    mark on, a new record and its text are made in the current arena (the
//    unit region of the caller) instead of the permanent heap, and the table
//    notes it.
// 2. RewindIdentifiers(mark) takes out of the chains and the lookup every
//    record made after the mark, newest first, so the table is again what it
//    was at the mark; the next interning of such a text makes a new record.
//    It must be called while the forgotten records' memory is still valid,
//    i.e. before the arena they came from is rewound, and nothing may keep
//    one of them (or its memo) afterwards.
// 3. Names made before the first mark (keywords, module inits) stay for the
//    run; a program that never marks keeps every name, as before.
struct IdentifierMark {
  size_t made;  // count of records made under marks when it was taken
};
IdentifierMark MarkIdentifiers();
void RewindIdentifiers(IdentifierMark mark);

// Once-only init of the table.
void InitIdentifierTable();

// Write the identifier's text, without a newline, to the standard error
// stream or to standard output; null writes nothing.
void PrintIdentifier(const Identifier* identifier);
void PrintIdentifierStdout(const Identifier* identifier);
