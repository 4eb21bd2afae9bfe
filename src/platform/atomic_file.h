// Files are never half-written: the new content goes to a temporary file in the same folder,
// is flushed to disk and renamed over the old file. Any failure removes the temporary file and
// leaves the old file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace kz::platform {

// Replaces (or creates) `path` with `bytes`. False on any failure; errno tells why.
// A new file gets mode 0666 less the umask; a replaced file keeps its permission bits.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Test hook: called before each system call of WriteFileAtomically with a running step number
// (1, 2, 3, ...); returning true makes that step fail. Pass nullptr to remove the hook.
void SetAtomicWriteFaultHook(std::function<bool(int step)> hook);

}  // namespace kz::platform
