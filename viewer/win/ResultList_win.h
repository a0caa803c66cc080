// The headword list of the left pane: an owner-drawn list box with one empty item per hit.
// An item's headword is fetched from the book only when the item is painted.
#ifndef BRISVANE_VIEWER_WIN_RESULTLIST_WIN_H
#define BRISVANE_VIEWER_WIN_RESULTLIST_WIN_H

#include <windows.h>

#include <string>
#include <string_view>

#include "BookApi.h"
#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The headings of a list that is not the open book's hit list (a shelf search's): an item's
// label (its book's short name), its heading as the library gave it, and whether its book is
// the one open (its external characters are then drawn from that book's fonts, else as 〓).
struct ListedHeading {
  std::wstring label;
  std::string heading;
  bool ownBook = false;
};
class ListedHeadings {
 public:
  // False when the list is the open book's hits.
  virtual bool HeadingOf(int index, ListedHeading* heading) const = 0;

 protected:
  ~ListedHeadings() = default;
};

// The list's colours: paper and ink, the selection's, and a shelf hit's book name.
struct ListColours {
  COLORREF paper, ink, selection, selectedInk, label;
};

// The object handles the list box's messages (a subclass of it).
class ResultList : private ui::Subclass {
 public:
  ResultList() = default;
  ResultList(const ResultList&) = delete;
  ResultList& operator=(const ResultList&) = delete;

  // pane: the left pane, the list's parent; frame: receives FM_SHOWITEM, VM_VIEW_TAB and
  // VM_VIEW_FAILED and answers FM_ISBOOKOPEN. book stays valid while the list exists.
  bool Create(HWND pane, HWND frame, const BookApi& book);
  // The same over a list box that the pane made itself (owner-drawn, fixed height, with
  // strings): the pane then forwards WM_MEASUREITEM and WM_DRAWITEM to Measure and Draw.
  bool Attach(HWND listBox, HWND frame, const BookApi& book);
  HWND Hwnd() const { return list; }

  void Measure(MEASUREITEMSTRUCT& item) const { item.itemHeight = static_cast<UINT>(itemHeight); }
  void Draw(const DRAWITEMSTRUCT& item);

  // Messages of the pane that concern the list; true when handled (result in *result).
  bool HandlePaneMessage(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // No items, no selection, horizontal extent 0.
  void Reset();
  // count empty items (the open book's hits 0 .. count - 1), added with no repaint between them.
  void Fill(int count);
  // Where the headings come from while it holds them (nullptr: the open book's hits).
  void SetListedHeadings(const ListedHeadings* source) { listed = source; }

  // The headwords' size in percent of the design's (12 and 9 points), and the dots an inch of
  // the list's monitor: fonts and item height anew, the list repainted.
  void SetTextSize(int percent);
  void SetDpi(int dpi);
  // Light text on a dark ground, or the design's colours (as it starts).
  void SetDark(bool dark);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeFonts();
  void MakeTextFonts();
  void UseTextFonts();
  void DrawHeadword(HDC dc, int index, const RECT& rect, COLORREF ink);
  void DrawListedHeadword(HDC dc, const ListedHeading& item, const RECT& rect, COLORREF ink);
  // A heading as the library gives it, laid out from (left, top); its external characters from
  // the open book's fonts when ownBook, else 〓.
  void DrawHeading(HDC dc, std::string_view headword, int left, int top, COLORREF ink, bool ownBook);
  void DrawFocusFrame(HDC dc, const RECT& rect, HBRUSH brush);
  void FitToPane(HWND pane);

  HWND list = nullptr;
  HWND frame = nullptr;
  const BookApi* book = nullptr;
  const ListedHeadings* listed = nullptr;
  ui::UniqueFont font;       // 12 points at the normal size
  ui::UniqueFont smallFont;  // 9 points, sub- and superscripts
  ui::UniqueFont boldFont;   // 12 points, bold and italic as the book marks them
  ui::UniqueFont italicFont;
  ui::UniqueBrush focusBrush;
  ListColours colours{};
  ui::UniqueBrush paperBrush;
  ui::UniqueBrush selectionBrush;
  int itemHeight = 0;
  int textPercent = 100;
  int dpi = 0;  // the list's monitor's; 0 until the list is made
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_RESULTLIST_WIN_H
