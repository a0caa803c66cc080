#include "ExportCalls.h"

namespace search {

int32_t LibraryModes(const DunmoorExports& api) {
  int32_t modes = kDunmoorHeadwordSearch;
  if (api.epwSearchKeywords && api.epwGetSearchModes) modes |= kDunmoorKeywordSearch;
  if (api.epwFullTextBegin && api.epwFullTextNext) modes |= kDunmoorFullTextSearch;
  return modes;
}

int32_t OwnBookCalls::SearchModes() {
  if (!api.epwGetSearchModes) return api.epwGetWordProperties ? int32_t{kDunmoorHeadwordSearch} : int32_t{kDunmoorFailed};
  const int32_t modes = api.epwGetSearchModes();
  return modes < 0 ? modes : modes & LibraryModes(api);
}

int32_t OwnBookCalls::GetWordProperties(char* key, WordProperties* properties) {
  return api.epwGetWordProperties ? api.epwGetWordProperties(key, properties) : kDunmoorFailed;
}

int32_t OwnBookCalls::SearchKeywords(char* key, WordProperties* properties) {
  return api.epwSearchKeywords ? api.epwSearchKeywords(key, properties) : kDunmoorRefused;
}

int32_t OwnBookCalls::FullTextBegin(const char* key) {
  return api.epwFullTextBegin ? api.epwFullTextBegin(key) : kDunmoorRefused;
}

int32_t OwnBookCalls::FullTextNext(WordProperties* properties) {
  return api.epwFullTextNext ? api.epwFullTextNext(properties) : kDunmoorRefused;
}

int32_t OwnBookCalls::GetWordItem(int32_t index, WordItem* item) {
  return api.epwGetWordItem ? api.epwGetWordItem(index, item) : kDunmoorFailed;
}

int32_t OwnBookCalls::GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                                     int32_t* place) {
  return api.epwGetWordsAround ? api.epwGetWordsAround(key, textPosition, count, properties, place) : kDunmoorRefused;
}

int32_t OwnBookCalls::GetHit(int32_t index, DunmoorHit* hit) {
  if (api.epwSlotGetHit) return api.epwSlotGetHit(0, index, hit);
  *hit = DunmoorHit{};
  if (api.epwGetHitMatch) api.epwGetHitMatch(index, &hit->matchPosition, &hit->matchLength);
  return kDunmoorSuccess;
}

bool SlotBookCalls::Bound(const DunmoorExports& api) {
  return api.epwOpenBookSlot && api.epwCloseBookSlot && api.epwSlotGetSearchModes && api.epwSlotGetWordProperties &&
         api.epwSlotSearchKeywords && api.epwSlotFullTextBegin && api.epwSlotFullTextNext &&
         api.epwSlotGetWordItem && api.epwSlotGetHit;
}

int32_t SlotBookCalls::SearchModes() { return api.epwSlotGetSearchModes(slot); }

int32_t SlotBookCalls::GetWordProperties(char* key, WordProperties* properties) {
  return api.epwSlotGetWordProperties(slot, key, properties);
}

int32_t SlotBookCalls::SearchKeywords(char* key, WordProperties* properties) {
  return api.epwSlotSearchKeywords(slot, key, properties);
}

int32_t SlotBookCalls::FullTextBegin(const char* key) { return api.epwSlotFullTextBegin(slot, key); }

int32_t SlotBookCalls::FullTextNext(WordProperties* properties) { return api.epwSlotFullTextNext(slot, properties); }

int32_t SlotBookCalls::GetWordItem(int32_t index, WordItem* item) { return api.epwSlotGetWordItem(slot, index, item); }

int32_t SlotBookCalls::GetHit(int32_t index, DunmoorHit* hit) { return api.epwSlotGetHit(slot, index, hit); }

int32_t SlotBookCalls::GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                                      int32_t* place) {
  return api.epwSlotGetWordsAround ? api.epwSlotGetWordsAround(slot, key, textPosition, count, properties, place)
                                   : kDunmoorRefused;
}

}  // namespace search
