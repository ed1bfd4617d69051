// lrgen: the grammar generator. Reads a numbered grammar (java/parser/java.grammar
// and the grammars of the configuration and settings languages in the same form),
// builds its LALR(1) automaton for a recursive-ascent parser and writes it as C++
// tables of the record types of support/automaton.h.
//
// Construction, in order:
//  1. The LR(0) collection, breadth-first from the items of the first production,
//     closure items in insertion order, successors created in the order in which
//     their symbol first appears after a dot.
//  2. LALR(1) lookaheads by propagation to a fixed point; a conflict is fatal.
//  3. Inlining: a state with no goto and exactly one action (one token shift or one
//     reduction) is never a routine; its work is done by the routine that reaches
//     it. The other states are numbered in creation order.
//  4. Per routine: own set (the tokens with an LALR action, without the end-of-input
//     token), token and goto actions with their fixed-token runs, transition sets
//     (explicit sets of the grammar replace computed ones), the default reduction or
//     the error branch with its message and repair.
//  5. The re-entry table of error recovery: each token whose every shift leads to
//     one and the same routine, or through a fixed run to one and the same reduction.
//
// The grammar format is described at the head of java/parser/java.grammar; besides
// it, "%statedigits N" sets the digits of the state number in routine names (3 by
// default).
//
// Usage: lrgen GRAMMAR OUTPUT.cpp
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- token sets

struct Bits {
  uint64_t w[4] = {0, 0, 0, 0};
  void Set(int c) { w[c >> 6] |= uint64_t(1) << (c & 63); }
  bool Has(int c) const { return (w[c >> 6] >> (c & 63)) & 1; }
  bool Merge(const Bits& o) {
    bool changed = false;
    for (int i = 0; i < 4; ++i) {
      uint64_t n = w[i] | o.w[i];
      if (n != w[i]) changed = true;
      w[i] = n;
    }
    return changed;
  }
  bool Empty() const { return !(w[0] | w[1] | w[2] | w[3]); }
  bool operator<(const Bits& o) const {
    for (int i = 0; i < 4; ++i)
      if (w[i] != o.w[i]) return w[i] < o.w[i];
    return false;
  }
  bool operator==(const Bits& o) const {
    return w[0] == o.w[0] && w[1] == o.w[1] && w[2] == o.w[2] && w[3] == o.w[3];
  }
};

[[noreturn]] void Fail(const std::string& text) {
  std::fprintf(stderr, "lrgen: %s\n", text.c_str());
  std::exit(1);
}

// ---------------------------------------------------------------- grammar

struct Production {
  int Number;
  int Lhs;                 // nonterminal number
  std::vector<int> Rhs;    // symbols: token codes, nonterminals as TokenCount + n
  bool Recorded;
};

// An explicit transition set: "%transition STATE... KIND SYMBOL OP ITEM...".
// KIND is shift or goto, or * for every transition of the state (SYMBOL is then *
// as well), or repair for the call that the error branch makes in place of the
// missing SYMBOL (its goto keeps its own set); OP is = (replace), += (add) or -= (remove). An ITEM is a token, a
// named %set, or @Nonterminal: the computed set of the goto on that nonterminal
// in the same state (the context that the state's own constructs pass on).
struct Override {
  std::vector<int> States;
  std::string Kind;
  std::string Symbol;
  std::vector<std::string> Tokens;
  char Op;                 // '=', '+' or '-'
  int Line;
};

