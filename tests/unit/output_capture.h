// What a printing action writes through the output module, read back from
// the file it was written to.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "support/output.h"

template <typename Action>
std::string OutputOf(const std::string& path, Action action) {
  OpenOutput(path.c_str());
  action();
  CloseOutput();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
