// Discovery of the product home and the Java virtual machine, the class path
// from the home's "classes" directory, the Java argument vector, and the
// replacement of the launcher process by the Java virtual machine. Also the
// launcher's trace lines and its fatal exit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Once-only initialisation of this module.
void InitDiscovery();

// Fills the settings HOME and JVM when the options left them empty; ends the
// program with status 1 when either cannot be found.
void DiscoverHomeAndJvm();

// The home directory: the full path of argument 0 cut before its last two
// separators (home/bin/command gives home).
std::string HomeFromCommandPath(const char* arg0);

// An absolute path of the running command, found from argument 0, the
// current directory and PATH. Empty when argument 0 is missing or empty.
std::string FullCommandPath(const char* arg0);

// The current directory, or the empty text (after a "Platform" report) when
// the system cannot give it.
std::string WorkingDirectory();

// Whether the command at that path (the working directory joined with
// argument 0) exists there as an executable regular file.
int ExistsInWorkingDir(const std::string& path);

// The first PATH directory holding the command as an executable regular file
// (or, failing that, the command with ".exe"); the empty text when none does.
std::string FindCommandInPath(const std::string& command);

// The text with every path-list separator removed from both of its ends.
std::string TrimPathSeparators(std::string_view text);

// The PATH directory of the first executable regular file named "java"; ends
// the program with the JVM message when there is none.
std::string FindJvm();

// The largest index of c in text, or -1 when it does not occur.
int LastIndexOfChar(std::string_view text, char c);

// The text cut before its last file separator; the empty text when it has none.
std::string CutBeforeLastSeparator(std::string_view text);

// The HOME setting, or ".." when it is empty.
std::string LauncherHome();

// 1 when the name ends in ".jar" in any letter case (and is longer than that).
int IsJarName(std::string_view name);

// The class path: the user class path, then the jars of the home's "classes"
// directory in directory order, joined with ':'.
std::string BuildClassPath();

// The Java argument vector; element 0 is the path of the Java virtual machine.
std::vector<std::string> BuildJavaCommand();

// Traces and starts the Java virtual machine. When execv fails, the path and
// the system's reason are reported and the program ends with status 1.
[[noreturn]] void LaunchJava();

// Replaces the process by the Java virtual machine; returns execv's result
// only when it fails.
int ExecJava(const std::vector<std::string>& vector);

// When tracing, writes "[DEBUG] ", the text and a line end on standard error.
void LauncherTrace(std::string_view text);

// Writes the message on standard error and ends the program with status 1.
[[noreturn]] void LauncherFatal(const char* message);
