#include "RememberedPaths.h"

#include <algorithm>

namespace brisvane {

namespace {

constexpr size_t kDriveRootLength = 3;  // "D:\"

bool Keepable(const std::string& path) {
  return path.size() > kDriveRootLength && path.find(' ') == std::string::npos;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameDirectory(std::string a, std::string b) {
  if (!a.empty() && a.back() == '\\') a.pop_back();
  if (!b.empty() && b.back() == '\\') b.pop_back();
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::vector<std::string> SplitRememberedPaths(const std::string& value) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < value.size()) {
    size_t end = value.find(' ', start);
    if (end == std::string::npos) end = value.size();
    if (end - start > kDriveRootLength) pieces.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string BuildRememberedPaths(const std::vector<std::string>& listed, const std::string& chosen) {
  std::string value;
  std::vector<std::string> kept;
  for (const std::string& path : listed) {
    if (!Keepable(path)) continue;
    // One blank, the path and the closing NUL must fit.
    if (value.size() + path.size() + 2 > kRememberedPathsCapacity) break;
    value += ' ';
    value += path;
    kept.push_back(path);
  }
  bool known = std::any_of(kept.begin(), kept.end(), [&](const std::string& path) { return SameDirectory(path, chosen); });
  if (Keepable(chosen) && !known && value.size() + chosen.size() + 2 < kRememberedPathsCapacity) {
    value += ' ';
    value += chosen;
  }
  return value;
}

}  // namespace brisvane
