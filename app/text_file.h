// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole text file by name.
#pragma once

#include <cstddef>
#include <string>

namespace app {

// The name expanded against the current directory.
std::string ExpandFileName(const std::string& name);

// Opens `name` (relative names against the current directory) for reading and
// returns its whole content. A file that cannot be opened raises EFOpenError
// "Cannot open file \"<full path>\". <system description>"; so does anything
// that is not a regular file ("Is a directory", and "Operation not supported"
// for a named pipe, a socket or a device), and neither opening nor reading ever
// waits for another process. A file of more than `capacity` bytes raises
// EInvalidOperation "Text exceeds memo capacity"; no file is read beyond that
// limit.
std::string ReadTextFile(const std::string& name, std::size_t capacity);

}  // namespace app
