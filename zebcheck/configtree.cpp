// The configuration tree: node constructors, owner links, the shared boolean
// results, the nodes that folding makes, and the readings of literal texts.
//
// Each constructor fills every word of its record (the heap does not clear
// memory), makes the node's own reference and then links its children: a
// child's owner link is set only while it is still empty, so the first owner
// wins.
#include "zebcheck/configtree.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <version>

#include "support/heap.h"
#include "support/scanbuf.h"
#include "support/services.h"
#include "support/startup.h"

// Floating-point to_chars and from_chars, where the C++ library has them;
// snprintf and strtod give the same results more slowly.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define ConfigHasFloatingCharconv 1
#else
#define ConfigHasFloatingCharconv 0
#endif

namespace {

int32_t ConfigTreeInitFlag = 0;
ConfigExprNode* TheSharedTrue = nullptr;
ConfigExprNode* TheSharedFalse = nullptr;

// Node kind codes of the expression kinds, in kind order.
constexpr int32_t ExprNodeCodes[ConfigExprKindCount] = {
    5,  6,  7,  9,  10, 11, 12, 13,                          // 0-7
    39, 40, -1, -1, 41, 42,                                  // 8-13 (10, 11: none)
    14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,      // 14-26
    27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,              // 27-37
};

// Node kind codes of the value kinds.
constexpr int32_t ValueNodeCodes[4] = {1, 3, 4, 38};

// The number of bytes of a literal's text. A character or string literal
// may hold NUL bytes, so it is measured by its quotes; every other literal
// is a NUL-terminated text.
int32_t LiteralLength(int32_t kind, const char* text) {
  if (kind != ConfigCharacterLiteral && kind != ConfigStringLiteral) {
    return static_cast<int32_t>(std::strlen(text));
  }
  return static_cast<int32_t>(QuotedTextLength(text));
}

// Links a child to its owner when the child has no owner yet.
void LinkChild(const ConfigAnyNode** childOwner, const ConfigAnyNode& owner) {
  if (*childOwner == nullptr) *childOwner = &owner;
}

void LinkExpr(ConfigExprNode* child, const ConfigAnyNode& owner) {
  if (child != nullptr) LinkChild(&child->owner, owner);
}

void LinkValue(AttributeValueNode* child, const ConfigAnyNode& owner) {
  if (child != nullptr) LinkChild(&child->owner, owner);
}

// The bytes of the literal fields of every literal kind but 9, which alone
// keeps a floating value after them.
constexpr size_t LiteralBytes = offsetof(ConfigExprNode, literal.real) - offsetof(ConfigExprNode, literal);

// The bytes of the fields of each expression kind, in kind order.
constexpr size_t ExprFieldBytes[ConfigExprKindCount] = {
    sizeof(ConfigExprNode::name), sizeof(ConfigExprNode::qualified), sizeof(ConfigExprNode::parenthesized),
    sizeof(ConfigExprNode::member), sizeof(ConfigExprNode::call), sizeof(ConfigExprNode::member),
    sizeof(ConfigExprNode::index), sizeof(ConfigExprNode::index),
    LiteralBytes, sizeof(ConfigExprNode::literal), 0, 0,  // 8-11
    LiteralBytes, LiteralBytes,                           // 12, 13
    sizeof(ConfigExprNode::unary), sizeof(ConfigExprNode::unary), sizeof(ConfigExprNode::unary),
    sizeof(ConfigExprNode::unary),  // 14-17
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary), sizeof(ConfigExprNode::binary),
    sizeof(ConfigExprNode::binary),  // 18-36
    sizeof(ConfigExprNode::conditional),  // 37
};

// A new expression record of a kind with its header filled, as long as its
// kind's fields need; its constructor sets every field.
ConfigExprNode* NewExpr(int32_t kind, SourcePosition position) {
  size_t bytes = offsetof(ConfigExprNode, name) + ExprFieldBytes[kind];
  auto* node = static_cast<ConfigExprNode*>(Allocate(bytes));
  node->kind = kind;
  node->position = position;
  node->owner = nullptr;
  node->self = ConfigAnyNode{ExprNodeCodes[kind], node};
  return node;
}

// The same for a literal, whose fields are cleared first: a constructor sets
// only those that it knows (the text, or the number that folding made).
ConfigExprNode* NewLiteral(int32_t kind, SourcePosition position) {
  ConfigExprNode* node = NewExpr(kind, position);
  std::memset(static_cast<void*>(&node->literal), 0, ExprFieldBytes[kind]);
  return node;
}

