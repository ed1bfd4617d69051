// The launcher's driver: its global state, the table of command names and
// their Java main classes, the option parser with its help text, and the
// module initialisation that runs before the home, the Java virtual machine
// and the class path are discovered (discovery.h).
#pragma once

#include <string>
#include <vector>

struct Identifier;

// One entry of the settings list: a key, compared by identity, and its text.
struct LauncherSetting {
  const Identifier* key;
  std::string value;
};

// The one launcher state of the process, filled by the module initialisers
// and the option parser.
struct LauncherState {
  std::string commandName;                 // base name of argument 0, no extension
  std::vector<LauncherSetting> settings;   // "JVM" and "HOME", in that order
  const Identifier* jvmKey;                // the key "JVM"
  const Identifier* homeKey;               // the key "HOME"
  const Identifier* jvmCommandName;        // "java"
  std::string userClassPath;               // CLASSPATH, then each --tarkelclasspath
  const Identifier* iniFile;               // --tarkelinifile; the empty name when not given
  const Identifier* emptyName;             // the identifier of the empty text
  int traceFlag;                           // --tarkeltrace
  std::vector<std::string> keptArguments;  // handed on to the Java program, in order
};

extern LauncherState TheLauncher;

// One command name and the Java main class it starts.
struct LauncherCommand {
  const char* name;
  const char* mainClass;
};

inline constexpr LauncherCommand CommandTable[] = {
    {"client", "com.orvanti.velmora.java.cli.CLI"},
    {"zux", "com.orvanti.velmora.java.zux.Application"},
    {"xclient", "com.orvanti.velmora.java.gui.VelmoraApplication"},
    {"run", "com.orvanti.launcher.Launch"},
};

// Runs every module initialiser once, then SetUpLauncher.
void InitLauncher();

// Initialises the launcher state: command name from argument 0, the two
// settings, CLASSPATH. Once only.
void InitLauncherState();

// Options, discovery of home and JVM, and the queued settings text.
void SetUpLauncher();

// Reads arguments 1 to ArgCount()-1 into the launcher state.
void ParseLauncherOptions();

// Writes the help text on standard output and ends with status 0.
[[noreturn]] void PrintLauncherHelp();

// The Java main class of the command name; an unknown name writes the
// unknown-command message and ends with status 1.
const char* MainClassForCommand();

// 1 when the texts are equal; with exact 0 the first text is lower-cased first.
int CommandNameEquals(const char* a, const char* b, int exact);

// The value of the first setting with that key, or the empty text.
const std::string& GetSetting(const Identifier* key);

// Replaces the value of the first setting with that key; an absent key is ignored.
void SetSetting(const Identifier* key, const std::string& value);
