#include "MediaPaths.h"

namespace media {

std::wstring TempWavePath(const std::wstring& tempDir) {
  std::wstring path = tempDir;
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path + L"\\temp.wav";
}

std::wstring CutSavePath(const std::wstring& path) {
  if (path.size() <= kMaxSavePath) return path;
  return path.substr(0, kMaxSavePath - 4) + L".bmp";
}

std::wstring SaveFileName(const std::wstring& caption) {
  std::wstring name;
  for (wchar_t c : caption) {
    if (c < 0x20 || c == 0x7F || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) continue;
    name += c;
  }
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\x3000' || c == L'.'; };
  size_t first = 0;
  while (first < name.size() && (name[first] == L' ' || name[first] == L'\x3000')) ++first;
  name.erase(0, first);
  if (name.size() > kMaxSaveName) name.resize(kMaxSaveName);
  // A surrogate pair cut in two would be no character.
  if (!name.empty() && name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
  while (!name.empty() && blank(name.back())) name.pop_back();
  return name.empty() ? L"*.bmp" : name + L".bmp";
}

}  // namespace media
