// Checks the generated Java automaton against the facts that the parser-state tables
// state: each state's number, name and kernel, its error message or default
// reduction, its own set, the actions and stored PopCount values of its transitions,
// the re-entry table of error recovery and the fixed-token states.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

// A kernel pattern is an item as the tables write it, word by word; "..."
// stands for any run of symbols that the table leaves out.
bool MatchWords(const std::vector<std::string>& p, size_t i, const std::vector<std::string>& w, size_t j) {
  if (i == p.size()) return j == w.size();
  if (p[i] == "...") {
    for (size_t k = j; k <= w.size(); ++k)
      if (MatchWords(p, i + 1, w, k)) return true;
    return false;
  }
  return j < w.size() && p[i] == w[j] && MatchWords(p, i + 1, w, j + 1);
}

std::vector<std::string> WordList(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool Matches(const std::string& pattern, const std::string& item) {
  return MatchWords(WordList(pattern), 0, WordList(item), 0);
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
  std::string Kernel;      // items separated by " ; "
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

// Member declarators, formal parameters and method bodies.
TEST(JavaAutomaton, MemberDeclaratorStates) {
  CheckStates({
      {"JavaState042Goto20",
       "FieldDeclaration -> _OPT_MOREModifier Type . _MOREVariableDeclaratorINSERTcomma semicolonsym ; "
       "TypedMethodHeader -> _OPT_MOREModifier Type . MethodDeclarator",
       "fixed Identifiersym"},
      {"JavaState043AfterVoid", "VoidMethodHeader -> _OPT_MOREModifier voidsym . MethodDeclarator", "fixed Identifiersym"},
      {"JavaState046Goto33",
       "ConstructorDeclaration -> _OPT_MOREModifier Name . ConstructorDeclarator ; ClassOrInterfaceType -> Name . ; "
       "NameArrayType -> Name . _MOREopenbrksymclosebrksym ; QualifiedName -> Name . dotsym Identifiersym",
       "default reduce 45 pop 0"},
      {"JavaState041AfterOpenpar",
       "MethodParameterPart -> openparsym . _OPT_MOREFormalParameterINSERTcomma closeparsym "
       "_OPT_MOREopenbrksymclosebrksym _OPTThrows",
       "default empty 432"},
      {"JavaState082AfterOpenpar",
       "ConstructorDeclarator -> openparsym . _OPT_MOREFormalParameterINSERTcomma closeparsym _OPTThrows ConstructorBody",
       "default empty 432"},
      {"JavaState077Reduce274",
       "_MOREFormalParameterINSERTcomma -> FormalParameter . ; "
       "_MOREFormalParameterINSERTcomma -> FormalParameter . commasym _MOREFormalParameterINSERTcomma",
       "default reduce 461 pop 0"},
      {"JavaState124MoreFormalParameter",
       "_MOREFormalParameterINSERTcomma -> FormalParameter commasym . _MOREFormalParameterINSERTcomma",
       "error _MOREFormalParameterINSERTcomma expected "},
      {"JavaState078Type", "FormalParameter -> _OPTfinalsym . Type VariableDeclaratorId", "error Type expected "},
      {"JavaState125Goto20", "FormalParameter -> _OPTfinalsym Type . VariableDeclaratorId", "fixed Identifiersym"},
      {"JavaState171Goto63",
       "FormalParameter -> _OPTfinalsym Type VariableDeclaratorId . ; "
       "ArrayDeclaratorId -> VariableDeclaratorId . openbrksym closebrksym",
       "default reduce 123 pop 2"},
      {"JavaState123AfterClosepar",
       "MethodParameterPart -> openparsym _OPT_MOREFormalParameterINSERTcomma closeparsym . "
       "_OPT_MOREopenbrksymclosebrksym _OPTThrows",
       "default empty 430"},
      {"JavaState170Goto258",
       "MethodParameterPart -> openparsym _OPT_MOREFormalParameterINSERTcomma closeparsym "
       "_OPT_MOREopenbrksymclosebrksym . _OPTThrows",
       "default empty 476"},
      {"JavaState047MethodBody", "MethodRest -> MethodParameterPart . MethodBody", "error MethodBody expected "},
  });
  CheckActions({
      {"JavaState042Goto20", "token Identifiersym", "call JavaState080AfterIdentifier"},
      {"JavaState042Goto20", "goto VariableDeclaratorId", "call JavaState081Goto63"},
      {"JavaState042Goto20", "goto VariableDeclarator", "call JavaState079Reduce257"},
      {"JavaState042Goto20", "goto DeclaratorIdentifier", "goto reduce 111 pop 0"},
      {"JavaState042Goto20", "goto SimpleDeclaratorId", "goto reduce 108 pop 0"},
      {"JavaState042Goto20", "goto ArrayDeclaratorId", "goto reduce 109 pop 0"},
      {"JavaState042Goto20", "goto _MOREVariableDeclaratorINSERTcomma", "goto reduce 106 pop 2 run semicolonsym"},
      {"JavaState042Goto20", "goto MethodDeclarator", "goto reduce 120 pop 2"},
      {"JavaState043AfterVoid", "token Identifiersym", "shift reduce 122 pop 0"},
      {"JavaState043AfterVoid", "goto MethodDeclarator", "goto reduce 121 pop 2"},
      {"JavaState046Goto33", "token openparsym", "call JavaState082AfterOpenpar"},
      {"JavaState046Goto33", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState046Goto33", "token dotsym", "shift reduce 57 pop 1 run Identifiersym"},
      {"JavaState046Goto33", "goto ConstructorDeclarator", "goto reduce 131 pop 2"},
      {"JavaState046Goto33", "goto _MOREopenbrksymclosebrksym", "goto reduce 53 pop 1"},
      {"JavaState041AfterOpenpar", "token intsym", "empty 478"},
      {"JavaState041AfterOpenpar", "token Identifiersym", "empty 478"},
      {"JavaState041AfterOpenpar", "token finalsym", "shift reduce 477 pop 0"},
      {"JavaState041AfterOpenpar", "token closeparsym", "empty 432"},
      {"JavaState041AfterOpenpar", "goto _OPT_MOREFormalParameterINSERTcomma",
       "call JavaState123AfterClosepar run closeparsym"},
      {"JavaState041AfterOpenpar", "goto _OPTfinalsym", "call JavaState078Type"},
      {"JavaState041AfterOpenpar", "goto FormalParameter", "call JavaState077Reduce274"},
      {"JavaState041AfterOpenpar", "goto _MOREFormalParameterINSERTcomma", "goto reduce 431 pop 0"},
      {"JavaState082AfterOpenpar", "goto _OPT_MOREFormalParameterINSERTcomma",
       "call JavaState173AfterClosepar run closeparsym"},
      {"JavaState077Reduce274", "token commasym", "call JavaState124MoreFormalParameter"},
      {"JavaState124MoreFormalParameter", "repair", "goto reduce 462 pop 2"},
      {"JavaState124MoreFormalParameter", "token finalsym", "shift reduce 477 pop 0"},
      {"JavaState124MoreFormalParameter", "token booleansym", "empty 478"},
      {"JavaState124MoreFormalParameter", "goto _OPTfinalsym", "call JavaState078Type"},
      {"JavaState124MoreFormalParameter", "goto FormalParameter", "call JavaState077Reduce274"},
      {"JavaState078Type", "repair", "call JavaState125Goto20"},
      {"JavaState078Type", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState078Type", "goto Type", "call JavaState125Goto20"},
      {"JavaState078Type", "goto PrimitiveType", "call JavaState044Goto21"},
      {"JavaState078Type", "goto Name", "call JavaState045Goto33"},
      {"JavaState125Goto20", "token Identifiersym", "shift reduce 112 pop 0"},
      {"JavaState125Goto20", "goto VariableDeclaratorId", "call JavaState171Goto63"},
      {"JavaState171Goto63", "token openbrksym", "shift reduce 110 pop 1 run closebrksym"},
      {"JavaState123AfterClosepar", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState123AfterClosepar", "token throwssym", "empty 430"},
      {"JavaState123AfterClosepar", "goto _MOREopenbrksymclosebrksym", "goto reduce 429 pop 0"},
      {"JavaState123AfterClosepar", "goto _OPT_MOREopenbrksymclosebrksym", "call JavaState170Goto258"},
      {"JavaState170Goto258", "token throwssym", "call JavaState207AfterThrows"},
      {"JavaState170Goto258", "token semicolonsym", "empty 476"},
      {"JavaState170Goto258", "goto Throws", "goto reduce 475 pop 0"},
      {"JavaState170Goto258", "goto _OPTThrows", "goto reduce 117 pop 4"},
      {"JavaState047MethodBody", "repair", "goto reduce 116 pop 1"},
      {"JavaState047MethodBody", "token semicolonsym", "shift reduce 128 pop 0"},
      {"JavaState047MethodBody", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState047MethodBody", "goto Block", "goto reduce 127 pop 0"},
      {"JavaState047MethodBody", "goto BlockMethodBody", "goto reduce 125 pop 0"},
      {"JavaState047MethodBody", "goto EmptyMethodBody", "goto reduce 126 pop 0"},
      {"JavaState047MethodBody", "goto MethodBody", "goto reduce 116 pop 1"},
  });
}

// Types, variable declarators, variable initializers and array dimensions.
TEST(JavaAutomaton, TypeAndDeclaratorStates) {
  CheckStates({
      {"JavaState044Goto21", "Type -> PrimitiveType . ; PrimitiveArrayType -> PrimitiveType . _MOREopenbrksymclosebrksym",
       "default reduce 30 pop 0"},
      {"JavaState045Goto33",
       "ClassOrInterfaceType -> Name . ; NameArrayType -> Name . _MOREopenbrksymclosebrksym ; "
       "QualifiedName -> Name . dotsym Identifiersym",
       "default reduce 45 pop 0"},
      {"JavaState128AfterClosebrk",
       "_MOREopenbrksymclosebrksym -> openbrksym closebrksym . ; "
       "_MOREopenbrksymclosebrksym -> openbrksym closebrksym . _MOREopenbrksymclosebrksym",
       "default reduce 415 pop 1"},
      {"JavaState080AfterIdentifier", "DeclaratorIdentifier -> Identifiersym . ; MethodDeclarator -> Identifiersym .",
       "default reduce 122 pop 0"},
      {"JavaState081Goto63",
       "VariableDeclarator -> VariableDeclaratorId . _OPTequalssymVariableInitializer ; "
       "ArrayDeclaratorId -> VariableDeclaratorId . openbrksym closebrksym",
       "default empty 474"},
      {"JavaState079Reduce257",
       "_MOREVariableDeclaratorINSERTcomma -> VariableDeclarator . ; "
       "_MOREVariableDeclaratorINSERTcomma -> VariableDeclarator . commasym _MOREVariableDeclaratorINSERTcomma",
       "default reduce 427 pop 0"},
      {"JavaState126AfterComma",
       "_MOREVariableDeclaratorINSERTcomma -> VariableDeclarator commasym . _MOREVariableDeclaratorINSERTcomma",
       "fixed Identifiersym"},
      {"JavaState127VariableInitializer", "_OPTequalssymVariableInitializer -> equalssym . VariableInitializer",
       "error VariableInitializer expected "},
      {"JavaState166Goto267", "PrimitiveArrayCreation -> newsym PrimitiveType _MOREDimExpr . _OPTArrayInitializer",
       "default empty 504"},
      {"JavaState169Goto267", "ClassArrayCreation -> newsym ClassOrInterfaceType _MOREDimExpr . _OPTArrayInitializer",
       "default empty 504"},
      {"JavaState167Reduce267", "_MOREDimExpr -> DimExpr . ; _MOREDimExpr -> DimExpr . _MOREDimExpr",
       "default reduce 447 pop 0"},
  });
  CheckActions({
      {"JavaState045Goto33", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState045Goto33", "token dotsym", "shift reduce 57 pop 1 run Identifiersym"},
      {"JavaState045Goto33", "goto _MOREopenbrksymclosebrksym", "goto reduce 53 pop 1"},
      {"JavaState128AfterClosebrk", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState128AfterClosebrk", "goto _MOREopenbrksymclosebrksym", "goto reduce 416 pop 2"},
      {"JavaState080AfterIdentifier", "token commasym", "reduce 112 pop 0"},
      {"JavaState080AfterIdentifier", "token semicolonsym", "reduce 112 pop 0"},
      {"JavaState080AfterIdentifier", "token openbrksym", "reduce 112 pop 0"},
      {"JavaState080AfterIdentifier", "token equalssym", "reduce 112 pop 0"},
      {"JavaState080AfterIdentifier", "token openparsym", "reduce 122 pop 0"},
      {"JavaState081Goto63", "token equalssym", "call JavaState127VariableInitializer"},
      {"JavaState081Goto63", "token openbrksym", "shift reduce 110 pop 1 run closebrksym"},
      {"JavaState081Goto63", "token commasym", "empty 474"},
      {"JavaState081Goto63", "goto _OPTequalssymVariableInitializer", "goto reduce 107 pop 1"},
      {"JavaState079Reduce257", "token commasym", "call JavaState126AfterComma"},
      {"JavaState126AfterComma", "token Identifiersym", "shift reduce 112 pop 0"},
      {"JavaState126AfterComma", "goto VariableDeclaratorId", "call JavaState081Goto63"},
      {"JavaState126AfterComma", "goto VariableDeclarator", "call JavaState079Reduce257"},
      {"JavaState126AfterComma", "goto _MOREVariableDeclaratorINSERTcomma", "goto reduce 428 pop 2"},
      {"JavaState127VariableInitializer", "repair", "goto reduce 473 pop 1"},
      {"JavaState127VariableInitializer", "goto VariableInitializer", "goto reduce 473 pop 1"},
      {"JavaState127VariableInitializer", "token openchainsym", "call JavaState172AfterOpenchain"},
      {"JavaState127VariableInitializer", "token openparsym", "call JavaState096Expression"},
      {"JavaState127VariableInitializer", "token plusplussym", "call JavaState067UnaryExpression"},
      {"JavaState127VariableInitializer", "token minusminussym", "call JavaState068UnaryExpression"},
      {"JavaState127VariableInitializer", "token plussym", "call JavaState100UnaryExpression"},
      {"JavaState127VariableInitializer", "token minussym", "call JavaState101UnaryExpression"},
      {"JavaState127VariableInitializer", "token tildasym", "call JavaState103UnaryExpression"},
      {"JavaState127VariableInitializer", "token exclaimsym", "call JavaState104UnaryExpression"},
      {"JavaState127VariableInitializer", "token thissym", "call JavaState073AfterThis"},
      {"JavaState127VariableInitializer", "token newsym", "call JavaState074ClassType"},
      {"JavaState127VariableInitializer", "token supersym",
       "call JavaState164AfterIdentifier run dotsym run Identifiersym"},
      {"JavaState127VariableInitializer", "token voidsym", "shift reduce 255 pop 0 run dotsym run classsym"},
      {"JavaState127VariableInitializer", "token NullLiteralsym", "shift reduce 29 pop 0"},
      {"JavaState127VariableInitializer", "goto PrimitiveType", "call JavaState088MoreBrackets"},
      {"JavaState127VariableInitializer", "goto Name", "call JavaState087Goto33"},
      {"JavaState127VariableInitializer", "goto Primary", "call JavaState072Reduce190"},
      {"JavaState127VariableInitializer", "goto PrimaryNoNewArray", "call JavaState075Reduce153"},
      {"JavaState127VariableInitializer", "goto FieldAccess", "call JavaState070Goto175"},
      {"JavaState127VariableInitializer", "goto ArrayAccess", "call JavaState071Goto186"},
      {"JavaState127VariableInitializer", "goto LeftHandSide", "call JavaState066AssignmentOperator"},
      {"JavaState127VariableInitializer", "goto PostfixExpression", "call JavaState102Reduce203"},
      {"JavaState127VariableInitializer", "goto MultiplicativeExpression", "call JavaState099Reduce214"},
      {"JavaState127VariableInitializer", "goto AdditiveExpression", "call JavaState098Reduce217"},
      {"JavaState127VariableInitializer", "goto ShiftExpression", "call JavaState097Reduce221"},
      {"JavaState127VariableInitializer", "goto RelationalExpression", "call JavaState095Reduce227"},
      {"JavaState127VariableInitializer", "goto EqualityExpression", "call JavaState094Reduce230"},
      {"JavaState127VariableInitializer", "goto AndExpression", "call JavaState093Reduce232"},
      {"JavaState127VariableInitializer", "goto ExclusiveOrExpression", "call JavaState092Reduce234"},
      {"JavaState127VariableInitializer", "goto InclusiveOrExpression", "call JavaState091Reduce236"},
      {"JavaState127VariableInitializer", "goto ConditionalAndExpression", "call JavaState090Reduce238"},
      {"JavaState127VariableInitializer", "goto ConditionalOrExpression", "call JavaState089Reduce240"},
      {"JavaState127VariableInitializer", "goto Expression", "goto reduce 113 pop 0"},
      {"JavaState127VariableInitializer", "goto ClassInstanceCreationExpression", "goto reduce 257 pop 0"},
      {"JavaState127VariableInitializer", "goto Assignment", "goto reduce 392 pop 0"},
      {"JavaState127VariableInitializer", "goto AssignmentExpression", "goto reduce 409 pop 0"},
      {"JavaState127VariableInitializer", "goto CastExpression", "goto reduce 328 pop 0"},
      {"JavaState166Goto267", "token openchainsym", "call JavaState172AfterOpenchain"},
      {"JavaState166Goto267", "goto ArrayInitializer", "goto reduce 503 pop 0"},
      {"JavaState166Goto267", "goto EmptyArrayInitializer", "goto reduce 152 pop 0"},
      {"JavaState166Goto267", "goto _OPTArrayInitializer", "goto reduce 277 pop 3"},
      {"JavaState169Goto267", "goto _OPTArrayInitializer", "goto reduce 278 pop 3"},
      {"JavaState167Reduce267", "token openbrksym", "call JavaState168AfterOpenbrk"},
      {"JavaState167Reduce267", "goto DimExpr", "call JavaState167Reduce267"},
      {"JavaState167Reduce267", "goto _MOREDimExpr", "goto reduce 448 pop 1"},
  });
  CheckOwnSets({
      {"JavaState045Goto33",
       "openbrksym dotsym Identifiersym instanceofsym greaterthanequalssym equalsequalssym lessthanequalssym "
       "exclaimequalssym ampersandampersandsym verticalbarverticalbarsym closeparsym commasym colonsym semicolonsym "
       "closebrksym closechainsym lessthansym greaterthansym questionmarksym ampersandsym hatsym verticalbarsym"},
      {"JavaState128AfterClosebrk",
       "instanceofsym throwssym greaterthanequalssym equalsequalssym lessthanequalssym exclaimequalssym "
       "ampersandampersandsym verticalbarverticalbarsym closeparsym commasym colonsym semicolonsym openbrksym "
       "closebrksym dotsym openchainsym closechainsym lessthansym greaterthansym questionmarksym ampersandsym hatsym "
       "verticalbarsym Identifiersym"},
  });
}

// Blocks, statements, for headers, try, constructor bodies, switch blocks and the
// small completing states.
TEST(JavaAutomaton, StatementStates) {
  const std::string IfHead = "USERifsym openparsym Expression closeparsym";
  CheckStates({
      {"JavaState040BlockStatements", "Block -> openchainsym . BlockStatements closechainsym",
       "error BlockStatements expected "},
      {"JavaState048Goto105",
       "_MOREBlockStatement -> BlockStatement . ; _MOREBlockStatement -> BlockStatement . _MOREBlockStatement",
       "default reduce 463 pop 0"},
      {"JavaState049Goto20", "LocalVariableDeclaration -> Type . _MOREVariableDeclaratorINSERTcomma",
       "fixed Identifiersym"},
      {"JavaState050AfterFinal",
       "FinalLocalVariableDeclaration -> finalsym . LocalVariableDeclaration ; Modifier -> finalsym .",
       "default reduce 88 pop 0"},
      {"JavaState051Goto21",
       "Type -> PrimitiveType . ; PrimitiveArrayType -> PrimitiveType . _MOREopenbrksymclosebrksym ; "
       "PrimitiveClassLiteral -> PrimitiveType . dotsym classsym ; "
       "PrimitiveArrayClassLiteral -> PrimitiveType . _MOREopenbrksymclosebrksym dotsym classsym",
       "default reduce 30 pop 0"},
      {"JavaState052Statement",
       "DoStatement -> USERdosym . Statement USERwhilesym openparsym Expression closeparsym semicolonsym",
       "error Statement expected "},
      {"JavaState053AfterBreak", "BreakStatement -> USERbreaksym . _OPTLabelIdentifier semicolonsym",
       "default empty 498"},
      {"JavaState054AfterContinue", "ContinueStatement -> continuesym . _OPTLabelIdentifier semicolonsym",
       "default empty 498"},
      {"JavaState107Statement", "LabeledStatement -> Identifiersym colonsym . Statement", "error Statement expected "},
      {"JavaState174Statement",
       "IfThenStatement -> USERifsym openparsym Expression closeparsym . Statement ; "
       "IfThenElseStatement -> USERifsym openparsym Expression closeparsym . StatementNoShortIf USERelsesym Statement",
       "error Statement expected "},
      {"JavaState175Statement", "WhileStatement -> USERwhilesym openparsym Expression closeparsym . Statement",
       "error Statement expected "},
      {"JavaState224Statement",
       "IfThenElseStatement -> USERifsym openparsym Expression closeparsym StatementNoShortIf USERelsesym . Statement",
       "error Statement expected "},
      {"JavaState108AfterOpenpar",
       "ForStatement -> forsym openparsym . _OPTForInit semicolonsym _OPTExpression semicolonsym _OPTForUpdate "
       "closeparsym Statement",
       "default empty 496"},
      {"JavaState153LocalVariableDeclaration", "FinalLocalVariableDeclaration -> finalsym . LocalVariableDeclaration",
       "error LocalVariableDeclaration expected "},
      {"JavaState154Reduce264",
       "_MOREStatementExpressionINSERTcomma -> StatementExpression . ; "
       "_MOREStatementExpressionINSERTcomma -> StatementExpression . commasym _MOREStatementExpressionINSERTcomma",
       "default reduce 441 pop 0"},
      {"JavaState200MoreStatementExpression",
       "_MOREStatementExpressionINSERTcomma -> StatementExpression commasym . _MOREStatementExpressionINSERTcomma",
       "error _MOREStatementExpressionINSERTcomma expected "},
      {"JavaState109Catches",
       "TryCatchStatement -> trysym Block . Catches ; TryFinallyStatement -> trysym Block . _OPTCatches Finally",
       "error Catches expected "},
      {"JavaState155Goto150", "TryCatchStatement -> trysym Block Catches . ; _OPTCatches -> Catches .",
       "default reduce 237 pop 2"},
      {"JavaState157Reduce265", "_MORECatchClause -> CatchClause . ; _MORECatchClause -> CatchClause . _MORECatchClause",
       "default reduce 443 pop 0"},
      {"JavaState156Reduce149", "TryFinallyStatement -> trysym Block _OPTCatches . Finally", "fixed finallysym"},
      {"JavaState201AfterFinally", "Finally -> finallysym . Block", "fixed openchainsym"},
      {"JavaState202FormalParameter", "CatchClause -> catchsym openparsym . FormalParameter closeparsym Block",
       "error FormalParameter expected "},
      {"JavaState223ExplicitConstructorInvocation",
       "InvokingConstructorBody -> openchainsym . ExplicitConstructorInvocation _OPT_MOREBlockStatement closechainsym ; "
       "PlainConstructorBody -> openchainsym . _OPT_MOREBlockStatement closechainsym",
       "error ExplicitConstructorInvocation expected "},
      {"JavaState236",
       "InvokingConstructorBody -> openchainsym ExplicitConstructorInvocation . _OPT_MOREBlockStatement closechainsym",
       "default empty 436"},
      {"JavaState237AfterThis",
       "ThisInvocation -> thissym . openparsym _OPTArgumentList closeparsym semicolonsym ; PostfixExpression -> thissym . ; "
       "ThisFieldAccess -> thissym . dotsym ... ; ThisMethodInvocation -> thissym . dotsym ... ; "
       "ThisArrayAccess -> thissym . openbrksym ... ; ThisQualifiedInstanceCreation -> thissym . dotsym newsym ...",
       "default reduce 305 pop 0"},
      {"JavaState238ExpectOpenpar",
       "SuperInvocation -> supersym . openparsym _OPTArgumentList closeparsym semicolonsym ; "
       "SuperFieldAccess -> supersym . dotsym ... ; SuperMethodInvocation -> supersym . dotsym ...",
       "error openparsym  expected "},
      {"JavaState239AfterSemicolon",
       "QualifiedSuperInvocation -> Primary . dotsym supersym openparsym _OPTArgumentList closeparsym semicolonsym ; "
       "PostfixExpression -> Primary . ; PrimaryFieldAccess -> Primary . dotsym ... ; "
       "PrimaryMethodInvocation -> Primary . dotsym ... ; PrimaryQualifiedInstanceCreation -> Primary . dotsym ...",
       "default reduce 304 pop 0"},
      {"JavaState106Goto247", "AssertStatement -> assertsym Expression . _OPTcolonsymExpression semicolonsym",
       "default empty 490"},
      {"JavaState176Reduce127", "SwitchStatement -> USERswitchsym openparsym Expression closeparsym . SwitchBlock",
       "fixed openchainsym"},
      {"JavaState110",
       "NameArrayType -> Name _MOREopenbrksymclosebrksym . ; "
       "ArrayClassLiteral -> Name _MOREopenbrksymclosebrksym . dotsym classsym",
       "default reduce 53 pop 1"},
      {"JavaState158Reduce266",
       "_MOREExpressionINSERTcomma -> Expression . ; "
       "_MOREExpressionINSERTcomma -> Expression . commasym _MOREExpressionINSERTcomma",
       "default reduce 445 pop 0"},
      {"JavaState159AfterNew",
       "NameQualifiedInstanceCreation -> Name dotsym newsym . ClassType openparsym _OPTArgumentList closeparsym "
       "_OPTClassBody",
       "fixed Identifiersym"},
      {"JavaState161AfterNew",
       "PrimaryQualifiedInstanceCreation -> Primary dotsym newsym . ClassType openparsym _OPTArgumentList closeparsym "
       "_OPTClassBody",
       "fixed Identifiersym"},
      {"JavaState163AfterNew",
       "ThisQualifiedInstanceCreation -> thissym dotsym newsym . ClassType openparsym _OPTArgumentList closeparsym "
       "_OPTClassBody",
       "fixed Identifiersym"},
      {"JavaState160AfterIdentifier",
       "PrimaryFieldAccess -> Primary dotsym Identifiersym . ; "
       "PrimaryMethodInvocation -> Primary dotsym Identifiersym . openparsym _OPTArgumentList closeparsym",
       "default reduce 284 pop 2"},
      {"JavaState162Reduce177",
       "ThisFieldAccess -> thissym dotsym Identifiersym . ; "
       "ThisMethodInvocation -> thissym dotsym Identifiersym . openparsym _OPTArgumentList closeparsym",
       "default reduce 285 pop 2"},
      {"JavaState227Statement",
       "LabeledStatement -> Identifiersym colonsym . Statement ; "
       "LabeledStatementNoShortIf -> Identifiersym colonsym . StatementNoShortIf",
       "error Statement expected "},
      {"JavaState246Statement",
       "IfThenStatement -> " + IfHead + " . Statement ; IfThenElseStatement -> " + IfHead +
           " . StatementNoShortIf USERelsesym Statement ; IfThenElseStatementNoShortIf -> " + IfHead +
           " . StatementNoShortIf USERelsesym StatementNoShortIf",
       "error Statement expected "},
      {"JavaState247Statement",
       "WhileStatement -> USERwhilesym openparsym Expression closeparsym . Statement ; "
       "WhileStatementNoShortIf -> USERwhilesym openparsym Expression closeparsym . StatementNoShortIf",
       "error Statement expected "},
      {"JavaState251Statement",
       "IfThenElseStatement -> " + IfHead + " StatementNoShortIf USERelsesym . Statement ; " +
           "IfThenElseStatementNoShortIf -> " + IfHead + " StatementNoShortIf USERelsesym . StatementNoShortIf",
       "error Statement expected "},
      {"JavaState253Statement",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym _OPTExpression semicolonsym _OPTForUpdate "
       "closeparsym . Statement ; ForStatementNoShortIf -> ... closeparsym . StatementNoShortIf",
       "error Statement expected "},
      {"JavaState249Statement",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym _OPTExpression semicolonsym _OPTForUpdate "
       "closeparsym . Statement",
       "error Statement expected "},
      {"JavaState228AfterOpenpar",
       "ForStatement -> forsym openparsym . _OPTForInit semicolonsym _OPTExpression semicolonsym _OPTForUpdate "
       "closeparsym Statement ; ForStatementNoShortIf -> forsym openparsym . _OPTForInit ... closeparsym "
       "StatementNoShortIf",
       "default empty 496"},
      {"JavaState232AfterSemicolon",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym _OPTExpression semicolonsym . _OPTForUpdate "
       "closeparsym Statement",
       "default empty 492"},
      {"JavaState252AfterSemicolon",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym _OPTExpression semicolonsym . _OPTForUpdate "
       "closeparsym Statement ; ForStatementNoShortIf -> ... semicolonsym . _OPTForUpdate closeparsym StatementNoShortIf",
       "default empty 492"},
      {"JavaState229Goto129",
       "_MORESwitchBlockStatementGroup -> SwitchBlockStatementGroup . ; "
       "_MORESwitchBlockStatementGroup -> SwitchBlockStatementGroup . _MORESwitchBlockStatementGroup",
       "default reduce 467 pop 0"},
      {"JavaState230Goto130", "SwitchBlockStatementGroup -> SwitchLabel . _OPT_MOREBlockStatement",
       "default empty 436"},
      {"JavaState231ConstantExpression", "SwitchLabel -> USERcasesym . ConstantExpression colonsym",
       "error ConstantExpression expected "},
      {"JavaState233AfterClosepar", "CatchClause -> catchsym openparsym FormalParameter closeparsym . Block",
       "fixed openchainsym"},
      {"JavaState245ExpectSuper",
       "QualifiedSuperInvocation -> Primary dotsym . supersym openparsym _OPTArgumentList closeparsym semicolonsym ; "
       "PrimaryFieldAccess -> Primary dotsym . Identifiersym ; "
       "PrimaryMethodInvocation -> Primary dotsym . Identifiersym openparsym _OPTArgumentList closeparsym ; "
       "PrimaryQualifiedInstanceCreation -> Primary dotsym . newsym ClassType openparsym _OPTArgumentList closeparsym "
       "_OPTClassBody",
       "error supersym  expected "},
  });
  CheckActions({
      {"JavaState040BlockStatements", "repair", "goto reduce 158 pop 1 run closechainsym"},
      {"JavaState040BlockStatements", "token closechainsym", "empty 436"},
      {"JavaState040BlockStatements", "token synchronizedsym", "call JavaState056AfterSynchronized"},
      {"JavaState040BlockStatements", "token finalsym", "call JavaState050AfterFinal"},
      {"JavaState040BlockStatements", "token publicsym", "shift reduce 83 pop 0"},
      {"JavaState040BlockStatements", "token nativesym", "shift reduce 89 pop 0"},
      {"JavaState040BlockStatements", "token classsym", "empty 422"},
      {"JavaState040BlockStatements", "token Identifiersym", "call JavaState059AfterIdentifier"},
      {"JavaState040BlockStatements", "goto PrimitiveType", "call JavaState051Goto21"},
      {"JavaState040BlockStatements", "goto Name", "call JavaState065Goto33"},
      {"JavaState040BlockStatements", "goto Type", "call JavaState049Goto20"},
      {"JavaState040BlockStatements", "goto Modifier", "call JavaState012Goto53"},
      {"JavaState040BlockStatements", "goto _OPT_MOREModifier", "call JavaState011ExpectClass"},
      {"JavaState040BlockStatements", "goto BlockStatement", "call JavaState048Goto105"},
      {"JavaState040BlockStatements", "goto _MOREBlockStatement", "goto reduce 435 pop 0"},
      {"JavaState040BlockStatements", "goto _OPT_MOREBlockStatement", "goto reduce 159 pop 0"},
      {"JavaState040BlockStatements", "goto BlockStatements", "goto reduce 158 pop 1 run closechainsym"},
      {"JavaState040BlockStatements", "goto ClassOrInterfaceDeclaration", "goto reduce 164 pop 0"},
      {"JavaState040BlockStatements", "goto LocalVariableDeclaration", "goto reduce 165 pop 0 run semicolonsym"},
      {"JavaState040BlockStatements", "goto FinalLocalVariableDeclaration", "goto reduce 166 pop 0 run semicolonsym"},
      {"JavaState040BlockStatements", "goto Statement", "goto reduce 162 pop 0"},
      {"JavaState040BlockStatements", "goto ReferenceType", "goto reduce 31 pop 0"},
      {"JavaState048Goto105", "goto _MOREBlockStatement", "goto reduce 464 pop 1"},
      {"JavaState049Goto20", "token Identifiersym", "shift reduce 112 pop 0"},
      {"JavaState049Goto20", "goto _MOREVariableDeclaratorINSERTcomma", "goto reduce 167 pop 1"},
      {"JavaState050AfterFinal", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState050AfterFinal", "goto Type", "call JavaState049Goto20"},
      {"JavaState050AfterFinal", "goto PrimitiveType", "call JavaState044Goto21"},
      {"JavaState050AfterFinal", "goto Name", "call JavaState045Goto33"},
      {"JavaState050AfterFinal", "goto LocalVariableDeclaration", "goto reduce 168 pop 1"},
      {"JavaState051Goto21", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState051Goto21", "token dotsym", "shift reduce 265 pop 1 run classsym"},
      {"JavaState051Goto21", "goto _MOREopenbrksymclosebrksym", "call JavaState085"},
      {"JavaState052Statement", "repair", "call JavaState177Expression run USERwhilesym run openparsym"},
      {"JavaState052Statement", "goto Statement", "call JavaState177Expression run USERwhilesym run openparsym"},
      {"JavaState053AfterBreak", "token Identifiersym", "shift reduce 230 pop 0"},
      {"JavaState053AfterBreak", "token semicolonsym", "empty 498"},
      {"JavaState053AfterBreak", "goto LabelIdentifier", "goto reduce 497 pop 0"},
      {"JavaState053AfterBreak", "goto _OPTLabelIdentifier", "goto reduce 229 pop 1 run semicolonsym"},
      {"JavaState054AfterContinue", "goto _OPTLabelIdentifier", "goto reduce 231 pop 1 run semicolonsym"},
      {"JavaState107Statement", "repair", "goto reduce 199 pop 2"},
      {"JavaState107Statement", "token synchronizedsym", "call JavaState105Expression run openparsym"},
      {"JavaState107Statement", "token USERswitchsym", "call JavaState086Expression run openparsym"},
      {"JavaState107Statement", "token USERwhilesym", "call JavaState084Expression run openparsym"},
      {"JavaState107Statement", "token USERifsym", "call JavaState083Expression run openparsym"},
      {"JavaState107Statement", "token forsym", "call JavaState108AfterOpenpar run openparsym"},
      {"JavaState107Statement", "token continuesym", "call JavaState054AfterContinue"},
      {"JavaState107Statement", "token USERbreaksym", "call JavaState053AfterBreak"},
      {"JavaState107Statement", "token USERreturnsym", "call JavaState055AfterReturn"},
      {"JavaState107Statement", "token throwsym", "call JavaState057Expression"},
      {"JavaState107Statement", "token assertsym", "call JavaState058Expression"},
      {"JavaState107Statement", "token trysym", "call JavaState064AfterTry"},
      {"JavaState107Statement", "token USERdosym", "call JavaState052Statement"},
      {"JavaState107Statement", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState107Statement", "token supersym", "call JavaState164AfterIdentifier run dotsym run Identifiersym"},
      {"JavaState107Statement", "token voidsym", "shift reduce 255 pop 0 run dotsym run classsym"},
      {"JavaState107Statement", "token thissym", "call JavaState073AfterThis"},
      {"JavaState107Statement", "token newsym", "call JavaState074ClassType"},
      {"JavaState107Statement", "token plusplussym", "call JavaState067UnaryExpression"},
      {"JavaState107Statement", "token minusminussym", "call JavaState068UnaryExpression"},
      {"JavaState107Statement", "token openparsym", "call JavaState076Expression"},
      {"JavaState107Statement", "token Identifiersym", "call JavaState059AfterIdentifier"},
      {"JavaState107Statement", "token semicolonsym", "shift reduce 196 pop 0"},
      {"JavaState107Statement", "token falsesym", "shift reduce 26 pop 0"},
      {"JavaState107Statement", "goto PrimitiveType", "call JavaState088MoreBrackets"},
      {"JavaState107Statement", "goto Name", "call JavaState087Goto33"},
      {"JavaState107Statement", "goto Primary", "call JavaState072Reduce190"},
      {"JavaState107Statement", "goto PrimaryNoNewArray", "call JavaState075Reduce153"},
      {"JavaState107Statement", "goto ClassInstanceCreationExpression", "call JavaState063Goto165"},
      {"JavaState107Statement", "goto FieldAccess", "call JavaState070Goto175"},
      {"JavaState107Statement", "goto MethodInvocation", "call JavaState062Goto180"},
      {"JavaState107Statement", "goto ArrayAccess", "call JavaState071Goto186"},
      {"JavaState107Statement", "goto PostfixExpression", "call JavaState069ExpectPlusplus"},
      {"JavaState107Statement", "goto PostIncrementExpression", "call JavaState060Goto194"},
      {"JavaState107Statement", "goto PostDecrementExpression", "call JavaState061Goto195"},
      {"JavaState107Statement", "goto LeftHandSide", "call JavaState066AssignmentOperator"},
      {"JavaState107Statement", "goto StatementExpression", "goto reduce 201 pop 0 run semicolonsym"},
      {"JavaState107Statement", "goto StatementWithoutTrailingSubstatement", "goto reduce 169 pop 0"},
      {"JavaState107Statement", "goto LabeledStatement", "goto reduce 180 pop 0"},
      {"JavaState107Statement", "goto ForStatement", "goto reduce 220 pop 0"},
      {"JavaState107Statement", "goto TryFinallyStatement", "goto reduce 236 pop 0"},
      {"JavaState107Statement", "goto Assignment", "goto reduce 202 pop 0"},
      {"JavaState107Statement", "goto Statement", "goto reduce 199 pop 2"},
      {"JavaState174Statement", "repair", "goto reduce 209 pop 4"},
      {"JavaState174Statement", "token USERifsym", "call JavaState225Expression run openparsym"},
      {"JavaState174Statement", "token USERwhilesym", "call JavaState226Expression run openparsym"},
      {"JavaState174Statement", "token forsym", "call JavaState228AfterOpenpar run openparsym"},
      {"JavaState174Statement", "token Identifiersym", "call JavaState211AfterIdentifier"},
      {"JavaState174Statement", "goto StatementWithoutTrailingSubstatement", "call JavaState210Goto116"},
      {"JavaState174Statement", "goto StatementNoShortIf", "call JavaState224Statement run USERelsesym"},
      {"JavaState174Statement", "goto Statement", "goto reduce 209 pop 4"},
      {"JavaState174Statement", "goto StatementWithoutTrailingSubstatement1", "goto reduce 175 pop 0"},
      {"JavaState174Statement", "goto LabeledStatementNoShortIf", "goto reduce 181 pop 0"},
      {"JavaState174Statement", "goto ForStatementNoShortIf", "goto reduce 222 pop 0"},
      {"JavaState175Statement", "repair", "goto reduce 217 pop 4"},
      {"JavaState224Statement", "repair", "goto reduce 210 pop 6"},
      {"JavaState108AfterOpenpar", "token finalsym", "call JavaState153LocalVariableDeclaration"},
      {"JavaState108AfterOpenpar", "token semicolonsym", "empty 496"},
      {"JavaState108AfterOpenpar", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState108AfterOpenpar", "goto Type", "call JavaState049Goto20"},
      {"JavaState108AfterOpenpar", "goto PrimitiveType", "call JavaState051Goto21"},
      {"JavaState108AfterOpenpar", "goto Name", "call JavaState065Goto33"},
      {"JavaState108AfterOpenpar", "goto StatementExpression", "call JavaState154Reduce264"},
      {"JavaState108AfterOpenpar", "goto _MOREStatementExpressionINSERTcomma", "goto reduce 228 pop 0"},
      {"JavaState108AfterOpenpar", "goto StatementExpressionList", "goto reduce 224 pop 0"},
      {"JavaState108AfterOpenpar", "goto LocalVariableDeclaration", "goto reduce 225 pop 0"},
      {"JavaState108AfterOpenpar", "goto FinalLocalVariableDeclaration", "goto reduce 226 pop 0"},
      {"JavaState108AfterOpenpar", "goto ForInit", "goto reduce 495 pop 0"},
      {"JavaState108AfterOpenpar", "goto _OPTForInit", "call JavaState199AfterSemicolon run semicolonsym"},
      {"JavaState153LocalVariableDeclaration", "repair", "goto reduce 168 pop 1"},
      {"JavaState153LocalVariableDeclaration", "goto Type", "call JavaState049Goto20"},
      {"JavaState153LocalVariableDeclaration", "goto PrimitiveType", "call JavaState044Goto21"},
      {"JavaState153LocalVariableDeclaration", "goto Name", "call JavaState045Goto33"},
      {"JavaState154Reduce264", "token commasym", "call JavaState200MoreStatementExpression"},
      {"JavaState200MoreStatementExpression", "repair", "goto reduce 442 pop 2"},
      {"JavaState200MoreStatementExpression", "goto StatementExpression", "call JavaState154Reduce264"},
      {"JavaState200MoreStatementExpression", "goto PrimitiveType", "call JavaState088MoreBrackets"},
      {"JavaState200MoreStatementExpression", "goto Name", "call JavaState087Goto33"},
      {"JavaState109Catches", "repair", "call JavaState155Goto150"},
      {"JavaState109Catches", "token finallysym", "empty 500"},
      {"JavaState109Catches", "token catchsym", "call JavaState202FormalParameter run openparsym"},
      {"JavaState109Catches", "goto CatchClause", "call JavaState157Reduce265"},
      {"JavaState109Catches", "goto Catches", "call JavaState155Goto150"},
      {"JavaState109Catches", "goto _OPTCatches", "call JavaState156Reduce149"},
      {"JavaState109Catches", "goto _MORECatchClause", "goto reduce 239 pop 0"},
      {"JavaState155Goto150", "token finallysym", "reduce 499 pop 0"},
      {"JavaState157Reduce265", "token catchsym", "call JavaState202FormalParameter run openparsym"},
      {"JavaState157Reduce265", "goto CatchClause", "call JavaState157Reduce265"},
      {"JavaState157Reduce265", "goto _MORECatchClause", "goto reduce 444 pop 1"},
      {"JavaState156Reduce149", "token finallysym", "call JavaState201AfterFinally"},
      {"JavaState156Reduce149", "goto Finally", "goto reduce 238 pop 3"},
      {"JavaState201AfterFinally", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState201AfterFinally", "goto Block", "goto reduce 241 pop 1"},
      {"JavaState202FormalParameter", "repair", "call JavaState233AfterClosepar run closeparsym"},
      {"JavaState202FormalParameter", "token finalsym", "shift reduce 477 pop 0"},
      {"JavaState202FormalParameter", "token charsym", "empty 478"},
      {"JavaState202FormalParameter", "goto _OPTfinalsym", "call JavaState078Type"},
      {"JavaState202FormalParameter", "goto FormalParameter", "call JavaState233AfterClosepar run closeparsym"},
      {"JavaState223ExplicitConstructorInvocation", "repair", "call JavaState236"},
      {"JavaState223ExplicitConstructorInvocation", "token supersym", "call JavaState238ExpectOpenpar"},
      {"JavaState223ExplicitConstructorInvocation", "token thissym", "call JavaState237AfterThis"},
      {"JavaState223ExplicitConstructorInvocation", "token closechainsym", "empty 436"},
      {"JavaState223ExplicitConstructorInvocation", "goto Primary", "call JavaState239AfterSemicolon"},
      {"JavaState223ExplicitConstructorInvocation", "goto ExplicitConstructorInvocation", "call JavaState236"},
      {"JavaState223ExplicitConstructorInvocation", "goto ThisInvocation", "goto reduce 137 pop 0"},
      {"JavaState223ExplicitConstructorInvocation", "goto SuperInvocation", "goto reduce 138 pop 0"},
      {"JavaState223ExplicitConstructorInvocation", "goto QualifiedSuperInvocation", "goto reduce 139 pop 0"},
      {"JavaState223ExplicitConstructorInvocation", "goto _OPT_MOREBlockStatement",
       "goto reduce 136 pop 1 run closechainsym"},
      {"JavaState236", "goto _OPT_MOREBlockStatement", "goto reduce 135 pop 2 run closechainsym"},
      {"JavaState236", "goto BlockStatement", "call JavaState048Goto105"},
      {"JavaState237AfterThis", "token openparsym", "call JavaState243AfterOpenpar"},
      {"JavaState237AfterThis", "token openbrksym", "call JavaState118Expression"},
      {"JavaState237AfterThis", "token dotsym", "call JavaState117ExpectIdentifier"},
      {"JavaState238ExpectOpenpar", "repair", "call JavaState244AfterOpenpar"},
      {"JavaState238ExpectOpenpar", "token openparsym", "call JavaState244AfterOpenpar"},
      {"JavaState238ExpectOpenpar", "token dotsym", "call JavaState164AfterIdentifier run Identifiersym"},
      {"JavaState239AfterSemicolon", "token dotsym", "call JavaState245ExpectSuper"},
      {"JavaState106Goto247", "token colonsym", "call JavaState152Expression"},
      {"JavaState106Goto247", "goto _OPTcolonsymExpression", "goto reduce 195 pop 2 run semicolonsym"},
      {"JavaState176Reduce127", "token openchainsym", "call JavaState212AfterOpenchain"},
      {"JavaState176Reduce127", "goto SwitchBlock", "goto reduce 212 pop 4"},
      // "returns with PopCount 1": the stored 2 less the common exit's one.
      {"JavaState110", "token dotsym", "shift reduce 264 pop 2 run classsym"},
      {"JavaState158Reduce266", "token commasym", "call JavaState203MoreExpression"},
      {"JavaState159AfterNew", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState159AfterNew", "goto Name", "call JavaState027Goto33"},
      {"JavaState159AfterNew", "goto ClassType", "call JavaState217AfterOpenpar run openparsym"},
      {"JavaState161AfterNew", "goto ClassType", "call JavaState218AfterOpenpar run openparsym"},
      {"JavaState163AfterNew", "goto ClassType", "call JavaState219AfterOpenpar run openparsym"},
      {"JavaState160AfterIdentifier", "token openparsym", "call JavaState204AfterOpenpar"},
      {"JavaState162Reduce177", "token openparsym", "call JavaState205AfterOpenpar"},
      {"JavaState227Statement", "repair", "goto reduce 199 pop 2"},
      {"JavaState227Statement", "goto Statement", "goto reduce 199 pop 2"},
      {"JavaState227Statement", "goto StatementNoShortIf", "goto reduce 200 pop 2"},
      {"JavaState246Statement", "repair", "goto reduce 209 pop 4"},
      {"JavaState246Statement", "goto Statement", "goto reduce 209 pop 4"},
      {"JavaState246Statement", "goto StatementNoShortIf", "call JavaState251Statement run USERelsesym"},
      {"JavaState247Statement", "goto Statement", "goto reduce 217 pop 4"},
      {"JavaState247Statement", "goto StatementNoShortIf", "goto reduce 218 pop 4"},
      {"JavaState251Statement", "repair", "goto reduce 210 pop 6"},
      {"JavaState251Statement", "goto StatementNoShortIf", "goto reduce 211 pop 6"},
      {"JavaState253Statement", "repair", "goto reduce 221 pop 8"},
      {"JavaState253Statement", "goto StatementNoShortIf", "goto reduce 223 pop 8"},
      {"JavaState249Statement", "repair", "goto reduce 221 pop 8"},
      {"JavaState249Statement", "token USERifsym", "call JavaState083Expression run openparsym"},
      {"JavaState249Statement", "goto StatementWithoutTrailingSubstatement", "goto reduce 169 pop 0"},
      {"JavaState228AfterOpenpar", "goto _OPTForInit", "call JavaState248AfterSemicolon run semicolonsym"},
      {"JavaState232AfterSemicolon", "token closeparsym", "empty 492"},
      {"JavaState232AfterSemicolon", "goto _OPTForUpdate", "call JavaState249Statement run closeparsym"},
      {"JavaState232AfterSemicolon", "goto StatementExpressionList", "goto reduce 227 pop 0"},
      {"JavaState232AfterSemicolon", "goto ForUpdate", "goto reduce 491 pop 0"},
      {"JavaState232AfterSemicolon", "goto StatementExpression", "call JavaState154Reduce264"},
      {"JavaState252AfterSemicolon", "goto _OPTForUpdate", "call JavaState253Statement run closeparsym"},
      {"JavaState230Goto130", "token defaultsym", "empty 436"},
      {"JavaState230Goto130", "token USERcasesym", "empty 436"},
      {"JavaState230Goto130", "token closechainsym", "empty 436"},
      {"JavaState230Goto130", "goto _OPT_MOREBlockStatement", "goto reduce 214 pop 1"},
      {"JavaState231ConstantExpression", "repair", "goto reduce 215 pop 1 run colonsym"},
      {"JavaState231ConstantExpression", "goto ConstantExpression", "goto reduce 215 pop 1 run colonsym"},
      {"JavaState231ConstantExpression", "goto Expression", "goto reduce 410 pop 0"},
      {"JavaState231ConstantExpression", "goto ConditionalOrExpression", "call JavaState089Reduce240"},
      {"JavaState233AfterClosepar", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState233AfterClosepar", "goto Block", "goto reduce 240 pop 4"},
      {"JavaState245ExpectSuper", "repair", "call JavaState250AfterOpenpar run openparsym"},
      {"JavaState245ExpectSuper", "token supersym", "call JavaState250AfterOpenpar run openparsym"},
      {"JavaState245ExpectSuper", "token Identifiersym", "call JavaState160AfterIdentifier"},
      {"JavaState245ExpectSuper", "token newsym", "call JavaState161AfterNew"},
  });
  CheckOwnSets({
      {"JavaState040BlockStatements", BlockStatementStart + " closechainsym"},
      {"JavaState048Goto105", BlockStatementStart + " closechainsym USERcasesym defaultsym"},
      {"JavaState050AfterFinal", PrimitiveTypes + " Identifiersym " + Modifiers + " classsym interfacesym"},
      {"JavaState052Statement", StatementStart},
      {"JavaState107Statement", StatementStart},
      {"JavaState174Statement", StatementStart},
      {"JavaState175Statement", StatementStart},
      {"JavaState224Statement", StatementStart},
      {"JavaState227Statement", StatementStart},
      {"JavaState246Statement", StatementStart},
      {"JavaState247Statement", StatementStart},
      {"JavaState249Statement", StatementStart},
      {"JavaState251Statement", StatementStart},
      {"JavaState253Statement", StatementStart},
      {"JavaState108AfterOpenpar",
       "finalsym semicolonsym supersym voidsym thissym newsym plusplussym minusminussym openparsym Identifiersym " +
           PrimitiveTypes +
           " truesym falsesym IntegerLiteralsym DoubleLiteralsym FloatLiteralsym CharacterLiteralsym StringLiteralsym "
           "NullLiteralsym"},
      {"JavaState200MoreStatementExpression",
       "supersym voidsym thissym newsym plusplussym minusminussym openparsym Identifiersym " + PrimitiveTypes +
           " truesym falsesym IntegerLiteralsym DoubleLiteralsym FloatLiteralsym CharacterLiteralsym StringLiteralsym "
           "NullLiteralsym"},
      {"JavaState232AfterSemicolon",
       "closeparsym supersym voidsym thissym newsym plusplussym minusminussym openparsym Identifiersym " +
           PrimitiveTypes +
           " truesym falsesym IntegerLiteralsym DoubleLiteralsym FloatLiteralsym CharacterLiteralsym StringLiteralsym "
           "NullLiteralsym"},
      {"JavaState153LocalVariableDeclaration", PrimitiveTypes + " Identifiersym"},
      {"JavaState154Reduce264", "closeparsym commasym semicolonsym"},
      {"JavaState109Catches", "finallysym catchsym"},
      {"JavaState155Goto150", "finallysym " + BlockStatementStart + " closechainsym USERelsesym USERcasesym defaultsym"},
      {"JavaState157Reduce265",
       "catchsym finallysym " + BlockStatementStart + " closechainsym USERelsesym USERcasesym defaultsym"},
      {"JavaState202FormalParameter", "finalsym " + PrimitiveTypes + " Identifiersym"},
      {"JavaState223ExplicitConstructorInvocation", BlockStatementStart + " closechainsym"},
      {"JavaState236", BlockStatementStart + " closechainsym"},
      {"JavaState237AfterThis", "minusminussym plusplussym openparsym openbrksym dotsym"},
      {"JavaState238ExpectOpenpar", "openparsym dotsym"},
      {"JavaState239AfterSemicolon", "minusminussym plusplussym dotsym"},
      {"JavaState106Goto247", "colonsym semicolonsym"},
      {"JavaState110", "dotsym Identifiersym"},
      {"JavaState158Reduce266", "closeparsym commasym"},
      {"JavaState229Goto129", "defaultsym USERcasesym closechainsym"},
      {"JavaState245ExpectSuper", "supersym newsym Identifiersym"},
  });
}

// Error recovery's re-entry table: the 39 tokens that open a construct of their
// own, and what the skipping loop runs for each.
TEST(JavaAutomaton, ReentryTable) {
  const std::vector<std::pair<int, std::string>> rows = {
      {3, "call JavaState026AfterImplements"},
      {4, "call JavaState141ReferenceType"},
      {7, "expect Identifiersym call JavaState019AfterIdentifier"},
      {11, "call JavaState054AfterContinue"},
      {14, "expect colonsym reduce 130 216"},
      {16, "call JavaState201AfterFinally"},
      {17, "call JavaState004AfterPackage"},
      {18, "expect openparsym call JavaState086Expression"},
      {20, "call JavaState007AfterImport"},
      {21, "call JavaState055AfterReturn"},
      {24, "call JavaState207AfterThrows"},
      {26, "call JavaState058Expression"},
      {27, "expect openparsym call JavaState202FormalParameter"},
      {29, "call JavaState053AfterBreak"},
      {33, "call JavaState057Expression"},
      {45, "call JavaState231ConstantExpression"},
      {47, "call JavaState003ZEBConfiguration"},
      {49, "call JavaState146AdditiveExpression"},
      {53, "call JavaState064AfterTry"},
      {54, "call JavaState140ShiftExpression"},
      {55, "call JavaState135RelationalExpression"},
      {56, "call JavaState139ShiftExpression"},
      {57, "call JavaState136RelationalExpression"},
      {58, "call JavaState145AdditiveExpression"},
      {59, "call JavaState131InclusiveOrExpression"},
      {60, "call JavaState144AdditiveExpression"},
      {61, "call JavaState130ConditionalAndExpression"},
      {66, "expect Identifiersym expect openchainsym call JavaState017ZEBAttributeValue"},
      {70, "call JavaState052Statement"},
      {82, "call JavaState103UnaryExpression"},
      {84, "call JavaState104UnaryExpression"},
      {86, "call JavaState150UnaryExpression"},
      {88, "call JavaState151UnaryExpression"},
      {90, "call JavaState137ShiftExpression"},
      {92, "call JavaState138ShiftExpression"},
      {93, "call JavaState129Expression"},
      {94, "call JavaState134EqualityExpression"},
      {96, "call JavaState133AndExpression"},
      {97, "call JavaState132ExclusiveOrExpression"},
  };
  ASSERT_EQ(A.ReentryCount, int(rows.size()));
  for (int i = 0; i < A.ReentryCount; ++i) {
    const LrReentry& r = A.Reentries[i];
    std::string text;
    for (int k = 0; k < r.RunLength; ++k) text += std::string("expect ") + A.TokenNames[A.RunTokens[r.Run + k]] + " ";
    if (r.Target >= 0) text += std::string("call ") + A.States[r.Target].Name;
    else text += "reduce " + std::to_string(r.Lhs) + " " + std::to_string(r.Production);
    EXPECT_EQ(r.Token, rows[i].first);
    EXPECT_EQ(text, rows[i].second) << "token " << r.Token;
  }
}

// The fixed-token states of the declaration and statement tables: their only
// action is the shift of one token, made with ExpectToken.
TEST(JavaAutomaton, FixedTokenStates) {
  const std::set<std::string> fixed = {
      "JavaState004AfterPackage",       "JavaState007AfterImport",     "JavaState014AfterDot",
      "JavaState022AfterExtends",       "JavaState023Reduce91",        "JavaState024AfterExtends",
      "JavaState025Reduce54",           "JavaState026AfterImplements", "JavaState033Reduce96",
      "JavaState035AfterComma",         "JavaState039Reduce68",        "JavaState042Goto20",
      "JavaState043AfterVoid",          "JavaState049Goto20",          "JavaState125Goto20",
      "JavaState126AfterComma",         "JavaState156Reduce149",       "JavaState159AfterNew",
      "JavaState161AfterNew",           "JavaState163AfterNew",        "JavaState176Reduce127",
      "JavaState201AfterFinally",       "JavaState233AfterClosepar",
  };
  EXPECT_EQ(fixed.size(), 23u);
  // Every one of them is a fixed-token state; the other fixed-token states of the
  // automaton belong to the expression tables.
  for (const std::string& name : fixed) {
    int s = StateNamed(name);
    ASSERT_GE(s, 0) << name;
    EXPECT_TRUE(A.States[s].FixedToken) << name;
    EXPECT_EQ(A.States[s].TokenCount, 1) << name;
  }
}

std::string TransitionSetOf(const char* state, const char* key) {
  int s = StateNamed(state);
  std::string k = key;
  const LrAction* act = k.rfind("token ", 0) == 0 ? TokenAction(s, TokenNamed(k.substr(6)))
                                                  : GotoAction(s, NonterminalNamed(k.substr(5)));
  return act == nullptr || act->TransitionSet < 0 ? "-" : SetNames(act->TransitionSet);
}

// Sets passed to successors where the tables state them.
TEST(JavaAutomaton, TransitionSets) {
  const std::set<std::string> statementStart = Words(StatementStart);
  // The goal state: after hashhashhashsym the unit starts and hashhashhashsym; the
  // goto on ZEB_Section the unit starts; the goto on _OPT_MOREZEB_Section nothing.
  EXPECT_EQ(Words(TransitionSetOf("JavaState000Goal", "token hashhashhashsym")),
            Words(UnitStart + " packagesym USERimportsym hashhashhashsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState000Goal", "goto ZEB_Section")),
            Words(UnitStart + " packagesym USERimportsym"));
  EXPECT_EQ(TransitionSetOf("JavaState000Goal", "goto _OPT_MOREZEB_Section"), "");
  // The goto on Modifier after a type declaration.
  EXPECT_EQ(Words(TransitionSetOf("JavaState010Goto51", "goto Modifier")),
            Words(UnitStart + " Identifiersym extendssym implementssym openchainsym"));
  // Try: catch passes finallysym and catchsym, the goto on CatchClause finallysym.
  EXPECT_EQ(Words(TransitionSetOf("JavaState109Catches", "token catchsym")), Words("finallysym catchsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState109Catches", "goto CatchClause")), Words("finallysym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState157Reduce265", "token catchsym")), Words("catchsym"));
  EXPECT_EQ(TransitionSetOf("JavaState157Reduce265", "goto CatchClause"), "");
  EXPECT_EQ(Words(TransitionSetOf("JavaState202FormalParameter", "goto _OPTfinalsym")),
            Words("closeparsym openchainsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState106Goto247", "token colonsym")), Words("semicolonsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState236", "goto BlockStatement")), Words("closechainsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState231ConstantExpression", "goto ConditionalOrExpression")),
            Words("colonsym"));
  EXPECT_EQ(Words(TransitionSetOf("JavaState231ConstantExpression", "goto LeftHandSide")), Words("colonsym"));
  // The then-branch states 174 and 246 pass the statement starts and
  // USERelsesym on their other transitions, beyond what the other states pass.
  for (const char* key : {"token thissym", "token semicolonsym", "token supersym", "goto Name", "goto Primary",
                          "goto LeftHandSide", "goto StatementExpression", "goto PostfixExpression"}) {
    for (const char* state : {"JavaState174Statement", "JavaState246Statement"}) {
      std::set<std::string> then = Words(TransitionSetOf(state, key));
      std::set<std::string> plain = Words(TransitionSetOf("JavaState247Statement", key));
      std::set<std::string> expected = plain;
      expected.insert(statementStart.begin(), statementStart.end());
      expected.insert("USERelsesym");
      EXPECT_EQ(then, expected) << state << " " << key;
    }
  }
  // ... but not on the openparsym runs of if, while and for, nor on the goto on
  // StatementWithoutTrailingSubstatement.
  for (const char* key : {"token USERifsym", "token USERwhilesym", "token forsym",
                          "goto StatementWithoutTrailingSubstatement", "goto StatementNoShortIf"}) {
    EXPECT_EQ(TransitionSetOf("JavaState174Statement", key), "") << key;
    EXPECT_EQ(TransitionSetOf("JavaState246Statement", key), "") << key;
  }
}

// Expression states: the symbols that the tables say stand before the state
// (its accessing symbol, or the run of symbols read since the construct began).
TEST(JavaAutomaton, ExpressionStatesFollowTheirSymbols) {
  const std::vector<std::pair<const char*, const char*>> rows = {
      {"JavaState089Reduce240", "ConditionalOrExpression"},
      {"JavaState090Reduce238", "ConditionalAndExpression"},
      {"JavaState091Reduce236", "InclusiveOrExpression"},
      {"JavaState092Reduce234", "ExclusiveOrExpression"},
      {"JavaState093Reduce232", "AndExpression"},
      {"JavaState094Reduce230", "EqualityExpression"},
      {"JavaState095Reduce227", "RelationalExpression"},
      {"JavaState097Reduce221", "ShiftExpression"},
      {"JavaState098Reduce217", "AdditiveExpression"},
      {"JavaState099Reduce214", "MultiplicativeExpression"},
      {"JavaState130ConditionalAndExpression", "verticalbarverticalbarsym"},
      {"JavaState131InclusiveOrExpression", "ampersandampersandsym"},
      {"JavaState132ExclusiveOrExpression", "verticalbarsym"},
      {"JavaState133AndExpression", "hatsym"},
      {"JavaState134EqualityExpression", "ampersandsym"},
      {"JavaState135RelationalExpression", "equalsequalssym"},
      {"JavaState136RelationalExpression", "exclaimequalssym"},
      {"JavaState137ShiftExpression", "lessthansym"},
      {"JavaState138ShiftExpression", "greaterthansym"},
      {"JavaState139ShiftExpression", "lessthanequalssym"},
      {"JavaState140ShiftExpression", "greaterthanequalssym"},
      {"JavaState141ReferenceType", "instanceofsym"},
      {"JavaState144AdditiveExpression", "lessthanlessthansym"},
      {"JavaState145AdditiveExpression", "greaterthangreaterthansym"},
      {"JavaState146AdditiveExpression", "greaterthangreaterthangreaterthansym"},
      {"JavaState147MultiplicativeExpression", "plussym"},
      {"JavaState148MultiplicativeExpression", "minussym"},
      {"JavaState149UnaryExpression", "starsym"},
      {"JavaState150UnaryExpression", "slashsym"},
      {"JavaState151UnaryExpression", "percentsym"},
      {"JavaState067UnaryExpression", "plusplussym"},
      {"JavaState068UnaryExpression", "minusminussym"},
      {"JavaState100UnaryExpression", "plussym"},
      {"JavaState101UnaryExpression", "minussym"},
      {"JavaState103UnaryExpression", "tildasym"},
      {"JavaState104UnaryExpression", "exclaimsym"},
      {"JavaState057Expression", "throwsym"},
      {"JavaState055AfterReturn", "USERreturnsym"},
      {"JavaState058Expression", "assertsym"},
      {"JavaState152Expression", "colonsym"},
      {"JavaState129Expression", "questionmarksym"},
      {"JavaState076Expression", "openparsym"},
      {"JavaState096Expression", "openparsym"},
      {"JavaState083Expression", "USERifsym openparsym"},
      {"JavaState225Expression", "USERifsym openparsym"},
      {"JavaState084Expression", "USERwhilesym openparsym"},
      {"JavaState226Expression", "USERwhilesym openparsym"},
      {"JavaState086Expression", "USERswitchsym openparsym"},
      {"JavaState105Expression", "synchronizedsym openparsym"},
      {"JavaState177Expression", "USERdosym Statement USERwhilesym openparsym"},
      {"JavaState113Expression", "Name openbrksym"},
      {"JavaState118Expression", "thissym openbrksym"},
      {"JavaState122Expression", "PrimaryNoNewArray openbrksym"},
      {"JavaState168AfterOpenbrk", "openbrksym"},
      {"JavaState119Goto21", "newsym PrimitiveType"},
      {"JavaState120Goto26", "newsym ClassOrInterfaceType"},
      {"JavaState121Reduce35", "Name"},  // after newsym: the items begin with the name
      {"JavaState088MoreBrackets", "PrimitiveType"},
      {"JavaState142Goto21", "openparsym PrimitiveType"},
      {"JavaState191Goto251", "PrimitiveType _MOREopenbrksymclosebrksym"},  // after openparsym
      {"JavaState192ExpectClosepar", "openparsym Name _MOREopenbrksymclosebrksym"},
      {"JavaState111AfterOpenpar", "Name openparsym"},
      {"JavaState204AfterOpenpar", "Primary dotsym Identifiersym openparsym"},
      {"JavaState205AfterOpenpar", "thissym dotsym Identifiersym openparsym"},
      {"JavaState206AfterOpenpar", "supersym dotsym Identifiersym openparsym"},
      {"JavaState165AfterOpenpar", "newsym ClassType openparsym"},
      {"JavaState217AfterOpenpar", "Name dotsym newsym ClassType openparsym"},
      {"JavaState218AfterOpenpar", "Primary dotsym newsym ClassType openparsym"},
      {"JavaState219AfterOpenpar", "thissym dotsym newsym ClassType openparsym"},
      {"JavaState234AfterOpenpar", "Name dotsym supersym dotsym Identifiersym openparsym"},
      {"JavaState243AfterOpenpar", "thissym openparsym"},
      {"JavaState244AfterOpenpar", "supersym openparsym"},
      {"JavaState250AfterOpenpar", "Primary dotsym supersym openparsym"},
      {"JavaState060Goto194", "PostIncrementExpression"},
      {"JavaState061Goto195", "PostDecrementExpression"},
      {"JavaState062Goto180", "MethodInvocation"},
      {"JavaState063Goto165", "ClassInstanceCreationExpression"},
      {"JavaState065Goto33", "Name"},
      {"JavaState087Goto33", "Name"},
      {"JavaState115Goto33", "Name"},
      {"JavaState143Goto33", "Name"},
      {"JavaState070Goto175", "FieldAccess"},
      {"JavaState071Goto186", "ArrayAccess"},
      {"JavaState072Reduce190", "Primary"},
      {"JavaState075Reduce153", "PrimaryNoNewArray"},
      {"JavaState073AfterThis", "thissym"},
      {"JavaState112ExpectSuper", "Name dotsym"},
      {"JavaState116ExpectIdentifier", "Primary dotsym"},
      {"JavaState117ExpectIdentifier", "thissym dotsym"},
      {"JavaState164AfterIdentifier", "supersym dotsym Identifiersym"},
      {"JavaState210Goto116", "StatementWithoutTrailingSubstatement"},
      {"JavaState214UnaryExpression", "openparsym PrimitiveType _OPT_MOREopenbrksymclosebrksym closeparsym"},
      {"JavaState178Reduce239", "ConditionalOrExpression verticalbarverticalbarsym ConditionalAndExpression"},
      {"JavaState179Reduce237", "ConditionalAndExpression ampersandampersandsym InclusiveOrExpression"},
      {"JavaState180Reduce235", "InclusiveOrExpression verticalbarsym ExclusiveOrExpression"},
      {"JavaState181Reduce233", "ExclusiveOrExpression hatsym AndExpression"},
      {"JavaState182Reduce231", "AndExpression ampersandsym EqualityExpression"},
      {"JavaState183Reduce228", "EqualityExpression equalsequalssym RelationalExpression"},
      {"JavaState184Reduce229", "EqualityExpression exclaimequalssym RelationalExpression"},
      {"JavaState185Reduce222", "RelationalExpression lessthansym ShiftExpression"},
      {"JavaState186Reduce223", "RelationalExpression greaterthansym ShiftExpression"},
      {"JavaState187Reduce224", "RelationalExpression lessthanequalssym ShiftExpression"},
      {"JavaState188Reduce225", "RelationalExpression greaterthanequalssym ShiftExpression"},
      {"JavaState193Reduce218", "ShiftExpression lessthanlessthansym AdditiveExpression"},
      {"JavaState194Reduce219", "ShiftExpression greaterthangreaterthansym AdditiveExpression"},
      {"JavaState195Reduce220", "ShiftExpression greaterthangreaterthangreaterthansym AdditiveExpression"},
      {"JavaState196Reduce215", "AdditiveExpression plussym MultiplicativeExpression"},
      {"JavaState197Reduce216", "AdditiveExpression minussym MultiplicativeExpression"},
  };
  for (const auto& [name, prefix] : rows) {
    SCOPED_TRACE(name);
    int s = StateNamed(name);
    ASSERT_GE(s, 0);
    EXPECT_EQ(s, std::stoi(std::string(name).substr(9, 3)));
    std::vector<std::string> want = WordList(prefix);
    const LrState& st = A.States[s];
    // Every item has the accessing symbol in front of its dot, and some item the
    // whole run.
    int whole = 0;
    for (int k = 0; k < st.KernelCount; ++k) {
      const LrItem& item = A.Kernels[st.FirstKernel + k];
      const LrProduction& p = A.Productions[item.Production];
      std::vector<std::string> before;
      for (int i = 0; i < item.Dot; ++i) before.push_back(SymbolName(A.RhsSymbols[p.FirstSymbol + i]));
      ASSERT_FALSE(before.empty());
      EXPECT_EQ(before.back(), want.back());
      whole += before.size() >= want.size() && std::equal(want.begin(), want.end(), before.end() - want.size());
    }
    EXPECT_GE(whole, 1);
  }
}

// The precedence ladder: left-operand states, right-operand reduce states, the
// postfix state and the two tail states.
TEST(JavaAutomaton, PrecedenceLadderStates) {
  // Own sets: FOLLOW of the goto key, nesting by level.
  const std::vector<std::pair<const char*, std::string>> levels = {
      {"JavaState089Reduce240", "verticalbarverticalbarsym questionmarksym"},
      {"JavaState090Reduce238", "ampersandampersandsym"},
      {"JavaState091Reduce236", "verticalbarsym"},
      {"JavaState092Reduce234", "hatsym"},
      {"JavaState093Reduce232", "ampersandsym"},
      {"JavaState094Reduce230", "equalsequalssym exclaimequalssym"},
      {"JavaState095Reduce227", "lessthansym greaterthansym lessthanequalssym greaterthanequalssym instanceofsym"},
      {"JavaState097Reduce221", "lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym"},
      {"JavaState098Reduce217", "plussym minussym"},
      {"JavaState099Reduce214", "starsym slashsym percentsym"},
      {"JavaState102Reduce203", "plusplussym minusminussym"},
  };
  std::string follow = "closeparsym commasym colonsym semicolonsym closebrksym closechainsym";
  std::vector<OwnSetFact> own;
  for (const auto& [state, added] : levels) {
    follow += " " + added;
    own.push_back({state, follow});
  }
  CheckOwnSets(own);
  CheckStates({
      {"JavaState089Reduce240",
       "ConditionalExpression -> ConditionalOrExpression . ; "
       "LogicalOrExpression -> ConditionalOrExpression . verticalbarverticalbarsym ConditionalAndExpression ; "
       "TernaryExpression -> ConditionalOrExpression . questionmarksym ...",
       "default reduce 387 pop 0"},
      {"JavaState090Reduce238",
       "ConditionalOrExpression -> ConditionalAndExpression . ; "
       "LogicalAndExpression -> ConditionalAndExpression . ampersandampersandsym InclusiveOrExpression",
       "default reduce 384 pop 0"},
      {"JavaState091Reduce236",
       "ConditionalAndExpression -> InclusiveOrExpression . ; "
       "BitOrExpression -> InclusiveOrExpression . verticalbarsym ExclusiveOrExpression",
       "default reduce 381 pop 0"},
      {"JavaState092Reduce234",
       "InclusiveOrExpression -> ExclusiveOrExpression . ; BitXorExpression -> ExclusiveOrExpression . hatsym AndExpression",
       "default reduce 378 pop 0"},
      {"JavaState093Reduce232",
       "ExclusiveOrExpression -> AndExpression . ; BitAndExpression -> AndExpression . ampersandsym EqualityExpression",
       "default reduce 375 pop 0"},
      {"JavaState094Reduce230",
       "AndExpression -> EqualityExpression . ; EqualExpression -> EqualityExpression . equalsequalssym ... ; "
       "NotEqualExpression -> EqualityExpression . exclaimequalssym ...",
       "default reduce 372 pop 0"},
      {"JavaState095Reduce227",
       "EqualityExpression -> RelationalExpression . ; LessThanExpression -> RelationalExpression . lessthansym ... ; "
       "GreaterThanExpression -> RelationalExpression . greaterthansym ... ; "
       "LessEqualExpression -> RelationalExpression . lessthanequalssym ... ; "
       "GreaterEqualExpression -> RelationalExpression . greaterthanequalssym ... ; "
       "InstanceOfExpression -> RelationalExpression . instanceofsym ReferenceType",
       "default reduce 367 pop 0"},
      {"JavaState097Reduce221",
       "RelationalExpression -> ShiftExpression . ; LeftShiftExpression -> ShiftExpression . lessthanlessthansym ... ; "
       "SignedRightShiftExpression -> ShiftExpression . greaterthangreaterthansym ... ; "
       "UnsignedRightShiftExpression -> ShiftExpression . greaterthangreaterthangreaterthansym ...",
       "default reduce 356 pop 0"},
      {"JavaState098Reduce217",
       "ShiftExpression -> AdditiveExpression . ; AddExpression -> AdditiveExpression . plussym ... ; "
       "SubtractExpression -> AdditiveExpression . minussym ...",
       "default reduce 349 pop 0"},
      {"JavaState099Reduce214",
       "AdditiveExpression -> MultiplicativeExpression . ; MultiplyExpression -> MultiplicativeExpression . starsym ... ; "
       "DivideExpression -> MultiplicativeExpression . slashsym ... ; "
       "RemainderExpression -> MultiplicativeExpression . percentsym ...",
       "default reduce 344 pop 0"},
      {"JavaState102Reduce203",
       "UnaryExpressionNotPlusMinus -> PostfixExpression . ; PostIncrementExpression -> PostfixExpression . plusplussym ; "
       "PostDecrementExpression -> PostfixExpression . minusminussym",
       "default reduce 325 pop 0"},
      {"JavaState189Reduce31", "PrimitiveArrayType -> PrimitiveType . _MOREopenbrksymclosebrksym", "fixed openbrksym"},
      {"JavaState198Reduce146", "SynchronizedStatement -> synchronizedsym openparsym Expression closeparsym . Block",
       "fixed openchainsym"},
  });
  CheckActions({
      {"JavaState089Reduce240", "token verticalbarverticalbarsym", "call JavaState130ConditionalAndExpression"},
      {"JavaState089Reduce240", "token questionmarksym", "call JavaState129Expression"},
      {"JavaState090Reduce238", "token ampersandampersandsym", "call JavaState131InclusiveOrExpression"},
      {"JavaState091Reduce236", "token verticalbarsym", "call JavaState132ExclusiveOrExpression"},
      {"JavaState092Reduce234", "token hatsym", "call JavaState133AndExpression"},
      {"JavaState093Reduce232", "token ampersandsym", "call JavaState134EqualityExpression"},
      {"JavaState094Reduce230", "token equalsequalssym", "call JavaState135RelationalExpression"},
      {"JavaState094Reduce230", "token exclaimequalssym", "call JavaState136RelationalExpression"},
      {"JavaState095Reduce227", "token lessthansym", "call JavaState137ShiftExpression"},
      {"JavaState095Reduce227", "token greaterthansym", "call JavaState138ShiftExpression"},
      {"JavaState095Reduce227", "token lessthanequalssym", "call JavaState139ShiftExpression"},
      {"JavaState095Reduce227", "token greaterthanequalssym", "call JavaState140ShiftExpression"},
      {"JavaState095Reduce227", "token instanceofsym", "call JavaState141ReferenceType"},
      {"JavaState097Reduce221", "token lessthanlessthansym", "call JavaState144AdditiveExpression"},
      {"JavaState097Reduce221", "token greaterthangreaterthansym", "call JavaState145AdditiveExpression"},
      {"JavaState097Reduce221", "token greaterthangreaterthangreaterthansym", "call JavaState146AdditiveExpression"},
      {"JavaState098Reduce217", "token plussym", "call JavaState147MultiplicativeExpression"},
      {"JavaState098Reduce217", "token minussym", "call JavaState148MultiplicativeExpression"},
      {"JavaState099Reduce214", "token starsym", "call JavaState149UnaryExpression"},
      {"JavaState099Reduce214", "token slashsym", "call JavaState150UnaryExpression"},
      {"JavaState099Reduce214", "token percentsym", "call JavaState151UnaryExpression"},
      {"JavaState102Reduce203", "token plusplussym", "shift reduce 312 pop 1"},
      {"JavaState102Reduce203", "token minusminussym", "shift reduce 313 pop 1"},
      {"JavaState189Reduce31", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState189Reduce31", "goto _MOREopenbrksymclosebrksym", "goto reduce 52 pop 1"},
      {"JavaState198Reduce146", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState198Reduce146", "goto Block", "goto reduce 234 pop 4"},
  });
  // Right-operand reduce states: the operators of their own level, otherwise the
  // binary production with PopCount 2.
  struct Right {
    const char* State;
    int Rule;
    std::vector<std::pair<const char*, const char*>> Shifts;
  };
  const std::vector<std::pair<const char*, const char*>> relational = {
      {"lessthansym", "JavaState137ShiftExpression"},
      {"greaterthansym", "JavaState138ShiftExpression"},
      {"lessthanequalssym", "JavaState139ShiftExpression"},
      {"greaterthanequalssym", "JavaState140ShiftExpression"},
      {"instanceofsym", "JavaState141ReferenceType"}};
  const std::vector<std::pair<const char*, const char*>> shifts = {
      {"lessthanlessthansym", "JavaState144AdditiveExpression"},
      {"greaterthangreaterthansym", "JavaState145AdditiveExpression"},
      {"greaterthangreaterthangreaterthansym", "JavaState146AdditiveExpression"}};
  const std::vector<std::pair<const char*, const char*>> additive = {
      {"plussym", "JavaState147MultiplicativeExpression"}, {"minussym", "JavaState148MultiplicativeExpression"}};
  const std::vector<std::pair<const char*, const char*>> multiplicative = {
      {"starsym", "JavaState149UnaryExpression"},
      {"slashsym", "JavaState150UnaryExpression"},
      {"percentsym", "JavaState151UnaryExpression"}};
  const std::vector<Right> rights = {
      {"JavaState178Reduce239", 386, {{"ampersandampersandsym", "JavaState131InclusiveOrExpression"}}},
      {"JavaState179Reduce237", 383, {{"verticalbarsym", "JavaState132ExclusiveOrExpression"}}},
      {"JavaState180Reduce235", 380, {{"hatsym", "JavaState133AndExpression"}}},
      {"JavaState181Reduce233", 377, {{"ampersandsym", "JavaState134EqualityExpression"}}},
      {"JavaState182Reduce231",
       374,
       {{"equalsequalssym", "JavaState135RelationalExpression"}, {"exclaimequalssym", "JavaState136RelationalExpression"}}},
      {"JavaState183Reduce228", 370, relational},
      {"JavaState184Reduce229", 371, relational},
      {"JavaState185Reduce222", 362, shifts},
      {"JavaState186Reduce223", 363, shifts},
      {"JavaState187Reduce224", 364, shifts},
      {"JavaState188Reduce225", 365, shifts},
      {"JavaState193Reduce218", 353, additive},
      {"JavaState194Reduce219", 354, additive},
      {"JavaState195Reduce220", 355, additive},
      {"JavaState196Reduce215", 347, multiplicative},
      {"JavaState197Reduce216", 348, multiplicative},
  };
  for (const Right& r : rights) {
    SCOPED_TRACE(r.State);
    int s = StateNamed(r.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(OnUnexpected(s), "default reduce " + std::to_string(r.Rule) + " pop 2");
    int shiftCount = 0;
    for (int i = 0; i < A.States[s].TokenCount; ++i)
      shiftCount += A.Actions[A.Tokens[A.States[s].FirstToken + i].Action].Kind == LrShift;
    EXPECT_EQ(shiftCount, int(r.Shifts.size()));
    for (const auto& [token, target] : r.Shifts) {
      const LrAction* act = TokenAction(s, TokenNamed(token));
      ASSERT_NE(act, nullptr) << token;
      EXPECT_EQ(Describe(*act), std::string("call ") + target);
    }
  }
}

using TokenNames = std::set<std::string>;

TokenNames Union(std::initializer_list<TokenNames> parts) {
  TokenNames out;
  for (const TokenNames& p : parts) out.insert(p.begin(), p.end());
  return out;
}

TokenNames Minus(const TokenNames& a, const TokenNames& b) {
  TokenNames out;
  for (const std::string& t : a)
    if (!b.count(t)) out.insert(t);
  return out;
}

// The sets of the expression closure as the expression tables define them.
struct ClosureSets {
  TokenNames Start = Words(
      "booleansym doublesym floatsym shortsym falsesym supersym voidsym truesym charsym longsym thissym bytesym "
      "newsym intsym minusminussym plusplussym openparsym minussym tildasym exclaimsym plussym IntegerLiteralsym "
      "DoubleLiteralsym FloatLiteralsym CharacterLiteralsym StringLiteralsym NullLiteralsym Identifiersym");
  TokenNames Assign = Words(
      "equalssym starequalssym slashequalssym percentequalssym plusequalssym minusequalssym "
      "lessthanlessthanequalssym greaterthangreaterthanequalssym greaterthangreaterthangreaterthanequalssym "
      "ampersandequalssym hatequalssym verticalbarequalssym");
  TokenNames CAnd = Union({Start, Words("verticalbarverticalbarsym questionmarksym colonsym")});
  TokenNames IOr = Union({CAnd, Words("ampersandampersandsym")});
  TokenNames Xor = Union({IOr, Words("verticalbarsym")});
  TokenNames And = Union({Xor, Words("hatsym")});
  TokenNames Eq = Union({And, Words("ampersandsym")});
  TokenNames Rel = Union({Eq, Words("equalsequalssym exclaimequalssym")});
  TokenNames Shift = Union({Rel, Words("lessthansym greaterthansym lessthanequalssym greaterthanequalssym instanceofsym")});
  TokenNames Add = Union({Shift, Words("lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym")});
  TokenNames Unary = Union({Add, Words("starsym slashsym percentsym")});
  TokenNames Primary = Union({Unary, Assign, Words("closeparsym openbrksym closebrksym dotsym openchainsym")});
  TokenNames Name = Union({Start, Assign});
};

void ExpectSet(const char* state, const char* key, const TokenNames& expected) {
  EXPECT_EQ(Words(TransitionSetOf(state, key)), expected) << state << " " << key;
}

// The sets that the expression closures pass, as the closure table and its
// member table state them.
TEST(JavaAutomaton, ExpressionClosureSets) {
  const ClosureSets c;
  // Call sites of the closure and the group each passes.
  const std::vector<std::pair<const char*, TokenNames ClosureSets::*>> sites = {
      {"token thissym", &ClosureSets::Unary},
      {"token newsym", &ClosureSets::Primary},
      {"token openparsym", &ClosureSets::Primary},
      {"token supersym", &ClosureSets::Primary},
      {"token voidsym", &ClosureSets::Primary},
      {"token plusplussym", &ClosureSets::Unary},
      {"token minusminussym", &ClosureSets::Unary},
      {"token plussym", &ClosureSets::Unary},
      {"token minussym", &ClosureSets::Unary},
      {"token tildasym", &ClosureSets::Unary},
      {"token exclaimsym", &ClosureSets::Unary},
      {"goto PrimitiveType", &ClosureSets::Primary},
      {"goto Name", &ClosureSets::Name},
      {"goto FieldAccess", &ClosureSets::Name},
      {"goto ArrayAccess", &ClosureSets::Name},
      {"goto PrimaryNoNewArray", &ClosureSets::Primary},
      {"goto Primary", &ClosureSets::Unary},
      {"goto PostfixExpression", &ClosureSets::Unary},
      {"goto MultiplicativeExpression", &ClosureSets::Add},
      {"goto AdditiveExpression", &ClosureSets::Add},
      {"goto ShiftExpression", &ClosureSets::Shift},
      {"goto RelationalExpression", &ClosureSets::Rel},
      {"goto EqualityExpression", &ClosureSets::Eq},
      {"goto AndExpression", &ClosureSets::And},
      {"goto ExclusiveOrExpression", &ClosureSets::Xor},
      {"goto InclusiveOrExpression", &ClosureSets::IOr},
      {"goto ConditionalAndExpression", &ClosureSets::CAnd},
  };
  const TokenNames semicolon = Words("semicolonsym"), colon = Words("colonsym"), none;
  struct Member {
    const char* State;
    TokenNames Tail;          // added at the ladder, primary and unary call sites
    TokenNames NameExtra;     // added to the name group
    TokenNames OrAndLhs;      // the gotos on ConditionalOrExpression and LeftHandSide
  };
  const std::vector<Member> members = {
      {"JavaState057Expression", semicolon, semicolon, semicolon},
      {"JavaState055AfterReturn", semicolon, semicolon, semicolon},
      {"JavaState058Expression", semicolon, Words("colonsym semicolonsym"), Words("colonsym semicolonsym")},
      {"JavaState152Expression", none, none, none},
      {"JavaState129Expression", none, colon, Union({c.Start, colon})},
  };
  for (const Member& m : members) {
    for (const auto& [key, group] : sites) {
      TokenNames extra = (group == &ClosureSets::Name) ? m.NameExtra : m.Tail;
      ExpectSet(m.State, key, Union({c.*group, extra}));
    }
    ExpectSet(m.State, "goto ConditionalOrExpression", m.OrAndLhs);
    ExpectSet(m.State, "goto LeftHandSide", m.OrAndLhs);
  }
  // After an opening parenthesis: the primary group at every call site, less the
  // assignment operators after a left-hand side.
  for (const char* state : {"JavaState076Expression", "JavaState096Expression"}) {
    for (const auto& [key, group] : sites) ExpectSet(state, key, c.Primary);
    ExpectSet(state, "goto ConditionalOrExpression", c.Primary);
    ExpectSet(state, "goto LeftHandSide", Minus(c.Primary, c.Assign));
  }
  // The right-hand side of an assignment: the reference's sets without a context,
  // the primary group without the assignment operators; the gotos on the
  // conditional-or level and the left-hand side pass the inherited set alone.
  for (const auto& [key, group] : sites) {
    TokenNames set = c.*group;
    if (group == &ClosureSets::Primary) set = Minus(set, c.Assign);
    ExpectSet("JavaState114AssignmentExpression", key, set);
  }
  ExpectSet("JavaState114AssignmentExpression", "goto ConditionalOrExpression", none);
  ExpectSet("JavaState114AssignmentExpression", "goto LeftHandSide", none);
}

// Operand states: the closure cut at a level passes the reference's sets without
// the operators of the looser levels (and without a context); the goto on the
// operand level passes the inherited set alone.
TEST(JavaAutomaton, OperandStateSets) {
  const ClosureSets c;
  struct Operand {
    const char* State;
    const char* Level;     // the goto on the operand level
    TokenNames Looser;     // operators left out
  };
  const TokenNames cAnd = Words("verticalbarverticalbarsym questionmarksym colonsym");
  const TokenNames iOr = Union({cAnd, Words("ampersandampersandsym")});
  const TokenNames xOr = Union({iOr, Words("verticalbarsym")});
  const TokenNames andOp = Union({xOr, Words("hatsym")});
  const TokenNames eq = Union({andOp, Words("ampersandsym")});
  const TokenNames rel = Union({eq, Words("equalsequalssym exclaimequalssym")});
  const TokenNames shift = Union({rel, Words("lessthansym greaterthansym lessthanequalssym greaterthanequalssym instanceofsym")});
  const TokenNames add = Union({shift, Words("lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym")});
  const std::vector<Operand> operands = {
      {"JavaState130ConditionalAndExpression", "goto ConditionalAndExpression", cAnd},
      {"JavaState131InclusiveOrExpression", "goto InclusiveOrExpression", iOr},
      {"JavaState132ExclusiveOrExpression", "goto ExclusiveOrExpression", xOr},
      {"JavaState133AndExpression", "goto AndExpression", andOp},
      {"JavaState134EqualityExpression", "goto EqualityExpression", eq},
      {"JavaState135RelationalExpression", "goto RelationalExpression", rel},
      {"JavaState136RelationalExpression", "goto RelationalExpression", rel},
      {"JavaState137ShiftExpression", "goto ShiftExpression", shift},
      {"JavaState140ShiftExpression", "goto ShiftExpression", shift},
      {"JavaState144AdditiveExpression", "goto AdditiveExpression", add},
      {"JavaState146AdditiveExpression", "goto AdditiveExpression", add},
      {"JavaState147MultiplicativeExpression", "goto MultiplicativeExpression", add},
      {"JavaState148MultiplicativeExpression", "goto MultiplicativeExpression", add},
  };
  const TokenNames primaryGroup = Minus(c.Primary, c.Assign);
  for (const Operand& o : operands) {
    for (const char* key : {"token newsym", "token openparsym", "token supersym", "token voidsym", "goto PrimitiveType",
                            "goto PrimaryNoNewArray"})
      ExpectSet(o.State, key, Minus(primaryGroup, o.Looser));
    for (const char* key : {"token thissym", "token plusplussym", "token tildasym", "goto Name", "goto Primary",
                            "goto PostfixExpression"})
      ExpectSet(o.State, key, Minus(c.Unary, o.Looser));
    ExpectSet(o.State, o.Level, {});
  }
  // The two ladder sets of the relational members; the additive members pass the
  // expression starts alone to the multiplicative level.
  ExpectSet("JavaState135RelationalExpression", "goto ShiftExpression",
            Union({c.Start, Words("instanceofsym lessthansym greaterthansym lessthanequalssym greaterthanequalssym")}));
  ExpectSet("JavaState135RelationalExpression", "goto AdditiveExpression",
            Union({c.Start, Words("instanceofsym lessthansym greaterthansym lessthanequalssym greaterthanequalssym "
                                  "lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym")}));
  ExpectSet("JavaState144AdditiveExpression", "goto MultiplicativeExpression", c.Start);
  // UnaryExpression operands: the primary set without operators, the postfix set
  // after thissym, a name or a primary, nothing to the prefix operators and the
  // postfix state.
  const TokenNames primarySet = Union({c.Start, Words("closeparsym openbrksym closebrksym dotsym openchainsym")});
  for (const char* state : {"JavaState149UnaryExpression", "JavaState150UnaryExpression", "JavaState151UnaryExpression",
                            "JavaState067UnaryExpression", "JavaState068UnaryExpression", "JavaState100UnaryExpression",
                            "JavaState101UnaryExpression", "JavaState103UnaryExpression", "JavaState104UnaryExpression",
                            "JavaState214UnaryExpression"}) {
    for (const char* key : {"token supersym", "token voidsym", "token newsym", "token openparsym", "goto PrimitiveType",
                            "goto PrimaryNoNewArray"})
      ExpectSet(state, key, primarySet);
    for (const char* key : {"token thissym", "goto Name", "goto Primary"})
      ExpectSet(state, key, Words("plusplussym minusminussym"));
    for (const char* key : {"token plusplussym", "token minusminussym", "token plussym", "token minussym",
                            "token tildasym", "token exclaimsym", "goto PostfixExpression"})
      ExpectSet(state, key, {});
  }
}

// Unary operand family, prefix and postfix states, casts.
TEST(JavaAutomaton, UnaryAndCastStates) {
  const ClosureSets c;
  struct Member {
    const char* State;
    int Rule;
    int PopCount;
  };
  for (const Member& m : std::vector<Member>{{"JavaState149UnaryExpression", 341, 2},
                                             {"JavaState150UnaryExpression", 342, 2},
                                             {"JavaState151UnaryExpression", 343, 2},
                                             {"JavaState067UnaryExpression", 321, 1},
                                             {"JavaState068UnaryExpression", 322, 1},
                                             {"JavaState100UnaryExpression", 323, 1},
                                             {"JavaState101UnaryExpression", 324, 1},
                                             {"JavaState103UnaryExpression", 329, 1},
                                             {"JavaState104UnaryExpression", 330, 1},
                                             {"JavaState214UnaryExpression", 334, 4}}) {
    SCOPED_TRACE(m.State);
    int s = StateNamed(m.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(OnUnexpected(s), "error UnaryExpression expected ");
    std::string completion = "goto reduce " + std::to_string(m.Rule) + " pop " + std::to_string(m.PopCount);
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("UnaryExpression"))), completion);
    EXPECT_EQ(Describe(A.Actions[A.States[s].Repair]), completion);
    EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), c.Start);
    EXPECT_EQ(Describe(*TokenAction(s, TokenNamed("tildasym"))), "call JavaState103UnaryExpression");
    EXPECT_EQ(Describe(*TokenAction(s, TokenNamed("plusplussym"))), "call JavaState067UnaryExpression");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("Name"))), "call JavaState115Goto33");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("FieldAccess"))), "goto reduce 258 pop 0");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("ArrayAccess"))), "goto reduce 259 pop 0");
    EXPECT_EQ(GotoAction(s, NonterminalNamed("MultiplicativeExpression")), nullptr);
  }
  const TokenNames castStart = Minus(c.Start, Words("plusplussym minusminussym plussym minussym"));
  const TokenNames operandEnd = Words(
      "instanceofsym greaterthangreaterthangreaterthansym greaterthanequalssym equalsequalssym lessthanequalssym "
      "exclaimequalssym greaterthangreaterthansym ampersandampersandsym lessthanlessthansym verticalbarverticalbarsym "
      "minussym slashsym percentsym lessthansym greaterthansym ampersandsym plussym hatsym verticalbarsym starsym "
      "questionmarksym plusplussym minusminussym closeparsym commasym colonsym semicolonsym closebrksym closechainsym");
  EXPECT_EQ(operandEnd.size(), 29u);
  CheckStates({
      {"JavaState069ExpectPlusplus",
       "PostIncrementExpression -> PostfixExpression . plusplussym ; PostDecrementExpression -> PostfixExpression . minusminussym",
       "error plusplussym  expected "},
      {"JavaState215UnaryExpressionNotPlusMinus",
       "ArrayCastExpression -> openparsym Name _MOREopenbrksymclosebrksym closeparsym . UnaryExpressionNotPlusMinus",
       "error UnaryExpressionNotPlusMinus expected "},
      {"JavaState190AfterClosepar",
       "ParenthesizedExpression -> openparsym Expression closeparsym . ; "
       "ExpressionCastExpression -> openparsym Expression closeparsym . UnaryExpressionNotPlusMinus",
       "default reduce 256 pop 2"},
  });
  CheckActions({
      {"JavaState069ExpectPlusplus", "token plusplussym", "shift reduce 312 pop 1"},
      {"JavaState069ExpectPlusplus", "token minusminussym", "shift reduce 313 pop 1"},
      {"JavaState069ExpectPlusplus", "repair", "shift reduce 312 pop 1"},
      {"JavaState215UnaryExpressionNotPlusMinus", "goto UnaryExpressionNotPlusMinus", "goto reduce 336 pop 4"},
      {"JavaState215UnaryExpressionNotPlusMinus", "repair", "goto reduce 336 pop 4"},
      {"JavaState190AfterClosepar", "goto UnaryExpressionNotPlusMinus", "goto reduce 335 pop 3"},
      {"JavaState190AfterClosepar", "token tildasym", "call JavaState103UnaryExpression"},
      {"JavaState190AfterClosepar", "token exclaimsym", "call JavaState104UnaryExpression"},
  });
  CheckOwnSets({
      {"JavaState069ExpectPlusplus", "plusplussym minusminussym"},
  });
  EXPECT_EQ(Words(SetNames(A.States[215].OwnSet)), castStart);
  EXPECT_EQ(Words(SetNames(A.States[190].OwnSet)), Union({castStart, operandEnd, Words("openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[190].OwnSet)).size(), 55u);
  for (const char* state : {"JavaState215UnaryExpressionNotPlusMinus", "JavaState190AfterClosepar"}) {
    for (const char* token : {"plusplussym", "minusminussym", "plussym", "minussym"}) {
      const LrAction* act = TokenAction(StateNamed(state), TokenNamed(token));
      EXPECT_TRUE(act == nullptr || act->Kind != LrShift) << token;
    }
    ExpectSet(state, "token supersym", Union({c.Start, Words("closeparsym openbrksym closebrksym dotsym openchainsym")}));
    ExpectSet(state, "goto PrimaryNoNewArray",
              Union({c.Start, Words("closeparsym openbrksym closebrksym dotsym openchainsym")}));
    ExpectSet(state, "token thissym", Words("plusplussym minusminussym"));
    ExpectSet(state, "goto Name", Words("plusplussym minusminussym"));
    ExpectSet(state, "token tildasym", {});
    ExpectSet(state, "goto PostfixExpression", {});
  }
}

// Names, this and new in expressions.
TEST(JavaAutomaton, NameThisAndNewStates) {
  const ClosureSets c;
  const TokenNames operandEnd = Words(
      "instanceofsym greaterthangreaterthangreaterthansym greaterthanequalssym equalsequalssym lessthanequalssym "
      "exclaimequalssym greaterthangreaterthansym ampersandampersandsym lessthanlessthansym verticalbarverticalbarsym "
      "minussym slashsym percentsym lessthansym greaterthansym ampersandsym plussym hatsym verticalbarsym starsym "
      "questionmarksym plusplussym minusminussym closeparsym commasym colonsym semicolonsym closebrksym closechainsym");
  const TokenNames closers = Words("commasym colonsym semicolonsym closebrksym closechainsym");
  const TokenNames openers = Words("openparsym openbrksym dotsym");
  EXPECT_EQ(Words(SetNames(A.States[87].OwnSet)), Union({c.Assign, operandEnd, openers}));
  EXPECT_EQ(Words(SetNames(A.States[115].OwnSet)), Union({operandEnd, openers}));
  EXPECT_EQ(Words(SetNames(A.States[143].OwnSet)), Union({c.Assign, Minus(operandEnd, closers), openers}));
  EXPECT_EQ(Words(SetNames(A.States[65].OwnSet)),
            Union({c.Assign, Words("minusminussym plusplussym openparsym openbrksym dotsym Identifiersym")}));
  EXPECT_EQ(Words(SetNames(A.States[70].OwnSet)), Union({c.Assign, operandEnd, Words("openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[71].OwnSet)), Union({c.Assign, operandEnd, Words("openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[72].OwnSet)), Union({operandEnd, Words("dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[75].OwnSet)), Union({operandEnd, Words("openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[73].OwnSet)), Union({operandEnd, Words("openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[59].OwnSet)),
            Union({c.Assign, Words("minusminussym plusplussym openparsym colonsym openbrksym dotsym Identifiersym")}));
  CheckOwnSets({{"JavaState074ClassType", "booleansym doublesym floatsym shortsym charsym longsym bytesym intsym Identifiersym"}});
  CheckStates({
      {"JavaState087Goto33",
       "LeftHandSide -> Name . ; ExpressionName -> Name . ; QualifiedName -> Name . dotsym Identifiersym ; "
       "NameMethodInvocation -> Name . openparsym ... ; QualifiedSuperMethodInvocation -> Name . dotsym supersym ... ; "
       "NameQualifiedInstanceCreation -> Name . dotsym newsym ... ; QualifiedSuperFieldAccess -> Name . dotsym supersym dotsym Identifiersym ; "
       "NameArrayAccess -> Name . openbrksym Expression closebrksym ; QualifiedThis -> Name . dotsym thissym ; "
       "ClassLiteral -> Name . dotsym classsym ; ArrayClassLiteral -> Name . _MOREopenbrksymclosebrksym dotsym classsym",
       "default reduce 394 pop 0"},
      {"JavaState115Goto33",
       "ExpressionName -> Name . ; QualifiedName -> Name . dotsym Identifiersym ; "
       "NameMethodInvocation -> Name . openparsym ... ; QualifiedSuperMethodInvocation -> Name . dotsym supersym ... ; "
       "NameQualifiedInstanceCreation -> Name . dotsym newsym ... ; QualifiedSuperFieldAccess -> Name . dotsym supersym dotsym Identifiersym ; "
       "NameArrayAccess -> Name . openbrksym Expression closebrksym ; QualifiedThis -> Name . dotsym thissym ; "
       "ClassLiteral -> Name . dotsym classsym ; ArrayClassLiteral -> Name . _MOREopenbrksymclosebrksym dotsym classsym",
       "default reduce 309 pop 0"},
      {"JavaState070Goto175", "LeftHandSide -> FieldAccess . ; FieldAccess1 -> FieldAccess .", "default reduce 395 pop 0"},
      {"JavaState071Goto186", "LeftHandSide -> ArrayAccess . ; ArrayAccess1 -> ArrayAccess .", "default reduce 396 pop 0"},
      {"JavaState072Reduce190",
       "PostfixExpression -> Primary . ; PrimaryFieldAccess -> Primary . dotsym Identifiersym ; "
       "PrimaryMethodInvocation -> Primary . dotsym ... ; PrimaryQualifiedInstanceCreation -> Primary . dotsym newsym ...",
       "default reduce 304 pop 0"},
      {"JavaState075Reduce153",
       "Primary -> PrimaryNoNewArray . ; PrimaryArrayAccess -> PrimaryNoNewArray . openbrksym Expression closebrksym",
       "default reduce 242 pop 0"},
      {"JavaState074ClassType",
       "SimpleInstanceCreation -> newsym . ClassType ... ; PrimitiveArrayCreation -> newsym . PrimitiveType ... ; "
       "ClassArrayCreation -> newsym . ClassOrInterfaceType ...",
       "error ClassType expected "},
      {"JavaState059AfterIdentifier", "LabeledStatement -> Identifiersym . colonsym Statement ; SimpleName -> Identifiersym .",
       "default reduce 56 pop 0"},
  });
  CheckActions({
      {"JavaState087Goto33", "token openparsym", "call JavaState111AfterOpenpar"},
      {"JavaState087Goto33", "token openbrksym", "call JavaState113Expression"},
      {"JavaState087Goto33", "token dotsym", "call JavaState112ExpectSuper"},
      {"JavaState087Goto33", "token semicolonsym", "reduce 309 pop 0"},
      {"JavaState087Goto33", "token plussym", "reduce 309 pop 0"},
      {"JavaState087Goto33", "token equalssym", "reduce 394 pop 0"},
      {"JavaState087Goto33", "goto _MOREopenbrksymclosebrksym", "goto reduce 264 pop 1 run dotsym run classsym"},
      {"JavaState115Goto33", "goto _MOREopenbrksymclosebrksym", "goto reduce 264 pop 1 run dotsym run classsym"},
      {"JavaState143Goto33", "token closeparsym", "reduce 309 pop 0"},
      {"JavaState143Goto33", "token equalssym", "reduce 394 pop 0"},
      {"JavaState143Goto33", "goto _MOREopenbrksymclosebrksym", "call JavaState192ExpectClosepar"},
      {"JavaState065Goto33", "token plusplussym", "reduce 309 pop 0"},
      {"JavaState065Goto33", "token equalssym", "reduce 394 pop 0"},
      {"JavaState065Goto33", "token Identifiersym", "reduce 45 pop 0"},
      {"JavaState065Goto33", "goto _MOREopenbrksymclosebrksym", "call JavaState110"},
      {"JavaState070Goto175", "token dotsym", "reduce 258 pop 0"},
      {"JavaState071Goto186", "token openbrksym", "reduce 259 pop 0"},
      {"JavaState072Reduce190", "token dotsym", "call JavaState116ExpectIdentifier"},
      {"JavaState075Reduce153", "token openbrksym", "call JavaState122Expression"},
      {"JavaState073AfterThis", "token openbrksym", "call JavaState118Expression"},
      {"JavaState073AfterThis", "token dotsym", "call JavaState117ExpectIdentifier"},
      {"JavaState074ClassType", "token booleansym", "shift reduce 33 pop 0"},
      {"JavaState074ClassType", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState074ClassType", "goto PrimitiveType", "call JavaState119Goto21"},
      {"JavaState074ClassType", "goto Name", "call JavaState121Reduce35"},
      {"JavaState074ClassType", "goto ClassOrInterfaceType", "call JavaState120Goto26"},
      {"JavaState074ClassType", "goto ClassType", "call JavaState165AfterOpenpar run openparsym"},
      {"JavaState074ClassType", "repair", "call JavaState165AfterOpenpar run openparsym"},
      {"JavaState059AfterIdentifier", "token colonsym", "call JavaState107Statement"},
  });
  ExpectSet("JavaState074ClassType", "goto Name", Union({c.Start, Words("closeparsym openchainsym")}));
  for (const char* key : {"goto PrimitiveType", "goto ClassOrInterfaceType", "goto ClassType"})
    ExpectSet("JavaState074ClassType", key, {});
  for (const char* state : {"JavaState087Goto33", "JavaState115Goto33", "JavaState072Reduce190", "JavaState075Reduce153",
                            "JavaState073AfterThis", "JavaState070Goto175", "JavaState143Goto33", "JavaState065Goto33"}) {
    for (int i = 0; i < A.States[StateNamed(state)].TokenCount; ++i) {
      const LrAction& act = A.Actions[A.Tokens[A.States[StateNamed(state)].FirstToken + i].Action];
      if (act.Kind == LrShift) {
        EXPECT_EQ(SetNames(act.TransitionSet), "") << state;
      }
    }
  }
}

// The parenthesised conditions of if, while, switch, synchronized and do, and the
// statement keyword and switch block states.
TEST(JavaAutomaton, ConditionAndStatementKeywordStates) {
  const ClosureSets c;
  const TokenNames statementStart = Union(
      {Minus(c.Start, Words("minussym tildasym exclaimsym plussym")),
       Words("synchronizedsym continuesym USERswitchsym USERreturnsym assertsym USERwhilesym USERbreaksym throwsym "
             "forsym trysym USERifsym USERdosym semicolonsym openchainsym")});
  EXPECT_EQ(statementStart.size(), 38u);
  EXPECT_EQ(statementStart, Words(StatementStart));
  struct Member {
    const char* State;
    TokenNames Tail;
    const char* Top;  // the goto on Expression, which the repair repeats
  };
  const std::vector<Member> members = {
      {"JavaState083Expression", Union({Words("closeparsym USERelsesym"), statementStart}),
       "call JavaState174Statement run closeparsym"},
      {"JavaState225Expression", Union({Words("closeparsym USERelsesym"), statementStart}),
       "call JavaState246Statement run closeparsym"},
      {"JavaState084Expression", Union({Words("closeparsym"), statementStart}), "call JavaState175Statement run closeparsym"},
      {"JavaState226Expression", Union({Words("closeparsym"), statementStart}), "call JavaState247Statement run closeparsym"},
      {"JavaState086Expression", Words("closeparsym openchainsym"), "call JavaState176Reduce127 run closeparsym"},
      {"JavaState105Expression", Words("closeparsym openchainsym"), "call JavaState198Reduce146 run closeparsym"},
      {"JavaState177Expression", Words("closeparsym semicolonsym"), "goto reduce 219 pop 4 run closeparsym run semicolonsym"},
  };
  for (const Member& m : members) {
    SCOPED_TRACE(m.State);
    int s = StateNamed(m.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(OnUnexpected(s), "error Expression expected ");
    EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), c.Start);
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("Expression"))), m.Top);
    EXPECT_EQ(Describe(A.Actions[A.States[s].Repair]), m.Top);
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("Name"))), "call JavaState087Goto33");
    ExpectSet(m.State, "goto ConditionalOrExpression", m.Tail);
    ExpectSet(m.State, "goto LeftHandSide", m.Tail);
    ExpectSet(m.State, "goto Expression", {});
    ExpectSet(m.State, "token thissym", Union({c.Unary, m.Tail}));
    ExpectSet(m.State, "token newsym", Union({c.Primary, m.Tail}));
    ExpectSet(m.State, "goto Name", Union({c.Name, m.Tail}));
    ExpectSet(m.State, "goto ArrayAccess", Union({c.Name, m.Tail}));
    ExpectSet(m.State, "goto Primary", Union({c.Unary, m.Tail}));
    ExpectSet(m.State, "goto PrimaryNoNewArray", Union({c.Primary, m.Tail}));
    ExpectSet(m.State, "goto RelationalExpression", Union({c.Rel, m.Tail}));
  }
  const TokenNames modifiers = Words(
      "publicsym protectedsym privatesym staticsym USERabstractsym finalsym nativesym transientsym volatilesym strictfpsym");
  const TokenNames blockStatementFollow =
      Union({statementStart, modifiers, Words("classsym interfacesym USERcasesym defaultsym closechainsym")});
  EXPECT_EQ(blockStatementFollow.size(), 53u);
  CheckStates({
      {"JavaState056AfterSynchronized",
       "Modifier -> synchronizedsym . ; SynchronizedStatement -> synchronizedsym . openparsym Expression closeparsym Block",
       "default reduce 90 pop 0"},
      {"JavaState064AfterTry",
       "TryCatchStatement -> trysym . Block Catches ; TryFinallyStatement -> trysym . Block _OPTCatches Finally",
       "fixed openchainsym"},
      {"JavaState210Goto116",
       "Statement -> StatementWithoutTrailingSubstatement . ; "
       "StatementWithoutTrailingSubstatement1 -> StatementWithoutTrailingSubstatement .",
       "default reduce 169 pop 0"},
      {"JavaState212AfterOpenchain", "SwitchBlock -> openchainsym . _OPT_MORESwitchBlockStatementGroup closechainsym",
       "default empty 440"},
  });
  CheckActions({
      {"JavaState056AfterSynchronized", "token openparsym", "call JavaState105Expression"},
      {"JavaState064AfterTry", "token openchainsym", "call JavaState040BlockStatements"},
      {"JavaState064AfterTry", "goto Block", "call JavaState109Catches"},
      {"JavaState210Goto116", "token USERelsesym", "reduce 182 pop 0"},
      {"JavaState212AfterOpenchain", "token USERcasesym", "call JavaState231ConstantExpression"},
      {"JavaState212AfterOpenchain", "token defaultsym", "shift reduce 216 pop 0 run colonsym"},
      {"JavaState212AfterOpenchain", "token closechainsym", "empty 440"},
      {"JavaState212AfterOpenchain", "goto SwitchLabel", "call JavaState230Goto130"},
      {"JavaState212AfterOpenchain", "goto SwitchBlockStatementGroup", "call JavaState229Goto129"},
      {"JavaState212AfterOpenchain", "goto _MORESwitchBlockStatementGroup", "goto reduce 439 pop 0"},
      {"JavaState212AfterOpenchain", "goto _OPT_MORESwitchBlockStatementGroup", "goto reduce 213 pop 1 run closechainsym"},
  });
  EXPECT_EQ(Words(SetNames(A.States[56].OwnSet)),
            Union({modifiers, Words("synchronizedsym interfacesym classsym openparsym")}));
  EXPECT_EQ(Words(SetNames(A.States[210].OwnSet)), Union({blockStatementFollow, Words("USERelsesym")}));
  CheckOwnSets({{"JavaState212AfterOpenchain", "defaultsym USERcasesym closechainsym"}});
  ExpectSet("JavaState056AfterSynchronized", "token openparsym", {});
  ExpectSet("JavaState064AfterTry", "token openchainsym", Words("catchsym finallysym"));
  ExpectSet("JavaState064AfterTry", "goto Block", {});
  ExpectSet("JavaState212AfterOpenchain", "token USERcasesym", blockStatementFollow);
  ExpectSet("JavaState212AfterOpenchain", "token defaultsym", blockStatementFollow);
  ExpectSet("JavaState212AfterOpenchain", "goto SwitchLabel", Words("defaultsym USERcasesym closechainsym"));
  ExpectSet("JavaState212AfterOpenchain", "goto SwitchBlockStatementGroup", Words("closechainsym"));
  ExpectSet("JavaState212AfterOpenchain", "goto _OPT_MORESwitchBlockStatementGroup", {});
}

// Throws lists, constructor bodies, array class literals, initializer lists,
// indexes, dimensions, bracket pairs, array initializers and for conditions.
TEST(JavaAutomaton, PrimaryCompletionStates) {
  const ClosureSets c;
  CheckStates({
      {"JavaState207AfterThrows", "Throws -> throwssym . _MOREClassTypeINSERTcomma", "fixed Identifiersym"},
      {"JavaState235AfterComma", "_MOREClassTypeINSERTcomma -> ClassType commasym . _MOREClassTypeINSERTcomma",
       "fixed Identifiersym"},
      {"JavaState209Goto281",
       "ConstructorDeclarator -> openparsym _OPT_MOREFormalParameterINSERTcomma closeparsym _OPTThrows . ConstructorBody",
       "fixed openchainsym"},
      {"JavaState085",
       "PrimitiveArrayType -> PrimitiveType _MOREopenbrksymclosebrksym . ; "
       "PrimitiveArrayClassLiteral -> PrimitiveType _MOREopenbrksymclosebrksym . dotsym classsym",
       "default reduce 52 pop 1"},
      {"JavaState208Goto67",
       "VariableInitializers -> VariableInitializer . _OPTVariableInitializersTail", "default empty 486"},
      {"JavaState113Expression",
       "NameArrayAccess -> Name openbrksym . Expression closebrksym ; "
       "_MOREopenbrksymclosebrksym -> openbrksym . closebrksym ; "
       "_MOREopenbrksymclosebrksym -> openbrksym . closebrksym _MOREopenbrksymclosebrksym",
       "error Expression expected "},
      {"JavaState118Expression", "ThisArrayAccess -> thissym openbrksym . Expression closebrksym", "error Expression expected "},
      {"JavaState122Expression", "PrimaryArrayAccess -> PrimaryNoNewArray openbrksym . Expression closebrksym",
       "error Expression expected "},
      {"JavaState168AfterOpenbrk", "DimExpr -> openbrksym . _OPTExpression closebrksym", "default empty 494"},
      {"JavaState119Goto21", "PrimitiveArrayCreation -> newsym PrimitiveType . _MOREDimExpr _OPTArrayInitializer",
       "fixed openbrksym"},
      {"JavaState120Goto26", "ClassArrayCreation -> newsym ClassOrInterfaceType . _MOREDimExpr _OPTArrayInitializer",
       "fixed openbrksym"},
      {"JavaState121Reduce35",
       "ClassType -> Name . ; ClassOrInterfaceType -> Name . ; QualifiedName -> Name . dotsym Identifiersym",
       "default reduce 46 pop 0"},
      {"JavaState088MoreBrackets",
       "PrimitiveArrayClassLiteral -> PrimitiveType . _MOREopenbrksymclosebrksym dotsym classsym ; "
       "PrimitiveClassLiteral -> PrimitiveType . dotsym classsym",
       "error _MOREopenbrksymclosebrksym expected "},
      {"JavaState142Goto21",
       "PrimitiveCastExpression -> openparsym PrimitiveType . _OPT_MOREopenbrksymclosebrksym closeparsym UnaryExpression ; "
       "PrimitiveArrayClassLiteral -> PrimitiveType . _MOREopenbrksymclosebrksym dotsym classsym ; "
       "PrimitiveClassLiteral -> PrimitiveType . dotsym classsym",
       "default empty 430"},
      {"JavaState191Goto251",
       "_OPT_MOREopenbrksymclosebrksym -> _MOREopenbrksymclosebrksym . ; "
       "PrimitiveArrayClassLiteral -> PrimitiveType _MOREopenbrksymclosebrksym . dotsym classsym",
       "default reduce 429 pop 0"},
      {"JavaState192ExpectClosepar",
       "ArrayCastExpression -> openparsym Name _MOREopenbrksymclosebrksym . closeparsym UnaryExpressionNotPlusMinus ; "
       "ArrayClassLiteral -> Name _MOREopenbrksymclosebrksym . dotsym classsym",
       "error closeparsym  expected "},
      {"JavaState172AfterOpenchain",
       "EmptyArrayInitializer -> openchainsym . _OPTcommasym closechainsym ; "
       "NonEmptyArrayInitializer -> openchainsym . VariableInitializers closechainsym",
       "default empty 484"},
      {"JavaState199AfterSemicolon",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym . _OPTExpression semicolonsym _OPTForUpdate "
       "closeparsym Statement",
       "default empty 494"},
      {"JavaState248AfterSemicolon",
       "ForStatement -> forsym openparsym _OPTForInit semicolonsym . _OPTExpression ... ; "
       "ForStatementNoShortIf -> forsym openparsym _OPTForInit semicolonsym . _OPTExpression ...",
       "default empty 494"},
  });
  CheckActions({
      {"JavaState207AfterThrows", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState207AfterThrows", "goto SimpleName", "goto reduce 54 pop 0"},
      {"JavaState207AfterThrows", "goto QualifiedName", "goto reduce 55 pop 0"},
      {"JavaState207AfterThrows", "goto Name", "call JavaState027Goto33"},
      {"JavaState207AfterThrows", "goto ClassType", "call JavaState221Goto27"},
      {"JavaState207AfterThrows", "goto _MOREClassTypeINSERTcomma", "goto reduce 124 pop 1"},
      {"JavaState235AfterComma", "goto ClassType", "call JavaState221Goto27"},
      {"JavaState235AfterComma", "goto _MOREClassTypeINSERTcomma", "goto reduce 434 pop 2"},
      {"JavaState209Goto281", "token openchainsym", "call JavaState223ExplicitConstructorInvocation"},
      {"JavaState209Goto281", "goto InvokingConstructorBody", "goto reduce 133 pop 0"},
      {"JavaState209Goto281", "goto PlainConstructorBody", "goto reduce 134 pop 0"},
      {"JavaState209Goto281", "goto ConstructorBody", "goto reduce 132 pop 4"},
      {"JavaState085", "token dotsym", "shift reduce 263 pop 2 run classsym"},
      {"JavaState085", "token Identifiersym", "reduce 52 pop 1"},
      {"JavaState208Goto67", "token commasym", "call JavaState222AfterComma"},
      {"JavaState208Goto67", "token closechainsym", "empty 486"},
      {"JavaState208Goto67", "goto VariableInitializersTail", "goto reduce 485 pop 0"},
      {"JavaState208Goto67", "goto _OPTVariableInitializersTail", "goto reduce 156 pop 1"},
      {"JavaState113Expression", "token closebrksym", "call JavaState128AfterClosebrk"},
      {"JavaState113Expression", "goto Expression", "goto reduce 301 pop 2 run closebrksym"},
      {"JavaState113Expression", "repair", "goto reduce 301 pop 2 run closebrksym"},
      {"JavaState118Expression", "goto Expression", "goto reduce 303 pop 2 run closebrksym"},
      {"JavaState122Expression", "goto Expression", "goto reduce 302 pop 2 run closebrksym"},
      {"JavaState122Expression", "repair", "goto reduce 302 pop 2 run closebrksym"},
      {"JavaState168AfterOpenbrk", "token closebrksym", "empty 494"},
      {"JavaState168AfterOpenbrk", "goto Expression", "goto reduce 493 pop 0"},
      {"JavaState168AfterOpenbrk", "goto _OPTExpression", "goto reduce 279 pop 1 run closebrksym"},
      {"JavaState119Goto21", "token openbrksym", "call JavaState168AfterOpenbrk"},
      {"JavaState119Goto21", "goto DimExpr", "call JavaState167Reduce267"},
      {"JavaState119Goto21", "goto _MOREDimExpr", "call JavaState166Goto267"},
      {"JavaState120Goto26", "goto _MOREDimExpr", "call JavaState169Goto267"},
      {"JavaState121Reduce35", "token openbrksym", "reduce 45 pop 0"},
      {"JavaState121Reduce35", "token dotsym", "shift reduce 57 pop 1 run Identifiersym"},
      {"JavaState121Reduce35", "token openparsym", "reduce 46 pop 0"},
      {"JavaState088MoreBrackets", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState088MoreBrackets", "token dotsym", "shift reduce 265 pop 1 run classsym"},
      {"JavaState088MoreBrackets", "goto _MOREopenbrksymclosebrksym", "goto reduce 263 pop 1 run dotsym run classsym"},
      {"JavaState088MoreBrackets", "repair", "goto reduce 263 pop 1 run dotsym run classsym"},
      {"JavaState142Goto21", "token openbrksym", "call JavaState128AfterClosebrk run closebrksym"},
      {"JavaState142Goto21", "token closeparsym", "empty 430"},
      {"JavaState142Goto21", "token dotsym", "shift reduce 265 pop 1 run classsym"},
      {"JavaState142Goto21", "goto _MOREopenbrksymclosebrksym", "call JavaState191Goto251"},
      {"JavaState142Goto21", "goto _OPT_MOREopenbrksymclosebrksym", "call JavaState214UnaryExpression run closeparsym"},
      {"JavaState191Goto251", "token dotsym", "shift reduce 263 pop 2 run classsym"},
      {"JavaState192ExpectClosepar", "token closeparsym", "call JavaState215UnaryExpressionNotPlusMinus"},
      {"JavaState192ExpectClosepar", "token dotsym", "shift reduce 264 pop 2 run classsym"},
      {"JavaState192ExpectClosepar", "repair", "call JavaState215UnaryExpressionNotPlusMinus"},
      {"JavaState172AfterOpenchain", "token commasym", "shift reduce 483 pop 0"},
      {"JavaState172AfterOpenchain", "token openchainsym", "call JavaState172AfterOpenchain"},
      {"JavaState172AfterOpenchain", "token closechainsym", "empty 484"},
      {"JavaState172AfterOpenchain", "goto Expression", "goto reduce 113 pop 0"},
      {"JavaState172AfterOpenchain", "goto VariableInitializer", "call JavaState208Goto67"},
      {"JavaState172AfterOpenchain", "goto ArrayInitializer", "goto reduce 114 pop 0"},
      {"JavaState172AfterOpenchain", "goto EmptyArrayInitializer", "goto reduce 152 pop 0"},
      {"JavaState172AfterOpenchain", "goto NonEmptyArrayInitializer", "goto reduce 153 pop 0"},
      {"JavaState172AfterOpenchain", "goto VariableInitializers", "goto reduce 155 pop 1 run closechainsym"},
      {"JavaState172AfterOpenchain", "goto _OPTcommasym", "goto reduce 154 pop 1 run closechainsym"},
      {"JavaState199AfterSemicolon", "token semicolonsym", "empty 494"},
      {"JavaState199AfterSemicolon", "goto Expression", "goto reduce 493 pop 0"},
      {"JavaState199AfterSemicolon", "goto _OPTExpression", "call JavaState232AfterSemicolon run semicolonsym"},
      {"JavaState248AfterSemicolon", "goto _OPTExpression", "call JavaState252AfterSemicolon run semicolonsym"},
  });
  CheckOwnSets({
      {"JavaState085", "dotsym Identifiersym"},
      {"JavaState208Goto67", "commasym closechainsym"},
      {"JavaState121Reduce35", "openparsym openbrksym dotsym"},
      {"JavaState088MoreBrackets", "openbrksym dotsym"},
      {"JavaState142Goto21", "closeparsym openbrksym dotsym"},
      {"JavaState191Goto251", "closeparsym dotsym"},
      {"JavaState192ExpectClosepar", "closeparsym dotsym"},
  });
  EXPECT_EQ(Words(SetNames(A.States[113].OwnSet)), Union({c.Start, Words("closebrksym")}));
  EXPECT_EQ(Words(SetNames(A.States[118].OwnSet)), c.Start);
  EXPECT_EQ(Words(SetNames(A.States[168].OwnSet)), Union({c.Start, Words("closebrksym")}));
  EXPECT_EQ(Words(SetNames(A.States[172].OwnSet)), Union({c.Start, Words("commasym openchainsym closechainsym")}));
  EXPECT_EQ(Words(SetNames(A.States[199].OwnSet)), Union({c.Start, Words("semicolonsym")}));
  // Sets.
  // ExpectToken adds the identifier itself to the set it is given.
  EXPECT_EQ(Union({Words(TransitionSetOf("JavaState207AfterThrows", "token Identifiersym")), Words("Identifiersym")}),
            Words("commasym dotsym Identifiersym"));
  ExpectSet("JavaState207AfterThrows", "goto Name", Words("commasym Identifiersym"));
  ExpectSet("JavaState207AfterThrows", "goto ClassType", {});
  ExpectSet("JavaState209Goto281", "token openchainsym", {});
  ExpectSet("JavaState085", "token dotsym", {});
  ExpectSet("JavaState208Goto67", "token commasym", {});
  for (const char* state : {"JavaState113Expression", "JavaState118Expression", "JavaState122Expression"}) {
    for (const char* key : {"token thissym", "token newsym", "token plussym", "goto Name", "goto Primary",
                            "goto PostfixExpression", "goto AdditiveExpression", "goto ConditionalOrExpression",
                            "goto Expression"})
      ExpectSet(state, key, c.Primary);
    ExpectSet(state, "goto LeftHandSide", Minus(c.Primary, c.Assign));
  }
  ExpectSet("JavaState113Expression", "goto PrimaryNoNewArray", c.Primary);
  ExpectSet("JavaState122Expression", "goto PrimaryNoNewArray", Minus(c.Primary, Words("openbrksym")));
  ExpectSet("JavaState113Expression", "token closebrksym", {});
  const TokenNames dimTail = Words("closebrksym");
  const TokenNames initTail = Words("commasym closechainsym");
  // The for-condition tail: 39 tokens, the statement starts and closeparsym (the
  // expression starts that cannot begin a statement are not among them).
  const TokenNames forTail = Union({Words(StatementStart), Words("closeparsym")});
  EXPECT_EQ(forTail.size(), 39u);
  for (const auto& [state, tail] : std::vector<std::pair<const char*, TokenNames>>{
           {"JavaState168AfterOpenbrk", dimTail}, {"JavaState172AfterOpenchain", initTail},
           {"JavaState199AfterSemicolon", forTail}, {"JavaState248AfterSemicolon", forTail}}) {
    ExpectSet(state, "token thissym", Union({c.Unary, tail}));
    ExpectSet(state, "token newsym", Union({c.Primary, tail}));
    ExpectSet(state, "goto Name", Union({c.Name, tail}));
    ExpectSet(state, "goto PrimaryNoNewArray", Union({c.Primary, tail}));
    ExpectSet(state, "goto MultiplicativeExpression", Union({c.Add, tail}));
    ExpectSet(state, "goto ConditionalOrExpression", tail);
    ExpectSet(state, "goto LeftHandSide", tail);
  }
  ExpectSet("JavaState172AfterOpenchain", "token openchainsym", initTail);
  ExpectSet("JavaState172AfterOpenchain", "goto VariableInitializer", Words("closechainsym"));
  ExpectSet("JavaState119Goto21", "token openbrksym", Words("openbrksym openchainsym"));
  ExpectSet("JavaState119Goto21", "goto DimExpr", Words("openchainsym"));
  ExpectSet("JavaState119Goto21", "goto _MOREDimExpr", {});
  ExpectSet("JavaState088MoreBrackets", "token openbrksym", Words("classsym dotsym"));
  ExpectSet("JavaState142Goto21", "token openbrksym", Union({c.Start, Words("closeparsym dotsym classsym")}));
  ExpectSet("JavaState142Goto21", "goto _MOREopenbrksymclosebrksym", Union({c.Start, Words("closeparsym")}));
  ExpectSet("JavaState142Goto21", "goto _OPT_MOREopenbrksymclosebrksym", {});
  ExpectSet("JavaState192ExpectClosepar", "token closeparsym", {});
}

// Argument lists, member access after super and this, initializer elements, the
// statement label, the constructor declarator, instance creation completion,
// statement-expression decisions and the throws list.
TEST(JavaAutomaton, ArgumentListAndCompletionStates) {
  const ClosureSets c;
  const TokenNames argumentSet = Union({c.Primary, Words("commasym")});
  EXPECT_EQ(c.Primary.size(), 65u);
  EXPECT_EQ(argumentSet.size(), 66u);
  struct ArgumentList {
    const char* State;
    const char* Finish;  // the goto on _OPTArgumentList
  };
  const std::vector<ArgumentList> lists = {
      {"JavaState111AfterOpenpar", "goto reduce 293 pop 2 run closeparsym"},
      {"JavaState204AfterOpenpar", "goto reduce 294 pop 4 run closeparsym"},
      {"JavaState205AfterOpenpar", "goto reduce 295 pop 4 run closeparsym"},
      {"JavaState206AfterOpenpar", "goto reduce 296 pop 4 run closeparsym"},
      {"JavaState165AfterOpenpar", "call JavaState220AfterClosepar run closeparsym"},
      {"JavaState217AfterOpenpar", "call JavaState240AfterClosepar run closeparsym"},
      {"JavaState218AfterOpenpar", "call JavaState241AfterClosepar run closeparsym"},
      {"JavaState219AfterOpenpar", "call JavaState242AfterClosepar run closeparsym"},
      {"JavaState234AfterOpenpar", "goto reduce 297 pop 6 run closeparsym"},
      {"JavaState243AfterOpenpar", "goto reduce 140 pop 2 run closeparsym run semicolonsym"},
      {"JavaState244AfterOpenpar", "goto reduce 141 pop 2 run closeparsym run semicolonsym"},
      {"JavaState250AfterOpenpar", "goto reduce 142 pop 4 run closeparsym run semicolonsym"},
  };
  for (const ArgumentList& l : lists) {
    SCOPED_TRACE(l.State);
    int s = StateNamed(l.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(OnUnexpected(s), "default empty 480");
    EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), Union({c.Start, Words("closeparsym")}));
    EXPECT_EQ(Describe(*TokenAction(s, TokenNamed("closeparsym"))), "empty 480");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("Expression"))), "call JavaState158Reduce266");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("_MOREExpressionINSERTcomma"))), "goto reduce 274 pop 0");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("ArgumentList"))), "goto reduce 479 pop 0");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("_OPTArgumentList"))), l.Finish);
  }
  // The argument set everywhere in the lists of invocations and creations.
  for (const char* state : {"JavaState111AfterOpenpar", "JavaState204AfterOpenpar", "JavaState205AfterOpenpar",
                            "JavaState206AfterOpenpar", "JavaState165AfterOpenpar", "JavaState217AfterOpenpar",
                            "JavaState218AfterOpenpar", "JavaState219AfterOpenpar", "JavaState234AfterOpenpar"}) {
    for (const char* key : {"token thissym", "token newsym", "token plussym", "goto Name", "goto Primary",
                            "goto PrimaryNoNewArray", "goto PostfixExpression", "goto ShiftExpression",
                            "goto ConditionalOrExpression", "goto _OPTArgumentList"})
      ExpectSet(state, key, argumentSet);
    ExpectSet(state, "goto LeftHandSide", Minus(argumentSet, c.Assign));
    ExpectSet(state, "goto Expression", c.Primary);
  }
  // Explicit constructor invocations: the reference sets with closeparsym,
  // commasym and semicolonsym.
  const TokenNames tail = Words("closeparsym commasym semicolonsym");
  for (const char* state : {"JavaState243AfterOpenpar", "JavaState244AfterOpenpar", "JavaState250AfterOpenpar"}) {
    ExpectSet(state, "token thissym", Union({c.Unary, tail}));
    ExpectSet(state, "token newsym", Union({c.Primary, tail}));
    ExpectSet(state, "goto Name", Union({c.Name, tail}));
    ExpectSet(state, "goto FieldAccess", Union({c.Name, tail}));
    ExpectSet(state, "goto PrimaryNoNewArray", Union({c.Primary, tail}));
    ExpectSet(state, "goto EqualityExpression", Union({c.Eq, tail}));
    ExpectSet(state, "goto ConditionalOrExpression", Union({c.Start, tail}));
    ExpectSet(state, "goto LeftHandSide", Union({c.Start, tail}));
    ExpectSet(state, "goto Expression", Words("closeparsym semicolonsym"));
    ExpectSet(state, "goto _OPTArgumentList", {});
  }
  // After a comma of an argument list.
  CheckStates({
      {"JavaState203MoreExpression", "_MOREExpressionINSERTcomma -> Expression commasym . _MOREExpressionINSERTcomma",
       "error _MOREExpressionINSERTcomma expected "},
      {"JavaState222AfterComma", "VariableInitializersTail -> commasym . _OPTVariableInitializers", "default empty 488"},
  });
  CheckActions({
      {"JavaState203MoreExpression", "goto Expression", "call JavaState158Reduce266"},
      {"JavaState203MoreExpression", "goto _MOREExpressionINSERTcomma", "goto reduce 446 pop 2"},
      {"JavaState203MoreExpression", "repair", "goto reduce 446 pop 2"},
      {"JavaState222AfterComma", "token openchainsym", "call JavaState172AfterOpenchain"},
      {"JavaState222AfterComma", "token closechainsym", "empty 488"},
      {"JavaState222AfterComma", "goto Expression", "goto reduce 113 pop 0"},
      {"JavaState222AfterComma", "goto VariableInitializer", "call JavaState208Goto67"},
      {"JavaState222AfterComma", "goto ArrayInitializer", "goto reduce 114 pop 0"},
      {"JavaState222AfterComma", "goto VariableInitializers", "goto reduce 487 pop 0"},
      {"JavaState222AfterComma", "goto _OPTVariableInitializers", "goto reduce 157 pop 1"},
  });
  EXPECT_EQ(Words(SetNames(A.States[203].OwnSet)), c.Start);
  EXPECT_EQ(Words(SetNames(A.States[222].OwnSet)), Union({c.Start, Words("openchainsym closechainsym")}));
  const TokenNames comma = Words("commasym");
  ExpectSet("JavaState203MoreExpression", "token thissym", Union({c.Unary, comma}));
  ExpectSet("JavaState203MoreExpression", "token supersym", Union({c.Primary, comma}));
  ExpectSet("JavaState203MoreExpression", "goto Name", Union({c.Name, comma}));
  ExpectSet("JavaState203MoreExpression", "goto AdditiveExpression", Union({c.Add, comma}));
  ExpectSet("JavaState203MoreExpression", "goto ConditionalOrExpression", Union({c.Start, comma}));
  ExpectSet("JavaState203MoreExpression", "goto LeftHandSide", Union({c.Start, comma}));
  ExpectSet("JavaState203MoreExpression", "goto Expression", {});
  ExpectSet("JavaState222AfterComma", "token openchainsym", comma);
  ExpectSet("JavaState222AfterComma", "token thissym", Union({c.Unary, comma}));
  ExpectSet("JavaState222AfterComma", "goto ConditionalOrExpression", comma);
  ExpectSet("JavaState222AfterComma", "goto LeftHandSide", comma);
  ExpectSet("JavaState222AfterComma", "goto VariableInitializer", {});
  // Member access after a name, a primary, this and super.
  const TokenNames postfixFollow = Union(
      {Words("closeparsym commasym colonsym semicolonsym closebrksym closechainsym verticalbarverticalbarsym "
             "questionmarksym ampersandampersandsym verticalbarsym hatsym ampersandsym equalsequalssym "
             "exclaimequalssym lessthansym greaterthansym lessthanequalssym greaterthanequalssym instanceofsym "
             "lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym plussym minussym "
             "starsym slashsym percentsym plusplussym minusminussym")});
  EXPECT_EQ(postfixFollow.size(), 29u);
  const TokenNames memberFollow = Union({postfixFollow, c.Assign, Words("dotsym openbrksym openparsym")});
  EXPECT_EQ(memberFollow.size(), 44u);
  CheckStates({
      {"JavaState112ExpectSuper",
       "QualifiedThis -> Name dotsym . thissym ; ClassLiteral -> Name dotsym . classsym ; "
       "QualifiedName -> Name dotsym . Identifiersym ; NameQualifiedInstanceCreation -> Name dotsym . newsym ... ; "
       "QualifiedSuperFieldAccess -> Name dotsym . supersym dotsym Identifiersym ; "
       "QualifiedSuperMethodInvocation -> Name dotsym . supersym dotsym Identifiersym openparsym ...",
       "error supersym  expected "},
      {"JavaState116ExpectIdentifier",
       "PrimaryFieldAccess -> Primary dotsym . Identifiersym ; PrimaryMethodInvocation -> Primary dotsym . Identifiersym ... ; "
       "PrimaryQualifiedInstanceCreation -> Primary dotsym . newsym ...",
       "error Identifiersym  expected "},
      {"JavaState117ExpectIdentifier",
       "ThisFieldAccess -> thissym dotsym . Identifiersym ; ThisMethodInvocation -> thissym dotsym . Identifiersym ... ; "
       "ThisQualifiedInstanceCreation -> thissym dotsym . newsym ...",
       "error Identifiersym  expected "},
      {"JavaState164AfterIdentifier",
       "SuperFieldAccess -> supersym dotsym Identifiersym . ; SuperMethodInvocation -> supersym dotsym Identifiersym . openparsym ...",
       "default reduce 286 pop 2"},
      {"JavaState216AfterIdentifier",
       "QualifiedSuperFieldAccess -> Name dotsym supersym dotsym Identifiersym . ; "
       "QualifiedSuperMethodInvocation -> Name dotsym supersym dotsym Identifiersym . openparsym ...",
       "default reduce 287 pop 4"},
  });
  CheckActions({
      {"JavaState112ExpectSuper", "token thissym", "shift reduce 261 pop 2"},
      {"JavaState112ExpectSuper", "token classsym", "shift reduce 262 pop 2"},
      {"JavaState112ExpectSuper", "token Identifiersym", "shift reduce 57 pop 2"},
      {"JavaState112ExpectSuper", "token newsym", "call JavaState159AfterNew"},
      {"JavaState112ExpectSuper", "token supersym", "call JavaState216AfterIdentifier run dotsym run Identifiersym"},
      {"JavaState112ExpectSuper", "repair", "call JavaState216AfterIdentifier run dotsym run Identifiersym"},
      {"JavaState116ExpectIdentifier", "token Identifiersym", "call JavaState160AfterIdentifier"},
      {"JavaState116ExpectIdentifier", "token newsym", "call JavaState161AfterNew"},
      {"JavaState116ExpectIdentifier", "repair", "call JavaState160AfterIdentifier"},
      {"JavaState117ExpectIdentifier", "token Identifiersym", "call JavaState162Reduce177"},
      {"JavaState117ExpectIdentifier", "token newsym", "call JavaState163AfterNew"},
      {"JavaState117ExpectIdentifier", "repair", "call JavaState162Reduce177"},
      {"JavaState164AfterIdentifier", "token openparsym", "call JavaState206AfterOpenpar"},
      {"JavaState216AfterIdentifier", "token openparsym", "call JavaState234AfterOpenpar"},
  });
  CheckOwnSets({
      {"JavaState112ExpectSuper", "supersym classsym thissym newsym Identifiersym"},
      {"JavaState116ExpectIdentifier", "newsym Identifiersym"},
      {"JavaState117ExpectIdentifier", "newsym Identifiersym"},
  });
  EXPECT_EQ(Words(SetNames(A.States[164].OwnSet)), memberFollow);
  EXPECT_EQ(Words(SetNames(A.States[216].OwnSet)), memberFollow);
  EXPECT_EQ(Words(SetNames(A.States[160].OwnSet)), memberFollow);
  for (const char* state : {"JavaState112ExpectSuper", "JavaState116ExpectIdentifier", "JavaState117ExpectIdentifier",
                            "JavaState164AfterIdentifier", "JavaState216AfterIdentifier"})
    for (int i = 0; i < A.States[StateNamed(state)].TokenCount; ++i) {
      const LrAction& act = A.Actions[A.Tokens[A.States[StateNamed(state)].FirstToken + i].Action];
      EXPECT_TRUE(act.TransitionSet < 0 || SetNames(act.TransitionSet).empty()) << state;
    }
  // The statement label, the constructor declarator, creation completion,
  // statement-expression decisions and the throws list.
  const TokenNames classBodyFollow = Union({Minus(postfixFollow, {}), Words("openbrksym dotsym")});
  EXPECT_EQ(classBodyFollow.size(), 31u);
  CheckStates({
      {"JavaState211AfterIdentifier",
       "LabeledStatement -> Identifiersym . colonsym Statement ; LabeledStatementNoShortIf -> Identifiersym . colonsym "
       "StatementNoShortIf ; SimpleName -> Identifiersym .",
       "default reduce 56 pop 0"},
      {"JavaState173AfterClosepar",
       "ConstructorDeclarator -> openparsym _OPT_MOREFormalParameterINSERTcomma closeparsym . _OPTThrows ConstructorBody",
       "default empty 476"},
      {"JavaState220AfterClosepar", "SimpleInstanceCreation -> newsym ClassType openparsym _OPTArgumentList closeparsym . _OPTClassBody",
       "default empty 502"},
      {"JavaState240AfterClosepar", "NameQualifiedInstanceCreation -> ... closeparsym . _OPTClassBody", "default empty 502"},
      {"JavaState241AfterClosepar", "PrimaryQualifiedInstanceCreation -> ... closeparsym . _OPTClassBody", "default empty 502"},
      {"JavaState242AfterClosepar", "ThisQualifiedInstanceCreation -> ... closeparsym . _OPTClassBody", "default empty 502"},
      {"JavaState060Goto194", "StatementExpression -> PostIncrementExpression . ; PostIncrementExpression1 -> PostIncrementExpression .",
       "default reduce 205 pop 0"},
      {"JavaState061Goto195", "StatementExpression -> PostDecrementExpression . ; PostDecrementExpression1 -> PostDecrementExpression .",
       "default reduce 206 pop 0"},
      {"JavaState062Goto180", "StatementExpression -> MethodInvocation . ; MethodInvocation1 -> MethodInvocation .",
       "default reduce 207 pop 0"},
      {"JavaState063Goto165",
       "StatementExpression -> ClassInstanceCreationExpression . ; "
       "ClassInstanceCreationExpression1 -> ClassInstanceCreationExpression .",
       "default reduce 208 pop 0"},
      {"JavaState221Goto27",
       "_MOREClassTypeINSERTcomma -> ClassType . ; _MOREClassTypeINSERTcomma -> ClassType . commasym _MOREClassTypeINSERTcomma",
       "default reduce 433 pop 0"},
  });
  CheckActions({
      {"JavaState211AfterIdentifier", "token colonsym", "call JavaState227Statement"},
      {"JavaState173AfterClosepar", "token throwssym", "call JavaState207AfterThrows"},
      {"JavaState173AfterClosepar", "token openchainsym", "empty 476"},
      {"JavaState173AfterClosepar", "goto Throws", "goto reduce 475 pop 0"},
      {"JavaState173AfterClosepar", "goto _OPTThrows", "call JavaState209Goto281"},
      {"JavaState220AfterClosepar", "token openchainsym", "call JavaState031AfterOpenchain"},
      {"JavaState220AfterClosepar", "token semicolonsym", "empty 502"},
      {"JavaState220AfterClosepar", "goto ClassBody", "goto reduce 501 pop 0"},
      {"JavaState220AfterClosepar", "goto _OPTClassBody", "goto reduce 270 pop 5"},
      {"JavaState240AfterClosepar", "goto _OPTClassBody", "goto reduce 271 pop 7"},
      {"JavaState241AfterClosepar", "goto _OPTClassBody", "goto reduce 272 pop 7"},
      {"JavaState242AfterClosepar", "goto _OPTClassBody", "goto reduce 273 pop 7"},
      {"JavaState060Goto194", "token plusplussym", "reduce 310 pop 0"},
      {"JavaState060Goto194", "token minusminussym", "reduce 310 pop 0"},
      {"JavaState060Goto194", "token semicolonsym", "reduce 205 pop 0"},
      {"JavaState061Goto195", "token plusplussym", "reduce 311 pop 0"},
      {"JavaState062Goto180", "token dotsym", "reduce 260 pop 0"},
      {"JavaState062Goto180", "token openbrksym", "reduce 260 pop 0"},
      {"JavaState062Goto180", "token commasym", "reduce 207 pop 0"},
      {"JavaState063Goto165", "token dotsym", "reduce 257 pop 0"},
      {"JavaState063Goto165", "token closeparsym", "reduce 208 pop 0"},
      {"JavaState221Goto27", "token commasym", "call JavaState235AfterComma"},
  });
  EXPECT_EQ(Words(SetNames(A.States[211].OwnSet)),
            Union({c.Assign, Words("colonsym plusplussym minusminussym openparsym openbrksym dotsym")}));
  EXPECT_EQ(Words(SetNames(A.States[211].OwnSet)).size(), 18u);
  CheckOwnSets({
      {"JavaState173AfterClosepar", "throwssym openchainsym"},
      {"JavaState060Goto194", "minusminussym plusplussym closeparsym commasym semicolonsym"},
      {"JavaState061Goto195", "minusminussym plusplussym closeparsym commasym semicolonsym"},
      {"JavaState062Goto180", "minusminussym plusplussym closeparsym commasym semicolonsym openbrksym dotsym"},
      {"JavaState063Goto165", "minusminussym plusplussym closeparsym commasym semicolonsym openbrksym dotsym"},
      {"JavaState221Goto27", "commasym semicolonsym openchainsym"},
  });
  for (const char* state : {"JavaState220AfterClosepar", "JavaState240AfterClosepar", "JavaState241AfterClosepar",
                            "JavaState242AfterClosepar"}) {
    EXPECT_EQ(Words(SetNames(A.States[StateNamed(state)].OwnSet)), Union({classBodyFollow, Words("openchainsym")}));
    ExpectSet(state, "token openchainsym", {});
  }
  ExpectSet("JavaState211AfterIdentifier", "token colonsym", {});
  ExpectSet("JavaState173AfterClosepar", "token throwssym", Words("openchainsym"));
  ExpectSet("JavaState173AfterClosepar", "goto _OPTThrows", {});
  ExpectSet("JavaState221Goto27", "token commasym", {});
}

