// FileNames: path strings as shared path objects.
//
// A FilePath is a base name, an extension (with its ".", or "") and a
// Directory; a Directory is a chain that ends at a drive root, at the
// relative start "." or at an up-level "..". Equal paths give the identical
// object, so paths are compared by identity. The texts of paths and
// directories are made on first use and kept.
#pragma once

#include <cstdint>

#include "support/identifiers.h"

// The separator of path components.
inline constexpr char FileSeparatorChar = '/';
// The end of a drive prefix ("C:"), and the separator of path lists.
inline constexpr char DriveSeparatorChar = ':';

// The characters a component of a DOS file name may hold: A to Z, 0 to 9
// and ! # $ % ( ) - ^ _ [ ] ~ ` (the apostrophe is not among them).
inline constexpr char DosNameChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%()-^_[]~`";

// The platform whose file names the texts follow: 2 is DOS, anything else
// POSIX. A program-wide setting, 0 at start; no program changes it.
int32_t PlatformKind();
void SetPlatformKind(int32_t kind);

enum DirectoryKind : int32_t {
  UpLevelDirectory = 0,        // "..", one level above its parent
  RelativeStartDirectory = 1,  // ".", carrying a drive prefix
  DriveRootDirectory = 2,      // the separator, carrying a drive prefix
  NamedSubdirectory = 3,       // a name below its parent
};

struct Directory {
  Directory* link;         // hash-chain link
  int32_t kind;            // DirectoryKind
  Identifier* name;
  Identifier* prefixText;  // the text before a file name; null until made
  Identifier* text;        // the directory's own text; null until made
  // The parent for up-levels and subdirectories; the drive prefix ("" or
  // the text up to and including the drive separator) for the others.
  union {
    Directory* parent;
    Identifier* drive;
  } anchor;
};

struct FilePath {
  FilePath* link;          // hash-chain link
  Identifier* base;        // the file name without its extension
  Identifier* extension;   // beginning with its ".", or ""
  Directory* directory;
  Identifier* text;        // the whole path's text; null until made
};

// Once-only initialisation of the module: its tables and identifiers.
void InitFileNames();

// The FilePath of a path string.
FilePath* ParsePath(const char* path);

// The Directory of path[0] .. path[last].
Directory* ParseDirectory(const char* path, int32_t last);

// The directory named `name` in `directory`: "" and "." give the directory
// itself, ".." its parent.
Directory* ChildDirectory(Identifier* name, Directory* directory);

// A drive root is its own parent; a subdirectory gives its parent; a
// relative start or an up-level gives a new up-level above it.
Directory* ParentDirectory(Directory* directory);

// The shared directories of each kind.
Directory* MakeRootDirectory(Identifier* name, Identifier* drive);
Directory* MakeRelativeStart(Identifier* name, Identifier* drive);
Directory* MakeUpLevelDirectory(Identifier* name, Directory* parent);
Directory* MakeSubdirectory(Identifier* name, Directory* parent);

// The shared path of (base, extension, directory).
FilePath* MakeFilePath(Identifier* base, Identifier* extension, Directory* directory);

Identifier* FilePathText(FilePath* path);
Identifier* DirectoryText(Directory* directory);
// The directory's text as it stands before a file name: "" for the plain
// relative start, "/" for the root, "a/" for a.
Identifier* DirectoryPrefixText(Directory* directory);

// The separator written between components in texts: "\\" when the
// platform kind is 2, else "/". Decided at its first use and kept.
Identifier* SeparatorText();

// The name itself unless the platform kind is 2. For DOS the name is
// upper-cased; a drive prefix up to its ':' and the '\\' separators are
// copied; each component keeps at most 8 characters of DosNameChars, then
// an optional '.' and at most 3 more, and further characters of the set are
// skipped. The components "." and ".." are directory names and stay as they
// are. Any other character ends the program with "Bad DOS Filename: ", the
// name and a newline on the standard error stream, status 1.
Identifier* ToDosName(Identifier* name);

// Compute the cached texts now (a directory's text and prefix text; a path's
// text), so that later uses only read them.
void ForceDirectoryTexts(Directory* directory);
void ForceFilePathText(FilePath* path);

// The directory `second` names when its start is taken to be `first`: its
// components descend from `first`, and its ".." levels climb `first` (a
// drive root stays where it is). A `second` that starts at a drive root
// names that directory whatever `first` is.
Directory* JoinDirectories(Directory* first, Directory* second);
// The path with its directory joined onto `first` as above.
FilePath* JoinFilePath(Directory* first, FilePath* path);

// Three-way comparison of the texts, byte by byte: 0 when equal (the same
// object), 2 when a's text sorts before b's, 3 when after (CompareStrings).
int32_t CompareDirectories(Directory* a, Directory* b);
int32_t CompareFilePaths(FilePath* a, FilePath* b);

// The text, without a newline, to the current output, to standard output or
// to the standard error stream.
void PrintDirectory(Directory* directory);
void PrintDirectoryStdout(Directory* directory);
void PrintDirectoryStderr(Directory* directory);
void PrintFilePath(FilePath* path);
void PrintFilePathStdout(FilePath* path);
void PrintFilePathStderr(FilePath* path);

// Every '/' of the string becomes '\\', in place; and back.
void SlashesToBackslashes(char* text);
void BackslashesToSlashes(char* text);
