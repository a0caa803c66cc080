#include "Library.h"

#include <algorithm>
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
  if (!root || !title) return kDunmoorFailed;
  char found[kTitleBytes + 1];
  if (!FindFirstUsableTitle(root, found)) return kDunmoorFailed;
  std::memcpy(title, found, sizeof found);
  return kDunmoorSuccess;
}

int32_t Library::OpenEpwing(const char* root) {
  // No caller loads a second catalog over the first. If one does, the new catalog replaces
  // the old one only when it was read: a failed call leaves the state as it was.
  if (!root) return kDunmoorFailed;
  auto loaded = std::make_unique<BookCatalog>();
  if (ReadCatalog(root, loaded.get()) != CatalogResult::kRead) return kDunmoorFailed;
  catalog = std::move(loaded);
  return kDunmoorSuccess;
}

void Library::CloseEpwing() { catalog.reset(); }

int32_t Library::GetBooks() const {
  return catalog && !catalog->empty() ? kDunmoorSuccess : kDunmoorFailed;
}

int32_t Library::GetBookInfo(int32_t index, BookInfo* info) const {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size() || !info) return kDunmoorFailed;
  const CatalogRecord& record = (*catalog)[static_cast<size_t>(index)];
  if (!record.usable) return kDunmoorFailed;
  info->type = record.type;
  if (info->title) std::memcpy(info->title, record.title, sizeof record.title);
  return kDunmoorSuccess;
}

int32_t Library::SelectBook(int32_t index) {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size()) return kDunmoorFailed;
  (*catalog)[static_cast<size_t>(index)].usable = 1;
  return kDunmoorSuccess;
}

int32_t Library::BooksOpen() {
  if (!catalog) return kDunmoorFailed;
  BooksClose();  // no caller opens over an open book; close the earlier one if one does
  int32_t first = -1;
  if (!CountUsable(&first) || first < 0) return kDunmoorFailed;
  return OpenRecord(static_cast<size_t>(first));
}

int32_t Library::GetCharacterMap(char* path, uint32_t size) const {
  if (!catalog || openIndex < 0 || static_cast<size_t>(openIndex) >= catalog->size()) return kDunmoorFailed;
  if (!path || size == 0) return kDunmoorRefused;
  path[0] = '\0';
  const std::string& directory = (*catalog)[static_cast<size_t>(openIndex)].bookDirectory;
  const std::string name = directory.substr(directory.find_last_of(kPathSeparator) + 1);
  for (const std::string& candidate : {directory + ".map", directory + kPathSeparator + name + ".map"}) {
    const std::string spelled = SpelledPath(candidate);
    uint64_t bytes = 0;
    if (!LookUpFileSize(spelled, &bytes)) continue;
    if (spelled.size() >= size) return kDunmoorRefused;
    std::memcpy(path, spelled.c_str(), spelled.size() + 1);
    return kDunmoorSuccess;
  }
  return kDunmoorRefused;
}

int32_t Library::BooksOpenAt(int32_t index) {
  if (!catalog) return kDunmoorFailed;
  BooksClose();
  if (index < 0 || static_cast<size_t>(index) >= catalog->size() || !(*catalog)[static_cast<size_t>(index)].usable)
    return kDunmoorRefused;
  int32_t first = -1;
  if (!CountUsable(&first)) return kDunmoorFailed;
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
    return kDunmoorFailed;
  }
  book = std::move(opened);
  openIndex = static_cast<int32_t>(index);
  return kDunmoorSuccess;
}

void Library::BooksClose() {
  if (!book) return;
  gaiji.Close();
  if (book->IsOpen() && !book->Close()) ShowLibraryMessage("The file is not closed");
  fullText.Release();
  characters.reset();
  book.reset();
  openIndex = -1;
  imageRequest = ImageRequest{};
  pcmRequest = PcmRequest{};
}

