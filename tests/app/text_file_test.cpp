// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/text_file.h"
#include "core/errors.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A fresh directory that is also the current directory for one test.
class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    directory_ = fs::temp_directory_path() / ("text_file_test_" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    fs::current_path(directory_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(directory_);
  }
  static void Write(const std::string& name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
  }
  // The message of the EFOpenError that reading `name` raises.
  static std::string OpenErrorMessage(const std::string& name) {
    try {
      ReadTextFile(name, 1000);
    } catch (const core::EFOpenError& error) {
      return error.Message();
    }
    return "(no error)";
  }

  fs::path previous_;
  fs::path directory_;
};

TEST_F(TextFileTest, ReadsTheWholeContentByRelativeName) {
  const std::string content = "первая строка\r\nsecond\n\0third"s;
  Write("help.txt", content);
  EXPECT_EQ(ReadTextFile("help.txt", 1000), content);
  EXPECT_EQ(ReadTextFile((directory_ / "help.txt").string(), 1000), content);
}

TEST_F(TextFileTest, MissingFileNamesTheFullPathAndTheSystemsReason) {
  EXPECT_EQ(
      OpenErrorMessage("help.txt"),
      "Cannot open file \"" + (directory_ / "help.txt").string() + "\". No such file or directory");
  EXPECT_EQ(
      OpenErrorMessage("./sub/../help.txt"),
      "Cannot open file \"" + (directory_ / "help.txt").string() + "\". No such file or directory");
}

TEST_F(TextFileTest, ADirectoryCannotBeOpenedAsAFile) {
  fs::create_directory("help.txt");
  EXPECT_EQ(OpenErrorMessage("help.txt"),
            "Cannot open file \"" + (directory_ / "help.txt").string() + "\". Is a directory");
}

TEST_F(TextFileTest, AFileBeyondTheCapacityIsRefused) {
  Write("help.txt", std::string(10, 'x'));
  EXPECT_EQ(ReadTextFile("help.txt", 10), std::string(10, 'x'));
  try {
    ReadTextFile("help.txt", 9);
    FAIL() << "read a file beyond the capacity";
  } catch (const core::EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), "Text exceeds memo capacity");
  }
}

}  // namespace
}  // namespace app
