// Definitions, definition sets, their union and the lookups by name, kind
// and group of kinds.
//
// A large scope (a class of thousands of members, a unit of thousands of
// classes, classes nested thousands deep) would make the union and the
// lookups cost the length of the lists at every step. Lists never change
// once made, so a long list gets an index, kept beside it and keyed by its
// first cell: a hash trie from pointers to what the list holds,
//   - each definition of the list (the union's test of its first operand's
//     elements against the second operand), and
//   - each name, to the chain of the list's definitions of that name in list
//     order (a MatchNode per cell), which the lookups follow.
// A list whose cells lead into an indexed list (a union result: its new cells,
// then the second operand) gets its index by adding its own cells to that
// list's trie, so every list sharing an indexed tail shares its index too.
// The trie grows in place while the lists it serves extend one another (the
// members of a class body, nested scopes), each list reading it through its
// own length. Extending a shorter one keeps its first few cells in a short
// array beside the trie, which it reads through the length it started on;
// past those it takes a trie of its own on the old one's nodes as they
// stand, dropping the longer lists' cells above a cell at a time as it grows
// to their lengths, copying only the nodes it changes. Memory and time grow
// with the cells added, never with the tail nor with what stands above it;
// "Indexes of long lists" below tells how.
// A name's matches, newest first, form a chain with skips to matches further
// along, so that a list far below its line's head finds its first match of
// the name without walking every longer list's.
// A lookup's result for a name is made once per match chain and kept in it,
// so every scope that sees the same definitions of a name gets the same list;
// the group lookups join such lists through one table of shared joins. A
// union with a long list is kept by its first operand's first cell, so that a
// later union whose first operand reaches that cell with the same second
// operand ends with the kept result instead of walking and copying again; a
// long list's union with a short one is kept likewise, by that cell and the
// short list (the first one met with the same definitions), and its result
// as its own union with the same short list, so that unions of lists that
// lead into it stop there.
// Results, their order and the declaration cells forced (only the matches, in
// list order) are those of the plain walks.
#include "java/tree/defsets.h"

#include <algorithm>
#include <bit>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/heap.h"
#include "support/limits.h"
#include "support/startup.h"

DefinitionSet* EmptyDefinitionSet = nullptr;

