// Writes a file of its own for a test, in the test's temporary directory, and
// gives its path. The path holds the process number, so that test programs
// run in parallel never share a file.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <unistd.h>

inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  std::string path = testing::TempDir() + std::to_string(getpid()) + "." + name;
  FILE* f = fopen(path.c_str(), "wb");
  fwrite(text.data(), 1, text.size(), f);
  fclose(f);
  return path;
}
