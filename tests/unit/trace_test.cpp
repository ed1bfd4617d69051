// Parse trace and token replay: records made by a parse of the generated Java
// automaton come out in leftmost-derivation order and replay to the derivation
// that the grammar gives; recording stops in recovery; the replay cursor and the
// error printers behave as the front end needs.
//
// The parses below run the automaton's tables through a minimal recursive-ascent
// driver without error recovery (the engine proper lives with the parser).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "java/parser/automaton.h"
#include "support/heap.h"
#include "support/identifiers.h"
#include "support/limits.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

const LrAutomaton& A = JavaAutomaton;

struct InputToken {
  int code;
  int position;
};

std::vector<InputToken> Input;
size_t InputIndex;
bool Failed;

int Code(const char* name) {
  for (int t = 0; t < A.TokenCount; ++t)
    if (std::string(name) == A.TokenNames[t]) return t;
  ADD_FAILURE() << "no token " << name;
  return 0;
}

// Sets up the token stream from token names; every token is one character long
// and token i stands at position 10 * (i + 1). endoffile is appended.
void SetInput(const std::vector<const char*>& names) {
  Input.clear();
  for (const char* n : names) Input.push_back({Code(n), 10 * int(Input.size() + 1)});
  Input.push_back({1, 10 * int(Input.size() + 1)});
  InputIndex = 0;
  Failed = false;
}

void Advance() {
  const InputToken& t = Input[InputIndex < Input.size() ? InputIndex : Input.size() - 1];
  CurrentToken = t.code;
  TokenLength = 1;
  PositionCounter = t.position;
  TokenAttribute.Integer = t.position * 100;
  ++InputIndex;
}

const LrAction* Find(const LrEntry* entries, int first, int count, int symbol) {
  for (int i = 0; i < count; ++i)
    if (entries[first + i].Symbol == symbol) return &A.Actions[entries[first + i].Action];
  return nullptr;
}

void Expect(const LrAction& act) {
  for (int i = 0; i < act.RunLength; ++i) {
    if (CurrentToken != A.RunTokens[act.Run + i]) Failed = true;
    RecordToken();
    Advance();
  }
}

void SetReduction(const LrAction& act) {
  ReduceLhs = act.Lhs;
  ReduceProduction = act.Production;
  SublistHead = nullptr;
  SublistLast = nullptr;
  PopCount = act.PopCount;
}

void RunState(int s) {
  const LrState& st = A.States[s];
  const LrAction* act = Find(A.Tokens, st.FirstToken, st.TokenCount, CurrentToken);
  if (act == nullptr) act = &A.Actions[st.Default];
  switch (act->Kind) {
    case LrShift:
      RecordToken();
      Advance();
      Expect(*act);
      RunState(act->Target);
      PopCount -= act->RunLength;
      break;
    case LrShiftReduce:
      RecordToken();
      Advance();
      Expect(*act);
      SetReduction(*act);
      break;
    case LrReduce:
      SetReduction(*act);
      return;
    case LrEmptyReduce:
      SetReduction(*act);
      break;
    default:
      Failed = true;
      PopCount = 1000;
      return;
  }
  if (PopCount > 0) {
    --PopCount;
    return;
  }
  while (PopCount == 0 && !(s == 0 && AcceptFlag)) {
    if (ReduceProduction >= 0) RecordReduction();
    int16_t* savedHead = SublistHead;
    ReductionRecord* savedLast = SublistLast;
    const LrAction* go = Find(A.Gotos, st.FirstGoto, st.GotoCount, ReduceLhs);
    if (go == nullptr) {
      Failed = true;
      PopCount = 1000;
      return;
    }
    if (go->Kind == LrGotoCall) {
      Expect(*go);
      RunState(go->Target);
      PopCount -= go->RunLength;
    } else if (go->Kind == LrGotoReduce) {
      Expect(*go);
      SetReduction(*go);
    } else {
      ReduceLhs = 0;
      ReduceProduction = -1;
      SublistHead = nullptr;
      SublistLast = nullptr;
      AcceptFlag = 1;
      PopCount = 0;
    }
    if (savedHead != nullptr) {
      savedLast->next = SublistHead;
      SublistHead = savedHead;
      if (SublistLast == nullptr) SublistLast = savedLast;
    }
  }
  --PopCount;
}

