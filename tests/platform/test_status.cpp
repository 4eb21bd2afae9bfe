// Status and Result: the kinds failures are sorted into, and the one line a person reads.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/status.h"

namespace kz {
namespace {

using Kind = Status::Kind;

// The kinds callers act on: retry read-only, report a folder, a missing file or a full disk.
TEST(StatusTest, SystemErrorsSortIntoTheKindsCallersActOnAndNameTheFile) {
  const std::pair<int, Kind> cases[] = {
      {ENOENT, Kind::kNotFound},        {ENOTDIR, Kind::kNotFound},
      {EISDIR, Kind::kIsFolder},        {EACCES, Kind::kPermissionDenied},
      {EPERM, Kind::kPermissionDenied}, {EROFS, Kind::kPermissionDenied},
      {ENOSPC, Kind::kNoSpace},         {EDQUOT, Kind::kNoSpace},
      {EWOULDBLOCK, Kind::kBusy},       {EIO, Kind::kIoError}};
  for (const auto& [error, kind] : cases) {
    const Status s = Status::FromErrno(error, "/x/f.ini");
    EXPECT_EQ(s.kind(), kind) << error;
    EXPECT_EQ(s.message(), std::string("/x/f.ini: ") + std::strerror(error));
  }
  EXPECT_EQ(Status::Error(Kind::kNotFound, {}, "no runtime folder").message(), "no runtime folder");
}

// Made with kind ok by mistake, copied, or an empty Result: still a failure.
TEST(StatusTest, AFailureNeverReadsAsSuccess) {
  const Status odd = Status::Error(Kind::kOk, "f", "broken");
  EXPECT_FALSE(odd.ok());
  Status copy = odd;
  EXPECT_FALSE(copy.ok());
  EXPECT_EQ(copy.message(), "f: broken");
  EXPECT_FALSE(Result<int>{Status()}.ok());
}

}  // namespace
}  // namespace kz
