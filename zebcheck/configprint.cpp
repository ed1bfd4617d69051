// The canonical configuration printer.
//
// Expressions print one precedence level at a time, from the conditional
// down to the literals; a binary level prints its left operand at its own
// level and its right operand at the next one. Trees come from the parser,
// whose levels already match, so every node prints by its own kind and the
// printer never adds parentheses: they appear only where the text had them.
// Every operator, bracket and comma of an expression stands between blanks
// (LayoutBesideSpace), except the dots of qualified names.
#include "zebcheck/configprint.h"

#include "support/output.h"
#include "support/services.h"
#include "support/startup.h"
#include "zebcheck/configeval.h"
#include "zebcheck/configresolve.h"

namespace {

int32_t ConfigPrintInitFlag = 0;

// The layouts of the fixed texts, made once by InitConfigPrint.
LayoutNode* Indent = nullptr;
LayoutNode* OpenParen = nullptr;
LayoutNode* CloseParen = nullptr;
LayoutNode* Comma = nullptr;
LayoutNode* Dot = nullptr;
LayoutNode* Colon = nullptr;
LayoutNode* Question = nullptr;
LayoutNode* OpenBracket = nullptr;
LayoutNode* Backslash = nullptr;
LayoutNode* CloseBracket = nullptr;
LayoutNode* FalseText = nullptr;
LayoutNode* TrueText = nullptr;
LayoutNode* OpenBrace = nullptr;
LayoutNode* CloseBrace = nullptr;

// Spellings of the operators by expression kind; null for the other kinds.
const char* OperatorSpellings[ConfigExprKindCount] = {};
LayoutNode* OperatorLayouts[ConfigExprKindCount] = {};

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
  for (int32_t kind = 0; kind < ConfigExprKindCount; ++kind) {
    if (OperatorSpellings[kind] != nullptr) OperatorLayouts[kind] = LayoutText(OperatorSpellings[kind]);
  }
}

// a ␣ b: a, one blank, b.
LayoutNode* Spaced(LayoutNode* a, LayoutNode* b) { return LayoutBesideSpace(a, b); }

LayoutNode* Spaced(LayoutNode* a, LayoutNode* b, LayoutNode* c) { return Spaced(Spaced(a, b), c); }

// The expression of a wrapper (a kind-3 value) as a whole expression.
LayoutNode* UnparseWrapped(AttributeValueNode* wrapper) { return UnparseExpression(wrapper->expression); }

// Each argument on a line of its own, each but the last followed by ",";
// the empty layout without arguments.
LayoutNode* UnparseArguments(ConfigArgumentListNode* arguments) {
  if (arguments == nullptr) return EmptyLayout();
  ConsListBuilder layouts;
  for (ConsList rest = arguments->arguments; rest != nullptr; rest = rest->tail) {
    layouts.Add(UnparseWrapped(ConsHead<AttributeValueNode>(rest)));
  }
  return LayoutJoinLines(layouts.head, Comma);
}

// "(" ␣ arguments ␣ ")" after what is called.
LayoutNode* CallTail(LayoutNode* callee, ConfigArgumentListNode* arguments) {
  return Spaced(Spaced(callee, OpenParen, UnparseArguments(arguments)), CloseParen);
}

LayoutNode* UnparseDefinitions(ConsList definitions) {
  ConsListBuilder layouts;
  for (ConsList rest = definitions; rest != nullptr; rest = rest->tail) {
    layouts.Add(UnparseDefinition(ConsHead<AttributeDefinitionNode>(rest)));
  }
  return LayoutVertical(layouts.head);
}

bool PrintsBare(const ConfigExprNode* r) {
  return (r->kind >= ConfigIntegerLiteral && r->kind <= ConfigStringLiteral) || r->kind == ConfigSimpleName ||
         r->kind == ConfigQualifiedName;
}

// A braced value's fold: a literal or a name bare, anything else in braces.
LayoutNode* UnparseFolded(ConfigExprNode* r) {
  if (PrintsBare(r)) return UnparseExpression(r);
  return Spaced(OpenBrace, UnparseExpression(r), CloseBrace);
}

}  // namespace

