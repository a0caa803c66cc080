#include "Library.h"

#include <cstring>
#include <vector>

#include "KeywordSearch.h"
#include "WordSearch.h"
#include "platform/BookFile.h"

namespace dunmoor {

Library::~Library() {
  BooksClose();
  CloseEpwing();
}

int32_t Library::IsEpwBook(const char* root, char* title) {
  if (!root || !title) return kFailed;
  char found[kTitleBytes + 1];
  if (!FindFirstUsableTitle(root, found)) return kFailed;
  std::memcpy(title, found, sizeof found);
  return kSuccess;
}

int32_t Library::OpenEpwing(const char* root) {
  // No caller loads a second catalog over the first. If one does, the new catalog replaces
  // the old one only when it was read: a failed call leaves the state as it was.
  if (!root) return kFailed;
  auto loaded = std::make_unique<BookCatalog>();
  if (ReadCatalog(root, loaded.get()) != CatalogResult::kRead) return kFailed;
  catalog = std::move(loaded);
  return kSuccess;
}

void Library::CloseEpwing() { catalog.reset(); }

int32_t Library::GetBooks() const {
  return catalog && !catalog->empty() ? kSuccess : kFailed;
}

int32_t Library::GetBookInfo(int32_t index, BookInfo* info) const {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size() || !info) return kFailed;
  const CatalogRecord& record = (*catalog)[static_cast<size_t>(index)];
  if (!record.usable) return kFailed;
  info->type = record.type;
  if (info->title) std::memcpy(info->title, record.title, sizeof record.title);
  return kSuccess;
}

int32_t Library::SelectBook(int32_t index) {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size()) return kFailed;
  (*catalog)[static_cast<size_t>(index)].usable = 1;
  return kSuccess;
}

int32_t Library::BooksOpen() {
  if (!catalog) return kFailed;
  BooksClose();  // no caller opens over an open book; close the earlier one if one does
  int32_t first = -1;
  if (!CountUsable(&first) || first < 0) return kFailed;
  return OpenRecord(static_cast<size_t>(first));
}

int32_t Library::GetCharacterMap(char* path, uint32_t size) const {
  if (!catalog || openIndex < 0 || static_cast<size_t>(openIndex) >= catalog->size()) return kFailed;
  if (!path || size == 0) return kBadArgument;
  path[0] = '\0';
  const std::string& directory = (*catalog)[static_cast<size_t>(openIndex)].bookDirectory;
  const std::string name = directory.substr(directory.find_last_of(kPathSeparator) + 1);
  for (const std::string& candidate : {directory + ".map", directory + kPathSeparator + name + ".map"}) {
    const std::string spelled = SpelledPath(candidate);
    uint64_t bytes = 0;
    if (!LookUpFileSize(spelled, &bytes)) continue;
    if (spelled.size() >= size) return kBadArgument;
    std::memcpy(path, spelled.c_str(), spelled.size() + 1);
    return kSuccess;
  }
  return kBadArgument;
}

int32_t Library::BooksOpenAt(int32_t index) {
  if (!catalog) return kFailed;
  BooksClose();
  if (index < 0 || static_cast<size_t>(index) >= catalog->size() || !(*catalog)[static_cast<size_t>(index)].usable)
    return kBadArgument;
  int32_t first = -1;
  if (!CountUsable(&first)) return kFailed;
  return OpenRecord(static_cast<size_t>(index));
}

bool Library::CountUsable(int32_t* first) const {
  // A catalog that lists kMaxUsableBooks usable books or more opens none of them.
  size_t usable = 0;
  for (size_t i = 0; i < catalog->size(); ++i) {
    if (!(*catalog)[i].usable) continue;
    if (*first < 0) *first = static_cast<int32_t>(i);
    if (++usable == kMaxUsableBooks) return false;
  }
  return true;
}

