// Source input and line table.
//
// How the list becomes one stream:
//   1. FillBuffer reads the current input into the buffer; when it runs dry
//      before the buffer is full, the next input is opened and read directly
//      behind it, with no separator. An input's start is the position of the
//      character just before its first one.
//   2. Behind the last character of the last input the end marker 0xFF is
//      stored, at index BufferEnd, when it fits; when the data fills the
//      buffer exactly, the next refill stores it.
//   3. RefillBuffer keeps the current token: its characters move to the
//      front, the indices follow them, and the rest is filled. Positions are
//      counts and do not change.
//
// How a position becomes a line:
//   1. NewLine records the position of every line end in LineTable (line
//      ends read again after the scanner backed up are recorded once).
//   2. At each line end, every input whose start lies at or before it gets
//      an InputStart record holding the number of line ends so far.
//   3. PositionToLine finds the last line end before the position (column =
//      the distance to it), then the last InputStart record with fewer line
//      ends than that global line (line = the difference).
#include "support/input.h"

#include <cstring>

#include "support/heap.h"
#include "support/report.h"
#include "support/startup.h"

unsigned char ScanBuffer[ScanBufferSize];
int32_t BufferIndex = -1;
int32_t TokenStart = -1;
int32_t BackupIndex = -1;
int32_t BufferEnd = 0;
SourcePosition PositionCounter = 0;
int32_t LayoutMayOutgrow = 0;
int32_t LayoutTextDropped = 0;

InputEntry* CurrentInput = nullptr;
InputEntry* InputListHead = nullptr;
InputEntry* InputListTail = nullptr;
InputEntry* LineCursor = nullptr;
FILE* InputFile = nullptr;
const char* InputText = nullptr;
int32_t InputTextRest = 0;

SourcePosition* LineTable = nullptr;
int32_t LastLine = 0;
int32_t LineTableCapacity = 0;
InputStart* InputStartTable = nullptr;
int32_t LastInputStart = -1;
int32_t InputStartCapacity = 0;

