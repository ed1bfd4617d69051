// The per-file run of caldrex and the work list that chooses the next file.
//
// One run parses the current input as one compilation unit. When the parse
// reported nothing, the unit's tree is built and its passes run: the
// qualified names are collected, the standard names are marked (once, after
// the first unit's names were collected), and the names are resolved, which
// adds the files found to the work list. The files of the work list are run
// in turn, one after the other in a loop (so a long chain of files does not
// deepen the stack); when none is left the result lists are written and the
// program ends with status 0. A unit that fails ends the chain: no list is
// written and the program exits with status 1.
#pragma once

#include <cstdint>

#include "java/tree/builder.h"
#include "java/tree/nodes.h"

// Once-only init of the module.
void InitUnitRun();

// Parses the current input and, when that succeeded, runs the unit's
// passes. 1 when the passes ran, 0 when the unit failed.
int32_t RunSourceFile();

// The success decision after a parse; closes the current input.
bool RunSucceeded();

// Replays the parse trace into the unit's tree root and points the unit's
// two global cells at it: UnitTreeCell yields the SourceFileNode,
// UnitPassCell runs the passes. Returns the root.
TreeRoot* BuildUnitRoot();

// Makes the unit the current unit of the scopes and the tree queries;
// returns it.
SyntaxNode* CheckUnit(SyntaxNode* unit);

// Runs the passes of the unit whose root BuildUnitRoot made (forces
// UnitPassCell, which runs them once per unit); returns the root.
TreeRoot* RunRoot(TreeRoot* root);

// The unit's passes over its tree: the qualified names, the standard names
// (once), the resolution of the names.
void ContinueAfterUnit(SyntaxNode* unit);

// Gives back the previous unit's region, opens the next file of the work
// list as the current input and runs it (its result), or writes the result lists and ends the program when the
// work list is empty. A file that cannot be opened any more is fatal.
int32_t ParseNextFile();

// The program's run step: the command-line unit, then every file of the
// work list. Returns only when a unit failed.
void RunAllFiles();
