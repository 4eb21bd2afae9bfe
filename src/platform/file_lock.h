// FileUpdateLock: makes the read-modify-write of one outside file exclusive between processes
// (and between threads), so that two writers of different keys never lose each other's change.
//
// The lock is a flock on the file itself, so nothing new appears beside it and every account that
// can read the file takes part. A writer replaces the file by rename, so the locked file may be
// replaced while a waiter waits: the waiter then finds another file under the name and locks that
// one instead. A missing file is locked through its folder until it exists. Readers need no lock:
// they see either the old file or the new one whole. On a file system without locks the update
// goes on unlocked.
#pragma once

#include <filesystem>

#include "platform/status.h"
#include "platform/unique_fd.h"

namespace kz::platform {

class FileUpdateLock {
 public:
  FileUpdateLock() = default;  // holds nothing

  // Blocks until the caller holds the lock of `path` (symbolic links followed). Fails with
  // kIsFolder or kNotRegularFile for what is not a regular file, kNotFound when the folder is
  // missing (there is then nothing to write either), or what open or flock gave.
  static Result<FileUpdateLock> Acquire(const std::filesystem::path& path);

  bool Held() const { return fd_.valid(); }

 private:
  explicit FileUpdateLock(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;  // the locked file or folder; closing it releases the lock
};

}  // namespace kz::platform
