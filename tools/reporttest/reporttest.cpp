// reporttest: a test-only program over the support library's input list and
// error reporter, for program-level golden cases.
//
// Usage: reporttest [-eof] [-end] [-stdin] FILE...
// Every FILE is added to the input list (with -eof each one is followed by
// an in-memory input "EndOfFile" holding one newline; -stdin adds standard
// input last), and the list is read as one stream through the scanner buffer,
// one character at a time. A line feed counts a line. A run of letters is
// read as one token, so a run longer than the buffer is "token too long".
// Marked characters report at their own position:
//   !  an error "marked error"
//   ?  a warning "marked warning"
//   ~  a token error "marked token" naming the token text "tilde sign"
//   @  the fatal error "marked fatal"
// With -end an error "end of input" is reported at the end marker's position.
// At the end, "<n> characters" goes to standard output; the exit status
// follows the success flag.
#include <cstdio>
#include <cstring>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"

namespace {

bool ReportAtEnd = false;

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The scanner's character reader: refill at the buffer's last index.
unsigned char ReadChar() {
  if (BufferIndex == ScanBufferSize - 1) RefillBuffer();
  BufferIndex += 1;
  PositionCounter += 1;
  return ScanBuffer[BufferIndex];
}

void ReadOptions() {
  bool readStdin = false;
  bool endOfFileInputs = false;
  for (int32_t i = 1; i < ArgCount(); ++i) {
    if (strcmp(Arg(i), "-end") == 0) ReportAtEnd = true;
    if (strcmp(Arg(i), "-stdin") == 0) readStdin = true;
    if (strcmp(Arg(i), "-eof") == 0) endOfFileInputs = true;
  }
  for (int32_t i = 1; i < ArgCount(); ++i) {
    if (Arg(i)[0] == '-') continue;
    AddInputFile(IdentifierOf(Arg(i)));
    if (endOfFileInputs) AddInputText("\n", 1, IdentifierOf("EndOfFile"));
  }
  if (readStdin) AddInputFile(nullptr);
  StartInputs();
  BufferIndex = -1;
  TokenStart = -1;
}

void ReadAll() {
  int64_t characters = 0;
  for (;;) {
    TokenStart = BufferIndex;
    unsigned char c = ReadChar();
    if (c == EndMarkerByte && AtEndMarker(BufferIndex)) break;
    characters += 1;
    if (IsLetter(c)) {
      // A run of letters is one token; the character after it is read again
      // as the start of the next token.
      for (;;) {
        BackupIndex = BufferIndex;
        if (!IsLetter(ReadChar())) break;
        characters += 1;
      }
      PositionCounter -= BufferIndex - BackupIndex;
      BufferIndex = BackupIndex;
      continue;
    }
    switch (c) {
      case '\n':
        NewLine();
        break;
      case '!':
        BeginMessage(PositionCounter, 0);
        fputs("marked error", StderrStream);
        EndMessage();
        break;
      case '?':
        BeginMessage(PositionCounter, 1);
        fputs("marked warning", StderrStream);
        EndMessage();
        break;
      case '~':
        ReportTokenError(PositionCounter, "marked token", "tilde sign");
        break;
      case '@':
        FatalError("marked fatal");
      default:
        break;
    }
  }
  if (ReportAtEnd) {
    BeginMessage(PositionCounter, 0);
    fputs("end of input", StderrStream);
    EndMessage();
  }
  CloseInput();
  fprintf(StdoutStream, "%lld characters\n", static_cast<long long>(characters));
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, ReadOptions, ReadAll, nullptr); }
