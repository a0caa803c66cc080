#include "Bookmarks_win.h"

#include "BookSession_win.h"
#include "BookmarkDialog_win.h"
#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "HeadwordLayout.h"
#include "Search_win.h"
#include "Settings_win.h"
#include "ShelfBooks.h"
#include "TabFields.h"
#include "ui/ShiftJisText.h"
#include "ui/Utf8Text.h"

namespace brisvane {

namespace {

constexpr wchar_t kListKey[] = L"bookmarks";
constexpr wchar_t kListValue[] = L"Marks";
constexpr int kEntryTextSize = 1024;
constexpr size_t kHeadingBytes = 200;

// The first line of text, its blanks at the ends gone, at most kHeadingBytes of whole characters.
std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  const size_t first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return CutUtf8(line.substr(first, line.find_last_not_of(' ') - first + 1), kHeadingBytes);
}

}  // namespace

Bookmarks ReadBookmarks() {
  std::vector<std::string> lines;
  for (const std::wstring& line : exchange::ReadUserList(kListKey, kListValue)) lines.push_back(ui::ToUtf8(line));
  return Bookmarks::FromLines(lines);
}

bool WriteBookmarks(const Bookmarks& list) {
  std::vector<std::wstring> lines;
  for (const std::string& line : list.Lines()) lines.push_back(ui::FromUtf8(line));
  return exchange::WriteUserList(kListKey, kListValue, lines);
}

void BookmarkCommands::AddCommands(ui::CommandTable& commands, const ui::Window& frameWindow) {
  frame = &frameWindow;
  commands.Add(IDM_BOOKMARK_ADD, [this](int, HWND) { AddShown(); });
  commands.Add(IDM_BOOKMARKS, [this](int, HWND) { OpenList(); });
}

bool BookmarkCommands::ShownMark(Bookmark* mark) {
  HWND view = content.ContentWindow();
  const LRESULT top = view ? SendMessageW(view, VM_VIEW_TOPAT, 0, 0) : -1;
  if (!book.IsOpen() || top < 0) return false;
  const BookPlace place = book.Place();
  mark->disc = ui::ToUtf8(place.path);
  mark->index = place.index;
  mark->position = static_cast<int32_t>(top);
  mark->book = ui::ToUtf8(book.Title());
  // Its heading: the list's, with the codes that draw it as the book does, while the pane shows
  // that hit's entry; else the first line of the entry the pane shows (after a reference was
  // followed, or the entries were stepped through).
  std::string text(kEntryTextSize, '\0');
  const LRESULT got = SendMessageW(view, VM_VIEW_ENTRYTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  const std::string shown = FirstLine(ui::ToUtf8(ui::FromShiftJis(text)));
  HWND list = search.ResultListWindow();
  const LRESULT selected = list ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
  ListedHeading heading;
  if (selected != LB_ERR && search.Headings().HeadingOf(static_cast<int>(selected), &heading) == kDunmoorSuccess &&
      heading.ownBook) {
    const std::string listed = FirstLine(ui::ToUtf8(ui::FromShiftJis(HeadwordText(heading.heading))));
    if (!listed.empty() && (shown.empty() || shown.find(listed) != std::string::npos)) {
      mark->heading = listed;
      mark->codes = heading.heading;
      return true;
    }
  }
  mark->heading = shown.empty() ? ui::ToUtf8(L"(見出しなし)") : shown;
  return true;
}

size_t BookmarkCommands::FolderForNext(const Bookmarks& list) const {
  for (size_t f = 1; f < list.Folders().size(); ++f)
    if (list.Folders()[f].name == lastFolder) return f;
  return 0;
}

void BookmarkCommands::AddShown() {
  Bookmark mark;
  if (!ShownMark(&mark)) {
    bars.SetStatusText(0, L"しおりを挟む項目がありません");
    return;
  }
  Bookmarks list = ReadBookmarks();
  const MarkAt kept = list.Find(mark);
  if (list.At(kept)) {
    bars.SetStatusText(0, (L"しおりがあります: " + ui::FromUtf8(list.At(kept)->heading)).c_str());
    return;
  }
  const size_t folder = FolderForNext(list);
  if (!list.Add(folder, mark)) {
    bars.SetStatusText(0, (L"しおりは " + std::to_wstring(kMostBookmarks) + L" 件までです").c_str());
    return;
  }
  const bool written = WriteBookmarks(list);
  const std::wstring where = folder > 0 ? L" [" + ui::FromUtf8(list.Folders()[folder].name) + L"]" : L"";
  bars.SetStatusText(0, written ? (L"しおりを挟みました" + where + L": " + ui::FromUtf8(mark.heading)).c_str()
                                : L"しおりを保存できません");
  lastChosen = {folder, static_cast<int>(list.Folders()[folder].marks.size()) - 1};
}

void BookmarkCommands::OpenList() {
  Bookmarks list = ReadBookmarks();
  BookmarkDialog dialog(app, list, lastChosen);
  const bool show = dialog.Run(frame->Hwnd()) == 1;
  if (dialog.Changed() && !WriteBookmarks(list)) bars.SetStatusText(0, L"しおりを保存できません");
  lastChosen = dialog.Chosen();
  if (lastChosen.folder < list.Folders().size()) lastFolder = list.Folders()[lastChosen.folder].name;
  if (!show || lastChosen.folder >= list.Folders().size()) return;
  // The chosen bookmark's folder in the list, that bookmark shown.
  std::vector<Search::KeptEntry> entries;
  for (const Bookmark& mark : list.Folders()[lastChosen.folder].marks)
    entries.push_back({{ui::FromUtf8(mark.disc), mark.index}, ShortName(ui::FromUtf8(mark.book)), KeptHeading(mark),
                       mark.position});
  search.ListKept(entries, lastChosen.mark < 0 ? 0 : lastChosen.mark);
  SetFocus(search.ResultListWindow());
}

}  // namespace brisvane