int32_t Library::GetWordProperties(char* key, WordProperties* properties) {
  if (!book) return kDunmoorFailed;
  if (!key || !properties) return kDunmoorRefused;
  fullText.Release();
  book->Hits().clear();
  PreparedSearch search = PrepareSearch(CharactersOf(key), book->Indexes());
  StoreCharacters(search.key, key);  // the caller's key comes back normalised
  book->SetSearchMode(static_cast<int32_t>(search.mode));
  return Reported(RunSearch(search, book.get()), properties);
}

int32_t Library::GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                                int32_t* place, std::vector<IndexKey>* keys) {
  if (!book) return kDunmoorFailed;
  if (!key || !properties || !place || count < 0) return kDunmoorRefused;
  fullText.Release();
  book->Hits().clear();
  PreparedSearch search = PrepareSearch(CharactersOf(key), book->Indexes());
  if (search.mode != SearchMode::kExact) return kDunmoorRefused;
  book->SetSearchMode(static_cast<int32_t>(search.mode));
  std::vector<IndexKey> found;
  size_t at = 0;
  const SearchResult result =
      KeysAround(search, book.get(), textPosition < 0 ? UINT32_MAX : static_cast<uint32_t>(textPosition),
                 static_cast<uint32_t>(std::min<int32_t>(count, kDunmoorMostAround)), &found, &at);
  if (result == SearchResult::kFound) {
    for (const IndexKey& each : found) book->Hits().push_back(HitRecord{each.textPosition, each.headingPosition, 0, 0, 0});
    *place = static_cast<int32_t>(at);
  }
  if (keys) *keys = std::move(found);
  return Reported(result, properties);
}

int32_t Library::Reported(SearchResult result, WordProperties* properties) const {
  switch (result) {
    case SearchResult::kFound:
      properties->hitCount = static_cast<int32_t>(book->Hits().size());
      properties->itemSize = kDunmoorHeadingSize;
      return kDunmoorSuccess;
    case SearchResult::kReadFailed:
      return kDunmoorFailed;
    case SearchResult::kNotFound:
      break;
  }
  return kDunmoorRefused;
}

int32_t Library::GetWordItem(int32_t index, WordItem* item) {
  if (!book) return kDunmoorFailed;
  const std::vector<HitRecord>& hits = book->Hits();
  if (index < 0 || static_cast<size_t>(index) >= hits.size() || !item || !item->text) return kDunmoorRefused;
  char* text = item->text;
  uint32_t got = 0;
  const uint32_t position = hits[static_cast<size_t>(index)].headingPosition;
  if (!book->TextFile().Seek(position) || !book->DiscCheck() ||
      !book->ReadNear(position, text, kDunmoorHeadingSize, &got)) {
    return kDunmoorFailed;
  }
  // A heading ends with its newline code 1F 0A: the 0x1F becomes the end of the string. The
  // heading of a full-text hit is the entry's keyword, which ends at its end code 1F 61.
  std::memset(text + got, 0, kDunmoorHeadingSize - got);
  if (hits[static_cast<size_t>(index)].matchLength > 0) {
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
  return kDunmoorSuccess;
}

int32_t Library::GetSearchModes() const {
  if (!book) return kDunmoorFailed;
  int32_t modes = kDunmoorHeadwordSearch | kDunmoorFullTextSearch;
  if (KeywordIndexOf(book->Indexes())) modes |= kDunmoorKeywordSearch;
  return modes;
}

int32_t Library::SearchKeywords(char* key, WordProperties* properties) {
  if (!book) return kDunmoorFailed;
  if (!key || !properties) return kDunmoorRefused;
  fullText.Release();
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
    if (GetCharacterMap(path, sizeof path) == kDunmoorSuccess && file.Open(path) && file.Size(&size) && size <= kLargestMap) {
      std::string text(static_cast<size_t>(size), '\0');
      if (file.Read(text.data(), static_cast<uint32_t>(size), &got) && got == size)
        characters = std::make_unique<GaijiCharacters>(booktext::GaijiMap::Parse(text));
    }
  }
  return characters.get();
}

