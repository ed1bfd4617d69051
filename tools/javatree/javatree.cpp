// javatree: a test tool that prints the Java syntax tree of its inputs.
//
// Usage: javatree [-source LEVEL] [-each] [-names] FILE...
// The files are parsed as caldrex parses its command-line inputs (each file,
// then the in-memory input "EndOfFile" holding one newline, the whole list as
// one stream; with -each every file is a compilation unit of its own, parsed
// one after the other in the same process). Diagnostics go to standard error
// as caldrex writes them. When a parse succeeded, the tree is built from its
// trace and printed on standard output (node kinds, positions, fields, two
// blanks of indentation per level); with -names every identifier occurrence
// follows with the declarations it resolves to. Exit status 1 after any error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "java/tree/builder.h"
#include "java/tree/scopes.h"
#include "java/tree/treeprint.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

constexpr char UsageText[] = "usage: javatree [-source LEVEL] [-each] [-names] FILE...\n";

bool EachFile = false;
bool PrintNames = false;
std::vector<const char*> Files;

void ReadCommandLine() {
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* arg = Arg(i);
    if (std::strcmp(arg, "-source") == 0 && i + 1 < ArgCount()) {
      SetSourceLevel(Arg(++i));
    } else if (std::strcmp(arg, "-each") == 0) {
      EachFile = true;
    } else if (std::strcmp(arg, "-names") == 0) {
      PrintNames = true;
    } else if (arg[0] == '-') {
      std::fputs(UsageText, StderrStream);
      ExitProgram(1);
    } else {
      Files.push_back(arg);
    }
  }
  if (Files.empty()) {
    std::fputs(UsageText, StderrStream);
    ExitProgram(1);
  }
  InitJavaScanner();
  TreeBuilderModuleInit();
}

// The per-input parse step of caldrex's front-end run, then the tree.
void ParseAndPrint() {
  InitAndParse();
  if (SyntaxErrorFlag == 0) {
    TreeRoot* root = BuildRoot();
    auto* unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(root->tree));
    SetCurrentUnit(unit);
    // Written by length: a literal's text may hold NUL bytes.
    std::string text = SyntaxTreeText(unit);
    std::fwrite(text.data(), 1, text.size(), StdoutStream);
    if (PrintNames) std::fputs(NameResolutionText(unit).c_str(), StdoutStream);
  }
  CloseInput();
}

void Run() {
  if (!EachFile) {
    for (const char* file : Files) {
      AddUnitInputFile(IdentifierOf(file));
    }
    StartInputs();
    ParseAndPrint();
    return;
  }
  // Each file as caldrex reads the files of its work list: opened here, made
  // the whole current input, no "EndOfFile" behind it. A syntax error in one
  // file stops only that file's tree.
  for (const char* file : Files) {
    StartUnitFile(IdentifierOf(file));
    ParseAndPrint();
  }
}

}  // namespace

int main(int argc, char** argv) { RunProgram(argc, argv, ReadCommandLine, Run, nullptr); }
