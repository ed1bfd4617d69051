// Name resolution and the five result lists.
//
// Each name of a unit's QUALIFIEDS is resolved in three steps, the first
// that succeeds ending them: as written (the name and its shorter dotted
// prefixes), through the unit's single-type imports, and through its
// packages (own package, the unnamed package, java.lang, on-demand imports).
// A step resolves a name when the lookup answers a file (queued on the work
// list and recorded as found) or the standard marker (recorded as a standard
// use). Run-wide lists collect what was found, used or missing; when no file
// is left, WriteResultLists writes them in the order -ti, -tw, -ij, -ic,
// -res and ends the program with status 0.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "caldrex/namelist.h"
#include "support/identifiers.h"
#include "support/layout.h"

// Run-wide lists (entries are Identifiers).
extern NameList FoundFiles;        // source-file paths in order of discovery (-ij)
extern NameList StandardUses;      // names resolved to a standard name (-ic)
extern NameList MissingImports;    // single-type imports tried without a file
extern NameList FoundImports;      // single-type imports that resolved a name
extern NameList OnDemandPackages;  // every unit's on-demand packages (-tw)
extern NameList UnresolvedNames;   // names no step resolved (-res)

// The work list: paths found and not yet parsed, first in, first out. A
// path enters it once per run (a path found again is never parsed again).
extern NameList Worklist;

// Once-only init: the start values of every run-wide list.
void InitResultLists();

// Resolves every name of the unit's QUALIFIEDS and merges the unit's
// unresolved names and on-demand packages into the run-wide lists.
void ResolveUnitNames();

// A unit's single-type imports grouped by their last component, each group
// in list order: a name is tried only against the imports that can resolve
// it, so many names and many imports cost their sum, not their product.
struct ImportIndex {
  std::unordered_map<const Identifier*, std::vector<Identifier*>> byLastComponent;
};
ImportIndex IndexImports(ConsList imports);

// The steps; each returns true while the name is still unresolved.
// ResolveImports tries, in list order, the imports whose last component is
// the name's first component.
bool ResolveUnnamed(Identifier* name);
bool ResolveImports(Identifier* name, const ImportIndex& imports);
bool ResolveWildCards(Identifier* name, ConsList packages);

// Books an answer for name; true when the answer is EmptyIdentifier.
bool RecordResolution(Identifier* answer, Identifier* name);

// The text before the first "." / after the last "."; the name itself when
// it has none.
Identifier* FirstNameComponent(Identifier* name);
Identifier* LastNameComponent(Identifier* name);

// Index of the last occurrence of c in text, or -1.
int32_t FindLastChar(const char* text, char c);

// The elements of a, in order, that b does not hold.
ConsList ListDifference(ConsList a, const NameList& b);

// The next path of the work list, or null when it is empty.
Identifier* TakeNextWorkFile();

LayoutNode* FormatOnDemandEntry(Identifier* package);
LayoutNode* FormatSourceFileEntry(Identifier* path);

// Closes the current input, writes the five lists and exits with status 0.
[[noreturn]] void WriteResultLists();