int32_t Library::OpenRecord(size_t index) {
  const CatalogRecord& record = (*catalog)[index];
  gaiji.Open(record.gaijiDirectory, record.fontNames);
  auto opened = std::make_unique<BookState>();
  if (opened->Open(record.bookDirectory) != BookState::OpenResult::kOpened) {
    gaiji.Close();
    return kFailed;
  }
  book = std::move(opened);
  openIndex = static_cast<int32_t>(index);
  return kSuccess;
}

void Library::BooksClose() {
  if (!book) return;
  gaiji.Close();
  if (book->IsOpen() && !book->Close()) ShowLibraryMessage("The file is not closed");
  EndFullText();
  characters.reset();
  book.reset();
  openIndex = -1;
  imageRequest = ImageRequest{};
  pcmRequest = PcmRequest{};
}

int32_t Library::GetWordProperties(char* key, WordProperties* properties) {
  if (!book) return kFailed;
  if (!key || !properties) return kBadArgument;
  EndFullText();
  book->Hits().clear();
  PreparedSearch search = PrepareSearch(CharactersOf(key), book->Indexes());
  StoreCharacters(search.key, key);  // the caller's key comes back normalised
  book->SetSearchMode(static_cast<int32_t>(search.mode));
  return Reported(RunSearch(search, book.get()), properties);
}

int32_t Library::Reported(SearchResult result, WordProperties* properties) const {
  switch (result) {
    case SearchResult::kFound:
      properties->hitCount = static_cast<int32_t>(book->Hits().size());
      properties->itemSize = kDunmoorHeadingSize;
      return kSuccess;
    case SearchResult::kReadFailed:
      return kFailed;
    case SearchResult::kNotFound:
      break;
  }
  return kBadArgument;
}

int32_t Library::GetWordItem(int32_t index, WordItem* item) {
  if (!book) return kFailed;
  const std::vector<HitRecord>& hits = book->Hits();
  if (index < 0 || static_cast<size_t>(index) >= hits.size() || !item || !item->text) return kBadArgument;
  char* text = item->text;
  uint32_t got = 0;
  const uint32_t position = hits[static_cast<size_t>(index)].headingPosition;
  if (!book->TextFile().Seek(position) || !book->DiscCheck() ||
      !book->ReadNear(position, text, kDunmoorHeadingSize, &got)) {
    return kFailed;
  }
  // A heading ends with its newline code 1F 0A: the 0x1F becomes the end of the string. The
  // heading of a full-text hit is the entry's keyword, which ends at its end code 1F 61.
  std::memset(text + got, 0, kDunmoorHeadingSize - got);
  if (fullTextHits) {
    for (uint32_t at = 0; at + 1 < got; at += 2) {
      if (text[at] == 0x1F && text[at + 1] == 0x61) {
        std::memset(text + at, 0, got - at);
        got = at;
        break;
      }
    }
  }
  const void* newline = std::memchr(text, 0x0A, got);
  if (newline) {
    size_t p = static_cast<size_t>(static_cast<const char*>(newline) - text);
    text[p == 0 ? 0 : p - 1] = '\0';
  }
  text[kDunmoorHeadingSize - 1] = '\0';
  return kSuccess;
}

int32_t Library::GetSearchModes() const {
  if (!book) return kFailed;
  int32_t modes = kDunmoorHeadwordSearch | kDunmoorFullTextSearch;
  if (KeywordIndexOf(book->Indexes())) modes |= kDunmoorKeywordSearch;
  return modes;
}

int32_t Library::SearchKeywords(char* key, WordProperties* properties) {
  if (!book) return kFailed;
  if (!key || !properties) return kBadArgument;
  EndFullText();
  book->SetSearchMode(static_cast<int32_t>(SearchMode::kPrefix));
  return Reported(RunKeywordSearch(KeywordsOf(CharactersOf(key)), book.get()), properties);
}

const GaijiCharacters* Library::BookCharacters() {
  if (!characters) {
    characters = std::make_unique<GaijiCharacters>();
    char path[kDunmoorMapPathSize];
    BookFile file;
    uint64_t size = 0;
    uint32_t got = 0;
    constexpr uint64_t kLargestMap = 4u << 20;
    if (GetCharacterMap(path, sizeof path) == kSuccess && file.Open(path) && file.Size(&size) && size <= kLargestMap) {
      std::string text(static_cast<size_t>(size), '\0');
      if (file.Read(text.data(), static_cast<uint32_t>(size), &got) && got == size)
        characters = std::make_unique<GaijiCharacters>(booktext::GaijiMap::Parse(text));
    }
  }
  return characters.get();
}

