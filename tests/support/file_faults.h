// Fault runs over the file seam (platform/file_faults.h), and child processes for races.
#pragma once

#include <functional>
#include <string>

#include "platform/file_faults.h"

namespace kz::test {

// Runs `action` again and again with its first file step failing, then its second, and so on,
// until a run gets past all its steps. Every failed run must return false, and `after_failure`
// then checks what it left (its argument names the step: "step 3: write"); the last run must
// return true. Returns the number of steps of that last run.
int FailEachStepInTurn(const std::function<bool()>& action,
                       const std::function<void(const std::string& step)>& after_failure);

// Runs `action` with every file step of kind `step` failing but the first `spared`; its result.
bool WithFailingStep(platform::FileStep step, const std::function<bool()>& action, int spared = 0);

// Runs `body(0)` ... `body(count - 1)` in as many forked processes at once and waits for them;
// true when every one returned true.
bool InChildProcesses(int count, const std::function<bool(int index)>& body);

}  // namespace kz::test
