// GetTickCount on this platform: a 32-bit millisecond count from the monotonic clock. It wraps
// after about 49.7 days, so deadlines are compared by signed difference.
#pragma once

#include <cstdint>

namespace kz::platform {

std::uint32_t GetTickCount();

// True once `now` has reached `deadline`, across the wrap of the count.
constexpr bool TickReached(std::uint32_t now, std::uint32_t deadline) {
  return static_cast<std::int32_t>(now - deadline) >= 0;
}

}  // namespace kz::platform