int32_t Library::BeginFullText(const char* key) {
  if (!book) return kDunmoorFailed;
  fullText.Release();
  book->Hits().clear();
  if (!key) return kDunmoorRefused;
  JisChars word = FullTextWordOf(CharactersOf(key));
  if (word.empty()) return kDunmoorRefused;
  fullText.Begin(std::move(word), BookCharacters(), book.get());
  return kDunmoorSuccess;
}

int32_t Library::NextFullText(WordProperties* properties) {
  if (!book) return kDunmoorFailed;
  if (!properties || !fullText.OwnsHits()) return kDunmoorRefused;
  FullTextScan::Step step = fullText.Next(book.get());
  properties->hitCount = static_cast<int32_t>(book->Hits().size());
  properties->itemSize = kDunmoorHeadingSize;
  if (step == FullTextScan::Step::kReadFailed) return kDunmoorFailed;
  if (step == FullTextScan::Step::kGoesOn) return kDunmoorGoesOn;
  return kDunmoorSuccess;
}

int32_t Library::GetHitMatch(int32_t index, uint32_t* position, uint32_t* length) const {
  DunmoorHit hit = {};
  if (!position || !length) return book ? kDunmoorRefused : kDunmoorFailed;
  int32_t result = GetHit(index, &hit);
  if (result != kDunmoorSuccess) return result;
  if (hit.matchLength == 0) return kDunmoorRefused;  // not a full-text hit
  *position = hit.matchPosition;
  *length = hit.matchLength;
  return kDunmoorSuccess;
}

int32_t Library::GetHit(int32_t index, DunmoorHit* hit) const {
  if (!book) return kDunmoorFailed;
  const std::vector<HitRecord>& hits = book->Hits();
  if (!hit || index < 0 || static_cast<size_t>(index) >= hits.size()) return kDunmoorRefused;
  const HitRecord& record = hits[static_cast<size_t>(index)];
  hit->textPosition = static_cast<int32_t>(record.textPosition);
  hit->headingPosition = static_cast<int32_t>(record.headingPosition);
  hit->matchPosition = record.matchPosition;
  hit->matchLength = record.matchLength;
  return kDunmoorSuccess;
}


namespace {

// At most this many slots are open at once: a shelf far larger than any collection.
constexpr size_t kMostBookSlots = 1000;

struct BookSlots {
  Library own;                                  // slot 0: the design's one catalog and book
  std::vector<std::unique_ptr<Library>> open;   // slot n is open[n - 1]; null once closed
};

BookSlots& Slots() {
  static BookSlots slots;
  return slots;
}

}  // namespace

Library& TheLibrary() { return Slots().own; }

Library* BookSlot(int32_t slot) {
  BookSlots& slots = Slots();
  if (slot == 0) return &slots.own;
  if (slot < 1 || static_cast<size_t>(slot) > slots.open.size()) return nullptr;
  return slots.open[static_cast<size_t>(slot) - 1].get();
}

int32_t OpenBookSlot(const char* root, int32_t index) {
  auto library = std::make_unique<Library>();
  if (library->OpenEpwing(root) != kDunmoorSuccess) return kDunmoorFailed;
  int32_t opened = library->BooksOpenAt(index);
  if (opened != kDunmoorSuccess) return opened;
  BookSlots& slots = Slots();
  for (size_t i = 0; i < slots.open.size(); ++i) {
    if (slots.open[i]) continue;
    slots.open[i] = std::move(library);
    return static_cast<int32_t>(i + 1);
  }
  if (slots.open.size() >= kMostBookSlots) return kDunmoorRefused;
  slots.open.push_back(std::move(library));
  return static_cast<int32_t>(slots.open.size());
}

int32_t CloseBookSlot(int32_t slot) {
  if (slot == 0 || !BookSlot(slot)) return kDunmoorRefused;
  Slots().open[static_cast<size_t>(slot) - 1].reset();
  return kDunmoorSuccess;
}

}  // namespace dunmoor
