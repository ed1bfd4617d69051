// Token replay for the tree builders and the printers of syntax-error lines.
#include "support/replay.h"

#include <cstdio>

#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

TokenNameFunction TokenNameOf;

SourcePosition CurrentTokenPosition() { return PositionCounter - TokenLength + 1; }

}  // namespace

void SetTokenNames(TokenNameFunction names) { TokenNameOf = names; }

void ReplayWordToken(LazyCell** out) {
  *out = NewEvaluatedCell<Word>(reinterpret_cast<Word>(Trace.TokenCursor->value.Reference));
  ReplaySkipToken();
}

void ReplayCharToken(LazyByteCell** out) {
  *out = NewEvaluatedCell<uint8_t>(Trace.TokenCursor->value.Character);
  ReplaySkipToken();
}

void ReplayRealToken(LazyRealCell** out) {
  *out = NewEvaluatedCell<double>(Trace.TokenCursor->value.Real);
  ReplaySkipToken();
}

void PrintSymbolName(const char* name) { std::fputs(name, StderrStream); }

void PrintEncountered() {
  std::fputs(EncounteredPrefixText, StderrStream);
  std::fputs(TokenNameOf(CurrentToken), StderrStream);
  std::fputs(EncounteredSuffixText, StderrStream);
}

void ReportExpected(const char* name, int32_t flag) {
  BeginMessage(CurrentTokenPosition(), 0);
  PrintSymbolName(name);
  std::fputs(ExpectedText, StderrStream);
  PrintEncountered();
  EndMessage();
  if (flag != 0 && RecoveryMode == 0) SyntaxErrorFlag = 1;
}

void ReportUnexpected() {
  if (CurrentToken != 0) {
    BeginMessage(CurrentTokenPosition(), 0);
    std::fputs(UnexpectedSymbolText, StderrStream);
    PrintEncountered();
    EndMessage();
  } else if (DeletionMarker == -1) {
    ReportTokenError(CurrentTokenPosition(), IllegalSymbolText, "");
    DeletionMarker = 0;
  }
}
