#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <random>
#include <string>

namespace kz::platform {
namespace {

std::mutex hook_mutex;
std::function<bool(int)> fault_hook;

// Runs the fault hook for the next step; true when the step is to fail (errno is then EIO).
class Steps {
 public:
  Steps() {
    std::lock_guard lock(hook_mutex);
    hook_ = fault_hook;
  }
  bool Fail() {
    if (hook_ && hook_(++step_)) {
      errno = EIO;
      return true;
    }
    return false;
  }

 private:
  std::function<bool(int)> hook_;
  int step_ = 0;
};

std::string TempName(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  thread_local std::mt19937 random{std::random_device{}()};
  return target.string() + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
         "-" + std::to_string(random() % 1000000);
}

// Renaming over a symbolic link would replace the link; write through it to its target instead.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target;
}

}  // namespace

void SetAtomicWriteFaultHook(std::function<bool(int step)> hook) {
  std::lock_guard lock(hook_mutex);
  fault_hook = std::move(hook);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  Steps steps;
  const std::filesystem::path target = ResolveLink(path);
  struct stat old {};
  const bool replacing = stat(target.c_str(), &old) == 0;

  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = TempName(target);
    if (steps.Fail()) return false;
    // 0666 so that a new file gets the umask's permissions, as any other new file would.
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  const auto fail = [&] {
    const int saved = errno;
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    errno = saved;
    return false;
  };
  for (std::size_t done = 0; done < bytes.size();) {
    if (steps.Fail()) return fail();
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail();
    done += static_cast<std::size_t>(n);
  }
  if (replacing) {
    if (steps.Fail() || fchmod(fd, old.st_mode & 07777) != 0) return fail();
  }
  if (steps.Fail() || fsync(fd) != 0) return fail();
  const bool close_failed = steps.Fail() || close(fd) != 0;
  fd = -1;
  if (close_failed) return fail();
  if (steps.Fail() || rename(temp.c_str(), target.c_str()) != 0) return fail();

  // The new name is in place; syncing the folder only makes the rename durable sooner, and a
  // failure here must not report the (completed) replacement as failed.
  const auto dir = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
  if (int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

}  // namespace kz::platform