LayoutNode* UnparseExpression(ConfigExprNode* e) {
  switch (e->kind) {
    case ConfigConditional:
      return Spaced(Spaced(UnparseExpression(e->conditional.condition), Question,
                           UnparseWrapped(e->conditional.then)),
                    Colon, UnparseExpression(e->conditional.otherwise));
    case ConfigSimpleName:
      return LayoutIdentifier(e->name.occurrence->identifier);
    case ConfigQualifiedName:
      return LayoutBeside(LayoutBeside(UnparseExpression(e->qualified.qualifier), Dot),
                          LayoutIdentifier(e->qualified.occurrence->identifier));
    case ConfigParenthesized:
      return Spaced(OpenParen, UnparseWrapped(e->parenthesized.inner), CloseParen);
    case ConfigFieldAccess:
      return Spaced(UnparseExpression(e->member.primary), Dot,
                    LayoutIdentifier(e->member.occurrence->identifier));
    case ConfigNameCall:
      return CallTail(UnparseExpression(e->call.name), e->call.arguments);
    case ConfigPrimaryCall:
      return CallTail(Spaced(UnparseExpression(e->member.primary), Dot,
                             LayoutIdentifier(e->member.occurrence->identifier)),
                      e->member.arguments);
    case ConfigNameIndex:
    case ConfigPrimaryIndex:
      return Spaced(Spaced(UnparseExpression(e->index.base), OpenBracket, UnparseWrapped(e->index.index)),
                    CloseBracket);
    case ConfigIntegerLiteral:
    case ConfigFloatingLiteral:
    case ConfigCharacterLiteral:
    case ConfigStringLiteral:
      return LayoutBytes(e->literal.text, e->literal.length);
    case ConfigTrueLiteral:
      return TrueText;
    case ConfigFalseLiteral:
      return FalseText;
    default:
      break;
  }
  if (e->kind >= ConfigUnaryPlus && e->kind <= ConfigNot) {
    return Spaced(OperatorLayouts[e->kind], UnparseExpression(e->unary.operand));
  }
  return Spaced(UnparseExpression(e->binary.left), OperatorLayouts[e->kind],
                UnparseExpression(e->binary.right));
}

LayoutNode* UnparseAttributeValue(AttributeValueNode* value) {
  switch (value->kind) {
    case ConfigNestedValue:
      return UnparseDefinitions(value->definitions);
    case ConfigLiteralValue:
    case ConfigNameValue:
      return UnparseExpression(value->expression);
    default:
      return UnparseFolded(EvaluateExpression(value->expression));
  }
}

LayoutNode* UnparseDefinition(AttributeDefinitionNode* definition) {
  LayoutNode* head = LayoutBeside(Backslash, LayoutIdentifier(definition->name->identifier));
  AttributeValueNode* value = definition->value;
  if (value->kind == ConfigNestedValue) {
    LayoutNode* nested = LayoutBeside(Indent, UnparseDefinitions(value->definitions));
    return LayoutAbove(LayoutAbove(LayoutBeside(head, OpenBrace), nested), CloseBrace);
  }
  // A braced value takes the fold kept in its definition, which the uses of
  // the definition's name share.
  LayoutNode* shown =
      value->kind == ConfigBracedValue ? UnparseFolded(EvaluateDefinitionValue(definition)) : UnparseAttributeValue(value);
  return LayoutBeside(head, Spaced(OpenBrace, shown, CloseBrace));
}

// One top-level definition at a time: its document is made in the layout's
// scratch region, printed with its line end and given up, so the memory of
// printing is that of the largest definition, not of the whole file. The
// lines are those of the document of all definitions one below the other
// with an empty line under them.
void PrintConfig(ConfigRootNode* root) {
  RealNotationSwitch = 0;
  OpenOutput("");
  for (ConsList rest = root->value->definitions; rest != nullptr; rest = rest->tail) {
    BeginLayoutScratch();
    PrintLayout(UnparseDefinition(ConsHead<AttributeDefinitionNode>(rest)));
    EndLayoutScratch();
    WriteString("\n");
  }
  CloseOutput();
}

void InitConfigPrint() {
  if (!EnterModuleInit(ConfigPrintInitFlag)) return;
  InitLayout();
  InitConfigEval();
  Indent = LayoutText("  ");
  OpenParen = LayoutText("(");
  CloseParen = LayoutText(")");
  Comma = LayoutText(",");
  Dot = LayoutText(".");
  Colon = LayoutText(":");
  Question = LayoutText("?");
  OpenBracket = LayoutText("[");
  Backslash = LayoutText("\\");
  CloseBracket = LayoutText("]");
  FalseText = LayoutText("false");
  TrueText = LayoutText("true");
  OpenBrace = LayoutText("{");
  CloseBrace = LayoutText("}");
  SetSpellings();
}

Word CheckAndPrintConfig(LazyCell* runCell) {
  auto* rootCell = static_cast<LazyCell*>(runCell->context);
  auto* root = reinterpret_cast<ConfigRootNode*>(ForceLazyCell(rootCell));
  CheckDefinitions(root);
  PrintConfig(root);
  return StoreLazyValue(runCell, reinterpret_cast<Word>(root));
}
