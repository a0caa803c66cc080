// The cache of laid-out lines: LineRecords in text order with consecutive numbers, limited in
// length. When lines added at one end push the count over the limit, lines are dropped from the
// other end down to the limit, then at least one more, and on until the list begins with the
// first line of a paragraph (dropping from the head) or ends with the last line of one (dropping
// from the tail). The list never drops the lines just added.
#ifndef CALVETTA_LAYOUT_LINELIST_H
#define CALVETTA_LAYOUT_LINELIST_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "LineRecord.h"

namespace calvetta {

class LineList {
 public:
  bool Empty() const { return lines.empty(); }
  size_t Count() const { return lines.size(); }
  const LineRecord& First() const { return lines.front(); }
  const LineRecord& Last() const { return lines.back(); }
  LineRecord& First() { return lines.front(); }
  LineRecord& Last() { return lines.back(); }
  int32_t FirstNumber() const { return lines.empty() ? 0 : lines.front().number; }
  int32_t LastNumber() const { return lines.empty() ? -1 : lines.back().number; }
  // The line with this number, or nullptr.
  const LineRecord* Find(int32_t number) const;
  LineRecord* Find(int32_t number);

  size_t Limit() const { return limit; }
  void SetLimit(size_t value) { limit = value; }

  void Clear() { lines.clear(); }
  // Replaces the list by `added`, numbered from `first`.
  void Assign(std::vector<LineRecord> added, int32_t first);
  // Puts `added` in front, numbered so that its last line is FirstNumber() - 1, then trims the
  // tail. Returns the number of the new first line.
  int32_t Prepend(std::vector<LineRecord> added);
  // Appends `added`, numbered on from LastNumber() + 1, then trims the head.
  void Append(std::vector<LineRecord> added);

 private:
  void TrimHead(size_t keep);
  void TrimTail(size_t keep);

  std::deque<LineRecord> lines;
  size_t limit = 512;
};

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_LINELIST_H