namespace {

int32_t DefinitionSetsModuleFlag = 0;

size_t PointerHash(const void* p) {
  auto h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
  return static_cast<size_t>(h * 0x9E3779B97F4A7C15ull);
}

// ---- The hash trie ----
//
// Keys are non-null pointers, hashed by a multiplication that is one to one
// on 64 bits, so two keys always part within 13 levels (5 bits a level, the
// last 4) and no node holds colliding keys. A node has a bit per occupied
// branch and its slots in branch order; a slot with a null key holds a child
// node. Each node carries the stamp of the line of versions that made it
// (Line below): a change under that stamp is made in the node itself, a change
// under any other stamp copies the node and the nodes on the path to it.

struct TrieSlot {
  const void* key;  // null: value is a child node
  void* value;
};

struct TrieNode {
  uint32_t bits;
  uint32_t capacity;
  uint64_t stamp;
};

TrieSlot* Slots(TrieNode* node) { return reinterpret_cast<TrieSlot*>(node + 1); }

uint32_t BranchAt(uint64_t hash, int32_t level) {
  return level < 12 ? static_cast<uint32_t>(hash >> (59 - 5 * level)) & 31u : static_cast<uint32_t>(hash) & 15u;
}

TrieNode* NewTrieNode(uint32_t bits, uint32_t capacity, uint64_t stamp) {
  auto* node = static_cast<TrieNode*>(Allocate(sizeof(TrieNode) + sizeof(TrieSlot) * capacity));
  node->bits = bits;
  node->capacity = capacity;
  node->stamp = stamp;
  return node;
}

void* TrieFind(TrieNode* node, const void* key) {
  uint64_t hash = PointerHash(key);
  for (int32_t level = 0; node != nullptr; ++level) {
    uint32_t bit = 1u << BranchAt(hash, level);
    if ((node->bits & bit) == 0) return nullptr;
    TrieSlot& slot = Slots(node)[std::popcount(node->bits & (bit - 1))];
    if (slot.key == nullptr) {
      node = static_cast<TrieNode*>(slot.value);
      continue;
    }
    return slot.key == key ? slot.value : nullptr;
  }
  return nullptr;
}

// A node holding two keys that agree on the branches above level.
TrieNode* TriePair(TrieSlot first, uint64_t firstHash, TrieSlot second, uint64_t secondHash, int32_t level,
                   uint64_t stamp) {
  uint32_t a = BranchAt(firstHash, level);
  uint32_t b = BranchAt(secondHash, level);
  if (a == b) {
    TrieNode* node = NewTrieNode(1u << a, 1, stamp);
    Slots(node)[0] = TrieSlot{nullptr, TriePair(first, firstHash, second, secondHash, level + 1, stamp)};
    return node;
  }
  TrieNode* node = NewTrieNode((1u << a) | (1u << b), 2, stamp);
  Slots(node)[a < b ? 0 : 1] = first;
  Slots(node)[a < b ? 1 : 0] = second;
  return node;
}

// The node itself when the stamp owns it and it has room for count slots;
// otherwise a copy the stamp owns, with room to spare when it grows.
TrieNode* Writable(TrieNode* node, uint64_t stamp, uint32_t count) {
  if (node->stamp == stamp && count <= node->capacity) return node;
  auto used = static_cast<uint32_t>(std::popcount(node->bits));
  TrieNode* copy = NewTrieNode(node->bits, count > used ? std::bit_ceil(count) : used, stamp);
  for (uint32_t i = 0; i < used; ++i) Slots(copy)[i] = Slots(node)[i];
  return copy;
}

// The trie with key mapped to value, or without key when value is null (a
// node left empty goes too: null is the empty trie). Nodes the stamp owns
// change in place; the result is node itself when nothing was copied.
TrieNode* TrieSet(TrieNode* node, const void* key, uint64_t hash, void* value, int32_t level, uint64_t stamp) {
  if (node == nullptr) {
    if (value == nullptr) return nullptr;
    TrieNode* fresh = NewTrieNode(1u << BranchAt(hash, level), 1, stamp);
    Slots(fresh)[0] = TrieSlot{key, value};
    return fresh;
  }
  uint32_t bit = 1u << BranchAt(hash, level);
  auto count = static_cast<uint32_t>(std::popcount(node->bits));
  auto at = static_cast<uint32_t>(std::popcount(node->bits & (bit - 1)));
  if ((node->bits & bit) == 0) {
    if (value == nullptr) return node;
    TrieNode* to = Writable(node, stamp, count + 1);
    TrieSlot* slots = Slots(to);
    for (uint32_t i = count; i > at; --i) slots[i] = slots[i - 1];
    slots[at] = TrieSlot{key, value};
    to->bits |= bit;
    return to;
  }
  TrieSlot old = Slots(node)[at];
  TrieSlot now;
  if (old.key == nullptr) {
    auto* child = static_cast<TrieNode*>(old.value);
    TrieNode* changed = TrieSet(child, key, hash, value, level + 1, stamp);
    if (changed == child) return node;
    now = TrieSlot{nullptr, changed};
  } else if (old.key == key) {
    now = TrieSlot{key, value};
  } else {
    if (value == nullptr) return node;
    now = TrieSlot{nullptr, TriePair(old, PointerHash(old.key), TrieSlot{key, value}, hash, level + 1, stamp)};
  }
  TrieNode* to = nullptr;
  if (now.value != nullptr) {
    to = Writable(node, stamp, count);
    Slots(to)[at] = now;
  } else if (count > 1) {  // the key's slot or an emptied child goes
    to = Writable(node, stamp, count);
    TrieSlot* slots = Slots(to);
    for (uint32_t i = at; i + 1 < count; ++i) slots[i] = slots[i + 1];
    to->bits &= ~bit;
  }
  return to;
}

// ---- Indexes of long lists ----
//
// 1. The index of a list maps each definition of the list, and each name, to
//    a MatchNode: one per cell, holding the cell's definition and its length
//    (the number of cells from it to the end of the list). A name maps to the
//    match of its first definition in the list; each match links to the next
//    one of the same name, so a lookup follows the chain.
// 2. A list whose cells lead into an indexed list (a union result: its new
//    cells, then the second operand) is indexed by adding its own cells to
//    that list's trie. Lists indexed that way, each a suffix of the next, form
//    a line (Line) with one trie: it holds the cells of the line's longest
//    list (its head), and every shorter list of the line reads it through its
//    length: a match belongs to a list of length n when its length is at
//    most n (for a name, the first such match along the chain). So the
//    scopes of a class body, a member after the one before, and the nested
//    scopes of a block all share one trie, grown in place; a stamp per line
//    tells the nodes it may change.
// 3. A list of a line that is extended while it is not the head (a scope
//    shared by several inner scopes, each adding its own definitions; the
//    members of a class extended after those of its subclasses grew past
//    them) starts a new line on it. At first the new line has no trie: it
//    keeps its matches, at most ShortLineCells of them, in order, and reads
//    the rest through the old line's trie at the length it started on. A list
//    of it finds a name among its own matches, newest first, then in that
//    trie; and a definition in that trie first (the definition's last cell
//    is there when the list holds it at all), then among its own matches,
//    oldest first. A list of such a short line extended below its head
//    starts another short line on the same old line, taking the matches
//    below the extension along (they are of the same cells). So a short
//    extension costs what it adds, and its reads a few steps more.
// 4. A short line that outgrows ShortLineCells takes the old line's trie as
//    it stands, removing nothing; the old line takes a fresh stamp, so
//    neither changes the nodes they share. The old line's cells above the
//    extended list stay in the new trie as stale cells, one of each length
//    from there up to the old head, then the stale cells that the old line
//    itself still held above its head. Every list of the new line reads
//    through its length, so a stale cell is harmless while it stands above
//    the new head. Before the new line enters its match of length m, it
//    removes the stale cell of that length: the definition's entry goes when
//    it is that stale match, and the name's entry, when it is still a stale
//    match (of length m or more), becomes the removed match's next. Such an
//    entry is a match of the same old line as the removed one (any stale or
//    own match of the name below it would have replaced it), so its chain
//    leads through the removed match to that next one, the first match of
//    the name in the list the new line started on. A new match's next skips
//    the stale matches of its name above the head. Each line keeps its
//    matches in an array by length, so the stale cells are found in order
//    without walking the old head.
// A line never gives its lists away: each keeps the line it was indexed on.
// Memory and time thus grow with the cells added (each removing at most one
// stale cell), never with the shared tail nor with what stands above it.

// One definition of a name in an indexed list, and the next one of the same
// name after it in list order. The declaring nodes from here on, as a lookup
// returns them, are kept once made: for every tag (all) and for one group's
// tags (the only other mask a slot is looked up with). A match is made for
// every cell of an indexed list, so it is kept small: `all` holds NotKept
// until its list is made, and `mask` is 0 until the group's list is (every
// group's mask has bits).
struct MatchNode {
  MatchNode* next;
  MatchNode* skip;  // the first match along the chain of a higher level
  ConsList all;
  ConsList masked;
  ConsList cell;    // the cell of the definition it matches
  uint32_t mask;
  uint32_t length;  // cells from that cell to the end of the list
};

// The definition that a match matches, read from its cell: a match takes
// no word of its own for it, as an index holds a match for every cell.
inline const Definition* MatchedDefinition(const MatchNode* match) {
  return static_cast<const Definition*>(match->cell->head);
}

// The value of `all` before the list is made (never a cell's address).
ConsCell NotKeptCell;
ConsList const NotKept = &NotKeptCell;

// A match's level, from its length: of a chain's matches, about half are
// above level 0, a quarter above level 1, and so on.
uint32_t SkipLevel(const MatchNode* match) {
  uint64_t h = uint64_t{match->length} * 0x9E3779B97F4A7C15ull;
  h ^= h >> 29;
  return static_cast<uint32_t>(std::countr_zero(h | (uint64_t{1} << 40)));
}

// The first match from `from` on along a chain whose level is above level:
// each skip leads to a higher level, so this takes a step a level at most.
MatchNode* SkipAbove(MatchNode* from, uint32_t level) {
  while (from != nullptr && SkipLevel(from) <= level) from = from->skip;
  return from;
}

// The first match of the chain that belongs to a list of the given length.
// A chain's lengths fall from match to match, so a skip that still lands
// above the length passes only matches above it: a name declared in every
// class of a long chain is found in steps that grow with the logarithm of
// the matches passed, whatever list of the chain reads it.
MatchNode* MatchWithin(void* chain, uint32_t length) {
  auto* match = static_cast<MatchNode*>(chain);
  while (match != nullptr && match->length > length) {
    MatchNode* skip = match->skip;
    match = skip != nullptr && skip->length > length ? skip : match->next;
  }
  return match;
}

// The most matches a line keeps without a trie of its own (3 above).
constexpr uint32_t ShortLineCells = 16;
// The room for matches that a short line starts with: most add one or two
// (a scope of a few declarations over a shared one), so the array grows only
// for those that add more.
constexpr uint32_t ShortLineStart = 2;
// The matches a line keeps in one array, and those of a block past them.
constexpr uint32_t FlatMatches = 32;
constexpr uint32_t BlockMatches = 64;
static_assert(ShortLineCells <= FlatMatches, "a short line's matches are in its first array");

struct StaleRun;

// A line of indexed lists, each a suffix of the next (2 to 4 above).
struct Line {
  TrieNode* root;   // the cells of the head, and the stale cells above it
  Line* base;       // a short line's old line, whose trie it reads; else null
  // The line's matches by length (OwnSlot): the first FlatMatches in own,
  // the rest in blocks of BlockMatches.
  MatchNode** own;
  MatchNode*** blocks;
  uint32_t baseLength;  // the length of the list the line started on
  uint32_t headLength;
  uint32_t capacity;       // of own
  uint32_t blockCapacity;  // of blocks
  uint64_t stamp;          // the nodes this line may change in place
  // The stale cells above the head: the one of a length is staleLine's, up
  // to its length staleLast, then those of staleRest; none when staleLine is
  // null.
  Line* staleLine;
  uint32_t staleLast;
  StaleRun* staleRest;
};

// Stale cells of a line (4 above): those of line up to its length last, then
// those of then.
struct StaleRun {
  Line* line;
  uint32_t last;
  StaleRun* then;
};

uint64_t Stamps = 0;

// A line starting on the list of the given length in base (null for a line
// of its own), with room for capacity matches.
Line* NewLine(Line* base, uint32_t length, uint32_t capacity) {
  auto* line = static_cast<Line*>(Allocate(sizeof(Line)));
  capacity = std::min(capacity, FlatMatches);
  auto** own = static_cast<MatchNode**>(Allocate(sizeof(MatchNode*) * capacity));
  *line = Line{nullptr, base, own, nullptr, length, length, capacity, 0, ++Stamps, nullptr, 0, nullptr};
  return line;
}

// The slot of the line's i-th match (of length baseLength + 1 + i).
MatchNode*& OwnSlot(const Line* line, uint32_t i) {
  if (i < FlatMatches) return line->own[i];
  i -= FlatMatches;
  return line->blocks[i / BlockMatches][i % BlockMatches];
}

MatchNode* OwnMatch(const Line* line, uint32_t length) { return OwnSlot(line, length - line->baseLength - 1); }

// Makes room for the line's i-th match: own doubles up to FlatMatches (most
// lines keep a few), past them a block is added at a time, so a long line's
// matches take about a word each instead of the two that doubling leaves.
void MakeOwnSlot(Line* line, uint32_t i) {
  if (i < FlatMatches) {
    if (i < line->capacity) return;
    uint32_t capacity = std::min(std::max(ShortLineStart, 2 * i), FlatMatches);
    auto** own = static_cast<MatchNode**>(Allocate(sizeof(MatchNode*) * capacity));
    for (uint32_t k = 0; k < i; ++k) own[k] = line->own[k];
    line->own = own;
    line->capacity = capacity;
    return;
  }
  i -= FlatMatches;
  if (i % BlockMatches != 0) return;
  uint32_t block = i / BlockMatches;
  if (block == line->blockCapacity) {
    uint32_t capacity = std::max(4u, 2 * block);
    auto*** blocks = static_cast<MatchNode***>(Allocate(sizeof(MatchNode**) * capacity));
    for (uint32_t k = 0; k < block; ++k) blocks[k] = line->blocks[k];
    line->blocks = blocks;
    line->blockCapacity = capacity;
  }
  line->blocks[block] = static_cast<MatchNode**>(Allocate(sizeof(MatchNode*) * BlockMatches));
}

// An indexed list: its line and its length.
struct ListIndex {
  Line* line;
  uint32_t length;
};

// The first definition of name in the list of the given length in a short
// line, as its match chain. The short lines' reads and the removal of stale
// cells stay out of line, so that the common reads and additions, of lines
// with a trie and no stale cells, stay small enough to be inlined.
[[gnu::noinline]] MatchNode* FirstNamedInShortLine(const Line* line, uint32_t length, const Identifier* name) {
  for (uint32_t i = length - line->baseLength; i-- > 0;) {
    if (MatchedDefinition(line->own[i])->name == name) return line->own[i];
  }
  return MatchWithin(TrieFind(line->base->root, name), line->baseLength);
}

// The first definition of name in the list of the given length in line, as
// its match chain.
MatchNode* FirstNamed(const Line* line, uint32_t length, const Identifier* name) {
  if (line->base != nullptr) return FirstNamedInShortLine(line, length, name);
  return MatchWithin(TrieFind(line->root, name), length);
}

MatchNode* FindName(ListIndex* index, const Identifier* name) {
  return FirstNamed(index->line, index->length, name);
}

// The match that the list of the given length in a short line keeps for a
// definition (see DefinitionMatch).
[[gnu::noinline]] MatchNode* DefinitionMatchInShortLine(const Line* line, uint32_t length, const void* definition) {
  auto* below = static_cast<MatchNode*>(TrieFind(line->base->root, definition));
  if (below != nullptr && below->length <= line->baseLength) return below;
  for (uint32_t i = 0; i < length - line->baseLength; ++i) {
    if (MatchedDefinition(line->own[i]) == definition) return line->own[i];
  }
  return nullptr;
}

// The match that an indexed list keeps for a definition it holds: that of
// the definition's last cell in the list (the cell that every shorter list
// of the line holding the definition holds too); null when it holds none.
MatchNode* DefinitionMatch(ListIndex* index, const void* definition) {
  const Line* line = index->line;
  auto* match = static_cast<MatchNode*>(TrieFind(line->root, definition));  // a short line has no trie
  if (match != nullptr) return match->length <= index->length ? match : nullptr;
  return line->base != nullptr ? DefinitionMatchInShortLine(line, index->length, definition) : nullptr;
}

// Removes the stale cell of the given length, the one above the head, from
// the line's trie (4 above) and moves on to the next one.
[[gnu::noinline]] void RemoveStale(Line* line, uint32_t length) {
  MatchNode* stale = OwnMatch(line->staleLine, length);
  const Definition* definition = MatchedDefinition(stale);
  if (TrieFind(line->root, definition) == stale) {
    line->root = TrieSet(line->root, definition, PointerHash(definition), nullptr, 0, line->stamp);
  }
  auto* named = static_cast<MatchNode*>(TrieFind(line->root, definition->name));
  if (named != nullptr && named->length >= length) {
    line->root = TrieSet(line->root, definition->name, PointerHash(definition->name), stale->next, 0, line->stamp);
  }
  if (length < line->staleLast) return;
  if (StaleRun* rest = line->staleRest) {
    line->staleLine = rest->line;
    line->staleLast = rest->last;
    line->staleRest = rest->then;
  } else {
    line->staleLine = nullptr;
  }
}

// Enters a match of the length above the head into the line's trie.
void EnterMatch(Line* line, MatchNode* match) {
  if (line->staleLine != nullptr) RemoveStale(line, match->length);
  const Definition* definition = MatchedDefinition(match);
  line->root = TrieSet(line->root, definition->name, PointerHash(definition->name), match, 0, line->stamp);
  // A definition that the list holds twice keeps its last cell, which every
  // list of the line that holds the definition at all also holds; an entry
  // above the head is a stale one.
  auto* held = static_cast<MatchNode*>(TrieFind(line->root, definition));
  if (held == nullptr || held->length >= match->length) {
    line->root = TrieSet(line->root, definition, PointerHash(definition), match, 0, line->stamp);
  }
}

// Gives a short line a trie of its own: its old line's as it stands, with
// the short line's matches entered (4 above).
[[gnu::noinline]] void GiveTrie(Line* line) {
  Line* base = line->base;
  line->root = base->root;
  line->staleLine = base;
  line->staleLast = base->headLength;
  if (base->staleLine != nullptr) {
    auto* rest = static_cast<StaleRun*>(Allocate(sizeof(StaleRun)));
    *rest = StaleRun{base->staleLine, base->staleLast, base->staleRest};
    line->staleRest = rest;
  }
  base->stamp = ++Stamps;  // its nodes are now shared with line
  line->base = nullptr;
  for (uint32_t i = 0; i < line->headLength - line->baseLength; ++i) EnterMatch(line, line->own[i]);
}

// Adds a cell to the front of the line's head.
void AddCell(Line* line, ConsList cell) {
  uint32_t count = line->headLength - line->baseLength;
  if (line->base != nullptr && count == ShortLineCells) GiveTrie(line);
  auto* definition = static_cast<const Definition*>(cell->head);
  auto* match = static_cast<MatchNode*>(Allocate(sizeof(MatchNode)));
  *match = MatchNode{nullptr, nullptr, NotKept, nullptr, cell, 0, line->headLength + 1};
  if (line->base != nullptr) {
    match->next = FirstNamedInShortLine(line, line->headLength, definition->name);
    match->skip = SkipAbove(match->next, SkipLevel(match));
  } else {
    // The name's entry may still be a stale match standing above the head.
    match->next = MatchWithin(TrieFind(line->root, definition->name), line->headLength);
    match->skip = SkipAbove(match->next, SkipLevel(match));
    EnterMatch(line, match);
  }
  MakeOwnSlot(line, count);
  OwnSlot(line, count) = match;
  line->headLength = match->length;
}

// A line for extending the list of the given length in line, a list shorter
// than line's head (3 above).
Line* BranchLine(Line* line, uint32_t length) {
  if (line->base == nullptr) return NewLine(line, length, ShortLineStart);
  Line* branch = NewLine(line->base, line->baseLength, std::max(ShortLineStart, length - line->baseLength));
  branch->headLength = length;
  for (uint32_t i = 0; i < length - line->baseLength; ++i) branch->own[i] = line->own[i];
  return branch;
}

// How far apart the tails that an index or a union keeps besides its own
// list are (see IndexFor and UniteLists).
constexpr uint32_t KeptTailStep = 8;

// Never destroyed, like the heap: the indexes stay reachable to the end.
std::unordered_map<const ConsCell*, ListIndex>& Indexes = *new std::unordered_map<const ConsCell*, ListIndex>();

// One bit per hash of a first cell that has an index: most lists have none,
// and a lookup learns that from one word instead of a map search.
constexpr size_t IndexFilterBits = size_t{1} << 20;
std::vector<uint64_t>& IndexFilter = *new std::vector<uint64_t>(IndexFilterBits / 64, 0);

size_t FilterBit(const ConsCell* list) { return (PointerHash(list) >> 20) & (IndexFilterBits - 1); }

ListIndex* IndexOf(ConsList list) {
  size_t bit = FilterBit(list);
  if ((IndexFilter[bit / 64] & (uint64_t{1} << (bit % 64))) == 0) return nullptr;
  auto found = Indexes.find(list);
  return found == Indexes.end() ? nullptr : &found->second;
}

// True when the list has at least LongDefinitionList cells.
bool IsLongList(ConsList list) {
  int32_t n = 0;
  for (; list != nullptr; list = list->tail) {
    if (++n >= LongDefinitionList) return true;
  }
  return false;
}

// Records that the list of the given length in line is indexed.
ListIndex* KeepIndex(ConsList list, Line* line, uint32_t length) {
  size_t bit = FilterBit(list);
  IndexFilter[bit / 64] |= uint64_t{1} << (bit % 64);
  return &(Indexes[list] = ListIndex{line, length});
}

// The index of a non-empty list, made when it has none: its cells up to the
// first indexed tail, added last to first to that tail's line (when the tail
// is its head) or to a new line branched off at the tail.
ListIndex* IndexFor(ConsList list) {
  if (ListIndex* index = IndexOf(list)) return index;
  std::vector<ConsCell*> cells;
  ListIndex* tail = nullptr;
  for (ConsList rest = list; rest != nullptr; rest = rest->tail) {
    if (rest != list && (tail = IndexOf(rest)) != nullptr) break;
    cells.push_back(rest);
  }
  Line* line = nullptr;
  if (tail == nullptr) {
    line = NewLine(nullptr, 0, static_cast<uint32_t>(cells.size()));
  } else if (tail->line->headLength == tail->length) {
    line = tail->line;
  } else {
    line = BranchLine(tail->line, tail->length);
  }
  for (size_t i = cells.size(); i-- > 0;) {
    AddCell(line, cells[i]);
    // Every KeptTailStep-th long tail of the walk is indexed as well, so that
    // a later list that joins this one below its first cell (a class body met
    // before the body of its superclass) finds an indexed tail within that
    // many cells, instead of walking down to this list's own tail.
    if (i != 0 && i % KeptTailStep == 0 && line->headLength >= LongDefinitionList) {
      KeepIndex(cells[i], line, line->headLength);
    }
  }
  return KeepIndex(list, line, line->headLength);
}

// The index of a list that is long or already indexed; null for a short one.
ListIndex* IndexIfLong(ConsList list) {
  if (ListIndex* index = IndexOf(list)) return index;
  return IsLongList(list) ? IndexFor(list) : nullptr;
}

// ---- Shared joins ----
//
// The join of two lookup results (a group lookup's parts) as a shared list:
// a's cells copied in front of b, each copy kept by {a's cell, b}, so joining
// a list that shares cells with one joined before copies only the new ones.
// A key of two cells: {a cell of a list, the list it is joined or united with}.
struct CellPair {
  const ConsCell* cell;
  const ConsCell* with;
  bool operator==(const CellPair&) const = default;
};
struct CellPairHash {
  size_t operator()(const CellPair& key) const { return PointerHash(key.cell) ^ (PointerHash(key.with) >> 7); }
};
std::unordered_map<CellPair, ConsList, CellPairHash>& Joins = *new std::unordered_map<CellPair, ConsList, CellPairHash>();

ConsList SharedJoin(ConsList a, ConsList b) {
  std::vector<ConsCell*> cells;
  ConsList result = b;
  for (ConsList rest = a; rest != nullptr; rest = rest->tail) {
    auto found = Joins.find(CellPair{rest, b});
    if (found != Joins.end()) {
      result = found->second;
      break;
    }
    cells.push_back(rest);
  }
  for (size_t i = cells.size(); i-- > 0;) {
    result = Cons(cells[i]->head, result);
    Joins.emplace(CellPair{cells[i], b}, result);
  }
  return result;
}

// ---- Kept results of short slots ----
//
// A group lookup whose parts mix a shared result (an indexed slot's) with a
// new list of a short slot's matches keeps that list by {slot, name, mask},
// and uses the kept one from then on: its join with the other parts is then
// also the kept one, instead of a copy of the shared part made at every
// lookup (a name declared as thousands of fields and as one method).
struct ShortKey {
  const ConsCell* slot;
  const Identifier* name;
  uint32_t mask;
  bool operator==(const ShortKey&) const = default;
};
struct ShortKeyHash {
  size_t operator()(const ShortKey& key) const {
    return PointerHash(key.slot) ^ (PointerHash(key.name) >> 7) ^ key.mask;
  }
};
std::unordered_map<ShortKey, ConsList, ShortKeyHash>& ShortResults =
    *new std::unordered_map<ShortKey, ConsList, ShortKeyHash>();

// ---- Kept unions with long lists ----
//
// A union whose second operand is long is kept by the first cell of its
// first operand, with that operand and the result. In a chain of classes
// each extending the one before, the members with everything inherited are
// one list whose tail is the superclass's, and every class body unites them
// with the same environment: the walk stops at the first cell whose union
// with that environment is kept and takes the kept result as its rest, so
// the result shares the superclass body's list (and its index) instead of
// copying all the inherited cells again. A kept result that lies in a later
// second operand (a member class's environment holds its outer class's)
// shows that every definition from that cell on is already there.
// A cell keeps the first union kept from it and, besides, the latest one of
// a walk that passed it, the first being of no use there: the same cells
// are often united with two lines of environments (the bodies of a chain of
// classes with the unit's, and member classes nested in one another that
// each extend a class of that chain with their outer classes'), and the
// second line's unions then stop at what the one before kept, as the
// first's do.
struct KeptUnion {
  ConsList with;
  ConsList result;
};
// The first union kept from each cell, and the latest one apart: few cells
// have one, and most cells that have a first union have no other.
std::unordered_map<const ConsCell*, KeptUnion>& Unions = *new std::unordered_map<const ConsCell*, KeptUnion>();
std::unordered_map<const ConsCell*, KeptUnion>& LatestUnions = *new std::unordered_map<const ConsCell*, KeptUnion>();

// The union of the cells from `from` on with b, whose index is given, as a
// kept union tells it: the kept result itself for the same b; b when the
// kept result is a tail of b (every definition from `from` on is in the
// kept result, so in b). Null when it tells neither.
ConsList KnownUnionOf(const KeptUnion& kept, ConsList b, ListIndex* index) {
  if (kept.with == b) return kept.result;
  MatchNode* match = DefinitionMatch(index, kept.result->head);
  return match != nullptr && match->cell == kept.result ? b : nullptr;
}

// The union of the cells from `from` on with b when one of the unions kept
// from that cell tells it; null when none does.
ConsList KnownUnion(ConsList from, ConsList b, ListIndex* index) {
  auto found = Unions.find(from);
  if (found == Unions.end()) return nullptr;
  if (ConsList known = KnownUnionOf(found->second, b, index)) return known;
  auto latest = LatestUnions.find(from);
  return latest == LatestUnions.end() ? nullptr : KnownUnionOf(latest->second, b, index);
}

// Keeps a union from a cell: as its first when it has none, else as its
// latest when the walk passed the cell (what it kept was of no use there).
void KeepUnion(ConsList from, KeptUnion kept, bool passed) {
  bool made = Unions.try_emplace(from, kept).second;
  if (!made && passed) LatestUnions.insert_or_assign(from, kept);
}

// ---- Kept unions of long lists with short ones ----
//
// A union whose first operand is long and whose second is short copies the
// first operand's new cells in front of the second. In a chain of interfaces
// each extending the one before, the members of each with everything it
// inherits are one list whose tail is the one before's, and every interface
// body unites them with the same short list (the unit's few classes): copied
// whole each time, those unions and the indexes of their results would grow
// with the square of the chain. So such a union is kept by {its first
// operand's first cell, the second operand}, and so is the union from every
// KeptTailStep-th cell it walks; a later union with the same short list stops
// walking at a cell whose union is kept and takes the kept result as its
// rest, sharing the list (and its index) of the union before.
std::unordered_map<CellPair, ConsList, CellPairHash>& ShortUnions =
    *new std::unordered_map<CellPair, ConsList, CellPairHash>();

// The first short list met with the same definitions in the same order as
// b, by a hash of its definitions: the unions with b are kept under that
// list, so that short lists made again for every class (the members of the
// interfaces it implements, united anew) share them. b itself when the
// first list met with its hash holds other definitions.
std::unordered_map<uint64_t, ConsList>& ShortListsByContent = *new std::unordered_map<uint64_t, ConsList>();

ConsList SameShortList(ConsList b) {
  uint64_t hash = 0;
  for (ConsList rest = b; rest != nullptr; rest = rest->tail) {
    hash = (hash ^ PointerHash(rest->head)) * 0x100000001B3ull + 1;
  }
  ConsList first = ShortListsByContent.try_emplace(hash, b).first->second;
  ConsList x = first;
  ConsList y = b;
  while (x != nullptr && y != nullptr && x->head == y->head) {
    x = x->tail;
    y = y->tail;
  }
  return x == nullptr && y == nullptr ? first : b;
}

// The union of a long list a with a short list b: a's cells whose definitions
// b lacks, in order, then b itself. The unions are kept under the first list
// met with b's definitions; a kept result may end in that list's cells.
ConsList UniteWithShortList(ConsList a, ConsList given) {
  ConsList b = SameShortList(given);
  ConsListBuilder out;
  ConsList rest = b;
  std::vector<std::pair<ConsList, ConsList*>> marks;
  uint32_t walked = 0;
  for (ConsList from = a; from != nullptr; from = from->tail) {
    auto found = ShortUnions.find(CellPair{from, b});
    if (found != ShortUnions.end()) {
      rest = found->second;
      break;
    }
    if (++walked % KeptTailStep == 0) marks.emplace_back(from, out.end);
    if (!ConsContains(b, from->head)) out.Add(from->head);
  }
  *out.end = rest;  // shared, not copied
  ShortUnions.try_emplace(CellPair{a, b}, out.head);
  for (const auto& [from, link] : marks) ShortUnions.try_emplace(CellPair{from, b}, *link);
  // A result is its own union with b, and so is every tail of it: none of
  // its cells before b holds a definition of b. A later union of a list
  // that leads into this result (a class's own members in front of its
  // superclass's, united with the interface they all implement) stops there
  // instead of copying it.
  if (out.head != rest) ShortUnions.try_emplace(CellPair{out.head, b}, out.head);
  for (const auto& [from, link] : marks) {
    if (*link != rest) ShortUnions.try_emplace(CellPair{*link, b}, *link);
  }
  return out.head;
}

// ---- First nodes of a kind in long node lists ----

struct KindKey {
  const ConsCell* list;
  int64_t kinds;
  bool operator==(const KindKey&) const = default;
};
struct KindKeyHash {
  size_t operator()(const KindKey& key) const { return PointerHash(key.list) ^ static_cast<size_t>(key.kinds); }
};
std::unordered_map<KindKey, SyntaxNode*, KindKeyHash>& FirstOfKind =
    *new std::unordered_map<KindKey, SyntaxNode*, KindKeyHash>();

// ---- Lookups ----

// Variant-tag masks of the GeneralDeclaratorFamily groups.
constexpr uint32_t ClassOrInterfaceTags = (1u << ClassDeclarationNodeTag) | (1u << InterfaceDeclarationNodeTag);
constexpr uint32_t TypeDeclarationTags = ClassOrInterfaceTags | (1u << EmptyTypeDeclarationNodeTag);
constexpr uint32_t PackageOrTypeTags = TypeDeclarationTags | (1u << PackageDeclarationNodeTag);
constexpr uint32_t AllTags = ~0u;

// The declaring node of a definition when it is non-null and its tag is in
// mask; null otherwise.
SyntaxNode* MatchingNode(const Definition* definition, uint32_t mask) {
  auto* node = reinterpret_cast<SyntaxNode*>(ForceLazyCell(definition->declaration));
  if (node == nullptr) return nullptr;
  if (mask != AllTags && (node->tag < 0 || (mask & (1u << node->tag)) == 0)) return nullptr;
  return node;
}

ConsList* KeptResult(MatchNode* match, uint32_t mask) {
  if (mask == AllTags) return match->all != NotKept ? &match->all : nullptr;
  return match->mask == mask ? &match->masked : nullptr;
}

void KeepResult(MatchNode* match, uint32_t mask, ConsList result) {
  if (mask == AllTags) {
    match->all = result;
  } else if (match->mask == 0) {
    match->masked = result;
    match->mask = mask;
  }
}

// The declaring nodes along a match chain: the nodes are forced in chain
// order up to the first match whose result is kept, and the lists from each
// match on are kept in it.
ConsList ChainResult(MatchNode* first, uint32_t mask) {
  std::vector<std::pair<MatchNode*, SyntaxNode*>> walked;
  ConsList result = nullptr;
  for (MatchNode* match = first; match != nullptr; match = match->next) {
    if (ConsList* kept = KeptResult(match, mask)) {
      result = *kept;
      break;
    }
    walked.emplace_back(match, MatchingNode(MatchedDefinition(match), mask));  // forced in list order
  }
  for (size_t i = walked.size(); i-- > 0;) {
    if (walked[i].second != nullptr) result = Cons(walked[i].second, result);
    KeepResult(walked[i].first, mask, result);
  }
  return result;
}

// The matches of one slot: a shared list for an indexed slot; a new list
// for a short one, whose last link is then *end (null when it is empty).
ConsList SlotMatches(Identifier* name, DefinitionSet* set, int32_t kind, uint32_t mask, ConsList** end,
                     ConsList* slotOut = nullptr) {
  *end = nullptr;
  if (set == nullptr) return nullptr;
  ConsList slot = DefinitionSlot(set, kind);
  if (slotOut != nullptr) *slotOut = slot;
  if (slot == nullptr) return nullptr;
  if (ListIndex* index = IndexIfLong(slot)) return ChainResult(FindName(index, name), mask);
  ConsListBuilder out;
  for (ConsList rest = slot; rest != nullptr; rest = rest->tail) {
    auto* definition = static_cast<const Definition*>(rest->head);
    if (definition->name != name) continue;
    if (SyntaxNode* node = MatchingNode(definition, mask)) out.Add(node);
  }
  if (out.head != nullptr) *end = out.end;
  return out.head;
}

struct SlotPart {
  int32_t kind;
  uint32_t mask;
};

// The parts' matches in order, as one list: a new part is linked in front of
// what follows it, a shared one joined through SharedJoin.
template <size_t Count>
ConsList LookupParts(Identifier* name, DefinitionSet* set, const SlotPart (&parts)[Count]) {
  ConsList lists[Count];
  ConsList* ends[Count];
  ConsList slots[Count] = {};
  bool anyShared = false;
  bool anyNew = false;
  for (size_t i = 0; i < Count; ++i) {
    lists[i] = SlotMatches(name, set, parts[i].kind, parts[i].mask, &ends[i], &slots[i]);
    if (lists[i] == nullptr) continue;
    if (ends[i] == nullptr) anyShared = true;
    else anyNew = true;
  }
  if (anyShared && anyNew) {
    for (size_t i = 0; i < Count; ++i) {
      if (lists[i] == nullptr || ends[i] == nullptr) continue;
      auto kept = ShortResults.try_emplace(ShortKey{slots[i], name, parts[i].mask}, lists[i]);
      lists[i] = kept.first->second;
      ends[i] = nullptr;
    }
  }
  ConsList result = nullptr;
  for (size_t i = Count; i-- > 0;) {
    if (lists[i] == nullptr) continue;
    if (result == nullptr) {
      result = lists[i];
    } else if (ends[i] != nullptr) {
      *ends[i] = result;
      result = lists[i];
    } else {
      result = SharedJoin(lists[i], result);
    }
  }
  return result;
}

ConsList LookupSlot(Identifier* name, DefinitionSet* set, int32_t kind) {
  ConsList* end;
  return SlotMatches(name, set, kind, AllTags, &end);
}

}  // namespace

