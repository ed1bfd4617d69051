// OutputFile: the current output, the stack of suspended outputs and the one
// output buffer through which all result text passes.
//
// 1. The current output is a C stream and the name it was opened under (a
//    private heap copy; null is the standard error stream, "" standard
//    output). Opening another output writes the buffer out, closes a file
//    (a standard stream is only flushed) and pushes the name; closing
//    resumes the top name, re-opening a file for appending, so a suspended
//    file keeps its content.
// 2. The buffer is written to the stream when it is full, when WriteChar
//    writes a newline (the stream is then flushed as well), and at every
//    close or suspension. Layout printing writes its line breaks with
//    WriteString, so a printed document reaches its file at the close.
// 3. No byte is lost silently: a short write, or a flush or close that
//    fails, ends the program with "Cannot write to file"; a write while no
//    output is open ends it with "Output file is not open". Bytes still
//    pending when the program exits are written out by an exit handler,
//    which checks the result in the same way.
#include "support/output.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "support/heap.h"
#include "support/limits.h"
#include "support/startup.h"

namespace {

// One suspended output: the entry below it and its name (null: standard
// error; "": standard output; else a file name).
struct OutputRedirection {
  OutputRedirection* next;
  const char* name;
};

int32_t OutputModuleFlag = 0;
char NewlineChar = 0;

FILE* CurrentStream = nullptr;
const char* CurrentName = nullptr;
OutputRedirection* RedirectionStack = nullptr;

// The buffer's size as a byte count.
constexpr size_t BufferBytes = static_cast<size_t>(OutputBufferSize);
char OutputBuffer[BufferBytes];
size_t PendingBytes = 0;

bool IsStandardName(const char* name) { return name == nullptr || name[0] == '\0'; }

FILE* StandardStreamOf(const char* name) { return name == nullptr ? StderrStream : StdoutStream; }

// Ends the program with a message of this module. The output state is
// dropped first, so that the exit handler does not try the failed write
// again.
[[noreturn]] void OutputFatal(const char* text, const char* name) {
  CurrentStream = nullptr;
  PendingBytes = 0;
  if (text == CannotWriteText) WriteFailureReported = 1;
  std::fputs(text, StderrStream);
  if (name != nullptr) std::fputs(name, StderrStream);
  std::fputs("\n", StderrStream);
  std::fflush(StderrStream);
  ExitProgram(1);
}

// Ends the current output: a file is closed and the stream becomes null; a
// standard stream is flushed and stays current.
void ReleaseCurrentStream() {
  if (!IsStandardName(CurrentName)) {
    FILE* file = CurrentStream;
    CurrentStream = nullptr;
    if (std::fclose(file) != 0) OutputFatal(CannotWriteText, nullptr);
  } else if (std::fflush(CurrentStream) != 0) {
    OutputFatal(CannotWriteText, nullptr);
  }
}

char* CopyName(const char* name) {
  size_t length = std::strlen(name);
  auto* copy = static_cast<char*>(Allocate(length + 1));
  std::memcpy(copy, name, length + 1);
  return copy;
}

bool NameIsSuspended(const char* name) {
  for (OutputRedirection* entry = RedirectionStack; entry != nullptr; entry = entry->next) {
    if (entry->name != nullptr && std::strcmp(entry->name, name) == 0) return true;
  }
  return false;
}

// Runs when the process exits (after ExitProgram, or a return from the
// program's entry): whatever is still pending reaches the current output.
// exit() is already under way, so a failure here ends the process with
// _exit.
void FlushOutputAtExit() {
  if (CurrentStream == nullptr) return;
  FILE* stream = CurrentStream;
  bool failed = false;
  if (PendingBytes > 0) {
    failed = std::fwrite(OutputBuffer, 1, PendingBytes, stream) != PendingBytes;
    PendingBytes = 0;
  }
  CurrentStream = nullptr;
  if (!IsStandardName(CurrentName)) {
    failed = (std::fclose(stream) != 0) || failed;
  } else {
    failed = (std::fflush(stream) != 0) || std::ferror(stream) != 0 || failed;
  }
  if (failed) {
    if (WriteFailureReported == 0) {
      WriteFailureReported = 1;
      std::fputs(CannotWriteText, StderrStream);
      std::fputs("\n", StderrStream);
    }
    std::fflush(StderrStream);
    _exit(1);
  }
}

}  // namespace