struct Grammar {
  std::string Name, Prefix;
  int SetWords = 4;
  int StateDigits = 3;     // digits of the state number in routine names
  int TokenCount = 0;
  std::vector<std::string> TokenNames;
  std::vector<std::string> NtNames;
  std::vector<Production> Prods;
  std::map<std::string, int> SymbolOf;   // symbol id by name
  std::map<int, std::string> Hints;
  std::map<std::string, std::vector<std::string>> NamedSets;
  std::vector<Override> Overrides;
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

std::string DirOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void ReadTokens(Grammar& g, const std::string& path, const std::string& macro) {
  std::ifstream in(path);
  if (!in) Fail("cannot open token list " + path);
  std::string line;
  while (std::getline(in, line)) {
    std::string head = macro + "(";
    if (line.compare(0, head.size(), head) != 0) continue;
    size_t comma1 = line.find(',', head.size());
    size_t comma2 = line.find(',', comma1 + 1);
    if (comma1 == std::string::npos || comma2 == std::string::npos) Fail("bad token line: " + line);
    int code = std::atoi(line.substr(head.size(), comma1 - head.size()).c_str());
    std::string name = Words(line.substr(comma1 + 1, comma2 - comma1 - 1)).at(0);
    if (code != g.TokenCount) Fail("token codes out of order at " + name);
    g.TokenNames.push_back(name);
    ++g.TokenCount;
  }
  if (g.TokenCount == 0) Fail("no tokens in " + path);
}

Grammar ReadGrammar(const std::string& path) {
  Grammar g;
  std::ifstream in(path);
  if (!in) Fail("cannot open grammar " + path);
  std::string line;
  int lineNo = 0;
  struct RawProd { int number, lhs; std::string lhsName; std::vector<std::string> rhs; bool rec; int line; };
  std::vector<RawProd> raw;
  while (std::getline(in, line)) {
    ++lineNo;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::vector<std::string> w = Words(line);
    if (w.empty()) continue;
    std::string where = path + ":" + std::to_string(lineNo) + ": ";
    if (w[0] == "%grammar" && w.size() == 2) {
      g.Name = w[1];
    } else if (w[0] == "%prefix" && w.size() == 2) {
      g.Prefix = w[1];
    } else if (w[0] == "%setwords" && w.size() == 2) {
      g.SetWords = std::atoi(w[1].c_str());
      if (g.SetWords < 1 || g.SetWords > 8) Fail(where + "set width out of range");
    } else if (w[0] == "%statedigits" && w.size() == 2) {
      g.StateDigits = std::atoi(w[1].c_str());
      if (g.StateDigits < 1 || g.StateDigits > 6) Fail(where + "state-number width out of range");
    } else if (w[0] == "%tokens" && w.size() == 3) {
      ReadTokens(g, DirOf(path) + "/" + w[1], w[2]);
    } else if (w[0] == "%token" && w.size() == 3) {
      if (std::atoi(w[1].c_str()) != g.TokenCount) Fail(where + "token codes out of order");
      g.TokenNames.push_back(w[2]);
      ++g.TokenCount;
    } else if (w[0] == "%state" && (w.size() == 2 || w.size() == 3)) {
      g.Hints[std::atoi(w[1].c_str())] = w.size() == 3 ? w[2] : "";
    } else if (w[0] == "%set" && w.size() >= 3 && w[2] == "=") {
      g.NamedSets[w[1]] = std::vector<std::string>(w.begin() + 3, w.end());
    } else if (w[0] == "%transition") {
      Override o;
      size_t i = 1;
      while (i < w.size() && std::isdigit(static_cast<unsigned char>(w[i][0]))) o.States.push_back(std::atoi(w[i++].c_str()));
      if (o.States.empty() || i + 3 > w.size()) Fail(where + "%transition STATE... KIND SYMBOL OP ITEM...");
      o.Kind = w[i];
      o.Symbol = w[i + 1];
      const std::string& op = w[i + 2];
      if (op != "=" && op != "+=" && op != "-=") Fail(where + "the operator must be =, += or -=");
      o.Op = op[0] == '=' ? '=' : op[0];
      o.Tokens.assign(w.begin() + i + 3, w.end());
      o.Line = lineNo;
      if (o.Kind != "shift" && o.Kind != "goto" && o.Kind != "repair" && !(o.Kind == "*" && o.Symbol == "*"))
        Fail(where + "transition kind must be shift, goto, repair or * *");
      g.Overrides.push_back(o);
    } else if (w[0][0] != '%' && w.size() >= 4 && w[3] == ":") {
      RawProd p;
      p.number = std::atoi(w[0].c_str());
      p.lhs = std::atoi(w[1].c_str());
      p.lhsName = w[2];
      p.rec = false;
      p.line = lineNo;
      for (size_t i = 4; i < w.size(); ++i) {
        if (w[i] == "recorded" && i + 1 == w.size()) p.rec = true;
        else if (w[i] != "%empty") p.rhs.push_back(w[i]);
      }
      raw.push_back(p);
    } else {
      Fail(where + "cannot read line");
    }
  }
  if (g.Name.empty() || g.Prefix.empty() || g.TokenCount == 0) Fail(path + ": %grammar, %prefix and tokens are required");
  if (g.TokenCount > 32 * g.SetWords) Fail("token codes do not fit the set width");
  for (int t = 0; t < g.TokenCount; ++t) g.SymbolOf[g.TokenNames[t]] = t;
  // Nonterminals: numbered by their first production, ascending without gaps.
  for (size_t i = 0; i < raw.size(); ++i) {
    const RawProd& p = raw[i];
    if (p.number != int(i)) Fail(path + ":" + std::to_string(p.line) + ": production numbers must run from 0 without gaps");
    if (p.lhs == int(g.NtNames.size())) {
      g.NtNames.push_back(p.lhsName);
      if (g.SymbolOf.count(p.lhsName)) Fail("symbol defined twice: " + p.lhsName);
      g.SymbolOf[p.lhsName] = g.TokenCount + p.lhs;
    } else if (p.lhs != int(g.NtNames.size()) - 1 || g.NtNames.back() != p.lhsName) {
      Fail(path + ":" + std::to_string(p.line) + ": nonterminal numbers must ascend with the productions");
    }
  }
  std::vector<int> count(g.NtNames.size(), 0);
  for (const RawProd& p : raw) ++count[p.lhs];
  for (const RawProd& p : raw) {
    Production q;
    q.Number = p.number;
    q.Lhs = p.lhs;
    q.Recorded = p.rec;
    if (p.rec != (count[p.lhs] >= 2))
      Fail(path + ":" + std::to_string(p.line) + ": recorded mark disagrees with the number of productions of " + p.lhsName);
    for (const std::string& s : p.rhs) {
      auto it = g.SymbolOf.find(s);
      if (it == g.SymbolOf.end()) Fail(path + ":" + std::to_string(p.line) + ": unknown symbol " + s);
      q.Rhs.push_back(it->second);
    }
    g.Prods.push_back(q);
  }
  if (g.Prods.empty()) Fail("no productions");
  return g;
}

// ---------------------------------------------------------------- LR(0)

struct State {
  std::vector<int> Items;            // item ids: kernel items first, then closure items
  int KernelCount = 0;
  std::vector<std::pair<int, int>> Trans;  // (symbol, state) in creation order
  std::vector<Bits> Lookahead;       // per item
  int Routine = -1;                  // routine number, -1 for inlined states
};

struct Automaton {
  const Grammar* G = nullptr;
  int T = 0;                         // token count: symbols >= T are nonterminals
  std::vector<int> ItemBase;         // first item id of each production
  std::vector<int> ItemProd, ItemDot;
  std::vector<std::vector<int>> ProdsOf;  // productions of each nonterminal
  std::vector<State> States;
  std::vector<Bits> First;           // per nonterminal
  std::vector<bool> Nullable;        // per nonterminal
  std::vector<int> RoutineState;     // LR(0) state of each routine

