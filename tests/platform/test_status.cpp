// Status and Result: the kinds failures are sorted into, and the one line a person reads.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/status.h"

namespace kz {
namespace {

using Kind = Status::Kind;

TEST(StatusTest, SystemErrorsSortIntoTheKindsCallersActOn) {
  const struct {
    int error;
    Kind kind;
  } cases[] = {
      {ENOENT, Kind::kNotFound},
      {ENOTDIR, Kind::kNotFound},
      {EISDIR, Kind::kIsFolder},
      {EACCES, Kind::kPermissionDenied},
      {EPERM, Kind::kPermissionDenied},
      {EROFS, Kind::kPermissionDenied},
      {ENOSPC, Kind::kNoSpace},
      {EDQUOT, Kind::kNoSpace},
      {EINVAL, Kind::kInvalidArgument},
      {EWOULDBLOCK, Kind::kBusy},
      {EIO, Kind::kIoError},
      {EMFILE, Kind::kIoError},
  };
  for (const auto& c : cases) {
    const Status s = Status::FromErrno(c.error, "/x/f.ini");
    EXPECT_FALSE(s.ok()) << c.error;
    EXPECT_EQ(s.kind(), c.kind) << c.error;
    EXPECT_EQ(s.error(), c.error);
    EXPECT_EQ(s.message(), std::string("/x/f.ini: ") + std::strerror(c.error));
  }
}

TEST(StatusTest, MessageNamesTheFileWhenThereIsOne) {
  EXPECT_EQ(Status().message(), "ok");
  EXPECT_EQ(Status::Error(Kind::kCorrupt, "t.dbf", "header is cut short").message(),
            "t.dbf: header is cut short");
  const Status no_file = Status::Error(Kind::kNotFound, {}, "no private runtime folder");
  EXPECT_EQ(no_file.message(), "no private runtime folder");
  EXPECT_EQ(no_file.reason(), "no private runtime folder");
  EXPECT_EQ(no_file.error(), 0);
}

TEST(StatusTest, AFailureNeverReadsAsSuccess) {
  // Made with kind ok by mistake, copied, or moved from: still a failure.
  const Status odd = Status::Error(Kind::kOk, "f", "broken");
  EXPECT_FALSE(odd.ok());
  EXPECT_FALSE(odd.Is(Kind::kOk));
  Status copy = odd;
  EXPECT_FALSE(copy.ok());
  EXPECT_EQ(copy.message(), "f: broken");
  copy = Status();
  EXPECT_TRUE(copy.ok());
  EXPECT_FALSE(odd.ok());  // the copy was its own
  const Result<int> none{Status()};
  EXPECT_FALSE(none.ok());
  EXPECT_FALSE(none.status().ok());
}

TEST(StatusTest, ResultHoldsAValueOrTheReasonForNone) {
  const Result<std::string> value{std::string("bytes")};
  ASSERT_TRUE(value);
  EXPECT_EQ(*value, "bytes");
  EXPECT_EQ(value->size(), 5u);
  EXPECT_TRUE(value.status().ok());
  const Result<std::string> failed{Status::FromErrno(EACCES, "f")};
  ASSERT_FALSE(failed);
  EXPECT_TRUE(failed.status().Is(Kind::kPermissionDenied));
}

}  // namespace
}  // namespace kz
