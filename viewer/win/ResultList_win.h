// The headword list of the left pane: an owner-drawn list box with one empty item per hit.
// An item's headword is asked of the search that filled the list only when the item is painted.
#ifndef BRISVANE_VIEWER_WIN_RESULTLIST_WIN_H
#define BRISVANE_VIEWER_WIN_RESULTLIST_WIN_H

#include <windows.h>

#include <string>
#include <string_view>

#include "BookApi.h"
#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// What the list draws for an item: a label before it (a shelf hit's book, in brackets), a note
// (how a related hit was found: 食べる ← 食べた), its heading as the library gave it, and whether
// its book is the one open (its external characters are then drawn from that book's fonts, else
// as 〓).
struct ListedHeading {
  std::wstring label;
  std::wstring note;
  std::string heading;
  bool ownBook = false;
  bool unavailable = false;  // its book did not open: drawn greyed
};
// Where the list's headings come from: the search that filled it last.
class ListedHeadings {
 public:
  // Whether the items are the hits the library keeps for its own book (drawn only while the
  // frame says the book is open, FM_ISBOOKOPEN).
  virtual bool LibraryHits() const = 0;
  // Item index: kDunmoorSuccess with *heading filled; kDunmoorFailed when its book could not be
  // read (the frame is told, VM_VIEW_FAILED); anything else draws a blank item.
  virtual int32_t HeadingOf(int index, ListedHeading* heading) = 0;

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

  // source gives the headings; book draws the open book's external characters. Both stay valid
  // while the list exists.
  ResultList(ListedHeadings& source, const BookApi& book) : source(source), book(book) {}

  // pane: the left pane, the list's parent; frame: receives FM_SHOWITEM, VM_VIEW_TAB and
  // VM_VIEW_FAILED and answers FM_ISBOOKOPEN.
  bool Create(HWND pane, HWND frame);
  // The same over a list box that the pane made itself (owner-drawn, fixed height, with
  // strings): the pane then forwards WM_MEASUREITEM and WM_DRAWITEM to Measure and Draw.
  bool Attach(HWND listBox, HWND frame);
  HWND Hwnd() const { return list; }

  void Measure(MEASUREITEMSTRUCT& item) const { item.itemHeight = static_cast<UINT>(itemHeight); }
  void Draw(const DRAWITEMSTRUCT& item);

  // Messages of the pane that concern the list; true when handled (result in *result).
  bool HandlePaneMessage(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // No items, no selection, horizontal extent 0.
  void Reset();
  // count more empty items. Straight through the list box's own procedure: through the
  // subclasses on the list (SetWindowSubclass) every message costs a property look-up, which
  // under Wine is a round trip to its server, a second for 10,000 items.
  void Add(int count);
  // While one lives, the list repaints nothing; it is repainted whole when it ends.
  class Quiet {
   public:
    explicit Quiet(ResultList& list);
    ~Quiet();
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    HWND list;
  };

  // The headwords' size in percent of the design's (12 and 9 points), and the dots an inch of
  // the list's monitor: fonts and item height anew, the list repainted.
  void SetTextSize(int percent);
  void SetDpi(int dpi);
  // Light text on a dark ground, or the design's colours (as it starts).
  void SetDark(bool dark);
  // The colours and the text size of another list (the pop-up's list follows the main one's).
  void Follow(const ResultList& other);
  // The list's ground.
  HBRUSH Paper() const { return paperBrush.Get(); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeFonts();
  void MakeTextFonts();
  void UseTextFonts();
  void DrawHeadword(HDC dc, int index, const RECT& rect, COLORREF ink);
  // A heading as the library gives it, laid out from (left, top); its external characters from
  // the open book's fonts when ownBook, else 〓.
  void DrawHeading(HDC dc, std::string_view headword, int left, int top, COLORREF ink, bool ownBook);
  void DrawFocusFrame(HDC dc, const RECT& rect, HBRUSH brush);
  void FitToPane(HWND pane);
  // The widest item drawn so far reached x.
  void Widen(int x);
  // The list box is told the extent only while it exceeds the list's width (it then shows the
  // horizontal scroll bar): under Wine every change of the extent makes the list box show and
  // hide its scroll bar, a frame change each, ~4 ms.
  void TellExtent();

  ListedHeadings& source;
  const BookApi& book;
  HWND list = nullptr;
  HWND frame = nullptr;
  WNDPROC listProc = nullptr;  // the list box's own procedure (Add)
  int extent = 0;              // the widest item drawn since the list was emptied
  int extentTold = 0;          // what the list box was told
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
