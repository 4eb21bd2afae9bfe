#include "platform/file_faults.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>

namespace kz::platform {
namespace {

std::atomic<bool> hooked{false};
std::mutex hook_mutex;
std::function<bool(FileStep)>& Hook() {
  static std::function<bool(FileStep)> hook;
  return hook;
}

}  // namespace

std::string_view FileStepName(FileStep step) {
  // In the order of FileStep.
  static constexpr std::array<std::string_view, 9> kNames = {
      "open", "lock", "read", "mode", "write", "sync", "name", "close", "rename"};
  const auto i = static_cast<std::size_t>(step);
  return i < kNames.size() ? kNames[i] : "?";
}

void SetFileFaultHook(std::function<bool(FileStep)> hook) {
  std::lock_guard lock(hook_mutex);
  hooked = static_cast<bool>(hook);
  Hook() = std::move(hook);
}

bool FileStepFails(FileStep step) {
  if (!hooked.load(std::memory_order_relaxed)) return false;
  std::function<bool(FileStep)> hook;
  {
    std::lock_guard lock(hook_mutex);
    hook = Hook();
  }
  if (!hook || !hook(step)) return false;
  errno = EIO;
  return true;
}

}  // namespace kz::platform
