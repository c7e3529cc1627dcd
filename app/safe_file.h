// SPDX-License-Identifier: GPL-3.0-or-later
// Writing files whole or not at all. Every file the program writes (reports,
// variants and their answer key, CSV, PNG and SVG, printing to PDF) goes
// through here, so that every one of them keeps the same promises:
//
// - the new content goes to a temporary file in the target's own folder,
//   is flushed to the disk and only then renamed over the target, so a
//   failure at any point leaves the old file as it was, byte for byte;
// - a target that exists must be a regular file this process may write: a
//   named pipe, a device, a socket or a folder is refused before anything is
//   opened (renaming over it would replace it, and opening it could wait for
//   another process), and so is a file without write permission;
// - a replaced file keeps its permissions (and its owner, where the process
//   may set it); a symbolic link is followed and stays a link;
// - a failure raises EFOpenError "Cannot create file \"<path>\". <reason>",
//   the reason in the system's words ("No space left on device").
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// Writes `bytes` as the file `path` (the system's bytes of the name).
void WriteFileSafely(const std::string& path, std::string_view bytes);

// Raises the EFOpenError that writing `path` would raise for what is there
// now: a named pipe, a device, a socket, a folder, a file without write
// permission. A name that is free, or a regular file, passes. Opens nothing,
// so it never waits: for a dialog's check before anything opens the file.
void CheckWriteTarget(const std::string& path);

// Files that belong together, such as the variants and their answer key.
struct FileInSet {
  std::string name;  // in the set's folder
  std::string bytes;
};

// Writes the files into `folder` (which must exist) as one unit. The folder's
// lock file (kSetLockName) is held while the set is written, so two programs
// writing a set into one folder take turns and each set is whole; every file
// is written to its temporary before any is renamed, and should a rename
// fail, the files already renamed are put back. A failure leaves the old set
// whole.
void WriteFileSet(const std::string& folder, const std::vector<FileInSet>& files);
inline constexpr std::string_view kSetLockName = ".nonlinear-equations.lock";

// The calls that fail in ways a test cannot easily bring about: a write to a
// full disk, a rename that fails once others succeeded. A test puts failing
// ones in their place; an empty member is the system's call (write(2),
// rename(2)). Not for use while files are written on another thread.
struct FileCallsForTesting {
  std::function<ssize_t(int descriptor, const void* data, std::size_t size)> write;
  std::function<int(const char* from, const char* to)> rename;
};
void SetFileCallsForTesting(FileCallsForTesting calls);

}  // namespace app