// Parses the token names as one compilation unit: reset, first token, start
// state, the record of the token that stopped the parse, rewind.
void Parse(const std::vector<const char*>& names) {
  SetInput(names);
  ResetParseTrace();
  Advance();
  RunState(0);
  RecordToken();
  RewindParseTrace();
}

std::vector<int> Reductions() {
  std::vector<int> out;
  ForEachRecordedProduction(SublistHead, [&out](ProductionNumber p) { out.push_back(p); });
  return out;
}

std::vector<std::string> TokenNames() {
  std::vector<std::string> out;
  for (TokenRecord* r = Trace.TokenHead; r != nullptr; r = r->next)
    for (const InputToken& t : Input)
      if (t.position == r->position) out.push_back(A.TokenNames[t.code]);
  return out;
}

// Replays the trace by the grammar's rule: a nonterminal of several productions
// takes the next recorded production, one of a single production reads none; each
// terminal takes the next token record. Returns false when the records do not
// fit the derivation or are not all used.
bool ReplayDerivation(int nonterminal, std::vector<int>& singleOf) {
  int production = singleOf[nonterminal];
  if (production < 0) {
    if (Trace.ReductionCursor == nullptr) return false;
    production = NextReduction();
    if (A.Productions[production].Lhs != nonterminal) return false;
  }
  const LrProduction& p = A.Productions[production];
  for (int i = 0; i < p.Length; ++i) {
    int sym = A.RhsSymbols[p.FirstSymbol + i];
    if (sym < A.TokenCount) {
      if (Trace.TokenCursor->next == nullptr) return false;
      ReplaySkipToken();
    } else if (!ReplayDerivation(sym - A.TokenCount, singleOf)) {
      return false;
    }
  }
  return true;
}

bool ReplaysWhole() {
  std::vector<int> count(A.NonterminalCount, 0), singleOf(A.NonterminalCount, -1);
  for (int p = 0; p < A.ProductionCount; ++p) ++count[A.Productions[p].Lhs];
  for (int p = 0; p < A.ProductionCount; ++p)
    if (count[A.Productions[p].Lhs] == 1) singleOf[A.Productions[p].Lhs] = p;
  RewindParseTrace();
  if (!ReplayDerivation(0, singleOf)) return false;
  // Every reduction used, and the cursor on the record of the token that stopped
  // the parse, which is the last one.
  return Trace.ReductionCursor == nullptr && Trace.TokenCursor == Trace.TokenTail;
}

class TraceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitHeap(); }
  void SetUp() override { RecoveryMode = 0; }
};

TEST_F(TraceTest, GrammarExamplesRecordTheirDerivations) {
  struct Case {
    std::vector<const char*> tokens;
    std::vector<int> reductions;
  };
  std::vector<Case> cases = {
      {{}, {414, 62, 420, 418}},
      {{"packagesym", "Identifiersym", "dotsym", "Identifiersym", "semicolonsym"}, {414, 61, 65, 66, 420, 418}},
      {{"hashhashhashsym", "backslashsym", "Identifiersym", "openchainsym", "IntegerLiteralsym", "closechainsym"},
       {413, 451, 411, 449, 4, 6, 14, 62, 420, 418}},
  };
  for (const Case& c : cases) {
    Parse(c.tokens);
    EXPECT_FALSE(Failed);
    EXPECT_EQ(Reductions(), c.reductions);
    EXPECT_EQ(PopCount, -1);
    EXPECT_EQ(AcceptFlag, 1);
    EXPECT_TRUE(ReplaysWhole());
  }
  Parse({"packagesym", "Identifiersym", "dotsym", "Identifiersym", "semicolonsym"});
  EXPECT_EQ(TokenNames(), (std::vector<std::string>{"packagesym", "Identifiersym", "dotsym", "Identifiersym",
                                                     "semicolonsym", "endoffile"}));
}

