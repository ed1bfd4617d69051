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

// Replays the parse trace of a settings text (cursors rewound, the position
// counter at the first token) into its entries and builds the root over them
// as BuildIniRoot does.
void BuildIniRootFromTrace();

// Production numbers of settings.grammar that the replay tells apart.
inline constexpr int32_t IniValueInteger = 2;      // Value : IntLitsym
inline constexpr int32_t IniValueString = 3;       // Value : StringLitsym
inline constexpr int32_t IniRecordsPresent = 4;    // _OPT_MOREIniRecord : _MOREIniRecord
inline constexpr int32_t IniRecordsEmpty = 5;      // _OPT_MOREIniRecord : %empty
inline constexpr int32_t IniRecordsLast = 6;       // _MOREIniRecord : IniRecord
inline constexpr int32_t IniRecordsMore = 7;       // _MOREIniRecord : IniRecord _MOREIniRecord

// A new entry record.
IniRecord* NewIniRecord(SourcePosition position, Identifier* key, const char* value);

// The definitions of key in the environment, in order.
ConsList IniDefinitionsOf(ConsList environment, const Identifier* key);

// The key checks of the pass: a warning at every entry whose key is defined
// more than once.
void ResolveIniRecords(ConsList records, ConsList environment);

// Looks a key up for a use at `position`: the first definition of the key.
// A key without a definition is an error at the use ("no definition for "
// and the key), and the result is null; a key defined more than once gives
// a warning at the definition taken ("Resolve chose this definition of
// Record '" and the key in quotes). The launcher's own settings text defines
// no key and asks for none, so only other settings texts reach the messages.
IniRecord* ResolveIniKey(ConsList environment, const Identifier* key, SourcePosition position);