  bool IsNt(int sym) const { return sym >= T; }
  int ItemAfter(int item) const {    // symbol after the dot, -1 at the end
    const Production& p = G->Prods[ItemProd[item]];
    return ItemDot[item] < int(p.Rhs.size()) ? p.Rhs[ItemDot[item]] : -1;
  }
  bool Complete(int item) const { return ItemAfter(item) < 0; }
  std::string SymName(int sym) const { return sym < T ? G->TokenNames[sym] : G->NtNames[sym - T]; }
};

void BuildItems(Automaton& a) {
  const Grammar& g = *a.G;
  a.ProdsOf.assign(g.NtNames.size(), {});
  for (const Production& p : g.Prods) {
    a.ProdsOf[p.Lhs].push_back(p.Number);
    a.ItemBase.push_back(int(a.ItemProd.size()));
    for (int d = 0; d <= int(p.Rhs.size()); ++d) {
      a.ItemProd.push_back(p.Number);
      a.ItemDot.push_back(d);
    }
  }
}

void Closure(const Automaton& a, State& s) {
  std::set<int> seen(s.Items.begin(), s.Items.end());
  for (size_t i = 0; i < s.Items.size(); ++i) {
    int sym = a.ItemAfter(s.Items[i]);
    if (sym < 0 || !a.IsNt(sym)) continue;
    for (int p : a.ProdsOf[sym - a.T]) {
      int item = a.ItemBase[p];
      if (seen.insert(item).second) s.Items.push_back(item);
    }
  }
}

void BuildLr0(Automaton& a) {
  std::map<std::vector<int>, int> byKernel;
  State start;
  start.Items.push_back(a.ItemBase[0]);
  start.KernelCount = 1;
  byKernel[start.Items] = 0;
  Closure(a, start);
  a.States.push_back(start);
  for (size_t s = 0; s < a.States.size(); ++s) {
    std::vector<int> order;
    std::map<int, std::vector<int>> kernels;
    for (int item : a.States[s].Items) {
      int sym = a.ItemAfter(item);
      if (sym < 0) continue;
      if (!kernels.count(sym)) order.push_back(sym);
      kernels[sym].push_back(item + 1);
    }
    for (int sym : order) {
      std::vector<int> key = kernels[sym];
      std::sort(key.begin(), key.end());
      auto it = byKernel.find(key);
      int target;
      if (it != byKernel.end()) {
        target = it->second;
      } else {
        State n;
        n.Items = kernels[sym];
        n.KernelCount = int(n.Items.size());
        Closure(a, n);
        target = int(a.States.size());
        byKernel[key] = target;
        a.States.push_back(n);
      }
      a.States[s].Trans.push_back({sym, target});
    }
  }
}

// ---------------------------------------------------------------- FIRST and LALR(1)

void BuildFirst(Automaton& a) {
  const Grammar& g = *a.G;
  a.First.assign(g.NtNames.size(), Bits());
  a.Nullable.assign(g.NtNames.size(), false);
  for (bool changed = true; changed;) {
    changed = false;
    for (const Production& p : g.Prods) {
      bool allNull = true;
      for (int sym : p.Rhs) {
        if (!a.IsNt(sym)) {
          if (!a.First[p.Lhs].Has(sym)) { a.First[p.Lhs].Set(sym); changed = true; }
          allNull = false;
          break;
        }
        if (a.First[p.Lhs].Merge(a.First[sym - a.T])) changed = true;
        if (!a.Nullable[sym - a.T]) { allNull = false; break; }
      }
      if (allNull && !a.Nullable[p.Lhs]) { a.Nullable[p.Lhs] = true; changed = true; }
    }
  }
}

Bits FirstOf(const Automaton& a, int sym) {
  Bits b;
  if (a.IsNt(sym)) return a.First[sym - a.T];
  b.Set(sym);
  return b;
}

void BuildLookaheads(Automaton& a) {
  const Grammar& g = *a.G;
  struct Edge { int from, to; };
  // Per state: closure edges (item index -> closure item index, with FIRST of the
  // rest and whether the rest can vanish) and goto edges to successor kernels.
  struct Spont { int to; Bits first; bool passes; int from; };
  std::vector<std::vector<Spont>> inner(a.States.size());
  std::vector<std::vector<std::pair<int, std::pair<int, int>>>> outer(a.States.size());
  for (size_t s = 0; s < a.States.size(); ++s) {
    State& st = a.States[s];
    st.Lookahead.assign(st.Items.size(), Bits());
    std::map<int, int> indexOf;
    for (size_t i = 0; i < st.Items.size(); ++i) indexOf[st.Items[i]] = int(i);
    std::map<int, int> targetOf;
    for (auto& tr : st.Trans) targetOf[tr.first] = tr.second;
    for (size_t i = 0; i < st.Items.size(); ++i) {
      int item = st.Items[i];
      int sym = a.ItemAfter(item);
      if (sym < 0) continue;
      const Production& p = g.Prods[a.ItemProd[item]];
      if (a.IsNt(sym)) {
        Bits first;
        bool passes = true;
        for (size_t k = a.ItemDot[item] + 1; k < p.Rhs.size(); ++k) {
          first.Merge(FirstOf(a, p.Rhs[k]));
          if (!a.IsNt(p.Rhs[k]) || !a.Nullable[p.Rhs[k] - a.T]) { passes = false; break; }
        }
        for (int q : a.ProdsOf[sym - a.T]) inner[s].push_back({indexOf.at(a.ItemBase[q]), first, passes, int(i)});
      }
      int target = targetOf.at(sym);
      const State& ts = a.States[target];
      int ti = -1;
      for (int k = 0; k < ts.KernelCount; ++k)
        if (ts.Items[k] == item + 1) ti = k;
      outer[s].push_back({int(i), {target, ti}});
    }
  }
  Bits eof;
  if (a.T > 1) eof.Set(1);  // the end-of-input token follows the start item
  a.States[0].Lookahead[0] = eof;
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t s = 0; s < a.States.size(); ++s) {
      State& st = a.States[s];
      for (bool inChanged = true; inChanged;) {
        inChanged = false;
        for (const Spont& e : inner[s]) {
          Bits b = e.first;
          if (e.passes) b.Merge(st.Lookahead[e.from]);
          if (st.Lookahead[e.to].Merge(b)) inChanged = true;
        }
      }
      for (auto& e : outer[s])
        if (a.States[e.second.first].Lookahead[e.second.second].Merge(st.Lookahead[e.first])) changed = true;
    }
  }
}

