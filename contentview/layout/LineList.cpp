#include "LineList.h"

namespace calvetta {

const LineRecord* LineList::Find(int32_t number) const {
  if (lines.empty() || number < lines.front().number || number > lines.back().number) return nullptr;
  return &lines[static_cast<size_t>(number - lines.front().number)];
}

LineRecord* LineList::Find(int32_t number) {
  return const_cast<LineRecord*>(static_cast<const LineList*>(this)->Find(number));
}

void LineList::Assign(std::vector<LineRecord> added, int32_t first) {
  lines.clear();
  for (LineRecord& line : added) {
    line.number = first++;
    lines.push_back(std::move(line));
  }
}

int32_t LineList::Prepend(std::vector<LineRecord> added) {
  int32_t number = FirstNumber();
  size_t count = added.size();
  for (auto it = added.rbegin(); it != added.rend(); ++it) {
    it->number = --number;
    lines.push_front(std::move(*it));
  }
  TrimTail(count);
  return FirstNumber();
}

void LineList::Append(std::vector<LineRecord> added) {
  int32_t number = LastNumber();
  size_t count = added.size();
  for (LineRecord& line : added) {
    line.number = ++number;
    lines.push_back(std::move(line));
  }
  TrimHead(count);
}

// Drops from the head, never the last `keep` lines: down to the limit, then at least one more,
// then on until the head begins a paragraph.
void LineList::TrimHead(size_t keep) {
  if (lines.size() <= limit) return;
  auto droppable = [&] { return lines.size() > keep; };
  while (lines.size() > limit && droppable()) lines.pop_front();
  if (droppable()) lines.pop_front();
  while (droppable() && lines.front().continuation) lines.pop_front();
}

// Drops from the tail, never the first `keep` lines: down to the limit, then at least one more,
// then on until the tail ends a paragraph (the line after it would not be a continuation).
void LineList::TrimTail(size_t keep) {
  if (lines.size() <= limit) return;
  auto droppable = [&] { return lines.size() > keep; };
  bool lastWasStart = false;  // the line just dropped began a paragraph
  while (lines.size() > limit && droppable()) {
    lastWasStart = !lines.back().continuation;
    lines.pop_back();
  }
  if (droppable()) {
    lastWasStart = !lines.back().continuation;
    lines.pop_back();
  }
  while (droppable() && !lastWasStart) {
    lastWasStart = !lines.back().continuation;
    lines.pop_back();
  }
}

}  // namespace calvetta
