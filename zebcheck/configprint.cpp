// The canonical configuration printer.
//
// Expressions print one precedence level at a time, from the conditional
// down to the literals; a binary level prints its left operand at its own
// level and its right operand at the next one. Trees come from the parser,
// whose levels already match, so every node prints by its own kind and the
// printer never adds parentheses: they appear only where the text had them.
// Every operator and bracket of an expression stands between blanks, except
// the dots of qualified names; a comma ends its argument's last line.
#include "zebcheck/configprint.h"

#include <cstddef>
#include <string_view>

#include "support/heapstack.h"
#include "support/output.h"
#include "support/services.h"
#include "support/startup.h"
#include "zebcheck/configeval.h"
#include "zebcheck/configresolve.h"

namespace {

int32_t ConfigPrintInitFlag = 0;

// The separator of the argument lines, made once by InitConfigPrint.
LayoutNode* Comma = nullptr;

// Spellings of the operators by expression kind; empty for the other kinds.
std::string_view OperatorSpellings[ConfigExprKindCount] = {};

void SetSpellings() {
  OperatorSpellings[ConfigUnaryPlus] = "+";
  OperatorSpellings[ConfigUnaryMinus] = "-";
  OperatorSpellings[ConfigComplement] = "~";
  OperatorSpellings[ConfigNot] = "!";
  OperatorSpellings[ConfigMultiply] = "*";
  OperatorSpellings[ConfigDivide] = "/";
  OperatorSpellings[ConfigRemainder] = "%";
  OperatorSpellings[ConfigAdd] = "+";
  OperatorSpellings[ConfigSubtract] = "-";
  OperatorSpellings[ConfigShiftLeft] = "<<";
  OperatorSpellings[ConfigShiftRight] = ">>";
  OperatorSpellings[ConfigShiftRightUnsigned] = ">>>";
  OperatorSpellings[ConfigLess] = "<";
  OperatorSpellings[ConfigGreater] = ">";
  OperatorSpellings[ConfigLessEqual] = "<=";
  OperatorSpellings[ConfigGreaterEqual] = ">=";
  OperatorSpellings[ConfigEqual] = "==";
  OperatorSpellings[ConfigNotEqual] = "!=";
  OperatorSpellings[ConfigBitAnd] = "&";
  OperatorSpellings[ConfigBitXor] = "^";
  OperatorSpellings[ConfigBitOr] = "|";
  OperatorSpellings[ConfigAnd] = "&&";
  OperatorSpellings[ConfigOr] = "||";
}

// A line built from left to right. Texts that stand side by side go into a
// run of bytes at the end of Runs; a document of several lines (the
// arguments of a call, one per line) ends the run, which becomes one text
// node, and is put beside what came before, so that its later lines are
// indented as those texts indent them: a blank or tab for each byte. A line
// without such a document stays bytes alone. Builds nest (an argument is
// built while its call's run is open): an inner run follows the outer one in
// Runs and is taken off again when it ends.
HeapStack<char> Runs;

struct Build {
  LayoutNode* document;  // what stands left of the run
  uint32_t runStart;     // where the run begins in Runs
};

Build BeginBuild() { return {EmptyLayout(), Runs.count}; }

void Put(const char* bytes, int32_t length) { Runs.Append(bytes, static_cast<uint32_t>(length)); }
// A fixed text: its length is known where it is written.
template <size_t N>
void Put(const char (&text)[N]) {
  Put(text, static_cast<int32_t>(N - 1));
}
void Put(std::string_view text) { Put(text.data(), static_cast<int32_t>(text.size())); }
void PutIdentifier(const Identifier* identifier) { Put(identifier->text, identifier->length); }

// The document built so far; the run is closed.
LayoutNode* EndBuild(Build& build) {
  if (Runs.count > build.runStart) {
    LayoutNode* run = LayoutCopy(&Runs.items[build.runStart], static_cast<int32_t>(Runs.count - build.runStart));
    build.document = LayoutBeside(build.document, run);
    Runs.count = build.runStart;
  }
  return build.document;
}

void PutDocument(Build& build, LayoutNode* document) { build.document = LayoutBeside(EndBuild(build), document); }

void PutExpression(Build& build, ConfigExprNode* e);

// The expression of a wrapper (a kind-3 value) as a whole expression.
void PutWrapped(Build& build, AttributeValueNode* wrapper) { PutExpression(build, wrapper->expression); }

// " ( ", the arguments and " )" after what is called; without arguments
// " ( )". Several arguments stand each on a line of its own, each but the
// last followed by ",", the later ones indented to the first.
void PutCallTail(Build& build, ConfigArgumentListNode* arguments) {
  Put(" (");
  if (arguments != nullptr && arguments->arguments != nullptr) {
    Put(" ");
    ConsList rest = arguments->arguments;
    if (rest->tail == nullptr) {
      PutWrapped(build, ConsHead<AttributeValueNode>(rest));
    } else {
      ConsListBuilder layouts;
      for (; rest != nullptr; rest = rest->tail) {
        Build argument = BeginBuild();
        PutWrapped(argument, ConsHead<AttributeValueNode>(rest));
        layouts.Add(EndBuild(argument));
      }
      PutDocument(build, LayoutJoinLines(layouts.head, Comma));
    }
  }
  Put(" )");
}

bool PrintsBare(const ConfigExprNode* r) {
  return (r->kind >= ConfigIntegerLiteral && r->kind <= ConfigStringLiteral) || r->kind == ConfigSimpleName ||
         r->kind == ConfigQualifiedName;
}

// A braced value's fold: a literal or a name bare, anything else in braces.
void PutFolded(Build& build, ConfigExprNode* r) {
  if (PrintsBare(r)) return PutExpression(build, r);
  Put("{ ");
  PutExpression(build, r);
  Put(" }");
}

void PutExpression(Build& build, ConfigExprNode* e) {
  switch (e->kind) {
    case ConfigConditional:
      PutExpression(build, e->conditional.condition);
      Put(" ? ");
      PutWrapped(build, e->conditional.then);
      Put(" : ");
      return PutExpression(build, e->conditional.otherwise);
    case ConfigSimpleName:
      return PutIdentifier(e->name.occurrence->identifier);
    case ConfigQualifiedName:
      PutExpression(build, e->qualified.qualifier);
      Put(".");
      return PutIdentifier(e->qualified.occurrence->identifier);
    case ConfigParenthesized:
      Put("( ");
      PutWrapped(build, e->parenthesized.inner);
      return Put(" )");
    case ConfigFieldAccess:
      PutExpression(build, e->member.primary);
      Put(" . ");
      return PutIdentifier(e->member.occurrence->identifier);
    case ConfigNameCall:
      PutExpression(build, e->call.name);
      return PutCallTail(build, e->call.arguments);
    case ConfigPrimaryCall:
      PutExpression(build, e->member.primary);
      Put(" . ");
      PutIdentifier(e->member.occurrence->identifier);
      return PutCallTail(build, e->member.arguments);
    case ConfigNameIndex:
    case ConfigPrimaryIndex:
      PutExpression(build, e->index.base);
      Put(" [ ");
      PutWrapped(build, e->index.index);
      return Put(" ]");
    case ConfigIntegerLiteral:
    case ConfigFloatingLiteral:
    case ConfigCharacterLiteral:
    case ConfigStringLiteral:
      ConfigLiteralText(e);  // a folded number's text is made here, once
      return Put(e->literal.text, e->literal.length);
    case ConfigTrueLiteral:
      return Put("true");
    case ConfigFalseLiteral:
      return Put("false");
    default:
      break;
  }
  if (e->kind >= ConfigUnaryPlus && e->kind <= ConfigNot) {
    Put(OperatorSpellings[e->kind]);
    Put(" ");
    return PutExpression(build, e->unary.operand);
  }
  PutExpression(build, e->binary.left);
  Put(" ");
  Put(OperatorSpellings[e->kind]);
  Put(" ");
  PutExpression(build, e->binary.right);
}

// The output of the definitions printed so far stands at the start of Runs,
// before the run of the line being built. It is written out at the end of
// each top-level definition, and sooner once it grows long (under deep
// nesting, whose indentation makes text quadratic in the depth), so that
// the memory of printing stays that of a few lines.
constexpr uint32_t PendingLimit = uint32_t{1} << 16;

// Blanks for the indentation of nested lists, two for each level.
HeapStack<char> Blanks;

char* BlanksFor(int32_t depth) {
  auto n = static_cast<uint32_t>(2 * depth);
  while (Blanks.count < n) Blanks.Push(' ');
  return Blanks.items;
}

void PutIndentation(int32_t depth) { Put(BlanksFor(depth), 2 * depth); }

void WritePending() {
  WriteBytes(Runs.items, static_cast<int32_t>(Runs.count));
  Runs.count = 0;
}

void EndPendingLine() {
  Put("\n");
  if (Runs.count >= PendingLimit) WritePending();
}

// Indentation from this depth on is written straight out when it starts a
// line that is bytes alone, rather than copied into Runs first: deep
// nesting makes it most of the output.
constexpr int32_t DirectIndentDepth = 64;

// The indentation of a line that is bytes alone (the head or the closing
// brace of a nested list, the line of an empty one).
void PutPlainIndentation(int32_t depth) {
  if (depth < DirectIndentDepth) return PutIndentation(depth);
  WritePending();
  WriteBytes(BlanksFor(depth), 2 * depth);
}

// Ends the line built: bytes alone stay pending; a build with a document of
// several lines (its first run holding the line's indentation, which its
// later lines keep as blanks) is printed after the pending output.
void EndLine(Build& build) {
  if (build.document != EmptyLayout()) {
    LayoutNode* document = EndBuild(build);
    WritePending();
    PrintLayout(document);
  }
  EndPendingLine();
}

// A definition whose value is not a nested list, on one line: "\\" name,
// then "{ " value " }". A braced value takes the fold kept in its definition,
// which the uses of the definition's name share.
void PutValueDefinition(Build& build, AttributeDefinitionNode* definition) {
  AttributeValueNode* value = definition->value;
  Put("\\");
  PutIdentifier(definition->name->identifier);
  Put("{ ");
  if (value->kind == ConfigBracedValue) {
    PutFolded(build, EvaluateDefinitionValue(definition));
  } else {
    PutExpression(build, value->expression);
  }
  Put(" }");
}

// A definition at a nesting depth, every line indented by two blanks a
// level and ended by a line feed: a nested list as its head line, its
// definitions one level deeper (an empty list as one line of the deeper
// indentation only) and the closing brace; any other value on the line of
// its name.
void PrintDefinition(AttributeDefinitionNode* definition, int32_t depth) {
  AttributeValueNode* value = definition->value;
  if (value->kind == ConfigNestedValue) {
    PutPlainIndentation(depth);
    Put("\\");
    PutIdentifier(definition->name->identifier);
    Put("{");
    EndPendingLine();
    if (value->definitions == nullptr) {
      PutPlainIndentation(depth + 1);
      EndPendingLine();
    }
    for (ConsList rest = value->definitions; rest != nullptr; rest = rest->tail) {
      PrintDefinition(ConsHead<AttributeDefinitionNode>(rest), depth + 1);
    }
    PutPlainIndentation(depth);
    Put("}");
    return EndPendingLine();
  }
  Build build = BeginBuild();
  PutIndentation(depth);
  PutValueDefinition(build, definition);
  EndLine(build);
}

}  // namespace

