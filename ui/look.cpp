#include "ui/look.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QApplication>

namespace kw::ui {

bool UseGermanQtTexts() {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QFont ProgramFont() {
  QFont font = QApplication::font();
  // Every property set explicitly, so a bold group box title does not leak into its children.
  font.setFamily(font.family());
  font.setPointSize(8);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

QFont BoldFont(int pointSize) {
  QFont font = ProgramFont();
  font.setPointSize(pointSize);
  font.setBold(true);
  return font;
}

QString BreakAtHyphens(const QString& text) {
  QString out = text;
  for (qsizetype i = 1; i + 1 < out.size(); ++i)
    if (out[i] == QLatin1Char('-') && out[i + 1] == QLatin1Char(' ') && out[i - 1].isLetter())
      out[i + 1] = QLatin1Char('\n');
  return out;
}

}  // namespace kw::ui
