// Home, JVM and class-path discovery, the Java argument vector and execv.
//
// 1. The home comes from the launcher's own path: argument 0 is made absolute
//    (absolute already, relative to the current directory, or found on PATH,
//    a relative PATH entry taken below the current directory),
//    then cut before its last two separators, so home/bin/client gives home.
// 2. The JVM is the first executable regular file named "java" on PATH.
// 3. The class path is the user class path followed by every "*.jar" of
//    home/classes, in the order the directory lists them.
// 4. The argument vector is traced when asked for, standard output is flushed,
//    and execv replaces the process. A failed execv is reported and ends the
//    program with status 1.
#include "launcher/discovery.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "support/filepath.h"
#include "support/identifiers.h"
#include "support/limits.h"
#include "support/startup.h"

namespace {

int32_t discoveryReady = 0;

// Paths are joined with the file separator, path lists with the drive
// separator of the file-name module.
constexpr char FileSeparator = FileSeparatorChar;
constexpr char PathListSeparator = DriveSeparatorChar;

// A command counts only as an executable regular file (a directory or a
// plain data file of the same name is passed over).
bool IsExecutableFile(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  return S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string Join(std::string_view dir, std::string_view name) {
  std::string r(dir);
  r += FileSeparator;
  r += name;
  return r;
}

// A PATH entry as an absolute directory: a relative entry ("bin", "./bin",
// ".") names a directory below the working directory, so the working
// directory goes in front of it; otherwise the home and every class-path
// entry made from it would be relative, or empty for an entry without a
// separator.
std::string AbsoluteDirectory(std::string_view cwd, const std::string& dir) {
  if (dir[0] == FileSeparator) return dir;
  if (dir == ".") return std::string(cwd);
  if (dir.size() >= 2 && dir[0] == '.' && dir[1] == FileSeparator) return Join(cwd, dir.substr(2));
  return Join(cwd, dir);
}

// The PATH search shared by the command and the JVM look-ups. The ".exe"
// alternative applies only to the command: the JVM is run as dir/java.
std::string SearchPath(const std::string& command, bool tryExeSuffix) {
  std::string path = GetEnv("PATH");
  std::string line = launcher_text::TraceFinding;
  line += command;
  line += launcher_text::TraceInPath;
  line += path;
  LauncherTrace(line);
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(PathListSeparator, start);
    if (end == std::string::npos) end = path.size();
    std::string dir = TrimPathSeparators(std::string_view(path).substr(start, end - start));
    start = end + 1;
    if (dir.empty()) continue;  // an empty entry names no directory here
    if (IsExecutableFile(Join(dir, command))) return dir;
    if (tryExeSuffix && IsExecutableFile(Join(dir, command) + ".exe")) return dir;
  }
  return std::string();
}

}  // namespace

void InitDiscovery() {
  if (!EnterModuleInit(discoveryReady)) return;
  CommandLineModuleInit();
  ExitModuleInit();
  InitFileNames();
  InitLauncherState();
}

void LauncherTrace(std::string_view text) {
  if (!TheLauncher.traceFlag) return;
  std::fputs(launcher_text::TraceDebug, stderr);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

void LauncherFatal(const char* message) {
  std::fputs(message, stderr);
  ExitProgram(1);
}

void DiscoverHomeAndJvm() {
  if (GetSetting(TheLauncher.homeKey).empty()) {
    std::string home = HomeFromCommandPath(Arg(0));
    LauncherTrace(launcher_text::TraceHomePath + home);
    SetSetting(TheLauncher.homeKey, home);
  }
  if (GetSetting(TheLauncher.jvmKey).empty()) {
    std::string jvm = Join(FindJvm(), TheLauncher.jvmCommandName->text);
    LauncherTrace(launcher_text::TraceJvm + jvm);
    SetSetting(TheLauncher.jvmKey, jvm);
  }
}

std::string HomeFromCommandPath(const char* arg0) {
  std::string full = FullCommandPath(arg0);
  LauncherTrace(launcher_text::TraceFullCmdPath + full);
  if (full.empty()) LauncherFatal(launcher_text::HomeMessage);
  return CutBeforeLastSeparator(CutBeforeLastSeparator(full));
}

std::string FullCommandPath(const char* arg0) {
  std::string a = arg0 != nullptr ? arg0 : "";
  std::string cwd = WorkingDirectory();
  LauncherTrace(launcher_text::TraceRawCmdPath + a);
  LauncherTrace(launcher_text::TraceWorkingDir + cwd);
  if (a.empty()) return std::string();  // no program path: no home to derive
  if (a[0] == FileSeparator) return a;
  if (a.size() > 2 && a[1] == ':') return a;  // a drive path
  if (a.size() >= 2 && a[0] == '.' && a[1] == FileSeparator) return Join(cwd, a.substr(2));
  if (a.find(FileSeparator) != std::string::npos) return Join(cwd, a);
  if (ExistsInWorkingDir(Join(cwd, a))) return Join(cwd, a);
  if (!FindCommandInPath(a).empty()) return Join(AbsoluteDirectory(cwd, FindCommandInPath(a)), a);
  return Join(cwd, a);
}

std::string WorkingDirectory() {
  std::vector<char> buffer(WorkingDirectoryBufferSize);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE) break;
    buffer.resize(buffer.size() * 2);  // a deeper directory than the buffer holds
  }
  std::perror(launcher_text::PlatformPrefix);
  return std::string();
}

