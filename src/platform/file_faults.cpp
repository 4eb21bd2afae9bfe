#include "platform/file_faults.h"

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
  switch (step) {
    case FileStep::Open:
      return "open";
    case FileStep::Lock:
      return "lock";
    case FileStep::Read:
      return "read";
    case FileStep::Mode:
      return "mode";
    case FileStep::Write:
      return "write";
    case FileStep::Sync:
      return "sync";
    case FileStep::Name:
      return "name";
    case FileStep::Close:
      return "close";
    case FileStep::Rename:
      return "rename";
  }
  return "?";
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
