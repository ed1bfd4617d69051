// Fuzz target: the configuration checker from source text to the canonical
// print.
//
// The input is one configuration, read as zebcheck reads a single input file
// (here as an input in memory under the name a.cfg). The run is zebcheck's:
// the parse; when it reported no syntax error, the tree is built; when the
// run is still clean, the names are checked, constant expressions folded and
// the configuration printed in canonical layout (to /dev/null).
//
// Everything runs on a thread with the programs' stack. The inputs stay far
// below the scanner buffer and the parser's nesting limit, so no fatal
// condition can end a run; checked is that the checker neither crashes nor
// reads or writes memory it does not own, for any input.
#include <cstddef>
#include <cstdint>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "tests/fuzz/fuzzcheck.h"
#include "zebcheck/checker.h"

namespace {

constexpr size_t MaxData = 16384;

void CheckInput(const uint8_t* data, size_t size) {
  // The modules start on this thread: the parser takes the bounds of its
  // stack from the thread it is set up on.
  static bool ready = false;
  if (!ready) {
    ready = true;
    InitCheckerModules();
  }
  ClearInputs();
  AddInputText(reinterpret_cast<const char*>(data), static_cast<int32_t>(size), IdentifierOf("a.cfg"));
  StartInputs();
  // Each input is a run of its own: no earlier error counts.
  SuccessFlag = 1;
  SyntaxErrorFlag = 0;
  RecoveryMode = 0;
  RunChecker();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MaxData) return 0;
  FuzzRuntime();
  RunOnProgramStack(CheckInput, data, size);
  return 0;
}
