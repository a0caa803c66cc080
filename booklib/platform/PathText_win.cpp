#include "PathText.h"

#include <windows.h>

namespace dunmoor {

namespace {

bool WideFrom(UINT codePage, const std::string& bytes, std::wstring* wide) {
  wide->clear();
  if (bytes.empty()) return true;
  const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                       nullptr, 0);
  if (size <= 0) return false;
  wide->resize(static_cast<size_t>(size));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &(*wide)[0],
                             size) == size;
}

// UTF-8 takes every character; the system code page only some: a character it lacks would be
// written as a stand-in, and the path would name another file, or none.
bool BytesFrom(UINT codePage, const std::wstring& wide, std::string* bytes) {
  bytes->clear();
  if (wide.empty()) return true;
  const bool utf8 = codePage == CP_UTF8;
  BOOL lossy = FALSE;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const int size = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                       nullptr, utf8 ? nullptr : &lossy);
  if (size <= 0 || lossy) return false;
  bytes->resize(static_cast<size_t>(size));
  return WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &(*bytes)[0], size, nullptr,
                             utf8 ? nullptr : &lossy) == size &&
         !lossy;
}

}  // namespace

bool PathFromSystemBytes(const char* path, std::string* library) {
  std::wstring wide;
  return path && WideFrom(CP_ACP, path, &wide) && BytesFrom(CP_UTF8, wide, library);
}

bool PathToSystemBytes(const std::string& library, std::string* path) {
  std::wstring wide;
  return WideFrom(CP_UTF8, library, &wide) && BytesFrom(CP_ACP, wide, path);
}

bool PathFromWide(const wchar_t* path, std::string* library) { return path && BytesFrom(CP_UTF8, path, library); }

bool PathToWide(const std::string& library, std::wstring* path) { return WideFrom(CP_UTF8, library, path); }

}  // namespace dunmoor
