#include "platform/tick.h"

#include <chrono>

namespace kz::platform {

std::uint32_t GetTickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace kz::platform
