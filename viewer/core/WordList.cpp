#include "WordList.h"

#include "TabFields.h"

namespace brisvane {

namespace {

constexpr std::string_view kOpen = "\xE3\x80\x90";   // 【
constexpr std::string_view kClose = "\xE3\x80\x91";  // 】
constexpr std::string_view kHeader = "Headword\tReading\tText\tBook";

}  // namespace

WordCard MakeCard(std::string_view heading, std::string_view entryText, std::string_view book) {
  WordCard card;
  const size_t open = heading.find(kOpen);
  const size_t close = open == std::string_view::npos ? open : heading.find(kClose, open);
  if (close != std::string_view::npos) {
    card.reading = TabField(heading.substr(0, open));
    card.headword = TabField(heading.substr(open + kOpen.size(), close - open - kOpen.size()));
  }
  if (card.headword.empty()) {
    card.headword = TabField(heading);
    card.reading.clear();
  }
  std::vector<std::string> lines;
  for (size_t at = 0; at < entryText.size() && lines.size() <= kCardLines;) {
    size_t end = entryText.find('\n', at);
    if (end == std::string_view::npos) end = entryText.size();
    std::string line = TabField(entryText.substr(at, end - at));
    if (!line.empty()) lines.push_back(line);
    at = end + 1;
  }
  // The entry's first line is its heading: the card has it already.
  if (!lines.empty() && (lines.front() == TabField(heading) || lines.front() == card.headword)) lines.erase(lines.begin());
  if (lines.size() > kCardLines) lines.resize(kCardLines);
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " / ") + line;
  card.text = TabField(CutUtf8(text, kCardTextBytes));
  card.book = TabField(book);
  return card;
}

std::string CardLine(const WordCard& card) {
  return TabField(card.headword) + '\t' + TabField(card.reading) + '\t' + TabField(card.text) + '\t' + TabField(card.book);
}

bool ParseCardLine(std::string_view line, WordCard* card) {
  const std::vector<std::string> fields = SplitTabs(line);
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
