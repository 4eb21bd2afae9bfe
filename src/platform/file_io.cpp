#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/file_faults.h"

namespace kz::platform {
namespace {

int KindError(mode_t mode) {
  return S_ISDIR(mode) ? EISDIR : kNotRegularFile;
}

}  // namespace

std::string FileErrorText(int error) {
  if (error == kNotRegularFile) return "not a regular file (a FIFO, device or socket)";
  return std::strerror(error);
}

UniqueFd OpenRegularFile(const std::filesystem::path& path, int access) {
  // stat first, so that a device is never opened at all; the fstat below catches a swap.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return UniqueFd();
  if (!S_ISREG(st.st_mode)) {
    errno = KindError(st.st_mode);
    return UniqueFd();
  }
  if (FileStepFails(FileStep::Open)) return UniqueFd();
  UniqueFd fd(open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return fd;
  if (fstat(fd.get(), &st) != 0) return UniqueFd();
  if (!S_ISREG(st.st_mode)) {
    errno = KindError(st.st_mode);
    return UniqueFd();
  }
  return fd;
}

bool ReadToEnd(int fd, std::string& out) {
  // Reads straight into `out` a step at a time: a bounce buffer would copy a big file once more.
  constexpr std::size_t kStep = 65536;
  for (;;) {
    const std::size_t have = out.size();
    const std::size_t room = out.capacity() - have;
    const std::size_t step = room > 0 ? std::min(room, kStep) : kStep;
    out.resize(have + step);
    const ssize_t n = FileStepFails(FileStep::Read) ? -1 : read(fd, out.data() + have, step);
    out.resize(have + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
  }
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& out) {
  const UniqueFd fd = OpenRegularFile(path, O_RDONLY);
  if (!fd.valid()) return false;
  struct stat st {};
  // One byte more than the size, so that the read that finds the end needs no reallocation.
  if (fstat(fd.get(), &st) == 0) out.reserve(out.size() + static_cast<std::size_t>(st.st_size) + 1);
  return ReadToEnd(fd.get(), out);
}

std::size_t ReadAt(int fd, std::uint64_t offset, char* dst, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = FileStepFails(FileStep::Read)
                          ? -1
                          : pread(fd, dst + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace kz::platform
