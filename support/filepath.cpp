// FileNames: parsing path strings into shared FilePath and Directory
// objects, and the texts of both.
//
// 1. Objects are hash-consed: one table of chains per directory kind and
//    one for paths. The key parts are compared as addresses; names are
//    Identifiers, so equal texts are equal addresses. A chain is kept in
//    ascending order of its key parts, the first part first.
// 2. Parsing a directory folds its components onto the start (a drive root
//    or the relative start): "" and "." stay, ".." climbs (staying at a
//    root, or adding an up-level above the relative start), other names
//    descend. So a/../b names the relative start's b.
// 3. A drive prefix is the text up to and including the first ':' when no
//    '/' comes before it ("C:x.java", "C:/a"). A ':' inside a later
//    component is an ordinary character of that component.
// 4. Texts are made by walking the chain once, without recursion.
#include "support/filepath.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/columns.h"
#include "support/heap.h"
#include "support/limits.h"
#include "support/output.h"
#include "support/services.h"
#include "support/startup.h"

namespace {

int32_t FileNamesModuleFlag = 0;

Directory* DirectoryChains[4][FileNameChainCount];
FilePath* FilePathChains[FileNameChainCount];

Identifier* DotName = nullptr;        // "."
Identifier* DotDotName = nullptr;     // ".."
Identifier* EmptyName = nullptr;      // ""
Identifier* SeparatorName = nullptr;  // "/"

// The separator of components in path strings.
const char SlashText[] = "/";

int32_t PlatformKindSetting = 0;
// The DOS platform kind.
constexpr int32_t DosPlatform = 2;
// SeparatorText, once it has been decided.
Identifier* SeparatorTextCache = nullptr;

uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

uint32_t ChainOf(uintptr_t keySum) {
  return (static_cast<uint32_t>(keySum) >> 3) % static_cast<uint32_t>(FileNameChainCount);
}

Directory* MakeDirectory(int32_t kind, Identifier* name, void* anchor) {
  uintptr_t nameKey = Address(name);
  uintptr_t anchorKey = Address(anchor);
  Directory** slot = &DirectoryChains[kind][ChainOf(nameKey + anchorKey)];
  while (*slot != nullptr) {
    Directory* d = *slot;
    uintptr_t dName = Address(d->name);
    uintptr_t dAnchor = Address(d->anchor.parent);
    if (dName == nameKey && dAnchor == anchorKey) return d;
    if (dName > nameKey || (dName == nameKey && dAnchor > anchorKey)) break;
    slot = &d->link;
  }
  auto* d = static_cast<Directory*>(Allocate(sizeof(Directory)));
  d->kind = kind;
  d->name = name;
  d->prefixText = nullptr;
  d->text = nullptr;
  if (kind == UpLevelDirectory || kind == NamedSubdirectory) {
    d->anchor.parent = static_cast<Directory*>(anchor);
  } else {
    d->anchor.drive = static_cast<Identifier*>(anchor);
  }
  d->link = *slot;
  *slot = d;
  return d;
}

Identifier* IdentifierOfRange(const char* s, int32_t first, int32_t last) {
  return MakeIdentifier(s, first, last);
}

// The first index from `from` to `to` that holds c, or to + 1.
int32_t FindCharForward(const char* s, char c, int32_t from, int32_t to) {
  for (int32_t i = from; i <= to; ++i) {
    if (s[i] == c) return i;
  }
  return to + 1;
}

// The last index from `from` down to `limit` that holds c, or limit - 1.
int32_t FindCharBackward(const char* s, char c, int32_t from, int32_t limit) {
  for (int32_t i = from; i >= limit; --i) {
    if (s[i] == c) return i;
  }
  return limit - 1;
}

// The index just after the drive prefix, or 0 when there is none.
int32_t DrivePrefixEnd(const char* s) {
  for (int32_t i = 0; s[i] != '\0'; ++i) {
    if (s[i] == FileSeparatorChar) return 0;
    if (s[i] == DriveSeparatorChar) return i + 1;
  }
  return 0;
}

Identifier* DrivePrefix(const char* s) { return IdentifierOfRange(s, 0, DrivePrefixEnd(s) - 1); }

Identifier* Intern(const std::string& text) {
  return MakeIdentifier(text.data(), 0, static_cast<int32_t>(text.size()) - 1);
}

// Appends the prefix text of a directory: the text of its start, then each
// component below the start followed by the separator.
void AppendPrefixText(Directory* directory, std::string& out) {
  std::vector<Directory*> chain;
  Directory* d = directory;
  while ((d->kind == UpLevelDirectory || d->kind == NamedSubdirectory) && d->prefixText == nullptr) {
    chain.push_back(d);
    d = d->anchor.parent;
  }
  const char* separator = SeparatorText()->text;
  if (d->prefixText != nullptr) {
    out.append(d->prefixText->text);
  } else if (d->kind == DriveRootDirectory) {
    out.append(ToDosName(d->anchor.drive)->text);
    out.append(separator);
  } else {
    out.append(ToDosName(d->anchor.drive)->text);
  }
  for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
    out.append(ToDosName((*link)->name)->text);
    out.append(separator);
  }
}

