#include "SearchPanel_win.h"

#include "ResultList_win.h"
#include "SearchCommand_win.h"
#include "SearchRules.h"
#include "ShelfSearch_win.h"
#include "WordBox_win.h"

namespace brisvane {

SearchPanel::SearchPanel()
    : wordBox(std::make_unique<WordBox>()),
      resultList(std::make_unique<ResultList>()),
      command(std::make_unique<SearchCommand>()) {}

SearchPanel::~SearchPanel() = default;

bool SearchPanel::CreateWordBox(HWND toolbar, int x, int y, HWND frame) {
  bool created = wordBox->Create(toolbar, x, y, frame);
  if (resultList->Hwnd()) wordBox->SetEscTarget(GetParent(resultList->Hwnd()));
  return created;
}

bool SearchPanel::CreateResultList(HWND listPane, HWND frame, const BookApi& book) {
  bool created = resultList->Create(listPane, frame, book);
  wordBox->SetEscTarget(listPane);
  return created;
}

bool SearchPanel::HandleListPaneMessage(HWND listPane, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT* result) {
  return resultList->HandlePaneMessage(listPane, message, wParam, lParam, result);
}

HWND SearchPanel::WordBoxWindow() const { return wordBox->Combo(); }
HWND SearchPanel::WordBoxEdit() const { return wordBox->Edit(); }
HWND SearchPanel::ResultListWindow() const { return resultList->Hwnd(); }

void SearchPanel::RunSearch(SearchSurroundings& around) { command->Run(around, *wordBox, *resultList); }

void SearchPanel::Preview(SearchSurroundings& around) { command->Preview(around, *wordBox, *resultList); }

void SearchPanel::RunShelfSearch(SearchSurroundings& around, ShelfSearch& shelf) {
  // The next search of the open book runs even for the same word: the list is the shelf's.
  command->ForgetLastWord();
  shelf.Run(around, *wordBox, *resultList);
}

void SearchPanel::SetListedHeadings(const ListedHeadings* source) { resultList->SetListedHeadings(source); }

void SearchPanel::SetTextSize(int percent) { resultList->SetTextSize(percent); }

void SearchPanel::SetDpi(int dpi) {
  wordBox->SetDpi(dpi);
  resultList->SetDpi(dpi);
}

void SearchPanel::SetDark(bool dark) { resultList->SetDark(dark); }

void SearchPanel::Reset() {
  resultList->Reset();
  wordBox->SetText(std::wstring());
  command->ForgetLastWord();
}

void SearchPanel::ForgetLastWord() { command->ForgetLastWord(); }

void SearchPanel::SetWord(const wchar_t* word) { wordBox->SetText(word ? word : L""); }

std::wstring SearchPanel::Word() const { return brisvane::SearchWord(wordBox->Text()); }

}  // namespace brisvane
