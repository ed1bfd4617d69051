// javaparse: a test tool that runs the Java front end on its files.
//
// Usage: javaparse [-source LEVEL] [-trace] [-each] FILE...
// By default the files are read as caldrex reads its command-line inputs: the
// files, then the in-memory input "EndOfFile" holding one newline, as one
// stream parsed as one compilation unit, followed by the final synchronisation
// on endoffile. With -each every file is parsed as a compilation unit of its
// own, one after the other in this process, as caldrex parses the files of its
// work list (no "EndOfFile" input after each), each in the unit region, which
// is given back before the next file, and the identifier table forgets the
// names the file made (its path among them): only the names made before the
// first file stay, so the run's memory is that of its largest file. Every diagnostic goes to the
// standard error stream as caldrex writes it; the exit status is 0 while no
// error was reported, else 1. With -trace the recorded productions of each parse
// are printed on standard output in replay order, one a line: the production
// number and the production (left side, ":", right side).
#include <cstdio>
#include <cstring>

#include "java/parser/automaton.h"
#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/scanner/sourcelevel.h"
#include "support/heap.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

constexpr char UsageText[] = "usage: javaparse [-source LEVEL] [-trace] [-each] FILE...\n";

bool PrintTrace = false;
bool EachFile = false;
int32_t FirstFile = 0;

void ReadCommandLine() {
  JavaParserModuleInit();
  int32_t files = 0;
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* arg = Arg(i);
    if (std::strcmp(arg, "-source") == 0 && i + 1 < ArgCount()) {
      SetSourceLevel(Arg(++i));
    } else if (std::strcmp(arg, "-trace") == 0) {
      PrintTrace = true;
    } else if (std::strcmp(arg, "-each") == 0) {
      EachFile = true;
    } else if (arg[0] == '-') {
      std::fputs(UsageText, StderrStream);
      ExitProgram(1);
    } else {
      if (files++ == 0) FirstFile = i;
    }
  }
  if (files == 0) {
    std::fputs(UsageText, StderrStream);
    ExitProgram(1);
  }
}

bool IsFileArgument(int32_t i) {
  const char* arg = Arg(i);
  return arg[0] != '-' && std::strcmp(Arg(i - 1), "-source") != 0;
}

void WriteTrace() {
  if (!PrintTrace) return;
  ForEachRecordedProduction(Trace.ReductionCursor, [](ProductionNumber production) {
    std::fprintf(StdoutStream, "%d ", production);
    WriteLrProduction(StdoutStream, JavaAutomaton, production);
    std::fputc('\n', StdoutStream);
  });
}

void ParseFiles() {
  if (!EachFile) {
    for (int32_t i = FirstFile; i < ArgCount(); ++i) {
      if (!IsFileArgument(i)) continue;
      AddUnitInputFile(IdentifierOf(Arg(i)));
    }
    StartInputs();
    InitAndParse();
    WriteTrace();
    CloseInput();
    return;
  }
  EnterUnitRegion();
  IdentifierMark fileStart = MarkIdentifiers();
  for (int32_t i = FirstFile; i < ArgCount(); ++i) {
    if (!IsFileArgument(i)) continue;
    // The names of the file before live in the region: forgotten first.
    RewindIdentifiers(fileStart);
    EndUnitRegion();
    StartUnitFile(IdentifierOf(Arg(i)));
    InitAndParse();
    WriteTrace();
    CloseInput();
  }
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, ReadCommandLine, ParseFiles, nullptr); }