Definition* NewDefinition(int32_t kind, Identifier* name, LazyCell* declaration) {
  auto* definition = static_cast<Definition*>(Allocate(sizeof(Definition)));
  definition->kind = kind;
  definition->walked = 0;
  definition->name = name;
  definition->declaration = declaration;
  return definition;
}

Definition* DefineZEB_AttributeDefinition(Identifier* name, LazyCell* declaration) {
  return NewDefinition(HeaderEntryDefinition, name, declaration);
}
Definition* DefinePackageDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(PackageDefinition, name, declaration);
}
Definition* DefineClassDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(ClassDefinition, name, declaration);
}
Definition* DefineDeclaratorIdentifier(Identifier* name, LazyCell* declaration) {
  return NewDefinition(VariableDefinition, name, declaration);
}
Definition* DefineMethodDeclarator(Identifier* name, LazyCell* declaration) {
  return NewDefinition(MethodDefinition, name, declaration);
}
Definition* DefineInterfaceDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(InterfaceDefinition, name, declaration);
}
Definition* DefineLabeledStatement(Identifier* name, LazyCell* declaration) {
  return NewDefinition(LabelDefinitionKind, name, declaration);
}
Definition* DefineLabeledStatementNoShortIf(Identifier* name, LazyCell* declaration) {
  return NewDefinition(NoShortIfLabelDefinition, name, declaration);
}