TEST_F(TraceTest, TwoHeaderSectionsNestTheSecondInTheList) {
  Parse({"hashhashhashsym", "hashhashhashsym"});
  EXPECT_FALSE(Failed);
  EXPECT_EQ(Reductions(), (std::vector<int>{413, 452, 412, 451, 412, 62, 420, 418}));
  EXPECT_TRUE(ReplaysWhole());
}

// Sub-derivations from the statement and expression grammar, parsed inside a
// method body: "class A { void f() { BODY } }".
TEST_F(TraceTest, StatementAndExpressionExamples) {
  struct Case {
    std::vector<const char*> body;
    std::vector<int> expected;  // a contiguous run of the reduction list
  };
  std::vector<Case> cases = {
      {{"semicolonsym"}, {435, 463, 162, 169, 184}},
      {{}, {436}},
      {{"forsym", "openparsym", "semicolonsym", "semicolonsym", "closeparsym", "semicolonsym"},
       {174, 496, 494, 492, 169, 184}},
      {{"USERbreaksym", "semicolonsym"}, {188, 498}},
      {{"USERifsym", "openparsym", "Identifiersym", "closeparsym", "USERifsym", "openparsym", "Identifiersym",
        "closeparsym", "semicolonsym", "USERelsesym", "semicolonsym"},
       {171}},
      {{"throwsym", "Identifiersym", "semicolonsym"},
       {390, 387, 384, 381, 378, 375, 372, 367, 356, 349, 344, 337, 318, 325, 306, 54}},
      {{"Identifiersym", "equalssym", "Identifiersym", "semicolonsym"},
       {202, 394, 54, 397, 390, 387, 384, 381, 378, 375, 372, 367, 356, 349, 344, 337, 318, 325, 306, 54}},
      // l: while (c) ;
      {{"Identifiersym", "colonsym", "USERwhilesym", "openparsym", "Identifiersym", "closeparsym", "semicolonsym"},
       {170, 173, 390, 387, 384, 381, 378, 375, 372, 367, 356, 349, 344, 337, 318, 325, 306, 54, 169, 184}},
      // switch (e) { case 1: default: }: two groups, each a label and an empty list
      {{"USERswitchsym", "openparsym", "Identifiersym", "closeparsym", "openchainsym", "USERcasesym",
        "IntegerLiteralsym", "colonsym", "defaultsym", "colonsym", "closechainsym"},
       {439, 468, 215}},
      {{"USERswitchsym", "openparsym", "Identifiersym", "closeparsym", "openchainsym", "USERcasesym",
        "IntegerLiteralsym", "colonsym", "defaultsym", "colonsym", "closechainsym"},
       {436, 467, 216, 436}},
      // try { } finally { }
      {{"trysym", "openchainsym", "closechainsym", "finallysym", "openchainsym", "closechainsym"}, {193, 236, 436, 500, 436}},
      // final int i = 0;
      {{"finalsym", "intsym", "Identifiersym", "equalssym", "IntegerLiteralsym", "semicolonsym"}, {161}},
      // throw (int) - x;  a primitive cast of a negation
      {{"throwsym", "openparsym", "intsym", "closeparsym", "minussym", "Identifiersym", "semicolonsym"},
       {337, 318, 328, 331, 32, 34, 38, 430, 317, 318, 325, 306, 54}},
      // throw (a) b;  an expression cast: the records of a up to Expression, then b from 325
      {{"throwsym", "openparsym", "Identifiersym", "closeparsym", "Identifiersym", "semicolonsym"},
       {318, 328, 332, 390, 387, 384, 381, 378, 375, 372, 367, 356, 349, 344, 337, 318, 325, 306, 54, 325, 306, 54}},
      // throw (a) - b;  a subtraction with a parenthesized left operand
      {{"throwsym", "openparsym", "Identifiersym", "closeparsym", "minussym", "Identifiersym", "semicolonsym"},
       {349, 346, 344, 337, 318, 325, 304, 242, 245}},
      // throw a[i];  the first record of the access is 298
      {{"throwsym", "Identifiersym", "openbrksym", "Identifiersym", "closebrksym", "semicolonsym"},
       {304, 242, 249, 298, 54}},
      // throw new int[3][];  two dimensions, the second empty, no initializer
      {{"throwsym", "newsym", "intsym", "openbrksym", "IntegerLiteralsym", "closebrksym", "openbrksym", "closebrksym",
        "semicolonsym"},
       {304, 243, 275, 32, 34, 38, 448, 493}},
      {{"throwsym", "newsym", "intsym", "openbrksym", "IntegerLiteralsym", "closebrksym", "openbrksym", "closebrksym",
        "semicolonsym"},
       {447, 494, 504}},
      // throw void.class;
      {{"throwsym", "voidsym", "dotsym", "classsym", "semicolonsym"}, {304, 242, 255}},
      // throw a.super.m();
      {{"throwsym", "Identifiersym", "dotsym", "supersym", "dotsym", "Identifiersym", "openparsym", "closeparsym",
        "semicolonsym"},
       {304, 242, 248, 292, 54, 480}},
      // f(a, b, c);
      {{"Identifiersym", "openparsym", "Identifiersym", "commasym", "Identifiersym", "commasym", "Identifiersym",
        "closeparsym", "semicolonsym"},
       {207, 288, 54, 479, 446}},
  };
  for (const Case& c : cases) {
    std::vector<const char*> tokens = {"classsym", "Identifiersym", "openchainsym", "voidsym", "Identifiersym",
                                       "openparsym", "closeparsym", "openchainsym"};
    tokens.insert(tokens.end(), c.body.begin(), c.body.end());
    tokens.push_back("closechainsym");
    tokens.push_back("closechainsym");
    Parse(tokens);
    EXPECT_FALSE(Failed);
    std::vector<int> all = Reductions();
    EXPECT_NE(std::search(all.begin(), all.end(), c.expected.begin(), c.expected.end()), all.end())
        << "records of the body not found in order";
    EXPECT_TRUE(ReplaysWhole());
  }
}

