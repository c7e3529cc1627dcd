// SPDX-License-Identifier: GPL-3.0-or-later
// Which help.txt the help command reads, and where the program's other
// installed files are.
#pragma once

#include <filesystem>
#include <string>

namespace app {

// The help.txt in the current directory when there is one (whatever it is:
// a file that cannot be read is still the one the user put there). Otherwise
// the copy installed with the program, found from `program_directory` the way
// the install lays them out (bin/ and share/nonlinear-equations/); a build
// tree mirrors that layout with a link to the repository's copy. When neither
// exists, "help.txt" again, so the failure names the current directory.
std::string HelpFilePath(const std::filesystem::path& program_directory);

// The same for the running program, whose directory the system reports.
std::string HelpFilePath();

// The folder of the files installed with the running program
// (share/nonlinear-equations beside its bin/, or the build tree's copy of
// that layout), whether or not it exists.
std::filesystem::path InstalledDataDirectory();

}  // namespace app