DefinitionSet* MakeDefinitionSet(const ConsList slots[DefinitionKindCount]) {
  uint64_t kinds = 0;
  int32_t count = 0;
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    if (slots[k] != nullptr) {
      kinds |= uint64_t{1} << k;
      ++count;
    }
  }
  auto* set = static_cast<DefinitionSet*>(Allocate(sizeof(DefinitionSet) + sizeof(ConsList) * count));
  set->kinds = kinds;
  auto* lists = reinterpret_cast<ConsList*>(set + 1);
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    if (slots[k] != nullptr) *lists++ = slots[k];
  }
  return set;
}

DefinitionSet* SingletonDefinitionSet(Definition* definition) {
  ConsList slots[DefinitionKindCount] = {};
  int32_t kind = definition->kind;
  if (kind < 1 || kind >= DefinitionKindCount) kind = 0;
  slots[kind] = Cons(definition, nullptr);
  return MakeDefinitionSet(slots);
}

ConsList UniteLists(ConsList a, ConsList b) {
  if (a == nullptr) return b;
  if (b == nullptr) return a;
  // A long b is tested through its index; the result, its new cells in front
  // of b, gets its own index only when it is used, by adding those cells.
  ListIndex* index = IndexIfLong(b);
  ConsListBuilder out;
  if (index == nullptr) {
    if (IsLongList(a)) return UniteWithShortList(a, b);
    for (ConsList rest = a; rest != nullptr; rest = rest->tail) {
      if (!ConsContains(b, rest->head)) out.Add(rest->head);
    }
    *out.end = b;  // b is shared, not copied
    return out.head;
  }
  // The walk stops where the rest of a is known: at a cell of b itself (the
  // cell the index keeps for its definition), or at a cell whose union is
  // kept. Besides a, every KeptTailStep-th cell walked keeps the union from
  // there on (the part of the result made from that cell on: the link that
  // was the builder's end when the cell was reached), so that a later union
  // of a list that joins a below its first cell stops within that many cells.
  ConsList rest = b;
  std::vector<std::pair<ConsList, ConsList*>> marks;
  uint32_t walked = 0;
  bool afterOwn = false;  // the walk stopped at a result kept as its own union
  for (ConsList from = a; from != nullptr; from = from->tail) {
    MatchNode* found = DefinitionMatch(index, from->head);
    if (found != nullptr && found->cell == from) break;
    if (ConsList known = KnownUnion(from, b, index)) {
      rest = known;
      afterOwn = known == from;
      break;
    }
    if (++walked % KeptTailStep == 0) marks.emplace_back(from, out.end);
    if (found == nullptr) out.Add(from->head);
  }
  *out.end = rest;  // shared, not copied
  KeepUnion(a, KeptUnion{b, out.head}, walked > 0);
  for (const auto& [from, link] : marks) KeepUnion(from, KeptUnion{b, *link}, true);
  // The result is its own union with b (none of its new cells holds a
  // definition of b), so a later union of a list that leads into it could
  // stop there. Most results are environments, never again a first operand,
  // so this is kept only where a walk shows a chain of such results: when it
  // walked far or stopped at a result kept so. A chain of classes that each
  // implement the same long interface then walks a few cells a class.
  if (out.head != rest && (afterOwn || walked >= 2 * KeptTailStep)) {
    KeepUnion(out.head, KeptUnion{b, out.head}, false);
  }
  return out.head;
}

