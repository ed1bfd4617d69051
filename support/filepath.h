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
