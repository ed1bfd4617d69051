// Small services: string comparison, line reading, number texts and number
// parsing, printing to the standard streams.
#include "support/services.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "support/limits.h"
#include "support/startup.h"

namespace {

class Services : public testing::Test {
 protected:
  void SetUp() override { InitRuntime(); }
};

TEST_F(Services, CompareStringsIsBytewiseThreeWay) {
  const struct {
    const char* a;
    const char* b;
    int32_t result;
  } cases[] = {{"", "", 0},        {"1.4", "1.4", 0}, {"", "1.4", 2},   {"1.3", "1.4", 2},
               {"1.10", "1.4", 2}, {"1.5", "1.4", 3}, {"1.4x", "1.4", 3}, {"1.4", "1.4x", 2},
               // Bytes compare unsigned: 0xE9 sorts after 'z'.
               {"\xe9", "z", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(CompareStrings(c.a, c.b), c.result) << "\"" << c.a << "\" vs \"" << c.b << "\"";
  }
}

TEST_F(Services, ReadLineKeepsNewlineAndSplitsLongLines) {
  FILE* file = tmpfile();
  std::string longLine(ReadLineLimit + 5, 'x');
  fputs(("first\n" + longLine + "\nlast").c_str(), file);
  rewind(file);
  EXPECT_FALSE(AtEndOfFile(file));
  EXPECT_STREQ(ReadLine(file), "first\n");
  EXPECT_EQ(std::string(ReadLine(file)), std::string(ReadLineLimit, 'x'));
  EXPECT_STREQ(ReadLine(file), "xxxxx\n");
  EXPECT_FALSE(AtEndOfFile(file));
  EXPECT_STREQ(ReadLine(file), "last");
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_EQ(ReadLine(file), nullptr);
  fclose(file);
}

TEST_F(Services, IntegerText) {
  EXPECT_STREQ(IntegerText(0), "0");
  EXPECT_STREQ(IntegerText(-42), "-42");
  EXPECT_STREQ(IntegerText(INT32_MIN), "-2147483648");
  EXPECT_STREQ(IntegerText(INT32_MAX), "2147483647");
}

TEST_F(Services, RealTextFollowsNotationAndPrecision) {
  EXPECT_STREQ(RealText(2.5), "2.500000");
  RealNotationSwitch = 1;
  EXPECT_STREQ(RealText(2.5), "2.500000e+00");
  RealTextPrecision = 2;
  EXPECT_STREQ(RealText(-1234.5), "-1.23e+03");
  RealNotationSwitch = 0;
  EXPECT_STREQ(RealText(-1234.5), "-1234.50");
  // Fixed notation of a huge value is long; it is made whole.
  EXPECT_EQ(std::string(RealText(1e300)).size(), 301u + 3u);
  RealTextPrecision = RealTextStartPrecision;
}

TEST_F(Services, ReadIntegerAndReadReal) {
  const struct {
    const char* text;
    int32_t value;
  } integers[] = {{"42", 42},        {"  -7x", -7},        {"abc", 0},
                  {"", 0},           {"+3", 3},            {"99999999999", INT32_MAX},
                  {"-99999999999", INT32_MIN}};
  for (const auto& c : integers) EXPECT_EQ(ReadInteger(c.text), c.value) << c.text;
  EXPECT_DOUBLE_EQ(ReadReal("2.5e3"), 2500.0);
  EXPECT_DOUBLE_EQ(ReadReal(" -0.25 rest"), -0.25);
  EXPECT_DOUBLE_EQ(ReadReal("x"), 0.0);
}

TEST_F(Services, PrintingGoesToItsStreamAndNullWritesNothing) {
  FILE* savedErr = StderrStream;
  FILE* savedOut = StdoutStream;
  FILE* err = tmpfile();
  FILE* out = tmpfile();
  StderrStream = err;
  StdoutStream = out;
  PrintString("to err");
  PrintString(nullptr);
  PrintOutString("to out");
  PrintOutString(nullptr);
  StderrStream = savedErr;
  StdoutStream = savedOut;
  char buffer[32] = {};
  rewind(err);
  EXPECT_STREQ(fgets(buffer, sizeof buffer, err), "to err");
  rewind(out);
  EXPECT_STREQ(fgets(buffer, sizeof buffer, out), "to out");
  fclose(err);
  fclose(out);
}

}  // namespace
