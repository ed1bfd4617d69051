// The launcher's driver: command table look-up, settings, options and help.
//
// The option parser walks the arguments once, left to right. Options that take
// a value read the next argument; one given as the last argument has no value
// and is ignored as a whole. Every word that is not an option, and the word
// --tarkelhome itself, is kept for the Java program in its order.
#include "launcher/launcher.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "launcher/discovery.h"
#include "launcher/messages.h"
#include "launcher/settings.h"
#include "support/conslist.h"
#include "support/filepath.h"
#include "support/identifiers.h"
#include "support/layout.h"
#include "support/startup.h"

LauncherState TheLauncher;

namespace {

int32_t launcherStateReady = 0;
int32_t launcherReady = 0;

const std::string emptyText;

bool Is(const char* arg, const char* option) { return std::strcmp(arg, option) == 0; }

// Writes the recognised command names as "[a], [b], ...": one layout per
// name, joined by ", ".
void PrintCommandList() {
  ConsList names = nullptr;
  for (const LauncherCommand& c : CommandTable) {
    std::string bracketed = std::string("[") + c.name + "]";
    ConsAppendIfAbsent(names, LayoutText(IdentifierOf(bracketed.c_str())->text));
  }
  PrintLayoutToStderr(LayoutJoin(names, LayoutText(", ")));
}

}  // namespace

void InitLauncherState() {
  if (!EnterModuleInit(launcherStateReady)) return;
  CommandLineModuleInit();
  ExitModuleInit();
  InitFileNames();
  InitLayout();
  const char* arg0 = Arg(0);
  TheLauncher.commandName = ParsePath(arg0 != nullptr ? arg0 : "")->base->text;
  TheLauncher.jvmKey = IdentifierOf("JVM");
  TheLauncher.homeKey = IdentifierOf("HOME");
  TheLauncher.settings = {{TheLauncher.jvmKey, ""}, {TheLauncher.homeKey, ""}};
  TheLauncher.jvmCommandName = IdentifierOf("java");
  TheLauncher.userClassPath = GetEnv("CLASSPATH");
  TheLauncher.emptyName = IdentifierOf("");
  TheLauncher.iniFile = TheLauncher.emptyName;
  TheLauncher.traceFlag = 0;
  TheLauncher.keptArguments.clear();
}

void InitLauncher() {
  if (!EnterModuleInit(launcherReady)) return;
  InitLauncherState();
  InitDiscovery();
  InitSettingsLanguage();
  SetUpLauncher();
}

void SetUpLauncher() {
  ParseLauncherOptions();
  DiscoverHomeAndJvm();
  QueueSettingsText();
}

void ParseLauncherOptions() {
  int count = ArgCount();
  int i = 1;
  while (i < count) {
    const char* arg = Arg(i);
    const char* value = Arg(i + 1);
    if (Is(arg, "--tarkelclasspath")) {
      if (value != nullptr) {
        std::string& path = TheLauncher.userClassPath;
        if (!path.empty()) path += ':';
        path += value;
      }
      i += 2;
    } else if (Is(arg, "--tarkeljvm")) {
      if (value != nullptr) SetSetting(TheLauncher.jvmKey, value);
      i += 2;
    } else if (Is(arg, "--tarkelinifile")) {
      if (value != nullptr) TheLauncher.iniFile = IdentifierOf(value);
      i += 2;
    } else if (Is(arg, "--tarkeltrace")) {
      TheLauncher.traceFlag = 1;
      i += 1;
    } else if (Is(arg, "--tarkelhelp")) {
      PrintLauncherHelp();
    } else if (Is(arg, "--tarkelhome")) {
      // The option word, not its value, is handed on to the Java program.
      if (value != nullptr) {
        SetSetting(TheLauncher.homeKey, value);
        TheLauncher.keptArguments.push_back(arg);
      }
      i += 2;
    } else {
      TheLauncher.keptArguments.push_back(arg);
      i += 1;
    }
  }
}

void PrintLauncherHelp() {
  std::fputs(launcher_text::HelpUsage, stdout);
  std::fputs(TheLauncher.commandName.c_str(), stdout);
  std::fputs(launcher_text::HelpUsageTail, stdout);
  std::fputs(launcher_text::HelpBody, stdout);
  ExitProgram(0);
}

const char* MainClassForCommand() {
  for (const LauncherCommand& c : CommandTable)
    if (CommandNameEquals(TheLauncher.commandName.c_str(), c.name, 1)) return c.mainClass;
  std::fputs(launcher_text::UnknownCommandHead, stderr);
  std::fputs(TheLauncher.commandName.c_str(), stderr);
  std::fputs(launcher_text::UnknownCommandList, stderr);
  PrintCommandList();
  std::fputs(launcher_text::UnknownCommandTail, stderr);
  ExitProgram(1);
}

int CommandNameEquals(const char* a, const char* b, int exact) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a);
    unsigned char cb = static_cast<unsigned char>(*b);
    if (!exact) ca = static_cast<unsigned char>(std::tolower(ca));
    if (ca != cb) return 0;
    if (ca == 0) return 1;
  }
}

const std::string& GetSetting(const Identifier* key) {
  for (const LauncherSetting& s : TheLauncher.settings)
    if (s.key == key) return s.value;
  return emptyText;
}

void SetSetting(const Identifier* key, const std::string& value) {
  for (LauncherSetting& s : TheLauncher.settings) {
    if (s.key == key) {
      s.value = value;
      return;
    }
  }
}
