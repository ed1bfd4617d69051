// Checks the generated Java automaton against the facts that the parser-state tables
// state: each state's number, name and kernel, its error message or default
// reduction, its own set, the actions and stored PopCount values of its transitions,
// the re-entry table of error recovery and the fixed-token states.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "java/parser/automaton.h"

namespace {

const LrAutomaton& A = JavaAutomaton;

std::vector<std::string> Split(const std::string& text, const std::string& sep) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t at = text.find(sep, start);
    out.push_back(text.substr(start, at - start));
    if (at == std::string::npos) return out;
    start = at + sep.size();
  }
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(' ');
  size_t b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

int StateNamed(const std::string& name) {
  for (int s = 0; s < A.StateCount; ++s)
    if (name == A.States[s].Name) return s;
  return -1;
}

int TokenNamed(const std::string& name) {
  for (int t = 0; t < A.TokenCount; ++t)
    if (name == A.TokenNames[t]) return t;
  return -1;
}

int NonterminalNamed(const std::string& name) {
  for (int n = 0; n < A.NonterminalCount; ++n)
    if (name == A.NonterminalNames[n]) return n;
  return -1;
}

std::string SymbolName(int sym) {
  return sym < A.TokenCount ? A.TokenNames[sym] : A.NonterminalNames[sym - A.TokenCount];
}

std::vector<std::string> KernelOf(int s) {
  std::vector<std::string> out;
  const LrState& st = A.States[s];
  for (int k = 0; k < st.KernelCount; ++k) {
    const LrItem& item = A.Kernels[st.FirstKernel + k];
    const LrProduction& p = A.Productions[item.Production];
    std::string text = A.NonterminalNames[p.Lhs];
    text.append(" ->");
    for (int i = 0; i <= p.Length; ++i) {
      if (i == item.Dot) text.append(" .");
      if (i < p.Length) text.append(" ").append(SymbolName(A.RhsSymbols[p.FirstSymbol + i]));
    }
    out.push_back(text);
  }
  return out;
}

// A kernel pattern is an item as the tables write it; "..." stands for symbols
// that the table leaves out.
bool Matches(const std::string& pattern, const std::string& item) {
  std::string re;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 3, "...") == 0) {
      re += ".*";
      i += 2;
    } else if (std::string("\\^$.|?*+()[]{}").find(pattern[i]) != std::string::npos) {
      re += '\\';
      re += pattern[i];
    } else {
      re += pattern[i];
    }
  }
  return std::regex_match(item, std::regex(re));
}

std::string SetNames(int set) {
  std::string out;
  for (int c = 0; c < A.TokenCount; ++c)
    if ((A.Sets[set * A.SetWords + c / 32] >> (c % 32)) & 1) out += std::string(out.empty() ? "" : " ") + A.TokenNames[c];
  return out;
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::set<std::string> out;
  std::string w;
  while (in >> w) out.insert(w);
  return out;
}

// Describes an action in the terms of the tables:
//   "call NAME [run T...]", "reduce RULE pop N", "empty RULE", "accept",
//   "shift reduce RULE pop N [run T...]", "goto reduce RULE pop N [run ...]".
std::string Describe(const LrAction& act) {
  std::string run;
  for (int i = 0; i < act.RunLength; ++i) run += std::string(" run ") + A.TokenNames[A.RunTokens[act.Run + i]];
  switch (act.Kind) {
    case LrShift:
    case LrGotoCall: return std::string("call ") + A.States[act.Target].Name + run;
    case LrShiftReduce: return "shift reduce " + std::to_string(act.Rule) + " pop " + std::to_string(act.PopCount) + run;
    case LrGotoReduce: return "goto reduce " + std::to_string(act.Rule) + " pop " + std::to_string(act.PopCount) + run;
    case LrReduce: return "reduce " + std::to_string(act.Rule) + " pop " + std::to_string(act.PopCount);
    case LrEmptyReduce: return "empty " + std::to_string(act.Rule);
    case LrAccept: return "accept";
    default: return "error";
  }
}

const LrAction* TokenAction(int s, int token) {
  const LrState& st = A.States[s];
  for (int i = 0; i < st.TokenCount; ++i)
    if (A.Tokens[st.FirstToken + i].Symbol == token) return &A.Actions[A.Tokens[st.FirstToken + i].Action];
  return nullptr;
}

