// Dumps of the syntax tree and of name resolution, written without recursion
// so that very deep trees print as well as shallow ones.
#include "java/tree/treeprint.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "java/scanner/tokens.h"
#include "java/tree/builder.h"

namespace {

const char* const DefinitionKindNames[DefinitionKindCount] = {
    "entry", "package", "class", "variable", "method", "interface", "label", "label-noshortif"};

struct PrintItem {
  const SyntaxNode* node;
  const char* label;  // null for a list element
  int32_t depth;
  int32_t listCount;  // -1 for a node; else the item is a list's header line
  std::string text;   // when not empty: a finished line (a field that is not a node)
};

void AppendNodeLine(std::string& out, const SyntaxNode* node) {
  out += NodeName(node);
  if (node != nullptr) {
    out += " @";
    out += std::to_string(node->position);
  }
}

// "<label>: <prefix><text>" and a newline.
void AppendField(std::string& out, const char* label, const char* prefix, const std::string& text) {
  out += label;
  out += ": ";
  out += prefix;
  out += text;
  out += '\n';
}

void Indent(std::string& out, int32_t depth) { out.append(static_cast<size_t>(depth) * 2, ' '); }

std::string NameText(const void* occurrence) {
  Identifier* name = OccurrenceName(occurrence);
  return name == nullptr ? std::string("?") : std::string(name->text, static_cast<size_t>(name->length));
}

}  // namespace

std::string DefinitionSetText(const DefinitionSet* set) {
  std::string out = "{";
  bool first = true;
  for (int32_t k = 0; set != nullptr && k < DefinitionKindCount; ++k) {
    for (ConsList rest = DefinitionSlot(set, k); rest != nullptr; rest = rest->tail) {
      auto* definition = static_cast<const Definition*>(rest->head);
      if (!first) out += ", ";
      first = false;
      out += DefinitionKindNames[k];
      out += ' ';
      out += definition->name == nullptr ? "?" : definition->name->text;
    }
  }
  out += "}";
  return out;
}

std::string SyntaxTreeText(const SyntaxNode* root) {
  std::string out;
  std::vector<PrintItem> stack;
  stack.push_back(PrintItem{root, nullptr, 0, -1, {}});
  while (!stack.empty()) {
    PrintItem item = std::move(stack.back());
    stack.pop_back();
    Indent(out, item.depth);
    if (!item.text.empty()) {
      out += item.text;
      continue;
    }
    if (item.label != nullptr) {
      out += item.label;
      out += ": ";
    }
    if (item.listCount >= 0) {
      out += '[';
      out += std::to_string(item.listCount);
      out += "]\n";
      continue;
    }
    AppendNodeLine(out, item.node);
    out += '\n';
    const SyntaxNode* node = item.node;
    if (node == nullptr || IsLeafCode(node->code)) continue;
    const NodeKindInfo& info = NodeKindTable[node->code];
    // The fields become items, stacked last first so that they print in
    // field order below the node's line.
    std::vector<PrintItem> children;
    int32_t depth = item.depth + 1;
    for (int32_t i = 0; i < info.fieldCount; ++i) {
      const char* label = FieldName(node->code, i);
      Word value = NodeField(node, i);
      switch (info.fields[i]) {
        case ChildField:
        case OptionalChildField:
          children.push_back(PrintItem{NodeChild(node, i), label, depth, -1, {}});
          break;
        case ListField:
        case OptionalListField: {
          int32_t count = 0;
          for (ConsList rest = NodeList(node, i); rest != nullptr; rest = rest->tail) ++count;
          children.push_back(PrintItem{nullptr, label, depth, count, {}});
          for (ConsList rest = NodeList(node, i); rest != nullptr; rest = rest->tail) {
            children.push_back(PrintItem{static_cast<const SyntaxNode*>(rest->head), nullptr, depth + 1, -1, {}});
          }
          break;
        }
        case AppliedField:
          children.push_back(PrintItem{nullptr, nullptr, depth, -1, {}});
          AppendField(children.back().text, label, "applied ", NameText(reinterpret_cast<const void*>(value)));
          break;
        case DefiningField:
          children.push_back(PrintItem{nullptr, nullptr, depth, -1, {}});
          AppendField(children.back().text, label, "defining ", NameText(reinterpret_cast<const void*>(value)));
          break;
        case InnerSetField:
          children.push_back(PrintItem{nullptr, nullptr, depth, -1, {}});
          AppendField(children.back().text, label, "", DefinitionSetText(reinterpret_cast<const DefinitionSet*>(value)));
          break;
        case ValueField: {
          // A literal's value: the reference to the copy of its text, every
          // byte of it (a character or string literal may hold NUL bytes).
          children.push_back(PrintItem{nullptr, nullptr, depth, -1, {}});
          TokenCode code = node->code == CharacterLiteralNodeKind ? CharacterLiteralsym
                           : node->code == StringLiteralNodeKind  ? StringLiteralsym
                                                                  : IntegerLiteralsym;
          AppendField(children.back().text, label, "",
                      value == 0 ? std::string("?")
                                 : std::string(TokenTextBytes(code, reinterpret_cast<const char*>(value))));
          break;
        }
        default:
          children.push_back(PrintItem{nullptr, nullptr, depth, -1, {}});
          AppendField(children.back().text, label, "", std::to_string(static_cast<int64_t>(static_cast<intptr_t>(value))));
          break;
      }
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(std::move(*it));
  }
  return out;
}

std::string NameResolutionText(const SyntaxNode* root) {
  std::string out;
  std::vector<const SyntaxNode*> stack;
  stack.push_back(root);
  while (!stack.empty()) {
    const SyntaxNode* node = stack.back();
    stack.pop_back();
    if (node == nullptr || IsLeafCode(node->code)) continue;
    const NodeKindInfo& info = NodeKindTable[node->code];
    std::vector<const SyntaxNode*> children;
    for (int32_t i = 0; i < info.fieldCount; ++i) {
      char form = info.fields[i];
      if (form == ChildField || form == OptionalChildField) {
        children.push_back(NodeChild(node, i));
      } else if (form == ListField || form == OptionalListField) {
        for (ConsList rest = NodeList(node, i); rest != nullptr; rest = rest->tail) {
          children.push_back(static_cast<const SyntaxNode*>(rest->head));
        }
      } else if (form == AppliedField || form == DefiningField) {
        const void* occurrence = reinterpret_cast<const void*>(NodeField(node, i));
        out += '@';
        out += std::to_string(node->position);
        out += ' ';
        out += NodeName(node);
        out += form == AppliedField ? " applied " : " defining ";
        out += NameText(occurrence);
        out += " ->";
        ConsList found = OccurrenceDefinitions(occurrence);
        if (found == nullptr) out += " none";
        for (ConsList rest = found; rest != nullptr; rest = rest->tail) {
          out += ' ';
          AppendNodeLine(out, static_cast<const SyntaxNode*>(rest->head));
          if (rest->tail != nullptr) out += ',';
        }
        out += '\n';
      }
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
  }
  return out;
}