int ExistsInWorkingDir(const std::string& path) { return IsExecutableFile(path) ? 1 : 0; }

std::string FindCommandInPath(const std::string& command) { return SearchPath(command, true); }

std::string TrimPathSeparators(std::string_view text) {
  while (!text.empty() && text.front() == PathListSeparator) text.remove_prefix(1);
  while (!text.empty() && text.back() == PathListSeparator) text.remove_suffix(1);
  return std::string(text);
}

std::string FindJvm() {
  const std::string java = TheLauncher.jvmCommandName->text;
  if (SearchPath(java, false).empty()) LauncherFatal(launcher_text::JvmMessage);
  return SearchPath(java, false);
}

int LastIndexOfChar(std::string_view text, char c) {
  std::size_t k = text.rfind(c);
  return k == std::string_view::npos ? -1 : static_cast<int>(k);
}

std::string CutBeforeLastSeparator(std::string_view text) {
  int k = LastIndexOfChar(text, FileSeparator);
  if (k < 0) return std::string();
  return std::string(text.substr(0, static_cast<std::size_t>(k)));
}

std::string LauncherHome() {
  const std::string& home = GetSetting(TheLauncher.homeKey);
  return home.empty() ? std::string("..") : home;
}

int IsJarName(std::string_view name) {
  if (name.size() < 4) return 0;
  std::string_view tail = name.substr(name.size() - 4);
  const char* jar = ".JAR";
  for (std::size_t i = 0; i < 4; ++i)
    if (std::toupper(static_cast<unsigned char>(tail[i])) != jar[i]) return 0;
  return 1;
}

std::string BuildClassPath() {
  std::string dir = Join(LauncherHome(), "classes");
  std::string jars;
  if (DIR* d = opendir(dir.c_str())) {  // a missing directory gives no jars
    while (struct dirent* e = readdir(d)) {
      if (!IsJarName(e->d_name)) continue;
      jars += Join(dir, e->d_name);
      jars += PathListSeparator;
    }
    closedir(d);
  }
  if (!jars.empty()) jars.pop_back();
  if (TheLauncher.userClassPath.empty()) return jars;
  return TheLauncher.userClassPath + PathListSeparator + jars;
}

std::vector<std::string> BuildJavaCommand() {
  std::vector<std::string> v;
  v.push_back(GetSetting(TheLauncher.jvmKey));
  v.push_back("-classpath");
  v.push_back(BuildClassPath());
  v.push_back(MainClassForCommand());
  if (TheLauncher.traceFlag) v.push_back("-traceon");
  if (TheLauncher.iniFile != TheLauncher.emptyName) {
    v.push_back("-inifile");
    v.push_back(TheLauncher.iniFile->text);
  }
  v.push_back("-home");
  v.push_back(LauncherHome());
  v.push_back("-jvm");
  v.push_back(GetSetting(TheLauncher.jvmKey));
  for (const std::string& a : TheLauncher.keptArguments) v.push_back(a);
  return v;
}

void LaunchJava() {
  std::vector<std::string> vector = BuildJavaCommand();
  if (TheLauncher.traceFlag) {
    std::string joined;
    for (std::size_t i = 0; i < vector.size(); ++i) {
      if (i > 0) joined += ' ';
      joined += vector[i];
    }
    joined += '\n';
    std::fputs(joined.c_str(), stderr);
  }
  ExecJava(vector);
  int reason = errno;
  std::fputs(launcher_text::ExecFailed, stderr);
  std::fputs(vector[0].c_str(), stderr);
  std::fputs(": ", stderr);
  std::fputs(std::strerror(reason), stderr);
  std::fputc('\n', stderr);
  ExitProgram(1);
}

int ExecJava(const std::vector<std::string>& vector) {
  std::vector<char*> argv;
  argv.reserve(vector.size() + 1);
  for (const std::string& a : vector) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  if (TheLauncher.traceFlag) {
    std::printf("path = %s\n", argv[0]);
    for (std::size_t i = 0; i < vector.size(); ++i) std::printf("argv[%zu] = %s\n", i, argv[i]);
  }
  // The new program inherits the file descriptors, not this process's stdio
  // buffers: whatever is still buffered must go out first.
  std::fflush(stdout);
  std::fflush(stderr);
  // Nor the signal dispositions that the launcher's own start-up changed.
  RestoreStartupSignals();
  return execv(argv[0], argv.data());
}