void CheckConflicts(const Automaton& a) {
  int conflicts = 0;
  for (size_t s = 0; s < a.States.size(); ++s) {
    const State& st = a.States[s];
    std::map<int, int> owner;  // token -> -1 shift, else production
    for (auto& tr : st.Trans)
      if (!a.IsNt(tr.first)) owner[tr.first] = -1;
    for (size_t i = 0; i < st.Items.size(); ++i) {
      if (!a.Complete(st.Items[i])) continue;
      for (int t = 0; t < a.T; ++t) {
        if (!st.Lookahead[i].Has(t)) continue;
        auto it = owner.find(t);
        if (it != owner.end()) {
          std::fprintf(stderr, "lrgen: conflict in LR(0) state %zu on %s\n", s, a.G->TokenNames[t].c_str());
          ++conflicts;
        } else {
          owner[t] = a.ItemProd[st.Items[i]];
        }
      }
    }
  }
  if (conflicts) Fail(std::to_string(conflicts) + " conflicts");
}

// ---------------------------------------------------------------- routines

bool Inlined(const Automaton& a, int s) {
  if (s == 0) return false;
  const State& st = a.States[s];
  int complete = 0;
  for (int item : st.Items) complete += a.Complete(item);
  for (auto& tr : st.Trans)
    if (a.IsNt(tr.first)) return false;
  return (st.Trans.size() == 1 && complete == 0) || (st.Trans.empty() && complete == 1);
}

// The single complete item of an inlined reduction state, or -1.
int InlineReduction(const Automaton& a, int s) {
  const State& st = a.States[s];
  if (st.Routine >= 0 || !st.Trans.empty()) return -1;
  for (int item : st.Items)
    if (a.Complete(item)) return item;
  return -1;
}

struct Action {
  int Kind = 0;
  std::vector<int> Run;
  int Target = -1, Lhs = -1, Production = -1, PopCount = -1, Rule = -1;
  Bits Transition;
  bool HasTransition = false;
  bool operator<(const Action& o) const {
    auto key = [](const Action& x) {
      return std::make_tuple(x.Kind, x.Run, x.Target, x.Lhs, x.Production, x.PopCount, x.Rule, x.HasTransition);
    };
    if (key(*this) != key(o)) return key(*this) < key(o);
    return Transition < o.Transition;
  }
};

enum { KShift, KShiftReduce, KReduce, KEmptyReduce, KGotoCall, KGotoReduce, KAccept, KError };

struct Routine {
  int Lr0 = 0;
  std::string Name;
  Bits Own;
  bool FixedToken = false;
  std::vector<std::pair<int, Action>> Tokens;   // by token code
  std::vector<std::pair<int, Action>> Gotos;    // by nonterminal number
  Action Default;
  int ErrorSymbol = -1;
  Action Repair;
  std::string Message;
};

// Follows the run of fixed tokens from an LR(0) state: the tokens shifted by inlined
// one-shift states, and the state where the run ends.
int FollowRun(const Automaton& a, int s, std::vector<int>& run) {
  while (a.States[s].Routine < 0 && a.States[s].Trans.size() == 1 && !a.IsNt(a.States[s].Trans[0].first)) {
    run.push_back(a.States[s].Trans[0].first);
    s = a.States[s].Trans[0].second;
  }
  return s;
}