TEST_F(TraceTest, DanglingElseBindsToTheInnerIf) {
  Parse({"classsym", "Identifiersym", "openchainsym", "voidsym", "Identifiersym", "openparsym", "closeparsym",
         "openchainsym", "USERifsym", "openparsym", "Identifiersym", "closeparsym", "USERifsym", "openparsym",
         "Identifiersym", "closeparsym", "semicolonsym", "USERelsesym", "semicolonsym", "closechainsym",
         "closechainsym"});
  EXPECT_FALSE(Failed);
  std::vector<int> all = Reductions();
  // The outer statement is an if-then (171) whose statement is an if-then-else (172).
  auto outer = std::find(all.begin(), all.end(), 171);
  ASSERT_NE(outer, all.end());
  EXPECT_NE(std::find(outer, all.end(), 172), all.end());
  EXPECT_TRUE(ReplaysWhole());
}

TEST_F(TraceTest, NothingIsRecordedInRecovery) {
  ResetParseTrace();
  SetInput({"semicolonsym"});
  Advance();
  RecoveryMode = 1;
  RecordToken();
  ReduceProduction = 7;
  RecordReduction();
  EXPECT_EQ(Trace.TokenHead, nullptr);
  EXPECT_EQ(SublistHead, nullptr);
  RecoveryMode = 0;
  RecordToken();
  RecordReduction();
  ASSERT_NE(Trace.TokenHead, nullptr);
  EXPECT_EQ(Trace.TokenHead->position, 10);
  EXPECT_EQ(Trace.TokenHead->value.Integer, 1000);
  ASSERT_NE(SublistHead, nullptr);
  EXPECT_EQ(Reductions(), std::vector<int>{7});
}

TEST_F(TraceTest, RecordsPushInFrontAndResetKeepsTheCursors) {
  ResetParseTrace();
  for (int p : {3, 2, 1}) {
    ReduceProduction = p;
    RecordReduction();
  }
  EXPECT_EQ(SublistLast->production[ReductionSlots - 1], 3);
  RewindParseTrace();
  EXPECT_EQ(NextReduction(), 1);
  EXPECT_EQ(NextReduction(), 2);
  const int16_t* cursor = Trace.ReductionCursor;
  PopCount = 5;
  AcceptFlag = 1;
  ResetParseTrace();
  EXPECT_EQ(PopCount, 0);
  EXPECT_EQ(AcceptFlag, 0);
  EXPECT_EQ(SublistHead, nullptr);
  EXPECT_EQ(Trace.ReductionCursor, cursor);
}

