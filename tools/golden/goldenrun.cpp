// goldenrun: runs program-level golden cases.
//
// A case is a directory holding a file `cmd` (a /bin/sh script), the input
// files it uses, and what the run must produce:
//   expect.stdout   the exact standard output   (missing: empty)
//   expect.stderr   the exact standard error    (missing: empty)
//   expect.status   the exit status, a number   (missing: 0)
//   expect.files/   files that must exist after the run, byte for byte
// Each case runs in a fresh temporary copy of its directory, with standard
// input from /dev/null, the build's bin directory first on PATH and in $BIN,
// and the case directory's original path in $CASE. A case that runs longer
// than its time limit (60 s, or the number in `timeout`, times the number in
// the environment variable GOLDEN_TIME_SCALE when set) fails.
//
// Usage: goldenrun [-bin DIR] [-only NAME] CASE_OR_SUITE_DIR...
// A directory without `cmd` is a suite: every subdirectory (recursively) that
// has a `cmd` is a case, run in name order.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool passed = true;
  std::string report;
};

std::string ReadFileOr(const fs::path& p, const std::string& fallback) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return fallback;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Shows the first line where two texts differ, with both versions.
std::string FirstDifference(const std::string& want, const std::string& got) {
  std::istringstream a(want), b(got);
  std::string la, lb;
  for (int line = 1;; ++line) {
    bool ha = static_cast<bool>(std::getline(a, la));
    bool hb = static_cast<bool>(std::getline(b, lb));
    if (!ha && !hb) break;
    if (ha != hb || la != lb) {
      std::ostringstream r;
      r << "    first difference at line " << line << "\n"
        << "    want: " << (ha ? "|" + la + "|" : "<end>") << "\n"
        << "    got:  " << (hb ? "|" + lb + "|" : "<end>") << "\n";
      return r.str();
    }
  }
  return "    (texts differ only in the final newline)\n";
}

void Compare(Outcome& o, const char* what, const std::string& want, const std::string& got) {
  if (want == got) return;
  o.passed = false;
  o.report += std::string("  ") + what + " differs:\n" + FirstDifference(want, got);
  if (got.size() < 4000) o.report += "    --- whole " + std::string(what) + " ---\n" + got + "\n";
}

// Runs `sh cmd` in dir; returns the wait status (or -1 on a time-out).
int RunCase(const fs::path& dir, const fs::path& out, const fs::path& err, const std::string& bin,
            const fs::path& origin, int seconds) {
  pid_t pid = fork();
  if (pid < 0) return -2;
  if (pid == 0) {
    setpgid(0, 0);
    if (chdir(dir.c_str()) != 0) _exit(127);
    int in = open("/dev/null", O_RDONLY);
    int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || fo < 0 || fe < 0) _exit(127);
    dup2(in, 0);
    dup2(fo, 1);
    dup2(fe, 2);
    const char* path = getenv("PATH");
    std::string newpath = bin + ":" + (path ? path : "/usr/bin:/bin");
    setenv("PATH", newpath.c_str(), 1);
    setenv("BIN", bin.c_str(), 1);
    setenv("CASE", origin.c_str(), 1);
    setenv("LC_ALL", "C", 1);
    // Cases that test the file-size limit expect its signal's default action,
    // whatever disposition the runner itself was started with.
    signal(SIGXFSZ, SIG_DFL);
    execl("/bin/sh", "sh", "cmd", static_cast<char*>(nullptr));
    _exit(127);
  }
  setpgid(pid, pid);
  int status = 0;
  for (int waited = 0;; ++waited) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return status;
    if (r < 0 && errno != EINTR) return -2;
    if (waited >= seconds * 100) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(10000);
  }
}

