// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <string>

#include "app/system_error.h"
#include "ui/command_line/command_line.h"

namespace ui {

namespace {

// Whether standard input, output and error were closed at the start.
std::array<std::atomic<bool>, 3> closed_at_start{};
// The first write's error code; 0 while every write succeeded.
std::atomic<int> first_failure{0};

bool WasClosed(int descriptor) {
  return descriptor >= 0 && descriptor < static_cast<int>(closed_at_start.size()) &&
         closed_at_start[static_cast<std::size_t>(descriptor)];
}

void Remember(int error_code) {
  int none = 0;
  first_failure.compare_exchange_strong(none, error_code);
}

}  // namespace

void GuardStandardStreams() {
  for (const int descriptor : {STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    const int null = ::open("/dev/null", O_WRONLY);
    if (null < 0) continue;
    if (null != descriptor) {
      ::dup2(null, descriptor);
      ::close(null);
    }
    closed_at_start[static_cast<std::size_t>(descriptor)] = true;
  }
}

void WriteOutput(std::FILE* stream, std::string_view text) noexcept {
  if (WasClosed(::fileno(stream))) {
    Remember(EBADF);
    return;
  }
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() || std::fflush(stream) != 0) {
    Remember(errno != 0 ? errno : EIO);
    std::clearerr(stream);
  }
}

int FinishOutput(int status) {
  const int failure = first_failure;
  if (failure == 0) return status;
  const std::string message =
      "nonlinear-equations: write error: " + app::SystemErrorText(failure) + "\n";
  // Told where it can be: standard error may be the stream that failed.
  if (!WasClosed(STDERR_FILENO)) {
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
  }
  return status == kExitSuccess ? kExitRunError : status;
}

}  // namespace ui
