// Configuration tree building: replays the parse trace of a configuration
// and installs the lazy cells that build its tree.
//
// One builder per nonterminal; a builder whose nonterminal has several
// productions reads the next production number from the trace and
// dispatches on it, and every builder takes its tokens from the trace in
// right-hand-side order (values of identifiers and literals, punctuation
// skipped). Building only allocates records and installs cells: no node,
// definition set or lookup exists until a cell is forced. Forcing a node
// cell forces its children's cells first and links them to the new node;
// forcing an occurrence's cell looks its name up in its environment.
//
// Environments: the top-level list sees exactly its own definitions; a
// definition's value sees the definitions of its own nested list first and
// then its definition's environment; every expression hands its
// environment on unchanged. A qualified name q.a looks a up among the
// nested definitions of q's matches; a member of a primary ((x).a, f().a)
// finds nothing.
#pragma once

#include "support/lazy.h"

// Replays the whole trace (the cursors stand at its start) and returns the
// run cell: forcing it builds the tree, checks the definitions and prints
// the configuration.
LazyCell* BuildConfigRoot();

// Once-only: the modules the builder uses.
void InitConfigBuild();