// A chain of productions that a state routine records with nothing in
// between shares records, three to a record; a sublist spliced in behind
// (as a state routine splices the sublist of the state it called) and the
// records of single pushes keep the list in order, for the reader as for
// the walk.
TEST_F(TraceTest, ChainStepsShareRecordsAndKeepTheOrder) {
  ResetParseTrace();
  int32_t slots = 0;
  RecordChainStep(9, slots);
  int16_t* savedHead = SublistHead;
  ReductionRecord* savedLast = SublistLast;
  SublistHead = nullptr;
  SublistLast = nullptr;
  int32_t innerSlots = 0;
  for (int p : {13, 12, 11, 10}) RecordChainStep(p, innerSlots);
  EXPECT_EQ(SublistLast->next, nullptr);
  EXPECT_EQ(SublistLast->production[0], 11);  // 13, 12 and 11 in one record, 10 in the next
  const auto* second = reinterpret_cast<const ReductionRecord*>(SublistHead - (ReductionSlots - 1));
  EXPECT_EQ(second->next, &SublistLast->production[0]);
  savedLast->next = SublistHead;
  SublistHead = savedHead;
  for (int p : {8, 7}) RecordChainStep(p, slots);
  EXPECT_EQ(SublistHead, &savedLast->production[0]);  // 9, 8 and 7 share a record
  RecordChainStep(6, slots);
  EXPECT_NE(SublistHead, &savedLast->production[0]);
  ReduceProduction = 5;
  RecordReduction();
  const std::vector<int> expected = {5, 6, 7, 8, 9, 10, 11, 12, 13};
  EXPECT_EQ(Reductions(), expected);
  RewindParseTrace();
  std::vector<int> replayed;
  for (size_t i = 0; i < expected.size(); ++i) replayed.push_back(NextReduction());
  EXPECT_EQ(replayed, expected);
  EXPECT_EQ(Trace.ReductionCursor, nullptr);
  // In recovery nothing is recorded, and a chain does not go on after it.
  RecoveryMode = 1;
  int32_t noSlots = 0;
  RecordChainStep(4, noSlots);
  EXPECT_EQ(noSlots, 0);
  RecoveryMode = 0;
  EXPECT_EQ(Reductions(), expected);
}

// A parse's records fill several store blocks and still chain in order; the
// next parse reuses the same memory instead of taking more, and a smaller one
// after it keeps the store as it was.
TEST_F(TraceTest, EachParseReusesTheStoreOfTheOneBefore) {
  auto recordParse = [](int tokens, int reductions) {
    ResetParseTrace();
    for (int i = 0; i < tokens; ++i) {
      TokenLength = 1;
      PositionCounter = i + 1;
      TokenAttribute.Integer = i;
      RecordToken();
    }
    for (int p = 0; p < reductions; ++p) {
      ReduceProduction = p % 500;
      RecordReduction();
    }
    RewindParseTrace();
  };
  auto traceIsIntact = [](int tokens, int reductions) {
    int t = 0;
    for (TokenRecord* r = Trace.TokenHead; r != nullptr; r = r->next, ++t) {
      if (r->position != t + 1 || r->value.Integer != t) return false;
    }
    int p = reductions;
    bool inOrder = true;
    ForEachRecordedProduction(SublistHead, [&](ProductionNumber production) {
      if (production != --p % 500) inOrder = false;
    });
    return inOrder && t == tokens && p == 0 && Trace.TokenTail != nullptr && Trace.TokenTail->next == nullptr;
  };
  // Enough records for several blocks of the store.
  const int tokens = static_cast<int>(3 * TraceBlockSize / sizeof(TokenRecord));
  const int reductions = static_cast<int>(2 * TraceBlockSize / sizeof(ReductionRecord));
  recordParse(tokens, reductions);
  EXPECT_TRUE(traceIsIntact(tokens, reductions));
  size_t storeAfterFirst = TraceStoreBytes();
  uint64_t heapAfterFirst = HeapBytesUsed();
  EXPECT_GE(storeAfterFirst, tokens * sizeof(TokenRecord) + reductions * sizeof(ReductionRecord));
  for (int k : {1, 2}) {
    recordParse(tokens, reductions);
    EXPECT_TRUE(traceIsIntact(tokens, reductions)) << "parse " << k + 1;
    EXPECT_EQ(TraceStoreBytes(), storeAfterFirst) << "parse " << k + 1;
    EXPECT_EQ(HeapBytesUsed(), heapAfterFirst) << "parse " << k + 1;
  }
  recordParse(3, 2);
  EXPECT_TRUE(traceIsIntact(3, 2));
  EXPECT_EQ(TraceStoreBytes(), storeAfterFirst);
}

