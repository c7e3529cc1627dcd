// SPDX-License-Identifier: GPL-3.0-or-later
// What a piece of work done off the interface thread shares with the window
// that asked for it: a request to stop, which the work checks where it
// would have processed window messages, and reports of how far it got,
// which take the place of that message processing. Plain C++: the work
// (a comparison run, a strip of runs) knows nothing of threads or windows.
#pragma once

#include <atomic>
#include <functional>

namespace app {

// Raised inside the work when it was asked to stop. Not an error of the
// program: no error box shows it and no method's history keeps it.
struct JobCancelled {};

class JobControl {
 public:
  // Receives (done, total) on the work's thread.
  using ProgressSink = std::function<void(int done, int total)>;

  explicit JobControl(ProgressSink sink = {}) : sink_(std::move(sink)) {}
  JobControl(const JobControl&) = delete;
  JobControl& operator=(const JobControl&) = delete;

  // From any thread; the work stops at its next check.
  void Cancel() noexcept { cancelled_ = true; }
  bool Cancelled() const noexcept { return cancelled_; }
  // For the work: raises JobCancelled once Cancel was called.
  void CheckCancelled() const {
    if (cancelled_) throw JobCancelled{};
  }
  void Report(int done, int total) const {
    if (sink_) sink_(done, total);
  }

 private:
  std::atomic<bool> cancelled_{false};
  ProgressSink sink_;
};

}  // namespace app
