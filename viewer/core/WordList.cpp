#include "WordList.h"

namespace brisvane {

namespace {

constexpr std::string_view kOpen = "\xE3\x80\x90";   // 【
constexpr std::string_view kClose = "\xE3\x80\x91";  // 】
constexpr std::string_view kHeader = "Headword\tReading\tText\tBook";

// Text for one field: no tab or line break (they would split the line), blanks at the ends go.
std::string Field(std::string_view text) {
  std::string field;
  for (char c : text) field += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  const size_t first = field.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

// Cuts text to at most bytes, never inside a UTF-8 character.
std::string CutUtf8(std::string text, size_t bytes) {
  if (text.size() <= bytes) return text;
  size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

}  // namespace

WordCard MakeCard(std::string_view heading, std::string_view entryText, std::string_view book) {
  WordCard card;
  const size_t open = heading.find(kOpen);
  const size_t close = open == std::string_view::npos ? open : heading.find(kClose, open);
  if (close != std::string_view::npos) {
    card.reading = Field(heading.substr(0, open));
    card.headword = Field(heading.substr(open + kOpen.size(), close - open - kOpen.size()));
  }
  if (card.headword.empty()) {
    card.headword = Field(heading);
    card.reading.clear();
  }
  std::vector<std::string> lines;
  for (size_t at = 0; at < entryText.size() && lines.size() <= kCardLines;) {
    size_t end = entryText.find('\n', at);
    if (end == std::string_view::npos) end = entryText.size();
    std::string line = Field(entryText.substr(at, end - at));
    if (!line.empty()) lines.push_back(line);
    at = end + 1;
  }
  // The entry's first line is its heading: the card has it already.
  if (!lines.empty() && (lines.front() == Field(heading) || lines.front() == card.headword)) lines.erase(lines.begin());
  if (lines.size() > kCardLines) lines.resize(kCardLines);
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " / ") + line;
  card.text = Field(CutUtf8(text, kCardTextBytes));
  card.book = Field(book);
  return card;
}

std::string CardLine(const WordCard& card) {
  return Field(card.headword) + '\t' + Field(card.reading) + '\t' + Field(card.text) + '\t' + Field(card.book);
}

bool ParseCardLine(std::string_view line, WordCard* card) {
  std::vector<std::string> fields;
  size_t at = 0;
  for (;;) {
    const size_t tab = line.find('\t', at);
    fields.emplace_back(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at));
    if (tab == std::string_view::npos) break;
    at = tab + 1;
  }
  for (std::string& field : fields) field = Field(field);
  if (fields.size() != 4 || fields[0].empty()) return false;
  *card = {fields[0], fields[1], fields[2], fields[3]};
  return true;
}

std::string ExportText(const std::vector<WordCard>& cards) {
  std::string text(kHeader);
  text += "\r\n";
  for (const WordCard& card : cards) text += CardLine(card) + "\r\n";
  return text;
}

}  // namespace brisvane
