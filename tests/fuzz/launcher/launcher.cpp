// Fuzz target: the launcher's argument and path handling.
//
// The input is a list of strings separated by NUL bytes: the value of PATH
// (searched before the process's own PATH), the value of CLASSPATH, then the
// argument vector, argument 0 first. For each input the launcher state is
// set up as at start-up (the command name from argument 0, the two settings,
// the user class path), the options are read, the home is derived from the
// launcher's own path (made absolute from the current directory or found on
// PATH), and for a known command name the Java argument vector is built
// (with the jars of home/classes); nothing is executed. Left out, because
// they end the process by design: "--tarkelhelp" (help text, status 0), an
// empty argument 0 (no home), the search for a JVM on PATH (no "java" on
// this machine), and unknown command names (status 1).
//
// Checked: the path helpers keep their promises (trimmed path lists have no
// separator at either end; a cut path is a prefix of the path that ends
// before a separator), and the Java argument vector starts with the JVM and
// ends with the kept arguments in their order.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "launcher/discovery.h"
#include "launcher/launcher.h"
#include "support/filepath.h"
#include "support/identifiers.h"
#include "support/startup.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 4096;
constexpr size_t MaxPathEntries = 16;

std::string OriginalPath;

void CheckPathHelpers(const std::string& text) {
  std::string trimmed = TrimPathSeparators(text);
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ':' && trimmed.back() != ':'),
             "a trimmed path list has no separator at either end");
  FUZZ_CHECK(text.find(trimmed) != std::string::npos, "trimming keeps the middle of a list");
  std::string cut = CutBeforeLastSeparator(text);
  int last = LastIndexOfChar(text, '/');
  FUZZ_CHECK(last < 0 ? cut.empty() : cut == text.substr(0, static_cast<size_t>(last)),
             "a cut path ends before the last separator");
  std::string lower = text.size() >= 4 ? text.substr(text.size() - 4) : std::string();
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  FUZZ_CHECK(IsJarName(text) == (lower == ".jar" ? 1 : 0), "a jar name ends in .jar in any case");
}

bool KnownCommand(const std::string& name) {
  for (const LauncherCommand& command : CommandTable) {
    if (CommandNameEquals(name.c_str(), command.name, 1)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzRuntime();
  const char* path = std::getenv("PATH");
  OriginalPath = path != nullptr ? path : "";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MaxData) return 0;
  std::vector<std::string> fields;
  std::string field;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      fields.push_back(field);
      field.clear();
    } else {
      field.push_back(static_cast<char>(data[i]));
    }
  }
  fields.push_back(field);
  if (fields.size() < 3 || fields[2].empty()) return 0;
  std::string path = fields[0];
  size_t entries = 0;
  for (char c : path) entries += c == ':';
  if (entries > MaxPathEntries) return 0;
  setenv("PATH", (path + ":" + OriginalPath).c_str(), 1);

  std::vector<std::string> arguments(fields.begin() + 2, fields.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    if (argument == "--tarkelhelp") return 0;
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  InitCommandLine(static_cast<int32_t>(arguments.size()), argv.data());
  InitLauncherState();
  InitDiscovery();

  // The state as InitLauncherState makes it, for this command line.
  TheLauncher.commandName = ParsePath(arguments[0].c_str())->base->text;
  TheLauncher.settings = {{TheLauncher.jvmKey, ""}, {TheLauncher.homeKey, ""}};
  TheLauncher.userClassPath = fields[1];
  TheLauncher.iniFile = TheLauncher.emptyName;
  TheLauncher.traceFlag = 0;
  TheLauncher.keptArguments.clear();

  ParseLauncherOptions();
  if (GetSetting(TheLauncher.homeKey).empty()) {
    SetSetting(TheLauncher.homeKey, HomeFromCommandPath(arguments[0].c_str()));
  }
  if (GetSetting(TheLauncher.jvmKey).empty()) SetSetting(TheLauncher.jvmKey, "/opt/jvm/bin/java");
  for (const std::string& text : fields) CheckPathHelpers(text);

  if (KnownCommand(TheLauncher.commandName)) {
    std::vector<std::string> command = BuildJavaCommand();
    FUZZ_CHECK(!command.empty() && command[0] == GetSetting(TheLauncher.jvmKey),
               "the Java command starts with the JVM");
    const std::vector<std::string>& kept = TheLauncher.keptArguments;
    FUZZ_CHECK(command.size() >= kept.size() &&
                   std::equal(kept.begin(), kept.end(), command.end() - static_cast<std::ptrdiff_t>(kept.size())),
               "the Java command ends with the kept arguments");
  }
  return 0;
}
