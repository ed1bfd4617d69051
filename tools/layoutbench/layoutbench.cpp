// layoutbench: times composing and printing Layout documents of N lines in
// the shapes the programs build, printed through the output stack into
// /dev/null. Usage: layoutbench N...  (default 100000 1000000).
// For each N and shape it prints one line: shape, N, bytes printed, the
// seconds spent composing and printing, and the nanoseconds per line.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "support/conslist.h"
#include "support/layout.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

ConsList Lines(int32_t n, LayoutNode* line) {
  ConsList list = nullptr;
  for (int32_t i = 0; i < n; ++i) list = Cons(line, list);
  return list;
}

LayoutNode* Vertical(int32_t n) { return LayoutVertical(Lines(n, LayoutText("entry.name.Type"))); }

LayoutNode* GrownBelow(int32_t n) {
  LayoutNode* line = LayoutText("\\name{ value }");
  LayoutNode* document = line;
  for (int32_t i = 1; i < n; ++i) document = LayoutAbove(document, line);
  return document;
}

LayoutNode* JoinedLines(int32_t n) { return LayoutJoinLines(Lines(n, LayoutText("item")), LayoutText(",")); }

// Nested definitions ten deep, each level indented by two blanks beside it.
LayoutNode* NestedBlocks(int32_t n) {
  LayoutNode* indent = LayoutText("  ");
  ConsList definitions = nullptr;
  for (int32_t i = 0; i < n / 12; ++i) {
    LayoutNode* inner = LayoutText("\\leaf{ 1 }");
    for (int depth = 0; depth < 10; ++depth) {
      inner = LayoutAbove(LayoutAbove(LayoutText("\\group{"), LayoutBeside(indent, inner)), LayoutText("}"));
    }
    definitions = Cons(inner, definitions);
  }
  return LayoutVertical(definitions);
}

void Measure(const char* shape, int32_t n, LayoutNode* (*build)(int32_t)) {
  Clock::time_point start = Clock::now();
  LayoutNode* document = build(n);
  Clock::time_point built = Clock::now();
  OpenOutput("/dev/null");
  PrintLayout(document);
  CloseOutput();
  Clock::time_point printed = Clock::now();
  int32_t lines = LayoutHeight(document) + 1;
  std::printf("%-14s %9d lines  compose %7.3f s  print %7.3f s  %6.1f ns/line\n", shape, lines,
              Seconds(start, built), Seconds(built, printed), 1e9 * Seconds(start, printed) / lines);
  std::fflush(stdout);
}

void Run() {
  InitLayout();
  int32_t count = ArgCount() > 1 ? ArgCount() - 1 : 2;
  for (int32_t i = 0; i < count; ++i) {
    int32_t n = ArgCount() > 1 ? std::atoi(Arg(i + 1)) : (i == 0 ? 100000 : 1000000);
    Measure("vertical", n, Vertical);
    Measure("grown-below", n, GrownBelow);
    Measure("join-lines", n, JoinedLines);
    Measure("nested-blocks", n, NestedBlocks);
  }
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, nullptr, Run, nullptr); }