bool IsDosNameChar(char c) { return c != '\0' && std::strchr(DosNameChars, c) != nullptr; }

[[noreturn]] void BadDosFilename(const Identifier* name) {
  std::fputs("Bad DOS Filename: ", StderrStream);
  std::fputs(name->text, StderrStream);
  std::fputs("\n", StderrStream);
  std::fflush(StderrStream);
  ExitProgram(1);
}

// The DOS form of a name (platform kind 2), as ToDosName describes it.
Identifier* DosName(Identifier* name) {
  std::string upper(name->text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  std::string out;
  size_t i = 0;
  size_t colon = upper.find(DriveSeparatorChar);
  if (colon != std::string::npos && upper.find('\\') > colon) {
    out.append(upper, 0, colon + 1);
    i = colon + 1;
  }
  while (i <= upper.size()) {
    size_t end = upper.find('\\', i);
    if (end == std::string::npos) end = upper.size();
    std::string component = upper.substr(i, end - i);
    if (component == "." || component == "..") {
      out.append(component);
    } else {
      int32_t kept = 0;
      bool extension = false;
      for (char c : component) {
        if (c == '.' && !extension) {
          out.push_back(c);
          extension = true;
          kept = 0;
        } else if (IsDosNameChar(c)) {
          if (kept < (extension ? 3 : 8)) out.push_back(c);
          ++kept;
        } else {
          BadDosFilename(name);
        }
      }
    }
    if (end == upper.size()) break;
    out.push_back('\\');
    i = end + 1;
  }
  return Intern(out);
}

}  // namespace

void InitFileNames() {
  if (!EnterModuleInit(FileNamesModuleFlag)) return;
  ExitModuleInit();
  InitHeap();
  InitIdentifierTable();
  InitOutputColumns();
  for (auto& table : DirectoryChains) {
    for (Directory*& chain : table) chain = nullptr;
  }
  for (FilePath*& chain : FilePathChains) chain = nullptr;
  DotName = IdentifierOf(".");
  DotDotName = IdentifierOf("..");
  EmptyName = IdentifierOf("");
  SeparatorName = IdentifierOf(SlashText);
  RegisterRoot(DirectoryChains);
  RegisterRoot(FilePathChains);
  RegisterRoot(&SeparatorTextCache);
}

Directory* MakeRootDirectory(Identifier* name, Identifier* drive) {
  return MakeDirectory(DriveRootDirectory, name, drive);
}

Directory* MakeRelativeStart(Identifier* name, Identifier* drive) {
  return MakeDirectory(RelativeStartDirectory, name, drive);
}

Directory* MakeUpLevelDirectory(Identifier* name, Directory* parent) {
  return MakeDirectory(UpLevelDirectory, name, parent);
}

Directory* MakeSubdirectory(Identifier* name, Directory* parent) {
  return MakeDirectory(NamedSubdirectory, name, parent);
}

FilePath* MakeFilePath(Identifier* base, Identifier* extension, Directory* directory) {
  uintptr_t b = Address(base);
  uintptr_t e = Address(extension);
  uintptr_t d = Address(directory);
  FilePath** slot = &FilePathChains[ChainOf(b + e + d)];
  while (*slot != nullptr) {
    FilePath* p = *slot;
    uintptr_t pb = Address(p->base);
    uintptr_t pe = Address(p->extension);
    uintptr_t pd = Address(p->directory);
    if (pb == b && pe == e && pd == d) return p;
    if (pb > b || (pb == b && (pe > e || (pe == e && pd > d)))) break;
    slot = &p->link;
  }
  auto* p = static_cast<FilePath*>(Allocate(sizeof(FilePath)));
  p->base = base;
  p->extension = extension;
  p->directory = directory;
  p->text = nullptr;
  p->link = *slot;
  *slot = p;
  return p;
}

Directory* ParentDirectory(Directory* directory) {
  switch (directory->kind) {
    case DriveRootDirectory:
      return directory;
    case NamedSubdirectory:
      return directory->anchor.parent;
    default:
      return MakeUpLevelDirectory(DotDotName, directory);
  }
}

Directory* ChildDirectory(Identifier* name, Directory* directory) {
  if (name == EmptyName || name == DotName) return directory;
  if (name == DotDotName) return ParentDirectory(directory);
  return MakeSubdirectory(name, directory);
}

namespace {

// Folds the components of path[from] .. path[last] onto the directory:
// empty components (after a leading '/' or between two in a row) are
// skipped, the others descend or climb through ChildDirectory.
Directory* FoldPathComponents(const char* path, int32_t from, int32_t last, Directory* directory) {
  for (int32_t i = from; i <= last;) {
    int32_t j = FindCharForward(path, FileSeparatorChar, i, last);
    if (j > i) directory = ChildDirectory(IdentifierOfRange(path, i, j - 1), directory);
    i = j + 1;
  }
  return directory;
}

}  // namespace

