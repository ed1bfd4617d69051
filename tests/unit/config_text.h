// Parsing a configuration held in a string, for the tests of the
// configuration front end.
#pragma once

#include <cstdio>
#include <string>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"
#include "zebcheck/config_parser.h"

// Parses `text` (which must outlive the parse's use of it) as the whole
// configuration under the name p.cfg; the error messages go to a scratch
// stream. SyntaxErrorFlag tells whether the parse reported an error.
inline void ParseConfigText(const std::string& text) {
  ClearInputs();
  AddInputText(text.data(), static_cast<int32_t>(text.size()), IdentifierOf("p.cfg"));
  StartInputs();
  SyntaxErrorFlag = 0;
  FILE* saved = StderrStream;
  StderrStream = std::tmpfile();
  InitAndParseConfig();
  std::fclose(StderrStream);
  StderrStream = saved;
}
