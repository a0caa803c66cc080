// The viewer's main window: toolbar with the word box, a splitter with the headword list and
// the content pane, a status bar. It owns the book state, runs the commands of the menu, the
// accelerators and the toolbar, and keeps the layers of references followed.
#ifndef BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H
#define BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BrisvaneView_win.h"
#include "ContentView_win.h"
#include "HostExchange_win.h"
#include "SearchFlow.h"
#include "SearchPanel_win.h"
#include "Splitter_win.h"
#include "ui/BoundLibrary.h"
#include "ui/CommandTable.h"
#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

extern const wchar_t kFrameClassName[];  // "TrevikBrisvane": how a running viewer is found

// The toolbar passes the word box's Enter on to the frame, and its focus to the word box.
class ToolbarRelay : public ui::Subclass {
 public:
  void Attach(HWND toolbar, HWND frameWindow) {
    frame = frameWindow;
    ui::Subclass::Attach(toolbar);
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND frame = nullptr;
};

class MainFrame : public ui::Window, public FrameForSearch {
 public:
  MainFrame();
  // Creates the frame hidden; the caller shows it.
  bool Create(HINSTANCE instance);

  // FrameForSearch.
  HWND FrameWindow() const override { return Hwnd(); }
  const BookApi& Book() const override { return book; }
  bool IsBookOpen() const override { return bookOpen; }
  void SetStatusText(int pane, const wchar_t* text) override;
  void BlankContent() override { contentView.Api().SetContentBlank(); }
  void ClearLayers() override;
  void GreyPreviousLayer() override;
  void ShowHit(int index) override;
  void ReportReadError() override;
  void ShowModalMessage(const wchar_t* text) override;
  bool& ModalBusy() override;
  bool& FocusWordBoxOnActivate() override;

  HWND WordBox() const { return wordBox; }
  HWND ResultList() const { return search.ResultListWindow(); }
  HWND ContentPane() const { return contentView.Hwnd(); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCreate(const CREATESTRUCTW& create) override;
  ui::Handled OnCommand(int id, int code, HWND control) override;
  ui::Handled OnNotify(const NMHDR& header) override;
  ui::Handled OnSize(UINT kind, int width, int height) override;
  ui::Handled OnDestroy() override;

 private:
  // Creation (MainFrame_win.cpp).
  bool CreateToolbar();
  // The design's sizes, in pixels of a 96-dots-an-inch screen, at the frame's resolution; and
  // everything sized so made anew when the frame moved to a monitor of another resolution.
  int Scaled(int designPixels) const;
  void SetToolbarPictures();
  void OnDpiChanged(int newDpi, const RECT& suggested);
  bool CreateStatusBar();
  bool CreatePanes();
  void AddCommands();
  void OnClose();
  void SetToolbarState(int command, BYTE state);

  // The book (MainFrameBook_win.cpp).
  void OnOpenBook();
  int OpenBook();
  int DetectBook();
  // Opens book bookIndex of the loaded catalog (the first usable one when that is -1, no
  // longer usable, or the library cannot open a book by its index). 1 or -1.
  int OpenChosenBook();
  // The open failed: the user is told, and nothing names the book that was open before.
  void ReportOpenFailure();
  void CloseBook();
  void SetBookTitle();
  void SetTitle(const std::wstring& title);

  // The exchange with the host product (MainFrameHost_win.cpp).
  bool OnExchangeMessage(UINT message, WPARAM wParam);
  LRESULT OnHostWord();
  void OnQuickLookup();
  void OnHostCommand(WPARAM command);
  bool HandOverBlocked();
  void BringUp();
  void HideByUser();
  void CloseForHost();
  void TakeHostWord(const std::wstring& word);

  // Commands (MainFrameCommands_win.cpp).
  bool IsCommandEnabled(int id) const;
  void UpdateMenu(HMENU menu);
  void ResetPanes();
  void Refresh();
  void ToggleListWidth();
  void PushLayer(int32_t position);
  void PreviousLayer();
  void ShowBookMenu();
  // The text size of the content view and the result list (percent of the design's), kept in
  // the settings ("view", "TextSize") when remember is set.
  void SetTextSize(int percent, bool remember);
  void Copy();
  void ContinuousSearch();
  void SearchCommand();
  void ShowItem(int index);
  void MoveFocus(WPARAM target);
  void ShowAbout();
  void ShowHelp();
  void ShowPromptFor(int id);

  // Title selection (MainFrameTitle_win.cpp).
  void SelectTitle();

  // The columns' ideal widths and the content's least, in pixels of a 96-dots-an-inch screen.
  static constexpr int kListColumnWidth = 200, kContentColumnWidth = 400, kContentColumnMinimum = 200;

  ui::CommandTable commands;
  SearchPanel search;  // the word box, the result list and the search itself
  Splitter splitter;
  BrisvaneView listView;
  ContentView contentView;
  int initialWidths[2] = {};
  int initialHeight = 0;
  bool bookOpen = false;
  int textSize = 100;  // percent
  HWND statusBar = nullptr;
  HWND toolbar = nullptr;
  ToolbarRelay toolbarRelay;
  HWND wordBox = nullptr;
  std::string bookPath;
  int32_t bookIndex = -1;  // catalog index of the book chosen or open; -1: the first usable
  bool screenToggled = false;
  int savedColumnWidths[2] = {};
  int selectedItem = 0;
  std::vector<int32_t> layerStack;  // most recent first
  ui::BoundLibrary<DunmoorExports> dunmoor;
  exchange::ExchangeMessages exchange;  // registered at creation
  const BookApi& book = dunmoor.Get();  // the bound functions, for short
  ui::UniqueFont uiFont;
  ui::UniqueImageList toolbarPictures;
  int dpi = 96;  // the frame's monitor's dots an inch
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H