SyntaxNode* FirstNodeOfKind(ConsList nodes, int32_t kind, int32_t other, int32_t third) {
  auto wanted = [=](const SyntaxNode* node) {
    return node != nullptr && (node->code == kind || node->code == other || node->code == third);
  };
  int32_t walked = 0;
  for (ConsList rest = nodes; rest != nullptr && walked < LongDefinitionList; rest = rest->tail, ++walked) {
    if (wanted(static_cast<SyntaxNode*>(rest->head))) return static_cast<SyntaxNode*>(rest->head);
  }
  if (walked < LongDefinitionList) return nullptr;
  int64_t kinds = (int64_t{kind} + 1) | ((int64_t{other} + 1) << 20) | ((int64_t{third} + 1) << 40);
  auto [entry, made] = FirstOfKind.try_emplace(KindKey{nodes, kinds}, nullptr);
  if (!made) return entry->second;
  SyntaxNode*& answer = entry->second;  // stays put while the map grows
  // The walk stops at the first wanted node or at a tail whose answer is
  // kept. Lookup results are often new heads on a shared tail (a name
  // declared in each class of an inheritance chain: each class's result is
  // its own declaration in front of its superclass's result), so the answer
  // is kept for every KeptTailStep-th tail walked as well: every tail walked
  // has the same answer, and a later list that joins this one stops within
  // that many cells.
  std::vector<const ConsCell*> marks;
  SyntaxNode* found = nullptr;
  uint32_t steps = 0;
  for (ConsList rest = nodes; rest != nullptr; rest = rest->tail) {
    if (wanted(static_cast<SyntaxNode*>(rest->head))) {
      found = static_cast<SyntaxNode*>(rest->head);
      break;
    }
    if (rest->tail == nullptr) break;
    auto kept = FirstOfKind.find(KindKey{rest->tail, kinds});
    if (kept != FirstOfKind.end()) {
      found = kept->second;
      break;
    }
    if (++steps % KeptTailStep == 0) marks.push_back(rest->tail);
  }
  answer = found;
  for (const ConsCell* tail : marks) FirstOfKind.try_emplace(KindKey{tail, kinds}, found);
  return found;
}

