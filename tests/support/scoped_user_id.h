// ScopedUserId: for its lifetime, files and peers of this process count as another user's.
#pragma once

#include <unistd.h>

#include "platform/user_id.h"

namespace kz::test {

class ScopedUserId {
 public:
  explicit ScopedUserId(uid_t uid = geteuid() + 1) { platform::SetUserIdForTesting(uid); }
  ~ScopedUserId() { platform::SetUserIdForTesting(std::nullopt); }
  ScopedUserId(const ScopedUserId&) = delete;
  ScopedUserId& operator=(const ScopedUserId&) = delete;
};

}  // namespace kz::test