// The layouts of a definition, a value and an expression: the same builds as
// the printer's, closed into a document instead of written out.
LayoutNode* UnparseExpression(ConfigExprNode* node) {
  Build build = BeginBuild();
  PutExpression(build, node);
  return EndBuild(build);
}

LayoutNode* UnparseAttributeValue(AttributeValueNode* value) {
  if (value->kind == ConfigNestedValue) {
    ConsListBuilder layouts;
    for (ConsList rest = value->definitions; rest != nullptr; rest = rest->tail) {
      layouts.Add(UnparseDefinition(ConsHead<AttributeDefinitionNode>(rest)));
    }
    return LayoutVertical(layouts.head);
  }
  Build build = BeginBuild();
  if (value->kind == ConfigBracedValue) {
    PutFolded(build, EvaluateExpression(value->expression));
  } else {
    PutExpression(build, value->expression);
  }
  return EndBuild(build);
}

LayoutNode* UnparseDefinition(AttributeDefinitionNode* definition) {
  AttributeValueNode* value = definition->value;
  Build build = BeginBuild();
  if (value->kind != ConfigNestedValue) {
    PutValueDefinition(build, definition);
    return EndBuild(build);
  }
  Put("\\");
  PutIdentifier(definition->name->identifier);
  Put("{");
  LayoutNode* nested = LayoutBeside(LayoutText("  "), UnparseAttributeValue(value));
  return LayoutAbove(LayoutAbove(EndBuild(build), nested), LayoutText("}"));
}

