// Reading outside files (configuration, profiles, registry hives, dBase tables): the one place
// that opens them for reading. Only regular files are read: a FIFO would block the reader until
// some writer came, a device may never end or have side effects on open, and a writer that read
// such a thing as an empty file would go on to replace it. Nothing here ever blocks on open.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/unique_fd.h"

namespace kz::platform {

// errno for a path naming a FIFO, device or socket where a file is expected (a folder gives
// EISDIR). Linux has no errno of its own for this; FileErrorText names it.
inline constexpr int kNotRegularFile = EMEDIUMTYPE;

// strerror's text, and "not a regular file (a FIFO, device or socket)" for kNotRegularFile.
std::string FileErrorText(int error);

// Opens an existing regular file for reading (`access` O_RDONLY) or reading and writing
// (O_RDWR), without blocking and without ever opening a device. Invalid with errno set on
// failure: ENOENT when there is none, EISDIR for a folder, kNotRegularFile for the rest.
UniqueFd OpenRegularFile(const std::filesystem::path& path, int access);

// The whole file through OpenRegularFile. False with errno set; `out` then holds nothing useful.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out);

// The rest of an open file, appended to `out`; capacity reserved beforehand is used in place.
bool ReadToEnd(int fd, std::string& out);

// Up to `size` bytes at `offset`, fewer only at the end of the file or on an error (errno set).
std::size_t ReadAt(int fd, std::uint64_t offset, char* dst, std::size_t size);

}  // namespace kz::platform
