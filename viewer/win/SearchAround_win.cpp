// 検索 → 前後の見出し: the headwords around the selected hit, in the order of the book's word
// index, 50 before and 50 after it, the hit selected; the list reads more keys on a side when its
// selection reaches that end or it is scrolled there, so that the reader can leaf through the
// book.
#include "Search_win.h"

#include <algorithm>

#include "AppState_win.h"
#include "AroundJob.h"
#include "BookSession_win.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "SearchKey.h"
#include "SearchRules.h"
#include "ui/ShiftJisText.h"
#include "ui/WideUnicode.h"

namespace brisvane {

namespace {

// The word of a headword search as the index holds it: no wildcard.
std::wstring IndexWord(std::wstring word) {
  for (wchar_t wildcard : {L'*', L'\uFF0A'}) word.erase(std::remove(word.begin(), word.end(), wildcard), word.end());
  return word;
}

}  // namespace

bool Search::AroundOffered() const {
  if (!job || running || !book.IsOpen() || around) return false;
  if (listedKind != search::SearchKind::kHeadword) return false;
  return SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0) >= 0;
}

void Search::Around() {
  if (!AroundOffered() || app.ModalBusy()) return;
  const int index = static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0));
  search::HitPlace place;
  if (job->Place(index, &place) != kDunmoorSuccess || place.book >= jobBooks.size()) return;
  // A related hit stands in the index under its own word.
  booktext::Relation how;
  std::u32string related;
  std::wstring word = job->Related(index, &how, &related) ? ui::Wide(related) : IndexWord(jobWord);
  if (word.empty() || !book.OpenPlace(jobBooks[place.book].place)) return;
  auto next = std::make_unique<search::AroundJob>(own, booktext::BuildSearchKey(ui::ToShiftJis(word)),
                                                  place.textPosition, search::kAroundFirst);
  search::AroundJob* listed = next.get();
  lastWord.clear();  // the next search runs, whatever its word
  Start(std::move(next), {{book.Place(), L""}}, true, word);
  around = listed;
  listedKind = search::SearchKind::kHeadword;
  int32_t total = 0;
  const SearchOutcome outcome = RunJob(&total);
  if (outcome == SearchOutcome::kReadError) {
    book.ReportReadError();
  } else if (outcome != SearchOutcome::kHits) {
    bars.SetStatusText(1, NoHitText().c_str());
    MessageBeep(MB_OK);
  } else {
    bars.SetStatusText(1, ResultCountText(total).c_str());
  }
}

void Search::MoreAround(int index) {
  if (!around || running) return;
  const bool before = index == 0 && around->MoreBefore();
  const bool after = index == around->Found() - 1 && around->MoreAfter();
  if (before || after) ReadMoreAround(index);
}

void Search::MoreAroundAtEdge(bool end) {
  if (!around || running || !(end ? around->MoreAfter() : around->MoreBefore())) return;
  ReadMoreAround(static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0)));
}

void Search::ReadMoreAround(int index) {
  // The same place with more keys on both sides.
  auto next = std::make_unique<search::AroundJob>(own, around->Key(), around->TextPosition(),
                                                  std::min<int32_t>(around->Count() + search::kAroundMore,
                                                                    kDunmoorMostAround));
  if (next->Count() == around->Count()) return;
  const int32_t shift = -around->Selected();
  const int top = static_cast<int>(SendMessageW(list.Hwnd(), LB_GETTOPINDEX, 0, 0));
  search::AroundJob* listed = next.get();
  job = std::move(next);
  around = listed;
  ResultList::Quiet quiet(list);
  list.Reset();
  if (RunAtOnce(*job, [this](int32_t count) { list.Add(count); }) != SearchOutcome::kHits) return;
  const int32_t moved = shift + around->Selected();
  SendMessageW(list.Hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top + moved), 0);
  if (index >= 0) SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index + moved), 0);
  bars.SetStatusText(1, ResultCountText(job->Found()).c_str());
}

}  // namespace brisvane
