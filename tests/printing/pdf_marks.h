#pragma once
// Reads the marks of a printed slip back from its PDF: every word with its box, converted to
// tenths of a millimetre from the paper's top-left corner, as poppler's pdftotext sees it.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <vector>

namespace kwtest {

struct PrintedWord {
  QString text;
  double x = 0;  // left edge of the text, tenths of a millimetre
  double y = 0;  // top of the text line
};

inline std::vector<PrintedWord> ReadPrintedWords(const QString& pdf) {
  QProcess proc;
  proc.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  proc.waitForFinished(30000);
  const QString html = QString::fromUtf8(proc.readAllStandardOutput());
  static const QRegularExpression word(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
  constexpr double kTenthsPerPoint = 254.0 / 72.0;
  std::vector<PrintedWord> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(3), m.captured(1).toDouble() * kTenthsPerPoint, m.captured(2).toDouble() * kTenthsPerPoint});
  }
  return words;
}

// The pages of a PDF, from pdfinfo.
inline int PdfPages(const QString& pdf) {
  QProcess proc;
  proc.start(QStringLiteral("pdfinfo"), {pdf});
  proc.waitForFinished(30000);
  static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
  const auto m = pages.match(QString::fromUtf8(proc.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace kwtest