int32_t Library::BeginFullText(const char* key) {
  if (!book) return kFailed;
  EndFullText();
  book->Hits().clear();
  if (!key) return kBadArgument;
  JisChars word = FullTextWordOf(CharactersOf(key));
  if (word.empty()) return kBadArgument;
  fullText.Begin(std::move(word), BookCharacters(), book.get());
  fullTextHits = true;
  return kSuccess;
}

int32_t Library::NextFullText(WordProperties* properties) {
  if (!book) return kFailed;
  if (!properties || !fullTextHits) return kBadArgument;
  FullTextScan::Step step = fullText.Next(book.get());
  properties->hitCount = static_cast<int32_t>(book->Hits().size());
  properties->itemSize = kDunmoorHeadingSize;
  if (step == FullTextScan::Step::kReadFailed) return kFailed;
  if (step == FullTextScan::Step::kGoesOn) return kGoesOn;
  return kSuccess;
}

int32_t Library::GetHitMatch(int32_t index, uint32_t* position, uint32_t* length) const {
  if (!book) return kFailed;
  const std::vector<TextMatch>& matches = fullText.Matches();
  if (!fullTextHits || !position || !length || index < 0 || static_cast<size_t>(index) >= matches.size() ||
      static_cast<size_t>(index) >= book->Hits().size())
    return kBadArgument;
  *position = matches[static_cast<size_t>(index)].position;
  *length = matches[static_cast<size_t>(index)].length;
  return kSuccess;
}

void Library::EndFullText() {
  fullText.Stop();
  fullTextHits = false;
}

namespace {

// At most this many slots are open at once: a shelf far larger than any collection.
constexpr size_t kMostBookSlots = 1000;

struct BookSlots {
  Library own;                                  // slot 0: the design's one catalog and book
  std::vector<std::unique_ptr<Library>> open;   // slot n is open[n - 1]; null once closed
  Library* used = nullptr;                      // null: slot 0
};

BookSlots& Slots() {
  static BookSlots slots;
  return slots;
}

Library* SlotLibrary(int32_t slot) {
  BookSlots& slots = Slots();
  if (slot < 1 || static_cast<size_t>(slot) > slots.open.size()) return nullptr;
  return slots.open[static_cast<size_t>(slot) - 1].get();
}

}  // namespace

Library& TheLibrary() {
  BookSlots& slots = Slots();
  return slots.used ? *slots.used : slots.own;
}

int32_t OpenBookSlot(const char* root, int32_t index) {
  auto library = std::make_unique<Library>();
  if (library->OpenEpwing(root) != kSuccess) return kFailed;
  int32_t opened = library->BooksOpenAt(index);
  if (opened != kSuccess) return opened;
  BookSlots& slots = Slots();
  for (size_t i = 0; i < slots.open.size(); ++i) {
    if (slots.open[i]) continue;
    slots.open[i] = std::move(library);
    return static_cast<int32_t>(i + 1);
  }
  if (slots.open.size() >= kMostBookSlots) return kBadArgument;
  slots.open.push_back(std::move(library));
  return static_cast<int32_t>(slots.open.size());
}

int32_t UseBookSlot(int32_t slot) {
  Library* library = slot == 0 ? nullptr : SlotLibrary(slot);
  if (slot != 0 && !library) return kBadArgument;
  Slots().used = library;
  return kSuccess;
}

int32_t CloseBookSlot(int32_t slot) {
  Library* library = SlotLibrary(slot);
  if (!library) return kBadArgument;
  BookSlots& slots = Slots();
  if (slots.used == library) slots.used = nullptr;
  slots.open[static_cast<size_t>(slot) - 1].reset();
  return kSuccess;
}

}  // namespace dunmoor
