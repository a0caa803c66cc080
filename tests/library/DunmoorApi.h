// The library's exports as a table of functions. In the Windows build the table is bound by
// name from "Dunmoor.dll" with LoadLibrary and GetProcAddress, as the viewer binds it; natively
// it points at the functions linked into the test.
#ifndef DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
#define DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Dunmoor.h"

using DunmoorApi = DunmoorExports;

// Binds every export; false (with the missing name in *missing) when one is not there.
bool BindDunmoor(DunmoorApi* api, std::string* missing);

// Tests of searches through the exports: the library bound before each test, its book and
// catalog closed after it.
class BookApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    ASSERT_TRUE(BindDunmoor(&api, &missing)) << "cannot bind " << missing;
  }
  void TearDown() override {
    api.epwBooksClose();
    api.CloseEpwing();
  }
  // Loads the catalog of disc and opens its first usable book.
  void Open(const std::filesystem::path& disc) {
    std::string root = std::filesystem::path(disc).make_preferred().string();
    ASSERT_EQ(api.OpenEpwing(root.c_str()), 1) << root;
    ASSERT_EQ(api.epwBooksOpen(), 1) << root;
  }

  DunmoorApi api;
};

#endif  // DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
