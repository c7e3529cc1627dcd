// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program does work off the interface thread: work that
// would hold the windows still (a solve of a long formula, a strip of a
// thousand runs) runs on a thread of its own while the windows go on
// answering.
//
// - The work runs with the program's floating-point environment, set on its
//   thread (the x87 control word belongs to a thread).
// - It reports how far it got through app::JobControl; the latest report
//   reaches `progress` on the interface thread.
// - Cancel() (the window's Escape, or its closing) makes the work raise
//   app::JobCancelled at its next check.
// - When it ends, `finished` runs on the interface thread inside the error
//   boundary, with the error the work ended in (if any) and whether it
//   stopped on request.
// - A job is a child of its owner. Destroyed with it, the job is cancelled
//   and waited for, and delivers nothing. Once it has delivered, it deletes
//   itself.
#pragma once

#include <QObject>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/job_control.h"

class QThread;

namespace ui {

class BackgroundJob : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<void(app::JobControl& control)>;
  using Progress = std::function<void(int done, int total)>;
  using Finished = std::function<void(std::exception_ptr error, bool cancelled)>;

  // Starts at once.
  BackgroundJob(QObject* owner, Work work, Progress progress, Finished finished);
  ~BackgroundJob() override;

  void Cancel();
  // Until `finished` has run.
  bool IsRunning() const { return running_; }

 private:
  void ShowProgress();
  void Deliver();

  Work work_;
  Progress progress_;
  Finished finished_;
  app::JobControl control_;
  std::atomic<int> done_{0};
  std::atomic<int> total_{0};
  std::atomic<bool> progress_posted_{false};
  // Written by the work's thread before it ends, read after it ended.
  std::exception_ptr error_;
  bool cancelled_ = false;
  bool running_ = true;
  QThread* thread_ = nullptr;
};

// A job whose work gives a result: `done` receives it on the interface
// thread, or nothing when the job was cancelled or failed; an error is then
// raised to the error boundary, which shows it as any command's error.
template <typename Result>
BackgroundJob* RunInBackground(QObject* owner, std::function<Result(app::JobControl&)> work,
                               BackgroundJob::Progress progress,
                               std::function<void(std::optional<Result>)> done) {
  auto result = std::make_shared<std::optional<Result>>();
  return new BackgroundJob(
      owner,
      [work = std::move(work), result](app::JobControl& control) {
        result->emplace(work(control));
      },
      std::move(progress),
      [done = std::move(done), result](std::exception_ptr error, bool cancelled) {
        if (error || cancelled || !result->has_value()) {
          done(std::nullopt);
          if (error) std::rethrow_exception(error);
          return;
        }
        done(std::move(*result));
      });
}

}  // namespace ui
