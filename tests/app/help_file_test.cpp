// SPDX-License-Identifier: GPL-3.0-or-later
// Which help.txt the help command reads, over the layouts it meets: a start
// beside the help, an installed program started elsewhere, and neither.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/help_file.h"

namespace app {
namespace {

namespace fs = std::filesystem;

struct Layout {
  const char* name;
  bool in_current_directory;
  bool installed;
  const char* expected;  // "installed" stands for the installed copy's path
};

class HelpFileTest : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    root_ = fs::temp_directory_path() / ("help_file_test_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "prefix" / "bin");
    fs::current_path(root_ / "work");
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }

  fs::path previous_;
  fs::path root_;
};

TEST_P(HelpFileTest, PrefersTheCurrentDirectoryThenTheInstalledCopy) {
  const Layout& layout = GetParam();
  const fs::path installed = root_ / "prefix" / "share" / "nonlinear-equations" / "help.txt";
  if (layout.in_current_directory) std::ofstream("help.txt") << "here";
  if (layout.installed) {
    fs::create_directories(installed.parent_path());
    std::ofstream(installed) << "installed";
  }
  const std::string expected =
      std::string(layout.expected) == "installed" ? installed.string() : layout.expected;
  EXPECT_EQ(HelpFilePath(root_ / "prefix" / "bin"), expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HelpFileTest,
                         testing::Values(Layout{"Both", true, true, "help.txt"},
                                         Layout{"OnlyHere", true, false, "help.txt"},
                                         Layout{"OnlyInstalled", false, true, "installed"},
                                         Layout{"Neither", false, false, "help.txt"}),
                         [](const testing::TestParamInfo<Layout>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace app
