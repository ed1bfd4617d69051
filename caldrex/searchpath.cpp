// The search path of caldrex and the memoised lookup of source files.
#include "caldrex/searchpath.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "caldrex/messages.h"
#include "support/heap.h"
#include "support/kmp.h"
#include "support/limits.h"
#include "support/startup.h"

Identifier* EmptyIdentifier = nullptr;
Identifier* StandardMarker = nullptr;
ConsList SearchPath = nullptr;
NameList StandardNames;

namespace {

int32_t SearchPathInitFlag = 0;

// Length of the archive suffixes ".zip" and ".jar".
constexpr int32_t ArchiveSuffixLength = 4;

constexpr char PathListSeparator[] = ":";
constexpr char WorkingDirectory[] = ".";

char* CopyText(const char* text, int32_t length) {
  auto* copy = static_cast<char*>(Allocate(static_cast<size_t>(length) + 1));
  std::memcpy(copy, text, static_cast<size_t>(length));
  copy[length] = '\0';
  return copy;
}

// The list a followed by the list b (a is copied).
ConsList Concatenate(ConsList a, ConsList b) {
  if (a == nullptr) return b;
  return Cons(a->head, Concatenate(a->tail, b));
}

// Characters of the longest standard name, known once MarkStandardNames ran.
int32_t LongestStandardName = 0;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

void InitSearchPath() {
  if (!EnterModuleInit(SearchPathInitFlag)) return;
  InitKMPMatch();
  EmptyIdentifier = IdentifierOf("");
  StandardMarker = IdentifierOf(StandardMarkerText);
  SearchPath = Cons(WorkingDirectory, nullptr);
  RegisterRoot(&SearchPath);
  StandardNames.runWide = true;
  ClearNameList(StandardNames);
}

ConsList SplitAtSeparator(const char* text, const char* separator) {
  size_t textLength = std::strlen(text);
  size_t separatorLength = std::strlen(separator);
  char* extended = CopyText(text, static_cast<int32_t>(textLength + separatorLength));
  std::memcpy(extended + textLength, separator, separatorLength);
  ConsList pieces = nullptr;
  int32_t start = 0;
  for (ConsList at = KMPFindAll(extended, separator, 1); at != nullptr; at = at->tail) {
    int32_t position = KMPPositionOf(at);
    if (position < start) continue;  // an overlapping occurrence inside a separator
    pieces = Cons(CopyText(extended + start, position - start), pieces);
    start = position + static_cast<int32_t>(separatorLength);
  }
  return pieces;
}

bool IsArchiveName(const char* text) {
  size_t length = std::strlen(text);
  if (length <= static_cast<size_t>(ArchiveSuffixLength)) return false;
  char suffix[ArchiveSuffixLength + 1];
  for (int32_t i = 0; i < ArchiveSuffixLength; ++i) suffix[i] = AsciiLower(text[length - ArchiveSuffixLength + i]);
  suffix[ArchiveSuffixLength] = '\0';
  return std::strcmp(suffix, ".zip") == 0 || std::strcmp(suffix, ".jar") == 0;
}

ConsList SplitPathOption(const char* text) {
  ConsListBuilder kept;
  for (ConsList piece = SplitAtSeparator(text, PathListSeparator); piece != nullptr; piece = piece->tail) {
    const char* directory = ConsHead<const char>(piece);
    if (IsArchiveName(directory)) continue;
    if (directory[0] == '\0') directory = WorkingDirectory;
    kept.Add(directory);
  }
  return kept.head;
}

ConsList SearchPathOf(const char* sourcePath, const char* classPath) {
  bool noSourcePath = sourcePath[0] == '\0';
  bool noClassPath = classPath[0] == '\0';
  if (noSourcePath && noClassPath) return Cons(WorkingDirectory, nullptr);
  if (noSourcePath) return SplitPathOption(classPath);
  if (noClassPath) return SplitPathOption(sourcePath);
  return Concatenate(SplitPathOption(sourcePath), SplitPathOption(classPath));
}

void SetSearchPath(const char* sourcePath, const char* classPath) {
  InitSearchPath();
  SearchPath = SearchPathOf(sourcePath, classPath);
}

namespace {

// Writes the dotted text[0 .. length-1] with slashes for its dots, then the
// source suffix and a null: length + sizeof JavaSourceSuffix bytes.
void WriteSourcePath(char* path, const char* text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) path[i] = text[i] == '.' ? '/' : text[i];
  std::memcpy(path + length, JavaSourceSuffix, sizeof(JavaSourceSuffix));
}

}  // namespace

char* DottedNameToSourcePath(const Identifier* name) {
  auto* path = static_cast<char*>(Allocate(static_cast<size_t>(name->length) + sizeof(JavaSourceSuffix)));
  WriteSourcePath(path, name->text, name->length);
  return path;
}

