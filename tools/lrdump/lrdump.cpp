// lrdump: prints a generated parser automaton state by state, for tests and for
// reading: each routine's name, kernel items, own set, token actions, gotos with
// their transition sets, and the default reduction or error branch with its repair;
// then the re-entry table of error recovery.
//
// Usage: lrdump [java|config|settings]   (java by default)
#include <cstdio>
#include <cstring>
#include <string>

#include "java/parser/automaton.h"
#include "support/heap.h"
#include "support/startup.h"
#ifdef LRDUMP_CONFIG
#include "zebcheck/config_automaton.h"
#endif
#ifdef LRDUMP_SETTINGS
#include "launcher/settings_automaton.h"
#endif

namespace {

const LrAutomaton* Dumped;

std::string SymbolName(int sym) {
  const LrAutomaton& a = *Dumped;
  return sym < a.TokenCount ? a.TokenNames[sym] : a.NonterminalNames[sym - a.TokenCount];
}

std::string SetText(int set) {
  const LrAutomaton& a = *Dumped;
  std::string out = "{";
  for (int c = 0; c < a.TokenCount; ++c) {
    if (!((a.Sets[set * a.SetWords + c / 32] >> (c % 32)) & 1)) continue;
    if (out.size() > 1) out += ' ';
    out += a.TokenNames[c];
  }
  return out + "}";
}

std::string RunText(int run, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) out += std::string(" ") + Dumped->TokenNames[Dumped->RunTokens[run + i]];
  return out;
}

std::string ReductionText(const LrAction& act) {
  return std::string(Dumped->NonterminalNames[act.Lhs]) + " production " + std::to_string(act.Production) +
         " rule " + std::to_string(act.Rule) + " popcount " + std::to_string(act.PopCount);
}

std::string ActionText(const LrAction& act) {
  const LrAutomaton& a = *Dumped;
  std::string run = act.RunLength ? " run" + RunText(act.Run, act.RunLength) : "";
  std::string set = act.TransitionSet >= 0 ? " set " + SetText(act.TransitionSet) : "";
  switch (act.Kind) {
    case LrShift: return "shift" + run + " call " + a.States[act.Target].Name + set;
    case LrShiftReduce: return "shift" + run + " reduce " + ReductionText(act) + set;
    case LrReduce: return "reduce " + ReductionText(act);
    case LrEmptyReduce: return "reduce-empty " + ReductionText(act);
    case LrGotoCall: return "goto" + run + " call " + a.States[act.Target].Name + set;
    case LrGotoReduce: return "goto" + run + " reduce " + ReductionText(act) + set;
    case LrAccept: return "accept";
    default: return "error";
  }
}

void DumpState(int s) {
  const LrAutomaton& a = *Dumped;
  const LrState& st = a.States[s];
  std::printf("state %03d %s\n", s, st.Name);
  for (int k = 0; k < st.KernelCount; ++k) {
    const LrItem& item = a.Kernels[st.FirstKernel + k];
    const LrProduction& p = a.Productions[item.Production];
    std::string text = a.NonterminalNames[p.Lhs];
    text.append(" ->");
    for (int i = 0; i <= p.Length; ++i) {
      if (i == item.Dot) text.append(" .");
      if (i < p.Length) text.append(" ").append(SymbolName(a.RhsSymbols[p.FirstSymbol + i]));
    }
    std::printf("  kernel %s  (%d)\n", text.c_str(), item.Production);
  }
  std::printf("  own %s\n", SetText(st.OwnSet).c_str());
  if (st.FixedToken) std::printf("  fixed-token\n");
  for (int i = 0; i < st.TokenCount; ++i) {
    const LrEntry& e = a.Tokens[st.FirstToken + i];
    std::printf("  token %s: %s\n", a.TokenNames[e.Symbol], ActionText(a.Actions[e.Action]).c_str());
  }
  for (int i = 0; i < st.GotoCount; ++i) {
    const LrEntry& e = a.Gotos[st.FirstGoto + i];
    std::printf("  on %s: %s\n", a.NonterminalNames[e.Symbol], ActionText(a.Actions[e.Action]).c_str());
  }
  if (st.Message >= 0) {
    std::printf("  error \"%s\" repair %s\n", a.Messages[st.Message], ActionText(a.Actions[st.Repair]).c_str());
  } else {
    std::printf("  default %s\n", ActionText(a.Actions[st.Default]).c_str());
  }
}

void DumpReentries() {
  const LrAutomaton& a = *Dumped;
  for (int i = 0; i < a.ReentryCount; ++i) {
    const LrReentry& r = a.Reentries[i];
    std::string run = r.RunLength ? " expect" + RunText(r.Run, r.RunLength) : "";
    if (r.Target >= 0)
      std::printf("reentry %d %s:%s call %s\n", r.Token, a.TokenNames[r.Token], run.c_str(), a.States[r.Target].Name);
    else
      std::printf("reentry %d %s:%s reduce %s production %d\n", r.Token, a.TokenNames[r.Token], run.c_str(),
                  a.NonterminalNames[r.Lhs], r.Production);
  }
}

}  // namespace

int main(int argc, char** argv) {
  InitHeap();  // memory exhaustion in the dump's strings ends as everywhere else
  const char* which = argc > 1 ? argv[1] : "java";
  if (argc > 2) {
    std::fprintf(stderr, "usage: lrdump [java|config|settings]\n");
    return 2;
  }
  if (std::strcmp(which, "java") == 0) {
    Dumped = &JavaAutomaton;
  } else if (std::strcmp(which, "config") == 0) {
#ifdef LRDUMP_CONFIG
    Dumped = &ConfigAutomaton;
#endif
  } else if (std::strcmp(which, "settings") == 0) {
#ifdef LRDUMP_SETTINGS
    Dumped = &SettingsAutomaton;
#endif
  } else {
    std::fprintf(stderr, "usage: lrdump [java|config|settings]\n");
    return 2;
  }
  if (Dumped == nullptr) {
    std::fprintf(stderr, "lrdump: the %s automaton is not part of this build\n", which);
    return 2;
  }
  std::printf("automaton %s: %d states, %d productions, %d tokens, %d nonterminals\n", Dumped->GrammarName,
              Dumped->StateCount, Dumped->ProductionCount, Dumped->TokenCount, Dumped->NonterminalCount);
  for (int s = 0; s < Dumped->StateCount; ++s) DumpState(s);
  DumpReentries();
  // A dump that standard output could not take is a failure, as in the programs.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "%s\n", CannotWriteText);
    return 1;
  }
  return 0;
}
