// The search path of caldrex and the memoised lookup of source files.
#include "caldrex/searchpath.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

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

char* DottedNameToSourcePath(const Identifier* name) {
  size_t suffixLength = sizeof(JavaSourceSuffix) - 1;
  auto* path = static_cast<char*>(Allocate(static_cast<size_t>(name->length) + suffixLength + 1));
  for (int32_t i = 0; i < name->length; ++i) path[i] = name->text[i] == '.' ? '/' : name->text[i];
  std::memcpy(path + name->length, JavaSourceSuffix, suffixLength + 1);
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

Identifier* FindInSearchPath(const char* relativePath) {
  size_t pathLength = std::strlen(relativePath);
  for (ConsList entry = SearchPath; entry != nullptr; entry = entry->tail) {
    const char* directory = ConsHead<const char>(entry);
    size_t directoryLength = std::strlen(directory);
    auto* candidate = static_cast<char*>(Allocate(directoryLength + 1 + pathLength + 1));
    std::memcpy(candidate, directory, directoryLength);
    candidate[directoryLength] = '/';
    std::memcpy(candidate + directoryLength + 1, relativePath, pathLength + 1);
    if (CanOpenFile(candidate)) return IdentifierOf(candidate);
  }
  return EmptyIdentifier;
}

Identifier* SourceFileOf(Identifier* name) {
  if (name->memo != nullptr) return static_cast<Identifier*>(name->memo);
  Identifier* answer = FindInSearchPath(DottedNameToSourcePath(name));
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
