// A book for the jobs' tests: it answers the library's calls from a list of hits and records
// which calls were made.
#ifndef SEARCH_TEST_FAKEBOOK_H
#define SEARCH_TEST_FAKEBOOK_H

#include <cstring>
#include <string>
#include <vector>

#include "BookCalls.h"

namespace search {

class FakeBook : public BookCalls {
 public:
  int32_t modes = kDunmoorHeadwordSearch | kDunmoorKeywordSearch | kDunmoorFullTextSearch;
  int32_t hits = 0;          // what a search finds
  int32_t countResult = 0;   // 0: 1 with hits, -2 without; else this result
  int32_t beginResult = kDunmoorSuccess;
  int pieces = 1;            // a scan finds its hits over this many pieces
  int failAtPiece = -1;      // the piece whose read fails
  int32_t failHeadingAt = -1;
  std::vector<std::string> calls;
  std::string lastKey;

  int32_t SearchModes() override { return modes; }
  int32_t GetWordProperties(char* key, WordProperties* properties) override { return Count("headword", key, properties); }
  int32_t SearchKeywords(char* key, WordProperties* properties) override { return Count("keyword", key, properties); }
  int32_t FullTextBegin(const char* key) override {
    calls.push_back("begin");
    lastKey = key;
    piece = 0;
    return beginResult;
  }
  int32_t FullTextNext(WordProperties* properties) override {
    calls.push_back("next");
    if (piece == failAtPiece) return kDunmoorFailed;
    ++piece;
    properties->hitCount = hits * std::min(piece, pieces) / pieces;
    return piece < pieces ? kDunmoorGoesOn : kDunmoorSuccess;
  }
  int32_t GetWordItem(int32_t index, WordItem* item) override {
    if (index < 0 || index >= hits) return kDunmoorRefused;
    if (index == failHeadingAt) return kDunmoorFailed;
    std::string heading = "H" + std::to_string(index);
    std::memset(item->text, 'x', kDunmoorHeadingSize);  // what lies past the heading's end
    std::memcpy(item->text, heading.c_str(), heading.size() + 1);
    return kDunmoorSuccess;
  }
  int32_t aroundPlace = 0;     // where the keys around a word put its place
  int32_t lastPosition = -1;  // and the text position and count asked for
  int32_t lastCount = -1;
  int32_t GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                         int32_t* place) override {
    lastPosition = textPosition;
    lastCount = count;
    *place = aroundPlace;
    return Count("around", key, properties);
  }
  int32_t GetHit(int32_t index, DunmoorHit* hit) override {
    if (index < 0 || index >= hits) return kDunmoorRefused;
    *hit = DunmoorHit{1000 + index, 2000 + index, 0, 0};
    return kDunmoorSuccess;
  }

 private:
  int32_t Count(const char* which, char* key, WordProperties* properties) {
    calls.push_back(which);
    lastKey = key;
    key[0] = '!';  // the library normalises the key in place
    if (countResult != 0) return countResult;
    properties->hitCount = hits;
    return hits > 0 ? kDunmoorSuccess : kDunmoorRefused;
  }
  int piece = 0;
};

}  // namespace search

#endif  // SEARCH_TEST_FAKEBOOK_H
