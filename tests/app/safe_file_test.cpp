// SPDX-License-Identifier: GPL-3.0-or-later
// A set of files whose renames fail part-way: the files already renamed are
// put back, so the folder holds the old set, byte for byte, and nothing else
// but the lock file. (Every other failure is tested against the real
// writers in tests/ui/file_writing_test.cpp.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/safe_file.h"
#include "core/errors.h"

namespace app {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::ostringstream bytes;
    bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    contents[entry.path().filename().string()] = bytes.str();
  }
  return contents;
}

struct RenameCase {
  const char* name;
  int failing_rename;  // counted from 0
  bool key_is_new;     // the set had no answers.pdf before
};

class FileSetRenameTest : public ::testing::TestWithParam<RenameCase> {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("safe_file_test_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    SetFileCallsForTesting({});
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_P(FileSetRenameTest, PutsTheOldSetBack) {
  const RenameCase& test = GetParam();
  std::ofstream(folder_ / "answers.csv") << "old key";
  std::ofstream(folder_ / "variants.pdf") << "old tasks";
  if (!test.key_is_new) std::ofstream(folder_ / "answers.pdf") << "old printed key";
  std::map<std::string, std::string> before = Contents(folder_);
  before[std::string(kSetLockName)] = "";

  int renames = 0;
  FileCallsForTesting calls;
  calls.rename = [&](const char* from, const char* to) {
    if (renames++ == test.failing_rename) {
      errno = EIO;
      return -1;
    }
    return std::rename(from, to);
  };
  SetFileCallsForTesting(calls);
  try {
    WriteFileSet(
        folder_.string(),
        {{"answers.csv", "new key"}, {"variants.pdf", "new tasks"}, {"answers.pdf", "new"}});
    ADD_FAILURE() << "no error";
  } catch (const core::EFOpenError& error) {
    EXPECT_NE(error.Message().find("Input/output error"), std::string::npos) << error.Message();
  }
  EXPECT_EQ(Contents(folder_), before);
}

INSTANTIATE_TEST_SUITE_P(
    Renames, FileSetRenameTest,
    ::testing::Values(RenameCase{"First", 0, false}, RenameCase{"Second", 1, false},
                      RenameCase{"Last", 2, false}, RenameCase{"LastOfANewKey", 2, true},
                      RenameCase{"SecondBeforeANewKey", 1, true}),
    [](const ::testing::TestParamInfo<RenameCase>& info) { return info.param.name; });

}  // namespace
}  // namespace app
