#include "Bookmarks.h"

#include <algorithm>
#include <charconv>

#include "JisText.h"
#include "TabFields.h"

namespace brisvane {

namespace {

constexpr std::string_view kHeader = "Folder\tHeading\tBook\tDisc\tIndex\tPosition\tCodes";
constexpr std::string_view kNewFolder = "\xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80";  // 新しいフォルダ
constexpr char kHex[] = "0123456789ABCDEF";

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 15];
  }
  return hex;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The bytes of hex; empty for text that is not pairs of hexadecimal digits.
std::string FromHex(std::string_view hex) {
  std::string bytes;
  if (hex.size() % 2 != 0) return bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0) return {};
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

// A number of 0 to INT32_MAX written in decimal digits alone.
bool ReadCount(const std::string& text, int32_t* value) {
  if (text.empty() || text.size() > 10) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size() && *value >= 0;
}

// A folder's name as kept: one field, at most kFolderNameBytes, never cut inside a character.
std::string FolderName(std::string_view name) { return TabField(CutUtf8(TabField(name), kFolderNameBytes)); }

std::string Line(const std::string& folder, const Bookmark& mark) {
  return TabField(folder) + '\t' + TabField(mark.heading) + '\t' + TabField(mark.book) + '\t' + TabField(mark.disc) +
         '\t' + std::to_string(mark.index) + '\t' + std::to_string(mark.position) + '\t' + Hex(mark.codes);
}

}  // namespace

std::string KeptHeading(const Bookmark& mark) {
  if (!mark.codes.empty()) return mark.codes;
  std::string jis;
  size_t at = 0;
  char32_t cp = 0;
  while (booktext::NextUtf8(mark.heading, &at, &cp)) {
    if (cp == U' ') cp = U'\u3000';
    else if (cp > U' ' && cp < 0x7F) cp += 0xFF01 - 0x21;
    uint16_t code = booktext::UnicodeToJis(cp);
    if (code == 0) code = 0x222E;
    jis += static_cast<char>(code >> 8);
    jis += static_cast<char>(code & 0xFF);
  }
  return jis;
}

size_t Bookmarks::Count() const {
  size_t count = 0;
  for (const BookmarkFolder& folder : folders) count += folder.marks.size();
  return count;
}

MarkAt Bookmarks::Find(const Bookmark& mark) const {
  for (size_t f = 0; f < folders.size(); ++f)
    for (size_t m = 0; m < folders[f].marks.size(); ++m)
      if (folders[f].marks[m].SamePlace(mark)) return {f, static_cast<int>(m)};
  return {};
}

const Bookmark* Bookmarks::At(MarkAt at) const {
  if (at.folder >= folders.size() || at.mark < 0 || static_cast<size_t>(at.mark) >= folders[at.folder].marks.size())
    return nullptr;
  return &folders[at.folder].marks[static_cast<size_t>(at.mark)];
}

bool Bookmarks::Add(size_t folder, const Bookmark& mark) {
  if (folder >= folders.size() || Count() >= kMostBookmarks || mark.disc.empty() || At(Find(mark))) return false;
  folders[folder].marks.push_back(mark);
  return true;
}

size_t Bookmarks::AddFolder(std::string_view name) {
  std::string base = FolderName(name);
  if (base.empty()) base = kNewFolder;
  std::string apart = base;
  auto taken = [&](const std::string& n) {
    return std::any_of(folders.begin() + 1, folders.end(), [&](const BookmarkFolder& f) { return f.name == n; });
  };
  // "name (2)" keeps to the size of a name as well.
  for (int n = 2; taken(apart); ++n) {
    const std::string suffix = " (" + std::to_string(n) + ")";
    apart = FolderName(base.substr(0, kFolderNameBytes - suffix.size())) + suffix;
  }
  folders.push_back({apart, {}});
  return folders.size() - 1;
}

bool Bookmarks::RenameFolder(size_t folder, std::string_view name) {
  const std::string text = FolderName(name);
  if (folder == 0 || folder >= folders.size() || text.empty()) return false;
  for (size_t f = 1; f < folders.size(); ++f)
    if (f != folder && folders[f].name == text) return false;
  folders[folder].name = text;
  return true;
}

bool Bookmarks::Remove(MarkAt at) {
  if (at.mark < 0) {
    if (at.folder == 0 || at.folder >= folders.size()) return false;
    folders.erase(folders.begin() + static_cast<std::ptrdiff_t>(at.folder));
    return true;
  }
  if (!At(at)) return false;
  folders[at.folder].marks.erase(folders[at.folder].marks.begin() + at.mark);
  return true;
}

