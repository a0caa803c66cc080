#include "DirectoryLevels.h"

namespace brisvane {

std::wstring DirectoryItemText(const DirectoryItem& item) {
  std::wstring text;
  text += static_cast<wchar_t>(L'A' + item.depth);
  text += static_cast<wchar_t>(item.kind);
  return text + item.name;
}

bool ParseDirectoryItemText(const std::wstring& text, DirectoryItem* item) {
  if (text.size() < 2 || text[0] < L'A') return false;
  DirectoryKind kind = static_cast<DirectoryKind>(text[1]);
  if (kind != DirectoryKind::kSubdirectory && kind != DirectoryKind::kPathComponent) return false;
  item->depth = static_cast<int>(text[0] - L'A');
  item->kind = kind;
  item->name = text.substr(2);
  return true;
}

DirectoryLevels::DirectoryLevels(std::wstring path) : path(std::move(path)) {
  if (this->path.empty() || this->path.back() != L'\\') this->path += L'\\';
  size_t start = 0;
  for (size_t slash = this->path.find(L'\\'); slash != std::wstring::npos; slash = this->path.find(L'\\', start)) {
    components.push_back(this->path.substr(start, slash - start));
    start = slash + 1;
  }
}

std::vector<DirectoryItem> DirectoryLevels::Items(const std::vector<std::wstring>& subdirectories) const {
  std::vector<DirectoryItem> items;
  for (size_t i = 0; i < components.size(); ++i)
    items.push_back({static_cast<int>(i), DirectoryKind::kPathComponent, components[i]});
  for (const std::wstring& name : subdirectories)
    items.push_back({static_cast<int>(components.size()), DirectoryKind::kSubdirectory, name});
  return items;
}

std::wstring DirectoryLevels::PathOf(const DirectoryItem& item) const {
  size_t depth = static_cast<size_t>(item.depth);
  if (item.depth < 0) return {};
  if (item.kind == DirectoryKind::kSubdirectory) {
    if (depth != components.size() || item.name.empty()) return {};
    return path + item.name + L'\\';
  }
  if (depth >= components.size() || components[depth] != item.name) return {};
  std::wstring result;
  for (size_t i = 0; i <= depth; ++i) result += components[i] + L'\\';
  return result;
}

}  // namespace brisvane
