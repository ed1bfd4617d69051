// Small Java units through the real front end, for the tests of the tree
// queries and the static types: the text is parsed as caldrex parses a
// command-line input, the tree is built from the parse trace and the unit
// becomes the current unit. Helpers find declarations and expressions in the
// tree by name, and print type values as short texts.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/tree/builder.h"
#include "java/tree/queries.h"
#include "java/tree/scopes.h"
#include "java/tree/types.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"

namespace javaunit {

// The run-wide standard-class cells as the module inits made them, so that
// each test can start from a run in which none was forced yet.
struct SavedCell {
  LazyCell* cell;
  LazyCell initial;
};

inline std::vector<SavedCell>& InitialCells() {
  static std::vector<SavedCell> cells;
  return cells;
}

inline void InitOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  InitRuntime();
  JavaParserModuleInit();
  TreeBuilderModuleInit();
  TypesModuleInit();
  for (LazyCell* cell : {&JavaLangObject, &JavaLangClass, &JavaLangString, &JavaLangStringBuffer, &BooleanClassType,
                         &ByteClassType, &CharacterClassType, &DoubleClassType, &ErrorClassType, &ExceptionClassType,
                         &FloatClassType, &IntegerClassType, &LongClassType, &RuntimeExceptionClassType,
                         &ShortClassType, &ThrowableClassType, &HashtableClassType, &CloneableClassType,
                         &ClassClassType, &ObjectClassType, &StringClassType, &StringBufferClassType}) {
    InitialCells().push_back(SavedCell{cell, *cell});
  }
}

// Makes every standard-class cell unforced again.
inline void ForgetStandardClasses() {
  InitOnce();
  for (SavedCell& saved : InitialCells()) *saved.cell = saved.initial;
}

// Parses and builds one unit and makes it the current unit; null (and a test
// failure) when the parse reported a syntax error.
inline SyntaxNode* BuildUnit(const std::string& text) {
  InitOnce();
  static std::deque<std::string> kept;  // inputs are read from this memory
  kept.push_back(text);
  StartUnitText(kept.back().data(), static_cast<int32_t>(kept.back().size()), IdentifierOf("t.java"));
  InitAndParse();
  EXPECT_EQ(SyntaxErrorFlag, 0) << text;
  if (SyntaxErrorFlag != 0) return nullptr;
  TreeRoot* root = BuildRoot();
  auto* unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(root->tree));
  SetCurrentUnit(unit);
  return unit;
}

// Every node of the tree below root (leaves included), in source order.
inline std::vector<SyntaxNode*> AllNodes(SyntaxNode* root) {
  std::vector<SyntaxNode*> out;
  std::vector<SyntaxNode*> stack{root};
  while (!stack.empty()) {
    SyntaxNode* node = stack.back();
    stack.pop_back();
    if (node == nullptr) continue;
    out.push_back(node);
    if (IsLeafCode(node->code)) continue;
    const NodeKindInfo& info = NodeKindTable[node->code];
    std::vector<SyntaxNode*> children;
    for (int32_t i = 0; i < info.fieldCount; ++i) {
      char form = info.fields[i];
      if (form == ChildField || form == OptionalChildField) children.push_back(NodeChild(node, i));
      if (form == ListField || form == OptionalListField) {
        for (ConsList rest = NodeList(node, i); rest != nullptr; rest = rest->tail) {
          children.push_back(static_cast<SyntaxNode*>(rest->head));
        }
      }
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
  }
  return out;
}

inline std::string Text(const Identifier* id) { return id == nullptr ? "(null)" : std::string(id->text, id->length); }

// The occurrence name of a node with an identifier field, by kind.
inline std::string NodeNameText(const SyntaxNode* node) {
  if (node == nullptr || IsLeafCode(node->code)) return "";
  const NodeKindInfo& info = NodeKindTable[node->code];
  for (int32_t i = 0; i < info.fieldCount; ++i) {
    if (info.fields[i] == AppliedField || info.fields[i] == DefiningField) {
      return Text(OccurrenceName(reinterpret_cast<const void*>(NodeField(node, i))));
    }
  }
  return "";
}

// The index-th node (0-based, source order) of the kind whose identifier is
// name; a test failure and null when there is none.
inline SyntaxNode* Find(SyntaxNode* root, int32_t kind, const std::string& name, int index = 0) {
  for (SyntaxNode* node : AllNodes(root)) {
    if (node->code == kind && NodeNameText(node) == name && index-- == 0) return node;
  }
  ADD_FAILURE() << "no " << NodeKindTable[kind].name << " named " << name;
  return nullptr;
}

// The index-th node of a kind or leaf code, whatever its name.
inline SyntaxNode* FindCode(SyntaxNode* root, int32_t code, int index = 0) {
  for (SyntaxNode* node : AllNodes(root)) {
    if (node->code == code && index-- == 0) return node;
  }
  ADD_FAILURE() << "no node of code " << code;
  return nullptr;
}

// The class or interface declaration with that name (index-th of them).
inline SyntaxNode* ClassNamed(SyntaxNode* root, const std::string& name, int index = 0) {
  for (SyntaxNode* node : AllNodes(root)) {
    if ((node->code == ClassDeclarationNodeKind || node->code == InterfaceDeclarationNodeKind) &&
        Text(DeclaredName(node)) == name && index-- == 0) {
      return node;
    }
  }
  ADD_FAILURE() << "no class " << name;
  return nullptr;
}

// The initializer (an ExpressionNode) of the variable declared as name.
inline SyntaxNode* InitializerOf(SyntaxNode* root, const std::string& name) {
  SyntaxNode* id = Find(root, DeclaratorIdentifierNodeKind, name);
  if (id == nullptr) return nullptr;
  AnyNode* at = id->owner;
  while (at != nullptr && at->kind != VariableDeclaratorNodeKind) at = at->node->owner;
  if (at == nullptr) return nullptr;
  return NodeChild(at->node, 1);
}

// A type value as text: int, long[][], B (the class a class type denotes),
// B[] ..., and "unknown" for a class type that denotes no class.
inline std::string TypeText(TypeValue type) {
  static const char* const primitives[] = {"byte", "short", "int", "long", "char", "float", "double", "boolean"};
  if (type == nullptr) return "(null)";
  if (type->tag >= 0 && type->tag <= 7) return primitives[type->tag];
  auto className = [](SyntaxNode* name) {
    for (ConsList rest = DefinitionsOfName(name); rest != nullptr; rest = rest->tail) {
      auto* node = static_cast<SyntaxNode*>(rest->head);
      if (node != nullptr && (node->code == ClassDeclarationNodeKind || node->code == InterfaceDeclarationNodeKind)) {
        return Text(DeclaredName(node));
      }
    }
    return std::string("unknown");
  };
  if (type->tag == 8) return className(NodeChild(type, 0));
  std::string out = type->tag == 9 ? TypeText(NodeChild(type, 0)) : className(NodeChild(type, 0));
  for (Word i = 0; i < NodeField(type, 1); ++i) out += "[]";
  return out;
}

// The type of the initializer of the variable declared as name.
inline std::string InitializerType(SyntaxNode* root, const std::string& name) {
  SyntaxNode* init = InitializerOf(root, name);
  if (init == nullptr) return "(no initializer)";
  return TypeText(TypeOfNode(NodeAnyNode(init)));
}

}  // namespace javaunit
