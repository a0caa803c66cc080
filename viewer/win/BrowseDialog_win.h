// The browse dialog (参照): the user walks drives and directories to a directory that holds a
// book. It shows the book's title for the current path and ends with OK only on a book.
#ifndef BRISVANE_VIEWER_WIN_BROWSEDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_BROWSEDIALOG_WIN_H

#include <windows.h>

#include <string>

#include "DirectoryList_win.h"
#include "DriveCombo_win.h"
#include "BookApi.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The dialog's private messages.
constexpr UINT BM_DIRENTER = WM_USER + 112;     // Enter in the path field (posted)
constexpr UINT BM_DIRCHANGED = WM_USER + 113;   // the directory list moved; lParam: the new path
constexpr UINT BM_DRIVEENTER = WM_USER + 114;   // Enter in the open drive list; lParam: the drive text
constexpr UINT BM_DIRACCEPT = WM_USER + 115;    // the innermost path item was chosen: as OK

class BrowseDialog : public ui::Dialog {
 public:
  // An empty startPath starts at the working directory.
  BrowseDialog(const BookApi& book, std::wstring startPath);

  // 1 when a directory with a book was chosen (Path()), 0 when cancelled.
  INT_PTR Run(HWND owner);
  const std::wstring& Path() const { return path; }

 private:
 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnEnterKey();
  void OnOk();
  void OnPathEntered();
  void OnDriveChosen(const std::wstring& drive);
  void OnListActivated();
  void UpdateTitle();
  void ShowMessage(const std::wstring& text) const;

  const BookApi& book;
  ui::UniqueFont font;  // the Japanese UI font of the dialog and its controls
  std::wstring path;
  DirectoryList directories;
  DriveCombo drives;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BROWSEDIALOG_WIN_H
