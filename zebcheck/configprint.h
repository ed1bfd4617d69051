// The canonical configuration printer.
//
// After the definition checks, zebcheck writes the whole configuration again
// on standard output in one fixed layout, with every braced value folded by
// the evaluator. The printer writes the lines of each top-level definition
// as it goes; only a call with several arguments, one per line, is composed
// as a Layout document. The layout:
//
//   \a{ 5 }            a definition whose value is not a nested list
//   \b{                a nested list: its definitions indented by two blanks
//     \c{ 'x' }
//   }
//
// Braced values print bare when they fold to a literal or a name, else in
// braces with blanks around every operator and bracket: \d{ { x << 1 } }.
#pragma once

#include "support/layout.h"
#include "zebcheck/configtree.h"

// Sets fixed notation for floating texts, prints the document of the root's
// definitions followed by a newline on standard output (nothing for an empty
// configuration) and closes the output.
void PrintConfig(ConfigRootNode* root);

// The layouts of a definition, of a value and of an expression, as the
// printer writes them (a nested list's value: its definitions one below the
// other). Made on the heap for a caller that composes or prints them itself.
LayoutNode* UnparseDefinition(AttributeDefinitionNode* definition);
LayoutNode* UnparseAttributeValue(AttributeValueNode* value);
LayoutNode* UnparseExpression(ConfigExprNode* node);

// The function of the run cell that the tree builder makes: forces the root
// node (context: the root-node cell), runs CheckDefinitions on it and then
// prints the configuration. Yields the root.
Word CheckAndPrintConfig(LazyCell* runCell);

// Once-only: the layout of the argument separator.
void InitConfigPrint();
