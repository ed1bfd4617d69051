// The search path and the source-file lookup of dotted names.
//
// The search path is built once from -sp and -cp: the pieces of each option
// split at ":", archives (".zip", ".jar", any letter case) left out, every
// -sp directory before every -cp directory, and "." alone when both are
// empty. The pieces of one option are searched from its last piece to its
// first. An empty piece stands for the working directory ".", as in a
// shell's PATH, so it never makes the lookup search the file-system root.
//
// A dotted name a.b.C is looked up as a/b/C.java under each directory in
// turn; only a regular file that can be opened for reading counts. Whether
// the folders d/, d/a and d/a/b are directories is asked once per run, and a
// directory in which one of them is missing is passed over without asking.
// The answer (the path found, EmptyIdentifier for none, StandardMarker for a
// name of the standard-names file) is kept in the memo slot of the name's
// Identifier, so each name and each prefix is searched at most once per run.
// The one exception is a member of an on-demand package (FindPackageMember):
// one without an answer is not interned, as every name of a unit is tried
// against every package; a recent table of files missing from existing
// folders spares most of its repeated searches.
#pragma once

#include <cstdint>

#include "caldrex/namelist.h"
#include "support/conslist.h"
#include "support/identifiers.h"

// The Identifier of the empty text: "no file" in every answer and list.
extern Identifier* EmptyIdentifier;
// The Identifier of "@", the answer for a standard name.
extern Identifier* StandardMarker;

// The directories in search order (NUL-terminated texts).
extern ConsList SearchPath;

// The names of the standard-names file, in order of first occurrence
// (filled by ReadStandardFile in caldrex/options.h).
extern NameList StandardNames;

// Once-only init: the two identifiers above, "." as the search path, no
// standard names.
void InitSearchPath();

// SearchPath := SearchPathOf(sourcePath, classPath).
void SetSearchPath(const char* sourcePath, const char* classPath);
ConsList SearchPathOf(const char* sourcePath, const char* classPath);

// The pieces of a path option in search order, archives left out, an empty
// piece as ".".
ConsList SplitPathOption(const char* text);

// The pieces of text between the separators, last piece first; empty pieces
// are kept.
ConsList SplitAtSeparator(const char* text, const char* separator);

// True when the text is longer than four characters and ends in ".zip" or
// ".jar", in any letter case.
bool IsArchiveName(const char* text);

// a.b.C gives the new text a/b/C.java.
char* DottedNameToSourcePath(const Identifier* name);

// True when path names a regular file that can be opened for reading.
bool CanOpenFile(const char* path);

// The first directory + "/" + relativePath that CanOpenFile accepts, as an
// Identifier; EmptyIdentifier when none does.
Identifier* FindInSearchPath(const char* relativePath);

// The memoised answer for a dotted name.
Identifier* SourceFileOf(Identifier* name);

// Sets the memo of every standard name to StandardMarker.
void MarkStandardNames();

// The answer for the longest prefix of name (the name itself, then shorter
// prefixes ending before a ".") that has a file or is a standard name;
// EmptyIdentifier when none has.
Identifier* FindFilePrefix(Identifier* name);

// As FindFilePrefix; when a prefix answers, *name is replaced by it.
Identifier* FindFilePrefixVar(Identifier** name);

// FindFilePrefix of the dotted name package + "." + component (component
// alone for the unnamed package, EmptyIdentifier), with *member set to that
// name when it answers. A name tried against every on-demand package of
// a unit is not interned unless it answers (or was interned before), so the
// memory of a run's tries grows with its distinct folder and file names, not
// with packages times names; the package's own prefixes are searched once
// per package.
Identifier* FindPackageMember(Identifier* package, Identifier* component, Identifier** member);
