// Name resolution of each unit's QUALIFIEDS and the five result lists.
#include "caldrex/resolve.h"

#include <cstring>
#include <initializer_list>

#include "caldrex/messages.h"
#include "caldrex/options.h"
#include "caldrex/qualnames.h"
#include "caldrex/searchpath.h"
#include "support/input.h"
#include "support/output.h"
#include "support/startup.h"

NameList FoundFiles;
NameList StandardUses;
NameList MissingImports;
NameList FoundImports;
NameList OnDemandPackages;
NameList UnresolvedNames;
NameList Worklist;

namespace {

int32_t ResultListsInitFlag = 0;

// The last cell already taken, so that paths appended later are found.
ConsList WorkTaken = nullptr;

Identifier* NameRange(Identifier* name, int32_t first, int32_t last) {
  return MakeIdentifier(name->text, first, last);
}

LayoutNode* FormatName(Identifier* name) { return LayoutIdentifier(name); }

// One list as lines: every entry followed by a newline, nothing when empty.
void WriteList(const char* fileName, ConsList entries, LayoutNode* (*format)(Identifier*)) {
  ConsListBuilder lines;
  for (; entries != nullptr; entries = entries->tail) lines.Add(format(ConsHead<Identifier>(entries)));
  OpenOutput(fileName);
  PrintLayout(LayoutAbove(LayoutVertical(lines.head), LayoutText("")));
  CloseOutput();
}

}  // namespace

void InitResultLists() {
  if (!EnterModuleInit(ResultListsInitFlag)) return;
  ExitModuleInit();
  InitSearchPath();
  InitOutput();
  InitLayout();
  for (NameList* list : {&FoundFiles, &StandardUses, &MissingImports, &FoundImports, &OnDemandPackages,
                         &UnresolvedNames, &Worklist}) {
    list->runWide = true;
  }
  ClearNameList(FoundFiles);
  ClearNameList(StandardUses);
  ClearNameList(MissingImports);
  AppendName(MissingImports, IdentifierOf(JavaLangObjectText));
  ClearNameList(FoundImports);
  ClearNameList(OnDemandPackages);
  ClearNameList(UnresolvedNames);
  ClearNameList(Worklist);
  WorkTaken = nullptr;
}

int32_t FindLastChar(const char* text, char c) {
  const char* at = std::strrchr(text, c);
  return at == nullptr ? -1 : static_cast<int32_t>(at - text);
}

Identifier* FirstNameComponent(Identifier* name) {
  const char* dot = std::strchr(name->text, '.');
  if (dot == nullptr) return name;
  return NameRange(name, 0, static_cast<int32_t>(dot - name->text) - 1);
}

Identifier* LastNameComponent(Identifier* name) {
  int32_t dot = FindLastChar(name->text, '.');
  if (dot < 0) return name;
  return NameRange(name, dot + 1, name->length - 1);
}

ConsList ListDifference(ConsList a, const NameList& b) {
  ConsListBuilder result;
  for (; a != nullptr; a = a->tail) {
    if (!NameListHas(b, a->head)) result.Add(a->head);
  }
  return result.head;
}

bool RecordResolution(Identifier* answer, Identifier* name) {
  if (answer == EmptyIdentifier) return true;
  if (answer == StandardMarker) {
    AppendName(StandardUses, name);
  } else {
    AppendName(FoundFiles, answer);
    AppendName(Worklist, answer);
  }
  return false;
}

bool ResolveUnnamed(Identifier* name) {
  Identifier* answer = FindFilePrefixVar(&name);
  return RecordResolution(answer, name);
}

ImportIndex IndexImports(ConsList imports) {
  ImportIndex index;
  for (; imports != nullptr; imports = imports->tail) {
    auto* import = ConsHead<Identifier>(imports);
    index.byLastComponent[LastNameComponent(import)].push_back(import);
  }
  return index;
}

bool ResolveImports(Identifier* name, const ImportIndex& imports) {
  auto group = imports.byLastComponent.find(FirstNameComponent(name));
  if (group == imports.byLastComponent.end()) return true;
  for (Identifier* import : group->second) {
    Identifier* answer = FindFilePrefix(import);
    if (answer == EmptyIdentifier) {
      AppendName(MissingImports, import);
      continue;
    }
    AppendName(FoundImports, import);
    RecordResolution(answer, import);
    return false;
  }
  return true;
}

bool ResolveWildCards(Identifier* name, ConsList packages) {
  Identifier* first = FirstNameComponent(name);
  for (; packages != nullptr; packages = packages->tail) {
    Identifier* member = nullptr;
    Identifier* answer = FindPackageMember(ConsHead<Identifier>(packages), first, &member);
    if (answer != EmptyIdentifier) return RecordResolution(answer, member);
  }
  return true;
}

void ResolveUnitNames() {
  NameList unresolved;
  const ImportIndex imports = IndexImports(SingleTypeImports.head);
  for (ConsList entry = Qualifieds.head; entry != nullptr; entry = entry->tail) {
    auto* name = ConsHead<Identifier>(entry);
    if (ResolveUnnamed(name) && ResolveImports(name, imports) &&
        ResolveWildCards(name, OnDemandImports.head)) {
      AppendName(unresolved, name);
    }
  }
  UnionNames(UnresolvedNames, unresolved.head);
  UnionNames(OnDemandPackages, OnDemandImports.head);
}

Identifier* TakeNextWorkFile() {
  ConsList next = WorkTaken == nullptr ? Worklist.head : WorkTaken->tail;
  if (next == nullptr) return nullptr;
  WorkTaken = next;
  return ConsHead<Identifier>(next);
}

LayoutNode* FormatOnDemandEntry(Identifier* package) {
  if (package == EmptyIdentifier) return LayoutText("");
  return LayoutBeside(LayoutIdentifier(package), LayoutText("."));
}

LayoutNode* FormatSourceFileEntry(Identifier* path) {
  return LayoutBeside(LayoutText(SourceFileEntryPrefix), LayoutIdentifier(path));
}

void WriteResultLists() {
  CloseInput();
  WriteList(OptionValue(MissingImportsOption), ListDifference(MissingImports.head, FoundImports), FormatName);
  WriteList(OptionValue(OnDemandOption), OnDemandPackages.head, FormatOnDemandEntry);
  WriteList(OptionValue(SourceFilesOption), FoundFiles.head, FormatSourceFileEntry);
  WriteList(OptionValue(StandardUsesOption), StandardUses.head, FormatName);
  WriteList(OptionValue(UnresolvedOption), UnresolvedNames.head, FormatName);
  ExitProgram(0);
}
