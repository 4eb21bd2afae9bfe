// Texts between the core's 8-bit bytes and Qt's QString: UTF-8, with Latin-1 for bytes that are
// not valid UTF-8, so that no byte is lost on a round trip through a widget.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kz::qtui {

QString ToQString(std::string_view bytes);
// The UTF-8 bytes of `text`; `original` (the bytes the text was shown from) is returned as it was
// when the widget left the text unchanged.
std::string FromQString(const QString& text, std::string_view original = {});

}  // namespace kz::qtui
