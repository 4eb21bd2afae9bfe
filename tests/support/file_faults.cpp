#include "support/file_faults.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <vector>

#include "platform/file_faults.h"

namespace kz::test {

int FailEachStepInTurn(const std::function<bool()>& action,
                       const std::function<void(const std::string& step)>& after_failure) {
  using platform::FileStep;
  constexpr int kMaxSteps = 10000;
  for (int failing = 1; failing <= kMaxSteps; ++failing) {
    int steps = 0;
    std::optional<FileStep> failed;
    platform::SetFileFaultHook([&](FileStep step) {
      if (++steps != failing) return false;
      failed = step;
      return true;
    });
    const bool ok = action();
    platform::SetFileFaultHook(nullptr);
    if (!failed) {
      EXPECT_TRUE(ok) << "no step failed, yet the run did";
      return steps;
    }
    const std::string label =
        "step " + std::to_string(failing) + ": " + std::string(platform::FileStepName(*failed));
    EXPECT_FALSE(ok) << label << " failed, yet the run succeeded";
    after_failure(label);
  }
  ADD_FAILURE() << "the run never got past its steps";
  return kMaxSteps;
}

bool WithFailingStep(platform::FileStep step, const std::function<bool()>& action, int spared) {
  int seen = 0;
  platform::SetFileFaultHook([&](platform::FileStep s) { return s == step && ++seen > spared; });
  const bool result = action();
  platform::SetFileFaultHook(nullptr);
  return result;
}

bool InChildProcesses(int count, const std::function<bool(int index)>& body) {
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    const pid_t child = fork();
    if (child == 0) _exit(body(i) ? 0 : 1);
    if (child > 0) children.push_back(child);
  }
  bool ok = static_cast<int>(children.size()) == count;
  for (pid_t child : children) {
    int status = 0;
    ok &= waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok;
}

}  // namespace kz::test
