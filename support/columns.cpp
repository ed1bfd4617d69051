// OutputColumns: the current column, blanks, tabs, indented newlines and
// the bracket that indents to the current column.
#include "support/columns.h"

#include "support/limits.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

int32_t OutputColumnsModuleFlag = 0;

// The free count just before the last indented newline. Its start value
// makes the column of a freshly opened, empty buffer 0.
constexpr int32_t LineStartMarkStart = OutputBufferSize + 1;
int32_t LineStartMark = LineStartMarkStart;
int32_t Indentation = 0;

}  // namespace

void InitOutputColumns() {
  if (!EnterModuleInit(OutputColumnsModuleFlag)) return;
  InitOutput();
  LineStartMark = LineStartMarkStart;
  Indentation = 0;
}

int32_t CurrentColumn() {
  int32_t column = (LineStartMark - OutputFreeCount() + (OutputBufferSize - 1)) % OutputBufferSize;
  return column < 0 ? column + OutputBufferSize : column;
}

void WriteSpaces(int32_t n) {
  for (int32_t i = 0; i < n; ++i) WriteString(" ");
}

void WriteTab() { WriteSpaces((8 - CurrentColumn() % 8) % 8); }

void WriteNewlineIndented() {
  // The newline goes through WriteString: WriteChar would write the buffer
  // out and so move the free count away from the mark.
  LineStartMark = OutputFreeCount();
  WriteString("\n");
  WriteSpaces(Indentation);
}

int32_t CurrentIndentation() { return Indentation; }

void PrintAtCurrentColumn(Closure<void> action) {
  int32_t saved = Indentation;
  Indentation = CurrentColumn();
  CallClosure(action);
  Indentation = saved;
}
