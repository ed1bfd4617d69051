// The source level and the token of the word "assert".
#include "java/scanner/sourcelevel.h"

#include <string>

#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/scanbuf.h"

namespace {

// The level that first makes "assert" a keyword.
constexpr std::string_view AssertLevel = "1.4";

std::string SourceLevel;
// -1 until the comparison is made, then 1 ("assert" is a name) or 0; made
// once per level.
int AssertIsName = -1;

}  // namespace

void SetSourceLevel(std::string_view level) {
  SourceLevel.assign(level);
  AssertIsName = -1;
}

bool AssertIsIdentifier() {
  if (AssertIsName < 0) {
    // std::string_view compares its bytes as unsigned characters.
    AssertIsName = std::string_view(SourceLevel) < AssertLevel ? 1 : 0;
  }
  return AssertIsName == 1;
}

void SetAssertToken() {
  DeletionMarker = 0;
  if (AssertIsIdentifier()) {
    CurrentToken = Identifiersym;
    TokenAttribute.Reference = MakeIdentifier(ScanBuffer, TokenStart + 1, BufferIndex);
  } else {
    CurrentToken = assertsym;
    TokenAttribute.Integer = 0;
  }
}