TEST_F(TraceTest, ReplayHandsOutValuesAndMovesThePosition) {
  // A qualified name a.b: identifier, dot, identifier, then the stopping token.
  ResetParseTrace();
  Identifier* a = IdentifierOf("a");
  Identifier* b = IdentifierOf("b");
  const void* values[] = {a, nullptr, b, nullptr};
  for (int i = 0; i < 4; ++i) {
    TokenLength = 1;
    PositionCounter = 5 + 2 * i;
    TokenAttribute.Reference = values[i];
    RecordToken();
  }
  RewindParseTrace();
  PositionCounter = Trace.TokenCursor->position;
  LazyCell* first = nullptr;
  LazyCell* second = nullptr;
  ReplayWordToken(&first);
  EXPECT_EQ(PositionCounter, 7);
  ReplaySkipToken();
  ReplayWordToken(&second);
  EXPECT_EQ(reinterpret_cast<Identifier*>(ForceLazyCell(first)), a);
  EXPECT_EQ(reinterpret_cast<Identifier*>(ForceLazyCell(second)), b);
  EXPECT_EQ(PositionCounter, 11);  // the token after the name
}

TEST_F(TraceTest, ConditionListIsEmptyAndSucceeds) {
  InitConditionList();
  EXPECT_EQ(EvaluateConditions(), 1);
  InitGlobalCells();
  EXPECT_NE(UnitTreeCell, nullptr);
  EXPECT_NE(UnitPassCell, UnitTreeCell);
}

const char* NameOfToken(TokenCode code) { return A.TokenNames[code]; }

// Runs a printer with the standard error stream caught in a temporary file.
template <typename F>
std::string Caught(F print) {
  FILE* saved = StderrStream;
  FILE* file = std::tmpfile();
  StderrStream = file;
  print();
  StderrStream = saved;
  std::rewind(file);
  std::string out;
  for (int c; (c = std::fgetc(file)) != EOF;) out += char(c);
  std::fclose(file);
  return out;
}

TEST_F(TraceTest, PrintersNameTheExpectedAndTheFoundToken) {
  InitErrorReport();
  SetTokenNames(&NameOfToken);
  TokenLength = 1;
  PositionCounter = 0;
  SyntaxErrorFlag = 0;
  CurrentToken = Code("closeparsym");
  EXPECT_EQ(Caught([] { ReportExpected("semicolonsym", 0); }),
            "line 0  0  semicolonsym expected, closeparsym encountered\n");
  EXPECT_EQ(SyntaxErrorFlag, 0);
  RecoveryMode = 1;
  Caught([] { ReportExpected("Identifiersym", 1); });
  EXPECT_EQ(SyntaxErrorFlag, 0);
  RecoveryMode = 0;
  Caught([] { ReportExpected("Identifiersym", 1); });
  EXPECT_EQ(SyntaxErrorFlag, 1);
  CurrentToken = Code("semicolonsym");
  EXPECT_EQ(Caught([] { ReportUnexpected(); }), "line 0  0  unexpected symbol, semicolonsym encountered\n");
  // An illegal character: reported once, without naming a token.
  CurrentToken = 0;
  DeletionMarker = -1;
  EXPECT_EQ(Caught([] { ReportUnexpected(); }), "line 0  0   illegal symbol deleted \n");
  EXPECT_EQ(DeletionMarker, 0);
  EXPECT_EQ(Caught([] { ReportUnexpected(); }), "");
}

}  // namespace