void ForgetListFacts() {
  for (auto& entry : Indexes) {
    size_t bit = FilterBit(entry.first);
    IndexFilter[bit / 64] &= ~(uint64_t{1} << (bit % 64));
  }
  // Fresh maps rather than clear(), which would keep a large unit's buckets.
  // The lines, tries and match chains are records of the region given back.
  std::unordered_map<const ConsCell*, ListIndex>().swap(Indexes);
  std::unordered_map<CellPair, ConsList, CellPairHash>().swap(Joins);
  std::unordered_map<KindKey, SyntaxNode*, KindKeyHash>().swap(FirstOfKind);
  std::unordered_map<ShortKey, ConsList, ShortKeyHash>().swap(ShortResults);
  std::unordered_map<const ConsCell*, KeptUnion>().swap(Unions);
  std::unordered_map<const ConsCell*, KeptUnion>().swap(LatestUnions);
  std::unordered_map<CellPair, ConsList, CellPairHash>().swap(ShortUnions);
  std::unordered_map<uint64_t, ConsList>().swap(ShortListsByContent);
}

DefinitionSet* UniteDefinitionSets(DefinitionSet* a, DefinitionSet* b) {
  if (a == EmptyDefinitionSet || a == nullptr) return b == nullptr ? EmptyDefinitionSet : b;
  if (b == EmptyDefinitionSet || b == nullptr || a == b) return a;
  ConsList slots[DefinitionKindCount];
  for (int32_t k = 0; k < DefinitionKindCount; ++k) slots[k] = UniteLists(DefinitionSlot(a, k), DefinitionSlot(b, k));
  return MakeDefinitionSet(slots);
}

