// The word box on the toolbar: a drop-down combo whose edit takes the search word and whose
// list keeps the last words that found something, from this run and earlier ones (the user's
// settings: "history", "Words"). Its keys are examined before the edit sees them.
#ifndef BRISVANE_VIEWER_WIN_WORDBOX_WIN_H
#define BRISVANE_VIEWER_WIN_WORDBOX_WIN_H

#include <windows.h>

#include <string>

#include "WordHistory.h"
#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The box is 150 × 150 (with its drop-down list) at 96 dots an inch.
constexpr int kWordBoxWidth = 150;
constexpr int kWordBoxHeight = 150;
constexpr wchar_t kHistoryKey[] = L"history";
constexpr wchar_t kHistoryValue[] = L"Words";

// The object handles the messages of the combo's edit box (a subclass of it).
class WordBox : private ui::Subclass {
 public:
  WordBox() = default;

  // The toolbar (the combo's parent) is sent FM_WORDENTER (Enter with a word) and passes it
  // on to the frame; frame receives VM_VIEW_TAB 0 (Tab; 1 for Shift+Tab); Esc gives the
  // focus to escTarget when it is set.
  bool Create(HWND toolbar, int x, int y, HWND frame);
  // The same over a drop-down combo that the toolbar made itself.
  bool Attach(HWND comboBox, HWND frame);
  void SetEscTarget(HWND target) { escTarget = target; }
  // Font and width for a monitor of dpi dots an inch.
  void SetDpi(int dpi);

  HWND Combo() const { return combo; }
  HWND Edit() const { return edit; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  // Puts word in the box and at the top of the history, which is written to the settings.
  void AddToHistory(const std::wstring& word);
  // The history as the settings keep it (done when the box is made).
  void LoadHistory();

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // True when the key was taken.
  bool OnKeyDown(WPARAM key);
  void OnEnter();

  HWND combo = nullptr;
  HWND edit = nullptr;
  HWND frame = nullptr;
  HWND escTarget = nullptr;
  ui::UniqueFont font;
  brisvane::WordHistory history;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_WORDBOX_WIN_H
