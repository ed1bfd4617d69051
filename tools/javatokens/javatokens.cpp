// javatokens: a test tool that prints the Java token stream of its inputs.
//
// Usage: javatokens [-source LEVEL] FILE...
// The files are read as caldrex reads its command-line inputs: each file
// followed by the in-memory input "EndOfFile" holding one newline, the whole
// list as one stream. Every token up to and including endoffile is printed
// on one line: its line, a blank, its column, a blank, its name, and for
// names and literals a blank and the token's text. A character that no token
// takes is reported as the parser reports it (" illegal symbol deleted ") and
// printed as nonsense; fatal errors end the run as in every program. The exit
// status is 1 after any error.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"

namespace {

constexpr char UsageText[] = "usage: javatokens [-source LEVEL] FILE...\n";
constexpr char IllegalSymbolText[] = " illegal symbol deleted ";

void ReadCommandLine() {
  int32_t files = 0;
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* arg = Arg(i);
    if (std::strcmp(arg, "-source") == 0 && i + 1 < ArgCount()) {
      SetSourceLevel(Arg(++i));
    } else if (arg[0] == '-') {
      std::fputs(UsageText, StderrStream);
      ExitProgram(1);
    } else {
      AddInputFile(IdentifierOf(arg));
      AddInputText("\n", 1, IdentifierOf("EndOfFile"));
      ++files;
    }
  }
  if (files == 0) {
    std::fputs(UsageText, StderrStream);
    ExitProgram(1);
  }
  InitJavaScanner();
  StartInputs();
  ResetScanner();
}

void PrintTokens() {
  do {
    NextToken();
    SourcePosition position = PositionCounter - TokenLength + 1;
    if (CurrentToken == nonsense && DeletionMarker == -1) {
      ReportTokenError(position, IllegalSymbolText, "");
      DeletionMarker = 0;
    }
    SourceLine where = PositionToLine(position);
    std::fprintf(StdoutStream, "%" PRId64 " %" PRId64 " %s", where.line, where.column, TokenNameTable[CurrentToken]);
    if (const char* text = CurrentTokenText()) std::fprintf(StdoutStream, " %s", text);
    std::fputc('\n', StdoutStream);
  } while (CurrentToken != endoffile);
  CloseInput();
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, ReadCommandLine, PrintTokens, nullptr); }