int RecordedNumber(const Automaton& a, int prod) {
  return a.G->Prods[prod].Recorded ? prod : -1;
}

// The transition set of the transition on sym in state s: for every closure item
// with sym after the dot, the FIRST sets of the symbols that follow the introducing
// items, walking up the introducers to the kernel. Introducers that sym itself
// advances contribute nothing; kernel items with sym after the dot contribute nothing.
Bits TransitionSet(const Automaton& a, const State& st, int sym) {
  Bits out;
  std::set<int> visited;
  std::vector<int> work;
  for (size_t i = st.KernelCount; i < st.Items.size(); ++i)
    if (a.ItemAfter(st.Items[i]) == sym) work.push_back(int(i));
  while (!work.empty()) {
    int i = work.back();
    work.pop_back();
    if (!visited.insert(i).second) continue;
    int lhs = a.G->Prods[a.ItemProd[st.Items[i]]].Lhs + a.T;
    for (size_t j = 0; j < st.Items.size(); ++j) {
      int item = st.Items[j];
      if (a.ItemAfter(item) != lhs) continue;
      if (a.ItemAfter(item) == sym) continue;
      const Production& p = a.G->Prods[a.ItemProd[item]];
      for (size_t k = a.ItemDot[item] + 1; k < p.Rhs.size(); ++k) out.Merge(FirstOf(a, p.Rhs[k]));
      if (int(j) >= st.KernelCount) work.push_back(int(j));
    }
  }
  return out;
}

Action MakeTransition(const Automaton& a, int s, int sym, int target, bool isGoto) {
  const State& st = a.States[s];
  Action act;
  int end = FollowRun(a, target, act.Run);
  act.Transition = TransitionSet(a, st, sym);
  act.HasTransition = true;
  if (a.States[end].Routine >= 0) {
    act.Kind = isGoto ? KGotoCall : KShift;
    act.Target = a.States[end].Routine;
    return act;
  }
  int item = InlineReduction(a, end);
  if (item < 0) Fail("a fixed-token run ends in a state that is neither a routine nor a reduction");
  int prod = a.ItemProd[item];
  const Production& p = a.G->Prods[prod];
  act.Rule = prod;
  act.Lhs = p.Lhs;
  act.Production = RecordedNumber(a, prod);
  act.PopCount = int(p.Rhs.size()) - 1 - int(act.Run.size());
  if (isGoto && prod == 0 && s == 0) {
    act.Kind = KAccept;
    act.Production = -1;
    act.PopCount = 0;
  } else {
    act.Kind = isGoto ? KGotoReduce : KShiftReduce;
  }
  return act;
}

Action MakeReduction(const Automaton& a, int item) {
  Action act;
  int prod = a.ItemProd[item];
  const Production& p = a.G->Prods[prod];
  act.Rule = prod;
  act.Lhs = p.Lhs;
  act.Production = RecordedNumber(a, prod);
  if (p.Rhs.empty()) {
    act.Kind = KEmptyReduce;
    act.PopCount = 0;
  } else {
    act.Kind = KReduce;
    act.PopCount = int(p.Rhs.size()) - 1;
  }
  return act;
}

// The tokens of an override's item list; @Nonterminal items take the computed set
// of that goto in the state (gotoSets, before any override).
Bits TokensOf(const Grammar& g, const std::vector<std::string>& names, int line,
              const std::map<int, Bits>* gotoSets = nullptr, int tokenCount = 0) {
  Bits b;
  for (const std::string& n : names) {
    if (n[0] == '@') {
      auto it = g.SymbolOf.find(n.substr(1));
      if (it == g.SymbolOf.end() || it->second < g.TokenCount || gotoSets == nullptr)
        Fail("line " + std::to_string(line) + ": not a nonterminal: " + n);
      auto set = gotoSets->find(it->second - tokenCount);
      if (set == gotoSets->end()) Fail("line " + std::to_string(line) + ": the state has no goto on " + n.substr(1));
      b.Merge(set->second);
      continue;
    }
    auto named = g.NamedSets.find(n);
    if (named != g.NamedSets.end()) {
      b.Merge(TokensOf(g, named->second, line, gotoSets, tokenCount));
      continue;
    }
    auto it = g.SymbolOf.find(n);
    if (it == g.SymbolOf.end() || it->second >= g.TokenCount)
      Fail("line " + std::to_string(line) + ": not a token or token set: " + n);
    b.Set(it->second);
  }
  return b;
}

void Apply(Bits& set, char op, const Bits& b) {
  if (op == '=') {
    set = b;
  } else if (op == '+') {
    set.Merge(b);
  } else {
    for (int i = 0; i < 4; ++i) set.w[i] &= ~b.w[i];
  }
}

