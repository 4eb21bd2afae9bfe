#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <iterator>
#include <string>

#include "platform/file_faults.h"
#include "platform/file_io.h"
#include "platform/unique_fd.h"

namespace kz::platform {
namespace {

constexpr std::string_view kTempMark = ".kztmp-";

// ".NAME.kztmp-" : what every temporary file of NAME starts with.
std::string TempPrefix(const std::filesystem::path& target) {
  return "." + target.filename().string() + std::string(kTempMark);
}

std::filesystem::path TempPath(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.parent_path() /
         (TempPrefix(target) + std::to_string(getpid()) + "-" + std::to_string(counter++));
}

// Removes the temporary files of `target` left by saves whose process has ended (killed between
// naming the file and renaming it), also those of earlier versions ("NAME.tmp-PID-N-R"). A live
// process's file, or one of a process this one may not signal, is left alone.
void RemoveStaleTemps(const std::filesystem::path& dir, const std::filesystem::path& target) {
  const std::string prefixes[] = {TempPrefix(target), target.filename().string() + ".tmp-"};
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = readdir(d)) {
    const std::string_view name = e->d_name;
    const auto prefix = std::find_if(std::begin(prefixes), std::end(prefixes),
                                     [&](const std::string& p) { return name.starts_with(p); });
    if (prefix == std::end(prefixes)) continue;
    const std::string_view rest = name.substr(prefix->size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || pid <= 0 || *end != '-') continue;
    if (kill(pid, 0) != 0 && errno == ESRCH) unlinkat(dirfd(d), e->d_name, 0);
  }
  closedir(d);
}

// Renaming over a symbolic link would replace the link; write through it to its target instead.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target;
}

// What the replaced file was, for the new one to keep.
struct OldFile {
  bool exists = false;
  struct stat st {};
};

// The checks before anything is created: only a regular file the caller may write is replaced.
bool CheckTarget(const std::filesystem::path& target, OldFile& old) {
  if (stat(target.c_str(), &old.st) != 0) return errno == ENOENT;
  old.exists = true;
  if (!S_ISREG(old.st.st_mode)) {
    errno = S_ISDIR(old.st.st_mode) ? EISDIR : kNotRegularFile;
    return false;
  }
  // Write access is judged by the file's own permissions, not the folder's: opening for writing
  // (without truncating) asks the system exactly that.
  return UniqueFd(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)).valid();
}

// Gives the new file the old one's owner, group and mode before any content is in it. An owner
// or group the caller may not give is left as it is; the mode must be set.
bool TakeOver(int fd, const OldFile& old) {
  if (!old.exists) return true;
  if (fchown(fd, old.st.st_uid, old.st.st_gid) != 0)
    fchown(fd, static_cast<uid_t>(-1), old.st.st_gid);
  return !FileStepFails(FileStep::Mode) && fchmod(fd, old.st.st_mode & 07777) == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    if (FileStepFails(FileStep::Write)) return false;
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The temporary file; `name` is valid once `named`.
struct Temp {
  UniqueFd fd;
  std::filesystem::path name;
  bool named = false;
};

// Opens the temporary file: unnamed when `unnamed` and the file system allows.
bool OpenTemp(const std::filesystem::path& dir, const std::filesystem::path& target, mode_t mode,
              bool unnamed, Temp& temp) {
  if (FileStepFails(FileStep::Open)) return false;
  if (unnamed) {
    temp.fd.reset(open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (temp.fd.valid()) return true;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp.name = TempPath(target);
    temp.fd.reset(open(temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (temp.fd.valid()) {
      temp.named = true;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

// Gives an unnamed temporary file its name; false when it cannot have one (no /proc).
bool NameTemp(const std::filesystem::path& target, Temp& temp) {
  const std::string proc = "/proc/self/fd/" + std::to_string(temp.fd.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp.name = TempPath(target);
    if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temp.name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp.named = true;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool Replace(const std::filesystem::path& dir, const std::filesystem::path& target,
             std::string_view bytes, const OldFile& old, bool unnamed) {
  // The old mode from the start (the umask may narrow it; TakeOver sets it exactly), 0666 less
  // the umask for a new file.
  const mode_t mode = old.exists ? (old.st.st_mode & 0777) : 0666;
  Temp temp;
  const auto fail = [&] {
    const int saved = errno;
    temp.fd.reset();
    if (temp.named) unlink(temp.name.c_str());
    errno = saved;
    return false;
  };
  if (!OpenTemp(dir, target, mode, unnamed, temp)) return fail();
  if (!TakeOver(temp.fd.get(), old) || !WriteAll(temp.fd.get(), bytes)) {
    return fail();
  }
  if (FileStepFails(FileStep::Sync) || fsync(temp.fd.get()) != 0) return fail();
  if (!temp.named) {
    if (FileStepFails(FileStep::Name)) return fail();
    if (!NameTemp(target, temp)) {
      temp.fd.reset();
      return Replace(dir, target, bytes, old, false);
    }
  }
  const bool close_failed = FileStepFails(FileStep::Close) || close(temp.fd.release()) != 0;
  if (close_failed) return fail();
  if (FileStepFails(FileStep::Rename) || rename(temp.name.c_str(), target.c_str()) != 0) {
    return fail();
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path target = ResolveLink(path);
  const std::filesystem::path dir =
      target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
  OldFile old;
  if (!CheckTarget(target, old)) return false;
  RemoveStaleTemps(dir, target);
  if (!Replace(dir, target, bytes, old, true)) return false;

  // The new name is in place; syncing the folder only makes the rename durable sooner, and a
  // failure here must not report the (completed) replacement as failed.
  if (UniqueFd dfd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dfd.valid()) {
    fsync(dfd.get());
  }
  return true;
}

}  // namespace kz::platform
