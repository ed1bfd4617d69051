// Replays inputs through a fuzz target without the fuzzer.
//
// Usage: <target>_replay PATH...
// Each PATH is a file or a directory; the regular files of a directory are
// run in name order. Every file's bytes go to the target's
// LLVMFuzzerTestOneInput (after LLVMFuzzerInitialize, when the target has
// one), as the fuzzer would pass them. The name of each file is written to
// standard error before it runs, so that a crash or a failed check names the
// input that caused it. The status is 0 when every input ran, 1 when a path
// could not be read (a failing target ends the process itself).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

namespace fs = std::filesystem;

bool ReplayFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::fprintf(stderr, "replay: %s (%zu bytes)\n", path.c_str(), bytes.size());
  std::fflush(stderr);
  // A fresh copy of exactly the input's size, so that a read beyond its end
  // is caught by the address sanitizer as under the fuzzer.
  auto* data = new uint8_t[bytes.size() == 0 ? 1 : bytes.size()];
  std::copy(bytes.begin(), bytes.end(), data);
  LLVMFuzzerTestOneInput(data, bytes.size());
  delete[] data;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  bool ok = true;
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    fs::path path(argv[i]);
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        ok = ReplayFile(file) && ok;
        ++count;
      }
    } else {
      ok = ReplayFile(path) && ok;
      ++count;
    }
  }
  std::printf("%d inputs replayed\n", count);
  return ok ? 0 : 1;
}
