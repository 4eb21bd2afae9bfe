#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/file_io.h"
#include "platform/file_lock.h"
#include "platform/file_lookup.h"
#include "platform/system_dirs.h"

namespace kz::platform {
namespace {

// What identifies one version of a file on disk.
struct Stamp {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{};
  timespec ctime{};
  bool operator==(const Stamp& o) const {
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
           ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

Stamp StampOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// File times come from a clock that advances once per kernel tick (up to 10 ms), so a file
// changed again within the tick of its last change keeps its stamp. A version read that soon
// after its change is "racy": it is checked by content until the tick has surely passed.
constexpr std::int64_t kRacyNs = 20'000'000;

struct Entry {
  Stamp stamp;
  bool racy = false;
  std::uint64_t last_use = 0;
  std::shared_ptr<ProfileDocument> doc;  // handed out as const; see DocumentForUpdate
};

// Station project files are read by the hundred; only the files read last stay parsed.
constexpr std::size_t kMaxCached = 16;
std::uint64_t use_clock = 0;

std::mutex cache_mutex;
std::unordered_map<std::string, Entry>& Cache() {
  static std::unordered_map<std::string, Entry> cache;
  return cache;
}

const std::shared_ptr<const ProfileDocument>& EmptyDocument() {
  static const auto empty = std::make_shared<const ProfileDocument>();
  return empty;
}

// The parsed file; an empty document when it is missing. Fails when the file is there but could
// not be read: a writer must not replace what it could not read.
Result<std::shared_ptr<const ProfileDocument>> SnapshotOf(const std::filesystem::path& path) {
  const std::string key = path.string();
  struct stat st {};
  if (stat(key.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    const Status refused =
        st.st_mode == 0 ? Status::FromErrno(errno, path) : NotRegularFile(path, st.st_mode);
    {
      std::lock_guard lock(cache_mutex);
      Cache().erase(key);
    }
    if (refused.Is(Status::Kind::kNotFound)) return EmptyDocument();
    return refused;
  }
  const Stamp seen = StampOf(st);
  {
    std::lock_guard lock(cache_mutex);
    const auto it = Cache().find(key);
    if (it != Cache().end() && it->second.stamp == seen && !it->second.racy) {
      it->second.last_use = ++use_clock;
      return std::shared_ptr<const ProfileDocument>(it->second.doc);
    }
  }

  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const auto fd = OpenRegularFile(key, O_RDONLY);
  if (!fd) return fd.status();
  if (fstat(fd->get(), &st) != 0) return Status::FromErrno(errno, path);
  std::string bytes;
  // One byte more than the size, so that the read that finds the end needs no reallocation.
  bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
  if (Status s = ReadToEnd(fd->get(), path, bytes); !s) return s;

  Entry entry;
  entry.stamp = StampOf(st);
  entry.racy =
      std::max(Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)) >= Nanoseconds(now) - kRacyNs;
  {
    // A racy entry is confirmed against the bytes it was parsed from, which it keeps anyway:
    // exact, and no cost for the reads that have no such entry.
    std::lock_guard lock(cache_mutex);
    const auto it = Cache().find(key);
    if (it != Cache().end() && it->second.stamp == entry.stamp &&
        it->second.doc->Source() == bytes) {
      it->second.racy = entry.racy;
      it->second.last_use = ++use_clock;
      return std::shared_ptr<const ProfileDocument>(it->second.doc);
    }
  }
  entry.doc = std::make_shared<ProfileDocument>(ProfileDocument::Adopt(std::move(bytes)));
  std::lock_guard lock(cache_mutex);
  auto& cache = Cache();
  entry.last_use = ++use_clock;
  cache[key] = entry;
  if (cache.size() > kMaxCached) {
    const auto oldest = std::min_element(
        cache.begin(), cache.end(),
        [](const auto& a, const auto& b) { return a.second.last_use < b.second.last_use; });
    cache.erase(oldest);
  }
  return std::shared_ptr<const ProfileDocument>(entry.doc);
}

// The document a writer edits and then stores: the cached one itself when nobody else holds it
// (storing forgets it anyway), else a copy. A large file is then neither copied nor freed twice.
Result<ProfileDocument> DocumentForUpdate(const std::filesystem::path& path) {
  auto current = SnapshotOf(path);
  if (!current) return current.status();
  std::shared_ptr<ProfileDocument> owned;
  {
    std::lock_guard lock(cache_mutex);
    const auto it = Cache().find(path.string());
    // Held by the cache and by `current` only: no reader can get hold of it while the lock is.
    if (it != Cache().end() && it->second.doc == *current && it->second.doc.use_count() == 2) {
      owned = std::move(it->second.doc);
      Cache().erase(it);
    }
  }
  if (!owned) return ProfileDocument(**current);
  current->reset();
  return std::move(*owned);
}

void Forget(const std::filesystem::path& path) {
  std::lock_guard lock(cache_mutex);
  Cache().erase(path.string());
}

bool IsBareName(std::string_view name) {
  return name.find('/') == std::string_view::npos;
}

// Takes the file's update lock for a read-modify-write. The Windows directory is created on
// first write; other folders must exist, and where one is missing there is nothing to lock (the
// write fails later, or a deletion finds nothing): the lock then holds nothing.
Result<FileUpdateLock> LockForUpdate(std::string_view name, const std::filesystem::path& path) {
  if (IsBareName(name)) CreateWindowsDirectory();
  auto lock = FileUpdateLock::Acquire(path);
  if (!lock && lock.status().Is(Status::Kind::kNotFound)) return FileUpdateLock();
  return lock;
}

Status Store(const std::filesystem::path& path, const ProfileDocument& doc) {
  Status stored = WriteFileAtomically(path, doc.Serialize());
  Forget(path);
  return stored;
}

// Applies one write call to `doc`. Sets `changed` when the text changed; refused with
// kInvalidArgument (the reason says what) when the value or a name cannot be stored.
Status Apply(const std::filesystem::path& path, ProfileDocument& doc, std::string_view section,
             std::optional<std::string_view> key, std::optional<std::string_view> value,
             bool& changed) {
  if (!key) {
    changed |= doc.DeleteSection(section);
  } else if (!value) {
    changed |= doc.DeleteKey(section, *key);
  } else {
    if (!doc.SetValue(section, *key, *value)) {
      return Status::Error(
          Status::Kind::kInvalidArgument, path,
          value->find_first_of("\r\n") != std::string_view::npos
              ? "the value holds a line break, which would add lines to the file; nothing written"
              : "the section or key name would not read back as written (line break, '=' or a "
                "leading '[' in the key, ']' in the section, or an empty key); nothing written");
    }
    changed = true;
  }
  return {};
}

}  // namespace

std::filesystem::path ProfilePath(std::string_view name) {
  if (IsBareName(name)) return ResolveCase(JoinPath(WindowsDirectory().string(), name));
  return ResolveCase(name);
}

std::shared_ptr<const ProfileDocument> ProfileSnapshot(std::string_view name) {
  auto doc = SnapshotOf(ProfilePath(name));
  return doc ? *doc : EmptyDocument();
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, std::size_t size, std::string_view name) {
  return ProfileSnapshot(name)->GetString(section, key, def, size);
}

Status WriteProfileString(std::string_view section, std::optional<std::string_view> key,
                          std::optional<std::string_view> value, std::string_view name) {
  const auto path = ProfilePath(name);
  const auto lock = LockForUpdate(name, path);
  if (!lock) return lock.status();
  const auto current = SnapshotOf(path);
  if (!current) return current.status();
  ProfileDocument doc = **current;
  bool changed = false;
  if (Status s = Apply(path, doc, section, key, value, changed); !s) return s;
  return changed ? Store(path, doc) : Status();
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view name) {
  return WriteProfileString(section, key, value, name).ok();
}

ProfileBatch::ProfileBatch(std::string_view name) : path_(ProfilePath(name)) {
  auto lock = LockForUpdate(name, path_);
  if (!lock) {
    status_ = lock.status();
    return;
  }
  lock_ = std::move(*lock);
  auto current = DocumentForUpdate(path_);
  if (current) {
    doc_ = std::move(*current);
  } else {
    status_ = current.status();
  }
}

std::string ProfileBatch::GetString(std::string_view section, std::string_view key,
                                    std::string_view def, std::size_t size) const {
  return doc_.GetString(section, key, def, size);
}

bool ProfileBatch::Write(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
  Status applied = Apply(path_, doc_, section, key, value, changed_);
  if (applied) return true;
  if (status_) status_ = std::move(applied);
  return false;
}

Status ProfileBatch::Commit() {
  if (!status_) return status_;
  if (!changed_) return {};
  if (Status s = Store(path_, doc_); !s) return s;
  changed_ = false;
  return {};
}

}  // namespace kz::platform
