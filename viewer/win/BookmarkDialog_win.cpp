#include "BookmarkDialog_win.h"

#include <commdlg.h>

#include <string>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "UiFont_win.h"
#include "ui/UniqueHandle.h"
#include "ui/Utf8Text.h"

namespace brisvane {

namespace {

constexpr COLORREF kGrey = RGB(0x90, 0x90, 0x90);
constexpr DWORD kMostFileBytes = 8 << 20;
const wchar_t kFilter[] = L"しおりのファイル (*.txt;*.tsv)\0*.txt;*.tsv\0すべてのファイル (*.*)\0*.*\0";

LPARAM Packed(MarkAt at) {
  return static_cast<LPARAM>((static_cast<uint64_t>(at.folder) << 32) | static_cast<uint32_t>(at.mark + 1));
}

MarkAt Unpacked(LPARAM value) {
  const uint64_t bits = static_cast<uint64_t>(value);
  return {static_cast<size_t>(bits >> 32), static_cast<int>(static_cast<uint32_t>(bits)) - 1};
}

std::wstring MarkText(const Bookmark& mark) {
  std::wstring text = ui::FromUtf8(mark.heading);
  if (!mark.book.empty()) text += L"    (" + ui::FromUtf8(mark.book) + L")";
  return text;
}

HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::wstring& text, MarkAt at) {
  TVINSERTSTRUCTW item = {};
  item.hParent = parent;
  item.hInsertAfter = TVI_LAST;
  item.item.mask = TVIF_TEXT | TVIF_PARAM;
  item.item.pszText = const_cast<wchar_t*>(text.c_str());
  item.item.lParam = Packed(at);
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

// The file named in the common dialog; empty when cancelled.
std::wstring AskFile(HWND owner, bool save) {
  wchar_t path[MAX_PATH] = L"しおり.txt";
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!save) path[0] = L'\0';
  return (save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)) ? path : L"";
}

}  // namespace

INT_PTR BookmarkDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  AppState::ModalScope modal(app);
  return RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BOOKMARKS), owner) == 1 ? 1 : 0;
}

INT_PTR BookmarkDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  tree = GetDlgItem(Hwnd(), IDC_BOOKMARK_TREE);
  Fill(chosen);
  SetFocus(tree);
  return FALSE;
}

bool BookmarkDialog::DiscThere(const std::string& disc) {
  auto found = discs.find(disc);
  if (found == discs.end())
    found = discs.emplace(disc, GetFileAttributesW(ui::FromUtf8(disc).c_str()) != INVALID_FILE_ATTRIBUTES).first;
  return found->second;
}

void BookmarkDialog::Fill(MarkAt select) {
  filling = true;
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM selected = nullptr;
  const std::vector<BookmarkFolder>& folders = list.Folders();
  auto marksOf = [&](size_t f, HTREEITEM parent) {
    for (size_t m = 0; m < folders[f].marks.size(); ++m) {
      const MarkAt at{f, static_cast<int>(m)};
      HTREEITEM item = Insert(tree, parent, MarkText(folders[f].marks[m]), at);
      if (at == select) selected = item;
    }
  };
  for (size_t f = 1; f < folders.size(); ++f) {
    HTREEITEM folder = Insert(tree, TVI_ROOT, ui::FromUtf8(folders[f].name), {f, -1});
    if (MarkAt{f, -1} == select) selected = folder;
    marksOf(f, folder);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder));
  }
  marksOf(0, TVI_ROOT);
  if (!selected) selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (selected) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected));
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
  filling = false;
  const bool any = selected != nullptr;
  for (int button : {IDOK, IDB_BOOKMARK_REMOVE, IDB_BOOKMARK_UP, IDB_BOOKMARK_DOWN})
    EnableWindow(GetDlgItem(Hwnd(), button), any);
  EnableWindow(GetDlgItem(Hwnd(), IDB_BOOKMARK_RENAME), any && Selected().mark < 0);
  EnableWindow(GetDlgItem(Hwnd(), IDB_BOOKMARK_EXPORT), list.Count() > 0 || folders.size() > 1);
}

