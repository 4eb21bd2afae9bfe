// Conversion of the options text between the COM boundary (UTF-16) and the module's 8-bit texts
// (UTF-8 bytes). Bytes that are not UTF-8 travel as the lone surrogates U+DC80..U+DCFF, so any
// byte string survives a round trip; other lone surrogates become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace kz::shell {

std::string Utf16ToUtf8(std::u16string_view text);
// A null pointer is the empty text.
std::string Utf16ToUtf8(const char16_t* text);
std::u16string Utf8ToUtf16(std::string_view bytes);

// True when every byte belongs to a well-formed UTF-8 sequence (no overlong forms, surrogates or
// values beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace kz::shell