ConsList LookupZEB_AttributeDefinition(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, HeaderEntryDefinition);
}
ConsList LookupPackageDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, PackageDefinition);
}
ConsList LookupClassDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, ClassDefinition);
}
ConsList LookupDeclaratorIdentifier(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, VariableDefinition);
}
ConsList LookupMethodDeclarator(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, MethodDefinition);
}
ConsList LookupInterfaceDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, InterfaceDefinition);
}
ConsList LookupLabeledStatement(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, LabelDefinitionKind);
}
ConsList LookupLabeledStatementNoShortIf(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, NoShortIfLabelDefinition);
}

ConsList LookupLabelDefinition(Identifier* name, DefinitionSet* set) {
  return LookupParts(name, set, {SlotPart{LabelDefinitionKind, AllTags}, SlotPart{NoShortIfLabelDefinition, AllTags}});
}

ConsList LookupClassOrInterfaceDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupParts(name, set,
                     {SlotPart{ClassDefinition, ClassOrInterfaceTags}, SlotPart{InterfaceDefinition, ClassOrInterfaceTags}});
}

// The type group adds the empty type declaration, which no slot holds; its
// filter therefore keeps the same nodes as the class-or-interface group.
ConsList LookupTypeDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupParts(name, set,
                     {SlotPart{ClassDefinition, TypeDeclarationTags & ClassOrInterfaceTags},
                      SlotPart{InterfaceDefinition, TypeDeclarationTags & ClassOrInterfaceTags}});
}

