// Shared pieces of the fuzz targets.
//
// FuzzRuntime starts the support library once per process, with standard
// output and standard error of the library pointed at /dev/null, so that the
// diagnostics that hostile input provokes cost no terminal output (unless
// FUZZ_VERBOSE=1); the replay tool and the fuzzer keep the real streams for
// their own reports.
// FUZZ_CHECK states a property that must hold for every input: when it does
// not, the target names it on the real standard error and aborts, which the
// fuzzer and the replay both report as a failure.
//
// RunOnProgramStack runs a target's work on a thread with the programs' large
// stack, as RunProgram does, so that deeply nested input recurses as far as
// it would in the programs. One thread serves every input of the process,
// because the parser measures the stack of the thread it first runs on.
//
// The programs end fatal conditions (a token too long for the buffer, an
// input that cannot be opened) through exit; a fuzz target keeps its inputs
// clear of those conditions, so an exit inside a target is a finding too.
#pragma once

#include <pthread.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/limits.h"
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
  // FUZZ_VERBOSE=1 keeps the real streams, to see what an input reports.
  const char* verbose = std::getenv("FUZZ_VERBOSE");
  if (verbose == nullptr || verbose[0] != '1') {
    FILE* sink = std::fopen("/dev/null", "w");
    FUZZ_CHECK(sink != nullptr, "/dev/null opens for writing");
    StdoutStream = sink;
    StderrStream = sink;
  }
  InitRuntime();
}

namespace fuzz_detail {

struct ProgramStackJob {
  pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t changed = PTHREAD_COND_INITIALIZER;
  void (*work)(const uint8_t*, size_t) = nullptr;
  const uint8_t* data = nullptr;
  size_t size = 0;
  bool pending = false;
};

inline ProgramStackJob Job;

inline void* ServeJobs(void*) {
  pthread_mutex_lock(&Job.lock);
  for (;;) {
    while (!Job.pending) pthread_cond_wait(&Job.changed, &Job.lock);
    pthread_mutex_unlock(&Job.lock);
    Job.work(Job.data, Job.size);
    pthread_mutex_lock(&Job.lock);
    Job.pending = false;
    pthread_cond_broadcast(&Job.changed);
  }
  return nullptr;
}

}  // namespace fuzz_detail

inline void RunOnProgramStack(void (*work)(const uint8_t*, size_t), const uint8_t* data, size_t size) {
  using fuzz_detail::Job;
  static bool started = false;
  if (!started) {
    started = true;
    pthread_attr_t attributes;
    pthread_t thread;
    FUZZ_CHECK(pthread_attr_init(&attributes) == 0 &&
                   pthread_attr_setstacksize(&attributes, ProgramStackBytes) == 0 &&
                   pthread_create(&thread, &attributes, fuzz_detail::ServeJobs, nullptr) == 0,
               "a thread with the programs' stack starts");
    pthread_attr_destroy(&attributes);
  }
  pthread_mutex_lock(&Job.lock);
  Job.work = work;
  Job.data = data;
  Job.size = size;
  Job.pending = true;
  pthread_cond_broadcast(&Job.changed);
  while (Job.pending) pthread_cond_wait(&Job.changed, &Job.lock);
  pthread_mutex_unlock(&Job.lock);
}
