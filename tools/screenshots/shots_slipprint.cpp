// The slip printing window with an opened slip file, and the first printed slip rendered from its
// PDF with the slip's boxes drawn in faintly, to see that every cross sits in its box.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "core/slip_file.h"
#include "core/program.h"
#include "printing/slip_geometry.h"
#include "printing/slip_printer.h"
#include "tools/screenshots/shots.h"
#include "ui/data_store.h"
#include "ui/BEDruck.h"

namespace {

// Thirteen rows: two full slips and one row on the third.
std::string WriteFamilySlip() {
  const int rows[13][7] = {{3, 11, 19, 27, 44, 2, 9},  {5, 8, 23, 31, 50, 1, 12}, {1, 14, 22, 36, 41, 4, 7},
                           {7, 17, 28, 33, 46, 3, 10}, {2, 12, 25, 39, 48, 5, 11}, {9, 16, 21, 30, 42, 6, 8},
                           {4, 13, 26, 35, 47, 2, 3},  {6, 18, 29, 37, 45, 7, 12}, {10, 15, 24, 32, 49, 1, 9},
                           {11, 20, 27, 38, 43, 4, 11}, {8, 19, 23, 34, 40, 5, 6}, {12, 16, 22, 31, 44, 8, 10},
                           {2, 7, 12, 22, 38, 4, 7}};
  std::vector<kw::TSchein> slip;
  for (const auto& r : rows) {
    kw::TSchein t;
    for (std::size_t i = 0; i < 5; ++i) t.GZ[i] = static_cast<std::uint8_t>(r[i]);
    t.SZ[0] = static_cast<std::uint8_t>(r[5]);
    t.SZ[1] = static_cast<std::uint8_t>(r[6]);
    slip.push_back(t);
  }
  const std::string path = kw::shots::Store().dataFile("Familienrunde.emt");
  (void)kw::SaveSlipRows(slip, path);
  return path;
}

// The page of the PDF as an image, cropped to the slip, with the boxes outlined where the marks
// belong after the horizontal correction.
bool RenderSlipPage(const QString& pdf, const QString& png, int horizontal) {
  QTemporaryDir tmp;
  const QString prefix = tmp.filePath(QStringLiteral("page"));
  constexpr int kDpi = 150;
  if (QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(kDpi),
                                                      QStringLiteral("-singlefile"), pdf, prefix}) != 0)
    return false;
  QImage page(prefix + QStringLiteral(".png"));
  if (page.isNull()) return false;
  const double px = kDpi / 254.0;  // pixels per tenth of a millimetre
  QPainter p(&page);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0xE0, 0x60, 0x60, 150), 1));
  auto box = [&](kw::SlipPoint at) { p.drawRect(QRectF((at.x + horizontal) * px, at.y * px, 32 * px, 34 * px)); };
  for (int panel = 1; panel <= kw::kSlipPanels; ++panel) {
    for (int n = 1; n <= 50; ++n) box(*kw::MainNumberPosition(panel, n));
    for (int s = 1; s <= 12; ++s) box(*kw::StarPosition(panel, s));
  }
  for (int i = 0; i < kw::kJokerOptions; ++i) box(*kw::JokerPosition(i));
  for (int i = 0; i < kw::kDrawCountOptions; ++i) box(*kw::DrawCountPosition(i));
  p.end();
  return page.copy(0, 0, page.width(), static_cast<int>(1250 * px)).save(png);
}

}  // namespace

KW_SCREENSHOTS("slipprint") {
  bool ok = true;
  const std::string slip = WriteFamilySlip();
  QTemporaryDir jobs;
  const QString stem = jobs.filePath(QStringLiteral("schein"));
  kw::ui::TFBEDruck::setTestPrinterSource([stem] { return std::make_unique<kw::PdfSlipJobs>(stem); });
  {
    kw::ui::TFBEDruck window(kw::shots::Store());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.openSlipFile(QString::fromStdString(slip));
    window.setJokerIndex(1);
    window.setDrawCountIndex(2);
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/spielschein-druck.png"));

    window.cbFragen->setChecked(false);
    window.BAusdruck->click();
    const QString png = outDir + QStringLiteral("/spielschein-druck-schein-1.png");
    const bool rendered = RenderSlipPage(stem + QStringLiteral("-1.pdf"), png, 250);
    std::printf("%s %s\n", rendered ? "saved" : "FAILED", qPrintable(png));
    ok &= rendered;
  }
  kw::ui::TFBEDruck::setTestPrinterSource(nullptr);
  return ok;
}
