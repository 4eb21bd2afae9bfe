// Reading outside files (configuration, profiles, registry hives, dBase tables): the one place
// that opens them for reading. Only regular files are read: a FIFO would block the reader until
// some writer came, a device may never end or have side effects on open, and a writer that read
// such a thing as an empty file would go on to replace it. Nothing here ever blocks on open.
//
// Every failure is a Status naming the file (status.h).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/status.h"
#include "platform/unique_fd.h"

namespace kz::platform {

// The refusal of `file` whose stat mode `mode` is not a regular file's: kIsFolder ("Is a
// directory") for a folder, kNotRegularFile ("not a regular file (a FIFO, device or socket)")
// for the rest.
Status NotRegularFile(const std::filesystem::path& file, mode_t mode);

// Opens an existing regular file for reading (`access` O_RDONLY) or reading and writing
// (O_RDWR), without blocking and without ever opening a device: kNotFound when there is none,
// kIsFolder or kNotRegularFile for what is not a file.
Result<UniqueFd> OpenRegularFile(const std::filesystem::path& path, int access);

// The whole file through OpenRegularFile, appended to `out`; on failure `out` holds nothing
// useful.
Status ReadWholeFile(const std::filesystem::path& path, std::string& out);

// The rest of the open `file`, appended to `out`; capacity reserved beforehand is used in place.
Status ReadToEnd(int fd, const std::filesystem::path& file, std::string& out);

// Up to `size` bytes at `offset` of the open `file`, fewer only at its end.
Result<std::size_t> ReadAt(int fd, const std::filesystem::path& file, std::uint64_t offset,
                           char* dst, std::size_t size);

}  // namespace kz::platform
