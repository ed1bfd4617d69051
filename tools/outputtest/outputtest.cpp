// outputtest: a test-only program over the support library's output-file
// stack, for program-level golden cases.
//
// Usage: outputtest STEP...   where each STEP is one of
//   open NAME          OpenOutput (NAME); '' is standard output
//   stderr             OpenOutput of no name: the standard error stream
//   close              CloseOutput
//   write TEXT         WriteString (TEXT)
//   char C             WriteChar of the first byte of C
//   newline            WriteChar of a line feed
//   fill N             WriteString of N bytes "x"
//   flush              FlushOutput
//   layout TEXT        PrintLayout of the document of TEXT
//   layout-stderr TEXT PrintLayoutToStderr of the document of TEXT
//   size PATH          writes the size of file PATH in bytes and a newline
//                      straight to the standard error stream
//   remove PATH        removes a file or an empty directory (to make a
//                      re-open fail)
//   exit N             ExitProgram (N)
//   quit N             the C library's exit (N), bypassing ExitProgram
//   heapfail           makes the heap's allocator fail and asks for memory
// After the last step the program ends as every program does: status 0
// while no error was reported.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/heap.h"
#include "support/layout.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

void* FailingMalloc(size_t) { return nullptr; }

void Usage(const char* step) {
  std::fprintf(StderrStream, "outputtest: bad step %s\n", step);
  ExitProgram(2);
}

void Run() {
  InitLayout();
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* step = Arg(i);
    const char* value = Arg(i + 1);
    auto takesValue = [&]() {
      if (value == nullptr) Usage(step);
      ++i;
      return value;
    };
    if (std::strcmp(step, "open") == 0) {
      OpenOutput(takesValue());
    } else if (std::strcmp(step, "stderr") == 0) {
      OpenOutput(nullptr);
    } else if (std::strcmp(step, "close") == 0) {
      CloseOutput();
    } else if (std::strcmp(step, "write") == 0) {
      WriteString(takesValue());
    } else if (std::strcmp(step, "char") == 0) {
      WriteChar(takesValue()[0]);
    } else if (std::strcmp(step, "newline") == 0) {
      WriteChar('\n');
    } else if (std::strcmp(step, "fill") == 0) {
      size_t count = std::strtoul(takesValue(), nullptr, 10);
      auto* text = static_cast<char*>(Allocate(count + 1));
      std::memset(text, 'x', count);
      text[count] = '\0';
      WriteString(text);
    } else if (std::strcmp(step, "flush") == 0) {
      FlushOutput();
    } else if (std::strcmp(step, "layout") == 0) {
      PrintLayout(LayoutText(takesValue()));
    } else if (std::strcmp(step, "layout-stderr") == 0) {
      PrintLayoutToStderr(LayoutText(takesValue()));
    } else if (std::strcmp(step, "size") == 0) {
      FILE* file = std::fopen(takesValue(), "rb");
      long size = -1;
      if (file != nullptr && std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
      if (file != nullptr) std::fclose(file);
      std::fprintf(StderrStream, "%ld\n", size);
      std::fflush(StderrStream);
    } else if (std::strcmp(step, "remove") == 0) {
      std::remove(takesValue());
    } else if (std::strcmp(step, "exit") == 0) {
      ExitProgram(std::atoi(takesValue()));
    } else if (std::strcmp(step, "quit") == 0) {
      std::exit(std::atoi(takesValue()));
    } else if (std::strcmp(step, "heapfail") == 0) {
      SetHeapMalloc(FailingMalloc);
      Allocate(2 * HeapChunkSize);
    } else {
      Usage(step);
    }
  }
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, nullptr, Run, nullptr); }