std::vector<Routine> BuildRoutines(Automaton& a) {
  const Grammar& g = *a.G;
  for (size_t s = 0; s < a.States.size(); ++s)
    if (!Inlined(a, int(s))) {
      a.States[s].Routine = int(a.RoutineState.size());
      a.RoutineState.push_back(int(s));
    }
  std::vector<Routine> out;
  for (size_t r = 0; r < a.RoutineState.size(); ++r) {
    int s = a.RoutineState[r];
    const State& st = a.States[s];
    Routine rt;
    rt.Lr0 = s;
    char num[32];
    std::snprintf(num, sizeof num, "%0*d", g.StateDigits, int(r));
    auto hint = g.Hints.find(int(r));
    if (!g.Hints.empty() && hint == g.Hints.end()) Fail("no name for state " + std::string(num));
    rt.Name = g.Prefix + num + (hint == g.Hints.end() ? "" : hint->second);
    std::map<int, Action> tokens, gotos;
    for (auto& tr : st.Trans) {
      if (a.IsNt(tr.first)) gotos[tr.first - a.T] = MakeTransition(a, s, tr.first, tr.second, true);
      else tokens[tr.first] = MakeTransition(a, s, tr.first, tr.second, false);
    }
    int firstComplete = -1;
    for (size_t i = 0; i < st.Items.size(); ++i) {
      if (!a.Complete(st.Items[i])) continue;
      if (int(i) < st.KernelCount && firstComplete < 0) firstComplete = int(i);
      for (int t = 0; t < a.T; ++t)
        if (st.Lookahead[i].Has(t)) tokens[t] = MakeReduction(a, st.Items[i]);
    }
    for (auto& [t, act] : tokens)
      if (t != 1) rt.Own.Set(t);
    rt.Tokens.assign(tokens.begin(), tokens.end());
    rt.Gotos.assign(gotos.begin(), gotos.end());
    // Default reduction or error branch, from the continuation item (the first
    // kernel item).
    if (firstComplete >= 0) {
      rt.Default = MakeReduction(a, st.Items[firstComplete]);
    } else {
      int x = a.ItemAfter(st.Items[0]);
      int empty = -1;
      if (a.IsNt(x))
        for (int p : a.ProdsOf[x - a.T])
          if (g.Prods[p].Rhs.empty()) empty = p;
      if (empty >= 0) {
        rt.Default = MakeReduction(a, a.ItemBase[empty]);
      } else {
        rt.Default.Kind = KError;
        rt.ErrorSymbol = x;
        // The start state names the goal symbol itself: nothing of the input has
        // been read, so the whole sentence is what is expected.
        int named = s == 0 ? g.Prods[0].Lhs + a.T : x;
        rt.Message = a.SymName(named) + (a.IsNt(named) ? " expected " : "  expected ");
        rt.Repair = a.IsNt(x) ? gotos.at(x - a.T) : tokens.at(x);
      }
    }
    rt.FixedToken = rt.Tokens.size() == 1 && rt.Default.Kind == KError &&
                    (rt.Tokens[0].second.Kind == KShift || rt.Tokens[0].second.Kind == KShiftReduce);
    out.push_back(rt);
  }
  // Explicit transition sets, in the order of the grammar file.
  std::vector<std::map<int, Bits>> computedGotos(out.size());
  for (size_t r = 0; r < out.size(); ++r)
    for (auto& [n, act] : out[r].Gotos) computedGotos[r][n] = act.Transition;
  for (const Override& o : g.Overrides) {
    std::string where = "line " + std::to_string(o.Line);
    for (int state : o.States) {
      if (state < 0 || state >= int(out.size())) Fail(where + ": no such state");
      Routine& rt = out[state];
      Bits b = TokensOf(g, o.Tokens, o.Line, &computedGotos[state], a.T);
      bool found = false;
      auto visit = [&](std::vector<std::pair<int, Action>>& list, int key) {
        for (auto& [k, act] : list) {
          if ((key >= 0 && k != key) || !act.HasTransition) continue;
          Apply(act.Transition, o.Op, b);
          found = true;
        }
      };
      int errorKey = -1;
      if (o.Kind == "repair") {
        // Only the call that the error branch makes for its missing symbol.
        auto sym = g.SymbolOf.find(o.Symbol);
        if (sym == g.SymbolOf.end() || rt.Default.Kind != KError || rt.ErrorSymbol != sym->second ||
            !rt.Repair.HasTransition)
          Fail(where + ": state " + std::to_string(state) + " repairs no missing " + o.Symbol);
        Apply(rt.Repair.Transition, o.Op, b);
        continue;
      }
      if (o.Kind == "*") {
        visit(rt.Tokens, -1);
        visit(rt.Gotos, -1);
      } else {
        auto sym = g.SymbolOf.find(o.Symbol);
        if (sym == g.SymbolOf.end()) Fail(where + ": unknown symbol " + o.Symbol);
        bool isGoto = o.Kind == "goto";
        if (isGoto != (sym->second >= a.T)) Fail(where + ": " + o.Symbol + " does not fit " + o.Kind);
        visit(isGoto ? rt.Gotos : rt.Tokens, isGoto ? sym->second - a.T : sym->second);
        errorKey = sym->second;
      }
      if (!found) Fail(where + ": state " + std::to_string(state) + " has no such transition");
      // The repair of an error branch passes what the transition it imitates passes.
      if (rt.Default.Kind == KError && (o.Kind == "*" || rt.ErrorSymbol == errorKey) && rt.Repair.HasTransition)
        Apply(rt.Repair.Transition, o.Op, b);
    }
  }
  return out;
}

struct Reentry {
  int Token;
  Action Act;
};