// A boolean literal: the record ends before its self; it has no fields.
ConfigExprNode* NewBoolean(int32_t kind, SourcePosition position) {
  auto* node = static_cast<ConfigExprNode*>(Allocate(offsetof(ConfigExprNode, self)));
  node->kind = kind;
  node->position = position;
  node->owner = nullptr;
  return node;
}

AttributeValueNode* NewValue(int32_t kind, SourcePosition position) {
  auto* node = static_cast<AttributeValueNode*>(Allocate(sizeof(AttributeValueNode)));
  node->kind = kind;
  node->position = position;
  node->owner = nullptr;
  node->definitions = nullptr;
  node->self = ConfigAnyNode{ValueNodeCodes[kind], node};
  return node;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What strtod reads at the start of a text of length bytes. from_chars
// reads a plain decimal number the same way, both correctly rounded, but
// takes none of the rest that strtod takes (blanks, a sign, hexadecimal,
// inf, nan) and leaves the value unset where strtod gives infinity or zero
// with ERANGE: such texts are read by strtod.
double ReadDecimal(const char* text, size_t length) {
  // The usual literal (digits, a point, digits, an exponent, with at most 15
  // significant digits and a power of ten up to 10^22 either way) is the
  // integer of its digits, exact in a double, times or divided by a power of
  // ten that is exact too: the one rounding of that operation is the correct
  // rounding that strtod gives.
  static constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                           1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const char* p = text;
  const char* end = text + length;
  uint64_t digits = 0;
  int32_t significant = 0;
  int32_t scale = 0;  // the power of ten of the last digit
  bool any = false;
  for (; p != end && IsDigit(*p); ++p, any = true) {
    if (digits != 0 || *p != '0') ++significant;
    digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    if (significant > 15) break;
  }
  if (p != end && *p == '.' && significant <= 15) {
    for (++p; p != end && IsDigit(*p); ++p, any = true) {
      if (digits != 0 || *p != '0') ++significant;
      digits = digits * 10 + static_cast<uint64_t>(*p - '0');
      --scale;
      if (significant > 15) break;
    }
  }
  bool quick = any && significant <= 15;
  if (quick && p != end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negative = q != end && *q == '-';
    if (q != end && (*q == '-' || *q == '+')) ++q;
    int32_t exponent = 0;
    if (q == end || !IsDigit(*q)) quick = false;  // strtod would read the text before the e
    for (; quick && q != end && IsDigit(*q) && exponent < 1000; ++q) exponent = exponent * 10 + (*q - '0');
    scale += negative ? -exponent : exponent;
    p = q;
  }
  // What follows must end the number (a suffix letter, or nothing).
  if (quick && (p == end || !(IsDigit(*p) || *p == '.' || *p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) &&
      scale >= -22 && scale <= 22) {
    auto value = static_cast<double>(digits);
    return scale >= 0 ? value * PowersOfTen[scale] : value / PowersOfTen[-scale];
  }
#if ConfigHasFloatingCharconv
  bool plain = length > 0 && (IsDigit(text[0]) || text[0] == '.') &&
               !(text[0] == '0' && length > 1 && (text[1] == 'x' || text[1] == 'X'));
  if (plain) {
    double value = 0.0;
    if (std::from_chars(text, text + length, value).ec == std::errc()) return value;
  }
#else
  (void)length;
#endif
  return std::strtod(text, nullptr);
}

}  // namespace

int32_t ConfigExprNodeCode(int32_t kind) { return ExprNodeCodes[kind]; }

int32_t AttributeValueNodeCode(int32_t kind) { return ValueNodeCodes[kind]; }

ConfigRootNode* MakeConfigRootNode(SourcePosition position, AttributeValueNode* value, ConfigNameBlock* names) {
  auto* node = static_cast<ConfigRootNode*>(Allocate(sizeof(ConfigRootNode)));
  node->position = position;
  node->owner = nullptr;
  node->value = value;
  node->names = names;
  node->self = ConfigAnyNode{0, node};
  LinkValue(value, node->self);
  return node;
}

AttributeDefinitionNode* MakeAttributeDefinitionNode(SourcePosition position, DefiningOccurrence* name,
                                                     AttributeValueNode* value, ConfigDefinitionSet* nested) {
  auto* node = static_cast<AttributeDefinitionNode*>(Allocate(sizeof(AttributeDefinitionNode)));
  node->position = position;
  node->owner = nullptr;
  node->name = name;
  node->value = value;
  node->nested = nested;
  node->folded = nullptr;
  node->foldState = 0;
  node->self = ConfigAnyNode{2, node};
  LinkValue(value, node->self);
  return node;
}

AttributeValueNode* MakeNestedValue(SourcePosition position, ConsList definitions) {
  AttributeValueNode* node = NewValue(ConfigNestedValue, position);
  node->definitions = definitions;
  for (ConsList rest = definitions; rest != nullptr; rest = rest->tail) {
    LinkChild(&ConsHead<AttributeDefinitionNode>(rest)->owner, node->self);
  }
  return node;
}

namespace {

AttributeValueNode* MakeExpressionValue(int32_t kind, SourcePosition position, ConfigExprNode* expression) {
  AttributeValueNode* node = NewValue(kind, position);
  node->expression = expression;
  LinkExpr(expression, node->self);
  return node;
}

}  // namespace

AttributeValueNode* MakeLiteralValue(SourcePosition position, ConfigExprNode* literal) {
  return MakeExpressionValue(ConfigLiteralValue, position, literal);
}

AttributeValueNode* MakeNameValue(SourcePosition position, ConfigExprNode* name) {
  return MakeExpressionValue(ConfigNameValue, position, name);
}

AttributeValueNode* MakeBracedValue(SourcePosition position, ConfigExprNode* expression) {
  return MakeExpressionValue(ConfigBracedValue, position, expression);
}

ConfigArgumentListNode* MakeConfigArgumentList(SourcePosition position, ConsList arguments) {
  auto* node = static_cast<ConfigArgumentListNode*>(Allocate(sizeof(ConfigArgumentListNode)));
  node->position = position;
  node->owner = nullptr;
  node->arguments = arguments;
  node->self = ConfigAnyNode{8, node};
  for (ConsList rest = arguments; rest != nullptr; rest = rest->tail) {
    LinkValue(ConsHead<AttributeValueNode>(rest), node->self);
  }
  return node;
}

ConfigExprNode* MakeConfigSimpleName(SourcePosition position, AppliedOccurrence* occurrence) {
  ConfigExprNode* node = NewExpr(ConfigSimpleName, position);
  node->name.occurrence = occurrence;
  return node;
}

ConfigExprNode* MakeConfigQualifiedName(SourcePosition position, ConfigExprNode* qualifier,
                                        AppliedOccurrence* occurrence) {
  ConfigExprNode* node = NewExpr(ConfigQualifiedName, position);
  node->qualified.qualifier = qualifier;
  node->qualified.occurrence = occurrence;
  LinkExpr(qualifier, node->self);
  return node;
}

ConfigExprNode* MakeConfigParenthesized(SourcePosition position, AttributeValueNode* inner) {
  ConfigExprNode* node = NewExpr(ConfigParenthesized, position);
  node->parenthesized.inner = inner;
  LinkValue(inner, node->self);
  return node;
}

ConfigExprNode* MakeConfigFieldAccess(SourcePosition position, ConfigExprNode* primary,
                                      AppliedOccurrence* occurrence) {
  ConfigExprNode* node = NewExpr(ConfigFieldAccess, position);
  node->member.primary = primary;
  node->member.occurrence = occurrence;
  node->member.arguments = nullptr;
  LinkExpr(primary, node->self);
  return node;
}

ConfigExprNode* MakeConfigNameCall(SourcePosition position, ConfigExprNode* name,
                                   ConfigArgumentListNode* arguments) {
  ConfigExprNode* node = NewExpr(ConfigNameCall, position);
  node->call.name = name;
  node->call.arguments = arguments;
  LinkExpr(name, node->self);
  if (arguments != nullptr) LinkChild(&arguments->owner, node->self);
  return node;
}

ConfigExprNode* MakeConfigPrimaryCall(SourcePosition position, ConfigExprNode* primary,
                                      AppliedOccurrence* occurrence, ConfigArgumentListNode* arguments) {
  ConfigExprNode* node = NewExpr(ConfigPrimaryCall, position);
  node->member.primary = primary;
  node->member.occurrence = occurrence;
  node->member.arguments = arguments;
  LinkExpr(primary, node->self);
  if (arguments != nullptr) LinkChild(&arguments->owner, node->self);
  return node;
}

ConfigExprNode* MakeConfigIndex(int32_t kind, SourcePosition position, ConfigExprNode* base,
                                AttributeValueNode* index) {
  ConfigExprNode* node = NewExpr(kind, position);
  node->index.base = base;
  node->index.index = index;
  LinkExpr(base, node->self);
  LinkValue(index, node->self);
  return node;
}

ConfigExprNode* MakeConfigLiteral(int32_t kind, SourcePosition position, const char* text) {
  ConfigExprNode* node = NewExpr(kind, position);
  node->literal.text = text;
  node->literal.length = LiteralLength(kind, text);
  // An integer's value is read now; a floating literal's when it is first
  // used (realKnown 0 until then, real only in its record).
  node->literal.integer = kind == ConfigIntegerLiteral ? ReadConfigInteger(text) : 0;
  if (kind == ConfigFloatingLiteral) node->literal.real = 0.0;
  return node;
}

ConfigExprNode* MakeConfigBooleanLiteral(int32_t kind, SourcePosition position) {
  return NewBoolean(kind, position);
}

ConfigExprNode* MakeConfigUnary(int32_t kind, SourcePosition position, ConfigExprNode* operand) {
  ConfigExprNode* node = NewExpr(kind, position);
  node->unary.operand = operand;
  LinkExpr(operand, node->self);
  return node;
}

ConfigExprNode* MakeConfigBinary(int32_t kind, SourcePosition position, ConfigExprNode* left,
                                 ConfigExprNode* right) {
  ConfigExprNode* node = NewExpr(kind, position);
  node->binary.left = left;
  node->binary.right = right;
  LinkExpr(left, node->self);
  LinkExpr(right, node->self);
  return node;
}

ConfigExprNode* MakeConfigConditional(SourcePosition position, ConfigExprNode* condition,
                                      AttributeValueNode* then, ConfigExprNode* otherwise) {
  ConfigExprNode* node = NewExpr(ConfigConditional, position);
  node->conditional.condition = condition;
  node->conditional.then = then;
  node->conditional.otherwise = otherwise;
  LinkExpr(condition, node->self);
  LinkValue(then, node->self);
  LinkExpr(otherwise, node->self);
  return node;
}

AppliedOccurrence* MakeAppliedOccurrence(LazyCell* matches, Identifier* identifier) {
  auto* occurrence = static_cast<AppliedOccurrence*>(Allocate(sizeof(AppliedOccurrence)));
  occurrence->matches = matches;
  occurrence->identifier = identifier;
  return occurrence;
}

ConsList OccurrenceMatches(AppliedOccurrence* occurrence) {
  return reinterpret_cast<ConsList>(ForceLazyCell(occurrence->matches));
}

ConfigExprNode* SharedTrue() { return TheSharedTrue; }

ConfigExprNode* SharedFalse() { return TheSharedFalse; }

ConfigExprNode* MakeConfigInteger(int32_t value) {
  ConfigExprNode* node = NewLiteral(ConfigIntegerLiteral, 0);
  node->literal.integer = value;
  return node;
}

ConfigExprNode* MakeConfigDouble(double value) {
  ConfigExprNode* node = NewLiteral(ConfigFloatingLiteral, 0);
  node->literal.realKnown = 1;
  node->literal.real = ConfigFixedValue(value);
  return node;
}

ConfigExprNode* MakeConfigBoolean(int32_t flag) { return flag != 0 ? TheSharedTrue : TheSharedFalse; }

const char* ConfigLiteralText(ConfigExprNode* node) {
  if (node->literal.text != nullptr) return node->literal.text;
  // A number made by folding; a floating one keeps a value that shows the
  // same six digits as the value it was made from.
  if (node->kind == ConfigIntegerLiteral) {
    node->literal.text = IntegerText(node->literal.integer);
    node->literal.length = static_cast<int32_t>(std::strlen(node->literal.text));
    return node->literal.text;
  }
  char buffer[ConfigFixedTextLimit];
  auto n = static_cast<size_t>(WriteConfigFixed(buffer, node->literal.real) - buffer);
  auto* text = static_cast<char*>(Allocate(n + 1));
  std::memcpy(text, buffer, n);
  text[n] = '\0';
  node->literal.text = text;
  node->literal.length = static_cast<int32_t>(n);
  return text;
}

char* WriteConfigFixed(char* at, double value) {
  // A value that is the double nearest to m / 10^6 for an integer m (every
  // number that folding makes is one) reads as m millionths: below 2^30 it
  // lies within 2^-24 of m / 10^6, far less than the half millionth that
  // would round it elsewhere. Its digits are written from m directly.
  if (std::fabs(value) < 1073741824.0) {
    double m = std::nearbyint(value * 1e6);
    if (m / 1e6 == value) {
      if (std::signbit(value)) *at++ = '-';
      auto millionths = static_cast<uint64_t>(std::fabs(m));
      at = std::to_chars(at, at + ConfigFixedTextLimit, millionths / 1000000).ptr;
      *at++ = '.';
      auto fraction = static_cast<uint32_t>(millionths % 1000000);
      for (int32_t i = 5; i >= 0; --i) {
        at[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
      }
      return at + 6;
    }
  }
#if ConfigHasFloatingCharconv
  // to_chars writes every number as "%.6f" does, exactly rounded; only a
  // nan's sign is spelt differently by some C libraries (MinGW's "%.6f"
  // writes none), so a nan is left to the C library.
  if (!std::isnan(value)) {
    return std::to_chars(at, at + ConfigFixedTextLimit, value, std::chars_format::fixed, 6).ptr;
  }
#endif
  int n = std::snprintf(at, ConfigFixedTextLimit, "%.6f", value);
  return at + (n < 0 ? 0 : n);
}

double ConfigFixedValue(double value) {
  // Rounding value to six digits after the point is rounding the exact
  // product value * 10^6 to an integer m, halves to even as "%.6f" does;
  // the text of m / 10^6 then reads as the double nearest to it, which is
  // the quotient m / 1e6 as the division rounds it while m is exact. Below
  // 2^32 the product is below 2^52, so m is exact and the product's
  // rounding error is less than the distance from a half. Other values,
  // inf and nan take the way of the text.
  double magnitude = std::fabs(value);
  if (!(magnitude < 4294967296.0)) {
    char text[ConfigFixedTextLimit + 1];
    *WriteConfigFixed(text, value) = '\0';
    return ReadConfigDouble(text);
  }
  if (magnitude < 4e-7) return std::copysign(0.0, value);
  // The exact product as high + low: head keeps the upper 26 bits of the
  // 53-bit significand and tail the lower 27, and 10^6 = 15625 * 2^6 has
  // 14, so both partial products are exact, and so is the error of their
  // sum (a contracted multiply-add gives the same roundings).
  constexpr double Million = 1e6;
  double head = std::bit_cast<double>(std::bit_cast<uint64_t>(magnitude) & ~((uint64_t{1} << 27) - 1));
  double tail = magnitude - head;
  double a = head * Million;
  double b = tail * Million;
  double high = a + b;
  double low = b - (high - a);
  double m = std::floor(high);
  double fraction = high - m;
  bool odd = (static_cast<int64_t>(m) & 1) != 0;
  if (fraction > 0.5 || (fraction == 0.5 && (low > 0.0 || (low == 0.0 && odd)))) m += 1.0;
  return std::copysign(m / Million, value);
}

int32_t ReadConfigInteger(const char* text) {
  // Unsigned arithmetic wraps, so a run of digits too long for 32 bits gives
  // its value modulo 2^32 instead of an undefined result.
  const char* p = text;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  uint32_t value = 0;
  for (; IsDigit(*p); ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

double ReadConfigDouble(const char* text) { return ReadDecimal(text, std::strlen(text)); }

int32_t ConfigIntegerValue(const ConfigExprNode* node) { return node->literal.integer; }

double ConfigDoubleValue(ConfigExprNode* node) {
  if (node->literal.realKnown == 0) {
    node->literal.real = ReadDecimal(node->literal.text, static_cast<size_t>(node->literal.length));
    node->literal.realKnown = 1;
  }
  return node->literal.real;
}

bool IsConfigTrue(const ConfigExprNode* node) { return node->kind != ConfigFalseLiteral; }

void InitConfigTree() {
  if (!EnterModuleInit(ConfigTreeInitFlag)) return;
  InitRuntimeBase();
  TheSharedTrue = NewBoolean(ConfigTrueLiteral, 0);
  TheSharedFalse = NewBoolean(ConfigFalseLiteral, 0);
}
