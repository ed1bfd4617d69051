// Start-up, command line and exit.
//
// Holds the command line as the entry received it, the standard stream
// handles, the run-time start-up order and the single exit path. The program
// entry RunProgram moves the program's work onto a thread with a large
// reserved stack, so that recursive parts of the programs (parser states,
// tree replay, lazy attributes) do not overflow on deeply nested input.
#include "support/startup.h"

#include <pthread.h>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif
#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdlib>

#include "support/heap.h"
#include "support/identifiers.h"
#include "support/limits.h"
#include "support/report.h"

FILE* StdinStream = nullptr;
FILE* StdoutStream = nullptr;
FILE* StderrStream = nullptr;

// The output module sets up its buffer state here when it is linked in; a
// program that writes no output files does not need it.
extern void InitOutput() __attribute__((weak));

namespace {

int32_t ArgumentCount = 0;

// The C library leaves the standard error stream unbuffered, so a diagnostic
// written in pieces (header, name, text, newline) costs one system call per
// piece. Line buffering keeps every line whole and writes it at its newline,
// in one call, so messages still appear at once and in order with the rest of
// the stream. (Where the C library has no line buffering it would buffer
// fully, so such systems keep the stream as it is.)
void BufferStderrByLine() {
#ifndef _WIN32
  static char buffer[StderrLineBufferSize];
  setvbuf(stderr, buffer, _IOLBF, sizeof buffer);
#endif
}
char** ArgumentVector = nullptr;

#ifdef SIGXFSZ
// A write beyond the file-size limit (ulimit -f) raises SIGXFSZ, whose default
// action ends the process at once with a partial file and no message.
// Ignored, the write fails (EFBIG) and is reported as every other failed write
// is: "Cannot write to file", status 1. The disposition found at start-up is
// kept for RestoreStartupSignals.
bool FileSizeSignalIgnored = false;
void (*FileSizeSignalAtStartup)(int) = SIG_DFL;

void IgnoreFileSizeSignal() {
  FileSizeSignalIgnored = true;
  void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
  if (previous != SIG_ERR) FileSizeSignalAtStartup = previous;
}
#else
void IgnoreFileSizeSignal() {}
#endif

// The program thread allocates from one malloc arena with the main thread.
// The C library would give a second thread an arena of its own, whose heaps
// are reserved as aligned 64 MiB regions: under an address-space limit that
// reservation fails or succeeds by where the kernel happens to place
// mappings, so the same run could end with "Heapspace exceeded" one time in
// two with most of the limit unused. The main arena grows its break, or maps
// plain pieces when the break cannot grow, so the outcome depends only on
// the memory the run needs.
void UseOneMallocArena() {
#ifdef M_ARENA_MAX
  mallopt(M_ARENA_MAX, 1);
#endif
}

// The one empty value GetEnv returns for every unset variable.
char EmptyEnvironmentValue[1] = {'\0'};

struct ProgramSteps {
  int argc;
  char** argv;
  void (*init)();
  void (*run)();
  void (*finish)();
};

// Steps 1 to 4 of every program's entry.
void RunProgramSteps(ProgramSteps* steps) {
  InitCommandLine(steps->argc, steps->argv);
  NoteStackAddress(&steps->argc);
  NoteStackAddress(steps->argv);
  InitRuntime();
  if (steps->init != nullptr) steps->init();
  if (steps->run != nullptr) steps->run();
  if (steps->finish != nullptr) steps->finish();
}

void* ProgramThread(void* steps) {
  RunProgramSteps(static_cast<ProgramSteps*>(steps));
  return nullptr;
}

}  // namespace

void InitCommandLine(int32_t argc, char** argv) {
  ArgumentCount = argc;
  ArgumentVector = argv;
  RegisterRoot(argv);
}

int32_t ArgCount() { return ArgumentCount; }

const char* Arg(int32_t i) {
  if (i < 0 || i >= ArgumentCount || ArgumentVector == nullptr) return nullptr;
  return ArgumentVector[i];
}

const char* GetEnv(const char* name) {
  const char* value = name != nullptr ? getenv(name) : nullptr;
  return value != nullptr ? value : EmptyEnvironmentValue;
}

int32_t WriteFailureReported = 0;

void ExitProgram(int32_t status) {
  if (StdoutStream != nullptr && (fflush(StdoutStream) != 0 || ferror(StdoutStream) != 0)) {
    if (WriteFailureReported == 0 && StderrStream != nullptr) {
      WriteFailureReported = 1;
      fputs(CannotWriteText, StderrStream);
      fputs("\n", StderrStream);
    }
    status = 1;
  }
  if (StderrStream != nullptr) fflush(StderrStream);
  exit(status);
}

void InitStandardStreams() {
  if (StdinStream == nullptr) StdinStream = stdin;
  if (StdoutStream == nullptr) StdoutStream = stdout;
  if (StderrStream == nullptr) {
    StderrStream = stderr;
    BufferStderrByLine();
  }
}

// The streams come first, so that even a failing first heap chunk can be
// reported.
void InitRuntimeBase() {
  InitStandardStreams();
  InitHeap();
}

void InitRuntime() {
  InitRuntimeBase();
  InitIdentifierTable();
  if (InitOutput != nullptr) InitOutput();
  InitErrorReport();
}

void RestoreStartupSignals() {
#ifdef SIGXFSZ
  if (FileSizeSignalIgnored) std::signal(SIGXFSZ, FileSizeSignalAtStartup);
#endif
}

void CommandLineModuleInit() {}

void ExitModuleInit() {}

uint64_t MemoryLimitBytes() {
  uint64_t lowest = 0;
#if defined(RLIMIT_AS) || defined(RLIMIT_DATA)
  auto consider = [&lowest](int resource) {
    struct rlimit limit;
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return;
    uint64_t bytes = static_cast<uint64_t>(limit.rlim_cur);
    if (lowest == 0 || bytes < lowest) lowest = bytes;
  };
#ifdef RLIMIT_AS
  consider(RLIMIT_AS);
#endif
#ifdef RLIMIT_DATA
  consider(RLIMIT_DATA);
#endif
#endif
  return lowest;
}

size_t ProgramStackBytesFor(uint64_t limitBytes) {
  if (limitBytes == 0 || limitBytes / ProgramStackShare >= ProgramStackBytes) return ProgramStackBytes;
  return static_cast<size_t>(limitBytes / ProgramStackShare);
}

int RunProgram(int argc, char** argv, void (*init)(), void (*run)(), void (*finish)()) {
  IgnoreFileSizeSignal();
  UseOneMallocArena();
  ProgramSteps steps{argc, argv, init, run, finish};
  bool ran = false;
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) == 0) {
    pthread_t thread;
    if (pthread_attr_setstacksize(&attributes, ProgramStackBytesFor(MemoryLimitBytes())) == 0 &&
        pthread_create(&thread, &attributes, ProgramThread, &steps) == 0) {
      pthread_join(thread, nullptr);
      ran = true;
    }
    pthread_attr_destroy(&attributes);
  }
  if (!ran) RunProgramSteps(&steps);
  ExitProgram(SuccessFlag != 0 ? 0 : 1);
}
