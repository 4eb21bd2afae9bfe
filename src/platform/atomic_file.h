// Files are never half-written: the new content goes to a temporary file in the same folder,
// is flushed to disk and renamed over the old file. Any failure removes the temporary file and
// leaves the old file as it was.
//
// The temporary file is unnamed where the file system allows (O_TMPFILE) and gets a name only
// just before the rename: ".NAME.kztmp-PID-N". A save killed in between leaves that name behind;
// the next save of NAME removes every such file whose process has ended.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/status.h"

namespace kz::platform {

// Replaces (or creates) `path` with `bytes`. Only a regular file is replaced (kIsFolder or
// kNotRegularFile otherwise), and only one the caller could open for writing
// (kPermissionDenied for a read-only file, even in a writable folder).
// A new file gets mode 0666 less the umask. A replaced file keeps its permission bits, and its
// owner and group where the caller may set them; the new content is never readable under
// other permissions than those.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kz::platform