void InitOutput() {
  if (!EnterModuleInit(OutputModuleFlag)) return;
  ExitModuleInit();
  InitHeap();
  InitStandardStreams();
  NewlineChar = '\n';
  std::atexit(FlushOutputAtExit);
}

void FlushOutput() {
  if (CurrentStream == nullptr) OutputFatal("Output file is not open", nullptr);
  if (PendingBytes == 0) return;
  size_t written = std::fwrite(OutputBuffer, 1, PendingBytes, CurrentStream);
  PendingBytes -= written;
  if (PendingBytes != 0) OutputFatal(CannotWriteText, nullptr);
}

void OpenOutput(const char* name) {
  if (CurrentStream != nullptr) {
    FlushOutput();
    ReleaseCurrentStream();
    auto* entry = static_cast<OutputRedirection*>(Allocate(sizeof(OutputRedirection)));
    entry->next = RedirectionStack;
    entry->name = CurrentName;
    RedirectionStack = entry;
  }
  if (IsStandardName(name)) {
    CurrentStream = StandardStreamOf(name);
  } else {
    // The suspended output's name is already on the stack, so re-opening
    // the output that was current appends as well.
    FILE* file = std::fopen(name, NameIsSuspended(name) ? "a" : "w");
    if (file == nullptr) OutputFatal("Cannot open file ", name);
    CurrentStream = file;
  }
  CurrentName = name == nullptr ? nullptr : CopyName(name);
  PendingBytes = 0;
}

void CloseOutput() {
  if (CurrentStream == nullptr) return;
  FlushOutput();
  ReleaseCurrentStream();
  if (RedirectionStack == nullptr) return;
  OutputRedirection* top = RedirectionStack;
  CurrentName = top->name;
  if (IsStandardName(CurrentName)) {
    CurrentStream = StandardStreamOf(CurrentName);
  } else {
    CurrentStream = std::fopen(CurrentName, "a");
    if (CurrentStream == nullptr) OutputFatal("Cannot re-open file ", CurrentName);
  }
  RedirectionStack = top->next;
}

void WriteString(const char* text) {
  if (text == nullptr || text[0] == '\0') return;
  if (CurrentStream == nullptr) OutputFatal("Output file is not open", nullptr);
  for (const char* p = text; *p != '\0'; ++p) {
    if (PendingBytes == BufferBytes) FlushOutput();
    OutputBuffer[PendingBytes++] = *p;
  }
}

void WriteBytes(const char* bytes, int32_t length) {
  if (length <= 0) return;
  if (CurrentStream == nullptr) OutputFatal("Output file is not open", nullptr);
  while (length > 0) {
    if (PendingBytes == BufferBytes) FlushOutput();
    size_t room = BufferBytes - PendingBytes;
    size_t n = static_cast<size_t>(length) < room ? static_cast<size_t>(length) : room;
    std::memcpy(&OutputBuffer[PendingBytes], bytes, n);
    PendingBytes += n;
    bytes += n;
    length -= static_cast<int32_t>(n);
  }
}

void WriteChar(char c) {
  if (CurrentStream == nullptr) OutputFatal("Output file is not open", nullptr);
  if (PendingBytes == BufferBytes) FlushOutput();
  OutputBuffer[PendingBytes++] = c;
  if (c == NewlineChar) {
    FlushOutput();
    if (std::fflush(CurrentStream) != 0) OutputFatal(CannotWriteText, nullptr);
  }
}

int32_t OutputFreeCount() { return static_cast<int32_t>(BufferBytes - PendingBytes); }

// --- Writers of values ----------------------------------------------------

int32_t OutputRealDigits = RealTextStartPrecision;
int32_t OutputRealExponentForm = 0;

char* FormatDigits(char* at, uint64_t value) {
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *at++ = digits[--n];
  return at;
}

