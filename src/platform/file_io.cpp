#include "platform/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_faults.h"

namespace kz::platform {

Status NotRegularFile(const std::filesystem::path& file, mode_t mode) {
  if (S_ISDIR(mode)) return Status::FromErrno(EISDIR, file);
  return Status::Error(Status::Kind::kNotRegularFile, file,
                       "not a regular file (a FIFO, device or socket)");
}

Result<UniqueFd> OpenRegularFile(const std::filesystem::path& path, int access) {
  // stat first, so that a device is never opened at all; the fstat below catches a swap.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return Status::FromErrno(errno, path);
  if (!S_ISREG(st.st_mode)) return NotRegularFile(path, st.st_mode);
  if (FileStepFails(FileStep::Open)) return Status::FromErrno(EIO, path);
  UniqueFd fd(open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid() || fstat(fd.get(), &st) != 0) return Status::FromErrno(errno, path);
  if (!S_ISREG(st.st_mode)) return NotRegularFile(path, st.st_mode);
  return fd;
}

Status ReadToEnd(int fd, const std::filesystem::path& file, std::string& out) {
  // Reads straight into `out` a step at a time: a bounce buffer would copy a big file once more.
  constexpr std::size_t kStep = 65536;
  for (;;) {
    const std::size_t have = out.size();
    const std::size_t room = out.capacity() - have;
    const std::size_t step = room > 0 ? std::min(room, kStep) : kStep;
    out.resize(have + step);
    const ssize_t n = FileStepFails(FileStep::Read) ? -1 : read(fd, out.data() + have, step);
    const int error = errno;
    out.resize(have + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n == 0) return {};
    if (n < 0 && error != EINTR) return Status::FromErrno(error, file);
  }
}

Status ReadWholeFile(const std::filesystem::path& path, std::string& out) {
  auto fd = OpenRegularFile(path, O_RDONLY);
  if (!fd) return fd.status();
  struct stat st {};
  // One byte more than the size, so that the read that finds the end needs no reallocation.
  if (fstat(fd->get(), &st) == 0)
    out.reserve(out.size() + static_cast<std::size_t>(st.st_size) + 1);
  return ReadToEnd(fd->get(), path, out);
}

Result<std::size_t> ReadAt(int fd, const std::filesystem::path& file, std::uint64_t offset,
                           char* dst, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = FileStepFails(FileStep::Read)
                          ? -1
                          : pread(fd, dst + done, size - done, static_cast<off_t>(offset + done));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(errno, file);
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace kz::platform
