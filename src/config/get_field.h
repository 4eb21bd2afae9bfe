// GetField: the n-th field of a separated text line, with backquote quoting, blank trimming and
// a length limit. Shared by the configuration file's "scheduled" lines and the Citect readers of
// station project files.
#pragma once

#include <string>
#include <string_view>

namespace kz::config {

// Field numbers count from 1 (n < 1 gives the empty text). A separator of '\0' means that blanks
// (space, tab, LF, CR) separate the fields. A backquote toggles quoting (separators between
// backquotes are text) and is never part of a field. Blanks and control characters at the start
// of the field are dropped, at most `max_len` bytes are kept (max_len < 1 gives the empty text),
// then outer spaces are trimmed.
std::string GetField(std::string_view line, char separator, int n, int max_len);

}  // namespace kz::config