namespace {

// The decimal digits of a value, most significant first.
void WriteDigits(uint64_t value) {
  char digits[20];
  WriteBytes(digits, static_cast<int32_t>(FormatDigits(digits, value) - digits));
}

// The largest digit count after the "." for which a value is rounded as a
// whole number of last places in 64 bits.
constexpr int32_t ExactPlaces = 18;

// 10 to the power n, for 0 <= n <= ExactPlaces.
uint64_t PowerOfTen(int32_t n) {
  uint64_t power = 1;
  for (int32_t i = 0; i < n; ++i) power *= 10;
  return power;
}

// The non-negative magnitude rounded to `places` digits after the ".", as a
// count of last places: 0.5 is added in the last printed place and the rest
// cut. False when the count does not fit in 64 bits.
bool RoundedLastPlaces(double magnitude, int32_t places, uint64_t& count) {
  if (places > ExactPlaces) return false;
  double scaled = magnitude * static_cast<double>(PowerOfTen(places)) + 0.5;
  if (!(scaled < 18446744073709551616.0)) return false;
  count = static_cast<uint64_t>(std::floor(scaled));
  return true;
}

// A non-negative magnitude in fixed form with `places` digits after the ".".
void WriteFixed(double magnitude, int32_t places) {
  uint64_t count = 0;
  if (RoundedLastPlaces(magnitude, places, count)) {
    uint64_t unit = PowerOfTen(places);
    WriteDigits(count / unit);
    if (places == 0) return;
    WriteChar('.');
    uint64_t fraction = count % unit;
    for (uint64_t digit = unit / 10; digit > 0; digit /= 10) {
      WriteChar(static_cast<char>('0' + fraction / digit % 10));
    }
    return;
  }
  // A value too large, or too many places, for 64 bits: the same rounding in
  // floating point, the integral part as the C library gives it (a double
  // that large is an integer already) and the fraction digit by digit.
  double rounded = magnitude + 0.5 * std::pow(10.0, -static_cast<double>(places));
  double integral = std::floor(rounded);
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", integral);
  WriteString(text);
  if (places <= 0) return;
  WriteChar('.');
  double fraction = rounded - integral;
  for (int32_t i = 0; i < places; ++i) {
    fraction *= 10.0;
    double digit = std::floor(fraction);
    if (digit > 9.0) digit = 9.0;
    WriteChar(static_cast<char>('0' + static_cast<int>(digit)));
    fraction -= digit;
  }
}

// Whether the mantissa (1 to below 10) rounds up to 10 at `places` digits.
bool RoundsToTen(double mantissa, int32_t places) {
  uint64_t count = 0;
  if (RoundedLastPlaces(mantissa, places, count)) return count >= 10 * PowerOfTen(places);
  return mantissa + 0.5 * std::pow(10.0, -static_cast<double>(places)) >= 10.0;
}

}  // namespace

void WriteIdentifier(const Identifier* identifier) {
  if (identifier != nullptr) WriteString(identifier->text);
}

void WriteInteger(int64_t value) {
  if (value < 0) {
    WriteChar('-');
    // The magnitude in unsigned arithmetic, so the most negative value too.
    WriteDigits(0 - static_cast<uint64_t>(value));
    return;
  }
  WriteDigits(static_cast<uint64_t>(value));
}

void WriteUnsigned(uint64_t value) { WriteDigits(value); }

void WriteBoolean(int32_t value) { WriteString(value != 0 ? "TRUE" : "FALSE"); }

void WriteReal(double value) {
  if (std::isnan(value)) {
    WriteString("nan");
    return;
  }
  if (std::signbit(value) && value != 0.0) WriteChar('-');
  double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) {
    WriteString("inf");
    return;
  }
  int32_t places = OutputRealDigits < 0 ? 0 : OutputRealDigits;
  if (OutputRealExponentForm == 0) {
    WriteFixed(magnitude, places);
    return;
  }
  int32_t exponent = 0;
  double mantissa = magnitude;
  if (magnitude != 0.0) {
    exponent = static_cast<int32_t>(std::floor(std::log10(magnitude)));
    mantissa = magnitude / std::pow(10.0, exponent);
    // log10 can be one off at exact powers of ten.
    if (mantissa >= 10.0) {
      mantissa /= 10.0;
      exponent += 1;
    } else if (mantissa < 1.0) {
      mantissa *= 10.0;
      exponent -= 1;
    }
    if (RoundsToTen(mantissa, places)) {
      mantissa /= 10.0;
      exponent += 1;
    }
  }
  WriteFixed(mantissa, places);
  WriteChar('e');
  WriteChar(exponent < 0 ? '-' : '+');
  int32_t digits = exponent < 0 ? -exponent : exponent;
  if (digits < 10) WriteChar('0');
  WriteDigits(static_cast<uint64_t>(digits));
}

void WriteHex(uint64_t value) {
  WriteString("0x");
  char digits[20];
  int n = 0;
  do {
    digits[n++] = "0123456789abcdef"[value % 16];
    value /= 16;
  } while (value != 0);
  while (n > 0) WriteChar(digits[--n]);
}

void WriteNewline() { WriteChar(NewlineChar); }

void WriteLine(const char* text) {
  WriteString(text);
  WriteNewline();
}
