// The tree builder: trace replay into production instances, the attribute
// equations of every production, and the forcing of builder cells.
//
// The right-hand sides come from the generated automaton (the grammar file's
// productions); the node kinds from nodes.def. How a production's equations
// are chosen (one plan per production, made once by TreeBuilderModuleInit,
// which checks the plans against both and stops with an internal error on a
// mismatch):
//   1. tree: a production that makes a node kind (nodes.def names it) builds
//      that node from its value-carrying right-hand-side symbols in order
//      (child trees, identifier occurrences, literal values) and, for the four
//      scope-opening kinds, the defs of its scope body last. A production
//      that makes a leaf builds the leaf from its position. The generated list
//      and option nonterminals yield a cons cell, the present child, a count
//      or a flag. Every other production is a chain: its tree is its one
//      child's tree cell itself.
//   2. defs: the union, in right-hand-side order, of the defs of the children
//      whose nonterminal has defs; one child's cell is handed on unchanged,
//      none gives EmptyDefinitionSet. The declaring productions, the scope
//      closers and three productions that keep one child's defs are listed
//      in tables below.
//   3. env: each child inherits the parent's env cell, except the children
//      listed in the scope table, which get an inner-environment cell of the
//      instance.
//   4. lookup: the productions with an identifier occurrence name the lookup
//      of their occurrence (and the scope routine it searches), in a table.
//
// Replay keeps the open productions on a stack of its own. A production with
// cells of its own gets one heap instance (the children's and tokens' cells
// that its equations read, and its own cells); a chain production gets none,
// its frame hands the child's cells on, and a chain whose right-hand side is
// one nonterminal alone (a pass-through, most of the expression levels) gets
// no frame either: replay reads its production and goes on to the child's.
//
// With the trees computed during replay (TreesDuringReplay), each instance's
// tree cell is evaluated when its production finishes, by the same equation;
// its other cells are pending as always.
//
// Forcing (numbered because it is the delicate part):
//   1. Every builder cell starts with its attribute's function (InstanceTree,
//      InstanceDefs, InstanceEnv, InstanceLookup) and the instance as context.
//   2. Forcing such a cell runs a work stack: the cell is marked busy (its
//      function becomes the attribute's Busy function, which yields the empty
//      value), the unevaluated builder cells it depends on are pushed, and the
//      cell's equation runs once they are all evaluated. Only then is the
//      value stored and the function replaced by EvaluatedValue.
//   3. Dependencies that an equation reaches through other modules (lookups,
//      scope routines) are forced by ordinary calls and start a work stack of
//      their own; a cell met again while busy yields its empty value.
#include "java/tree/builder.h"

#include <cstring>
#include <vector>

#include "java/parser/automaton.h"
#include "java/scanner/tokens.h"
#include "java/tree/scopes.h"
#include "support/heap.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

TreeBuilderCounters BuilderCounters = {};

