// Words from outside the viewer: the system-wide key that looks up the text selected in the
// active program (copied through the clipboard, which is given back as it was), the clipboard
// watch that looks up each short text another program copies, and the word of a second start's
// command line, handed over with WM_COPYDATA. The key ("lookup", "HotKey": the hot-key control's
// form, the key in the low byte and HOTKEYF_ flags in the high one; 0 for none) and the watch
// ("lookup", "WatchClipboard") are the user's settings. Each word brings the window up and is
// looked up (FrameRouter::LookUp), but inside a dialog or message box of ours; or, as the user
// chose, shown in the look-up pop-up beside the word.
#ifndef BRISVANE_VIEWER_WIN_OUTSIDELOOKUP_WIN_H
#define BRISVANE_VIEWER_WIN_OUTSIDELOOKUP_WIN_H

#include <windows.h>

#include <string>

#include "ui/CommandTable.h"

namespace brisvane {

class AppState;
class FrameRouter;
class HostLink;
class LookupPopup;

class OutsideLookup {
 public:
  OutsideLookup(AppState& app, HostLink& host, FrameRouter& router, LookupPopup& popup)
      : app(app), host(host), router(router), popup(popup) {}

  static constexpr int kHotKeyId = 1;
  // Ctrl+Alt+L.
  static constexpr WORD kDefaultHotKey = MAKEWORD('L', 0x02 | 0x04);
  // WM_COPYDATA's dwData for a word of the command line (UTF-16, without its terminator).
  static constexpr ULONG_PTR kCommandLineWord = 0x42725764;

  // Registers the key and, when the user turned it on, the clipboard watch. False when another
  // program holds the key (the frame says so).
  bool Start(HWND frame);
  void Stop();
  // The clipboard watch's command; its check in the menu.
  void AddCommands(ui::CommandTable& commands);
  void UpdateMenu(HMENU menu) const;
  // The frame's messages of words from outside (WM_HOTKEY, WM_CLIPBOARDUPDATE, WM_COPYDATA,
  // FM_OUTSIDEWORD): true when handled, with *result.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  WORD HotKey() const { return hotKey; }
  // The key the settings name (the default without one), whether or not it could be had.
  WORD WantedHotKey() const { return wanted; }
  // The key's name as a user reads it ("Ctrl+Alt+L").
  static std::wstring HotKeyName(WORD key);
  // The message of string textId (its %ls the key's name) that says another program holds key.
  static std::wstring TakenText(UINT textId, WORD key);
  // Registers key instead of the one in force; false, with the old one kept, when another
  // program holds it. 0 turns the key off.
  bool ChangeHotKey(WORD key);

  bool WatchingClipboard() const { return watching; }
  void ToggleClipboardWatch();

  // WM_HOTKEY: the selected text of the active window, or empty.
  std::wstring TakeSelection();
  // WM_CLIPBOARDUPDATE: the new text, when another program put a short one on the clipboard
  // while the watch is on; otherwise empty.
  std::wstring TakeClipboardWord();

  // WM_COPYDATA: the word of a second start, or false for another kind of data.
  static bool ReadCommandLineWord(const COPYDATASTRUCT& data, std::wstring* word);
  // A second start hands its word to the viewer that runs.
  static bool SendCommandLineWord(HWND running, const std::wstring& word);

 private:
  bool Register(WORD key);
  // The window in front and the word looked up; nothing inside a dialog or message box of ours.
  void LookUp(const std::wstring& word);
  LRESULT OnCopyData(const COPYDATASTRUCT* data);

  AppState& app;
  HostLink& host;
  FrameRouter& router;
  LookupPopup& popup;
  HWND frame = nullptr;
  std::wstring secondStartWord;  // looked up once its sender has gone on
  WORD hotKey = 0;          // the key in force (registered), 0 for none
  WORD wanted = kDefaultHotKey;
  bool watching = false;
  bool grabbing = false;     // the clipboard changes of our own grab are not words
  DWORD ownChanges = 0;      // the clipboard's sequence number after our last grab
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_OUTSIDELOOKUP_WIN_H
