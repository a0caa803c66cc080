// What the viewer reads back from the settings and takes from other programs: the shelf's lines,
// the remembered directories, a second start's command line, the clipboard's and a selection's
// text, the word after a double-click, the words a looked-up string may stand for, and paths
// between the library's UTF-8 and wide strings, the word list's cards (kept and read back,
// and made from a heading and an entry's text), and the bookmarks' lines and export file.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "Bookmarks.h"
#include "Deinflect.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "OutsideWords.h"
#include "RelatedWords.h"
#include "RememberedPaths.h"
#include "ShelfBooks.h"
#include "WordList.h"
#include "platform/PathText.h"

namespace fuzz {

namespace {

// The bytes as UTF-16 code units, two a unit (low byte first), as the registry and the window
// APIs hold text; lone surrogates and every other unit included.
std::wstring Units(const Bytes& bytes) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
  return text;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t at) {
  std::vector<std::wstring> parts;
  size_t from = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != at) continue;
    parts.push_back(text.substr(from, i - from));
    from = i + 1;
  }
  return parts;
}

void Shelf(const std::wstring& text) {
  std::vector<brisvane::ShelfBook> books = brisvane::ShelfBooksOf(Split(text, L'\n'));
  for (const brisvane::ShelfBook& book : books) {
    FUZZ_CHECK(!book.root.empty() && !book.name.empty() && book.name.size() <= brisvane::kShortNameLength);
    FUZZ_CHECK(book.index >= 0 && book.index <= 9999);
  }
  // What is kept reads back as it was.
  std::vector<brisvane::ShelfBook> again = brisvane::ShelfBooksOf(brisvane::ShelfLines(books));
  FUZZ_CHECK(again.size() == books.size());
  for (size_t i = 0; i < books.size() && i < again.size(); ++i)
    FUZZ_CHECK(again[i].root == books[i].root && again[i].index == books[i].index &&
               again[i].name == books[i].name && again[i].ticked == books[i].ticked);
  for (size_t i = 0; i < books.size(); ++i) {
    brisvane::NameApart(&books, i);
    for (const brisvane::ShelfBook& book : books)
      FUZZ_CHECK(!book.name.empty() && book.name.size() <= brisvane::kShortNameLength);
  }
  const std::wstring name = brisvane::ShortName(text);
  FUZZ_CHECK(!name.empty() && name.size() <= brisvane::kShortNameLength);
  FUZZ_CHECK(brisvane::ShortName(name) == name);
  brisvane::FolderName(text);
}

void Remembered(const Bytes& bytes) {
  const std::string value(bytes.begin(), bytes.end());
  std::vector<std::string> listed = brisvane::SplitRememberedPaths(value);
  for (const std::string& path : listed) FUZZ_CHECK(path.size() > 3 && path.find(' ') == std::string::npos);
  const std::string chosen = listed.empty() ? value : listed.back();
  FUZZ_CHECK(brisvane::BuildRememberedPaths(listed, chosen).size() < brisvane::kRememberedPathsCapacity);
}

void OutsideWords(const std::wstring& text) {
  FUZZ_CHECK(brisvane::ClipboardWord(text).size() <= brisvane::kClipboardWordLimit * 2);
  const std::wstring selected = brisvane::SelectedWord(text);
  FUZZ_CHECK(selected.size() <= text.size());
  brisvane::CommandLineWord(Split(text, L' '));
  const std::wstring word = brisvane::EntryWord(text);
  FUZZ_CHECK(word.size() <= text.size());
}

void Candidates(const std::wstring& text) {
  std::u32string word;
  for (wchar_t c : text.substr(0, 24)) word += static_cast<char32_t>(c);
  for (bool fold : {false, true}) {
    for (const booktext::RelatedWord& related : booktext::RelatedWords(word, {fold, fold}))
      FUZZ_CHECK(!related.word.empty());
  }
  booktext::Deinflect(word);
  for (const std::u32string& part : booktext::LeadingParts(word)) FUZZ_CHECK(!part.empty() && part.size() <= word.size());
}

// A wide path the library takes comes back as it was (natively UTF-32; a lone surrogate is no
// text and is refused).
void Paths(const std::wstring& text) {
  std::string library;
  std::wstring back;
  if (dunmoor::PathFromWide(text.c_str(), &library)) {
    FUZZ_CHECK(dunmoor::PathToWide(library, &back));
    FUZZ_CHECK(back == text.substr(0, text.find(L'\0')));
  }
  dunmoor::PathToWide(std::string(text.begin(), text.end()), &back);
}

// A card read back from its stored line is the card written; a card made from any heading and
// text fits a line (no tab or line break in a field) and keeps to its size.
void Cards(const Bytes& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  brisvane::WordCard card;
  if (brisvane::ParseCardLine(text, &card)) {
    brisvane::WordCard again;
    FUZZ_CHECK(brisvane::ParseCardLine(brisvane::CardLine(card), &again));
  }
  const size_t cut = text.find('\0');
  const brisvane::WordCard made =
      brisvane::MakeCard(text.substr(0, cut), cut == std::string::npos ? "" : text.substr(cut + 1), text);
  FUZZ_CHECK(made.text.size() <= brisvane::kCardTextBytes);
  const std::string line = brisvane::CardLine(made);
  FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
  brisvane::WordCard back;
  if (!made.headword.empty()) FUZZ_CHECK(brisvane::ParseCardLine(line, &back) && back == made);
  FUZZ_CHECK(brisvane::ExportText({made}).rfind("Headword\tReading\tText\tBook\r\n", 0) == 0);
}

// Bookmarks read from any lines and any file keep their rules (a place once, within the size),
// read back from their own lines and export file as they are, and take any move and drop.
void Marks(const Bytes& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  std::vector<std::string> lines;
  for (size_t at = 0; at <= text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  brisvane::Bookmarks list = brisvane::Bookmarks::FromLines(lines);
  list.Import(text);
  list.Import("Folder\tHeading\tBook\tDisc\tIndex\tPosition\tCodes\n" + text);
  FUZZ_CHECK(list.Count() <= brisvane::kMostBookmarks);
  FUZZ_CHECK(brisvane::Bookmarks::FromLines(list.Lines()).Folders() == list.Folders());
  brisvane::Bookmarks again;
  FUZZ_CHECK(again.Import(list.ExportText()) == static_cast<int>(list.Count()) && again.Folders() == list.Folders());
  for (size_t i = 0; i + 1 < bytes.size() && i < 64; i += 2) {
    const brisvane::MarkAt at{bytes[i] % 4u, static_cast<int>(bytes[i + 1] % 5) - 1};
    const size_t before = list.Count();
    if (bytes[i] & 0x80) list.MoveTo(at, {bytes[i + 1] % 4u, static_cast<int>(bytes[i] % 3) - 1});
    else list.Move(at, (bytes[i + 1] & 1) ? 1 : -1);
    FUZZ_CHECK(list.Count() == before);
    for (const brisvane::BookmarkFolder& folder : list.Folders())
      for (const brisvane::Bookmark& mark : folder.marks) FUZZ_CHECK(!brisvane::KeptHeading(mark).empty() || mark.heading.empty());
  }
}

}  // namespace

int FuzzInputs(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const Bytes first = input.Section();
  const Bytes rest = input.Rest();
  const std::wstring text = Units(first);
  Shelf(text);
  Remembered(rest);
  OutsideWords(text);
  Candidates(Units(rest));
  Paths(text);
  Cards(rest);
  Marks(rest);
  return 0;
}

}  // namespace fuzz
