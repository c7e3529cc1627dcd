// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/background_job.h"

#include <QThread>

#include "core/floating_point_environment.h"
#include "ui/error_boundary.h"

namespace ui {

BackgroundJob::BackgroundJob(QObject* owner, Work work, Progress progress, Finished finished)
    : QObject(owner),
      work_(std::move(work)),
      progress_(std::move(progress)),
      finished_(std::move(finished)),
      control_([this](int done, int total) {
        done_ = done;
        total_ = total;
        // One report waits on the interface thread at a time, showing the
        // latest figures when it runs: a fast work cannot flood the queue.
        if (!progress_posted_.exchange(true))
          QMetaObject::invokeMethod(this, &BackgroundJob::ShowProgress, Qt::QueuedConnection);
      }) {
  thread_ = QThread::create([this] {
    core::EstablishFloatingPointEnvironment();
    try {
      work_(control_);
    } catch (const app::JobCancelled&) {
      cancelled_ = true;
    } catch (...) {
      error_ = std::current_exception();
    }
  });
  thread_->setParent(this);
  // Queued: delivered by the interface thread's loop, after any progress
  // report the work posted before it ended.
  connect(thread_, &QThread::finished, this, &BackgroundJob::Deliver, Qt::QueuedConnection);
  thread_->start();
}

BackgroundJob::~BackgroundJob() {
  control_.Cancel();
  thread_->wait();
}

void BackgroundJob::Cancel() {
  control_.Cancel();
}

void BackgroundJob::ShowProgress() {
  progress_posted_ = false;
  if (running_ && progress_) Guarded([this] { progress_(done_, total_); });
}

void BackgroundJob::Deliver() {
  thread_->wait();
  running_ = false;
  // The owner may go while `finished` runs (it may close a window): nothing
  // of this object is touched after it.
  deleteLater();
  Guarded([finished = std::move(finished_), error = error_, cancelled = cancelled_] {
    finished(error, cancelled);
  });
}

}  // namespace ui
