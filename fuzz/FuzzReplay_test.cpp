// Replays every committed fuzz input through its target: the seeds, and the inputs that once
// found a fault (regressions/<target>/<fault>), so that those faults stay fixed in the ordinary
// test command. A fault aborts the test program (a sanitizer report or a failed check).
#include <gtest/gtest.h>

#include <filesystem>

#include "FuzzTargets.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

struct Target {
  const char* name;
  int (*run)(const uint8_t*, size_t);
};

const Target kTargets[] = {
    {"catalog", fuzz::FuzzCatalog}, {"search", fuzz::FuzzSearch}, {"text", fuzz::FuzzText},
    {"media", fuzz::FuzzMedia},     {"layout", fuzz::FuzzLayout}, {"keys", fuzz::FuzzKeys},
    {"writers", fuzz::FuzzWriters}, {"ebzip", fuzz::FuzzEbzip},   {"inputs", fuzz::FuzzInputs},
};

void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }

// Replays the files of folder (none is fine); returns how many there were.
int Replay(const Target& target, const fs::path& folder) {
  int count = 0;
  if (!fs::is_directory(folder)) return 0;
  for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
    if (!file.is_regular_file()) continue;
    SCOPED_TRACE(file.path().string());
    testfiles::Bytes bytes = testfiles::ReadFile(file.path());
    EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0);
    ++count;
  }
  return count;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, SeedsAndRegressionsRunClean) {
  const fs::path dir = DUNMOOR_FUZZ_DIR;
  EXPECT_GT(Replay(GetParam(), dir / "corpus" / GetParam().name), 0) << "no seed inputs";
  Replay(GetParam(), dir / "regressions" / GetParam().name);
}

TEST_P(FuzzReplay, EmptyAndTinyInputsRunClean) {
  const uint8_t bytes[] = {0x1F, 0x41, 0x01, 0x00, 0xFF};
  for (size_t n = 0; n <= sizeof bytes; ++n) EXPECT_EQ(GetParam().run(bytes, n), 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

}  // namespace