// Tokens whose every shift, anywhere in the automaton, leads after its fixed run to
// one and the same routine, or to one and the same reduction after a run of at least
// one token.
std::vector<Reentry> BuildReentries(const Automaton& a) {
  std::map<int, std::vector<std::pair<int, int>>> shifts;  // token -> (state, target)
  for (size_t s = 0; s < a.States.size(); ++s)
    for (auto& tr : a.States[s].Trans)
      if (!a.IsNt(tr.first)) shifts[tr.first].push_back({int(s), tr.second});
  std::vector<Reentry> out;
  for (auto& [t, list] : shifts) {
    std::set<std::pair<std::vector<int>, int>> ends;
    for (auto& [from, target] : list) {
      std::vector<int> run;
      int end = FollowRun(a, target, run);
      ends.insert({run, end});
    }
    if (ends.size() != 1) continue;
    auto [run, end] = *ends.begin();
    Reentry e;
    e.Token = t;
    e.Act.Run = run;
    if (a.States[end].Routine >= 0) {
      e.Act.Kind = KShift;
      e.Act.Target = a.States[end].Routine;
    } else {
      int item = InlineReduction(a, end);
      if (item < 0 || run.empty()) continue;
      e.Act.Kind = KShiftReduce;
      e.Act.Rule = a.ItemProd[item];
      e.Act.Lhs = a.G->Prods[e.Act.Rule].Lhs;
      e.Act.Production = RecordedNumber(a, e.Act.Rule);
      e.Act.PopCount = 0;
    }
    out.push_back(e);
  }
  return out;
}

// ---------------------------------------------------------------- output

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

struct Emitter {
  const Automaton& A;
  std::vector<Action> Actions;
  std::map<Action, int> ActionIndex;
  std::vector<Bits> Sets;
  std::map<Bits, int> SetIndex;
  std::vector<int> RunTokens;
  std::vector<std::string> Messages;

  explicit Emitter(const Automaton& a) : A(a) {}
  int SetOf(const Bits& b) {
    auto it = SetIndex.find(b);
    if (it != SetIndex.end()) return it->second;
    SetIndex[b] = int(Sets.size());
    Sets.push_back(b);
    return int(Sets.size()) - 1;
  }
  int ActionOf(const Action& act) {
    auto it = ActionIndex.find(act);
    if (it != ActionIndex.end()) return it->second;
    ActionIndex[act] = int(Actions.size());
    Actions.push_back(act);
    return int(Actions.size()) - 1;
  }
  int RunOf(const std::vector<int>& run) {
    if (run.empty()) return -1;
    for (size_t i = 0; i + run.size() <= RunTokens.size(); ++i)
      if (std::equal(run.begin(), run.end(), RunTokens.begin() + i)) return int(i);
    RunTokens.insert(RunTokens.end(), run.begin(), run.end());
    return int(RunTokens.size() - run.size());
  }
};

const char* KindName(int k) {
  static const char* names[] = {"LrShift", "LrShiftReduce", "LrReduce", "LrEmptyReduce",
                                "LrGotoCall", "LrGotoReduce", "LrAccept", "LrError"};
  return names[k];
}

