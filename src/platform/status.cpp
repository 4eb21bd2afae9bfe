#include "platform/status.h"

#include <cerrno>
#include <cstring>

namespace kz {

Status Status::Error(Kind kind, const std::filesystem::path& file, std::string_view reason) {
  // An "error" of kind ok would read as success to every caller.
  if (kind == Kind::kOk) kind = Kind::kIoError;
  return Status(State{kind, 0, file, std::string(reason)});
}

Status Status::FromErrno(int error, const std::filesystem::path& file) {
  State state{KindOfErrno(error), error, file, std::strerror(error)};
  return Status(std::move(state));
}

Status::Kind KindOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Status::Kind::kNotFound;
    case EISDIR:
      return Status::Kind::kIsFolder;
    case EACCES:
    case EPERM:
    case EROFS:
      return Status::Kind::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return Status::Kind::kNoSpace;
    case EINVAL:
      return Status::Kind::kInvalidArgument;
    case EWOULDBLOCK:
    case ETXTBSY:
      return Status::Kind::kBusy;
    default:
      return Status::Kind::kIoError;
  }
}

const std::filesystem::path& Status::file() const {
  static const std::filesystem::path none;
  return state_ ? state_->file : none;
}

std::string_view Status::reason() const {
  return state_ ? std::string_view(state_->reason) : std::string_view("ok");
}

std::string Status::message() const {
  if (!state_) return "ok";
  if (state_->file.empty()) return state_->reason;
  return state_->file.string() + ": " + state_->reason;
}

}  // namespace kz