ConsList LookupPackageOrTypeDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupParts(name, set,
                     {SlotPart{ClassDefinition, PackageOrTypeTags & ClassOrInterfaceTags},
                      SlotPart{InterfaceDefinition, PackageOrTypeTags & ClassOrInterfaceTags},
                      SlotPart{PackageDefinition, PackageOrTypeTags}});
}

ConsList LookupGeneralDeclarator(Identifier* name, DefinitionSet* set) {
  return LookupParts(name, set,
                     {SlotPart{VariableDefinition, AllTags}, SlotPart{MethodDefinition, AllTags},
                      SlotPart{ClassDefinition, ClassOrInterfaceTags}, SlotPart{InterfaceDefinition, ClassOrInterfaceTags},
                      SlotPart{PackageDefinition, PackageOrTypeTags}});
}

DefinitionSet* DefinitionsOfScope(const SyntaxNode* node) {
  if (node == nullptr || node->code != ZEB_AttributeDefinitionNodeKind) return EmptyDefinitionSet;
  return reinterpret_cast<DefinitionSet*>(NodeField(node, 2));
}

DefinitionSet* MembersOfDeclaration(const SyntaxNode* node) {
  if (node == nullptr) return EmptyDefinitionSet;
  switch (node->code) {
    case PackageDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 2));
    case ClassDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 5));
    case InterfaceDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 4));
    default:
      return EmptyDefinitionSet;
  }
}

void DefinitionSetsModuleInit() {
  if (!EnterModuleInit(DefinitionSetsModuleFlag)) return;
  SyntaxNodesModuleInit();
  ConsList empty[DefinitionKindCount] = {};
  EmptyDefinitionSet = MakeDefinitionSet(empty);
  RegisterRoot(&EmptyDefinitionSet);
}
