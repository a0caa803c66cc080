// The handle owners: moving hands the handle over, Detach releases it unclosed, and each
// handle is closed exactly once, by whoever owns it last.
#include "ui/UniqueHandle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A fake handle kind that records every close.
std::vector<int> gClosed;
struct CountingTraits {
  using Handle = int;
  static Handle Invalid() { return 0; }
  static bool Close(Handle h) {
    gClosed.push_back(h);
    return h != 99;  // 99 plays a handle whose close fails
  }
};
using Counted = ui::UniqueHandle<CountingTraits>;

class UniqueHandleTest : public ::testing::Test {
 protected:
  void SetUp() override { gClosed.clear(); }
};

TEST_F(UniqueHandleTest, MoveHandsOverAndClosesOnce) {
  {
    Counted a(7);
    Counted b(std::move(a));
    EXPECT_FALSE(a.IsValid());
    EXPECT_EQ(b.Get(), 7);
    Counted c;
    c = std::move(b);
    EXPECT_EQ(c.Get(), 7);
    c = std::move(c);  // self-move keeps the handle
    EXPECT_EQ(c.Get(), 7);
    EXPECT_TRUE(gClosed.empty());
  }
  EXPECT_EQ(gClosed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, AssignmentClosesTheHandleHeldBefore) {
  Counted a(1), b(2);
  a = std::move(b);
  EXPECT_EQ(gClosed, std::vector<int>{1});
  a.Attach(3);
  EXPECT_EQ(gClosed, (std::vector<int>{1, 2}));
  EXPECT_EQ(a.Detach(), 3);
  EXPECT_FALSE(a);
  EXPECT_EQ(gClosed, (std::vector<int>{1, 2}));  // released, not closed
}

TEST_F(UniqueHandleTest, FailedCloseIsReportedAndNotRetried) {
  Counted a(99);
  EXPECT_FALSE(a.Close());
  EXPECT_FALSE(a.IsValid());
  EXPECT_TRUE(a.Close());  // nothing left to close
  EXPECT_EQ(gClosed, std::vector<int>{99});
}

TEST(UniqueHandleWin32, KernelHandleIsClosedWithItsOwner) {
  HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  {
    ui::UniqueKernelHandle owner(raw);
    ui::UniqueKernelHandle moved(std::move(owner));
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

TEST(UniqueHandleWin32, FileHandleKnowsItsInvalidValue) {
  ui::UniqueFile none(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none.IsValid());
  EXPECT_TRUE(none.Close());
}

TEST(UniqueHandleWin32, GdiObjectAndScopedSelection) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  ui::UniqueDc ownedDc(dc);
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  ui::UniqueBrush brush(raw);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
  {
    ui::ScopedSelectObject select(dc, brush.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), raw);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_TRUE(brush.Close());
  EXPECT_EQ(GetObjectType(raw), 0u);
  EXPECT_TRUE(ownedDc.Close());
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(UniqueHandleWin32, MenuIsDestroyedOnce) {
  HMENU raw = CreatePopupMenu();
  ASSERT_NE(raw, nullptr);
  ui::UniqueMenu menu(raw);
  ui::UniqueMenu other = std::move(menu);
  EXPECT_TRUE(IsMenu(raw));
  EXPECT_TRUE(other.Close());
  EXPECT_FALSE(IsMenu(raw));
}

TEST(UniqueHandleWin32, ModuleReferenceIsDroppedOnce) {
  // A system library this program has not loaded: one load, one free, and it is gone again.
  const wchar_t* name = nullptr;
  for (const wchar_t* candidate : {L"hid.dll", L"cabinet.dll", L"mapi32.dll", L"msimg32.dll"})
    if (!GetModuleHandleW(candidate)) {
      name = candidate;
      break;
    }
  ASSERT_NE(name, nullptr);
  HMODULE raw = LoadLibraryW(name);
  ASSERT_NE(raw, nullptr);
  {
    ui::UniqueModule module(raw);
    ui::UniqueModule moved(std::move(module));
    EXPECT_EQ(GetModuleHandleW(name), raw);
  }
  EXPECT_EQ(GetModuleHandleW(name), nullptr);
}

}  // namespace
