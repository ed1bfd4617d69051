// scanbench: measures the Java scanner's throughput.
//
// Usage: scanbench FILE...
// Reads the files as one input list and takes every token up to endoffile
// through NextToken, as the parser does; then prints the bytes, the tokens,
// the seconds and the megabytes (10^6 bytes) per second on standard output.
#include <chrono>
#include <cstdio>

#include "java/scanner/scanner.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/scanbuf.h"
#include "support/startup.h"

namespace {

void AddFiles() {
  for (int32_t i = 1; i < ArgCount(); ++i) AddInputFile(IdentifierOf(Arg(i)));
  if (ArgCount() < 2) {
    std::fputs("usage: scanbench FILE...\n", StderrStream);
    ExitProgram(1);
  }
  InitJavaScanner();
  StartInputs();
  ResetScanner();
}

void Measure() {
  auto start = std::chrono::steady_clock::now();
  long long tokens = 0;
  do {
    NextToken();
    ++tokens;
  } while (CurrentToken != endoffile);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  double bytes = PositionCounter;
  std::fprintf(StdoutStream, "%.0f bytes, %lld tokens, %.3f s, %.1f MB/s\n", bytes, tokens,
               seconds, bytes / seconds / 1e6);
  CloseInput();
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, AddFiles, Measure, nullptr); }