std::vector<size_t> Bookmarks::Order() const {
  std::vector<size_t> order;
  for (size_t f = 1; f < folders.size(); ++f) order.push_back(f);
  order.push_back(0);
  return order;
}

MarkAt Bookmarks::Move(MarkAt at, int by) {
  if (by != -1 && by != 1) return at;
  if (at.mark < 0) {
    // A folder among the folders.
    const size_t to = at.folder + static_cast<size_t>(by);
    if (at.folder == 0 || at.folder >= folders.size() || to == 0 || to >= folders.size()) return at;
    std::swap(folders[at.folder], folders[to]);
    return {to, -1};
  }
  if (!At(at)) return at;
  std::vector<Bookmark>& marks = folders[at.folder].marks;
  const int to = at.mark + by;
  if (to >= 0 && to < static_cast<int>(marks.size())) {
    std::swap(marks[static_cast<size_t>(at.mark)], marks[static_cast<size_t>(to)]);
    return {at.folder, to};
  }
  // Past its folder's end: into the next folder of the list's order, at its near end.
  const std::vector<size_t> order = Order();
  const auto here = std::find(order.begin(), order.end(), at.folder) - order.begin();
  const auto next = here + by;
  if (next < 0 || next >= static_cast<std::ptrdiff_t>(order.size())) return at;
  const size_t into = order[static_cast<size_t>(next)];
  const Bookmark mark = marks[static_cast<size_t>(at.mark)];
  marks.erase(marks.begin() + at.mark);
  std::vector<Bookmark>& target = folders[into].marks;
  if (by < 0) {
    target.push_back(mark);
    return {into, static_cast<int>(target.size()) - 1};
  }
  target.insert(target.begin(), mark);
  return {into, 0};
}

MarkAt Bookmarks::MoveTo(MarkAt at, MarkAt to) {
  const Bookmark* mark = At(at);
  if (!mark || to.folder >= folders.size() || at == to) return at;
  std::vector<Bookmark>& target = folders[to.folder].marks;
  if (to.mark >= 0 && !At(to)) return at;
  size_t before = to.mark < 0 ? target.size() : static_cast<size_t>(to.mark);
  const Bookmark moved = *mark;
  folders[at.folder].marks.erase(folders[at.folder].marks.begin() + at.mark);
  if (to.folder == at.folder && to.mark > at.mark) --before;
  if (to.folder == at.folder && to.mark < 0) before = target.size();
  target.insert(target.begin() + static_cast<std::ptrdiff_t>(before), moved);
  return {to.folder, static_cast<int>(before)};
}

std::vector<std::string> Bookmarks::Lines() const {
  std::vector<std::string> lines;
  for (size_t f = 0; f < folders.size(); ++f) {
    if (f > 0) lines.push_back(TabField(folders[f].name) + "\t\t\t\t\t\t");
    for (const Bookmark& mark : folders[f].marks) lines.push_back(Line(folders[f].name, mark));
  }
  return lines;
}

size_t Bookmarks::FolderNamed(const std::string& name) {
  if (name.empty()) return 0;
  for (size_t f = 1; f < folders.size(); ++f)
    if (folders[f].name == name) return f;
  folders.push_back({name, {}});
  return folders.size() - 1;
}

Bookmarks Bookmarks::FromLines(const std::vector<std::string>& lines) {
  Bookmarks list;
  for (const std::string& line : lines) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != 7) continue;
    const std::string folder = FolderName(fields[0]);
    if (fields[1].empty() && fields[3].empty()) {
      if (!folder.empty()) list.FolderNamed(folder);
      continue;
    }
    Bookmark mark;
    mark.heading = fields[1];
    mark.book = fields[2];
    mark.disc = fields[3];
    mark.codes = FromHex(fields[6]);
    if (mark.disc.empty() || !ReadCount(fields[4], &mark.index) || !ReadCount(fields[5], &mark.position)) continue;
    list.Add(list.FolderNamed(folder), mark);
  }
  return list;
}

std::string Bookmarks::ExportText() const {
  std::string text(kHeader);
  text += "\r\n";
  for (const std::string& line : Lines()) text += line + "\r\n";
  return text;
}

int Bookmarks::Import(std::string_view text) {
  // A byte-order mark that an editor put in front.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::vector<std::string_view> lines = TextLines(text);
  if (lines.empty() || lines.front() != kHeader) return -1;
  const Bookmarks read = FromLines(std::vector<std::string>(lines.begin() + 1, lines.end()));
  int added = 0;
  for (const BookmarkFolder& folder : read.folders) {
    const size_t into = FolderNamed(folder.name);
    for (const Bookmark& mark : folder.marks) added += Add(into, mark) ? 1 : 0;
  }
  return added;
}

}  // namespace brisvane
