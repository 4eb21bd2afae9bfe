#include "platform/shared_status.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/system_dirs.h"
#include "platform/unique_fd.h"
#include "platform/user_id.h"

namespace kz::platform {
namespace {

bool IsPrivateRegularFile(const struct stat& st) {
  return S_ISREG(st.st_mode) && st.st_uid == CurrentUserId() && (st.st_mode & 077) == 0;
}

// Takes the holder's lock. Returns 1 when this opener is alone (exclusive lock held), 0 when it
// shares the block (shared lock held), -1 on failure.
int LockAsHolder(int fd) {
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return 1;
    if (errno != EWOULDBLOCK && errno != EINTR) return -1;
    // Blocks only while another opener holds the exclusive lock to zero the words.
    if (flock(fd, LOCK_SH) == 0) return 0;
    if (errno != EINTR) return -1;
  }
}

}  // namespace

std::unique_ptr<SharedStatus> SharedStatus::Open() {
  const std::filesystem::path dir = RuntimeDirectory();
  if (dir.empty()) return nullptr;
  return OpenAt(dir / kName);
}

std::unique_ptr<SharedStatus> SharedStatus::OpenAt(const std::filesystem::path& path,
                                                   ReserveFn reserve) {
  UniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) return nullptr;
  struct stat st;
  if (fstat(fd.get(), &st) != 0 || !IsPrivateRegularFile(st)) return nullptr;

  const int alone = LockAsHolder(fd.get());
  if (alone < 0) return nullptr;
  // The size is read under the lock: an opener that is zeroing holds it exclusively.
  if (fstat(fd.get(), &st) != 0) return nullptr;
  if (alone) {
    // Size 0: a new file, or one whose creator died before sizing it. Any other size is not ours.
    if (st.st_size != 0 && st.st_size != static_cast<off_t>(kSize)) return nullptr;
  } else if (st.st_size != static_cast<off_t>(kSize)) {
    return nullptr;
  }
  // Also for a block that has its size already: a sized but sparse file (made by ftruncate) has
  // no blocks behind its bytes either.
  if (reserve(fd.get(), 0, kSize) != 0) {
    // A new file stays empty, so that the next opener sizes it again rather than refusing it.
    if (alone && st.st_size == 0) (void)ftruncate(fd.get(), 0);
    return nullptr;
  }

  void* map = mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
  if (map == MAP_FAILED) return nullptr;
  auto* words = static_cast<std::int32_t*>(map);
  if (alone) {
    // Every earlier holder has gone: whatever the words hold is stale.
    for (std::size_t i = 0; i < kWords; ++i) std::atomic_ref<std::int32_t>(words[i]).store(0);
    if (flock(fd.get(), LOCK_SH) != 0) {
      munmap(map, kSize);
      return nullptr;
    }
  }
  return std::unique_ptr<SharedStatus>(new SharedStatus(fd.release(), words));
}

SharedStatus::~SharedStatus() {
  munmap(words_, kSize);
  close(fd_);
}

std::int32_t SharedStatus::Load(std::size_t word) const {
  return std::atomic_ref<std::int32_t>(words_[word]).load();
}

void SharedStatus::Store(std::size_t word, std::int32_t value) {
  std::atomic_ref<std::int32_t>(words_[word]).store(value);
}

}  // namespace kz::platform
