// Configuration tree building: replays the parse trace of a configuration
// into its tree and resolves the tree's names.
//
// One builder per nonterminal; a builder whose nonterminal has several
// productions reads the next production number from the trace and
// dispatches on it, and every builder takes its tokens from the trace in
// right-hand-side order (values of identifiers and literals, punctuation
// skipped). Each node is made as soon as its children are, so the replay
// leaves the whole tree and every definition set behind it; a name's match
// list is a lazy cell, looked up in its environment when it is first
// forced. Nothing keeps a reference into the trace.
//
// Environments: the top-level list sees exactly its own definitions; a
// definition's value sees the definitions of its own nested list first and
// then its definition's environment; every expression hands its
// environment on unchanged. A qualified name q.a looks a up among the
// nested definitions of q's matches; a member of a primary ((x).a, f().a)
// finds nothing.
#pragma once

#include "support/lazy.h"

// Replays the whole trace (the cursors stand at its start), builds the
// tree, and returns the run cell: forcing it checks the definitions and
// prints the configuration.
LazyCell* BuildConfigRoot();

// Once-only: the modules the builder uses.
void InitConfigBuild();
