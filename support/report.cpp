// The error reporter.
//
// All diagnostics are written with the C library's standard error stream and
// flushed at the end of each message, so they appear at once whatever the
// program is writing elsewhere. The stream is line-buffered (start-up sets
// it so), so the pieces of a message line leave in one write. Positions become input name, line and column
// only here, through PositionToLine.
#include "support/report.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "support/heap.h"
#include "support/identifiers.h"
#include "support/startup.h"

int32_t ErrorCount = 0;
int32_t WarningCount = 0;
int32_t SuccessFlag = 1;
int32_t SyntaxErrorFlag = 0;
int32_t RecoveryMode = 0;
int32_t FatalHeaderPrinted = 0;
TokenValue* TokenAttributeRef = nullptr;

namespace {

int32_t ErrorReportInitFlag = 0;

void WriteHeader(SourcePosition position, int32_t warning) {
  SourceLine where = PositionToLine(position);
  if (where.name != nullptr) {
    fputc('"', StderrStream);
    PrintIdentifier(where.name);
    fputs("\", ", StderrStream);
  }
  fprintf(StderrStream, "%s%" PRId64 "  %" PRId64 "  ", LinePrefixText, where.line, where.column);
  if (warning != 0) fputs(WarningPrefixText, StderrStream);
}

void CountMessage(int32_t warning) {
  if (warning != 0) {
    WarningCount += 1;
  } else {
    ErrorCount += 1;
    SuccessFlag = 0;
  }
}

}  // namespace

void InitErrorReport() {
  if (!EnterModuleInit(ErrorReportInitFlag)) return;
  ExitModuleInit();
  InitRuntimeBase();
  InitIdentifierTable();
  SourceInputModuleInit();
  ClearInputs();
  ErrorCount = 0;
  WarningCount = 0;
  SuccessFlag = 1;
  SyntaxErrorFlag = 0;
  RecoveryMode = 0;
  AllocateInputTables();
  TokenAttributeRef = &TokenAttribute;
  RegisterRoot(&TokenAttributeRef);
}

void BeginMessage(SourcePosition position, int32_t warning) {
  CountMessage(warning);
  WriteHeader(position, warning);
}

void EndMessage() {
  fputc('\n', StderrStream);
  fflush(StderrStream);
}

void ReportTokenError(SourcePosition position, const char* text, const char* tokenText) {
  CountMessage(0);
  WriteHeader(position, 0);
  if (text != nullptr) fputs(text, StderrStream);
  if (tokenText != nullptr && tokenText[0] != '\0') {
    fputs(" (", StderrStream);
    fwrite(tokenText, 1, strcspn(tokenText, " "), StderrStream);
    fputs(EncounteredText, StderrStream);
  }
  fputc('\n', StderrStream);
  fflush(StderrStream);
}

void FatalError(const char* text) {
  SourceLine where = PositionToLine(PositionCounter);
  if (FatalHeaderPrinted == 0) {
    if (where.name != nullptr) {
      PrintIdentifier(where.name);
      fputc(':', StderrStream);
    }
    fputc('\n', StderrStream);
    FatalHeaderPrinted = 1;
  }
  SuccessFlag = 0;
  SyntaxErrorFlag = 1;
  ErrorCount += 1;
  fprintf(StderrStream, "%" PRId64 "  %" PRId64 "  %s%s\n", where.line, where.column, FatalErrorPrefixText,
          text != nullptr ? text : "");
  fflush(StderrStream);
  CloseInput();
  ExitProgram(1);
}

void InternalError(const char* moduleName, int32_t line) {
  fprintf(StderrStream, "%s\"%s\", line %d%s\n", InternalErrorText,
          moduleName != nullptr ? moduleName : "", line, TypeErrorText);
  fflush(StderrStream);
  ExitProgram(1);
}

void CannotOpenFile(const char* path) {
  fprintf(StderrStream, "%s%s\n", CannotOpenFileText, path != nullptr ? path : "");
  fflush(StderrStream);
  ExitProgram(1);
}
