// GetField: the n-th field of a separated text line, with backquote quoting, blank trimming and
// a length limit. Shared by the configuration file's "scheduled" lines and the Citect readers of
// station project files.
#pragma once

#include <string>
#include <string_view>

namespace kz::config {

// Field numbers count from 1 (n < 1 gives the empty text). A separator of '\0' means that blanks
// (space, tab, LF, CR) separate the fields. At most `max_len` bytes are kept.
std::string GetField(std::string_view line, char separator, int n, int max_len);

}  // namespace kz::config
