// Configuration name resolution: definition sets, lookup and the check pass
// that reports names without definition.
//
// Sets are immutable and freely shared. A union copies only the new entries
// of its first operand and shares the second operand's list as its tail, so
// an environment costs one copy of the definitions that a scope adds.
#include "zebcheck/configresolve.h"

#include <cstdio>

#include "support/heap.h"
#include "support/report.h"
#include "support/services.h"
#include "support/startup.h"
#include "zebcheck/checktexts.h"
#include "zebcheck/configprint.h"

namespace {

int32_t ConfigResolveInitFlag = 0;
ConfigDefinitionSet* TheEmptySet = nullptr;

ConfigDefinitionSet* NewSet(ConsList definitions) {
  auto* set = static_cast<ConfigDefinitionSet*>(Allocate(sizeof(ConfigDefinitionSet)));
  set->definitions = definitions;
  return set;
}

// Reports a name occurrence without a match at the position of the
// expression node that holds it; the message ends with its own newline.
void CheckOccurrence(AppliedOccurrence* occurrence, SourcePosition position) {
  if (OccurrenceMatches(occurrence) != nullptr) return;
  BeginMessage(position, 0);
  PrintString(NoDefinitionText);
  PrintIdentifier(occurrence->identifier);
  PrintString("\n");
  std::fflush(StderrStream);
}

void CheckValue(AttributeValueNode* value);

void CheckArguments(ConfigArgumentListNode* arguments) {
  if (arguments == nullptr) return;
  for (ConsList rest = arguments->arguments; rest != nullptr; rest = rest->tail) {
    CheckValue(ConsHead<AttributeValueNode>(rest));
  }
}

void CheckExpression(ConfigExprNode* e) {
  switch (e->kind) {
    case ConfigSimpleName:
      CheckOccurrence(e->name.occurrence, e->position);
      return;
    case ConfigQualifiedName:
      CheckExpression(e->qualified.qualifier);
      CheckOccurrence(e->qualified.occurrence, e->position);
      return;
    case ConfigParenthesized:
      CheckValue(e->parenthesized.inner);
      return;
    case ConfigFieldAccess:
      CheckExpression(e->member.primary);
      CheckOccurrence(e->member.occurrence, e->position);
      return;
    case ConfigNameCall:
      CheckExpression(e->call.name);
      CheckArguments(e->call.arguments);
      return;
    case ConfigPrimaryCall:
      CheckExpression(e->member.primary);
      CheckOccurrence(e->member.occurrence, e->position);
      CheckArguments(e->member.arguments);
      return;
    case ConfigNameIndex:
    case ConfigPrimaryIndex:
      CheckExpression(e->index.base);
      CheckValue(e->index.index);
      return;
    case ConfigConditional:
      CheckExpression(e->conditional.condition);
      CheckValue(e->conditional.then);
      CheckExpression(e->conditional.otherwise);
      return;
    default:
      break;
  }
  if (e->kind >= ConfigUnaryPlus && e->kind <= ConfigNot) {
    CheckExpression(e->unary.operand);
  } else if (e->kind >= ConfigMultiply && e->kind <= ConfigOr) {
    CheckExpression(e->binary.left);
    CheckExpression(e->binary.right);
  }
  // Literals hold no names.
}

void CheckDefinitionList(ConsList definitions) {
  for (ConsList rest = definitions; rest != nullptr; rest = rest->tail) {
    CheckValue(ConsHead<AttributeDefinitionNode>(rest)->value);
  }
}

void CheckValue(AttributeValueNode* value) {
  switch (value->kind) {
    case ConfigNestedValue:
      CheckDefinitionList(value->definitions);
      return;
    case ConfigLiteralValue:
      return;
    default:
      CheckExpression(value->expression);
      return;
  }
}

}  // namespace

ConfigDefinitionSet* EmptyConfigDefinitionSet() { return TheEmptySet; }

ConfigDefinition* MakeConfigDefinition(Identifier* name, LazyCell* node) {
  auto* definition = static_cast<ConfigDefinition*>(Allocate(sizeof(ConfigDefinition)));
  definition->kind = 0;
  definition->name = name;
  definition->node = node;
  return definition;
}

ConfigDefinitionSet* SingletonConfigDefinitionSet(ConfigDefinition* definition) {
  return NewSet(Cons(definition, nullptr));
}

ConfigDefinitionSet* UniteConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b) {
  if (a == TheEmptySet) return b;
  if (b == TheEmptySet || b == a) return a;
  ConsList added = nullptr;
  ConsList* addedEnd = &added;
  for (ConsList rest = a->definitions; rest != nullptr; rest = rest->tail) {
    if (ConsContains(b->definitions, rest->head)) continue;
    *addedEnd = Cons(rest->head, nullptr);
    addedEnd = &(*addedEnd)->tail;
  }
  *addedEnd = b->definitions;
  return NewSet(added);
}

ConfigDefinitionSet* UniteDisjointConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b) {
  if (a == TheEmptySet) return b;
  if (b == TheEmptySet || b == a) return a;
  ConsList added = nullptr;
  ConsList* addedEnd = &added;
  for (ConsList rest = a->definitions; rest != nullptr; rest = rest->tail) {
    *addedEnd = Cons(rest->head, nullptr);
    addedEnd = &(*addedEnd)->tail;
  }
  *addedEnd = b->definitions;
  return NewSet(added);
}

ConsList LookupConfigName(Identifier* name, ConfigDefinitionSet* set) {
  ConsList matches = nullptr;
  ConsList* matchesEnd = &matches;
  for (ConsList rest = set->definitions; rest != nullptr; rest = rest->tail) {
    ConfigDefinition* definition = ConsHead<ConfigDefinition>(rest);
    if (definition->name != name) continue;
    *matchesEnd = Cons(reinterpret_cast<void*>(ForceLazyCell(definition->node)), nullptr);
    matchesEnd = &(*matchesEnd)->tail;
  }
  return matches;
}

ConfigDefinitionSet* NestedDefinitionsOf(AttributeDefinitionNode* node) {
  return node == nullptr ? TheEmptySet : node->nested;
}

ConfigRootNode* CheckDefinitions(ConfigRootNode* root) {
  CheckDefinitionList(root->value->definitions);
  return root;
}

Word CheckAndPrintConfig(LazyCell* runCell) {
  auto* rootCell = static_cast<LazyCell*>(runCell->context);
  auto* root = reinterpret_cast<ConfigRootNode*>(ForceLazyCell(rootCell));
  CheckDefinitions(root);
  PrintConfig(root);
  return StoreLazyValue(runCell, reinterpret_cast<Word>(root));
}

void InitConfigResolve() {
  if (!EnterModuleInit(ConfigResolveInitFlag)) return;
  InitRuntimeBase();
  InitConfigTree();
  TheEmptySet = NewSet(nullptr);
}
