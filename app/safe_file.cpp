// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/safe_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "app/system_error.h"
#include "core/errors.h"

namespace app {

namespace {

// Temporary names stay well inside the 255 bytes a name may have.
constexpr std::size_t kLongestNamePart = 200;

FileCallsForTesting& TestCalls() {
  static FileCallsForTesting calls;
  return calls;
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, const std::string& reason) {
  throw core::EFOpenError("Cannot create file \"", path, "\". " + reason);
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, int error_code) {
  RaiseCannotCreate(path, SystemErrorText(error_code));
}

class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return descriptor_; }
  // Closes now, for the error that a network file system may report only here.
  int Close() { return ::close(std::exchange(descriptor_, -1)); }

 private:
  int descriptor_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a target that exists and is not a regular file is, for the message.
std::string KindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// The file a write is meant to replace, examined before anything is opened.
struct Target {
  std::string path;       // as the user named it, for the messages
  std::string real_path;  // a symbolic link followed: the file replaced
  std::optional<struct stat> existing;
};

Target Examine(const std::string& path) {
  Target target{path, path, std::nullopt};
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    // A new file: whether its folder takes one shows when the temporary is made.
    if (errno == ENOENT) return target;
    RaiseCannotCreate(path, errno);
  }
  if (S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (resolved == nullptr || ::stat(resolved.get(), &status) != 0) RaiseCannotCreate(path, errno);
    target.real_path = resolved.get();
  }
  if (S_ISDIR(status.st_mode)) RaiseCannotCreate(path, EISDIR);
  if (!S_ISREG(status.st_mode))
    RaiseCannotCreate(path, "Not a regular file: " + KindOf(status.st_mode));
  // The rename would succeed where only the folder is writable; the file's
  // own permission is what its owner set to keep it.
  if (::access(target.real_path.c_str(), W_OK) != 0) RaiseCannotCreate(path, errno);
  target.existing = status;
  return target;
}

void WriteAll(int descriptor, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const auto& test_write = TestCalls().write;
    const ssize_t written = test_write ? test_write(descriptor, bytes.data(), bytes.size())
                                       : ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) RaiseCannotCreate(path, errno);
    // write(2) gives 0 for a non-empty buffer only where there is no room.
    if (written == 0) RaiseCannotCreate(path, ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// A new file beside the target, holding the new content, flushed to the
// disk; removed again unless it replaces the target.
class Temporary {
 public:
  Temporary(const Target& target, std::string_view bytes) : target_(target) {
    Descriptor file(Create());
    try {
      WriteAll(file.Get(), bytes, target_.path);
      if (target_.existing) KeepAttributes(file.Get(), *target_.existing);
      if (::fsync(file.Get()) != 0 || file.Close() != 0) RaiseCannotCreate(target_.path, errno);
    } catch (...) {
      // No destructor runs for an object whose constructor failed.
      ::unlink(path_.c_str());
      throw;
    }
  }
  ~Temporary() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  // Takes the target's place; the error code when it cannot.
  int Replace() {
    const auto& test_rename = TestCalls().rename;
    const int renamed = test_rename ? test_rename(path_.c_str(), target_.real_path.c_str())
                                    : ::rename(path_.c_str(), target_.real_path.c_str());
    if (renamed != 0) return errno;
    path_.clear();
    return 0;
  }
  const Target& Of() const { return target_; }

 private:
  // O_EXCL under a name no other writer picks: the pid and a count.
  int Create() {
    static std::atomic<unsigned> count{0};
    const std::string stem = FolderOf(target_.real_path) + "/." +
                             NameOf(target_.real_path).substr(0, kLongestNamePart) + "." +
                             std::to_string(::getpid()) + "-";
    for (;;) {
      std::string candidate = stem + std::to_string(count++) + ".tmp";
      // 0666 less the umask: a new file gets the permissions any new file gets.
      const int descriptor =
          ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
      if (descriptor >= 0) {
        path_ = std::move(candidate);
        return descriptor;
      }
      if (errno != EEXIST) RaiseCannotCreate(target_.path, errno);
    }
  }

  // The replaced file's permissions; its owner and group where the process
  // may give them (root may; others keep their own).
  static void KeepAttributes(int descriptor, const struct stat& old) {
    if (::fchown(descriptor, old.st_uid, old.st_gid) != 0)
      (void)!::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid);
    (void)!::fchmod(descriptor, old.st_mode & 07777);
  }

  Target target_;
  std::string path_;
};

// The folder's lock, held from construction to destruction. A lock file of
// its own rather than the folder: flock on a folder's descriptor needs it
// opened, which a folder without read permission refuses.
class SetLock {
 public:
  explicit SetLock(const std::string& folder)
      : path_(folder + "/" + std::string(kSetLockName)),
        file_(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666)) {
    if (file_.Get() < 0) RaiseCannotCreate(path_, errno);
    struct stat status {};
    if (::fstat(file_.Get(), &status) != 0) RaiseCannotCreate(path_, errno);
    if (!S_ISREG(status.st_mode))
      RaiseCannotCreate(path_, "Not a regular file: " + KindOf(status.st_mode));
    while (::flock(file_.Get(), LOCK_EX) != 0) {
      if (errno != EINTR) RaiseCannotCreate(path_, errno);
    }
  }

 private:
  std::string path_;
  Descriptor file_;  // closing it releases the lock
};

// A second name for a file about to be replaced, so that it can come back;
// none where the file system has no hard links.
class Backup {
 public:
  explicit Backup(const Target& target) {
    if (!target.existing) return;
    static std::atomic<unsigned> count{0};
    const std::string stem = FolderOf(target.real_path) + "/." +
                             NameOf(target.real_path).substr(0, kLongestNamePart) + "." +
                             std::to_string(::getpid()) + "-old";
    for (;;) {
      std::string candidate = stem + std::to_string(count++);
      if (::link(target.real_path.c_str(), candidate.c_str()) == 0) {
        path_ = std::move(candidate);
        return;
      }
      if (errno != EEXIST) return;
    }
  }
  ~Backup() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  Backup(const Backup&) = delete;
  Backup& operator=(const Backup&) = delete;

  void Restore(const Target& target) {
    if (path_.empty()) {
      // The file was new: the set had none of that name.
      if (!target.existing) ::unlink(target.real_path.c_str());
      return;
    }
    if (::rename(path_.c_str(), target.real_path.c_str()) == 0) path_.clear();
  }

 private:
  std::string path_;
};

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
  Temporary temporary(Examine(path), bytes);
  if (const int error = temporary.Replace()) RaiseCannotCreate(path, error);
}

void CheckWriteTarget(const std::string& path) {
  Examine(path);
}

void WriteFileSet(const std::string& folder, const std::vector<FileInSet>& files) {
  const SetLock lock(folder);
  std::vector<std::unique_ptr<Temporary>> temporaries;
  for (const FileInSet& file : files)
    temporaries.push_back(
        std::make_unique<Temporary>(Examine(folder + "/" + file.name), file.bytes));
  std::vector<std::unique_ptr<Backup>> backups;
  for (const auto& temporary : temporaries)
    backups.push_back(std::make_unique<Backup>(temporary->Of()));
  for (std::size_t i = 0; i < temporaries.size(); ++i) {
    if (const int error = temporaries[i]->Replace()) {
      for (std::size_t done = 0; done < i; ++done) backups[done]->Restore(temporaries[done]->Of());
      RaiseCannotCreate(temporaries[i]->Of().path, error);
    }
  }
}

void SetFileCallsForTesting(FileCallsForTesting calls) {
  TestCalls() = std::move(calls);
}

}  // namespace app
