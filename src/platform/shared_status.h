// The server status block "kzdlogsrv_shared": four 32-bit words shared by every process of this
// user that loads the module, and by the datalog server that keeps its word in it.
//
// Layout (16 bytes, machine byte order): word 0 the standard server's status, word 1 the Citect
// server's, words 2 and 3 reserved (0).
//
// The block is the file "kzdlogsrv_shared" in RuntimeDirectory(), mode 0600, mapped shared. It is
// private to the user: a file owned by someone else, open to group or others, not a regular file,
// a symbolic link, or of a size other than 16 bytes counts as no block (Open fails).
// Every holder keeps a shared flock on it; an opener that can lock it exclusively is alone, so
// every earlier holder has gone (also by a crash) and it zeroes the words before sharing them.
// The file is never removed: an opener of the old inode and a creator of a new one would
// otherwise see different blocks. Its 16 bytes are reserved on disk before they are mapped: a
// mapping of a file the full file system cannot back kills the process at the first store.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/mapping.h"
#include "platform/status.h"
#include "platform/unique_fd.h"

namespace kz::platform {

class SharedStatus {
 public:
  static constexpr std::size_t kWords = 4;
  static constexpr std::size_t kSize = kWords * sizeof(std::int32_t);
  static constexpr const char* kName = "kzdlogsrv_shared";

  // Opens or creates the block in RuntimeDirectory(); fails when no private block can be had.
  static Result<SharedStatus> Open();
  // Reserves disk blocks for a byte range, as posix_fallocate does: 0 or an errno value.
  using ReserveFn = int (*)(int fd, off_t offset, off_t length);
  // The same at an explicit path (the file is created there when missing). `reserve` stands in
  // for posix_fallocate; fails when the space cannot be reserved (a new file is left empty).
  static Result<SharedStatus> OpenAt(const std::filesystem::path& path,
                                     ReserveFn reserve = posix_fallocate);

  // Going away unmaps and closes, which drops this holder's lock.
  SharedStatus(SharedStatus&&) noexcept = default;
  SharedStatus& operator=(SharedStatus&&) noexcept = default;

  // Single aligned 32-bit accesses; `word` < kWords.
  std::int32_t Load(std::size_t word) const;
  void Store(std::size_t word, std::int32_t value);

 private:
  SharedStatus(UniqueFd fd, Mapping map) : fd_(std::move(fd)), map_(std::move(map)) {}
  std::int32_t* Words() const { return static_cast<std::int32_t*>(map_.data()); }
  UniqueFd fd_;  // the file; its shared flock marks this holder
  Mapping map_;  // kWords words; unmapped before fd_ closes
};

}  // namespace kz::platform