MarkAt BookmarkDialog::ItemPlace(HTREEITEM item) const {
  TVITEMW read = {};
  read.mask = TVIF_PARAM;
  read.hItem = item;
  if (!item || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read))) return {0, -1};
  return Unpacked(read.lParam);
}

MarkAt BookmarkDialog::Selected() const {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return item ? ItemPlace(item) : MarkAt{0, -1};
}

void BookmarkDialog::Changes(MarkAt select) {
  changed = true;
  Fill(select);
}

void BookmarkDialog::AddFolder() {
  const size_t folder = list.AddFolder("");
  Changes({folder, -1});
  SetFocus(tree);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  SendMessageW(tree, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
}

void BookmarkDialog::Remove() {
  const MarkAt at = Selected();
  if (at.mark < 0 && at.folder == 0) return;
  if (at.mark < 0 && !list.Folders()[at.folder].marks.empty()) {
    const std::wstring question = L"フォルダ [" + ui::FromUtf8(list.Folders()[at.folder].name) + L"] と、その " +
                                  std::to_wstring(list.Folders()[at.folder].marks.size()) +
                                  L" 件のしおりを削除しますか?";
    if (MessageBoxW(Hwnd(), question.c_str(), L"しおり", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
  }
  if (!list.Remove(at)) return;
  // The next item where it was, else the one before it.
  MarkAt next = at;
  if (at.mark < 0) next = {at.folder < list.Folders().size() ? at.folder : at.folder - 1, -1};
  else if (static_cast<size_t>(at.mark) >= list.Folders()[at.folder].marks.size()) next.mark = at.mark - 1;
  if (next.mark < 0 && next.folder == 0 && at.mark < 0) next = {0, 0};
  Changes(next);
}

void BookmarkDialog::Move(int by) {
  const MarkAt at = Selected();
  const MarkAt to = list.Move(at, by);
  if (!(to == at)) Changes(to);
  SetFocus(tree);
}

void BookmarkDialog::Say(const std::wstring& text) { SetDlgItemTextW(Hwnd(), IDT_BOOKMARK_STATUS, text.c_str()); }

void BookmarkDialog::Export() {
  const std::wstring path = AskFile(Hwnd(), true);
  if (path.empty()) return;
  const std::string text = list.ExportText();
  ui::UniqueFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool ok = out && WriteFile(out.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  Say(ok ? L"しおりを書き出しました (" + std::to_wstring(list.Count()) + L" 件)" : L"書き出せません: " + path);
}

void BookmarkDialog::Import() {
  const std::wstring path = AskFile(Hwnd(), false);
  if (path.empty()) return;
  ui::UniqueFile in(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size = {};
  if (!in || !GetFileSizeEx(in.Get(), &size) || size.QuadPart > kMostFileBytes) {
    Say(L"読み込めません: " + path);
    return;
  }
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && (!ReadFile(in.Get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr) ||
                        read != text.size())) {
    Say(L"読み込めません: " + path);
    return;
  }
  const int added = list.Import(text);
  if (added < 0) {
    Say(L"しおりのファイルではありません: " + path);
    return;
  }
  Say(L"しおりを読み込みました (" + std::to_wstring(added) + L" 件を追加)");
  Changes(Selected());
}

void BookmarkDialog::DragOver(LPARAM lParam) {
  TVHITTESTINFO hit = {};
  hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(Hwnd(), tree, &hit.pt, 1);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
}

void BookmarkDialog::Drop(LPARAM lParam) {
  dragging = false;
  ReleaseCapture();
  HTREEITEM target = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  // Dropped below every item: the end of the bookmarks outside the folders.
  const MarkAt to = target ? ItemPlace(target) : MarkAt{0, -1};
  const MarkAt now = list.MoveTo(dragged, to);
  if (!(now == dragged)) Changes(now);
}

INT_PTR BookmarkDialog::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != tree) return FALSE;
  switch (header.code) {
    case TVN_SELCHANGEDW:
      if (!filling) EnableWindow(GetDlgItem(Hwnd(), IDB_BOOKMARK_RENAME), Selected().mark < 0);
      return FALSE;
    case NM_DBLCLK:
      if (Selected().mark >= 0) PostMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
      return FALSE;
    case TVN_KEYDOWN:
      if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_DELETE) Remove();
      if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_F2)
        SendMessageW(tree, TVM_EDITLABELW, 0, SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      return FALSE;
    case TVN_BEGINLABELEDITW: {
      // Only a folder's name is edited.
      const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
      const bool folder = Unpacked(edit.item.lParam).mark < 0 && Unpacked(edit.item.lParam).folder > 0;
      if (folder) {
        if (HWND box = reinterpret_cast<HWND>(SendMessageW(tree, TVM_GETEDITCONTROL, 0, 0)))
          SendMessageW(box, EM_LIMITTEXT, kFolderNameBytes / 3, 0);
      }
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, folder ? FALSE : TRUE);
      return TRUE;
    }
    case TVN_ENDLABELEDITW: {
      // The name as the list keeps it is set here (the tree is not made anew inside its own
      // notification); the tree is told to keep its own text.
      const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
      const MarkAt at = Unpacked(edit.item.lParam);
      if (edit.item.pszText && list.RenameFolder(at.folder, ui::ToUtf8(edit.item.pszText))) {
        changed = true;
        std::wstring name = ui::FromUtf8(list.Folders()[at.folder].name);
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = edit.item.hItem;
        item.pszText = &name[0];
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        Say(L"");
      } else if (edit.item.pszText) {
        Say(L"その名前のフォルダがあるか、名前が空です");
      }
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, FALSE);
      return TRUE;
    }
    case TVN_BEGINDRAGW: {
      const MarkAt at = Unpacked(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.lParam);
      if (at.mark < 0) return FALSE;
      dragged = at;
      dragging = true;
      SetCapture(Hwnd());
      return FALSE;
    }
    case NM_CUSTOMDRAW: {
      auto& draw = const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(header));
      LRESULT result = CDRF_DODEFAULT;
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
      } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const Bookmark* mark = list.At(Unpacked(draw.nmcd.lItemlParam));
        if (mark && !DiscThere(mark->disc) && !(draw.nmcd.uItemState & CDIS_SELECTED)) draw.clrText = kGrey;
      }
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, result);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