Outcome RunOne(const fs::path& caseDir, const std::string& bin) {
  Outcome o;
  char tmpl[] = "/tmp/goldenrun.XXXXXX";
  if (!mkdtemp(tmpl)) {
    o.passed = false;
    o.report = "  cannot make a temporary directory\n";
    return o;
  }
  fs::path tmp(tmpl);
  fs::path work = tmp / "case";
  std::error_code ec;
  fs::copy(caseDir, work, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (ec) {
    o.passed = false;
    o.report = "  cannot copy the case: " + ec.message() + "\n";
    fs::remove_all(tmp, ec);
    return o;
  }
  int seconds = 60;
  std::string t = ReadFileOr(caseDir / "timeout", "");
  if (!t.empty()) seconds = std::max(1, std::atoi(t.c_str()));
  // Slow runs (e.g. every program under valgrind) scale every limit.
  if (const char* scale = getenv("GOLDEN_TIME_SCALE")) seconds *= std::max(1, std::atoi(scale));
  int ws = RunCase(work, tmp / "stdout", tmp / "stderr", bin, fs::absolute(caseDir), seconds);
  std::string gotOut = ReadFileOr(tmp / "stdout", "");
  std::string gotErr = ReadFileOr(tmp / "stderr", "");
  if (ws == -1) {
    o.passed = false;
    o.report += "  timed out after " + std::to_string(seconds) + " s\n";
  } else if (ws == -2) {
    o.passed = false;
    o.report += "  cannot run the case\n";
  } else {
    int status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    int want = std::atoi(ReadFileOr(caseDir / "expect.status", "0").c_str());
    if (status != want) {
      o.passed = false;
      o.report += "  status " + std::to_string(status) + ", want " + std::to_string(want) + "\n";
    }
    Compare(o, "stdout", ReadFileOr(caseDir / "expect.stdout", ""), gotOut);
    Compare(o, "stderr", ReadFileOr(caseDir / "expect.stderr", ""), gotErr);
    fs::path files = caseDir / "expect.files";
    if (fs::is_directory(files)) {
      for (const auto& e : fs::recursive_directory_iterator(files)) {
        if (!e.is_regular_file()) continue;
        fs::path rel = fs::relative(e.path(), files);
        if (!fs::exists(work / rel)) {
          o.passed = false;
          o.report += "  file " + rel.string() + " was not written\n";
          continue;
        }
        Compare(o, ("file " + rel.string()).c_str(), ReadFileOr(e.path(), ""),
                ReadFileOr(work / rel, ""));
      }
    }
  }
  fs::remove_all(tmp, ec);
  return o;
}

void CollectCases(const fs::path& dir, std::vector<fs::path>& cases) {
  if (fs::exists(dir / "cmd")) {
    cases.push_back(dir);
    return;
  }
  std::vector<fs::path> subs;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_directory()) subs.push_back(e.path());
  std::sort(subs.begin(), subs.end());
  for (const auto& s : subs) CollectCases(s, cases);
}

}  // namespace

int main(int argc, char** argv) {
  std::string bin;
  std::string only;
  std::vector<fs::path> roots;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-bin" && i + 1 < argc) {
      bin = argv[++i];
    } else if (a == "-only" && i + 1 < argc) {
      only = argv[++i];
    } else {
      roots.emplace_back(a);
    }
  }
  if (bin.empty()) bin = fs::absolute(fs::path(argv[0])).parent_path().string();
  bin = fs::absolute(bin).string();
  if (roots.empty()) {
    std::cerr << "usage: goldenrun [-bin DIR] [-only NAME] CASE_OR_SUITE_DIR...\n";
    return 2;
  }
  std::vector<fs::path> cases;
  for (const auto& r : roots) {
    if (!fs::is_directory(r)) {
      std::cerr << "goldenrun: not a directory: " << r.string() << "\n";
      return 2;
    }
    CollectCases(r, cases);
  }
  int passed = 0, failed = 0;
  for (const auto& c : cases) {
    if (!only.empty() && c.filename().string().find(only) == std::string::npos) continue;
    Outcome o = RunOne(c, bin);
    if (o.passed) {
      ++passed;
    } else {
      ++failed;
      std::cout << "FAIL " << c.string() << "\n" << o.report;
    }
  }
  std::cout << "golden: " << passed << " passed, " << failed << " failed\n";
  return failed == 0 && passed > 0 ? 0 : 1;
}
