// Named limits of the support library and the programs built on it.
//
// Every fixed size of the system lives here, each with the reason for its
// value, so that buffers, tables and tests agree on one number.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

// Characters of the scanner buffer: the longest token, with the characters
// read beyond it before it is accepted, must fit in it.
inline constexpr int32_t ScanBufferSize = 131072;

// Bytes of one heap chunk; larger requests get a block of their own.
inline constexpr size_t HeapChunkSize = 65536;

// Bytes of one block of the unit region: a typical unit's records fit in a
// few of them, and a block is far above the C library's mapping threshold, so
// the blocks come straight from the system and are reused by every unit.
inline constexpr size_t RegionBlockSize = size_t{1} << 20;

// Bytes of one block of the parse-trace store, its header included: those of
// a heap chunk, so that the blocks a program gives back after its replay
// serve the C library's next requests for heap chunks in memory already
// mapped, and small enough that a small unit's trace stays in the
// processor's caches when the store is reused for the next parse.
inline constexpr size_t TraceBlockSize = HeapChunkSize;

// Hash buckets of the identifier table (the hash keeps ten bits).
inline constexpr int32_t IdentifierBucketCount = 1024;

// Bytes of the standard error stream's line buffer: a diagnostic line up to
// this length goes out in one write; a longer one in several.
inline constexpr size_t StderrLineBufferSize = 8192;

// Bytes of the output buffer between the programs and their output files.
inline constexpr int32_t OutputBufferSize = 32768;

// Entries of the line table and of the input-start table before their first
// doubling; enough for most single files without a copy.
inline constexpr int32_t LineTableStartCapacity = 2048;
inline constexpr int32_t InputStartStartCapacity = 2048;

// Characters that one ReadLine returns at most; a longer line comes in pieces.
inline constexpr int32_t ReadLineLimit = 10239;

// Digits after the point that RealText prints until a program changes it.
inline constexpr int32_t RealTextStartPrecision = 6;

// Stack reserved for a program's work, so that deeply nested input and long
// lists are handled by recursion without overflowing the default thread
// stack. The pages are only reserved; the system backs them when the
// recursion reaches them. The address sanitizer's frames are four to five
// times larger, and its builds (TOOLS_ADDRESS_SANITIZER, set here for either
// compiler's spelling) reserve as much more, so that they take the same inputs.
#if defined(__SANITIZE_ADDRESS__)
#define TOOLS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOOLS_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef TOOLS_ADDRESS_SANITIZER
inline constexpr size_t ProgramStackBytes = size_t{2} << 30;
#else
inline constexpr size_t ProgramStackBytes = size_t{512} << 20;
#endif

// Under an address-space or data limit (ulimit -v, ulimit -d), which the
// program thread's stack counts against as the heap does, the stack takes at
// most this fraction of the limit: a limit of eight times ProgramStackBytes or
// more gives the full stack, a smaller one an eighth of itself, and the heap
// keeps the rest. (A fixed stack would leave a limit just above it almost no
// heap, so that a larger limit failed where a smaller one, too small for the
// thread and left with the process stack, succeeded.) A level of nesting takes
// about a third as many bytes of stack as of heap (a Java parenthesis in
// caldrex some 160 of stack and 550 of heap), so with an eighth the stack runs
// out first: deep input ends with the parser's depth message, not with
// "Heapspace exceeded". An eighth of 400 MB still holds the Java parser's
// whole depth limit.
inline constexpr uint64_t ProgramStackShare = 8;

// Hash chains of the shared Layout text nodes at start: enough for the texts
// of a small result list or configuration; the table doubles as it fills.
inline constexpr int32_t LayoutTextChainCount = 1024;

// Hash chains of each table of shared directories and file paths.
inline constexpr int32_t FileNameChainCount = 1024;

// Bytes of the launcher's first request for the current directory; a deeper
// directory doubles the buffer until the path fits.
inline constexpr size_t WorkingDirectoryBufferSize = 2000;

// State routines that a parse may have active at once for nesting (the states
// that a flat list leaves active per element do not count; the stack alone
// bounds them). The program stack holds this many activations even with the
// larger frames of a sanitized build (about 1.2 KB each).
inline constexpr int32_t ParserDepthLimit = 300000;

// Bytes of stack that the parser leaves unused below its deepest state
// routine, for the calls a state makes (scanner, messages, trace records)
// before the next depth check; a quarter of a smaller stack.
inline constexpr size_t ParserStackReserve = size_t{1} << 20;

// Active parser states of the configuration parser that count as nesting (its
// parse stack is the call stack; list elements do not count), well inside
// ProgramStackBytes at the states' frame size, even in the sanitized build.
inline constexpr int32_t ConfigParseDepthLimit = 250000;

// Definition lists of at least this many cells get an index (their members
// and their definitions by name, shared with the lists that extend them);
// shorter ones are simply walked. Lookup results of at least this many cells
// keep their first node of a kind once asked.
inline constexpr int32_t LongDefinitionList = 64;

// Characters of the longest path that the system can open (its PATH_MAX less
// the terminating NUL): a longer text names no file, so lookups of longer
// dotted-name prefixes can be skipped.
#ifdef PATH_MAX
inline constexpr int32_t LongestOpenablePath = PATH_MAX - 1;
#else
inline constexpr int32_t LongestOpenablePath = 4095;
#endif
