// Static types of long operator chains: the units are parsed and built on the
// program's large stack, and the member lookup that needs the chain's type
// runs on a small stack of 256 KiB, which only succeeds when the type of a
// chain is not computed by one recursion per operator.
#include <gtest/gtest.h>

#include <string>

#include "java_unit.h"
#include "small_stack.h"
#include "support/limits.h"

using namespace javaunit;

namespace {

SyntaxNode* Unit = nullptr;
std::string Concatenation;
std::string Conditional;
std::string Arithmetic;

// ("a" + "a" + ...).length() with 50,000 terms, a conditional whose else
// chain holds 3,000 further conditionals, and 50,000 mixed int and long
// operators.
void BuildDeepUnit() {
  std::string text =
      "package java.lang;\n"
      "class Object { }\n"
      "class String { int length() { return 0; } }\n"
      "class A {\n"
      "  boolean b; int i; long l;\n"
      "  Object v = (\"a\"";
  for (int k = 1; k < 50000; ++k) text += " + \"a\"";
  text += ").length();\n  Object w = (b ? 'c'";
  for (int k = 0; k < 3000; ++k) text += " : b ? 'c'";
  text += " : \"s\").length();\n  Object x = i";
  for (int k = 0; k < 50000; ++k) text += k % 2 == 0 ? " * i" : " - l";
  text += ";\n}\n";
  ForgetStandardClasses();
  Unit = BuildUnit(text);
}

void ComputeTypes() {
  Concatenation = InitializerType(Unit, "v");
  Conditional = InitializerType(Unit, "w");
  Arithmetic = InitializerType(Unit, "x");
}

void BuildAndType() {
  BuildDeepUnit();
  if (Unit == nullptr) return;
  RunOnStack(size_t{256} << 10, ComputeTypes);
}

TEST(TypesDeep, OperatorChainsOnASmallStack) {
  RunOnStack(ProgramStackBytes, BuildAndType);
  ASSERT_NE(Unit, nullptr);
  // length() is found among the members of the String type of each chain.
  EXPECT_EQ(Concatenation, "int");
  EXPECT_EQ(Conditional, "int");
  EXPECT_EQ(Arithmetic, "long");
}

}  // namespace
