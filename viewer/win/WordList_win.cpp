#include "WordList_win.h"

#include <commdlg.h>

#include <string>

#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "HeadwordLayout.h"
#include "Search_win.h"
#include "Settings_win.h"
#include "ui/ShiftJisText.h"
#include "ui/UniqueHandle.h"
#include "ui/Utf8Text.h"

namespace brisvane {

namespace {

constexpr wchar_t kListKey[] = L"wordlist";
constexpr wchar_t kListValue[] = L"Cards";
constexpr size_t kMostCards = 5000;
constexpr int kEntryTextSize = 4096;

// The book's title as the frame's caption names it ("DUDAZA Zorari - TITLE").
std::string OpenTitle(HWND frame) {
  wchar_t caption[512] = L"";
  GetWindowTextW(frame, caption, 512);
  const std::wstring text = caption;
  const size_t dash = text.find(L" - ");
  return dash == std::wstring::npos ? std::string() : ui::ToUtf8(text.substr(dash + 3));
}

}  // namespace

void WordListCommands::AddCommands(ui::CommandTable& commands, const ui::Window& frameWindow) {
  frame = &frameWindow;
  commands.Add(IDM_WORDLIST_ADD, [this](int, HWND) { AddShown(); });
  commands.Add(IDM_WORDLIST_EXPORT, [this](int, HWND) { Export(); });
}

std::vector<WordCard> WordListCommands::Cards() const {
  std::vector<WordCard> cards;
  for (const std::wstring& line : exchange::ReadUserList(kListKey, kListValue)) {
    WordCard card;
    if (ParseCardLine(ui::ToUtf8(line), &card)) cards.push_back(card);
  }
  return cards;
}

void WordListCommands::AddShown() {
  HWND list = search.ResultListWindow();
  const LRESULT selected = list ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
  ListedHeading heading;
  HWND view = content.ContentWindow();
  if (selected == LB_ERR || !view || search.Headings().HeadingOf(static_cast<int>(selected), &heading) != kDunmoorSuccess) {
    bars.SetStatusText(0, L"単語帳に加える項目がありません");
    return;
  }
  std::string text(kEntryTextSize, '\0');
  const LRESULT got = SendMessageW(view, VM_VIEW_ENTRYTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  const std::string book = heading.label.empty() ? OpenTitle(frame->Hwnd()) : ui::ToUtf8(heading.label);
  const WordCard card = MakeCard(ui::ToUtf8(ui::FromShiftJis(HeadwordText(heading.heading))), ui::ToUtf8(ui::FromShiftJis(text)), book);
  std::vector<WordCard> cards = Cards();
  for (const WordCard& kept : cards)
    if (kept.headword == card.headword && kept.reading == card.reading && kept.book == card.book) {
      bars.SetStatusText(0, (L"単語帳にあります: " + ui::FromUtf8(card.headword)).c_str());
      return;
    }
  if (cards.size() >= kMostCards) cards.erase(cards.begin());
  cards.push_back(card);
  std::vector<std::wstring> lines;
  for (const WordCard& each : cards) lines.push_back(ui::FromUtf8(CardLine(each)));
  exchange::WriteUserList(kListKey, kListValue, lines);
  bars.SetStatusText(0, (L"単語帳に追加しました: " + ui::FromUtf8(card.headword) + L" (" +
                         std::to_wstring(cards.size()) + L" 語)").c_str());
}

void WordListCommands::Export() {
  const std::vector<WordCard> cards = Cards();
  if (cards.empty()) {
    bars.SetStatusText(0, L"単語帳は空です");
    return;
  }
  wchar_t path[MAX_PATH] = L"単語帳.txt";
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = frame->Hwnd();
  dialog.lpstrFilter = L"タブ区切りテキスト (*.txt;*.tsv)\0*.txt;*.tsv\0すべてのファイル (*.*)\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&dialog)) return;
  const std::string text = ExportText(cards);
  ui::UniqueFile out(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool ok = out && WriteFile(out.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  bars.SetStatusText(0, ok ? (L"単語帳を書き出しました (" + std::to_wstring(cards.size()) + L" 語)").c_str()
                           : (std::wstring(L"書き出せません: ") + path).c_str());
}

}  // namespace brisvane
