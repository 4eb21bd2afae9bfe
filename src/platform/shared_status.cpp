#include "platform/shared_status.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/file_io.h"
#include "platform/system_dirs.h"
#include "platform/unique_fd.h"
#include "platform/user_id.h"

namespace kz::platform {
namespace {

// The block must be a regular file of this user that no one else may open.
Status CheckPrivate(const struct stat& st, const std::filesystem::path& path) {
  if (!S_ISREG(st.st_mode)) return NotRegularFile(path, st.st_mode);
  if (st.st_uid != CurrentUserId() || (st.st_mode & 077) != 0) {
    return Status::Error(Status::Kind::kNotOwned, path,
                         "not private to this user (another user's, or open to others)");
  }
  return {};
}

// Takes the holder's lock. True when this opener is alone (exclusive lock held), false when it
// shares the block (shared lock held).
Result<bool> LockAsHolder(int fd, const std::filesystem::path& path) {
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return Status::FromErrno(errno, path);
    // Blocks only while another opener holds the exclusive lock to zero the words.
    if (flock(fd, LOCK_SH) == 0) return false;
    if (errno != EINTR) return Status::FromErrno(errno, path);
  }
}

Status WrongSize(const std::filesystem::path& path, off_t size) {
  return Status::Error(
      Status::Kind::kCorrupt, path,
      "holds " + std::to_string(size) + " bytes, not " + std::to_string(SharedStatus::kSize));
}

}  // namespace

Result<SharedStatus> SharedStatus::Open() {
  const auto dir = RuntimeDirectory();
  if (!dir) return dir.status();
  return OpenAt(*dir / kName);
}

Result<SharedStatus> SharedStatus::OpenAt(const std::filesystem::path& path, ReserveFn reserve) {
  UniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.valid()) return Status::FromErrno(errno, path);
  struct stat st;
  if (fstat(fd.get(), &st) != 0) return Status::FromErrno(errno, path);
  if (Status s = CheckPrivate(st, path); !s) return s;

  const auto alone = LockAsHolder(fd.get(), path);
  if (!alone) return alone.status();
  // The size is read under the lock: an opener that is zeroing holds it exclusively.
  if (fstat(fd.get(), &st) != 0) return Status::FromErrno(errno, path);
  // Size 0 when alone: a new file, or one whose creator died before sizing it. Any other size is
  // not ours.
  if (st.st_size != static_cast<off_t>(kSize) && !(*alone && st.st_size == 0)) {
    return WrongSize(path, st.st_size);
  }
  // Also for a block that has its size already: a sized but sparse file (made by ftruncate) has
  // no blocks behind its bytes either.
  if (const int error = reserve(fd.get(), 0, kSize); error != 0) {
    // A new file stays empty, so that the next opener sizes it again rather than refusing it.
    if (*alone && st.st_size == 0) (void)ftruncate(fd.get(), 0);
    return Status::FromErrno(error, path);
  }

  auto map = Mapping::Shared(fd.get(), kSize, path);
  if (!map) return map.status();
  SharedStatus block(std::move(fd), std::move(*map));
  if (*alone) {
    // Every earlier holder has gone: whatever the words hold is stale.
    for (std::size_t i = 0; i < kWords; ++i) block.Store(i, 0);
    if (flock(block.fd_.get(), LOCK_SH) != 0) return Status::FromErrno(errno, path);
  }
  return block;
}

std::int32_t SharedStatus::Load(std::size_t word) const {
  return std::atomic_ref<std::int32_t>(Words()[word]).load();
}

void SharedStatus::Store(std::size_t word, std::int32_t value) {
  std::atomic_ref<std::int32_t>(Words()[word]).store(value);
}

}  // namespace kz::platform
