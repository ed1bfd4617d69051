// The command line of caldrex: option values, the argument scan, the input
// list of command-line files and the standard-names file.
#include "caldrex/options.h"

#include <cstdio>
#include <cstring>

#include "caldrex/messages.h"
#include "caldrex/searchpath.h"
#include "java/frontend.h"
#include "java/scanner/sourcelevel.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/services.h"
#include "support/startup.h"

namespace {

int32_t OptionsInitFlag = 0;

struct OptionSpec {
  const char* text;
  bool namesListFile;  // a result-list file: no value means no name (standard error)
};

// In the order in which an argument is compared with them.
const OptionSpec OptionTable[] = {
    {"-sp", false}, {"-cp", false},  {"-ti", true},  {"-tw", true},    {"-ij", true},
    {"-ic", true},  {"-res", true},  {"-std", false}, {"-cache", false}, {"-source", false},
};
static_assert(sizeof(OptionTable) / sizeof(OptionTable[0]) == CaldrexOptionCount);

const char* OptionValues[CaldrexOptionCount];

}  // namespace

const char* OptionValue(CaldrexOption option) { return OptionValues[option]; }

const char* SourceLevelValue() { return OptionValues[SourceLevelOption]; }

void InitOptions() {
  if (!EnterModuleInit(OptionsInitFlag)) return;
  CommandLineModuleInit();
  ExitModuleInit();
  InitSearchPath();
  for (const char*& value : OptionValues) value = "";
}

void SetOption(int32_t& index, const char* text) {
  for (int32_t option = 0; option < CaldrexOptionCount; ++option) {
    if (std::strcmp(text, OptionTable[option].text) != 0) continue;
    const char* value = Arg(index + 1);
    if (value == nullptr && !OptionTable[option].namesListFile) value = "";
    OptionValues[option] = value;
    ++index;
    return;
  }
  ExitProgram(1);
}

void AddSourceArgument(const char* fileName) {
  AddUnitInputFile(IdentifierOf(fileName));
}

void HandleArgument(int32_t& index, bool* sawInput) {
  const char* text = Arg(index);
  if (text[0] != '-') {
    AddSourceArgument(text);
    *sawInput = true;
    return;
  }
  SetOption(index, text);
}

namespace {

void ReportStandardFileFailed(const char* fileName) {
  PrintString(StandardFileFailedText);
  PrintString("\"");
  PrintString(fileName);
  PrintString("\"");
  PrintString(StandardFileFailedEndText);
}

}  // namespace

void ReadStandardFile(const char* fileName) {
  FILE* file = std::fopen(fileName, "r");
  if (file == nullptr) {
    ReportStandardFileFailed(fileName);
    return;
  }
  while (!AtEndOfFile(file)) {
    char* line = ReadLine(file);
    if (line == nullptr) break;
    int32_t length = static_cast<int32_t>(std::strlen(line));
    if (length > 0 && line[length - 1] == '\n') --length;
    AppendName(StandardNames, MakeIdentifier(line, 0, length - 1));
  }
  // A stream that opens but fails to read (a directory, an I/O error) was
  // not read either: it is reported alike and leaves no standard names, so
  // that a half-read file does not pass for the whole list.
  if (std::ferror(file) != 0) {
    ClearNameList(StandardNames);
    ReportStandardFileFailed(fileName);
  }
  std::fclose(file);
}

void ScanArguments() {
  bool sawInput = false;
  for (int32_t index = 1; index < ArgCount(); ++index) HandleArgument(index, &sawInput);
  if (!sawInput) ExitProgram(1);
  SetSourceLevel(SourceLevelValue());
  SetSearchPath(OptionValues[SourcePathOption], OptionValues[ClassPathOption]);
  ReadStandardFile(OptionValues[StandardFileOption]);
  StartInputs();
}