namespace {

int32_t SourceInputInitFlag = 0;

// The entry InputBoundaryAt last stopped at; it moves forward with the
// positions asked about and starts again at the head after a restart.
InputEntry* BoundaryCursor = nullptr;

// The name's text for messages about an input ("" for standard input).
const char* InputPath(const InputEntry* entry) {
  return entry != nullptr && entry->name != nullptr ? entry->name->text : "";
}

// Closes the current input's stream; standard input stays open for others.
void CloseInputFile() {
  if (InputFile != nullptr && InputFile != StdinStream) fclose(InputFile);
  InputFile = nullptr;
}

void SetInputStart(int32_t k) {
  CurrentInput->start = PositionCounter + k;
  FatalHeaderPrinted = 0;
}

FILE* OpenForReading(const char* path) { return fopen(path, "r"); }

void OpenCurrentInput() {
  InputFile = nullptr;
  InputText = nullptr;
  if (CurrentInput->text != nullptr) {
    InputText = CurrentInput->text;
    InputTextRest = CurrentInput->length;
  } else if (CurrentInput->name != nullptr) {
    InputFile = OpenForReading(CurrentInput->name->text);
    if (InputFile == nullptr) CannotOpenFile(CurrentInput->name->text);
  } else {
    InputFile = StdinStream;
  }
}

// Reads the current input into the buffer from index off on; returns the
// count. A short count ends the input. A stream that fails to read (a
// directory, an I/O error) cannot serve as an input: that is fatal, since
// taking it as empty would let the run succeed on missing text.
int32_t ReadInputChunk(int32_t off) {
  int32_t room = ScanBufferSize - off;
  if (InputFile != nullptr) {
    size_t count = fread(ScanBuffer + off, 1, static_cast<size_t>(room), InputFile);
    if (count < static_cast<size_t>(room) && ferror(InputFile)) {
      CannotOpenFile(InputPath(CurrentInput));
    }
    return static_cast<int32_t>(count);
  }
  if (InputText != nullptr) {
    int32_t count = InputTextRest < room ? InputTextRest : room;
    if (count > 0) memcpy(ScanBuffer + off, InputText, static_cast<size_t>(count));
    InputText += count;
    InputTextRest -= count;
    return count;
  }
  return 0;
}

// Stores the end marker behind the data at index at.
void MarkEnd(int32_t at) {
  BufferEnd = at;
  if (at < ScanBufferSize) ScanBuffer[at] = EndMarkerByte;
}

void FillBuffer(int32_t off) {
  int32_t at = off;
  for (;;) {
    at += ReadInputChunk(at);
    if (at == ScanBufferSize) {
      BufferEnd = ScanBufferSize;
      return;
    }
    if (CurrentInput == nullptr || CurrentInput->next == nullptr) {
      MarkEnd(at);
      return;
    }
    CurrentInput = CurrentInput->next;
    CloseInputFile();
    OpenCurrentInput();
    SetInputStart(at - off);
  }
}

// A table of twice the capacity with the old entries copied.
template <typename Entry>
Entry* GrowTable(Entry* table, int32_t& capacity) {
  auto* grown = static_cast<Entry*>(Allocate(sizeof(Entry) * static_cast<size_t>(capacity) * 2));
  memcpy(grown, table, sizeof(Entry) * static_cast<size_t>(capacity));
  capacity *= 2;
  return grown;
}

void AddInputStart(int32_t base, Identifier* name) {
  LastInputStart += 1;
  if (LastInputStart == InputStartCapacity) InputStartTable = GrowTable(InputStartTable, InputStartCapacity);
  InputStartTable[LastInputStart] = InputStart{LastLine, base, name};
}

// The last index in 0..last whose entry lies below the key (0 when no later
// one does), for a table in ascending order: the last entry when it does (the
// common case, a position on the newest line), else a binary search.
template <typename Below>
int32_t LastEntryBelow(int32_t last, Below below) {
  if (below(last)) return last;
  int32_t lo = 0;
  int32_t hi = last;
  while (lo < hi - 1) {
    int32_t mid = lo + (hi - lo) / 2;
    if (below(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Global line (1-based over the whole stream) and column of p > 0.
void LineOfPosition(SourcePosition p, int32_t& line, int32_t& column) {
  if (p == 0) {
    line = 0;
    column = 0;
    return;
  }
  if (LineTable == nullptr) {
    line = 1;
    column = p;
    return;
  }
  int32_t i = LastEntryBelow(LastLine, [p](int32_t at) { return LineTable[at] < p; });
  column = p - LineTable[i];
  line = i + 1;
}

// Line within its input, and the input's name, of global line l.
void InputOfLine(int32_t l, int32_t& line, Identifier*& name) {
  if (InputStartTable == nullptr || LastInputStart < 0) {
    line = l;
    name = nullptr;
    return;
  }
  int32_t k = LastEntryBelow(LastInputStart, [l](int32_t at) { return InputStartTable[at].lineCount < l; });
  line = l - InputStartTable[k].lineCount + InputStartTable[k].lineBase;
  name = InputStartTable[k].name;
}

}  // namespace

void AddInput(Identifier* name, const char* text, int32_t length) {
  auto* entry = static_cast<InputEntry*>(AllocateAligned(sizeof(InputEntry)));
  *entry = InputEntry{name, -1, text, length, nullptr};
  if (CurrentInput == nullptr) {
    CurrentInput = entry;
    InputListHead = entry;
    InputListTail = entry;
    LineCursor = entry;
    BoundaryCursor = nullptr;
  } else {
    InputListTail->next = entry;
    InputListTail = entry;
  }
}

void AddInputFile(Identifier* name) { AddInput(name, nullptr, 0); }

void AddInputText(const char* text, int32_t length, Identifier* name) {
  // A memory input always has a text, even an empty one, so that it is never
  // taken for a file.
  AddInput(name, text != nullptr ? text : "", text != nullptr && length > 0 ? length : 0);
}

void StartInputs() {
  BoundaryCursor = nullptr;
  if (CurrentInput != nullptr) {
    OpenCurrentInput();
    SetInputStart(0);
    LastLine = 0;
    FillBuffer(0);
    AddInputStart(0, InputListHead->name);
  } else {
    // Nothing to read: the stream is empty, and says so.
    MarkEnd(0);
  }
  PositionCounter = 0;
}

void OpenInput(Identifier* name) {
  auto* entry = static_cast<InputEntry*>(AllocateAligned(sizeof(InputEntry)));
  *entry = InputEntry{name, 0, nullptr, 0, nullptr};
  CurrentInput = entry;
  InputListHead = entry;
  InputListTail = entry;
  LineCursor = entry;
  BoundaryCursor = nullptr;
  InputText = nullptr;
  PositionCounter = 0;
  SetInputStart(0);
  LastLine = 0;
  LastInputStart = -1;
  int32_t n = ReadInputChunk(0);
  if (n < ScanBufferSize) {
    MarkEnd(n);
  } else {
    BufferEnd = ScanBufferSize;
  }
  TokenStart = -1;
  BufferIndex = -1;
  AddInputStart(0, name);
}

void CloseInput() {
  CloseInputFile();
  InputText = nullptr;
}

void ClearInputs() {
  CurrentInput = nullptr;
  InputListHead = nullptr;
  InputListTail = nullptr;
  LineCursor = nullptr;
  BoundaryCursor = nullptr;
  PositionCounter = 0;
  LastLine = 0;
  LastInputStart = -1;
}

void RefillBuffer() {
  if (TokenStart == -1) {
    if (LayoutMayOutgrow == 0) FatalError(TokenTooLongText);
    // Layout fills the whole buffer: nothing of it needs keeping.
    TokenStart = BufferIndex;
    LayoutTextDropped = 1;
  }
  int32_t kept = BufferIndex - TokenStart;
  memmove(ScanBuffer, ScanBuffer + TokenStart + 1, static_cast<size_t>(kept));
  BufferIndex = BufferIndex - 1 - TokenStart;
  BackupIndex = BackupIndex - 1 - TokenStart;
  TokenStart = -1;
  FillBuffer(BufferIndex + 1);
}

bool InputBoundaryAt(SourcePosition p) {
  if (BoundaryCursor == nullptr || BoundaryCursor->start == -1 || BoundaryCursor->start >= p) {
    BoundaryCursor = InputListHead;
  }
  if (BoundaryCursor == nullptr) return false;
  while (BoundaryCursor->next != nullptr && BoundaryCursor->next->start != -1 &&
         BoundaryCursor->next->start < p) {
    BoundaryCursor = BoundaryCursor->next;
  }
  return BoundaryCursor->next != nullptr && BoundaryCursor->next->start == p;
}

void NewLine() {
  while (LastLine > 0 && PositionCounter <= LineTable[LastLine]) LastLine -= 1;
  LastLine += 1;
  if (LastLine == LineTableCapacity) LineTable = GrowTable(LineTable, LineTableCapacity);
  LineTable[LastLine] = PositionCounter;
  while (LineCursor != nullptr && LineCursor->next != nullptr && LineCursor->next->start != -1 &&
         LineCursor->next->start <= PositionCounter) {
    LineCursor = LineCursor->next;
    AddInputStart(0, LineCursor->name);
  }
}

SourceLine PositionToLine(SourcePosition position) {
  SourceLine result{0, 0, nullptr};
  int32_t globalLine = 0;
  LineOfPosition(position, globalLine, result.column);
  InputOfLine(globalLine, result.line, result.name);
  return result;
}

void AllocateInputTables() {
  LineTableCapacity = LineTableStartCapacity;
  LineTable = static_cast<SourcePosition*>(
      Allocate(sizeof(SourcePosition) * static_cast<size_t>(LineTableCapacity)));
  LineTable[0] = 0;
  InputStartCapacity = InputStartStartCapacity;
  InputStartTable = static_cast<InputStart*>(
      Allocate(sizeof(InputStart) * static_cast<size_t>(InputStartCapacity)));
  RegisterRoot(&LineTable);
  RegisterRoot(&InputStartTable);
  RegisterRoot(&CurrentInput);
  RegisterRoot(&InputListHead);
  RegisterRoot(&InputListTail);
  RegisterRoot(&InputText);
  RegisterRoot(&LineCursor);
  RegisterRoot(&BoundaryCursor);
  RegisterRoot(&InputFile);
}

void SourceInputModuleInit() {
  if (!EnterModuleInit(SourceInputInitFlag)) return;
  InitRuntimeBase();
  InitIdentifierTable();
  InitErrorReport();
}
