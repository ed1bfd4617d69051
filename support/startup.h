// Start-up, command line and exit of every program.
//
// A program's entry hands its arguments to RunProgram, which records the
// command line, starts the run-time modules (standard streams, heap,
// identifier table, output, error reporter), runs the program's init, run and
// finish steps on a large stack, and ends the process through ExitProgram:
// status 0 while no error was reported, else 1. Nothing else ends a process.
//
// Once-only module initialisation, followed by every module of every program:
//   1. Each module has one init routine and one int32 flag of its own, 0 at load.
//   2. On entry the routine returns at once when the flag is set; otherwise it
//      sets the flag before anything else (EnterModuleInit does both), so that
//      inits which reach each other again stop.
//   3. It calls the init routines of the modules it uses, in the order of its
//      includes.
//   4. Then it sets up its own state: heap tables, start values, and a
//      RegisterRoot call for each global that holds heap references.
//   5. A module without state still has an init routine that does nothing;
//      its users call it all the same (CommandLineModuleInit from every
//      module that reads Arg or ArgCount, ExitModuleInit from every module
//      that calls ExitProgram).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The run-time's handles of the three standard streams; null until
// InitStandardStreams. Every diagnostic is written to StderrStream.
extern FILE* StdinStream;
extern FILE* StdoutStream;
extern FILE* StderrStream;

// Records the argument count and vector as the entry received them.
void InitCommandLine(int32_t argc, char** argv);

// The recorded count, the program name included.
int32_t ArgCount();

// Argument i, or null when i is not in 0 .. ArgCount() - 1.
const char* Arg(int32_t i);

// The value of an environment variable, or one shared empty string when it
// is unset (never null; callers never change it).
const char* GetEnv(const char* name);

// The message of an output that cannot be written, and the flag that it has
// been printed: it is printed once per run, by whichever finds the failure
// first (the output module or ExitProgram).
inline constexpr char CannotWriteText[] = "Cannot write to file";
extern int32_t WriteFailureReported;

// Flushes standard output, then standard error, and exits with status. Text
// that standard output could not take (a full device) is a write error: the
// run then ends with "Cannot write to file" and status 1 whatever status was
// asked for, so that no program reports success for output it lost.
[[noreturn]] void ExitProgram(int32_t status);

// Sets each of the three stream handles that is still unset.
void InitStandardStreams();

// Gives the signals that start-up changed back the dispositions the process
// was started with; for a program about to replace itself by another.
void RestoreStartupSignals();

// The standard streams, then the heap.
void InitRuntimeBase();

// The support library's start-up: InitRuntimeBase, the identifier table, the
// output module, the error reporter.
void InitRuntime();

// Init routines of the command-line and exit modules; both do nothing.
void CommandLineModuleInit();
void ExitModuleInit();

// Step 2 of the once-only convention: true when the caller must initialise
// now (the flag was clear and is set now), false when it already did.
inline bool EnterModuleInit(int32_t& flag) {
  if (flag != 0) return false;
  flag = 1;
  return true;
}

// The lower of the process's address-space and data limits in bytes (either
// one counts the program thread's stack and the heap), or 0 when neither is
// set.
uint64_t MemoryLimitBytes();

// The program thread's stack under a memory limit of limitBytes (0: none):
// ProgramStackBytes, or a share of a limit too small for it
// (1 / ProgramStackShare), so that the heap keeps the rest. Both grow with the
// limit, so an input that runs under one limit runs under every larger one; a
// deep input that the smaller stack cannot hold ends with the parser's depth
// message.
size_t ProgramStackBytesFor(uint64_t limitBytes);

// A program's entry: it makes a write beyond the file-size limit fail like any
// other write (reported as CannotWriteText) instead of ending the process by a
// signal; then InitCommandLine, InitRuntime, init, run and finish (any may be
// null), all on a thread with a stack of
// ProgramStackBytesFor (MemoryLimitBytes ()); then ExitProgram (0) when
// SuccessFlag is still set, else ExitProgram (1). When that stack cannot be
// had, the steps run on the caller's stack.
[[noreturn]] int RunProgram(int argc, char** argv, void (*init)(), void (*run)(), void (*finish)());