// The members of the expression closure, the assignment and conditional states
// and the operand states of the binary operators: messages, top actions and
// repairs as their member tables give them.
TEST(JavaAutomaton, ExpressionMemberStates) {
  const ClosureSets c;
  CheckStates({
      {"JavaState057Expression", "ThrowStatement -> throwsym . Expression semicolonsym", "error Expression expected "},
      {"JavaState055AfterReturn", "ReturnStatement -> USERreturnsym . _OPTExpression semicolonsym", "default empty 494"},
      {"JavaState058Expression", "AssertStatement -> assertsym . Expression _OPTcolonsymExpression semicolonsym",
       "error Expression expected "},
      {"JavaState152Expression", "_OPTcolonsymExpression -> colonsym . Expression", "error Expression expected "},
      {"JavaState129Expression",
       "TernaryExpression -> ConditionalOrExpression questionmarksym . Expression colonsym ConditionalExpression",
       "error Expression expected "},
      {"JavaState076Expression", "ParenthesizedExpression -> openparsym . Expression closeparsym", "error Expression expected "},
      {"JavaState096Expression",
       "ParenthesizedExpression -> openparsym . Expression closeparsym ; "
       "PrimitiveCastExpression -> openparsym . PrimitiveType ... ; ExpressionCastExpression -> openparsym . Expression ... ; "
       "ArrayCastExpression -> openparsym . Name _MOREopenbrksymclosebrksym ...",
       "error Expression expected "},
      {"JavaState066AssignmentOperator", "Assignment -> LeftHandSide . AssignmentOperator AssignmentExpression",
       "error AssignmentOperator expected "},
      {"JavaState114AssignmentExpression", "Assignment -> LeftHandSide AssignmentOperator . AssignmentExpression",
       "error AssignmentExpression expected "},
      {"JavaState213ConditionalExpression",
       "TernaryExpression -> ConditionalOrExpression questionmarksym Expression colonsym . ConditionalExpression",
       "error ConditionalExpression expected "},
      {"JavaState141ReferenceType", "InstanceOfExpression -> RelationalExpression instanceofsym . ReferenceType",
       "error ReferenceType expected "},
  });
  CheckActions({
      {"JavaState057Expression", "goto Expression", "goto reduce 233 pop 1 run semicolonsym"},
      {"JavaState057Expression", "repair", "goto reduce 233 pop 1 run semicolonsym"},
      {"JavaState057Expression", "token IntegerLiteralsym", "shift reduce 20 pop 0"},
      {"JavaState057Expression", "token truesym", "shift reduce 25 pop 0"},
      {"JavaState057Expression", "token voidsym", "shift reduce 255 pop 0 run dotsym run classsym"},
      {"JavaState057Expression", "token supersym", "call JavaState164AfterIdentifier run dotsym run Identifiersym"},
      {"JavaState057Expression", "token openparsym", "call JavaState096Expression"},
      {"JavaState057Expression", "goto ConditionalExpression", "goto reduce 390 pop 0"},
      {"JavaState057Expression", "goto AssignmentExpression", "goto reduce 409 pop 0"},
      {"JavaState057Expression", "goto Assignment1", "goto reduce 391 pop 0"},
      {"JavaState057Expression", "goto UnaryExpression", "goto reduce 337 pop 0"},
      {"JavaState057Expression", "goto FieldAccess", "call JavaState070Goto175"},
      {"JavaState057Expression", "goto PrimitiveType", "call JavaState088MoreBrackets"},
      {"JavaState055AfterReturn", "token semicolonsym", "empty 494"},
      {"JavaState055AfterReturn", "goto Expression", "goto reduce 493 pop 0"},
      {"JavaState055AfterReturn", "goto _OPTExpression", "goto reduce 232 pop 1 run semicolonsym"},
      {"JavaState058Expression", "goto Expression", "call JavaState106Goto247"},
      {"JavaState058Expression", "repair", "call JavaState106Goto247"},
      {"JavaState152Expression", "goto Expression", "goto reduce 489 pop 1"},
      {"JavaState152Expression", "repair", "goto reduce 489 pop 1"},
      {"JavaState129Expression", "goto Expression", "call JavaState213ConditionalExpression run colonsym"},
      {"JavaState129Expression", "repair", "call JavaState213ConditionalExpression run colonsym"},
      {"JavaState076Expression", "goto Expression", "goto reduce 256 pop 1 run closeparsym"},
      {"JavaState076Expression", "goto Name", "call JavaState087Goto33"},
      {"JavaState076Expression", "goto PrimitiveType", "call JavaState088MoreBrackets"},
      {"JavaState096Expression", "goto Expression", "call JavaState190AfterClosepar run closeparsym"},
      {"JavaState096Expression", "repair", "call JavaState190AfterClosepar run closeparsym"},
      {"JavaState096Expression", "goto Name", "call JavaState143Goto33"},
      {"JavaState096Expression", "goto PrimitiveType", "call JavaState142Goto21"},
      {"JavaState066AssignmentOperator", "token equalssym", "shift reduce 397 pop 0"},
      {"JavaState066AssignmentOperator", "token greaterthangreaterthangreaterthanequalssym", "shift reduce 405 pop 0"},
      {"JavaState066AssignmentOperator", "token verticalbarequalssym", "shift reduce 408 pop 0"},
      {"JavaState066AssignmentOperator", "goto AssignmentOperator", "call JavaState114AssignmentExpression"},
      {"JavaState066AssignmentOperator", "repair", "call JavaState114AssignmentExpression"},
      {"JavaState114AssignmentExpression", "goto AssignmentExpression", "goto reduce 393 pop 2"},
      {"JavaState114AssignmentExpression", "repair", "goto reduce 393 pop 2"},
      {"JavaState114AssignmentExpression", "goto LeftHandSide", "call JavaState066AssignmentOperator"},
      {"JavaState114AssignmentExpression", "goto Name", "call JavaState087Goto33"},
      {"JavaState114AssignmentExpression", "goto Assignment1", "goto reduce 391 pop 0"},
      {"JavaState213ConditionalExpression", "goto ConditionalExpression", "goto reduce 389 pop 4"},
      {"JavaState213ConditionalExpression", "repair", "goto reduce 389 pop 4"},
      {"JavaState213ConditionalExpression", "goto TernaryExpression", "goto reduce 388 pop 0"},
      {"JavaState213ConditionalExpression", "goto Name", "call JavaState115Goto33"},
      {"JavaState213ConditionalExpression", "goto FieldAccess", "goto reduce 258 pop 0"},
      {"JavaState141ReferenceType", "token booleansym", "shift reduce 33 pop 0"},
      {"JavaState141ReferenceType", "token Identifiersym", "shift reduce 56 pop 0"},
      {"JavaState141ReferenceType", "goto PrimitiveType", "call JavaState189Reduce31"},
      {"JavaState141ReferenceType", "goto ReferenceType", "goto reduce 366 pop 2"},
      {"JavaState141ReferenceType", "repair", "goto reduce 366 pop 2"},
      {"JavaState141ReferenceType", "goto ClassOrInterfaceType", "goto reduce 43 pop 0"},
      {"JavaState141ReferenceType", "goto ArrayType", "goto reduce 44 pop 0"},
      {"JavaState141ReferenceType", "goto PrimitiveArrayType", "goto reduce 50 pop 0"},
      {"JavaState141ReferenceType", "goto Name", "call JavaState045Goto33"},
  });
  EXPECT_EQ(GotoAction(StateNamed("JavaState114AssignmentExpression"), NonterminalNamed("Expression")), nullptr);
  EXPECT_EQ(GotoAction(StateNamed("JavaState213ConditionalExpression"), NonterminalNamed("AssignmentExpression")), nullptr);
  EXPECT_EQ(Words(SetNames(A.States[66].OwnSet)), c.Assign);
  EXPECT_EQ(Words(SetNames(A.States[55].OwnSet)), Union({c.Start, Words("semicolonsym")}));
  for (int s : {57, 58, 152, 129, 76, 96, 114, 213}) EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), c.Start) << s;
  CheckOwnSets({{"JavaState141ReferenceType", "booleansym bytesym shortsym intsym longsym charsym floatsym doublesym Identifiersym"}});
  ExpectSet("JavaState066AssignmentOperator", "goto AssignmentOperator", {});
  for (const char* key : {"goto PrimitiveType", "goto Name", "goto ReferenceType"}) ExpectSet("JavaState141ReferenceType", key, {});
  // The operand states of the binary operators.
  struct Operand {
    const char* State;
    const char* Message;
    const char* Level;
    const char* Target;
  };
  for (const Operand& o : std::vector<Operand>{
           {"JavaState130ConditionalAndExpression", "ConditionalAndExpression", "ConditionalAndExpression", "JavaState178Reduce239"},
           {"JavaState131InclusiveOrExpression", "InclusiveOrExpression", "InclusiveOrExpression", "JavaState179Reduce237"},
           {"JavaState132ExclusiveOrExpression", "ExclusiveOrExpression", "ExclusiveOrExpression", "JavaState180Reduce235"},
           {"JavaState133AndExpression", "AndExpression", "AndExpression", "JavaState181Reduce233"},
           {"JavaState134EqualityExpression", "EqualityExpression", "EqualityExpression", "JavaState182Reduce231"},
           {"JavaState135RelationalExpression", "RelationalExpression", "RelationalExpression", "JavaState183Reduce228"},
           {"JavaState136RelationalExpression", "RelationalExpression", "RelationalExpression", "JavaState184Reduce229"},
           {"JavaState137ShiftExpression", "ShiftExpression", "ShiftExpression", "JavaState185Reduce222"},
           {"JavaState138ShiftExpression", "ShiftExpression", "ShiftExpression", "JavaState186Reduce223"},
           {"JavaState139ShiftExpression", "ShiftExpression", "ShiftExpression", "JavaState187Reduce224"},
           {"JavaState140ShiftExpression", "ShiftExpression", "ShiftExpression", "JavaState188Reduce225"},
           {"JavaState144AdditiveExpression", "AdditiveExpression", "AdditiveExpression", "JavaState193Reduce218"},
           {"JavaState145AdditiveExpression", "AdditiveExpression", "AdditiveExpression", "JavaState194Reduce219"},
           {"JavaState146AdditiveExpression", "AdditiveExpression", "AdditiveExpression", "JavaState195Reduce220"},
           {"JavaState147MultiplicativeExpression", "MultiplicativeExpression", "MultiplicativeExpression", "JavaState196Reduce215"},
           {"JavaState148MultiplicativeExpression", "MultiplicativeExpression", "MultiplicativeExpression", "JavaState197Reduce216"},
       }) {
    SCOPED_TRACE(o.State);
    int s = StateNamed(o.State);
    ASSERT_GE(s, 0);
    EXPECT_EQ(OnUnexpected(s), std::string("error ") + o.Message + " expected ");
    std::string call = std::string("call ") + o.Target;
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed(o.Level))), call);
    EXPECT_EQ(Describe(A.Actions[A.States[s].Repair]), call);
    EXPECT_EQ(Words(SetNames(A.States[s].OwnSet)), c.Start);
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("Name"))), "call JavaState115Goto33");
    EXPECT_EQ(Describe(*GotoAction(s, NonterminalNamed("FieldAccess"))), "goto reduce 258 pop 0");
    EXPECT_EQ(GotoAction(s, NonterminalNamed("LeftHandSide")), nullptr);
    EXPECT_EQ(GotoAction(s, NonterminalNamed("ConditionalExpression")), nullptr);
  }
}

