// The word box on the toolbar: a drop-down combo whose edit takes the search word and whose
// list keeps the words searched in this run. Its keys are examined before the edit sees them.
#ifndef BRISVANE_VIEWER_WIN_WORDBOX_WIN_H
#define BRISVANE_VIEWER_WIN_WORDBOX_WIN_H

#include <windows.h>

#include <string>

#include "WordHistory.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class WordBox {
 public:
  WordBox() = default;
  WordBox(const WordBox&) = delete;
  WordBox& operator=(const WordBox&) = delete;

  // The toolbar (the combo's parent) is sent FM_WORDENTER (Enter with a word) and passes it
  // on to the frame; frame receives VM_VIEW_TAB 0 (Tab); Esc gives the
  // focus to escTarget when it is set.
  bool Create(HWND toolbar, int x, int y, HWND frame);
  // The same over a drop-down combo that the toolbar made itself.
  bool Attach(HWND comboBox, HWND frame);
  void SetEscTarget(HWND target) { escTarget = target; }

  HWND Combo() const { return combo; }
  HWND Edit() const { return edit; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void AddToHistory(const std::wstring& word);

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // True when the key was taken.
  bool OnKeyDown(WPARAM key);
  void OnEnter();

  HWND combo = nullptr;
  HWND edit = nullptr;
  HWND frame = nullptr;
  HWND escTarget = nullptr;
  WNDPROC editProc = nullptr;
  ui::UniqueFont font;
  viewer::WordHistory history;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_WORDBOX_WIN_H
