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
//      an InputStart record holding the number of line ends so far. A
//      refill that moves on to the next input right after a line end (the
//      buffer's last byte) gives the new input its record at that line end.
//   3. A line directive adds a record of its own, with the name it gives and
//      a base: its line number - 1.
//   4. PositionToLine finds the last line end before the position (column =
//      the distance to it), then the last InputStart record with fewer line
//      ends than that global line (line = the difference plus the base).
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
LineNumber LastLine = 0;
LineNumber LineTableCapacity = 0;
InputStart* InputStartTable = nullptr;
int64_t LastInputStart = -1;
int64_t InputStartCapacity = 0;

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

void SetInputStart(SourcePosition k) {
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

// A table of twice the capacity with the old entries copied; permanent, as
// the tables serve every later input.
template <typename Entry, typename Count>
Entry* GrowTable(Entry* table, Count& capacity) {
  auto* grown = static_cast<Entry*>(AllocatePermanent(sizeof(Entry) * static_cast<size_t>(capacity) * 2));
  memcpy(grown, table, sizeof(Entry) * static_cast<size_t>(capacity));
  capacity *= 2;
  return grown;
}

void AddInputStart(LineNumber base, Identifier* name) {
  LastInputStart += 1;
  if (LastInputStart == InputStartCapacity) InputStartTable = GrowTable(InputStartTable, InputStartCapacity);
  InputStartTable[LastInputStart] = InputStart{LastLine, base, name};
}

// Gives every input that starts at or before the line end at lineEnd its
// input-start record, in list order (several at once when inputs are empty;
// the later record wins).
void PassStartedInputs(SourcePosition lineEnd) {
  while (LineCursor != nullptr && LineCursor->next != nullptr && LineCursor->next->start != -1 &&
         LineCursor->next->start <= lineEnd) {
    LineCursor = LineCursor->next;
    AddInputStart(0, LineCursor->name);
  }
}

// The last index in 0..last whose entry lies below the key (0 when no later
// one does), for a table in ascending order: the last entry when it does (the
// common case, a position on the newest line), else a binary search.
template <typename Below>
int64_t LastEntryBelow(int64_t last, Below below) {
  if (below(last)) return last;
  int64_t lo = 0;
  int64_t hi = last;
  while (lo < hi - 1) {
    int64_t mid = lo + (hi - lo) / 2;
    if (below(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Global line (1-based over the whole stream) and column of p > 0.
void LineOfPosition(SourcePosition p, LineNumber& line, LineNumber& column) {
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
  LineNumber i = LastEntryBelow(LastLine, [p](int64_t at) { return LineTable[at] < p; });
  column = p - LineTable[i];
  line = i + 1;
}

// Line within its input, and the input's name, of global line l.
void InputOfLine(LineNumber l, LineNumber& line, Identifier*& name) {
  if (InputStartTable == nullptr || LastInputStart < 0) {
    line = l;
    name = nullptr;
    return;
  }
  int64_t k = LastEntryBelow(LastInputStart, [l](int64_t at) { return InputStartTable[at].lineCount < l; });
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
  // When the data of the input just left ended exactly at the buffer's end,
  // the next input's start was unknown while its last line end (the
  // buffer's last byte) was read. That line end is the newest entry of the
  // line table: the new input's record belongs to it, not to the next one.
  if (LastLine > 0) PassStartedInputs(LineTable[LastLine]);
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
  PassStartedInputs(PositionCounter);
}

SourceLine PositionToLine(SourcePosition position) {
  SourceLine result{0, 0, nullptr};
  LineNumber globalLine = 0;
  LineOfPosition(position, globalLine, result.column);
  InputOfLine(globalLine, result.line, result.name);
  return result;
}

Identifier* InputNameAt(SourcePosition position) { return PositionToLine(position).name; }

SourceCoordinate* NewSourceCoordinate(LineNumber line, LineNumber column, Identifier* name) {
  auto* coordinate = static_cast<SourceCoordinate*>(AllocateAligned(sizeof(SourceCoordinate)));
  *coordinate = SourceCoordinate{line, column, name};
  return coordinate;
}

SourceCoordinate* PositionToCoordinate(SourcePosition position) {
  SourceLine where = PositionToLine(position);
  return NewSourceCoordinate(where.line, where.column, where.name);
}

bool ReadLineDirective(std::string_view text) {
  size_t at = 0;
  auto skipBlanks = [&] {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  };
  skipBlanks();
  if (at == text.size() || text[at] < '0' || text[at] > '9') return false;
  LineNumber number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    if (number > (INT64_MAX - 9) / 10) return false;  // no line has such a number
    number = number * 10 + (text[at] - '0');
  }
  skipBlanks();
  // Without a name the lines keep the name of the directive line itself.
  LineNumber ownLine = 0;
  Identifier* name = nullptr;
  InputOfLine(LastLine, ownLine, name);
  if (at < text.size() && text[at] == '"') {
    size_t close = text.find('"', at + 1);
    if (close == std::string_view::npos) return false;
    name = MakeIdentifier(text.data(), static_cast<int32_t>(at + 1), static_cast<int32_t>(close) - 1);
  }
  // An input that starts right behind the directive line's end got its
  // record at that line end; the directive has no line of its own input left.
  if (LastLine > 0 && LineCursor != nullptr && LineCursor->start == LineTable[LastLine]) return true;
  AddInputStart(number - 1, name);
  return true;
}

FILE* OpenForWriting(const char* path) { return fopen(path, "w"); }

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
