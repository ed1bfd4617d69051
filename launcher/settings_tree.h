// The tree of a settings text and its root attribute.
//
// The tree is a root record with two lazily computed attributes: the list of
// entries (one per key = value line, in order) and the environment (the
// definitions of all entries, united in order). Forcing the run's pass cell
// forces both, checks every key for a second definition, and then starts
// Java: the launch is the evaluation of the settings tree's root.
#pragma once

#include "support/conslist.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"

// One key = value line.
struct IniRecord {
  SourcePosition position;
  Identifier* key;
  const char* value;  // the integer's digits or the quoted text, quotes included
};

// The root of a settings tree.
struct IniRoot {
  LazyCell* records;      // ConsList of IniRecord*, in input order
  LazyCell* environment;  // ConsList of IniRecord* (the definitions), in input order
};

// The run-wide cells: the tree of the current settings text, and the pass
// that checks it and launches Java. Made anew by InitIniGlobalCells before
// each parse.
extern LazyCell* IniTreeCell;
extern LazyCell* IniPassCell;

// Once-only initialisation of the module.
void InitSettingsTree();

// Takes the two run-wide cells afresh from the heap.
void InitIniGlobalCells();

// Makes the root of a tree with the given entries (a ConsList of IniRecord*
// in input order) the value of IniTreeCell, and sets IniPassCell to run the
// pass over it.
void BuildIniRoot(ConsList records);

// A new entry record.
IniRecord* NewIniRecord(SourcePosition position, Identifier* key, const char* value);

// The definitions of key in the environment, in order.
ConsList IniDefinitionsOf(ConsList environment, const Identifier* key);

// The key checks of the pass: a warning at every entry whose key is defined
// more than once.
void ResolveIniRecords(ConsList records, ConsList environment);
