// The Java source level, and the one scanning decision that depends on it:
// whether the word "assert" is a keyword.
//
// The level is the text of the "-source" option (empty by default). "assert"
// is a keyword when the level sorts at or after "1.4" byte by byte, and an
// ordinary name before that ("", "1.3"). The caldrex driver sets the level
// from its command line; until then SetSourceLevel is how a tool or test
// chooses it.
#pragma once

#include <string_view>

// Records the source level; the decision is made again at the next "assert".
void SetSourceLevel(std::string_view level);

// True while "assert" scans as a name.
bool AssertIsIdentifier();

// Called by the scanner's accept state of the word "assert", after it has
// set ScanAccepted and backed up to the end of the word: sets DeletionMarker
// to 0 and CurrentToken to Identifiersym (value: the Identifier of "assert")
// or to assertsym (value 0), as the source level decides.
void SetAssertToken();
