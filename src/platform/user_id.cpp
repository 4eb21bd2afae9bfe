#include "platform/user_id.h"

#include <unistd.h>

#include <atomic>

namespace kz::platform {
namespace {

// -1 while no stand-in is set; uid_t fits in the wider signed type.
std::atomic<long long> g_stand_in{-1};

}  // namespace

uid_t CurrentUserId() {
  const long long stand_in = g_stand_in.load();
  return stand_in >= 0 ? static_cast<uid_t>(stand_in) : geteuid();
}

void SetUserIdForTesting(std::optional<uid_t> uid) {
  g_stand_in.store(uid ? static_cast<long long>(*uid) : -1);
}

}  // namespace kz::platform
