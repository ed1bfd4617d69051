// Fuzz target: the Java front end of caldrex, from source text to the
// qualified names of a compilation unit.
//
// The first byte chooses the source level (bit 0: "1.4", so that "assert" is
// a keyword; else ""); the rest is one Java source, read as caldrex reads a
// command-line input: the text under the name A.java, followed by the input
// "EndOfFile" holding one newline. The per-input parse step runs as caldrex
// runs it; when the parse reported no syntax error, the tree is built from
// the parse trace, printed, every identifier occurrence is resolved through
// the scopes, and the qualified-name pass collects the unit's package,
// imports and dotted names. Name resolution against a search path is left
// out: it reads the file system.
//
// Everything runs on a thread with the programs' stack. The inputs stay far
// below the scanner buffer and the parser's nesting limit, so no fatal
// condition can end a run; checked is that the front end neither crashes nor
// reads or writes memory it does not own, for any input.
#include <cstddef>
#include <cstdint>

#include "caldrex/driver.h"
#include "caldrex/namelist.h"
#include "caldrex/qualnames.h"
#include "caldrex/unitrun.h"
#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/tree/builder.h"
#include "java/tree/scopes.h"
#include "java/tree/treeprint.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"
#include "support/report.h"
#include "support/trace.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 16384;

void RunFrontEnd(const uint8_t* data, size_t size) {
  // The modules start on this thread: the parser takes the bounds of its
  // stack from the thread it is set up on.
  static bool ready = false;
  if (!ready) {
    ready = true;
    InitJavaScanner();
    InitAllModules();
  }
  SetSourceLevel((data[0] & 1) != 0 ? "1.4" : "");
  StartUnitText(reinterpret_cast<const char*>(data + 1), static_cast<int32_t>(size - 1), IdentifierOf("A.java"));
  // Each input is a run of its own: no earlier error counts.
  SuccessFlag = 1;

  InitAndParse();
  if (SyntaxErrorFlag == 0) {
    BuildUnitRoot();
    auto* unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(UnitTreeCell));
    FUZZ_CHECK(unit != nullptr, "a parse without syntax errors gives a tree");
    SetCurrentUnit(unit);
    SyntaxTreeText(unit);
    NameResolutionText(unit);
    CollectQualifiedNames(unit);
  }
  CloseInput();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxData) return 0;
  FuzzRuntime();
  RunOnProgramStack(RunFrontEnd, data, size);
  return 0;
}
