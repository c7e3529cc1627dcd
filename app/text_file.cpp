// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a text file whole. The file is opened for reading only and no lock
// is taken: Linux has no counterpart of "others may read but not write", and
// an advisory lock would keep out no writer. Nothing here may wait: the file
// is opened without blocking (a named pipe with no writer would otherwise
// hold open() until one comes), and anything but a regular file is refused
// before a byte is read (a pipe, a socket or a device can block a read or
// never end).
#include "app/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/system_error.h"
#include "core/errors.h"

namespace app {

namespace {

[[noreturn]] void RaiseOpenError(const std::string& name, int error_code) {
  throw core::EFOpenError("Cannot open file \"", ExpandFileName(name),
                          "\". " + SystemErrorText(error_code));
}

// Why a file that opened cannot be read as a text file, or 0 when it can.
int NotARegularFile(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return 0;
  return S_ISDIR(status.st_mode) ? EISDIR : EOPNOTSUPP;
}

// Closes the descriptor however the reading ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return descriptor_; }

 private:
  int descriptor_;
};

// Reads into `content` until it holds `limit` bytes or the file ends.
void ReadUpTo(int descriptor, std::size_t limit, std::string& content) {
  char buffer[65536];
  while (content.size() < limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit - content.size());
    const ssize_t got = ::read(descriptor, buffer, wanted);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      throw core::EStreamError("Stream read error");
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::string ExpandFileName(const std::string& name) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(name, error);
  if (error) return name;
  return full.lexically_normal().string();
}

std::string ReadTextFile(const std::string& name, std::size_t capacity) {
  const FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.Get() < 0) RaiseOpenError(name, errno);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) RaiseOpenError(name, errno);
  if (const int refusal = NotARegularFile(status)) RaiseOpenError(name, refusal);

  // One byte beyond the capacity tells a file that is too long.
  const std::size_t limit = capacity == SIZE_MAX ? capacity : capacity + 1;
  std::string content;
  content.reserve(std::min(limit, static_cast<std::size_t>(std::max<off_t>(status.st_size, 0))));
  ReadUpTo(file.Get(), limit, content);
  if (content.size() > capacity) throw core::EInvalidOperation("Text exceeds memo capacity");
  return content;
}

}  // namespace app