namespace {

constexpr const char* BuilderModuleName = "TreeBuilder";

enum TreeShape : uint8_t { TreeChain, TreeNodeShape, TreeLeafShape, TreeZero, TreeOne, TreeCons, TreePlusOne };
enum DefsShape : uint8_t { DefsEmpty, DefsChild, DefsUnion, DefsDeclare };
enum EnvRule : uint8_t {
  EnvScope,             // the child's defs united with env
  EnvPackage,           // AddPackageScope(env, node)
  EnvImports,           // AddImportScopes(env, node)
  EnvClassBody,         // body defs, inherited, interfaces' members, env
  EnvInterfaceBody,     // body defs, inherited, env
  EnvAnonymousBody,     // body defs, members of the instantiated type, env
  EnvTypeMembers,       // TypeMembersScope(env, node)
  EnvQualifierMembers,  // QualifierMembersScope(env, node)
};

using LookupFunction = ConsList (*)(Identifier*, DefinitionSet*);

constexpr int32_t MaxSlots = 10;  // longest right-hand side: 9 symbols

struct InnerEnvPlan {
  int8_t slot;       // right-hand-side index of the child that inherits it
  EnvRule rule;
  int8_t defsSlot;   // the slot whose defs the rule unites (-1 when none)
};

struct ProductionPlan {
  int16_t lhs = -1;
  int16_t length = 0;
  const int16_t* rhs = nullptr;
  TreeShape tree = TreeChain;
  int32_t code = -1;         // node kind or leaf code
  int8_t treeSlot = -1;      // chain and option: the child; list: the item
  int8_t restSlot = -1;      // list and bracket count: the recursive rest
  int8_t bodySlot = -1;      // scope-opening kinds: the slot of the body
  DefsShape defs = DefsEmpty;
  int8_t defsSlots[MaxSlots] = {};
  int8_t defsCount = 0;
  int8_t declareKind = -1;
  int8_t identifierSlot = -1;
  InnerEnvPlan inner[2] = {};
  int8_t innerCount = 0;
  LookupFunction lookup = nullptr;
  ScopeFunction scope = nullptr;  // null: the lookup searches env itself
  bool built = false;             // the production stands where a builder can meet it
  // Indexes of the own cells behind the slots; -1 when the plan has none.
  int8_t treeCell = -1;
  int8_t defsCell = -1;
  int8_t lookupCell = -1;
  int8_t innerCell[2] = {-1, -1};
  int8_t cellCount = 0;
  // The instance's members: for right-hand-side symbol i, the index of the
  // member that keeps its tree (or token-value) cell and of the one that keeps
  // its defs cell; -1 where no equation reads that cell, so the instance has
  // no room for it.
  int8_t treeMember[MaxSlots] = {};
  int8_t defsMember[MaxSlots] = {};
  int8_t memberCount = 0;
  bool keepsEnv = false;  // a lookup or an inner environment reads the inherited env
  // A chain whose right-hand side is its one child nonterminal: replay gives
  // it no frame and goes straight on to the child's production.
  bool passThrough = false;
  int16_t passChild = -1;  // the child nonterminal of a pass-through
  // What the equations force, as member indexes in the order they force them,
  // so that forcing walks no right-hand side: the tree equation's children
  // (their trees, then the body's defs), and the defs equation's children.
  int8_t treeDeps[MaxSlots + 1] = {};
  int8_t treeDepCount = 0;
  int8_t defsDeps[MaxSlots] = {};
  // A node's fields from the right-hand side, in order: the member of each,
  // and what an identifier field makes (OccurrenceNone, Applied, Defining).
  int8_t fieldMember[MaxSlots] = {};
  uint8_t fieldOccurrence[MaxSlots] = {};
  int8_t fieldCount = 0;
};

enum FieldOccurrence : uint8_t { OccurrenceNone, OccurrenceApplied, OccurrenceDefining };

// The cells a child's builder returns (or a token's value cell as tree).
struct Slot {
  LazyCell* tree;  // a child's tree cell, or a token's value cell
  LazyCell* defs;  // a child's defs cell
};

// A production instance: this header, then its members (the addresses of
// the children's tree and defs cells and of the token-value cells that its
// equations read, nothing for other tokens), then the instance's own cells
// (only those its plan uses). Chain productions, which have no cell of their
// own, get no instance at all. The header is one word: the position and the
// production's number. The address of the inherited env cell follows it only
// in instances whose equations read it (a lookup, an inner environment).
struct alignas(8) Instance {
  NodePosition position;
  int16_t production;
};
static_assert(sizeof(Instance) == 8, "an instance header is one word");

// The Java grammar's size; MakePlans checks the generated automaton against it.
constexpr int32_t JavaProductionTotal = 505;
constexpr int32_t JavaNonterminalTotal = 296;

ProductionPlan Plans[JavaProductionTotal];
int32_t SingleProduction[JavaNonterminalTotal];  // the production of a one-production nonterminal
// What replay checks and follows of each production, packed small: the
// nonterminal it builds (-1 when no builder meets it, so that it matches
// none), and for a pass-through its child and whether it yields no defs.
// Eight bytes, so that a step is found by a shift.
struct alignas(8) ReplayStep {
  int16_t lhs;
  int16_t passChild;  // -1: not a pass-through
  bool emptyDefs;
};
ReplayStep ReplaySteps[JavaProductionTotal];
bool HasDefs[JavaNonterminalTotal];
int32_t ProductionOfCode[LeafCodeEnd];
int32_t BuilderModuleFlag = 0;
TreeReplay Replay = {};

const ProductionPlan& PlanOf(const Instance* instance) { return Plans[instance->production]; }

// The words after the header: the env cell's address where the plan keeps
// it, then the members.
LazyCell** AfterHeader(Instance* instance) { return reinterpret_cast<LazyCell**>(instance + 1); }
LazyCell*& EnvOf(Instance* instance) { return AfterHeader(instance)[0]; }
LazyCell** Members(Instance* instance) { return AfterHeader(instance) + (PlanOf(instance).keepsEnv ? 1 : 0); }
LazyCell* Cells(Instance* instance) {
  return reinterpret_cast<LazyCell*>(Members(instance) + PlanOf(instance).memberCount);
}
// The tree (or token-value) and defs cells of right-hand-side symbol i.
LazyCell* ChildTree(Instance* instance, int32_t i) { return Members(instance)[PlanOf(instance).treeMember[i]]; }
LazyCell* ChildDefs(Instance* instance, int32_t i) { return Members(instance)[PlanOf(instance).defsMember[i]]; }

LazyCell EmptyDefsCell;  // evaluated: EmptyDefinitionSet
LazyCell ZeroCell;       // evaluated: 0
LazyCell OneCell;        // evaluated: 1

const LrAutomaton& Grammar() { return JavaAutomaton; }

bool IsToken(int32_t symbol) { return symbol < Grammar().TokenCount; }
int32_t NonterminalOf(int32_t symbol) { return symbol - Grammar().TokenCount; }

Instance* InstanceOf(LazyCell* cell) { return static_cast<Instance*>(cell->context); }

LazyCell* TreeCell(Instance* instance) { return Cells(instance) + PlanOf(instance).treeCell; }
LazyCell* DefsCell(Instance* instance) { return Cells(instance) + PlanOf(instance).defsCell; }
LazyCell* LookupCell(Instance* instance) { return Cells(instance) + PlanOf(instance).lookupCell; }
LazyCell* InnerCell(Instance* instance, int32_t k) { return Cells(instance) + PlanOf(instance).innerCell[k]; }

[[noreturn]] void Inconsistent(int32_t line) { InternalError(BuilderModuleName, line); }

// ---- The tables of the equations that are not the general rules ----

// Nonterminals whose builders yield no defs.
const char* const NoDefsNonterminals[] = {
    "ZEB_SimpleValue", "ZEB_LiteralValue", "ZEB_Name", "ZEB_SimpleName", "ZEB_QualifiedName",
    "Literal", "IntegerLiteral", "FloatingPointLiteral", "DoubleLiteral", "FloatLiteral",
    "BooleanLiteral", "CharacterLiteral", "StringLiteral", "NullLiteral", "Type", "PrimitiveType",
    "NumericType", "IntegralType", "FloatingPointType", "ReferenceType", "ClassOrInterfaceType",
    "ClassType", "InterfaceType", "ArrayType", "PrimitiveArrayType", "NameArrayType", "Name",
    "SimpleName", "QualifiedName", "ImportDeclaration", "ImportBody", "OnDemandImportName", "Star",
    "ImportName", "ImportSimpleName", "ImportQualifiedName", "Modifier", "Super", "Interfaces",
    "ExtendsInterfaces", "Throws", "EmptyMethodBody", "EmptyArrayInitializer", "EmptyStatement",
    "BreakStatement", "ContinueStatement", "LabelIdentifier", "PrimitiveArrayClassLiteral",
    "PrimitiveClassLiteral", "AssignmentOperator", "QualifiedThis", "ClassLiteral",
    "ArrayClassLiteral", "ThisFieldAccess", "SuperFieldAccess", "QualifiedSuperFieldAccess",
    "ExpressionName", "_MOREopenbrksymclosebrksym", "_OPT_MOREImportDeclaration",
    "_OPT_MOREModifier", "_MOREInterfaceTypeINSERTcomma", "_OPT_MOREopenbrksymclosebrksym",
    "_MOREClassTypeINSERTcomma", "_MOREImportDeclaration", "_MOREModifier", "_OPTInterfaces",
    "_OPTSuper", "_OPTThrows", "_OPTfinalsym", "_OPTExtendsInterfaces", "_OPTcommasym",
    "_OPTLabelIdentifier",
};

// Productions whose defs are EmptyDefinitionSet although a child declares
// something: the scope closers.
const int16_t ScopeClosers[] = {131, 158, 220, 222};

// Productions whose defs are those of one child only.
struct OneChildDefs {
  int16_t production;
  const char* child;
};
const OneChildDefs OneChildDefsTable[] = {
    {13, "_OPT_MOREZEB_Section"}, {115, "MethodHeader"}, {150, "MethodHeader"}};

// The declaring productions: the kind they declare, and whether the defs of
// their children are united behind the declaration (labels) or kept inside
// the node (scope openers) or absent.
struct Declaring {
  int16_t production;
  int8_t kind;
  bool uniteChildren;
};
const Declaring DeclaringTable[] = {
    {3, HeaderEntryDefinition, false},  {64, PackageDefinition, false},
    {94, ClassDefinition, false},       {112, VariableDefinition, false},
    {122, MethodDefinition, false},     {143, InterfaceDefinition, false},
    {199, LabelDefinitionKind, true},   {200, NoShortIfLabelDefinition, true},
};

// The children that get an environment other than their parent's.
struct ScopeEntry {
  int16_t production;
  const char* child;
  EnvRule rule;
  const char* defsOf;  // the child whose defs the rule unites, or null
};
const ScopeEntry ScopeTable[] = {
    {3, "ZEB_AttributeValue", EnvScope, "ZEB_AttributeValue"},
    {13, "CompilationUnit", EnvScope, "CompilationUnit"},
    {63, "PackageDeclaration", EnvPackage, nullptr},
    {64, "PackageBody", EnvScope, "PackageBody"},
    {69, "_OPT_MORETypeDeclaration", EnvImports, nullptr},
    {94, "ClassBody", EnvClassBody, "ClassBody"},
    {115, "MethodRest", EnvScope, "MethodRest"},
    {131, "ConstructorDeclarator", EnvScope, "ConstructorDeclarator"},
    {143, "InterfaceBody", EnvInterfaceBody, "InterfaceBody"},
    {150, "MethodParameterPart", EnvScope, "MethodParameterPart"},
    {158, "BlockStatements", EnvScope, "BlockStatements"},
    {220, "ForStatement", EnvScope, "ForStatement"},
    {222, "ForStatementNoShortIf", EnvScope, "ForStatementNoShortIf"},
    {270, "_OPTClassBody", EnvAnonymousBody, "_OPTClassBody"},
    {271, "ClassType", EnvTypeMembers, nullptr},
    {271, "_OPTClassBody", EnvScope, "_OPTClassBody"},
    {272, "ClassType", EnvQualifierMembers, nullptr},
    {272, "_OPTClassBody", EnvScope, "_OPTClassBody"},
    {273, "_OPTClassBody", EnvScope, "_OPTClassBody"},
};

// The lookup of each identifier occurrence, and the scope it searches.
struct LookupEntry {
  int16_t production;
  LookupFunction lookup;
  ScopeFunction scope;
};
const LookupEntry LookupTable[] = {
    {3, LookupZEB_AttributeDefinition, nullptr},
    {11, LookupZEB_AttributeDefinition, nullptr},
    {12, LookupZEB_AttributeDefinition, ScopeOfNameDefinitions},
    {56, LookupGeneralDeclarator, nullptr},
    {57, LookupGeneralDeclarator, TypeMembersScope},
    {64, LookupPackageDeclaration, nullptr},
    {77, LookupPackageOrTypeDeclaration, nullptr},
    {78, LookupPackageOrTypeDeclaration, NamedClassesScope},
    {94, LookupClassDeclaration, nullptr},
    {112, LookupDeclaratorIdentifier, nullptr},
    {122, LookupMethodDeclarator, nullptr},
    {143, LookupInterfaceDeclaration, nullptr},
    {199, LookupLabeledStatement, nullptr},
    {200, LookupLabeledStatementNoShortIf, nullptr},
    {230, LookupLabelDefinition, nullptr},
    {284, LookupGeneralDeclarator, PrimaryMembersScope},
    {285, LookupGeneralDeclarator, EnclosingClassScope},
    {286, LookupGeneralDeclarator, SuperQualifierScope},
    {287, LookupGeneralDeclarator, SuperQualifierScope},
    {294, LookupGeneralDeclarator, QualifierMembersScope},
    {295, LookupGeneralDeclarator, EnclosingClassScope},
    {296, LookupGeneralDeclarator, SuperAccessScope},
    {297, LookupGeneralDeclarator, SuperAccessScope},
};

// Nonterminals that stand on no right-hand side; their productions are
// never built.
const char* const UnbuiltNonterminals[] = {"Goal", "PackageOrTypeDeclaration", "GeneralDeclarator",
                                           "LabelDefinition"};

// ---- Plans ----

int32_t SlotOfChild(int32_t production, const char* child) {
  int32_t nt = NonterminalNumber(child);
  const ProductionPlan& plan = Plans[production];
  for (int32_t i = 0; i < plan.length; ++i) {
    if (!IsToken(plan.rhs[i]) && NonterminalOf(plan.rhs[i]) == nt) return i;
  }
  Inconsistent(__LINE__);
}

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

void MakeTreePlan(ProductionPlan& plan) {
  int8_t nts[MaxSlots];
  int32_t ntCount = 0;
  for (int32_t i = 0; i < plan.length; ++i) {
    if (!IsToken(plan.rhs[i])) nts[ntCount++] = static_cast<int8_t>(i);
  }
  const char* lhsName = NonterminalName(plan.lhs);
  if (plan.code >= 0) {
    plan.tree = IsLeafCode(plan.code) ? TreeLeafShape : TreeNodeShape;
  } else if (lhsName[0] == '_') {
    if (plan.length == 0) {
      plan.tree = TreeZero;
    } else if (StartsWith(lhsName, "_OPT")) {
      if (ntCount == 1) {
        plan.tree = TreeChain;
        plan.treeSlot = nts[0];
      } else {
        plan.tree = TreeOne;
      }
    } else {
      // A repeated list: the item (if it is a nonterminal) and the recursive rest.
      for (int32_t k = 0; k < ntCount; ++k) {
        if (NonterminalOf(plan.rhs[nts[k]]) == plan.lhs) {
          plan.restSlot = nts[k];
        } else {
          plan.treeSlot = nts[k];
        }
      }
      if (plan.treeSlot >= 0) {
        plan.tree = TreeCons;
      } else {
        plan.tree = plan.restSlot >= 0 ? TreePlusOne : TreeOne;
      }
    }
  } else {
    if (ntCount != 1) {
      if (plan.built) Inconsistent(__LINE__);  // neither node nor chain
      return;
    }
    plan.tree = TreeChain;
    plan.treeSlot = nts[0];
  }
}

// Checks a node production's right-hand side against its kind's fields.
void CheckNodeFields(ProductionPlan& plan) {
  if (plan.tree != TreeNodeShape) return;
  const NodeKindInfo& info = NodeKindTable[plan.code];
  int32_t field = 0;
  int8_t lastNt = -1;
  for (int32_t i = 0; i < plan.length; ++i) {
    int32_t symbol = plan.rhs[i];
    char form = field < info.fieldCount ? info.fields[field] : '\0';
    if (IsToken(symbol)) {
      if (!IsTextToken(symbol)) continue;
      if (symbol == Identifiersym) {
        if (form != AppliedField && form != DefiningField) Inconsistent(__LINE__);
        plan.identifierSlot = static_cast<int8_t>(i);
      } else if (form != ValueField) {
        Inconsistent(__LINE__);
      }
    } else {
      if (std::strchr("NOLMC", form) == nullptr || form == '\0') Inconsistent(__LINE__);
      lastNt = static_cast<int8_t>(i);
    }
    ++field;
  }
  if (field < info.fieldCount && info.fields[field] == InnerSetField) {
    plan.bodySlot = lastNt;
    ++field;
  }
  if (field != info.fieldCount) Inconsistent(__LINE__);
}

void MakeDefsPlan(int32_t p, ProductionPlan& plan) {
  for (int16_t closer : ScopeClosers) {
    if (closer == p) {
      plan.defs = DefsEmpty;
      return;
    }
  }
  for (const OneChildDefs& entry : OneChildDefsTable) {
    if (entry.production == p) {
      plan.defs = DefsChild;
      plan.defsSlots[0] = static_cast<int8_t>(SlotOfChild(p, entry.child));
      plan.defsCount = 1;
      return;
    }
  }
  for (int32_t i = 0; i < plan.length; ++i) {
    if (!IsToken(plan.rhs[i]) && HasDefs[NonterminalOf(plan.rhs[i])]) {
      plan.defsSlots[plan.defsCount++] = static_cast<int8_t>(i);
    }
  }
  for (const Declaring& entry : DeclaringTable) {
    if (entry.production == p) {
      plan.defs = DefsDeclare;
      plan.declareKind = entry.kind;
      if (!entry.uniteChildren) plan.defsCount = 0;
      return;
    }
  }
  plan.defs = plan.defsCount == 0 ? DefsEmpty : plan.defsCount == 1 ? DefsChild : DefsUnion;
}

void LayOutCells(ProductionPlan& plan);

void MakePlans() {
  const LrAutomaton& g = Grammar();
  if (g.ProductionCount != JavaProductionTotal || g.NonterminalCount != JavaNonterminalTotal) Inconsistent(__LINE__);
  for (int32_t n = 0; n < g.NonterminalCount; ++n) {
    SingleProduction[n] = -1;
    HasDefs[n] = true;
  }
  for (const char* name : NoDefsNonterminals) HasDefs[NonterminalNumber(name)] = false;
  for (int32_t c = 0; c < LeafCodeEnd; ++c) ProductionOfCode[c] = -1;
  for (int32_t k = 0; k < NodeKindCount; ++k) {
    if (NodeKindTable[k].production >= 0) ProductionOfCode[k] = NodeKindTable[k].production;
  }
  for (int32_t l = 0; l < LeafVariantCount; ++l) ProductionOfCode[LeafCodeBase + l] = LeafTable[l].production;

  for (int32_t p = 0; p < g.ProductionCount; ++p) {
    ProductionPlan& plan = Plans[p];
    const LrProduction& production = g.Productions[p];
    plan.lhs = production.Lhs;
    plan.length = production.Length;
    plan.rhs = g.RhsSymbols + production.FirstSymbol;
    if (plan.length > MaxSlots) Inconsistent(__LINE__);
    plan.built = true;
    for (const char* name : UnbuiltNonterminals) {
      if (NonterminalNumber(name) == plan.lhs) plan.built = false;
    }
    if (!production.Recorded) SingleProduction[plan.lhs] = p;
  }
  for (int32_t c = 0; c < LeafCodeEnd; ++c) {
    if (ProductionOfCode[c] >= 0) Plans[ProductionOfCode[c]].code = c;
  }
  for (int32_t p = 0; p < g.ProductionCount; ++p) {
    ProductionPlan& plan = Plans[p];
    MakeTreePlan(plan);
    CheckNodeFields(plan);
    MakeDefsPlan(p, plan);
  }
  for (const ScopeEntry& entry : ScopeTable) {
    ProductionPlan& plan = Plans[entry.production];
    InnerEnvPlan& inner = plan.inner[plan.innerCount++];
    inner.slot = static_cast<int8_t>(SlotOfChild(entry.production, entry.child));
    inner.rule = entry.rule;
    inner.defsSlot = entry.defsOf == nullptr ? -1 : static_cast<int8_t>(SlotOfChild(entry.production, entry.defsOf));
  }
  for (const LookupEntry& entry : LookupTable) {
    ProductionPlan& plan = Plans[entry.production];
    if (plan.identifierSlot < 0) Inconsistent(__LINE__);
    plan.lookup = entry.lookup;
    plan.scope = entry.scope;
  }
  for (int32_t p = 0; p < g.ProductionCount; ++p) {
    const ProductionPlan& plan = Plans[p];
    LayOutCells(Plans[p]);
    ReplaySteps[p] = ReplayStep{static_cast<int16_t>(plan.built ? plan.lhs : -1), plan.passChild,
                                plan.passThrough && plan.defs == DefsEmpty};
  }
  for (int32_t p = 0; p < g.ProductionCount; ++p) {
    const ProductionPlan& plan = Plans[p];
    // Every identifier occurrence has its lookup, and every declaration its name.
    if (plan.identifierSlot >= 0 && plan.lookup == nullptr) Inconsistent(__LINE__);
    if (plan.defs == DefsDeclare && plan.identifierSlot < 0) Inconsistent(__LINE__);
  }
}

// ---- Forcing ----

Word InstanceTree(LazyCell* cell);
Word InstanceDefs(LazyCell* cell);
Word InstanceEnv(LazyCell* cell);
Word InstanceLookup(LazyCell* cell);

// The work stack of every forcing (RunWorkStack below).
std::vector<LazyCell*> WorkStack;

// A cell forced while it is being computed: counted, and told to the member
// computations of the scopes while they listen, with the cell's place on the
// work stack (the highest entry of the cell: an entry is marked busy only at
// the top and no busy cell is pushed again). Only places at or above the
// floor that the scopes give are told apart; a cell below it, or not on the
// stack, stands below every open member computation, and -1 says so.
void NoteReentry(LazyCell* cell) {
  ++BuilderCounters.reentries;
  if (!MemberComputationsListen()) return;
  auto floor = static_cast<int64_t>(MemberComputationFloor());
  int64_t place = -1;
  for (auto i = static_cast<int64_t>(WorkStack.size()); i-- > floor;) {
    if (WorkStack[static_cast<size_t>(i)] == cell) {
      place = i;
      break;
    }
  }
  NoteCellCycle(cell, place);
}

Word BusyTree(LazyCell* cell) {
  NoteReentry(cell);
  return 0;
}
Word BusySet(LazyCell* cell) {
  NoteReentry(cell);
  return reinterpret_cast<Word>(EmptyDefinitionSet);
}
// An env cell while busy; the same as BusySet, but a function of its own so
// that a busy cell's function tells which of the instance's cells it is.
Word BusyEnv(LazyCell* cell) {
  NoteReentry(cell);
  return reinterpret_cast<Word>(EmptyDefinitionSet);
}
Word BusyLookup(LazyCell* cell) {
  NoteReentry(cell);
  return 0;
}

// The four kinds of an instance's cells, which its function tells both
// before forcing and while busy.
enum CellKind : int32_t { NoBuilderCell = -1, TreeKind, DefsKind, EnvKind, LookupKind };

using CellFunction = Word (*)(LazyCell*);
constexpr CellFunction PendingFunctions[] = {InstanceTree, InstanceDefs, InstanceEnv, InstanceLookup};
constexpr CellFunction BusyFunctions[] = {BusyTree, BusySet, BusyEnv, BusyLookup};

// The kind whose function (of the four given, in kind order) the cell has.
CellKind KindAmong(CellFunction function, const CellFunction (&functions)[4]) {
  for (int32_t k = 0; k < 4; ++k) {
    if (function == functions[k]) return static_cast<CellKind>(k);
  }
  return NoBuilderCell;
}

CellKind PendingKind(CellFunction function) { return KindAmong(function, PendingFunctions); }
CellKind BusyKind(CellFunction function) { return KindAmong(function, BusyFunctions); }

bool IsPending(const LazyCell* cell) { return PendingKind(cell->function) != NoBuilderCell; }

DefinitionSet* ForceSet(LazyCell* cell) { return reinterpret_cast<DefinitionSet*>(ForceLazyCell(cell)); }
SyntaxNode* ForceNode(LazyCell* cell) { return reinterpret_cast<SyntaxNode*>(ForceLazyCell(cell)); }

int32_t InnerIndex(Instance* instance, LazyCell* cell) { return cell == InnerCell(instance, 0) ? 0 : 1; }

bool RuleNeedsNode(EnvRule rule) { return rule != EnvScope; }

// Pushes the pending builder cells that the equation of the cell (of the
// given kind) reads, last first, so that the first is evaluated first.
void PushDependencies(LazyCell* cell, CellKind kind, std::vector<LazyCell*>& stack) {
  Instance* instance = InstanceOf(cell);
  const ProductionPlan& plan = PlanOf(instance);
  LazyCell** members = Members(instance);
  LazyCell* deps[MaxSlots + 3];
  int32_t n = 0;
  auto add = [&](LazyCell* dep) {
    if (dep != nullptr && IsPending(dep)) deps[n++] = dep;
  };
  switch (kind) {
    case TreeKind:
      for (int32_t k = 0, count = plan.treeDepCount; k < count; ++k) add(members[plan.treeDeps[k]]);
      break;
    case DefsKind:
      for (int32_t k = 0, count = plan.defsCount; k < count; ++k) add(members[plan.defsDeps[k]]);
      break;
    case LookupKind:
      add(EnvOf(instance));
      if (plan.scope != nullptr) add(TreeCell(instance));
      break;
    default: {
      const InnerEnvPlan& inner = plan.inner[InnerIndex(instance, cell)];
      if (inner.defsSlot >= 0) add(ChildDefs(instance, inner.defsSlot));
      add(EnvOf(instance));
      if (RuleNeedsNode(inner.rule)) add(TreeCell(instance));
      break;
    }
  }
  while (n > 0) stack.push_back(deps[--n]);
}

Word ComputeTree(Instance* instance) {
  ++BuilderCounters.treeEvaluations;
  const ProductionPlan& plan = PlanOf(instance);
  switch (plan.tree) {
    case TreeLeafShape:
      return reinterpret_cast<Word>(NewLeaf(static_cast<LeafVariant>(plan.code), instance->position));
    case TreeCons: {
      void* item = ForceNode(ChildTree(instance, plan.treeSlot));
      ConsList rest = plan.restSlot < 0 ? nullptr
                                        : reinterpret_cast<ConsList>(ForceLazyCell(ChildTree(instance, plan.restSlot)));
      return reinterpret_cast<Word>(Cons(item, rest));
    }
    case TreePlusOne:
      return ForceLazyCell(ChildTree(instance, plan.restSlot)) + 1;
    case TreeNodeShape:
      break;
    default:
      Inconsistent(__LINE__);  // chains and constants have no cell of their own
  }
  LazyCell** members = Members(instance);
  Word fields[MaxSlots + 1];
  int32_t field = 0;
  for (int32_t count = plan.fieldCount; field < count; ++field) {
    Word value = ForceLazyCell(members[plan.fieldMember[field]]);
    if (plan.fieldOccurrence[field] != OccurrenceNone) {
      auto* name = reinterpret_cast<Identifier*>(value);
      value = plan.fieldOccurrence[field] == OccurrenceDefining
                  ? reinterpret_cast<Word>(NewDefiningOccurrence(LookupCell(instance), name))
                  : reinterpret_cast<Word>(NewAppliedOccurrence(LookupCell(instance), name));
    }
    fields[field] = value;
  }
  if (plan.bodySlot >= 0) fields[field++] = ForceLazyCell(members[plan.defsMember[plan.bodySlot]]);
  return reinterpret_cast<Word>(NewNode(static_cast<NodeKind>(plan.code), instance->position, fields));
}

Identifier* InstanceIdentifier(Instance* instance) {
  return reinterpret_cast<Identifier*>(ForceLazyCell(ChildTree(instance, PlanOf(instance).identifierSlot)));
}

Word ComputeDefs(Instance* instance) {
  ++BuilderCounters.defsEvaluations;
  const ProductionPlan& plan = PlanOf(instance);
  DefinitionSet* result = EmptyDefinitionSet;
  if (plan.defs == DefsDeclare) {
    Definition* definition = NewDefinition(plan.declareKind, InstanceIdentifier(instance), TreeCell(instance));
    result = SingletonDefinitionSet(definition);
  }
  LazyCell** members = Members(instance);
  for (int32_t k = 0, count = plan.defsCount; k < count; ++k) {
    result = UniteDefinitionSets(result, ForceSet(members[plan.defsDeps[k]]));
  }
  return reinterpret_cast<Word>(result);
}

Word ComputeEnv(Instance* instance, int32_t index) {
  ++BuilderCounters.envEvaluations;
  const InnerEnvPlan& inner = PlanOf(instance).inner[index];
  DefinitionSet* own = inner.defsSlot < 0 ? EmptyDefinitionSet : ForceSet(ChildDefs(instance, inner.defsSlot));
  DefinitionSet* env = ForceSet(EnvOf(instance));
  SyntaxNode* node = RuleNeedsNode(inner.rule) ? ForceNode(TreeCell(instance)) : nullptr;
  DefinitionSet* result = EmptyDefinitionSet;
  switch (inner.rule) {
    case EnvScope:
      result = UniteDefinitionSets(own, env);
      break;
    case EnvPackage:
      result = AddPackageScope(env, node);
      break;
    case EnvImports:
      result = AddImportScopes(env, node);
      break;
    case EnvClassBody:
      result = UniteDefinitionSets(
          UniteDefinitionSets(UniteDefinitionSets(own, InheritedMembersScope(env, node)),
                              InterfaceMembersScope(env, node)),
          env);
      break;
    case EnvInterfaceBody:
      result = UniteDefinitionSets(UniteDefinitionSets(own, InheritedMembersScope(env, node)), env);
      break;
    case EnvAnonymousBody:
      result = UniteDefinitionSets(UniteDefinitionSets(own, TypeNameMembersScope(env, node)), env);
      break;
    case EnvTypeMembers:
      result = TypeMembersScope(env, node);
      break;
    case EnvQualifierMembers:
      result = QualifierMembersScope(env, node);
      break;
  }
  return reinterpret_cast<Word>(result);
}

Word ComputeLookup(Instance* instance) {
  ++BuilderCounters.lookupEvaluations;
  const ProductionPlan& plan = PlanOf(instance);
  Identifier* name = InstanceIdentifier(instance);
  DefinitionSet* env = ForceSet(EnvOf(instance));
  DefinitionSet* scope = env;
  if (plan.scope != nullptr) scope = plan.scope(env, ForceNode(TreeCell(instance)));
  return reinterpret_cast<Word>(plan.lookup(name, scope));
}

// Runs the equation of a busy cell (of the given kind) whose dependencies
// are evaluated.
void Evaluate(LazyCell* cell, CellKind kind) {
  Instance* instance = InstanceOf(cell);
  Word value;
  switch (kind) {
    case TreeKind:
      value = ComputeTree(instance);
      break;
    case DefsKind:
      value = ComputeDefs(instance);
      break;
    case LookupKind:
      value = ComputeLookup(instance);
      break;
    default:
      value = ComputeEnv(instance, InnerIndex(instance, cell));
      break;
  }
  StoreLazyValue(cell, value);
}

// The work stack of every forcing: a forcing that an equation starts while an
// outer one runs works above the outer one's cells and leaves the stack as it
// found it, so one vector (WorkStack, above) serves all of them.

Word RunWorkStack(LazyCell* root) {
  std::vector<LazyCell*>& stack = WorkStack;
  const size_t base = stack.size();
  stack.push_back(root);
  while (stack.size() > base) {
    LazyCell* cell = stack.back();
    CellKind kind = PendingKind(cell->function);
    if (kind != NoBuilderCell) {
      cell->function = BusyFunctions[kind];
      size_t before = stack.size();
      PushDependencies(cell, kind, stack);
      if (stack.size() == before) {
        Evaluate(cell, kind);
        stack.pop_back();
      }
    } else if ((kind = BusyKind(cell->function)) != NoBuilderCell && InstanceOf(cell) != nullptr) {
      // Its dependencies were pushed above it and are done now.
      Evaluate(cell, kind);
      stack.pop_back();
    } else {
      stack.pop_back();  // evaluated meanwhile
    }
  }
  return root->value;
}

Word InstanceTree(LazyCell* cell) { return RunWorkStack(cell); }
Word InstanceDefs(LazyCell* cell) { return RunWorkStack(cell); }
Word InstanceEnv(LazyCell* cell) { return RunWorkStack(cell); }
Word InstanceLookup(LazyCell* cell) { return RunWorkStack(cell); }

Word CopyRootDefinitions(LazyCell* cell) {
  auto* defs = static_cast<LazyCell*>(cell->context);
  return StoreLazyValue(cell, ForceLazyCell(defs));
}

// ---- Replay ----

// The shared value cells of identifier tokens: an open-addressed table of
// cells, keyed by the value each cell holds (the Identifier), kept at most
// half full. Identifiers are interned and live for the whole run, and an
// evaluated cell never changes, so one cell serves every occurrence of a
// name in every unit. A grown table replaces the old one, which is given up.
// The table and the cells are on the permanent heap.
LazyCell** IdentifierCells = nullptr;
size_t IdentifierCellMask = 0;  // the table's size minus one; the size is a power of two
size_t IdentifierCellCount = 0;
constexpr size_t FirstIdentifierTableSize = 1024;

size_t IdentifierCellHome(Word name, size_t mask) {
  return static_cast<size_t>(((name >> 3) * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

void GrowIdentifierCells() {
  size_t size = IdentifierCells == nullptr ? FirstIdentifierTableSize : (IdentifierCellMask + 1) * 2;
  auto** table = static_cast<LazyCell**>(AllocatePermanent(size * sizeof(LazyCell*)));
  for (size_t i = 0; i < size; ++i) table[i] = nullptr;
  size_t mask = size - 1;
  if (IdentifierCells != nullptr) {
    for (size_t i = 0; i <= IdentifierCellMask; ++i) {
      LazyCell* cell = IdentifierCells[i];
      if (cell == nullptr) continue;
      size_t k = IdentifierCellHome(cell->value, mask);
      while (table[k] != nullptr) k = (k + 1) & mask;
      table[k] = cell;
    }
  }
  IdentifierCells = table;
  IdentifierCellMask = mask;
}

LazyCell* IdentifierCell(Word name) {
  if ((IdentifierCellCount + 1) * 2 > IdentifierCellMask + 1) GrowIdentifierCells();
  size_t k = IdentifierCellHome(name, IdentifierCellMask);
  for (; IdentifierCells[k] != nullptr; k = (k + 1) & IdentifierCellMask) {
    if (IdentifierCells[k]->value == name) return IdentifierCells[k];
  }
  // An evaluated cell on the permanent heap: it serves every later unit.
  auto* cell = static_cast<LazyCell*>(AllocatePermanent(sizeof(LazyCell)));
  StoreLazyValue<Word>(cell, name);
  IdentifierCells[k] = cell;
  ++IdentifierCellCount;
  return cell;
}

// The evaluated value cell of the text token under the replay cursor; steps on.
LazyCell* ReplayTokenCell(int32_t symbol) {
  if (symbol == Identifiersym) return IdentifierCell(Replay.tokenWord());
  LazyCell* cell = nullptr;
  Replay.wordToken(&cell);
  return cell;
}

// One open production of the replay. A production with cells of its own has
// an instance, whose members receive the children's cells that its equations
// read; a chain keeps its one child's cells in the frame, and so does an
// instance for the child's cells that it hands on as its own tree or defs.
struct Frame {
  const ProductionPlan* plan;
  Instance* instance;  // null for a production without cells of its own
  LazyCell** members;  // the instance's members
  LazyCell* env;
  int32_t next;        // the right-hand-side symbol to replay next
  bool emptyDefs;      // a pass-through above it yields no defs: EmptyDefsCell
  Slot single;         // a chain's child; the handed-on cells of an instance
};

// The production that builds the nonterminal, with the pass-through chain
// on the way read and checked; emptyDefs is set when one of its steps yields
// no defs. `read` gives the next recorded production.
template <typename Read>
int32_t ReadPassThroughChain(int32_t nonterminal, bool& emptyDefs, Read read) {
  for (;;) {
    int32_t p = SingleProduction[nonterminal];
    if (p < 0) {
      p = read();
      if (static_cast<uint32_t>(p) >= static_cast<uint32_t>(JavaProductionTotal)) Inconsistent(__LINE__);
    }
    const ReplayStep& step = ReplaySteps[p];
    // A production read from the trace must belong to the nonterminal being built.
    if (step.lhs != nonterminal) Inconsistent(__LINE__);
    if (step.passChild < 0) return p;
    emptyDefs |= step.emptyDefs;
    nonterminal = step.passChild;
  }
}

// The frame of the production that builds the nonterminal. Pass-through
// chains on the way are read and checked but get no frame: the frame of the
// production below them stands in for them, and it hands out EmptyDefsCell
// as its defs when one of them yields no defs. The frame is made in place on
// top of the stack of open productions. With `fromTrace` the productions
// come from the parse trace itself, read in place.
void StartProduction(std::vector<Frame>& stack, int32_t nonterminal, LazyCell* env, bool fromTrace) {
  bool emptyDefs = false;
  int32_t p;
  if (fromTrace) {
    // The parse trace read in place, its cursor held here while the chain
    // is read (a chain's productions mostly share a record). Test traces
    // come through their hook.
    const int16_t* slot = Trace.ReductionCursor;
    p = ReadPassThroughChain(nonterminal, emptyDefs, [&slot] {
      int32_t production = *slot;
      slot = NextProductionSlot(slot);
      return production;
    });
    Trace.ReductionCursor = slot;
  } else {
    p = ReadPassThroughChain(nonterminal, emptyDefs, [] { return Replay.nextReduction(); });
  }
  const ProductionPlan& plan = Plans[p];
  if (plan.cellCount == 0) {
    stack.push_back(Frame{&plan, nullptr, nullptr, env, 0, emptyDefs, Slot{nullptr, nullptr}});
    return;
  }
  size_t size = sizeof(Instance) + sizeof(LazyCell*) * (plan.memberCount + (plan.keepsEnv ? 1 : 0)) +
                sizeof(LazyCell) * plan.cellCount;
  auto* instance = static_cast<Instance*>(Allocate(size));
  instance->production = static_cast<int16_t>(p);
  if (plan.keepsEnv) EnvOf(instance) = env;
  instance->position = NodePositionOf(*Replay.positionCounter);
  // The members are not cleared: every member belongs to a right-hand-side
  // symbol, and replay stores it when it passes that symbol, before the
  // production finishes and long before any cell is forced.
  LazyCell** members = AfterHeader(instance) + (plan.keepsEnv ? 1 : 0);
  ++BuilderCounters.instances;
  stack.push_back(Frame{&plan, instance, members, env, 0, emptyDefs, Slot{nullptr, nullptr}});
}

// The cells of child i as its builder returned them: a chain keeps them in
// its frame, an instance those of them that its equations read.
void StoreChild(Frame& frame, int32_t i, const Slot& child) {
  if (frame.instance == nullptr) {
    frame.single = child;
    return;
  }
  const ProductionPlan& plan = *frame.plan;
  if (plan.treeMember[i] >= 0) frame.members[plan.treeMember[i]] = child.tree;
  if (plan.defsMember[i] >= 0) frame.members[plan.defsMember[i]] = child.defs;
  if (i == plan.treeSlot) frame.single.tree = child.tree;
  if (plan.defsCount > 0 && i == plan.defsSlots[0]) frame.single.defs = child.defs;
}

LazyCell* ChildEnv(const Frame& frame, int32_t slot) {
  const ProductionPlan& plan = *frame.plan;
  for (int32_t k = 0; k < plan.innerCount; ++k) {
    if (plan.inner[k].slot == slot) return InnerCell(frame.instance, k);
  }
  return frame.env;
}

void InitCell(LazyCell* cell, Instance* instance, Word (*function)(LazyCell*)) {
  cell->context = instance;
  cell->function = function;
}

// Installs the production's own cells and yields its tree and defs cells.
// With the trees computed during replay, the tree cell is evaluated here, its
// cells installed first: the children's trees are evaluated already (a
// child's production finished before), the node's occurrences keep the
// address of the lookup cell only, and the body defs it keeps depend on defs
// and token values alone, never on an environment; forcing them runs a work
// stack of their own. The cell is busy meanwhile, as on demand.
Slot FinishProduction(Frame& frame, TreeTiming timing) {
  const ProductionPlan& plan = *frame.plan;
  Instance* instance = frame.instance;
  Slot out{nullptr, nullptr};
  switch (plan.defs) {
    case DefsEmpty:
      out.defs = &EmptyDefsCell;
      break;
    case DefsChild:
      out.defs = frame.single.defs;
      break;
    default:
      out.defs = DefsCell(instance);
      InitCell(out.defs, instance, InstanceDefs);
      break;
  }
  for (int32_t k = 0; k < plan.innerCount; ++k) InitCell(InnerCell(instance, k), instance, InstanceEnv);
  if (plan.lookup != nullptr) InitCell(LookupCell(instance), instance, InstanceLookup);
  switch (plan.tree) {
    case TreeChain:
      out.tree = frame.single.tree;
      break;
    case TreeZero:
      out.tree = &ZeroCell;
      break;
    case TreeOne:
      out.tree = &OneCell;
      break;
    default:
      out.tree = TreeCell(instance);
      if (timing == TreesDuringReplay) {
        InitCell(out.tree, instance, BusyTree);
        StoreLazyValue(out.tree, ComputeTree(instance));
      } else {
        InitCell(out.tree, instance, InstanceTree);
      }
      break;
  }
  return out;
}

void LayOutCells(ProductionPlan& plan) {
  int8_t n = 0;
  if (plan.tree == TreeNodeShape || plan.tree == TreeLeafShape || plan.tree == TreeCons || plan.tree == TreePlusOne) {
    plan.treeCell = n++;
  }
  if (plan.defs == DefsUnion || plan.defs == DefsDeclare) plan.defsCell = n++;
  if (plan.lookup != nullptr) plan.lookupCell = n++;
  for (int32_t k = 0; k < plan.innerCount; ++k) plan.innerCell[k] = n++;
  plan.cellCount = n;

  // The members: every child's tree cell where the production has a tree
  // cell of its own (its equation forces them all), the token values that the
  // node or the lookup reads, and the defs cells that the defs, node and
  // inner-environment equations read. Cells that the production only hands on
  // as its own tree or defs (a chain's child, one child's defs) stay in the
  // replay frame.
  bool defsRead[MaxSlots] = {};
  if (plan.defs == DefsUnion || plan.defs == DefsDeclare) {
    for (int32_t k = 0; k < plan.defsCount; ++k) defsRead[plan.defsSlots[k]] = true;
  }
  if (plan.bodySlot >= 0) defsRead[plan.bodySlot] = true;
  for (int32_t k = 0; k < plan.innerCount; ++k) {
    if (plan.inner[k].defsSlot >= 0) defsRead[plan.inner[k].defsSlot] = true;
  }
  int8_t m = 0;
  for (int32_t i = 0; i < plan.length; ++i) {
    int32_t symbol = plan.rhs[i];
    bool treeRead = IsToken(symbol) ? IsTextToken(symbol) && (plan.tree == TreeNodeShape || i == plan.identifierSlot)
                                    : plan.treeCell >= 0;
    plan.treeMember[i] = treeRead ? m++ : -1;
    plan.defsMember[i] = defsRead[i] ? m++ : -1;
  }
  plan.memberCount = m;
  plan.keepsEnv = plan.lookup != nullptr || plan.innerCount > 0;
  if (plan.treeCell >= 0) {
    for (int32_t i = 0; i < plan.length; ++i) {
      if (!IsToken(plan.rhs[i])) plan.treeDeps[plan.treeDepCount++] = plan.treeMember[i];
    }
    if (plan.bodySlot >= 0) plan.treeDeps[plan.treeDepCount++] = plan.defsMember[plan.bodySlot];
  }
  if (plan.defs == DefsUnion || plan.defs == DefsDeclare) {
    for (int32_t k = 0; k < plan.defsCount; ++k) plan.defsDeps[k] = plan.defsMember[plan.defsSlots[k]];
  }
  if (plan.tree == TreeNodeShape) {
    const NodeKindInfo& info = NodeKindTable[plan.code];
    for (int32_t i = 0; i < plan.length; ++i) {
      int32_t symbol = plan.rhs[i];
      if (IsToken(symbol) && !IsTextToken(symbol)) continue;
      int8_t field = plan.fieldCount++;
      plan.fieldMember[field] = plan.treeMember[i];
      plan.fieldOccurrence[field] = symbol != Identifiersym               ? OccurrenceNone
                                    : info.fields[field] == DefiningField ? OccurrenceDefining
                                                                          : OccurrenceApplied;
    }
  }
  plan.passThrough = plan.tree == TreeChain && plan.cellCount == 0 && plan.length == 1 && !IsToken(plan.rhs[0]);
  if (plan.passThrough) plan.passChild = static_cast<int16_t>(NonterminalOf(plan.rhs[0]));
}

}  // namespace

size_t ForcingDepth() { return WorkStack.size(); }

bool IsBeingComputed(const LazyCell* cell) { return BusyKind(cell->function) != NoBuilderCell; }

void SetTreeReplay(const TreeReplay& replay) { Replay = replay; }

void UseParseTraceReplay() {
  SetTreeReplay(TreeReplay{NextReduction, ReplaySkipToken, ReplayWordToken, ReplayTokenWord, &PositionCounter});
}

void BuildNonterminal(int32_t nonterminal, LazyCell* env, LazyCell** tree, LazyCell** defs, TreeTiming timing) {
  TreeBuilderModuleInit();
  // The open productions, innermost last; each one's parent is the frame below.
  std::vector<Frame> stack;
  const bool fromTrace = Replay.nextReduction == NextReduction;
  StartProduction(stack, nonterminal, env, fromTrace);
  for (;;) {
    Frame& frame = stack.back();
    const ProductionPlan& plan = *frame.plan;
    if (frame.next == plan.length) {
      Slot result = FinishProduction(frame, timing);
      if (frame.emptyDefs) result.defs = &EmptyDefsCell;
      stack.pop_back();
      if (stack.empty()) {
        *tree = result.tree;
        *defs = result.defs;
        return;
      }
      Frame& parent = stack.back();
      StoreChild(parent, parent.next - 1, result);
      continue;
    }
    int32_t i = frame.next++;
    int32_t symbol = plan.rhs[i];
    if (IsToken(symbol)) {
      if (frame.instance == nullptr && IsTextToken(symbol)) {
        frame.single.tree = ReplayTokenCell(symbol);
      } else if (frame.instance != nullptr && plan.treeMember[i] >= 0) {
        frame.members[plan.treeMember[i]] = ReplayTokenCell(symbol);
      } else {
        Replay.skipToken();
      }
      continue;
    }
    LazyCell* childEnv = ChildEnv(frame, i);
    StartProduction(stack, NonterminalOf(symbol), childEnv, fromTrace);  // frame is not used after this
  }
}

TreeRoot* BuildRoot(TreeTiming timing) {
  TreeBuilderModuleInit();
  auto* root = static_cast<TreeRoot*>(Allocate(sizeof(TreeRoot)));
  BuildNonterminal(NonterminalNumber("SourceFile"), &root->env, &root->tree, &root->defs, timing);
  root->env.context = root->defs;
  root->env.function = CopyRootDefinitions;
  return root;
}

int32_t ProductionLhs(int32_t production) { return Grammar().Productions[production].Lhs; }
int32_t ProductionLength(int32_t production) { return Grammar().Productions[production].Length; }
int32_t ProductionSymbol(int32_t production, int32_t i) {
  return Grammar().RhsSymbols[Grammar().Productions[production].FirstSymbol + i];
}
bool ProductionRecorded(int32_t production) { return Grammar().Productions[production].Recorded != 0; }
int32_t ProductionCount() { return Grammar().ProductionCount; }
int32_t NonterminalCount() { return Grammar().NonterminalCount; }
const char* NonterminalName(int32_t nonterminal) { return Grammar().NonterminalNames[nonterminal]; }

int32_t NonterminalNumber(const char* name) {
  for (int32_t n = 0; n < Grammar().NonterminalCount; ++n) {
    if (std::strcmp(Grammar().NonterminalNames[n], name) == 0) return n;
  }
  return -1;
}

int32_t ProductionOfNode(int32_t code) {
  TreeBuilderModuleInit();
  return code >= 0 && code < LeafCodeEnd ? ProductionOfCode[code] : -1;
}

const char* FieldName(int32_t kind, int32_t field) {
  TreeBuilderModuleInit();
  const NodeKindInfo& info = NodeKindTable[kind];
  if (field >= info.fieldCount) return "";
  if (info.fields[field] == InnerSetField) return "inner definitions";
  int32_t p = info.production;
  int32_t seen = 0;
  for (int32_t i = 0; i < ProductionLength(p); ++i) {
    int32_t symbol = ProductionSymbol(p, i);
    if (IsToken(symbol) && !IsTextToken(symbol)) continue;
    if (seen++ == field) {
      return IsToken(symbol) ? Grammar().TokenNames[symbol] : NonterminalName(NonterminalOf(symbol));
    }
  }
  return "";
}

void TreeBuilderModuleInit() {
  if (!EnterModuleInit(BuilderModuleFlag)) return;
  SyntaxNodesModuleInit();
  DefinitionSetsModuleInit();
  ResolutionModuleInit();
  EmptyDefsCell.value = reinterpret_cast<Word>(EmptyDefinitionSet);
  EmptyDefsCell.function = &EvaluatedValue<Word>;
  ZeroCell.value = 0;
  ZeroCell.function = &EvaluatedValue<Word>;
  OneCell.value = 1;
  OneCell.function = &EvaluatedValue<Word>;
  UseParseTraceReplay();
  MakePlans();
}
