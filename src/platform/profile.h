// Profile files by path: the stand-in for GetPrivateProfileStringA and WritePrivateProfileStringA.
//
// A path without a '/' names a file in the Windows-directory stand-in (system_dirs.h), as a bare
// file name does on Windows. Reads never parse a file again per call: the parsed form of each path
// is cached and refreshed when the file's size, modification time or inode changes. Writes build
// the new text in memory and replace the file in one atomic step (atomic_file.h).
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_lock.h"
#include "platform/profile_document.h"
#include "platform/status.h"

namespace kz::platform {

// The file a profile call with this name reaches: bare names go to the Windows directory, and
// the path is matched without case as Windows would find it (ResolveCase, file_lookup.h).
std::filesystem::path ProfilePath(std::string_view name);

// The current parsed form of a file; a missing or unreadable file gives an empty document.
// The snapshot stays valid (and unchanged) however the file changes later: callers that read many
// keys take one snapshot and read through it.
std::shared_ptr<const ProfileDocument> ProfileSnapshot(std::string_view name);

// GetPrivateProfileStringA: `size` is the caller's buffer size (the result has at most size - 1
// bytes).
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, std::size_t size, std::string_view name);

// WritePrivateProfileStringA: WriteProfileString below, true when it succeeded.
bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view name);

// The write of WritePrivateProfileString: a nullopt key deletes the section, a nullopt value
// deletes the key.
// Creates a missing file (its folder must exist; the Windows directory is created for a bare
// name). A deletion that finds nothing leaves the file alone (a missing file stays missing).
// A file that exists but cannot be read (permissions, a folder) is never replaced: the write
// fails.
// Fails with kInvalidArgument when the write was refused (a value holding CR or LF, see
// ProfileDocument::SetValue), or with why the file could not be read or replaced; the file is
// then as it was. Writers of one file are serialised between processes by its update lock
// (file_lock.h), so that none loses another's change.
Status WriteProfileString(std::string_view section, std::optional<std::string_view> key,
                          std::optional<std::string_view> value, std::string_view name);

// Many writes to one file, applied in memory call by call with the effects above and written
// with one atomic replace by Commit. Reads through the batch see its own pending writes.
class ProfileBatch {
 public:
  // Takes the file's update lock and starts from the file's current text. The lock is held until
  // the batch ends, so that no other writer changes the file between its reads and its Commit:
  // keep a batch short, and make no other write to the same file while it lives. When the file
  // exists but cannot be read or locked, the batch is failed from the start (its Commit gives
  // why).
  explicit ProfileBatch(std::string_view name);
  ProfileBatch(const ProfileBatch&) = delete;
  ProfileBatch& operator=(const ProfileBatch&) = delete;

  std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t size) const;
  // Same contract as WritePrivateProfileString; a refused write marks the batch failed.
  bool Write(std::string_view section, std::optional<std::string_view> key,
             std::optional<std::string_view> value);
  // Replaces the file when any write changed the text. Fails when the file could not be read, a
  // write was refused (the first refusal, kInvalidArgument) or the file could not be replaced;
  // the file on disk is then untouched. A batch may go on after a successful Commit.
  Status Commit();

  const ProfileDocument& Document() const { return doc_; }

 private:
  std::filesystem::path path_;
  FileUpdateLock lock_;
  ProfileDocument doc_;
  bool changed_ = false;
  Status status_;  // the first failure
};

}  // namespace kz::platform
