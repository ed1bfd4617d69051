// The output module's value writers (identifiers, integers, booleans,
// floating-point values in fixed and exponent form, hexadecimal, lines) and
// the column module (current column, blanks, tabs, indented newlines and the
// bracket that indents to the current column), each printed into a file.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "output_capture.h"
#include "support/columns.h"
#include "support/identifiers.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

class OutputWritersTest : public testing::Test {
 public:
  static void SetUpTestSuite() {
    InitRuntime();
    InitOutputColumns();
  }

  // What the action writes into a fresh file.
  static std::string Written(const std::function<void()>& action) {
    return OutputOf(testing::TempDir() + "output_writers.txt", action);
  }
};

struct Case {
  const char* name;
  std::function<void()> write;
  std::string expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OutputWritersTest::Written(c.write), c.expected);
  }
}

// Writes the value with the given digit count and form, then restores both.
std::function<void()> Real(double value, int32_t digits, int32_t exponentForm) {
  return [=] {
    int32_t savedDigits = OutputRealDigits;
    int32_t savedForm = OutputRealExponentForm;
    OutputRealDigits = digits;
    OutputRealExponentForm = exponentForm;
    WriteReal(value);
    OutputRealDigits = savedDigits;
    OutputRealExponentForm = savedForm;
  };
}

TEST_F(OutputWritersTest, WritersOfIdentifiersNumbersAndLines) {
  RunCases({
      {"identifier", [] { WriteIdentifier(IdentifierOf("Name")); }, "Name"},
      {"null identifier", [] { WriteIdentifier(nullptr); }, ""},
      {"signed", [] { WriteInteger(-42); WriteChar(' '); WriteInteger(0); WriteChar(' '); WriteInteger(7); },
       "-42 0 7"},
      {"most negative", [] { WriteInteger(INT64_MIN); }, "-9223372036854775808"},
      {"unsigned", [] { WriteUnsigned(4294967295u); WriteChar(' '); WriteUnsigned(UINT64_MAX); },
       "4294967295 18446744073709551615"},
      {"booleans", [] { WriteBoolean(1); WriteBoolean(0); WriteBoolean(-3); }, "TRUEFALSETRUE"},
      {"hexadecimal", [] { WriteHex(0); WriteChar(' '); WriteHex(255); WriteChar(' '); WriteHex(0xDEADBEEF); },
       "0x0 0xff 0xdeadbeef"},
      {"newline", [] { WriteString("a"); WriteNewline(); }, "a\n"},
      {"line", [] { WriteLine("one"); WriteLine(""); WriteLine("two"); }, "one\n\ntwo\n"},
  });
}

TEST_F(OutputWritersTest, RealsRoundByAddingHalfInTheLastPlace) {
  EXPECT_EQ(OutputRealDigits, RealTextStartPrecision);
  EXPECT_EQ(OutputRealExponentForm, 0);
  RunCases({
      {"start digits", Real(2.5, OutputRealDigits, 0), "2.500000"},
      {"half rounds up", Real(2.5, 0, 0), "3"},
      {"half of a negative rounds away from zero", Real(-2.5, 0, 0), "-3"},
      {"below half rounds down", Real(2.25, 1, 0), "2.3"},
      {"exact binary half at two places", Real(0.125, 2, 0), "0.13"},
      {"carry into the integral part", Real(9.96, 1, 0), "10.0"},
      {"zero", Real(0.0, 3, 0), "0.000"},
      {"negative zero prints no sign", Real(-0.0, 1, 0), "0.0"},
      {"small value", Real(0.0004, 3, 0), "0.000"},
      {"large value", Real(12345678.0, 2, 0), "12345678.00"},
      {"exponent form", Real(1234.5, 2, 1), "1.23e+03"},
      {"exponent form of a small value", Real(-0.00125, 1, 1), "-1.3e-03"},
      {"exponent of zero is zero", Real(0.0, 2, 1), "0.00e+00"},
      {"mantissa rounding to ten takes the next exponent", Real(9.999, 2, 1), "1.00e+01"},
      {"three exponent digits", Real(1e100, 1, 1), "1.0e+100"},
      {"exact power of ten", Real(1000.0, 0, 1), "1e+03"},
      {"infinity", Real(-1.0 / 0.0, 2, 0), "-inf"},
  });
}

// The column counts from the mark taken at the last indented newline, so
// every case starts with one (the mark of an earlier output does not
// describe a new one).
std::function<void()> FromNewLine(std::function<void()> action) {
  return [action] {
    WriteNewlineIndented();
    action();
  };
}

TEST_F(OutputWritersTest, ColumnsCountFromTheLastIndentedNewline) {
  RunCases({
      {"column counts bytes written", FromNewLine([] {
         WriteString("abc");
         WriteInteger(CurrentColumn());
       }),
       "\nabc3"},
      {"spaces", FromNewLine([] {
         WriteString("x");
         WriteSpaces(3);
         WriteSpaces(-2);
         WriteString("y");
       }),
       "\nx   y"},
      {"tab goes to the next multiple of eight", FromNewLine([] {
         WriteString("abc");
         WriteTab();
         WriteString("|");
         WriteTab();
         WriteString("|");
       }),
       "\nabc     |       |"},
      {"tab at a multiple of eight writes nothing", FromNewLine([] {
         WriteString("12345678");
         WriteTab();
         WriteString("|");
       }),
       "\n12345678|"},
      {"indented newline restarts the column", FromNewLine([] {
         WriteString("abcdef");
         WriteNewlineIndented();
         WriteInteger(CurrentColumn());
       }),
       "\nabcdef\n0"},
      {"bracket indents later lines to the column where it starts", FromNewLine([] {
         WriteString("key = ");
         PrintAtCurrentColumn(MakeClosure(+[] {
           WriteString("first");
           WriteNewlineIndented();
           WriteString("second");
         }));
         WriteNewlineIndented();
         WriteString("after");
       }),
       "\nkey = first\n      second\nafter"},
      {"brackets nest and restore", FromNewLine([] {
         WriteString("a(");
         PrintAtCurrentColumn(MakeClosure(+[] {
           WriteString("b(");
           PrintAtCurrentColumn(MakeClosure(+[] {
             WriteString("c");
             WriteNewlineIndented();
             WriteString("d");
           }));
           WriteNewlineIndented();
           WriteString("e");
         }));
         WriteNewlineIndented();
         WriteString("f");
       }),
       "\na(b(c\n    d\n  e\nf"},
  });
  EXPECT_EQ(CurrentIndentation(), 0);
}

TEST_F(OutputWritersTest, ColumnSurvivesABufferThatFillsAndIsWrittenOut) {
  // The first line nearly fills the buffer, so it is written out in the
  // middle of the second line.
  std::string first(OutputBufferSize - 8, 'x');
  std::string written = Written([&first] {
    WriteNewlineIndented();
    WriteString(first.c_str());
    WriteNewlineIndented();
    WriteString("yyyyyyyyyyyyyyyyyyyy");
    WriteChar('|');
    WriteInteger(CurrentColumn());
  });
  EXPECT_EQ(written.size(), 1 + first.size() + 1 + 20 + 3);
  EXPECT_EQ(written.substr(written.size() - 3), "|21");
}

}  // namespace
