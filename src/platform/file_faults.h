// The one seam through which a test makes any step of reading or writing outside files fail, as
// a full disk, a lost mount or a failing device would. The file code (file_io.h, file_lock.h,
// atomic_file.h) asks FileStepFails before each system call a fault could break; with no hook
// installed that costs one atomic load.
#pragma once

#include <functional>
#include <string_view>

namespace kz::platform {

enum class FileStep {
  Open,    // opening a file to read or lock, or the temporary file
  Lock,    // taking a file's update lock
  Read,    // each read
  Mode,    // giving the new file its mode
  Write,   // each write of new content
  Sync,    // flushing the new content to disk
  Name,    // naming the unnamed temporary file
  Close,   // closing the new file
  Rename,  // putting the new file in place of the old
};

std::string_view FileStepName(FileStep step);

// Installs the hook, called before each step of every thread; returning true makes that step
// fail with errno EIO. nullptr removes it.
void SetFileFaultHook(std::function<bool(FileStep)> hook);

// For the file code: true, with errno EIO, when the hook fails this step.
bool FileStepFails(FileStep step);

}  // namespace kz::platform
