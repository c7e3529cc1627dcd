// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_file.h"

#include <system_error>

namespace app {

namespace {

constexpr const char* kName = "help.txt";

// Linux names the executable here, links resolved: a program started through
// a link in another directory still finds the copy installed beside it.
std::filesystem::path ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace

std::string HelpFilePath(const std::filesystem::path& program_directory) {
  namespace fs = std::filesystem;
  std::error_code error;
  // symlink_status: even a dangling link named help.txt is the user's file.
  if (fs::exists(fs::symlink_status(kName, error))) return kName;
  if (!program_directory.empty()) {
    const fs::path installed =
        (program_directory / NLE_HELP_DIR_FROM_PROGRAM / kName).lexically_normal();
    if (fs::exists(installed, error)) return installed.string();
  }
  return kName;
}

std::string HelpFilePath() {
  return HelpFilePath(ProgramDirectory());
}

std::filesystem::path InstalledDataDirectory() {
  return (ProgramDirectory() / NLE_HELP_DIR_FROM_PROGRAM).lexically_normal();
}

}  // namespace app
