// Small run-time services used by the programs' drivers, the configuration
// checker's evaluator and printer, and the launcher.
#include "support/services.h"

#include <cstring>

#include "support/heap.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/startup.h"

int32_t RealNotationSwitch = 0;
int32_t RealTextPrecision = RealTextStartPrecision;

int32_t CompareStrings(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  while (*x != 0 && *x == *y) {
    ++x;
    ++y;
  }
  if (*x == *y) return 0;
  return *x < *y ? 2 : 3;
}

char* ReadLine(FILE* file) {
  char line[ReadLineLimit + 1];
  if (fgets(line, sizeof line, file) == nullptr) return nullptr;
  size_t n = strlen(line);
  auto* text = static_cast<char*>(Allocate(n + 1));
  memcpy(text, line, n + 1);
  return text;
}

bool AtEndOfFile(FILE* file) {
  int c = fgetc(file);
  if (c == EOF) return true;
  ungetc(c, file);
  return false;
}

char* IntegerText(int32_t value) {
  // "%d": a minus sign and the magnitude's digits, which unsigned
  // arithmetic gives for the most negative value too.
  char digits[16];
  char* end = digits;
  auto magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *end++ = '-';
    magnitude = 0u - magnitude;
  }
  end = FormatDigits(end, magnitude);
  auto n = static_cast<size_t>(end - digits);
  auto* text = static_cast<char*>(Allocate(n + 1));
  memcpy(text, digits, n);
  text[n] = '\0';
  return text;
}

char* RealText(double value) {
  char format[32];
  int32_t precision = RealTextPrecision < 0 ? 0 : RealTextPrecision;
  snprintf(format, sizeof format, "%%.%d%c", precision, RealNotationSwitch != 0 ? 'e' : 'f');
  // The fixed notation of a large value can be hundreds of digits long, so
  // the length is measured first.
  int n = snprintf(nullptr, 0, format, value);
  if (n < 0) n = 0;
  auto* text = static_cast<char*>(Allocate(static_cast<size_t>(n) + 1));
  snprintf(text, static_cast<size_t>(n) + 1, format, value);
  return text;
}

int32_t ReadInteger(const char* text) {
  // Read wide and clamp: "%d" on a number beyond the int32 range has no
  // defined result.
  long long value = 0;
  if (text == nullptr || sscanf(text, "%lld", &value) != 1) return 0;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

double ReadReal(const char* text) {
  double value = 0.0;
  if (text == nullptr || sscanf(text, "%lf", &value) != 1) return 0.0;
  return value;
}

void PrintString(const char* text) {
  if (text != nullptr) fputs(text, StderrStream);
}

void PrintOutString(const char* text) {
  if (text != nullptr) fputs(text, StdoutStream);
}
