#include "ui/qt/text.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace kz::qtui {

QString ToQString(std::string_view bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder(view);
  if (decoder.hasError()) return QString::fromLatin1(view);
  return text;
}

std::string FromQString(const QString& text, std::string_view original) {
  if (!original.empty() && ToQString(original) == text) return std::string(original);
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace kz::qtui
