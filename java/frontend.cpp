// The start of a Java unit's front-end run: its input and its clear flags.
#include "java/frontend.h"

#include <cstdio>

#include "support/input.h"
#include "support/report.h"

namespace {

void ClearUnitFlags() {
  SyntaxErrorFlag = 0;
  RecoveryMode = 0;
}

}  // namespace

void AddUnitInputFile(Identifier* name) {
  AddInputFile(name);
  AddInputText(EndOfFileInputText, 1, IdentifierOf(EndOfFileInputName));
}

void StartUnitText(const char* text, int32_t length, Identifier* name) {
  ClearInputs();
  AddInputText(text, length, name);
  AddInputText(EndOfFileInputText, 1, IdentifierOf(EndOfFileInputName));
  StartInputs();
  ClearUnitFlags();
}

void StartUnitFile(Identifier* path) {
  InputFile = std::fopen(path->text, "r");
  if (InputFile == nullptr) CannotOpenFile(path->text);
  OpenInput(path);
  ClearUnitFlags();
}
