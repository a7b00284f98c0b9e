#include "ui/text_file.h"

#include <QByteArray>
#include <QStringDecoder>

#include "core/cp1252.h"

namespace kw::ui {

QString DecodeTextFile(const std::vector<std::uint8_t>& bytes) {
  const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(raw);
  if (utf8.hasError()) text = QString::fromStdString(Cp1252ToUtf8(raw.toStdString()));
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace kw::ui
