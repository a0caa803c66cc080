// Subclassed controls: the object attached last sees a message first and hands it down to the
// others and to the control; objects leave the chain in any order, the control keeps working,
// and its destruction lets every object go.
#include "ui/Subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 7;

class Tap : public ui::Subclass {
 public:
  Tap(char name, std::string* trace) : name(name), trace(trace) {}
  bool gone = false;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProbe) *trace += name;
    if (message == WM_SETTEXT) *trace += static_cast<char>(name - 'a' + 'A');
    return Default(message, wParam, lParam);
  }
  void OnControlGone() override { gone = true; }

 private:
  char name;
  std::string* trace;
};

HWND MakeEdit() {
  return CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring Text(HWND edit) {
  wchar_t text[64] = L"";
  GetWindowTextW(edit, text, 64);
  return text;
}

TEST(Subclass, TheLastAttachedSeesAMessageFirstAndTheControlLast) {
  HWND edit = MakeEdit();
  ASSERT_NE(edit, nullptr);
  std::string trace;
  Tap a('a', &trace), b('b', &trace);
  ASSERT_TRUE(a.Attach(edit));
  ASSERT_TRUE(b.Attach(edit));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one"));
  EXPECT_EQ(trace, "BA");
  EXPECT_EQ(Text(edit), L"one");  // the edit box's own handling ran

  // The first leaves while the second stays; then the second; the control goes on alone.
  a.Detach();
  SendMessageW(edit, kProbe, 0, 0);
  b.Detach();
  SendMessageW(edit, kProbe, 0, 0);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two"));
  EXPECT_EQ(trace, "BAb");
  EXPECT_EQ(Text(edit), L"two");
  EXPECT_TRUE(a.Attach(edit));  // and can be subclassed again
  SendMessageW(edit, kProbe, 0, 0);
  EXPECT_EQ(trace, "BAba");
  DestroyWindow(edit);
}

TEST(Subclass, DestroyingTheControlLetsEveryObjectGo) {
  HWND edit = MakeEdit();
  std::string trace;
  Tap a('a', &trace), b('b', &trace);
  a.Attach(edit);
  b.Attach(edit);
  DestroyWindow(edit);
  EXPECT_TRUE(a.gone);
  EXPECT_TRUE(b.gone);
  EXPECT_EQ(a.Control(), nullptr);
  EXPECT_EQ(b.Control(), nullptr);
  // A window made later, perhaps with the same handle, is nobody's.
  HWND other = MakeEdit();
  SendMessageW(other, kProbe, 0, 0);
  EXPECT_EQ(trace, "");
  DestroyWindow(other);
}

}  // namespace