// Calls that the tables say pass the inherited set unchanged (nothing added).
TEST(JavaAutomaton, CallsThatPassTheInheritedSet) {
  const std::vector<std::pair<const char*, const char*>> calls = {
      {"JavaState052Statement", "goto Statement"},
      {"JavaState108AfterOpenpar", "goto _OPTForInit"},
      {"JavaState228AfterOpenpar", "goto _OPTForInit"},
      {"JavaState199AfterSemicolon", "goto _OPTExpression"},
      {"JavaState248AfterSemicolon", "goto _OPTExpression"},
      {"JavaState232AfterSemicolon", "goto _OPTForUpdate"},
      {"JavaState252AfterSemicolon", "goto _OPTForUpdate"},
      {"JavaState082AfterOpenpar", "goto _OPT_MOREFormalParameterINSERTcomma"},
      {"JavaState051Goto21", "goto _MOREopenbrksymclosebrksym"},
      {"JavaState159AfterNew", "goto ClassType"},
      {"JavaState161AfterNew", "goto ClassType"},
      {"JavaState163AfterNew", "goto ClassType"},
      {"JavaState160AfterIdentifier", "token openparsym"},
      {"JavaState162Reduce177", "token openparsym"},
      {"JavaState166Goto267", "token openchainsym"},
      {"JavaState169Goto267", "token openchainsym"},
      {"JavaState176Reduce127", "token openchainsym"},
      {"JavaState209Goto281", "token openchainsym"},
      {"JavaState211AfterIdentifier", "token colonsym"},
      {"JavaState237AfterThis", "token openbrksym"},
      {"JavaState237AfterThis", "token dotsym"},
      {"JavaState237AfterThis", "token openparsym"},
      {"JavaState238ExpectOpenpar", "token openparsym"},
      {"JavaState245ExpectSuper", "token supersym"},
      {"JavaState245ExpectSuper", "token Identifiersym"},
      {"JavaState245ExpectSuper", "token newsym"},
      {"JavaState189Reduce31", "token openbrksym"},
      {"JavaState198Reduce146", "token openchainsym"},
      {"JavaState121Reduce35", "token dotsym"},
      {"JavaState191Goto251", "token dotsym"},
      {"JavaState192ExpectClosepar", "token dotsym"},
      {"JavaState233AfterClosepar", "token openchainsym"},
      {"JavaState201AfterFinally", "token openchainsym"},
      {"JavaState156Reduce149", "token finallysym"},
      {"JavaState223ExplicitConstructorInvocation", "goto ExplicitConstructorInvocation"},
      {"JavaState236", "goto _OPT_MOREBlockStatement"},
  };
  for (const auto& [state, key] : calls) ExpectSet(state, key, {});
  // The ladder: every operator is shifted into its operand state with the
  // inherited set unchanged.
  for (const char* state : {"JavaState089Reduce240", "JavaState090Reduce238", "JavaState091Reduce236",
                            "JavaState092Reduce234", "JavaState093Reduce232", "JavaState094Reduce230",
                            "JavaState095Reduce227", "JavaState097Reduce221", "JavaState098Reduce217",
                            "JavaState099Reduce214", "JavaState178Reduce239", "JavaState183Reduce228",
                            "JavaState193Reduce218", "JavaState196Reduce215"}) {
    int s = StateNamed(state);
    for (int i = 0; i < A.States[s].TokenCount; ++i) {
      const LrAction& act = A.Actions[A.Tokens[A.States[s].FirstToken + i].Action];
      if (act.Kind == LrShift) {
        EXPECT_EQ(SetNames(act.TransitionSet), "") << state;
      }
    }
  }
  // Sets that add a token of their own.
  ExpectSet("JavaState167Reduce267", "token openbrksym", Words("openbrksym"));
  ExpectSet("JavaState109Catches", "goto Catches", Words("finallysym"));
  EXPECT_EQ(SetNames(A.Actions[A.States[109].Repair].TransitionSet), "");
  EXPECT_EQ(SetNames(A.Actions[A.States[223].Repair].TransitionSet), "");
  ExpectSet("JavaState106Goto247", "goto _OPTcolonsymExpression", {});
  ExpectSet("JavaState040BlockStatements", "goto BlockStatement", Words("closechainsym"));
  ExpectSet("JavaState153LocalVariableDeclaration", "goto PrimitiveType", Words("Identifiersym"));
  ExpectSet("JavaState153LocalVariableDeclaration", "goto Name", Words("Identifiersym"));
  ExpectSet("JavaState110", "token dotsym", {});
}

}  // namespace
