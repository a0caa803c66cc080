#include "BookTitle_win.h"

#include <windows.h>

#include "ShiftJis.h"

namespace brisvane {

namespace {

constexpr size_t kLibraryPathCapacity = 256;
constexpr UINT kShiftJisCodePage = 932;

}  // namespace

std::string ToLocalPath(const std::wstring& path) {
  if (path.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), &narrow[0], size, nullptr, nullptr);
  return narrow;
}

std::wstring FromLocalPath(const std::string& path) {
  if (path.empty()) return {};
  int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), &wide[0], size);
  return wide;
}

bool FindBookTitle(const BookApi& book, const std::wstring& path, std::wstring* title) {
  std::string narrow = ToLocalPath(path);
  if (narrow.empty() || narrow.size() >= kLibraryPathCapacity || !book.IsEpwBook) return false;
  char jis[kDunmoorTitleSize] = {};
  if (book.IsEpwBook(narrow.c_str(), jis) != 1) return false;
  jis[kDunmoorTitleSize - 1] = '\0';
  viewer::JisToSjisInPlace(jis, sizeof jis);
  wchar_t wide[kDunmoorTitleSize] = {};
  MultiByteToWideChar(kShiftJisCodePage, 0, jis, -1, wide, kDunmoorTitleSize);
  wide[kDunmoorTitleSize - 1] = L'\0';
  *title = wide;
  return true;
}

}  // namespace brisvane
