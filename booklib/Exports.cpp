// The exported functions, under their plain names (Dunmoor.def). The design's forward to the
// process-wide Library, the slot-taking ones to the Library of their slot; no exception leaves
// the library (an allocation failure becomes the export's failure result).
#include <cstring>
#include <type_traits>

#include "Dunmoor.h"
#include "ExportGuard.h"
#include "Library.h"
#include "platform/PathText.h"

using dunmoor::TheLibrary;

using exportguard::Guarded;
using exportguard::GuardedVoid;

// The slot-taking exports: the same call on the library of a slot, -1 when none is open under
// its number.
namespace {

template <typename Call>
int32_t OnSlot(int32_t slot, Call call) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    dunmoor::Library* library = dunmoor::BookSlot(slot);
    return library ? call(*library) : kDunmoorFailed;
  });
}

// A disc root of a design's export (the system code page) or of a wide one, in the library's
// own form for call; a root that is not text of its kind names no disc (-1). A null root goes
// on as null, which the call refuses.
bool LibraryPath(const char* root, std::string* path) { return dunmoor::PathFromSystemBytes(root, path); }
bool LibraryPath(const wchar_t* root, std::string* path) { return dunmoor::PathFromWide(root, path); }

template <typename Char, typename Call>
int32_t OnRoot(const Char* root, Call call) {
  std::string path;
  if (!root) return call(nullptr);
  return LibraryPath(root, &path) ? call(path.c_str()) : kDunmoorFailed;
}

// The open book's character map as the library spells its path; -1, -2 as epwGetCharacterMap.
int32_t CharacterMapPath(std::string* path) {
  char found[4 * kDunmoorMapPathSize];
  const int32_t result = TheLibrary().GetCharacterMap(found, sizeof found);
  if (result == kDunmoorSuccess) *path = found;
  return result;
}

int32_t BookProblem(const char* root, int32_t index, char* title) {
  if (!root) return kDunmoorFailed;
  if (index < 0) return static_cast<int32_t>(dunmoor::DiscKind(root));
  dunmoor::BookCatalog catalog;
  if (dunmoor::ReadCatalog(root, &catalog) != dunmoor::CatalogResult::kRead) return kDunmoorFailed;
  if (static_cast<size_t>(index) >= catalog.size()) return kDunmoorRefused;
  const dunmoor::CatalogRecord& record = catalog[static_cast<size_t>(index)];
  const dunmoor::UnreadableKind kind = dunmoor::BookKind(record);
  if (kind != dunmoor::UnreadableKind::kNone && title) std::memcpy(title, record.title, sizeof record.title);
  return static_cast<int32_t>(kind);
}

}  // namespace

extern "C" {

int32_t IsEpwBook(const char* root, char* title) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return dunmoor::Library::IsEpwBook(path, title); });
  });
}

int32_t OpenEpwing(const char* root) {
  return Guarded<int32_t>(kDunmoorFailed,
                          [&] { return OnRoot(root, [](const char* path) { return TheLibrary().OpenEpwing(path); }); });
}

int32_t IsEpwBookW(const wchar_t* root, char* title) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return dunmoor::Library::IsEpwBook(path, title); });
  });
}

int32_t OpenEpwingW(const wchar_t* root) {
  return Guarded<int32_t>(
      kDunmoorFailed, [&] { return OnRoot(root, [](const char* path) { return TheLibrary().OpenEpwing(path); }); });
}

void CloseEpwing(void) {
  GuardedVoid([] { TheLibrary().CloseEpwing(); });
}

int32_t epwGetBooks(void) {
  return Guarded<int32_t>(kDunmoorFailed, [] { return TheLibrary().GetBooks(); });
}

int32_t epwGetBookInfo(int32_t index, BookInfo* info) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().GetBookInfo(index, info); });
}

int32_t epwSelectBook(int32_t index) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().SelectBook(index); });
}

int32_t epwBooksOpen(void) {
  return Guarded<int32_t>(kDunmoorFailed, [] { return TheLibrary().BooksOpen(); });
}

int32_t epwBooksOpenAt(int32_t index) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().BooksOpenAt(index); });
}

int32_t epwGetCharacterMap(char* path, uint32_t size) {
  return Guarded<int32_t>(kDunmoorFailed, [&]() -> int32_t {
    std::string found, bytes;
    const int32_t result = CharacterMapPath(&found);
    if (result != kDunmoorSuccess) return result;
    if (!path || size == 0 || !dunmoor::PathToSystemBytes(found, &bytes) || bytes.size() >= size) return kDunmoorRefused;
    std::memcpy(path, bytes.c_str(), bytes.size() + 1);
    return kDunmoorSuccess;
  });
}

int32_t epwGetCharacterMapW(wchar_t* path, uint32_t size) {
  return Guarded<int32_t>(kDunmoorFailed, [&]() -> int32_t {
    std::string found;
    std::wstring wide;
    const int32_t result = CharacterMapPath(&found);
    if (result != kDunmoorSuccess) return result;
    if (!path || size == 0 || !dunmoor::PathToWide(found, &wide) || wide.size() >= size) return kDunmoorRefused;
    std::memcpy(path, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    return kDunmoorSuccess;
  });
}

void epwBooksClose(void) {
  GuardedVoid([] { TheLibrary().BooksClose(); });
}

int32_t epwGetWordProperties(char* key, WordProperties* properties) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().GetWordProperties(key, properties); });
}

