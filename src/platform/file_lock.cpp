#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/file_faults.h"
#include "platform/file_io.h"

namespace kz::platform {
namespace {

// True when the lock is held, or when the file system has no locks at all (some network file
// systems): the update then goes on unlocked, as it would have without this lock.
bool LockExclusive(int fd) {
  if (FileStepFails(FileStep::Lock)) return false;
  int rc;
  while ((rc = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  return rc == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == EBADF;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

FileUpdateLock FileUpdateLock::Acquire(const std::filesystem::path& path) {
  const std::filesystem::path folder =
      path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  for (;;) {
    struct stat now {};
    if (stat(path.c_str(), &now) == 0) {
      // Open for writing where allowed: a network file system may grant an exclusive lock only
      // then. A file only readable still takes part (its replacement is refused later).
      UniqueFd fd = OpenRegularFile(path, O_RDWR);
      if (!fd.valid() && (errno == EACCES || errno == EROFS || errno == ETXTBSY)) {
        fd = OpenRegularFile(path, O_RDONLY);
      }
      if (!fd.valid()) {
        if (errno == ENOENT) continue;  // replaced between stat and open
        return {};
      }
      if (!LockExclusive(fd.get())) return {};
      struct stat locked {};
      // Still the file under this name? Else a writer replaced it while this one waited.
      if (fstat(fd.get(), &locked) == 0 && stat(path.c_str(), &now) == 0 && SameFile(locked, now)) {
        return FileUpdateLock(std::move(fd));
      }
      continue;
    }
    if (errno != ENOENT) return {};
    // No file yet: the folder stands in for it until one of the writers has created it.
    UniqueFd dir(FileStepFails(FileStep::Open)
                     ? -1
                     : open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid() || !LockExclusive(dir.get())) return {};
    if (stat(path.c_str(), &now) != 0 && errno == ENOENT) return FileUpdateLock(std::move(dir));
  }
}

}  // namespace kz::platform
