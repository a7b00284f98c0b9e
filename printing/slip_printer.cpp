#include "printing/slip_printer.h"

#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace kw {

namespace {

constexpr int kMarkHeight = 35;  // 3.5 mm from the top of the text to the bottom of its line

// A bold font whose line (ascent plus descent) is `height` units tall.
QFont MarkFont(int height) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  constexpr int kProbe = 1000;
  font.setPixelSize(kProbe);
  const double line = QFontMetricsF(font).height();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * kProbe / (line > 0 ? line : kProbe)))));
  return font;
}

}  // namespace

PrintCorrection PrinterMargins(const QPrinter& printer, int horizontal, int vertical) {
  PrintCorrection correction{horizontal, vertical, 0, 0};
  if (printer.fullPage()) return correction;  // the painter's origin is the paper's corner
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const double tenthsPerPixel = 254.0 / printer.resolution();
  correction.marginLeft = static_cast<int>(std::lround((page.left() - paper.left()) * tenthsPerPixel));
  correction.marginTop = static_cast<int>(std::lround((page.top() - paper.top()) * tenthsPerPixel));
  return correction;
}

bool PrintSlip(QPrinter& printer, const std::vector<SlipMark>& marks, int horizontal, int vertical) {
  printer.setDocName(QString::fromUtf8(kSlipJobTitle));
  const PrintCorrection correction = PrinterMargins(printer, horizontal, vertical);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // Tenths of a millimetre from the top-left corner of the printable area, y downward.
  const double scale = printer.resolution() / 254.0;
  painter.scale(scale, scale);
  painter.setFont(MarkFont(kMarkHeight));
  painter.setPen(QColor(0x00, 0x00, 0x80));
  for (const SlipMark& mark : marks) {
    const SlipPoint at = PagePosition(mark.at, correction);
    painter.drawText(QRectF(at.x, at.y, 10000, 1000),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                     QString::fromStdString(mark.text));
  }
  return painter.end();
}

SamePrinterJobs::SamePrinterJobs(QPrinter& printer) : printer_(printer), fileName_(printer.outputFileName()) {}

SamePrinterJobs::~SamePrinterJobs() {
  if (!fileName_.isEmpty()) printer_.setOutputFileName(fileName_);
}

QPrinter* SamePrinterJobs::printerForJob(int job) {
  if (!fileName_.isEmpty()) {
    QString name = fileName_;
    if (job > 1) {
      const QFileInfo info(fileName_);
      const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
      name = fileName_.left(fileName_.size() - suffix.size()) + QStringLiteral("-%1").arg(job) + suffix;
    }
    printer_.setOutputFileName(name);
  }
  return &printer_;
}

PdfSlipJobs::PdfSlipJobs(QString stem, bool fullPage) : stem_(std::move(stem)), fullPage_(fullPage) {}

PdfSlipJobs::~PdfSlipJobs() = default;

QString PdfSlipJobs::fileOf(int job) const { return stem_ + QStringLiteral("-%1.pdf").arg(job); }

QPrinter* PdfSlipJobs::printerForJob(int job) {
  jobs_ = std::max(jobs_, job);
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(fileOf(job));
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setFullPage(fullPage_);
  if (!fullPage_) printer_->setPageMargins(QMarginsF(10, 15, 10, 10), QPageLayout::Millimeter);
  return printer_.get();
}

}  // namespace kw
