#include "OutsideWords.h"

namespace brisvane {

namespace {

constexpr wchar_t kBlanks[] = L" \t\u3000";
constexpr wchar_t kLineEnds[] = L"\r\n";

std::wstring_view Trimmed(std::wstring_view text, std::wstring_view off) {
  const size_t first = text.find_first_not_of(off);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(off) - first + 1);
}

}  // namespace

std::wstring SelectedWord(std::wstring_view selection) {
  while (!selection.empty()) {
    const size_t end = selection.find_first_of(kLineEnds);
    std::wstring_view line = Trimmed(selection.substr(0, end), kBlanks);
    if (!line.empty()) return std::wstring(line);
    if (end == std::wstring_view::npos) break;
    selection.remove_prefix(end + 1);
  }
  return std::wstring();
}

std::wstring ClipboardWord(std::wstring_view text) {
  std::wstring_view word = Trimmed(text, L" \t\u3000\r\n");
  if (word.size() > kClipboardWordLimit || word.find_first_of(kLineEnds) != std::wstring_view::npos) return {};
  return std::wstring(word);
}

std::wstring CommandLineWord(const std::vector<std::wstring>& arguments) {
  std::wstring word;
  for (const std::wstring& argument : arguments) {
    std::wstring_view part = Trimmed(argument, kBlanks);
    if (part.empty()) continue;
    if (!word.empty()) word += L' ';
    word += part;
  }
  return word;
}

}  // namespace brisvane
