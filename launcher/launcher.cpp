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
#include <string_view>

#include "launcher/discovery.h"
#include "launcher/messages.h"
#include "launcher/settings.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/startup.h"

LauncherState TheLauncher;

namespace {

int32_t launcherStateReady = 0;
int32_t launcherReady = 0;

const std::string emptyText;

// The base name of a program path, without directory and extension.
std::string CommandNameOf(std::string_view path) {
  std::size_t slash = path.rfind('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  std::size_t colon = path.find(':');
  if (colon != std::string_view::npos) path.remove_prefix(colon + 1);
  std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  return std::string(path);
}

bool Is(const char* arg, const char* option) { return std::strcmp(arg, option) == 0; }

// Writes the recognised command names as "[a], [b], ...".
void PrintCommandList() {
  bool first = true;
  for (const LauncherCommand& c : CommandTable) {
    if (!first) std::fputs(", ", stderr);
    std::fputs("[", stderr);
    std::fputs(c.name, stderr);
    std::fputs("]", stderr);
    first = false;
  }
}

}  // namespace

void InitLauncherState() {
  if (!EnterModuleInit(launcherStateReady)) return;
  const char* arg0 = Arg(0);
  TheLauncher.commandName = CommandNameOf(arg0 != nullptr ? arg0 : "");
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
