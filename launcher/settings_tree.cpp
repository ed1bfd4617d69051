// The settings tree: entry records, the root with its two lazy attributes,
// the key checks, and the root pass that launches Java.
#include "launcher/settings_tree.h"

#include "launcher/discovery.h"
#include "support/heap.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/services.h"
#include "support/startup.h"
#include "support/trace.h"

LazyCell* IniTreeCell = nullptr;
LazyCell* IniPassCell = nullptr;

namespace {

int32_t settingsTreeReady = 0;

// Name of this module in internal-error reports.
constexpr const char* ResolutionModule = "Resolution";
// Line that internal-error reports of this module name.
constexpr int32_t ResolutionLine = 13;

// Messages of the key checks and of key look-ups.
constexpr const char* MoreThanOneDefinition = "more than one definition for ";
constexpr const char* NoDefinition = "no definition for ";
constexpr const char* ResolveChose = "Resolve chose this definition of Record '";
constexpr const char* ResolveChoseEnd = "'";

// One positioned message: the header, the text, the key, the rest.
void ReportKey(SourcePosition position, int32_t warning, const char* text, const Identifier* key,
               const char* rest) {
  BeginMessage(position, warning);
  PrintString(text);
  PrintIdentifier(key);
  PrintString(rest);
  EndMessage();
}

Word ComputeRecords(void* context) {
  return reinterpret_cast<Word>(static_cast<ConsList>(context));
}

// Each entry defines its key; the definitions are united in input order.
// Every entry is a record of its own, so the union of the entries' single
// definitions is one definition per entry, in order: built in one pass.
Word ComputeEnvironment(void* context) {
  ConsListBuilder environment;
  for (ConsList r = static_cast<ConsList>(context); r != nullptr; r = r->tail) environment.Add(r->head);
  return reinterpret_cast<Word>(environment.head);
}

// The pass: force the tree, check its keys, visit the values, start Java.
Word RunIniPass(LazyCell* cell) {
  auto* root = reinterpret_cast<IniRoot*>(ForceLazyCell(IniTreeCell));
  auto records = reinterpret_cast<ConsList>(ForceLazyCell(root->records));
  auto environment = reinterpret_cast<ConsList>(ForceLazyCell(root->environment));
  ResolveIniRecords(records, environment);
  StoreLazyValue<Word>(cell, 0);
  LaunchJava();
}

// IniRecord : Keysym equalssym Value (the only production of IniRecord,
// so it leaves no record; Value's two productions both carry a text).
IniRecord* ReplayIniRecord() {
  SourcePosition at = PositionCounter;
  LazyCell* key;
  ReplayWordToken(&key);
  ReplaySkipToken();
  ReadReduction();
  LazyCell* value;
  ReplayWordToken(&value);
  return NewIniRecord(at, reinterpret_cast<Identifier*>(ForceLazyCell(key)),
                      reinterpret_cast<const char*>(ForceLazyCell(value)));
}

// _MOREIniRecord : IniRecord | IniRecord _MOREIniRecord. The right recursion
// is replayed as a loop, so a long settings text needs no deep call chain.
ConsList ReplayMoreRecords() {
  ConsListBuilder records;
  for (;;) {
    int32_t production = ReadReduction();
    records.Add(ReplayIniRecord());
    if (production == IniRecordsLast) return records.head;
  }
}

// Inifile : _OPT_MOREIniRecord (unrecorded); the option is present or empty.
ConsList ReplayInifile() {
  if (ReadReduction() == IniRecordsEmpty) return nullptr;
  return ReplayMoreRecords();
}

}  // namespace

void InitSettingsTree() {
  if (!EnterModuleInit(settingsTreeReady)) return;
  InitErrorReport();
  RegisterRoot(&IniTreeCell);
  RegisterRoot(&IniPassCell);
}

void InitIniGlobalCells() {
  IniTreeCell = NewEvaluatedCell<Word>(0);
  IniPassCell = NewEvaluatedCell<Word>(0);
}

IniRecord* NewIniRecord(SourcePosition position, Identifier* key, const char* value) {
  auto* record = static_cast<IniRecord*>(Allocate(sizeof(IniRecord)));
  record->position = position;
  record->key = key;
  record->value = value;
  return record;
}

void BuildIniRoot(ConsList records) {
  auto* root = static_cast<IniRoot*>(Allocate(sizeof(IniRoot)));
  root->records = NewLazyCell<Word>(records, ComputeOnce<Word, ComputeRecords>);
  root->environment = NewLazyCell<Word>(records, ComputeOnce<Word, ComputeEnvironment>);
  StoreLazyValue<Word>(IniTreeCell, reinterpret_cast<Word>(root));
  IniPassCell->context = nullptr;
  IniPassCell->function = RunIniPass;
}

void BuildIniRootFromTrace() { BuildIniRoot(ReplayInifile()); }

ConsList IniDefinitionsOf(ConsList environment, const Identifier* key) {
  ConsList found = nullptr;
  for (ConsList d = environment; d != nullptr; d = d->tail) {
    auto* record = static_cast<IniRecord*>(d->head);
    if (record == nullptr) InternalError(ResolutionModule, ResolutionLine);
    if (record->key == key) ConsAppendIfAbsent(found, record);
  }
  return found;
}

void ResolveIniRecords(ConsList records, ConsList environment) {
  for (ConsList r = records; r != nullptr; r = r->tail) {
    auto* record = static_cast<IniRecord*>(r->head);
    if (record == nullptr) InternalError(ResolutionModule, ResolutionLine);
    ConsList definitions = IniDefinitionsOf(environment, record->key);
    if (definitions != nullptr && definitions->tail != nullptr) {
      ReportKey(record->position, 1, MoreThanOneDefinition, record->key, "");
    }
  }
}

IniRecord* ResolveIniKey(ConsList environment, const Identifier* key, SourcePosition position) {
  ConsList definitions = IniDefinitionsOf(environment, key);
  if (definitions == nullptr) {
    ReportKey(position, 0, NoDefinition, key, "");
    return nullptr;
  }
  auto* chosen = static_cast<IniRecord*>(definitions->head);
  if (definitions->tail != nullptr) ReportKey(chosen->position, 1, ResolveChose, key, ResolveChoseEnd);
  return chosen;
}
