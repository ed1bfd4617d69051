// Shared pieces of the fuzz targets.
//
// FuzzRuntime starts the support library once per process, with standard
// output and standard error of the library pointed at /dev/null, so that the
// diagnostics that hostile input provokes cost no terminal output; the
// replay tool and the fuzzer keep the real streams for their own reports.
// FUZZ_CHECK states a property that must hold for every input: when it does
// not, the target names it on the real standard error and aborts, which the
// fuzzer and the replay both report as a failure.
//
// The programs end fatal conditions (a token too long for the buffer, an
// input that cannot be opened) through exit; a fuzz target keeps its inputs
// clear of those conditions, so an exit inside a target is a finding too.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "support/startup.h"

#define FUZZ_CHECK(condition, what)                                                   \
  do {                                                                                \
    if (!(condition)) {                                                               \
      std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, what); \
      std::fflush(stderr);                                                            \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

// Once per process: quiet library streams, then the run-time start-up.
inline void FuzzRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  FILE* sink = std::fopen("/dev/null", "w");
  FUZZ_CHECK(sink != nullptr, "/dev/null opens for writing");
  StdoutStream = sink;
  StderrStream = sink;
  InitRuntime();
}
