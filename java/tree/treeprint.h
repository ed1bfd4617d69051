// Readable dumps of a Java syntax tree: one line per node with its kind,
// position and fields, indented by depth; and the list of every identifier
// occurrence with the declarations it resolves to. The javatree tool and the
// tests print through these.
#pragma once

#include <string>

#include "java/tree/defsets.h"
#include "java/tree/nodes.h"

// The tree below node, two blanks of indentation per level:
//   <field>: <Kind> @<position>      a child node (or "null")
//   <field>: [<n>]                    a list, its elements one level deeper
//   <field>: applied <name>           an identifier occurrence (or "defining")
//   <field>: <text>                   a literal's text
//   <field>: <number>                 a count or flag
//   inner definitions: {<kind> <name>, ...}
std::string SyntaxTreeText(const SyntaxNode* node);

// One line per identifier occurrence, in tree order:
//   @<position> <Kind> applied|defining <name> -> <Kind> @<position>, ...
// (or "-> none"). Forces the occurrences' lookup cells.
std::string NameResolutionText(const SyntaxNode* node);

// "{class A, variable x}": the definitions of a set in slot order.
std::string DefinitionSetText(const DefinitionSet* set);
