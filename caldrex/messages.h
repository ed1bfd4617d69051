// Every text that caldrex itself writes, in one place. The support library's
// own messages ("Cannot open file ", the output stack's) are in
// support/report.h and support/output.h.
#pragma once

// Written when the standard-names file cannot be opened, around its name:
//   <StandardFileFailedText>"<name>"<StandardFileFailedEndText>
inline constexpr char StandardFileFailedText[] = "Velmora for Java caldrex: failed to read standard file ";
inline constexpr char StandardFileFailedEndText[] = ".\n";

// The prefix of an entry of the list of source files found (-ij).
inline constexpr char SourceFileEntryPrefix[] = "-i=";

// The suffix of a source file made from a dotted name.
inline constexpr char JavaSourceSuffix[] = ".java";

// The answer memoised for a standard name.
inline constexpr char StandardMarkerText[] = "@";

// Names every unit starts with: its first single-type import and the package
// imported on demand into every unit.
inline constexpr char JavaLangObjectText[] = "java.lang.Object";
inline constexpr char JavaLangText[] = "java.lang";
