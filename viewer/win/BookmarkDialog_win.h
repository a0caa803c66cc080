// The bookmarks' dialog (しおり): the folders, each with its bookmarks, then the bookmarks kept
// outside them, in a tree. 表示 (Enter, a double click) lists the chosen bookmark's folder in the
// result list and shows that bookmark; 新しいフォルダ, 名前の変更 (F2), 削除 (Del), 上へ and 下へ
// (Alt+U, Alt+N) and a drag with the mouse put the list in order; 書き出す and 読み込む write it to
// and merge it from a UTF-8 file. A bookmark whose disc is not there now is drawn grey.
#ifndef BRISVANE_VIEWER_WIN_BOOKMARKDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKMARKDIALOG_WIN_H

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "Bookmarks.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class AppState;

class BookmarkDialog : public ui::Dialog {
 public:
  // list: changed in place as the user changes it.
  BookmarkDialog(AppState& app, Bookmarks& list, MarkAt select) : app(app), list(list), chosen(select) {}

  // 1 when a bookmark or folder was chosen to be shown (Chosen()), 0 when the dialog was closed.
  INT_PTR Run(HWND owner);
  MarkAt Chosen() const { return chosen; }
  // Whether the list was changed.
  bool Changed() const { return changed; }

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The tree made anew from the list, select selected.
  void Fill(MarkAt select);
  MarkAt Selected() const;
  MarkAt ItemPlace(HTREEITEM item) const;
  void Changes(MarkAt select);
  void AddFolder();
  void Remove();
  void Move(int by);
  void Export();
  void Import();
  void Say(const std::wstring& text);
  INT_PTR OnNotify(const NMHDR& header);
  // The drag of a bookmark: the item under the mouse made the drop target, and the drop.
  void DragOver(LPARAM lParam);
  void Drop(LPARAM lParam);
  bool DiscThere(const std::string& disc);

  AppState& app;
  Bookmarks& list;
  MarkAt chosen;
  bool changed = false;
  bool filling = false;
  HWND tree = nullptr;
  bool dragging = false;
  MarkAt dragged;
  std::map<std::string, bool> discs;  // whether each disc's root is there
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKMARKDIALOG_WIN_H
