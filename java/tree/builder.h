// The tree builder: replays the parse trace of one compilation unit into
// production instances whose attribute cells compute the syntax tree, the
// definitions each construct declares (defs) and the environment visible at
// each construct (env), each on demand and at most once.
//
// Replay reads the applied productions in leftmost-derivation order and the
// shifted tokens in input order, and allocates one instance per production;
// it computes nothing unless asked to compute the trees as it goes. The value
// cell of an identifier token is shared by all occurrences of that identifier
// in the run (it is evaluated and never changes); other tokens' values get a
// cell each. The equations that the cells run come from one table
// per production (made once from the grammar's productions and the node-kind
// table), so productions that share an equation shape share its routine.
//
// Deep input: replay keeps its own stack of open productions instead of
// recursing per nonterminal, and forcing a builder cell evaluates the cells
// it depends on from an explicit work stack, so long lists and long operator
// chains need no deep recursion. A cell forced again while it is being
// computed yields its attribute's empty value (null tree, empty definition
// set, empty lookup list) instead of recursing without end.
#pragma once

#include <cstddef>
#include <cstdint>

#include "java/tree/defsets.h"
#include "java/tree/nodes.h"
#include "support/input.h"
#include "support/lazy.h"

// Where the builder reads the trace. The front end's parse trace and test
// traces provide the same three operations and the position counter that
// replay keeps at the position of the next token to replay.
struct TreeReplay {
  int32_t (*nextReduction)();             // the next recorded production number
  void (*skipToken)();                    // step over the next token record
  void (*wordToken)(LazyCell** out);      // an evaluated cell of the next record's value word
  Word (*tokenWord)();                    // the next record's value word itself
  SourcePosition* positionCounter;
};
void SetTreeReplay(const TreeReplay& replay);
// The front end's parse trace (the default).
void UseParseTraceReplay();

// The attributes of the start production's instance, as BuildRoot keeps them.
struct TreeRoot {
  LazyCell* tree;  // yields the SourceFileNode
  LazyCell* defs;  // the definitions of the header sections
  LazyCell env;    // the root environment: a copy of defs
};

// When replay computes the tree cells. On demand: replay computes nothing.
// During replay: each production's tree is computed as soon as its
// right-hand side is complete (its children's trees are then evaluated), and
// the defs of a scope body that the node keeps are forced then; the
// environment and lookup cells stay pending all the same. For a caller that
// forces the whole tree anyway; the nodes and their owner links are the same.
enum TreeTiming : uint8_t { TreesOnDemand, TreesDuringReplay };

// Replays the whole trace of one unit (the SourceFile production and all
// below it). On demand, nothing is forced.
TreeRoot* BuildRoot(TreeTiming timing = TreesOnDemand);

// Builds the instance tree of one nonterminal from the trace: the builder of
// that nonterminal, given the inherited env cell. Out-parameters receive the
// tree and defs cells. BuildRoot is BuildNonterminal of SourceFile.
void BuildNonterminal(int32_t nonterminal, LazyCell* env, LazyCell** tree, LazyCell** defs,
                      TreeTiming timing = TreesOnDemand);

// The number of cells on the work stack of the forcings under way: a
// computation that starts now finds the cells below this mark started before
// it, and those it starts at or above it.
size_t ForcingDepth();
// Whether a builder cell is being computed (forcing it now yields its empty
// value).
bool IsBeingComputed(const LazyCell* cell);

// Counters of the builder, for tests of laziness and at-most-once evaluation.
struct TreeBuilderCounters {
  int64_t instances;       // production instances made by replay
  int64_t treeEvaluations; // tree equations run
  int64_t defsEvaluations; // defs equations run
  int64_t envEvaluations;  // inner-environment equations run
  int64_t lookupEvaluations; // lookup equations run
  int64_t reentries;       // forcings of a cell that was being computed
};
extern TreeBuilderCounters BuilderCounters;

// The grammar facts the builder relies on, from the generated automaton.
int32_t ProductionLhs(int32_t production);
int32_t ProductionLength(int32_t production);
// Right-hand-side symbol i: a token code (< JavaTokenCount) or a nonterminal
// number plus JavaTokenCount.
int32_t ProductionSymbol(int32_t production, int32_t i);
bool ProductionRecorded(int32_t production);
int32_t ProductionCount();
int32_t NonterminalCount();
const char* NonterminalName(int32_t nonterminal);
// The nonterminal's number by name; -1 when there is none.
int32_t NonterminalNumber(const char* name);
// The production that makes a node of this kind or leaf code.
int32_t ProductionOfNode(int32_t code);
// The grammar name of the right-hand-side symbol behind field i of a kind.
const char* FieldName(int32_t kind, int32_t field);

void TreeBuilderModuleInit();