bool CanOpenFile(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  FILE* file = std::fopen(path, "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

namespace {

// ---- What the lookups learnt about folders ----
//
// A candidate d/a/b/C.java can only be opened when d/, d/a and d/a/b are
// directories: a path whose leading part cannot be reached cannot be reached
// itself. The first candidate below a folder of a search directory asks the
// file system about that folder once, and the answer is kept for the run
// (caldrex makes no file on its search path), so a folder found absent is
// never asked about again, nor is any file below it. Without this, a name
// tried against many on-demand packages that do not exist would cost one
// failed stat per package, directory and name.
//
// The folders form one tree per search directory: node i < the directory
// count is the i-th directory itself ("d/"), every other node is a child
// keyed by its parent node and its component (interned), so a node costs the
// same whatever the length of its path.

enum FolderState : uint8_t { FolderUnknown = 0, FolderPresent = 1, FolderAbsent = 2 };

struct FolderKey {
  int32_t parent;
  const Identifier* component;
  bool operator==(const FolderKey& other) const { return parent == other.parent && component == other.component; }
};

struct FolderKeyHash {
  size_t operator()(const FolderKey& key) const {
    return std::hash<const void*>()(key.component) ^ (static_cast<size_t>(key.parent) * 0x9E3779B97F4A7C15u);
  }
};

// The search path the folder tree belongs to; another one starts a new tree.
ConsList FolderTreePath = nullptr;
std::vector<uint8_t> FolderStates;
std::unordered_map<FolderKey, int32_t, FolderKeyHash> FolderChildren;

// The candidate being built: a directory, "/", the relative path. One
// buffer for every candidate, so a lookup keeps no text of its own.
std::string CandidateText;

// Files found missing in folders that exist: a fixed number of the latest,
// by folder node and file name, so a name that many units try in the same
// folder (a unit's own package, say) is mostly asked about once, while the
// table stays the same size however many names are tried. A file it has
// forgotten is only asked about again.
constexpr size_t MissingFileSlots = size_t{1} << 14;
std::vector<FolderKey> MissingFiles;

size_t MissingFileSlot(const FolderKey& key) { return FolderKeyHash()(key) >> 7 & (MissingFileSlots - 1); }

void StartFolderTree() {
  FolderTreePath = SearchPath;
  int32_t directories = 0;
  for (ConsList entry = SearchPath; entry != nullptr; entry = entry->tail) ++directories;
  FolderStates.assign(static_cast<size_t>(directories), FolderUnknown);
  FolderChildren.clear();
  MissingFiles.assign(MissingFileSlots, FolderKey{-1, nullptr});
}

bool IsDirectory(const char* path) {
  struct stat status;
  return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

// Whether the folder node whose path is CandidateText[0 .. end-1] is a
// directory, asking the file system only the first time.
bool FolderIsPresent(int32_t node, size_t end) {
  if (FolderStates[static_cast<size_t>(node)] == FolderUnknown) {
    char kept = CandidateText[end];
    CandidateText[end] = '\0';
    FolderStates[static_cast<size_t>(node)] = IsDirectory(CandidateText.c_str()) ? FolderPresent : FolderAbsent;
    CandidateText[end] = kept;
  }
  return FolderStates[static_cast<size_t>(node)] == FolderPresent;
}

// The node of the folder that holds the candidate in CandidateText, below
// the directory of the given number, when it and every folder above it is a
// directory; -1 when one is not. `relative` is the index where the relative
// path begins (just after the directory's "/"); `file` receives the index of
// the file name.
int32_t HoldingFolder(int32_t directory, size_t relative, size_t& file) {
  int32_t node = directory;
  if (!FolderIsPresent(node, relative)) return -1;
  size_t start = relative;
  for (size_t slash = CandidateText.find('/', start); slash != std::string::npos;
       slash = CandidateText.find('/', start)) {
    Identifier* component = MakeIdentifier(CandidateText.data(), static_cast<int32_t>(start),
                                           static_cast<int32_t>(slash) - 1);
    auto [child, made] = FolderChildren.try_emplace(FolderKey{node, component}, 0);
    if (made) {
      child->second = static_cast<int32_t>(FolderStates.size());
      FolderStates.push_back(FolderUnknown);
    }
    node = child->second;
    if (!FolderIsPresent(node, slash)) return -1;
    start = slash + 1;
  }
  file = start;
  return node;
}

}  // namespace

Identifier* FindInSearchPath(const char* relativePath) {
  if (FolderTreePath != SearchPath) StartFolderTree();
  size_t pathLength = std::strlen(relativePath);
  int32_t directory = 0;
  for (ConsList entry = SearchPath; entry != nullptr; entry = entry->tail, ++directory) {
    const char* directoryText = ConsHead<const char>(entry);
    size_t directoryLength = std::strlen(directoryText);
    // A path longer than the system opens fails without being asked about.
    if (directoryLength + 1 + pathLength > static_cast<size_t>(LongestOpenablePath)) continue;
    CandidateText.assign(directoryText, directoryLength);
    CandidateText.push_back('/');
    CandidateText.append(relativePath, pathLength);
    size_t file = 0;
    int32_t folder = HoldingFolder(directory, directoryLength + 1, file);
    if (folder < 0) continue;
    FolderKey missing{folder, MakeIdentifier(CandidateText.data(), static_cast<int32_t>(file),
                                             static_cast<int32_t>(CandidateText.size()) - 1)};
    FolderKey& slot = MissingFiles[MissingFileSlot(missing)];
    if (slot == missing) continue;
    if (CanOpenFile(CandidateText.c_str())) return IdentifierOf(CandidateText.c_str());
    slot = missing;
  }
  return EmptyIdentifier;
}

namespace {

// The relative source path of a dotted name, built in one buffer.
std::string RelativePathText;

// FindInSearchPath of the source path of the dotted text[0 .. length-1].
Identifier* FindDottedInSearchPath(const char* text, int32_t length) {
  // The string's own terminator takes the suffix's null.
  RelativePathText.resize(static_cast<size_t>(length) + sizeof(JavaSourceSuffix) - 1);
  WriteSourcePath(RelativePathText.data(), text, length);
  return FindInSearchPath(RelativePathText.c_str());
}

}  // namespace

Identifier* SourceFileOf(Identifier* name) {
  if (name->memo != nullptr) return static_cast<Identifier*>(name->memo);
  Identifier* answer = FindDottedInSearchPath(name->text, name->length);
  name->memo = answer;
  return answer;
}

void MarkStandardNames() {
  for (ConsList name = StandardNames.head; name != nullptr; name = name->tail) {
    Identifier* standard = ConsHead<Identifier>(name);
    standard->memo = StandardMarker;
    if (standard->length > LongestStandardName) LongestStandardName = standard->length;
  }
}

Identifier* FindFilePrefixVar(Identifier** name) {
  Identifier* whole = *name;
  // The name itself first. Most lookups end here (through the memo), so the
  // dots are only looked for when it has no answer.
  Identifier* answer = SourceFileOf(whole);
  if (answer != EmptyIdentifier) return answer;
  if (std::memchr(whole->text, '.', static_cast<size_t>(whole->length)) == nullptr) return EmptyIdentifier;
  // The ends of the shorter prefixes, longest first: every "." from the last
  // to the first, in the text up to its first NUL byte.
  const auto scanned = static_cast<int32_t>(std::strlen(whole->text));
  // A prefix longer than any path the system can open has no file, and
  // unless it is as short as some standard name it has no other answer
  // either: it is passed over without being interned or searched. So a name
  // of many components costs memory and time in proportion to its length,
  // not to the sum of its prefixes' lengths.
  const int32_t longestAnswerable =
      LongestOpenablePath > LongestStandardName ? LongestOpenablePath : LongestStandardName;
  for (int32_t end = scanned - 1; end >= 0; --end) {
    if (whole->text[end] != '.' || end > longestAnswerable) continue;
    Identifier* prefix = MakeIdentifier(whole->text, 0, end - 1);
    answer = SourceFileOf(prefix);
    if (answer != EmptyIdentifier) {
      *name = prefix;
      return answer;
    }
  }
  return EmptyIdentifier;
}

Identifier* FindFilePrefix(Identifier* name) { return FindFilePrefixVar(&name); }

namespace {

// FindFilePrefix of each package that FindPackageMember was asked about.
// The answer of a name never changes once given, so neither does this.
std::unordered_map<const Identifier*, Identifier*> PackagePrefixAnswers;

// The dotted name package.component being looked up.
std::string MemberText;

}  // namespace

Identifier* FindPackageMember(Identifier* package, Identifier* component, Identifier** member) {
  if (package == EmptyIdentifier) {
    *member = component;
    return FindFilePrefix(component);
  }
  MemberText.assign(package->text, static_cast<size_t>(package->length));
  MemberText.push_back('.');
  MemberText.append(component->text, static_cast<size_t>(component->length));
  const auto length = static_cast<int32_t>(MemberText.size());
  // The member itself: a name interned before (a standard name, or one asked
  // already) answers through its memo; any other is searched without being
  // interned, and is interned only when it has an answer.
  Identifier* known = FindIdentifier(MemberText.data(), 0, length - 1);
  Identifier* own = known != nullptr ? SourceFileOf(known) : FindDottedInSearchPath(MemberText.data(), length);
  Identifier* answer = own;
  if (answer == EmptyIdentifier) {
    // The member's shorter prefixes are the package and its own prefixes
    // (the component has no "."), so they answer as the package does.
    auto [cached, made] = PackagePrefixAnswers.try_emplace(package, nullptr);
    if (made) cached->second = FindFilePrefix(package);
    answer = cached->second;
    if (answer == EmptyIdentifier) return EmptyIdentifier;
  }
  if (known == nullptr) {
    known = MakeIdentifier(MemberText.data(), 0, length - 1);
    known->memo = own;
  }
  *member = known;
  return answer;
}
