// Status: the outcome of an operation on outside files or system objects. Ok, or a kind the
// caller can act on plus one line for the person reading it: the file and what happened
// ("/etc/x.ini: Permission denied"). An ok Status is one null pointer: returning it costs nothing.
// Result<T>: a T, or the Status that says why there is none.
//
// The line is made where the failure is known, so callers pass it on instead of working out
// again why a call they made was refused.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kz {

class [[nodiscard]] Status {
 public:
  enum class Kind {
    kOk,
    kNotFound,          // no such file, or a folder on its path is missing
    kIsFolder,          // a folder where a file is expected
    kNotRegularFile,    // a FIFO, device or socket where a file is expected
    kPermissionDenied,  // the file's or folder's permissions, a read-only file system
    kNotOwned,          // a private file that belongs to another user or is open to others
    kNoSpace,           // the disk or the quota is full
    kInvalidArgument,   // the caller's value cannot be stored as given
    kCorrupt,           // the content is not in the expected form
    kBusy,              // another process holds what is asked for
    kIoError,           // anything else the system reported
  };

  Status() noexcept = default;  // ok
  Status(const Status& other) : state_(Copy(other.state_)) {}
  Status& operator=(const Status& other) {
    if (this != &other) state_ = Copy(other.state_);
    return *this;
  }
  Status(Status&&) noexcept = default;
  Status& operator=(Status&&) noexcept = default;

  static Status Ok() { return {}; }
  // A failure of `kind`; `file` may be empty when no file is concerned.
  static Status Error(Kind kind, const std::filesystem::path& file, std::string_view reason);
  // A failure the system reported as errno `error`: its kind follows the value, its reason is
  // strerror's text.
  static Status FromErrno(int error, const std::filesystem::path& file);

  bool ok() const noexcept { return !state_; }
  explicit operator bool() const noexcept { return ok(); }
  Kind kind() const noexcept { return state_ ? state_->kind : Kind::kOk; }
  bool Is(Kind kind) const noexcept { return this->kind() == kind; }
  // The errno value behind the failure; 0 when ok or when no system call failed.
  int error() const noexcept { return state_ ? state_->error : 0; }
  // The file concerned; empty when ok or when none was.
  const std::filesystem::path& file() const;
  // What happened, without the file: "Permission denied".
  std::string_view reason() const;
  // The whole line: "FILE: REASON", or REASON alone when no file is concerned; "ok" when ok.
  std::string message() const;

 private:
  struct State {
    Kind kind;
    int error;
    std::filesystem::path file;
    std::string reason;
  };
  explicit Status(State state) : state_(std::make_unique<State>(std::move(state))) {}
  static std::unique_ptr<State> Copy(const std::unique_ptr<State>& state) {
    return state ? std::make_unique<State>(*state) : nullptr;
  }
  std::unique_ptr<State> state_;  // null when ok
};

// The kind of a failure with errno `error`.
Status::Kind KindOfErrno(int error);

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a T is a successful result
  // A failure; an ok Status here would leave the result with neither value nor reason.
  Result(Status status) : status_(std::move(status)) {  // NOLINT
    if (status_.ok()) status_ = Status::Error(Status::Kind::kIoError, {}, "no result");
  }

  bool ok() const noexcept { return value_.has_value(); }
  explicit operator bool() const noexcept { return ok(); }
  const Status& status() const noexcept { return status_; }

  // Only when ok().
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace kz