INT_PTR BookmarkDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MOUSEMOVE:
      if (dragging) DragOver(lParam);
      return dragging ? TRUE : FALSE;
    case WM_LBUTTONUP:
      if (!dragging) return FALSE;
      Drop(lParam);
      return TRUE;
    case WM_CAPTURECHANGED:
      if (dragging && reinterpret_cast<HWND>(lParam) != Hwnd()) {
        dragging = false;
        SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
      }
      return FALSE;
    case WM_COMMAND:
      break;
    default:
      return FALSE;
  }
  switch (LOWORD(wParam)) {
    case IDB_BOOKMARK_FOLDER:
      AddFolder();
      return TRUE;
    case IDB_BOOKMARK_RENAME:
      SetFocus(tree);
      SendMessageW(tree, TVM_EDITLABELW, 0, SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      return TRUE;
    case IDB_BOOKMARK_REMOVE:
      Remove();
      return TRUE;
    case IDB_BOOKMARK_UP:
      Move(-1);
      return TRUE;
    case IDB_BOOKMARK_DOWN:
      Move(1);
      return TRUE;
    case IDB_BOOKMARK_EXPORT:
      Export();
      return TRUE;
    case IDB_BOOKMARK_IMPORT:
      Import();
      return TRUE;
    case IDOK: {
      // Enter while a folder's name is edited ends the edit.
      if (SendMessageW(tree, TVM_GETEDITCONTROL, 0, 0)) {
        SendMessageW(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
        return TRUE;
      }
      const MarkAt at = Selected();
      const bool marks = at.mark >= 0 || (at.folder < list.Folders().size() && !list.Folders()[at.folder].marks.empty());
      if (!marks) return TRUE;
      chosen = at;
      EndDialog(Hwnd(), 1);
      return TRUE;
    }
    case IDCANCEL:
      if (SendMessageW(tree, TVM_GETEDITCONTROL, 0, 0)) {
        SendMessageW(tree, TVM_ENDEDITLABELNOW, TRUE, 0);
        return TRUE;
      }
      chosen = Selected();
      EndDialog(Hwnd(), 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace brisvane