void Emit(const Automaton& a, const std::vector<Routine>& routines, const std::vector<Reentry>& reentries,
          const std::string& outPath) {
  const Grammar& g = *a.G;
  Emitter e(a);
  std::ostringstream states, tokens, gotos, kernels;
  int nTokens = 0, nGotos = 0, nKernels = 0;
  for (const Routine& rt : routines) {
    const State& st = a.States[rt.Lr0];
    int firstToken = nTokens, firstGoto = nGotos, firstKernel = nKernels;
    for (auto& [t, act] : rt.Tokens) {
      tokens << "  {" << t << ", " << e.ActionOf(act) << "},\n";
      ++nTokens;
    }
    for (auto& [n, act] : rt.Gotos) {
      gotos << "  {" << n << ", " << e.ActionOf(act) << "},\n";
      ++nGotos;
    }
    for (int k = 0; k < st.KernelCount; ++k) {
      kernels << "  {" << a.ItemProd[st.Items[k]] << ", " << a.ItemDot[st.Items[k]] << "},\n";
      ++nKernels;
    }
    int message = -1, repair = -1;
    if (rt.Default.Kind == KError) {
      message = int(e.Messages.size());
      e.Messages.push_back(rt.Message);
      repair = e.ActionOf(rt.Repair);
    }
    // One comment line per state with its kernel items, so that the tables read
    // state by state.
    states << "  //";
    for (int k = 0; k < st.KernelCount; ++k) {
      int item = st.Items[k];
      const Production& p = g.Prods[a.ItemProd[item]];
      states << (k ? "; " : " ") << g.NtNames[p.Lhs] << " ->";
      for (int i = 0; i <= int(p.Rhs.size()); ++i) {
        if (i == a.ItemDot[item]) states << " .";
        if (i < int(p.Rhs.size())) states << " " << a.SymName(p.Rhs[i]);
      }
    }
    states << "\n";
    states << "  {" << Quote(rt.Name) << ", " << e.SetOf(rt.Own) << ", " << (rt.FixedToken ? 1 : 0) << ", "
           << firstToken << ", " << rt.Tokens.size() << ", " << firstGoto << ", " << rt.Gotos.size() << ", "
           << firstKernel << ", " << st.KernelCount << ", " << e.ActionOf(rt.Default) << ", " << message << ", "
           << repair << "},\n";
  }
  std::ostringstream reent;
  for (const Reentry& r : reentries) {
    reent << "  {" << r.Token << ", " << r.Act.Run.size() << ", " << e.RunOf(r.Act.Run) << ", " << r.Act.Target
          << ", " << r.Act.Lhs << ", " << r.Act.Production << "},\n";
  }
  std::ostringstream actions;
  for (const Action& act : e.Actions) {
    int set = act.HasTransition ? e.SetOf(act.Transition) : -1;
    actions << "  {" << KindName(act.Kind) << ", " << act.Run.size() << ", " << act.Target << ", " << act.Lhs
            << ", " << act.Production << ", " << act.PopCount << ", " << set << ", " << e.RunOf(act.Run) << ", "
            << act.Rule << "},\n";
  }
  std::ostringstream prods, rhs;
  int nRhs = 0;
  for (const Production& p : g.Prods) {
    prods << "  {" << p.Lhs << ", " << p.Rhs.size() << ", " << nRhs << ", " << (p.Recorded ? 1 : 0) << "},\n";
    for (int sym : p.Rhs) {
      rhs << sym << ", ";
      ++nRhs;
    }
  }
  std::ostringstream out;
  std::string n = g.Name;
  out << "// Generated by lrgen from the " << n << " grammar. Do not edit.\n"
      << "#include \"support/automaton.h\"\n\nnamespace {\n\n";
  out << "const char* const TokenNames[] = {\n";
  for (const std::string& s : g.TokenNames) out << "  " << Quote(s) << ",\n";
  out << "};\n\nconst char* const NonterminalNames[] = {\n";
  for (const std::string& s : g.NtNames) out << "  " << Quote(s) << ",\n";
  out << "};\n\nconst LrState States[] = {\n" << states.str() << "};\n\n";
  out << "const LrAction Actions[] = {\n" << actions.str() << "};\n\n";
  out << "const LrEntry Tokens[] = {\n" << tokens.str() << "};\n\n";
  out << "const LrEntry Gotos[] = {\n" << gotos.str() << "};\n\n";
  out << "const LrItem Kernels[] = {\n" << kernels.str() << "};\n\n";
  out << "const uint32_t Sets[] = {\n";
  for (const Bits& b : e.Sets) {
    out << " ";
    for (int w = 0; w < g.SetWords; ++w) {
      uint32_t word = uint32_t(b.w[w / 2] >> (32 * (w % 2)));
      char buf[24];
      std::snprintf(buf, sizeof buf, " 0x%08xu,", word);
      out << buf;
    }
    out << "\n";
  }
  out << "};\n\nconst int16_t RunTokens[] = {";
  for (int t : e.RunTokens) out << t << ", ";
  out << "0};\n\nconst char* const Messages[] = {\n";
  for (const std::string& m : e.Messages) out << "  " << Quote(m) << ",\n";
  out << "  nullptr};\n\nconst LrProduction Productions[] = {\n" << prods.str() << "};\n\n";
  out << "const int16_t RhsSymbols[] = {" << rhs.str() << "0};\n\n";
  out << "const LrReentry Reentries[] = {\n" << reent.str() << "  {0, 0, 0, 0, 0, 0}};\n\n";
  out << "}  // namespace\n\n";
  out << "extern const LrAutomaton " << n << "Automaton = {\n  " << Quote(n) << ", " << g.TokenCount << ", "
      << g.NtNames.size() << ", " << g.SetWords << ", " << routines.size() << ", " << g.Prods.size() << ", "
      << reentries.size() << ",\n"
      << "  TokenNames, NonterminalNames, States, Actions, Tokens, Gotos, Kernels, Sets, RunTokens,\n"
      << "  Messages, Productions, RhsSymbols, Reentries};\n";
  std::string text = out.str();
  // Leave an unchanged output alone, so that the build does not recompile it.
  std::ifstream old(outPath);
  if (old) {
    std::stringstream buf;
    buf << old.rdbuf();
    if (buf.str() == text) return;
  }
  std::ofstream f(outPath);
  if (!f) Fail("cannot write " + outPath);
  f << text;
  if (!f) Fail("cannot write " + outPath);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lrgen GRAMMAR OUTPUT.cpp\n");
    return 2;
  }
  Grammar g = ReadGrammar(argv[1]);
  Automaton a;
  a.G = &g;
  a.T = g.TokenCount;
  BuildItems(a);
  BuildLr0(a);
  BuildFirst(a);
  BuildLookaheads(a);
  CheckConflicts(a);
  std::vector<Routine> routines = BuildRoutines(a);
  if (!g.Hints.empty() && g.Hints.size() != routines.size())
    Fail("the grammar names " + std::to_string(g.Hints.size()) + " states, the automaton has " +
         std::to_string(routines.size()));
  std::vector<Reentry> reentries = BuildReentries(a);
  std::fprintf(stderr, "lrgen: %s: %zu LR(0) states, %zu routines, %zu re-entry tokens\n", g.Name.c_str(),
               a.States.size(), routines.size(), reentries.size());
  Emit(a, routines, reentries, argv[2]);
  return 0;
}
