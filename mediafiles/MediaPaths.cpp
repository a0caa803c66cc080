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

}  // namespace media