int32_t epwGetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties, int32_t* place) {
  return Guarded<int32_t>(kDunmoorFailed,
                          [&] { return TheLibrary().GetWordsAround(key, textPosition, count, properties, place); });
}

int32_t epwGetWordItem(int32_t index, WordItem* item) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().GetWordItem(index, item); });
}

int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetWordCont(index, buffer, size, length); });
}

int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetWordContNext(buffer, size, length); });
}

int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetWordContLast(buffer, size, length); });
}

int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(0, [&] { return TheLibrary().Text().GetContLastNoSet(buffer, size, length); });
}

int32_t epwGetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetWordContent(index, buffer, size, length); });
}

int32_t epwGetNextContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetNextContentByWord(buffer, size, length); });
}

int32_t epwGetLastContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Text().GetLastContentByWord(buffer, size, length); });
}

int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Links().GetLinkContent(code, buffer, size, length); });
}

int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed,
                 [&] { return TheLibrary().Links().GetLinkContByPt(position, buffer, size, length); });
}

int32_t epwGetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed,
                 [&] { return TheLibrary().Links().GetLinkContentEntry(code, buffer, size, length); });
}

int32_t GetMenuHead(void) {
  return Guarded<int32_t>(kDunmoorFailed, [] { return TheLibrary().Links().GetMenuHead(); });
}

int32_t epwGetImageSize(const char* code, char* caption) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Pictures().GetImageSize(code, caption); });
}

int32_t epwGetImage(const char* code, char* buffer, int32_t* kind) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Pictures().GetImage(code, buffer, kind); });
}

int32_t epwGetSoundProp(const char* code, uint8_t* properties) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Sounds().GetSoundProp(code, properties); });
}

int32_t epwGetPcmSize(const char* code) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Sounds().GetPcmSize(code); });
}

int32_t epwGetPcmCont(const char* code, char* buffer) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().Sounds().GetPcmCont(code, buffer); });
}

int32_t epwGetSearchModes(void) {
  return Guarded<int32_t>(kDunmoorFailed, [] { return TheLibrary().GetSearchModes(); });
}

int32_t epwSearchKeywords(char* key, WordProperties* properties) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().SearchKeywords(key, properties); });
}

int32_t epwFullTextBegin(const char* key) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().BeginFullText(key); });
}

int32_t epwFullTextNext(WordProperties* properties) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().NextFullText(properties); });
}

int32_t epwGetHitMatch(int32_t index, uint32_t* position, uint32_t* length) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return TheLibrary().GetHitMatch(index, position, length); });
}

int32_t epwOpenBookSlot(const char* root, int32_t index) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return dunmoor::OpenBookSlot(path, index); });
  });
}

int32_t epwOpenBookSlotW(const wchar_t* root, int32_t index) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return dunmoor::OpenBookSlot(path, index); });
  });
}

int32_t epwCloseBookSlot(int32_t slot) {
  return Guarded<int32_t>(kDunmoorRefused, [&] { return dunmoor::CloseBookSlot(slot); });
}

int32_t epwGetBookProblem(const char* root, int32_t index, char* title) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return BookProblem(path, index, title); });
  });
}

int32_t epwGetBookProblemW(const wchar_t* root, int32_t index, char* title) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return OnRoot(root, [&](const char* path) { return BookProblem(path, index, title); });
  });
}

int32_t epwSlotGetSearchModes(int32_t slot) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.GetSearchModes(); });
}

int32_t epwSlotGetWordProperties(int32_t slot, char* key, WordProperties* properties) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.GetWordProperties(key, properties); });
}

int32_t epwSlotSearchKeywords(int32_t slot, char* key, WordProperties* properties) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.SearchKeywords(key, properties); });
}

int32_t epwSlotFullTextBegin(int32_t slot, const char* key) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.BeginFullText(key); });
}

int32_t epwSlotFullTextNext(int32_t slot, WordProperties* properties) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.NextFullText(properties); });
}

int32_t epwSlotGetWordItem(int32_t slot, int32_t index, WordItem* item) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.GetWordItem(index, item); });
}

int32_t epwSlotGetHit(int32_t slot, int32_t index, DunmoorHit* hit) {
  return OnSlot(slot, [&](dunmoor::Library& library) { return library.GetHit(index, hit); });
}

int32_t epwSlotGetWordsAround(int32_t slot, char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                              int32_t* place) {
  return OnSlot(slot, [&](dunmoor::Library& library) {
    return library.GetWordsAround(key, textPosition, count, properties, place);
  });
}

}  // extern "C"

// The export list of Dunmoor.h, from which callers make their function-pointer types, names
// the same types as the functions above.
#define DUNMOOR_CHECK_EXPORT(name, result, parameters) \
  static_assert(std::is_same<decltype(&::name), name##Proc>::value, #name " differs from its list entry");
DUNMOOR_EXPORTS(DUNMOOR_CHECK_EXPORT)
#undef DUNMOOR_CHECK_EXPORT
