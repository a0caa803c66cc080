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

namespace brisvane {

namespace {

enum class WordKind { kNone, kJapanese, kLatin };

WordKind KindOf(wchar_t c) {
  const bool kana = (c >= 0x3041 && c <= 0x3096) || (c >= 0x309D && c <= 0x309F) || (c >= 0x30A1 && c <= 0x30FA) ||
                    (c >= 0x30FC && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F);
  const bool kanji = (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
                     c == 0x3005 || c == 0x3006 || c == 0x3007;
  if (kana || kanji) return WordKind::kJapanese;
  const bool ascii = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
  const bool wide = (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
  return ascii || wide ? WordKind::kLatin : WordKind::kNone;
}

}  // namespace

std::wstring EntryWord(std::wstring_view text) {
  const WordKind kind = text.empty() ? WordKind::kNone : KindOf(text[0]);
  if (kind == WordKind::kNone) return {};
  size_t end = 1;
  while (end < text.size()) {
    if (KindOf(text[end]) == kind) {
      ++end;
    } else if (kind == WordKind::kLatin && (text[end] == L'-' || text[end] == L'\'') && end + 1 < text.size() &&
               KindOf(text[end + 1]) == kind) {
      end += 2;
    } else {
      break;
    }
  }
  return std::wstring(text.substr(0, end));
}

}  // namespace brisvane
