// Configuration name resolution and definition checks.
//
// A definition (backslash, name, value in braces) introduces its name;
// names inside values refer to definitions. This module holds the
// definition sets that the tree builder combines into environments, the
// lookup of a name in a set, and the check pass that reports every name that
// resolves to nothing. The evaluator follows names through the same lookup
// results.
//
// Lookup order for a simple name: the definitions of the innermost enclosing
// definition list in source order, then those of the next list outwards, and
// so on to the top level. A definition's value lies inside its own list's
// scope, so a definition can name its siblings and itself. A name defined
// twice in one scope draws no message; a use means the first definition.
#pragma once

#include "zebcheck/configtree.h"

// The one set without definitions.
ConfigDefinitionSet* EmptyConfigDefinitionSet();

// A new definition record {0, name, cell yielding the AttributeDefinitionNode}.
ConfigDefinition* MakeConfigDefinition(Identifier* name, LazyCell* node);

// A new set holding the one definition.
ConfigDefinitionSet* SingletonConfigDefinitionSet(ConfigDefinition* definition);

// A set of the definitions of a list (ConsList of ConfigDefinition), in its
// order; the empty set for an empty list.
ConfigDefinitionSet* ConfigDefinitionSetOf(ConsList definitions);

// a's definitions that are not in b, in a's order, followed by b's list
// itself (shared); a when b is empty or a itself; b when a is empty.
ConfigDefinitionSet* UniteConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b);

// The same union for sets that share no definition, without searching b's
// list: the tree builder's list sets and value environments always unite
// the definitions of different definition entries, whose records differ.
ConfigDefinitionSet* UniteDisjointConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b);

// The AttributeDefinitionNodes of the definitions named name in the set, in
// the set's order (each definition's node cell is forced); null when none.
// The list is shared with other lookups (of the same name in sets that end
// in the same list) and must not be changed.
ConsList LookupConfigName(Identifier* name, ConfigDefinitionSet* set);

// The scope of the members of a list of matches: the nested definitions of
// each match, the first match's first. matches is a list LookupConfigName
// returned, or a tail of one; the scope is made once for each of its cells
// and shared by every list that ends in that cell.
ConfigDefinitionSet* MemberScopeOf(ConsList matches);

// What a definition's value defines; the empty set for a null node.
ConfigDefinitionSet* NestedDefinitionsOf(AttributeDefinitionNode* node);

// Reports "no definition for " and the name at every name occurrence without
// a match, in the order of a depth-first, left-to-right walk of the tree.
// The match lists are forced in that order from the root's name records;
// the walk itself runs only when some name has no match. Returns the root.
ConfigRootNode* CheckDefinitions(ConfigRootNode* root);

// Once-only: makes the empty set.
void InitConfigResolve();
