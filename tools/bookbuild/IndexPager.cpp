#include "IndexPager.h"

#include <algorithm>
#include <map>

#include "BuildError.h"

namespace bookbuild {

namespace {

constexpr size_t kPageHeader = 4;

struct NodeEntry {
  Bytes key;
  size_t child = 0;  // index of the child page within the level below
};

// A run of leaf records placed together: a single record, or a group heading with its members.
struct Unit {
  std::vector<LeafRecord> records;
  Bytes compareKey;
};

}  // namespace

IndexPager::IndexPager(const IndexDef& def)
    : def_(def), normalizer_(def.style, def.available, def.convert) {}

std::vector<LeafRecord> IndexPager::MakeRecords(const std::vector<KeyedWord>& words) const {
  auto orient = [&](const JisString& key) { return KeyBytes(IsBackward() ? Reversed(key) : key); };
  // compared key -> records, in source order within one key
  std::map<Bytes, std::vector<std::pair<Bytes, const KeyedWord*>>> byKey;
  for (const KeyedWord& w : words) {
    Bytes compared, written;
    if (!def_.normalized) {
      compared = written = orient(w.word);
    } else {
      JisString typed = FilterTypedKey(w.word);
      written = orient(typed);
      // Fixed and variable entries must equal the typed key as well as the searched one, so
      // they hold the normal form of the typed key: typing that form finds them. A group
      // heading holds what the reader makes of the word as written, so typing the word finds
      // the group, and its members hold the typed keys.
      compared = def_.layout == LeafLayout::kGroup ? orient(normalizer_.SearchForm(w.word))
                                                   : orient(normalizer_.SearchForm(typed));
    }
    if (compared.empty() || written.empty())
      throw BuildError(w.line, "the word leaves an empty key: nothing could find it");
    if (def_.layout == LeafLayout::kFixed && compared.size() > static_cast<size_t>(def_.fixedLength))
      throw BuildError(w.line, "key of " + std::to_string(compared.size()) + " bytes does not fit fixed:" +
                                   std::to_string(def_.fixedLength));
    if (compared.size() > 255 || written.size() > 255) throw BuildError(w.line, "key longer than 255 bytes");
    byKey[compared].push_back({written, &w});
  }
  std::vector<LeafRecord> records;
  for (const auto& [key, list] : byKey) {
    bool group = def_.layout == LeafLayout::kGroup &&
                 std::any_of(list.begin(), list.end(), [&](const auto& item) { return item.first != key; });
    if (group) records.push_back({0x80, key, 0, 0});
    for (const auto& [written, word] : list) {
      records.push_back({static_cast<uint8_t>(group ? 0xC0 : 0x00), group ? written : key, word->textPosition,
                         word->headingPosition});
    }
  }
  return records;
}

size_t IndexPager::RecordSize(const LeafRecord& record) const {
  switch (def_.layout) {
    case LeafLayout::kFixed: return static_cast<size_t>(def_.fixedLength) + 12;
    case LeafLayout::kVariable: return 1 + record.key.size() + 12;
    case LeafLayout::kGroup: return 2 + record.key.size() + (record.kind == 0x80 ? 2 : 12);
  }
  return 0;
}

void IndexPager::PutRecord(const LeafRecord& record, Bytes* page) const {
  if (def_.layout == LeafLayout::kGroup) {
    page->push_back(record.kind);
    page->push_back(static_cast<uint8_t>(record.key.size()));
    if (record.kind == 0x80) {
      PutBe16(page, 0);
      page->insert(page->end(), record.key.begin(), record.key.end());
      return;
    }
  } else if (def_.layout == LeafLayout::kVariable) {
    page->push_back(static_cast<uint8_t>(record.key.size()));
  }
  page->insert(page->end(), record.key.begin(), record.key.end());
  if (def_.layout == LeafLayout::kFixed) page->resize(page->size() + def_.fixedLength - record.key.size(), 0);
  PutNumericPosition(page, record.textPosition);
  PutNumericPosition(page, record.headingPosition);
}

IndexPages IndexPager::Build(const std::vector<KeyedWord>& words, uint32_t firstPage) const {
  std::vector<LeafRecord> records = MakeRecords(words);
  size_t perPage = def_.perPage > 0 ? static_cast<size_t>(def_.perPage) : 0xFFFF;

  // Units keep a group on one page when it fits on one.
  std::vector<Unit> units;
  for (const LeafRecord& r : records) {
    if (r.kind == 0xC0) {
      units.back().records.push_back(r);
    } else {
      units.push_back({{r}, r.key});
    }
  }
  struct LeafPage {
    std::vector<LeafRecord> records;
    size_t bytes = kPageHeader;
    Bytes maxKey;
  };
  std::vector<LeafPage> leaves(1);
  for (const Unit& unit : units) {
    size_t unitBytes = 0;
    for (const LeafRecord& r : unit.records) unitBytes += RecordSize(r);
    LeafPage* page = &leaves.back();
    bool fits = page->bytes + unitBytes <= kBlockSize && page->records.size() + unit.records.size() <= perPage;
    bool fitsAlone = kPageHeader + unitBytes <= kBlockSize && unit.records.size() <= perPage;
    if (!fits && fitsAlone && !page->records.empty()) {
      leaves.emplace_back();
      page = &leaves.back();
    }
    for (const LeafRecord& r : unit.records) {
      if (page->bytes + RecordSize(r) > kBlockSize || page->records.size() + 1 > perPage) {
        leaves.emplace_back();
        page = &leaves.back();
      }
      page->records.push_back(r);
      page->bytes += RecordSize(r);
      page->maxKey = unit.compareKey;  // members are not compared: the group's key stands for them
    }
  }

  // Node levels, bottom up, until one page remains.
  std::vector<std::vector<std::vector<NodeEntry>>> nodeLevels;  // bottom first
  std::vector<Bytes> childKeys;
  for (const LeafPage& leaf : leaves) childKeys.push_back(leaf.maxKey);
  while (childKeys.size() > 1) {
    std::vector<std::vector<NodeEntry>> level(1);
    size_t keyLength = 0;
    for (size_t i = 0; i < childKeys.size(); ++i) {
      size_t newLength = std::max(keyLength, childKeys[i].size());
      std::vector<NodeEntry>& page = level.back();
      if (!page.empty() && (kPageHeader + (page.size() + 1) * (newLength + 4) > kBlockSize || page.size() + 1 > perPage)) {
        level.emplace_back();
        newLength = childKeys[i].size();
      }
      keyLength = newLength;
      level.back().push_back({childKeys[i], i});
    }
    childKeys.clear();
    for (const auto& page : level) childKeys.push_back(page.back().key);
    nodeLevels.push_back(level);
  }

  IndexPages out;
  out.recordCount = records.size();
  // Page numbers, top level first.
  std::vector<uint32_t> levelStart(nodeLevels.size() + 1);  // [0] leaves, [i] node level i (bottom 1)
  uint32_t page = firstPage;
  for (size_t i = nodeLevels.size(); i-- > 0;) {
    levelStart[i + 1] = page;
    out.levels.push_back({page, page + static_cast<uint32_t>(nodeLevels[i].size()) - 1});
    page += static_cast<uint32_t>(nodeLevels[i].size());
  }
  levelStart[0] = page;
  out.levels.push_back({page, page + static_cast<uint32_t>(leaves.size()) - 1});
  out.startPage = firstPage;

  for (size_t i = nodeLevels.size(); i-- > 0;) {
    const auto& level = nodeLevels[i];
    for (size_t p = 0; p < level.size(); ++p) {
      size_t keyLength = 0;
      for (const NodeEntry& e : level[p]) keyLength = std::max(keyLength, e.key.size());
      Bytes bytes;
      bytes.push_back(p + 1 == level.size() ? 0x20 : 0x00);
      bytes.push_back(static_cast<uint8_t>(keyLength));
      PutBe16(&bytes, static_cast<uint32_t>(level[p].size()));
      for (const NodeEntry& e : level[p]) {
        bytes.insert(bytes.end(), e.key.begin(), e.key.end());
        bytes.resize(bytes.size() + keyLength - e.key.size(), 0);
        PutBe32(&bytes, levelStart[i] + static_cast<uint32_t>(e.child));
      }
      bytes.resize(kBlockSize, 0);
      out.pages.insert(out.pages.end(), bytes.begin(), bytes.end());
    }
  }
  for (size_t p = 0; p < leaves.size(); ++p) {
    Bytes bytes;
    uint8_t flags = 0x80;
    if (def_.layout == LeafLayout::kGroup) flags |= 0x10;
    if (p + 1 == leaves.size()) flags |= 0x20;
    bytes.push_back(flags);
    bytes.push_back(static_cast<uint8_t>(def_.layout == LeafLayout::kFixed ? def_.fixedLength : 0));
    PutBe16(&bytes, static_cast<uint32_t>(leaves[p].records.size()));
    for (const LeafRecord& r : leaves[p].records) PutRecord(r, &bytes);
    bytes.resize(kBlockSize, 0);
    out.pages.insert(out.pages.end(), bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace bookbuild
