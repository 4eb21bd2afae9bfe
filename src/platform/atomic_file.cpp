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
#include <memory>
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
  const std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.c_str()), closedir);
  if (!d) return;
  while (const dirent* e = readdir(d.get())) {
    const std::string_view name = e->d_name;
    const auto prefix = std::find_if(std::begin(prefixes), std::end(prefixes),
                                     [&](const std::string& p) { return name.starts_with(p); });
    if (prefix == std::end(prefixes)) continue;
    const std::string_view rest = name.substr(prefix->size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || pid <= 0 || *end != '-') continue;
    if (kill(pid, 0) != 0 && errno == ESRCH) unlinkat(dirfd(d.get()), e->d_name, 0);
  }
}

// Renaming over a symbolic link would replace the link; write through it to its target instead.
// A dangling link is followed too, so that the save creates its target, as `>` in a shell does.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::filesystem::path resolved = path;
  std::error_code ec;
  for (int hops = 0; std::filesystem::is_symlink(resolved, ec); ++hops) {
    if (hops == 40) return path;  // a loop: the save fails at the link, which it does not replace
    const std::filesystem::path target = std::filesystem::read_symlink(resolved, ec);
    if (ec) return path;
    resolved = target.is_absolute() ? target : resolved.parent_path() / target;
  }
  return resolved;
}

// What the replaced file was, for the new one to keep.
struct OldFile {
  bool exists = false;
  struct stat st {};
};

// The checks before anything is created: only a regular file the caller may write is replaced.
Status CheckTarget(const std::filesystem::path& target, OldFile& old) {
  if (stat(target.c_str(), &old.st) != 0) {
    return errno == ENOENT ? Status() : Status::FromErrno(errno, target);
  }
  old.exists = true;
  if (!S_ISREG(old.st.st_mode)) return NotRegularFile(target, old.st.st_mode);
  // Write access is judged by the file's own permissions, not the folder's: opening for writing
  // (without truncating) asks the system exactly that.
  if (!UniqueFd(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)).valid()) {
    return Status::FromErrno(errno, target);
  }
  return {};
}

// The temporary file. Removed again when it goes away before Commit has put it in place.
class Temp {
 public:
  Temp() = default;
  Temp(const Temp&) = delete;
  Temp& operator=(const Temp&) = delete;
  ~Temp() {
    fd_.reset();
    if (named_) unlink(name_.c_str());
  }

  int fd() const { return fd_.get(); }
  bool named() const { return named_; }

  // Opens it: unnamed when `unnamed` and the file system allows.
  Status Open(const std::filesystem::path& dir, const std::filesystem::path& target, mode_t mode,
              bool unnamed) {
    if (FileStepFails(FileStep::Open)) return Status::FromErrno(EIO, dir);
    if (unnamed) {
      fd_.reset(open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
      if (fd_.valid()) return {};
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path name = TempPath(target);
      fd_.reset(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
      if (fd_.valid()) {
        SetName(std::move(name));
        return {};
      }
      if (errno != EEXIST) return Status::FromErrno(errno, name);
    }
    return Status::FromErrno(EEXIST, target);
  }

  // Gives an unnamed file its name; false when it cannot have one (no /proc).
  bool GiveName(const std::filesystem::path& target) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path name = TempPath(target);
      if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        SetName(std::move(name));
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  // Closes the named file and renames it over `target`.
  Status Commit(const std::filesystem::path& target) {
    if (FileStepFails(FileStep::Close) || fd_.Close() != 0) return Status::FromErrno(errno, name_);
    if (FileStepFails(FileStep::Rename) || rename(name_.c_str(), target.c_str()) != 0) {
      return Status::FromErrno(errno, target);
    }
    named_ = false;  // the name is the target's now
    return {};
  }

 private:
  void SetName(std::filesystem::path name) {
    name_ = std::move(name);
    named_ = true;
  }
  UniqueFd fd_;
  std::filesystem::path name_;
  bool named_ = false;
};

// Gives the new file the old one's owner, group and mode before any content is in it. An owner
// or group the caller may not give is left as it is; the mode must be set.
Status TakeOver(int fd, const OldFile& old, const std::filesystem::path& target) {
  if (!old.exists) return {};
  if (fchown(fd, old.st.st_uid, old.st.st_gid) != 0)
    (void)fchown(fd, static_cast<uid_t>(-1), old.st.st_gid);
  if (FileStepFails(FileStep::Mode) || fchmod(fd, old.st.st_mode & 07777) != 0) {
    return Status::FromErrno(errno, target);
  }
  return {};
}

Status WriteAll(int fd, std::string_view bytes, const std::filesystem::path& target) {
  for (std::size_t done = 0; done < bytes.size();) {
    if (FileStepFails(FileStep::Write)) return Status::FromErrno(errno, target);
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    // A write that stores nothing without an error still means the disk took no more.
    if (n <= 0) return Status::FromErrno(n < 0 ? errno : ENOSPC, target);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

Status Replace(const std::filesystem::path& dir, const std::filesystem::path& target,
               std::string_view bytes, const OldFile& old, bool unnamed) {
  // The old mode from the start (the umask may narrow it; TakeOver sets it exactly), 0666 less
  // the umask for a new file.
  const mode_t mode = old.exists ? (old.st.st_mode & 0777) : 0666;
  Temp temp;
  if (Status s = temp.Open(dir, target, mode, unnamed); !s) return s;
  if (Status s = TakeOver(temp.fd(), old, target); !s) return s;
  if (Status s = WriteAll(temp.fd(), bytes, target); !s) return s;
  if (FileStepFails(FileStep::Sync) || fsync(temp.fd()) != 0) {
    return Status::FromErrno(errno, target);
  }
  if (!temp.named()) {
    if (FileStepFails(FileStep::Name)) return Status::FromErrno(errno, target);
    if (!temp.GiveName(target)) return Replace(dir, target, bytes, old, false);
  }
  return temp.Commit(target);
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path target = ResolveLink(path);
  const std::filesystem::path dir =
      target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
  OldFile old;
  if (Status s = CheckTarget(target, old); !s) return s;
  RemoveStaleTemps(dir, target);
  if (Status s = Replace(dir, target, bytes, old, true); !s) return s;

  // The new name is in place; syncing the folder only makes the rename durable sooner, and a
  // failure here must not report the (completed) replacement as failed.
  if (UniqueFd dfd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dfd.valid()) {
    fsync(dfd.get());
  }
  return {};
}

}  // namespace kz::platform
