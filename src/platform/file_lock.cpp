#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/file_faults.h"
#include "platform/file_io.h"

namespace kz::platform {
namespace {

// Ok when the lock is held, or when the file system has no locks at all (some network file
// systems): the update then goes on unlocked, as it would have without this lock.
Status LockExclusive(int fd, const std::filesystem::path& file) {
  if (FileStepFails(FileStep::Lock)) return Status::FromErrno(errno, file);
  int rc;
  while ((rc = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (rc == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == EBADF) return {};
  return Status::FromErrno(errno, file);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

Result<FileUpdateLock> FileUpdateLock::Acquire(const std::filesystem::path& path) {
  const std::filesystem::path folder =
      path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  for (;;) {
    struct stat now {};
    if (stat(path.c_str(), &now) == 0) {
      // Open for writing where allowed: a network file system may grant an exclusive lock only
      // then. A file only readable still takes part (its replacement is refused later).
      auto fd = OpenRegularFile(path, O_RDWR);
      if (!fd && (fd.status().Is(Status::Kind::kPermissionDenied) ||
                  fd.status().Is(Status::Kind::kBusy))) {
        fd = OpenRegularFile(path, O_RDONLY);
      }
      if (!fd) {
        if (fd.status().error() == ENOENT) continue;  // replaced between stat and open
        return fd.status();
      }
      if (Status s = LockExclusive(fd->get(), path); !s) return s;
      struct stat locked {};
      // Still the file under this name? Else a writer replaced it while this one waited.
      if (fstat(fd->get(), &locked) == 0 && stat(path.c_str(), &now) == 0 &&
          SameFile(locked, now)) {
        return FileUpdateLock(std::move(*fd));
      }
      continue;
    }
    if (errno != ENOENT) return Status::FromErrno(errno, path);
    // No file yet: the folder stands in for it until one of the writers has created it.
    UniqueFd dir(FileStepFails(FileStep::Open)
                     ? -1
                     : open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) return Status::FromErrno(errno, folder);
    if (Status s = LockExclusive(dir.get(), folder); !s) return s;
    if (stat(path.c_str(), &now) != 0 && errno == ENOENT) return FileUpdateLock(std::move(dir));
  }
}

}  // namespace kz::platform
