// The window wrapper: messages reach the object from WM_NCCREATE on, the typed hooks and the
// command table get their messages, the object is forgotten at WM_NCDESTROY, and an exception
// thrown by a handler stays inside the window procedure.
#include "ui/CommandTable.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"UiWindowTest";
constexpr UINT kThrow = WM_APP + 1;

class Probe : public ui::Window {
 public:
  Probe() {
    commands.Add(42, [this](int code, HWND) { commandCodes.push_back(code); });
  }
  std::vector<UINT> seen;
  std::vector<int> commandCodes;
  int width = -1, height = -1;
  bool created = false, destroyed = false;
  ui::CommandTable commands;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == kThrow) throw std::runtime_error("handler failed");
    return Window::OnMessage(message, wParam, lParam);
  }
  ui::Handled OnCreate(const CREATESTRUCTW&) override {
    created = Hwnd() != nullptr;
    return ui::Done(0);
  }
  ui::Handled OnCommand(int id, int code, HWND control) override {
    return commands.Dispatch(id, code, control) ? ui::Done() : ui::NotHandled();
  }
  ui::Handled OnSize(UINT, int w, int h) override {
    width = w, height = h;
    return ui::Done();
  }
  ui::Handled OnDestroy() override {
    destroyed = true;
    return ui::NotHandled();
  }
  LRESULT OnUnexpectedException(UINT) override { return 77; }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::Window::RegisterClassOnce(GetModuleHandleW(nullptr), kClass, 0, nullptr, nullptr));
    ASSERT_TRUE(ui::Window::RegisterClassOnce(GetModuleHandleW(nullptr), kClass, 0, nullptr, nullptr));
    hwnd = probe.Create(GetModuleHandleW(nullptr), kClass, L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100,
                        nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  Probe probe;
  HWND hwnd = nullptr;
};

TEST_F(WindowTest, ObjectIsBoundFromTheFirstMessageToTheLast) {
  EXPECT_EQ(probe.Hwnd(), hwnd);
  EXPECT_TRUE(probe.created);
  ASSERT_FALSE(probe.seen.empty());
  EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
  DestroyWindow(hwnd);
  EXPECT_TRUE(probe.destroyed);
  EXPECT_EQ(probe.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(probe.Hwnd(), nullptr);
}

TEST_F(WindowTest, TypedHooksAndCommandTable) {
  SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(probe.width, client.right);
  EXPECT_EQ(probe.height, client.bottom);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(43, BN_CLICKED), 0);  // not in the table
  EXPECT_EQ(probe.commandCodes, std::vector<int>{BN_CLICKED});
}

TEST_F(WindowTest, ExceptionStaysInsideTheWindowProcedure) {
  EXPECT_EQ(SendMessageW(hwnd, kThrow, 0, 0), 77);
  EXPECT_EQ(SendMessageW(hwnd, WM_NULL, 0, 0), 0);  // and the window goes on working
}

}  // namespace