const LrAction* GotoAction(int s, int nonterminal) {
  const LrState& st = A.States[s];
  for (int i = 0; i < st.GotoCount; ++i)
    if (A.Gotos[st.FirstGoto + i].Symbol == nonterminal) return &A.Actions[A.Gotos[st.FirstGoto + i].Action];
  return nullptr;
}

// What a state does on a token it has no action for: "error TEXT" with the message,
// "default" and the description of its default reduction, or "fixed TOKEN" for a
// state whose only action is the shift of one token.
std::string OnUnexpected(int s) {
  const LrState& st = A.States[s];
  if (st.FixedToken) return std::string("fixed ") + A.TokenNames[A.Tokens[st.FirstToken].Symbol];
  if (st.Message >= 0) return std::string("error ") + A.Messages[st.Message];
  return "default " + Describe(A.Actions[st.Default]);
}

struct StateFact {
  const char* Name;
  const char* Kernel;      // items separated by " ; "
  const char* Unexpected;  // as OnUnexpected describes it
};

void CheckStates(const std::vector<StateFact>& facts) {
  for (const StateFact& f : facts) {
    SCOPED_TRACE(f.Name);
    int s = StateNamed(f.Name);
    ASSERT_GE(s, 0) << "no state named " << f.Name;
    EXPECT_EQ(s, std::stoi(std::string(f.Name).substr(9, 3)));
    std::vector<std::string> kernel = KernelOf(s);
    std::vector<std::string> patterns = Split(f.Kernel, " ; ");
    EXPECT_EQ(patterns.size(), kernel.size()) << "kernel of " << f.Name;
    for (const std::string& p : patterns) {
      int hits = 0;
      for (const std::string& item : kernel) hits += Matches(Trim(p), item);
      EXPECT_EQ(hits, 1) << "pattern " << p;
    }
    EXPECT_EQ(OnUnexpected(s), f.Unexpected);
  }
}

struct ActionFact {
  const char* State;
  const char* Key;     // "token NAME", "goto NAME" or "repair"
  const char* Action;  // as Describe writes it
};

void CheckActions(const std::vector<ActionFact>& facts) {
  for (const ActionFact& f : facts) {
    SCOPED_TRACE(std::string(f.State) + " " + f.Key);
    int s = StateNamed(f.State);
    ASSERT_GE(s, 0);
    std::string key = f.Key;
    const LrAction* act = nullptr;
    if (key.rfind("token ", 0) == 0) {
      int t = TokenNamed(key.substr(6));
      ASSERT_GE(t, 0);
      act = TokenAction(s, t);
    } else if (key.rfind("goto ", 0) == 0) {
      int n = NonterminalNamed(key.substr(5));
      ASSERT_GE(n, 0);
      act = GotoAction(s, n);
    } else {
      ASSERT_GE(A.States[s].Repair, 0) << "state has no error branch";
      act = &A.Actions[A.States[s].Repair];
    }
    ASSERT_NE(act, nullptr) << "no such action";
    EXPECT_EQ(Describe(*act), f.Action);
  }
}

struct OwnSetFact {
  const char* State;
  std::string Tokens;
};

void CheckOwnSets(const std::vector<OwnSetFact>& facts) {
  for (const OwnSetFact& f : facts) {
    SCOPED_TRACE(f.State);
    int s = StateNamed(f.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), Words(f.Tokens));
  }
}

// Token lists that the tables name as a whole.
const std::string StatementStart =
    "synchronizedsym continuesym booleansym USERswitchsym USERreturnsym doublesym assertsym USERwhilesym "
    "USERbreaksym floatsym shortsym throwsym falsesym supersym voidsym truesym charsym longsym thissym bytesym "
    "newsym forsym intsym trysym minusminussym plusplussym USERifsym USERdosym openparsym semicolonsym "
    "openchainsym IntegerLiteralsym DoubleLiteralsym FloatLiteralsym CharacterLiteralsym StringLiteralsym "
    "NullLiteralsym Identifiersym";
const std::string BlockStatementStart =
    StatementStart +
    " finalsym publicsym protectedsym privatesym staticsym USERabstractsym nativesym transientsym volatilesym "
    "strictfpsym classsym interfacesym";
const std::string PrimitiveTypes = "booleansym bytesym shortsym intsym longsym charsym floatsym doublesym";
const std::string Modifiers =
    "publicsym protectedsym privatesym staticsym USERabstractsym finalsym nativesym synchronizedsym "
    "transientsym volatilesym strictfpsym";
