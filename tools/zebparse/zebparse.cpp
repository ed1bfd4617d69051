// zebparse: a test tool that parses configuration files as zebcheck does.
//
// Usage: zebparse [-trace] FILE...
// The files are read one after the other as one configuration stream and
// parsed from its start symbol; syntax errors are reported on the standard
// error stream exactly as zebcheck reports them, and the exit status is 1
// after any error, else 0. With -trace the parse trace follows on standard
// output: "syntaxerror" and the value of SyntaxErrorFlag (1: the tree would not
// be built), then one line per recorded production in replay order, "reduction",
// the production number and the production (left side, ":", right side), then
// one line per token record, "token", its input name, line and column.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "support/automaton.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/config_automaton.h"
#include "zebcheck/config_parser.h"

namespace {

constexpr char UsageText[] = "usage: zebparse [-trace] FILE...\n";

bool PrintTrace = false;

void ReadCommandLine() {
  int32_t files = 0;
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* arg = Arg(i);
    if (std::strcmp(arg, "-trace") == 0) {
      PrintTrace = true;
    } else if (arg[0] == '-') {
      std::fputs(UsageText, StderrStream);
      ExitProgram(1);
    } else {
      AddInputFile(IdentifierOf(arg));
      ++files;
    }
  }
  if (files == 0) {
    std::fputs(UsageText, StderrStream);
    ExitProgram(1);
  }
}

void PrintParseTrace() {
  const LrAutomaton& a = ConfigAutomaton;
  std::fprintf(StdoutStream, "syntaxerror %d\n", SyntaxErrorFlag);
  ForEachRecordedProduction(Trace.ReductionCursor, [&a](ProductionNumber production) {
    std::fprintf(StdoutStream, "reduction %d ", production);
    WriteLrProduction(StdoutStream, a, production);
    std::fputc('\n', StdoutStream);
  });
  for (TokenRecord* t = Trace.TokenCursor; t != nullptr; t = t->next) {
    SourceLine where = PositionToLine(t->position);
    std::fprintf(StdoutStream, "token %s %" PRId64 " %" PRId64 "\n", where.name != nullptr ? where.name->text : "-",
                 where.line, where.column);
  }
}

void Run() {
  ReadCommandLine();
  StartInputs();
  InitAndParseConfig();
  if (PrintTrace) PrintParseTrace();
  CloseInput();
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, InitConfigParser, Run, nullptr); }
