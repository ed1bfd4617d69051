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
#include <cstdio>
#include <cstring>
#include <string_view>

#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/output.h"
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

// One token's line: "<line> <column> <name>[ <text>]". Formatted by hand
// rather than by printf, which took most of the tool's time.
void WriteTokenLine(const SourceLine& where) {
  char head[48];
  char* at = FormatDigits(head, static_cast<uint64_t>(where.line));
  *at++ = ' ';
  at = FormatDigits(at, static_cast<uint64_t>(where.column));
  *at++ = ' ';
  std::fwrite(head, 1, static_cast<size_t>(at - head), StdoutStream);
  std::fputs(TokenNameTable[CurrentToken], StdoutStream);
  if (const char* text = CurrentTokenText()) {
    // A literal's text is written by its length: it may hold NUL bytes.
    std::string_view bytes = TokenTextBytes(CurrentToken, text);
    std::fputc(' ', StdoutStream);
    std::fwrite(bytes.data(), 1, bytes.size(), StdoutStream);
  }
  std::fputc('\n', StdoutStream);
}

void PrintTokens() {
  do {
    NextToken();
    SourcePosition position = PositionCounter - TokenLength + 1;
    if (CurrentToken == nonsense && DeletionMarker == -1) {
      ReportTokenError(position, IllegalSymbolText, "");
      DeletionMarker = 0;
    }
    WriteTokenLine(PositionToLine(position));
  } while (CurrentToken != endoffile);
  CloseInput();
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, ReadCommandLine, PrintTokens, nullptr); }
