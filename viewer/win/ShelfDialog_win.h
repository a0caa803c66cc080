// The shelf dialog (本棚の設定): the shelf's books one a line, with a tick for those a shelf
// search covers, the short name shown beside their hits (edited in place: F2 or a second click),
// the title and the place. 追加 browses for a directory or drive and adds every usable book of
// it; 削除 takes the selected book off; 上へ and 下へ move it. A book whose disc does not open now
// (or did not in the last shelf search) is drawn grey.
#ifndef BRISVANE_VIEWER_WIN_SHELFDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_SHELFDIALOG_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "BookApi.h"
#include "ShelfBooks.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class ShelfDialog : public ui::Dialog {
 public:
  // missing: by book, those that did not open in the last shelf search.
  ShelfDialog(const BookApi& api, std::vector<ShelfBook> books, std::vector<bool> missing);

  // 1 with Books() as the user left them (OK), 0 when cancelled.
  INT_PTR Run(HWND owner);
  const std::vector<ShelfBook>& Books() const { return books; }

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Line {
    std::wstring title;  // empty while its disc does not open
    bool missing = false;
  };
  // Looks each book's disc up: its title, or that it does not open.
  void ReadTitles();
  void Fill(int select);
  // The ticks of the list into books.
  void TakeTicks();
  int Selected() const;
  void Add();
  void Remove();
  void Move(int by);
  INT_PTR OnNotify(const NMHDR& header);

  const BookApi& api;
  std::vector<ShelfBook> books;
  std::vector<bool> lastMissing;
  std::vector<Line> lines;  // beside books
  HWND list = nullptr;
  bool filling = false;
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SHELFDIALOG_WIN_H
