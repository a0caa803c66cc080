#include "EntryLookups_win.h"

#include "BookPaths_win.h"
#include "BookSession_win.h"
#include "JobRun.h"
#include "RelatedJob.h"
#include "SearchKey.h"
#include "SearchRules.h"
#include "ui/ShiftJisText.h"
#include "ui/WideUnicode.h"

namespace brisvane {

bool EntryLookups::OpenSlot() {
  if (slot) return true;
  const BookPlace place = book.Place();
  const BookApi& api = book.Api();
  if (!book.IsOpen() || !search::SlotBookCalls::Bound(api) || place.path.empty()) return false;
  const int32_t opened = OpenSlotAt(api, place.path, place.index);
  if (opened <= 0) return false;
  slot = std::make_unique<search::SlotBookCalls>(api, opened);
  slotPlace = place;
  return true;
}

bool EntryLookups::Run(Level* level) {
  std::string key;
  if (!ui::ToShiftJisExactly(level->word, &key) || !OpenSlot()) return false;
  level->job = std::make_unique<search::RelatedJob>(*slot, booktext::BuildSearchKey(key), ui::Unicode(level->word),
                                                    level->options, static_cast<size_t>(kMaxListItems));
  int32_t listed = 0;
  if (RunAtOnce(*level->job, [&listed](int32_t count) { listed += count; }) != SearchOutcome::kHits) return false;
  level->listed = listed;
  return true;
}

bool EntryLookups::Push(const std::wstring& word, const booktext::RelatedOptions& options) {
  if (word.empty()) return false;
  // Another book open now: the look-ups of the one before are over.
  if (slot && !(slotPlace == book.Place())) Clear();
  Level level;
  level.word = word;
  level.options = options;
  if (!Run(&level)) {
    // The slot's own hits are those of this search now: the level below reads them again.
    if (!levels.empty() && !Run(&levels.back())) levels.clear();
    return false;
  }
  levels.push_back(std::move(level));
  return true;
}

bool EntryLookups::Pop() {
  if (!levels.empty()) levels.pop_back();
  // Its hits read by number are the slot's, which the later search replaced: searched again.
  while (!levels.empty() && !Run(&levels.back())) levels.pop_back();
  return !levels.empty();
}

void EntryLookups::Clear() {
  levels.clear();
  if (slot) book.Api().epwCloseBookSlot(slot->Slot());
  slot.reset();
}

std::wstring EntryLookups::Word() const {
  if (levels.empty()) return {};
  const Level& level = levels.back();
  // Only a beginning of the word found something: that is the word looked up.
  booktext::Relation how;
  std::u32string found;
  if (level.job->Related(0, &how, &found) && how == booktext::Relation::kLeading) return ui::Wide(found);
  return level.word;
}

bool EntryLookups::Place(int index, search::HitPlace* place) const {
  return !levels.empty() && index >= 0 && index < levels.back().listed &&
         levels.back().job->Place(index, place) == kDunmoorSuccess;
}

int32_t EntryLookups::HeadingOf(int index, ListedHeading* heading) {
  if (levels.empty()) return kDunmoorRefused;
  Level& level = levels.back();
  const int32_t read = level.job->Heading(index, &heading->heading);
  if (read != kDunmoorSuccess) return read;
  booktext::Relation how;
  std::u32string word;
  heading->label.clear();
  heading->note = level.job->Related(index, &how, &word) ? ui::Wide(word) + L" \u2190 " + level.word : std::wstring();
  heading->ownBook = book.IsOpen() && book.Place() == slotPlace;
  return kDunmoorSuccess;
}

}  // namespace brisvane
