#include "BookPaths_win.h"

#include <windows.h>

namespace brisvane {

namespace {
constexpr size_t kLibraryPathCapacity = 256;
}  // namespace

std::string SystemCodePagePath(const std::wstring& path) {
  if (path.empty()) return {};
  BOOL lossy = FALSE;
  const int length = static_cast<int>(path.size());
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), length, nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy || static_cast<size_t>(size) >= kLibraryPathCapacity) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), length, &bytes[0], size, nullptr, &lossy);
  return lossy ? std::string() : bytes;
}

int32_t IsBookAt(const BookApi& book, const std::wstring& root, char* title) {
  if (book.IsEpwBookW) return book.IsEpwBookW(root.c_str(), title);
  const std::string bytes = SystemCodePagePath(root);
  return bytes.empty() || !book.IsEpwBook ? kDunmoorFailed : book.IsEpwBook(bytes.c_str(), title);
}

int32_t OpenCatalogAt(const BookApi& book, const std::wstring& root) {
  if (book.OpenEpwingW) return book.OpenEpwingW(root.c_str());
  const std::string bytes = SystemCodePagePath(root);
  return bytes.empty() ? kDunmoorFailed : book.OpenEpwing(bytes.c_str());
}

int32_t OpenSlotAt(const BookApi& book, const std::wstring& root, int32_t index) {
  if (book.epwOpenBookSlotW) return book.epwOpenBookSlotW(root.c_str(), index);
  const std::string bytes = SystemCodePagePath(root);
  return bytes.empty() || !book.epwOpenBookSlot ? kDunmoorFailed : book.epwOpenBookSlot(bytes.c_str(), index);
}

int32_t BookProblemAt(const BookApi& book, const std::wstring& root, int32_t index, char* title) {
  if (book.epwGetBookProblemW) return book.epwGetBookProblemW(root.c_str(), index, title);
  const std::string bytes = SystemCodePagePath(root);
  return bytes.empty() || !book.epwGetBookProblem ? kDunmoorFailed : book.epwGetBookProblem(bytes.c_str(), index, title);
}

}  // namespace brisvane
