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
  std::shared_ptr<const ProfileDocument> doc;
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

// The parsed file; an empty document when it is missing or cannot be read. `readable` (when
// given) turns false, with errno set, when the file is there but could not be read: a writer
// must not replace what it could not read.
std::shared_ptr<const ProfileDocument> SnapshotOf(const std::filesystem::path& path,
                                                  bool* readable = nullptr) {
  const std::string key = path.string();
  const auto unreadable = [readable](int error) {
    if (readable) *readable = false;
    errno = error;
    return EmptyDocument();
  };
  if (readable) *readable = true;
  struct stat st {};
  if (stat(key.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = st.st_mode == 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    {
      std::lock_guard lock(cache_mutex);
      Cache().erase(key);
    }
    if (error == ENOENT || error == ENOTDIR) return EmptyDocument();
    return unreadable(error);
  }
  const Stamp seen = StampOf(st);
  {
    std::lock_guard lock(cache_mutex);
    const auto it = Cache().find(key);
    if (it != Cache().end() && it->second.stamp == seen && !it->second.racy) {
      it->second.last_use = ++use_clock;
      return it->second.doc;
    }
  }

  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const UniqueFd fd = OpenRegularFile(key, O_RDONLY);
  if (!fd.valid()) return unreadable(errno);
  std::string bytes;
  bool ok = fstat(fd.get(), &st) == 0;
  if (ok) {
    // One byte more than the size, so that the read that finds the end needs no reallocation.
    bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
    ok = ReadToEnd(fd.get(), bytes);
  }
  if (!ok) return unreadable(errno);

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
      return it->second.doc;
    }
  }
  entry.doc = std::make_shared<const ProfileDocument>(ProfileDocument::Adopt(std::move(bytes)));
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
  return entry.doc;
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
// write fails later, or a deletion finds nothing). False with errno when the lock is refused.
bool LockForUpdate(std::string_view name, const std::filesystem::path& path, FileUpdateLock& lock) {
  if (IsBareName(name)) CreateWindowsDirectory();
  lock = FileUpdateLock::Acquire(path);
  return lock.Held() || errno == ENOENT || errno == ENOTDIR;
}

bool Store(const std::filesystem::path& path, const ProfileDocument& doc) {
  const bool ok = WriteFileAtomically(path, doc.Serialize());
  const int saved = errno;
  Forget(path);
  errno = saved;
  return ok;
}

// Applies one write call to `doc`. Sets `changed` when the text changed; false when refused.
bool Apply(ProfileDocument& doc, std::string_view section, std::optional<std::string_view> key,
           std::optional<std::string_view> value, bool& changed) {
  if (!key) {
    changed |= doc.DeleteSection(section);
  } else if (!value) {
    changed |= doc.DeleteKey(section, *key);
  } else {
    if (!doc.SetValue(section, *key, *value)) {
      errno = EINVAL;
      return false;
    }
    changed = true;
  }
  return true;
}

}  // namespace

std::filesystem::path ProfilePath(std::string_view name) {
  if (IsBareName(name)) return ResolveCase(JoinPath(WindowsDirectory().string(), name));
  return ResolveCase(name);
}

std::shared_ptr<const ProfileDocument> ProfileSnapshot(std::string_view name) {
  return SnapshotOf(ProfilePath(name));
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, std::size_t size, std::string_view name) {
  return ProfileSnapshot(name)->GetString(section, key, def, size);
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view name) {
  const auto path = ProfilePath(name);
  FileUpdateLock lock;
  if (!LockForUpdate(name, path, lock)) return false;
  bool readable = true;
  ProfileDocument doc = *SnapshotOf(path, &readable);
  if (!readable) return false;
  bool changed = false;
  if (!Apply(doc, section, key, value, changed)) return false;
  return !changed || Store(path, doc);
}

ProfileBatch::ProfileBatch(std::string_view name) : path_(ProfilePath(name)) {
  bool readable = LockForUpdate(name, path_, lock_);
  if (readable) doc_ = *SnapshotOf(path_, &readable);
  if (!readable) {
    failed_ = true;
    error_ = errno;
  }
}

std::string ProfileBatch::GetString(std::string_view section, std::string_view key,
                                    std::string_view def, std::size_t size) const {
  return doc_.GetString(section, key, def, size);
}

bool ProfileBatch::Write(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
  if (Apply(doc_, section, key, value, changed_)) return true;
  if (!failed_) error_ = errno;
  failed_ = true;
  return false;
}

bool ProfileBatch::Commit() {
  if (failed_) {
    errno = error_;
    return false;
  }
  if (!changed_) return true;
  if (!Store(path_, doc_)) return false;
  changed_ = false;
  return true;
}

}  // namespace kz::platform
