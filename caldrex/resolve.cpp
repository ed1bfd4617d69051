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

// p + "." + component, interned.
Identifier* PackageCandidate(Identifier* package, Identifier* component) {
  if (package == EmptyIdentifier) return component;
  size_t length = static_cast<size_t>(package->length) + 1 + static_cast<size_t>(component->length);
  auto* text = static_cast<char*>(Allocate(length + 1));
  std::memcpy(text, package->text, static_cast<size_t>(package->length));
  text[package->length] = '.';
  std::memcpy(text + package->length + 1, component->text, static_cast<size_t>(component->length) + 1);
  return IdentifierOf(text);
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

namespace {

// Whether the name's last component is the given identifier. The same as
// LastNameComponent(name) == component, as identifiers are interned by their
// text, but the component is compared in place instead of being interned:
// every qualified name of a unit is tried against every single-type import.
bool LastComponentIs(Identifier* name, Identifier* component) {
  const int32_t dot = FindLastChar(name->text, '.');
  const int32_t length = name->length - dot - 1;
  return length == component->length &&
         std::memcmp(name->text + dot + 1, component->text, static_cast<size_t>(length)) == 0;
}

}  // namespace

bool ResolveImports(Identifier* name, ConsList imports) {
  Identifier* first = FirstNameComponent(name);
  for (; imports != nullptr; imports = imports->tail) {
    auto* import = ConsHead<Identifier>(imports);
    if (!LastComponentIs(import, first)) continue;
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
    Identifier* candidate = PackageCandidate(ConsHead<Identifier>(packages), first);
    Identifier* answer = FindFilePrefix(candidate);
    if (answer != EmptyIdentifier) return RecordResolution(answer, candidate);
  }
  return true;
}

void ResolveUnitNames() {
  NameList unresolved;
  for (ConsList entry = Qualifieds.head; entry != nullptr; entry = entry->tail) {
    auto* name = ConsHead<Identifier>(entry);
    if (ResolveUnnamed(name) && ResolveImports(name, SingleTypeImports.head) &&
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