Directory* ParseDirectory(const char* path, int32_t last) {
  int32_t p = DrivePrefixEnd(path);
  Directory* start = path[p] == FileSeparatorChar ? MakeRootDirectory(SeparatorName, DrivePrefix(path))
                                                   : MakeRelativeStart(DotName, DrivePrefix(path));
  return FoldPathComponents(path, p, last, start);
}

FilePath* ParsePath(const char* path) {
  auto n = static_cast<int32_t>(std::strlen(path));
  if (std::strcmp(path, ".") == 0 || std::strcmp(path, "..") == 0) {
    return MakeFilePath(EmptyName, EmptyName, ParseDirectory(path, n - 1));
  }
  int32_t k = FindCharBackward(path, FileSeparatorChar, n - 1, 0);
  if (k < 0) k = DrivePrefixEnd(path) - 1;
  int32_t d = FindCharBackward(path, '.', n - 1, k + 1);
  if (d <= k) d = n;
  Identifier* base = IdentifierOfRange(path, k + 1, d - 1);
  Identifier* extension = IdentifierOfRange(path, d, n - 1);
  return MakeFilePath(base, extension, ParseDirectory(path, k - 1));
}

Identifier* DirectoryText(Directory* directory) {
  if (directory->text != nullptr) return directory->text;
  std::string text;
  switch (directory->kind) {
    case DriveRootDirectory:
      text = std::string(ToDosName(directory->anchor.drive)->text) + SeparatorText()->text;
      break;
    case RelativeStartDirectory:
      text = std::string(ToDosName(directory->anchor.drive)->text) + ".";
      break;
    default:
      AppendPrefixText(directory->anchor.parent, text);
      text.append(ToDosName(directory->name)->text);
      break;
  }
  directory->text = Intern(text);
  return directory->text;
}

Identifier* DirectoryPrefixText(Directory* directory) {
  if (directory->prefixText != nullptr) return directory->prefixText;
  std::string text;
  AppendPrefixText(directory, text);
  directory->prefixText = Intern(text);
  return directory->prefixText;
}

Identifier* FilePathText(FilePath* path) {
  if (path->text != nullptr) return path->text;
  std::string text;
  AppendPrefixText(path->directory, text);
  text.append(ToDosName(path->base)->text);
  text.append(ToDosName(path->extension)->text);
  path->text = Intern(text);
  return path->text;
}

int32_t PlatformKind() { return PlatformKindSetting; }

void SetPlatformKind(int32_t kind) { PlatformKindSetting = kind; }

Identifier* SeparatorText() {
  if (SeparatorTextCache == nullptr) {
    SeparatorTextCache = IdentifierOf(PlatformKindSetting == DosPlatform ? "\\" : SlashText);
  }
  return SeparatorTextCache;
}

Identifier* ToDosName(Identifier* name) {
  if (PlatformKindSetting != DosPlatform) return name;
  return DosName(name);
}

void ForceDirectoryTexts(Directory* directory) {
  DirectoryText(directory);
  DirectoryPrefixText(directory);
}

void ForceFilePathText(FilePath* path) { FilePathText(path); }

Directory* JoinDirectories(Directory* first, Directory* second) {
  std::vector<Directory*> chain;
  Directory* start = second;
  while (start->kind == UpLevelDirectory || start->kind == NamedSubdirectory) {
    chain.push_back(start);
    start = start->anchor.parent;
  }
  if (start->kind == DriveRootDirectory) return second;
  Directory* joined = first;
  for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
    joined = (*link)->kind == UpLevelDirectory ? ParentDirectory(joined) : MakeSubdirectory((*link)->name, joined);
  }
  return joined;
}

FilePath* JoinFilePath(Directory* first, FilePath* path) {
  return MakeFilePath(path->base, path->extension, JoinDirectories(first, path->directory));
}

int32_t CompareDirectories(Directory* a, Directory* b) {
  if (a == b) return 0;
  return CompareStrings(DirectoryText(a)->text, DirectoryText(b)->text);
}

int32_t CompareFilePaths(FilePath* a, FilePath* b) {
  if (a == b) return 0;
  return CompareStrings(FilePathText(a)->text, FilePathText(b)->text);
}

void PrintDirectory(Directory* directory) { WriteString(DirectoryText(directory)->text); }
void PrintDirectoryStdout(Directory* directory) { PrintIdentifierStdout(DirectoryText(directory)); }
void PrintDirectoryStderr(Directory* directory) { PrintIdentifier(DirectoryText(directory)); }
void PrintFilePath(FilePath* path) { WriteString(FilePathText(path)->text); }
void PrintFilePathStdout(FilePath* path) { PrintIdentifierStdout(FilePathText(path)); }
void PrintFilePathStderr(FilePath* path) { PrintIdentifier(FilePathText(path)); }

void SlashesToBackslashes(char* text) {
  for (char* p = text; *p != '\0'; ++p) {
    if (*p == '/') *p = '\\';
  }
}

void BackslashesToSlashes(char* text) {
  for (char* p = text; *p != '\0'; ++p) {
    if (*p == '\\') *p = '/';
  }
}