// The builder makes a definition's nodes bottom-up, its own node last, so
// the nodes of the definition after `current` mostly lie between the two
// definition nodes. Asking for those lines while `current` is printed
// brings them in from memory by the time the walk reaches them; a range
// that does not fit that picture (another heap chunk) is left alone.
constexpr uintptr_t PrefetchedBytesLimit = 64 * 1024;
void PrefetchDefinition(AttributeDefinitionNode* current, AttributeDefinitionNode* next) {
  auto from = reinterpret_cast<uintptr_t>(current);
  auto to = reinterpret_cast<uintptr_t>(next);
  if (to <= from || to - from > PrefetchedBytesLimit) return;
  for (uintptr_t line = from & ~uintptr_t{63}; line <= to; line += 64) {
    __builtin_prefetch(reinterpret_cast<const void*>(line));
  }
}

// One top-level definition at a time: the documents of its calls with
// several arguments are made in the layout's scratch region and given up
// after it, so the memory of printing is that of the largest definition, not
// of the whole file.
void PrintConfig(ConfigRootNode* root) {
  RealNotationSwitch = 0;
  OpenOutput("");
  for (ConsList rest = root->value->definitions; rest != nullptr; rest = rest->tail) {
    if (rest->tail != nullptr) PrefetchDefinition(ConsHead<AttributeDefinitionNode>(rest), ConsHead<AttributeDefinitionNode>(rest->tail));
    BeginLayoutScratch();
    PrintDefinition(ConsHead<AttributeDefinitionNode>(rest), 0);
    WritePending();
    EndLayoutScratch();
  }
  CloseOutput();
}

void InitConfigPrint() {
  if (!EnterModuleInit(ConfigPrintInitFlag)) return;
  InitLayout();
  InitConfigEval();
  Comma = LayoutText(",");
  SetSpellings();
}

Word CheckAndPrintConfig(LazyCell* runCell) {
  auto* rootCell = static_cast<LazyCell*>(runCell->context);
  auto* root = reinterpret_cast<ConfigRootNode*>(ForceLazyCell(rootCell));
  CheckDefinitions(root);
  PrintConfig(root);
  return StoreLazyValue(runCell, reinterpret_cast<Word>(root));
}
