// What a printing action writes through the output module, read back from
// the file it was written to. The file name gets the process number, so that
// test programs run in parallel never share a file.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "support/output.h"

template <typename Action>
std::string OutputOf(const std::string& name, Action action) {
  std::string path = name + "." + std::to_string(getpid());
  OpenOutput(path.c_str());
  action();
  CloseOutput();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}