const std::string UnitStart = Modifiers + " classsym interfacesym semicolonsym";

TEST(JavaAutomaton, HasTheNumbersOfTheGrammar) {
  EXPECT_EQ(A.StateCount, 254);
  EXPECT_EQ(A.ProductionCount, 505);
  EXPECT_EQ(A.NonterminalCount, 296);
  EXPECT_EQ(A.TokenCount, 106);
  EXPECT_EQ(A.SetWords, 4);
  int recorded = 0, empty = 0, withToken = 0;
  for (int p = 0; p < A.ProductionCount; ++p) {
    const LrProduction& prod = A.Productions[p];
    recorded += prod.Recorded;
    empty += prod.Length == 0;
    bool token = false;
    for (int i = 0; i < prod.Length; ++i) token |= A.RhsSymbols[prod.FirstSymbol + i] < A.TokenCount;
    withToken += token;
  }
  EXPECT_EQ(recorded, 323);
  EXPECT_EQ(empty, 29);
  EXPECT_EQ(withToken, 183);
  // Assignment has a single production and leaves no record.
  EXPECT_EQ(A.NonterminalNames[244], std::string("Assignment"));
  EXPECT_EQ(A.Productions[393].Recorded, 0);
}

// Part of parse start and compilation units: states 0 to 39.
TEST(JavaAutomaton, CompilationUnitStates) {
  CheckStates({
      {"JavaState000Goal", "Goal -> . SourceFile", "error Goal expected "},
      {"JavaState001CompilationUnit", "SourceFile -> _OPT_MOREZEB_Section . CompilationUnit",
       "error CompilationUnit expected "},
      {"JavaState002Reduce269", "_MOREZEB_Section -> ZEB_Section . ; _MOREZEB_Section -> ZEB_Section . _MOREZEB_Section",
       "default reduce 451 pop 0"},
      {"JavaState003ZEBConfiguration", "ZEB_Section -> hashhashhashsym . ZEB_Configuration",
       "error ZEB_Configuration expected "},
      {"JavaState004AfterPackage", "PackagedUnit -> packagesym . PackageDeclaration", "fixed Identifiersym"},
      {"JavaState005Goto253", "UnpackagedUnit -> _OPT_MOREImportDeclaration . _OPT_MORETypeDeclaration",
       "default empty 418"},
      {"JavaState006Reduce270",
       "_MOREImportDeclaration -> ImportDeclaration . ; _MOREImportDeclaration -> ImportDeclaration . _MOREImportDeclaration",
       "default reduce 453 pop 0"},
      {"JavaState007AfterImport", "ImportDeclaration -> USERimportsym . ImportBody semicolonsym", "fixed Identifiersym"},
      {"JavaState008Reduce268",
       "_MOREZEB_AttributeDefinition -> ZEB_AttributeDefinition . ; "
       "_MOREZEB_AttributeDefinition -> ZEB_AttributeDefinition . _MOREZEB_AttributeDefinition",
       "default reduce 449 pop 0"},
      {"JavaState009PackageBody", "PackageDeclaration -> Identifiersym . PackageBody", "error PackageBody expected "},
      {"JavaState010Goto51",
       "_MORETypeDeclaration -> TypeDeclaration . ; _MORETypeDeclaration -> TypeDeclaration . _MORETypeDeclaration",
       "default reduce 455 pop 0"},
      {"JavaState011ExpectClass",
       "ClassDeclaration -> _OPT_MOREModifier . classsym Identifiersym ... ; "
       "InterfaceDeclaration -> _OPT_MOREModifier . interfacesym Identifiersym ...",
       "error classsym  expected "},
      {"JavaState012Goto53", "_MOREModifier -> Modifier . ; _MOREModifier -> Modifier . _MOREModifier",
       "default reduce 457 pop 0"},
      {"JavaState013AfterSemicolon",
       "ImportBody -> ImportName . ; OnDemandImportName -> ImportName . dotsym Star ; "
       "ImportQualifiedName -> ImportName . dotsym Identifiersym",
       "default reduce 72 pop 0"},
      {"JavaState014AfterDot", "PackageBody -> dotsym . PackageDeclaration1", "fixed Identifiersym"},
      {"JavaState015UnpackagedUnit1", "PackageBody -> semicolonsym . UnpackagedUnit1", "error UnpackagedUnit1 expected "},
      {"JavaState016Star",
       "OnDemandImportName -> ImportName dotsym . Star ; ImportQualifiedName -> ImportName dotsym . Identifiersym",
       "error Star expected "},
      {"JavaState017ZEBAttributeValue",
       "ZEB_AttributeDefinition -> backslashsym Identifiersym openchainsym . ZEB_AttributeValue closechainsym",
       "error ZEB_AttributeValue expected "},
      {"JavaState018AfterIdentifier",
       "ClassDeclaration -> _OPT_MOREModifier classsym Identifiersym . _OPTSuper _OPTInterfaces ClassBody",
       "default empty 472"},
      {"JavaState019AfterIdentifier",
       "InterfaceDeclaration -> _OPT_MOREModifier interfacesym Identifiersym . _OPTExtendsInterfaces InterfaceBody",
       "default empty 482"},
      {"JavaState020AfterClosechain",
       "ZEB_SimpleValue -> ZEB_Name . ; ZEB_QualifiedName -> ZEB_Name . dotsym Identifiersym", "default reduce 7 pop 0"},
      {"JavaState021Reduce278", "ClassDeclaration -> ... Identifiersym _OPTSuper . _OPTInterfaces ClassBody",
       "default empty 470"},
      {"JavaState022AfterExtends", "Super -> extendssym . ClassType", "fixed Identifiersym"},
      {"JavaState023Reduce91", "InterfaceDeclaration -> ... _OPTExtendsInterfaces . InterfaceBody", "fixed openchainsym"},
      {"JavaState024AfterExtends", "ExtendsInterfaces -> extendssym . _MOREInterfaceTypeINSERTcomma",
       "fixed Identifiersym"},
      {"JavaState025Reduce54", "ClassDeclaration -> ... _OPTInterfaces . ClassBody", "fixed openchainsym"},
      {"JavaState026AfterImplements", "Interfaces -> implementssym . _MOREInterfaceTypeINSERTcomma",
       "fixed Identifiersym"},
      {"JavaState027Goto33", "ClassType -> Name . ; QualifiedName -> Name . dotsym Identifiersym",
       "default reduce 46 pop 0"},
      {"JavaState028AfterOpenchain",
       "InterfaceBody -> openchainsym . _OPT_MOREInterfaceMemberDeclaration closechainsym", "default empty 438"},
      {"JavaState029Reduce255",
       "_MOREInterfaceTypeINSERTcomma -> InterfaceType . ; "
       "_MOREInterfaceTypeINSERTcomma -> InterfaceType . commasym _MOREInterfaceTypeINSERTcomma",
       "default reduce 423 pop 0"},
      {"JavaState030Goto33", "ClassOrInterfaceType -> Name . ; QualifiedName -> Name . dotsym Identifiersym",
       "default reduce 45 pop 0"},
      {"JavaState031AfterOpenchain", "ClassBody -> openchainsym . _OPT_MOREClassBodyDeclaration closechainsym",
       "default empty 426"},
      {"JavaState032Goto94",
       "_MOREInterfaceMemberDeclaration -> InterfaceMemberDeclaration . ; "
       "_MOREInterfaceMemberDeclaration -> InterfaceMemberDeclaration . _MOREInterfaceMemberDeclaration",
       "default reduce 465 pop 0"},
      {"JavaState033Reduce96", "AbstractMethodDeclaration -> MethodHeader . MethodParameterPart semicolonsym",
       "fixed openparsym"},
      {"JavaState034Type",
       "FieldDeclaration -> _OPT_MOREModifier . Type ... ; TypedMethodHeader -> _OPT_MOREModifier . Type MethodDeclarator ; "
       "VoidMethodHeader -> _OPT_MOREModifier . voidsym ... ; ClassDeclaration -> _OPT_MOREModifier . classsym ... ; "
       "InterfaceDeclaration -> _OPT_MOREModifier . interfacesym ...",
       "error Type expected "},
      {"JavaState035AfterComma",
       "_MOREInterfaceTypeINSERTcomma -> InterfaceType commasym . _MOREInterfaceTypeINSERTcomma", "fixed Identifiersym"},
      {"JavaState036Goto58",
       "_MOREClassBodyDeclaration -> ClassBodyDeclaration . ; "
       "_MOREClassBodyDeclaration -> ClassBodyDeclaration . _MOREClassBodyDeclaration",
       "default reduce 459 pop 0"},
      {"JavaState037AfterStatic", "Modifier -> staticsym . ; StaticInitializer -> staticsym . Block",
       "default reduce 86 pop 0"},
      {"JavaState038Name",
       "FieldDeclaration -> _OPT_MOREModifier . Type ... ; TypedMethodHeader -> _OPT_MOREModifier . Type MethodDeclarator ; "
       "VoidMethodHeader -> _OPT_MOREModifier . voidsym ... ; ClassDeclaration -> _OPT_MOREModifier . classsym ... ; "
       "InterfaceDeclaration -> _OPT_MOREModifier . interfacesym ... ; "
       "ConstructorDeclaration -> _OPT_MOREModifier . Name ConstructorDeclarator",
       "error Name expected "},
      {"JavaState039Reduce68", "MethodDeclaration -> MethodHeader . MethodRest", "fixed openparsym"},
  });
  CheckActions({
      {"JavaState000Goal", "repair", "accept"},
      {"JavaState000Goal", "token hashhashhashsym", "call JavaState003ZEBConfiguration"},
      {"JavaState000Goal", "token classsym", "empty 414"},
      {"JavaState000Goal", "token endoffile", "empty 414"},
      {"JavaState000Goal", "goto _MOREZEB_Section", "goto reduce 413 pop 0"},
      {"JavaState000Goal", "goto ZEB_Section", "call JavaState002Reduce269"},
      {"JavaState000Goal", "goto _OPT_MOREZEB_Section", "call JavaState001CompilationUnit"},
      {"JavaState000Goal", "goto SourceFile", "accept"},
      {"JavaState001CompilationUnit", "repair", "goto reduce 13 pop 1"},
      {"JavaState001CompilationUnit", "token packagesym", "call JavaState004AfterPackage"},
      {"JavaState001CompilationUnit", "token USERimportsym", "call JavaState007AfterImport"},
      {"JavaState001CompilationUnit", "token endoffile", "empty 420"},
      {"JavaState001CompilationUnit", "goto _MOREImportDeclaration", "goto reduce 419 pop 0"},
      {"JavaState001CompilationUnit", "goto UnpackagedUnit", "goto reduce 62 pop 0"},
      {"JavaState001CompilationUnit", "goto PackagedUnit", "goto reduce 61 pop 0"},
      {"JavaState001CompilationUnit", "goto CompilationUnit", "goto reduce 13 pop 1"},
      {"JavaState002Reduce269", "token hashhashhashsym", "call JavaState003ZEBConfiguration"},
      {"JavaState002Reduce269", "goto _MOREZEB_Section", "goto reduce 452 pop 1"},
      {"JavaState003ZEBConfiguration", "repair", "goto reduce 1 pop 1"},
      {"JavaState003ZEBConfiguration", "token backslashsym",
       "call JavaState017ZEBAttributeValue run Identifiersym run openchainsym"},
      {"JavaState003ZEBConfiguration", "goto ZEB_AttributeDefinition", "call JavaState008Reduce268"},
      {"JavaState003ZEBConfiguration", "goto _MOREZEB_AttributeDefinition", "goto reduce 411 pop 0"},
      {"JavaState004AfterPackage", "token Identifiersym", "call JavaState009PackageBody"},
      {"JavaState004AfterPackage", "goto PackageDeclaration", "goto reduce 63 pop 1"},
      {"JavaState005Goto253", "token endoffile", "empty 418"},
      {"JavaState005Goto253", "token publicsym", "shift reduce 83 pop 0"},
      {"JavaState005Goto253", "token strictfpsym", "shift reduce 93 pop 0"},
      {"JavaState005Goto253", "token semicolonsym", "shift reduce 80 pop 0"},
      {"JavaState005Goto253", "token classsym", "empty 422"},
      {"JavaState005Goto253", "token interfacesym", "empty 422"},
      {"JavaState005Goto253", "goto Modifier", "call JavaState012Goto53"},
      {"JavaState005Goto253", "goto _OPT_MOREModifier", "call JavaState011ExpectClass"},
      {"JavaState005Goto253", "goto TypeDeclaration", "call JavaState010Goto51"},
      {"JavaState005Goto253", "goto _MOREModifier", "goto reduce 421 pop 0"},
      {"JavaState005Goto253", "goto ClassDeclaration", "goto reduce 81 pop 0"},
      {"JavaState005Goto253", "goto InterfaceDeclaration", "goto reduce 82 pop 0"},
      {"JavaState005Goto253", "goto ClassOrInterfaceDeclaration", "goto reduce 79 pop 0"},
      {"JavaState005Goto253", "goto _MORETypeDeclaration", "goto reduce 417 pop 0"},
      {"JavaState005Goto253", "goto _OPT_MORETypeDeclaration", "goto reduce 69 pop 1"},
      {"JavaState006Reduce270", "token USERimportsym", "call JavaState007AfterImport"},
      {"JavaState006Reduce270", "goto ImportDeclaration", "call JavaState006Reduce270"},
      {"JavaState006Reduce270", "goto _MOREImportDeclaration", "goto reduce 454 pop 1"},
      {"JavaState007AfterImport", "token Identifiersym", "shift reduce 77 pop 0"},
      {"JavaState007AfterImport", "goto ImportSimpleName", "goto reduce 75 pop 0"},
      {"JavaState007AfterImport", "goto ImportQualifiedName", "goto reduce 76 pop 0"},
      {"JavaState007AfterImport", "goto OnDemandImportName", "goto reduce 71 pop 0"},
      {"JavaState007AfterImport", "goto ImportName", "call JavaState013AfterSemicolon"},
      {"JavaState007AfterImport", "goto ImportBody", "goto reduce 70 pop 1 run semicolonsym"},
      {"JavaState008Reduce268", "token backslashsym",
       "call JavaState017ZEBAttributeValue run Identifiersym run openchainsym"},
      {"JavaState008Reduce268", "goto _MOREZEB_AttributeDefinition", "goto reduce 450 pop 1"},
      {"JavaState009PackageBody", "repair", "goto reduce 64 pop 1"},
      {"JavaState009PackageBody", "token semicolonsym", "call JavaState015UnpackagedUnit1"},
      {"JavaState009PackageBody", "token dotsym", "call JavaState014AfterDot"},
      {"JavaState010Goto51", "goto _MORETypeDeclaration", "goto reduce 456 pop 1"},
      {"JavaState011ExpectClass", "repair", "call JavaState018AfterIdentifier run Identifiersym"},
      {"JavaState011ExpectClass", "token classsym", "call JavaState018AfterIdentifier run Identifiersym"},
      {"JavaState011ExpectClass", "token interfacesym", "call JavaState019AfterIdentifier run Identifiersym"},
      {"JavaState012Goto53", "goto Modifier", "call JavaState012Goto53"},
      {"JavaState012Goto53", "goto _MOREModifier", "goto reduce 458 pop 1"},
      {"JavaState013AfterSemicolon", "token dotsym", "call JavaState016Star"},
      {"JavaState014AfterDot", "token Identifiersym", "call JavaState009PackageBody"},
      {"JavaState014AfterDot", "goto PackageDeclaration", "goto reduce 67 pop 0"},
      {"JavaState014AfterDot", "goto PackageDeclaration1", "goto reduce 65 pop 1"},
      {"JavaState015UnpackagedUnit1", "repair", "goto reduce 66 pop 1"},
      {"JavaState015UnpackagedUnit1", "token USERimportsym", "call JavaState007AfterImport"},
      {"JavaState015UnpackagedUnit1", "token endoffile", "empty 420"},
      {"JavaState015UnpackagedUnit1", "goto _MOREImportDeclaration", "goto reduce 419 pop 0"},
      {"JavaState015UnpackagedUnit1", "goto UnpackagedUnit", "goto reduce 68 pop 0"},
      {"JavaState015UnpackagedUnit1", "goto UnpackagedUnit1", "goto reduce 66 pop 1"},
      {"JavaState016Star", "repair", "goto reduce 73 pop 2"},
      {"JavaState016Star", "token starsym", "shift reduce 74 pop 0"},
      {"JavaState016Star", "goto Star", "goto reduce 73 pop 2"},
      {"JavaState016Star", "token Identifiersym", "shift reduce 78 pop 2"},
      {"JavaState017ZEBAttributeValue", "repair", "goto reduce 3 pop 3 run closechainsym"},
      {"JavaState017ZEBAttributeValue", "token truesym", "shift reduce 25 pop 0"},
      {"JavaState017ZEBAttributeValue", "token falsesym", "shift reduce 26 pop 0"},
      {"JavaState017ZEBAttributeValue", "token Identifiersym", "shift reduce 11 pop 0"},
      {"JavaState017ZEBAttributeValue", "token closechainsym", "empty 412"},
      {"JavaState017ZEBAttributeValue", "token backslashsym",
       "call JavaState017ZEBAttributeValue run Identifiersym run openchainsym"},
      {"JavaState017ZEBAttributeValue", "goto Literal", "goto reduce 8 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_LiteralValue", "goto reduce 6 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_SimpleValue", "goto reduce 4 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_SimpleName", "goto reduce 9 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_QualifiedName", "goto reduce 10 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_Configuration", "goto reduce 5 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto _MOREZEB_AttributeDefinition", "goto reduce 411 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto _OPT_MOREZEB_AttributeDefinition", "goto reduce 2 pop 0"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_Name", "call JavaState020AfterClosechain"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_AttributeDefinition", "call JavaState008Reduce268"},
      {"JavaState017ZEBAttributeValue", "goto ZEB_AttributeValue", "goto reduce 3 pop 3 run closechainsym"},
      {"JavaState018AfterIdentifier", "token extendssym", "call JavaState022AfterExtends"},
      {"JavaState018AfterIdentifier", "goto Super", "goto reduce 471 pop 0"},
      {"JavaState018AfterIdentifier", "goto _OPTSuper", "call JavaState021Reduce278"},
      {"JavaState019AfterIdentifier", "token extendssym", "call JavaState024AfterExtends"},
      {"JavaState019AfterIdentifier", "goto ExtendsInterfaces", "goto reduce 481 pop 0"},
      {"JavaState019AfterIdentifier", "goto _OPTExtendsInterfaces", "call JavaState023Reduce91"},
      {"JavaState020AfterClosechain", "token dotsym", "shift reduce 12 pop 1 run Identifiersym"},
      {"JavaState021Reduce278", "token implementssym", "call JavaState026AfterImplements"},
      {"JavaState021Reduce278", "goto Interfaces", "goto reduce 469 pop 0"},
      {"JavaState021Reduce278", "goto _OPTInterfaces", "call JavaState025Reduce54"},
      {"JavaState022AfterExtends", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState022AfterExtends", "goto SimpleName", "goto reduce 54 pop 0"},
      {"JavaState022AfterExtends", "goto QualifiedName", "goto reduce 55 pop 0"},
      {"JavaState022AfterExtends", "goto Name", "call JavaState027Goto33"},
      {"JavaState022AfterExtends", "goto ClassType", "goto reduce 95 pop 1"},
      {"JavaState023Reduce91", "token openchainsym", "call JavaState028AfterOpenchain"},
      {"JavaState023Reduce91", "goto InterfaceBody", "goto reduce 143 pop 4"},
      {"JavaState024AfterExtends", "goto _MOREInterfaceTypeINSERTcomma", "goto reduce 144 pop 1"},
      {"JavaState025Reduce54", "token openchainsym", "call JavaState031AfterOpenchain"},
      {"JavaState025Reduce54", "goto ClassBody", "goto reduce 94 pop 5"},
      {"JavaState026AfterImplements", "goto Name", "call JavaState030Goto33"},
      {"JavaState026AfterImplements", "goto ClassOrInterfaceType", "goto reduce 49 pop 0"},
      {"JavaState026AfterImplements", "goto InterfaceType", "call JavaState029Reduce255"},
      {"JavaState026AfterImplements", "goto _MOREInterfaceTypeINSERTcomma", "goto reduce 96 pop 1"},
      {"JavaState027Goto33", "token dotsym", "shift reduce 57 pop 1 run Identifiersym"},
      {"JavaState028AfterOpenchain", "token interfacesym", "empty 422"},
      {"JavaState028AfterOpenchain", "token voidsym", "empty 422"},
      {"JavaState028AfterOpenchain", "token intsym", "empty 422"},
      {"JavaState028AfterOpenchain", "token Identifiersym", "empty 422"},
      {"JavaState028AfterOpenchain", "token semicolonsym", "shift reduce 80 pop 0"},
      {"JavaState028AfterOpenchain", "goto _OPT_MOREModifier", "call JavaState034Type"},
      {"JavaState028AfterOpenchain", "goto MethodHeader", "call JavaState033Reduce96"},
      {"JavaState028AfterOpenchain", "goto InterfaceMemberDeclaration", "call JavaState032Goto94"},
      {"JavaState028AfterOpenchain", "goto Modifier", "call JavaState012Goto53"},
      {"JavaState028AfterOpenchain", "goto FieldDeclaration", "goto reduce 149 pop 0"},
      {"JavaState028AfterOpenchain", "goto ConstantDeclaration", "goto reduce 146 pop 0"},
      {"JavaState028AfterOpenchain", "goto InterfaceMemberTypeDeclaration", "goto reduce 148 pop 0"},
      {"JavaState028AfterOpenchain", "goto TypeDeclaration", "goto reduce 151 pop 0"},
      {"JavaState028AfterOpenchain", "goto TypedMethodHeader", "goto reduce 118 pop 0"},
      {"JavaState028AfterOpenchain", "goto VoidMethodHeader", "goto reduce 119 pop 0"},
      {"JavaState028AfterOpenchain", "goto _MOREInterfaceMemberDeclaration", "goto reduce 437 pop 0"},
      {"JavaState028AfterOpenchain", "goto _OPT_MOREInterfaceMemberDeclaration", "goto reduce 145 pop 1 run closechainsym"},
      {"JavaState029Reduce255", "token commasym", "call JavaState035AfterComma"},
      {"JavaState030Goto33", "token dotsym", "shift reduce 57 pop 1 run Identifiersym"},
      {"JavaState031AfterOpenchain", "token staticsym", "call JavaState037AfterStatic"},
      {"JavaState031AfterOpenchain", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState031AfterOpenchain", "goto _OPT_MOREModifier", "call JavaState038Name"},
      {"JavaState031AfterOpenchain", "goto MethodHeader", "call JavaState039Reduce68"},
      {"JavaState031AfterOpenchain", "goto ClassBodyDeclaration", "call JavaState036Goto58"},
      {"JavaState031AfterOpenchain", "goto Block", "goto reduce 129 pop 0"},
      {"JavaState031AfterOpenchain", "goto TypeDeclaration", "goto reduce 103 pop 0"},
      {"JavaState031AfterOpenchain", "goto _OPT_MOREClassBodyDeclaration", "goto reduce 97 pop 1 run closechainsym"},
      {"JavaState032Goto94", "goto _MOREInterfaceMemberDeclaration", "goto reduce 466 pop 1"},
      {"JavaState033Reduce96", "token openparsym", "call JavaState041AfterOpenpar"},
      {"JavaState033Reduce96", "goto MethodParameterPart", "goto reduce 150 pop 1 run semicolonsym"},
      {"JavaState034Type", "repair", "call JavaState042Goto20"},
      {"JavaState034Type", "token booleansym", "shift reduce 33 pop 0"},
      {"JavaState034Type", "token bytesym", "shift reduce 36 pop 0"},
      {"JavaState034Type", "token charsym", "shift reduce 40 pop 0"},
      {"JavaState034Type", "token floatsym", "shift reduce 41 pop 0"},
      {"JavaState034Type", "token doublesym", "shift reduce 42 pop 0"},
      {"JavaState034Type", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState034Type", "token classsym", "call JavaState018AfterIdentifier run Identifiersym"},
      {"JavaState034Type", "token interfacesym", "call JavaState019AfterIdentifier run Identifiersym"},
      {"JavaState034Type", "token voidsym", "call JavaState043AfterVoid"},
      {"JavaState034Type", "goto Type", "call JavaState042Goto20"},
      {"JavaState034Type", "goto PrimitiveType", "call JavaState044Goto21"},
      {"JavaState034Type", "goto Name", "call JavaState045Goto33"},
      {"JavaState035AfterComma", "goto _MOREInterfaceTypeINSERTcomma", "goto reduce 424 pop 2"},
      {"JavaState036Goto58", "goto _MOREClassBodyDeclaration", "goto reduce 460 pop 1"},
      {"JavaState037AfterStatic", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState037AfterStatic", "goto Block", "goto reduce 130 pop 1"},
      {"JavaState038Name", "repair", "call JavaState046Goto33"},
      {"JavaState038Name", "goto Name", "call JavaState046Goto33"},
      {"JavaState039Reduce68", "token openparsym", "call JavaState041AfterOpenpar"},
      {"JavaState039Reduce68", "goto MethodParameterPart", "call JavaState047MethodBody"},
      {"JavaState039Reduce68", "goto MethodRest", "goto reduce 115 pop 1"},
  });
  CheckOwnSets({
      {"JavaState000Goal", UnitStart + " packagesym USERimportsym hashhashhashsym"},
      {"JavaState013AfterSemicolon", "semicolonsym dotsym"},
      {"JavaState020AfterClosechain", "dotsym closechainsym"},
  });
}

}  // namespace
