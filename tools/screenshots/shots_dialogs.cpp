// The settings window, the calendar, the about box and a printed grid page.
#include <QCalendarWidget>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardItemModel>
#include <cstdio>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/program.h"
#include "printing/print_grid.h"
#include "tools/screenshots/shots.h"
#include "ui/Kal.h"
#include "ui/data_store.h"
#include "ui/window_catalogue.h"
#include "ui/Optionen.h"
#include "ui/file_dialog.h"
#include "ui/info.h"

namespace {

// Three remembered slips, one of them deleted since: the list shows two.
void RememberSlips() {
  kw::ui::DataStore& store = kw::shots::Store();
  kw::SettingsRecord record;
  const char* names[] = {"Mittwochsrunde.emt", "Familie Sommer.emt", "Gelöscht.emt"};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string path = store.dataFile(names[i]);
    if (i < 2) (void)kw::WriteFileAtomically(path, {});
    record.recentSlips[i] = path;
  }
  record.ComboBZ = 1;
  record.ComboWZ = 3;
  record.ComboGar = 2;
  record.ComboBudget = 255;
  record.RG1 = 6;
  record.EReihen = 25;
  record.CBStandardZuf = true;
  record.CBGewinnreihen = true;
  record.CBGewinnQuoten = true;
  (void)store.saveSettings(record);
}

bool PrintedGridPage(const QString& outDir) {
  const auto& draws = kw::shots::Store().draws();
  const int rows = std::min<int>(90, static_cast<int>(draws.size()));
  QStandardItemModel grid(rows, 8);
  const char* headers[] = {"Datum", "Z 1", "Z 2", "Z 3", "Z 4", "Z 5", "S1", "S2"};
  for (int c = 0; c < 8; ++c) grid.setHorizontalHeaderItem(c, new QStandardItem(QString::fromUtf8(headers[c])));
  for (int r = 0; r < rows; ++r) {
    const auto& d = draws[draws.size() - static_cast<std::size_t>(rows - r)];
    grid.setItem(r, 0, new QStandardItem(QString::fromStdString(kw::DateText(d.datum))));
    for (int i = 0; i < 5; ++i) grid.setItem(r, 1 + i, new QStandardItem(QString::number(d.GZ[static_cast<std::size_t>(i)])));
    for (int i = 0; i < 2; ++i) grid.setItem(r, 6 + i, new QStandardItem(QString::number(d.SZ[static_cast<std::size_t>(i)])));
  }
  const QString pdf = QDir(outDir).filePath(QStringLiteral("druck-liste.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageSize(QPageSize(QPageSize::A4));
  if (!kw::PrintGrid(printer, grid, {67, 32, 32, 32, 32, 32, 30, 30}, QStringLiteral("Gewinnreihen der letzten Ziehungen"),
                     QPageLayout::Portrait))
    return false;
  const QString prefix = QDir(outDir).filePath(QStringLiteral("druck-liste-seite"));
  const int rc = QProcess::execute(QStringLiteral("pdftoppm"),
                                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), pdf, prefix});
  QFile::remove(pdf);
  std::printf("%s %s-*.png\n", rc == 0 ? "saved" : "FAILED", qPrintable(prefix));
  return rc == 0;
}

}  // namespace

KW_SCREENSHOTS("dialogs") {
  bool ok = true;
  {
    // Qt's own dialogs speak German too: opening a slip file and setting up the page.
    QFileDialog open(nullptr, QStringLiteral("Datei wählen"), kw::shots::Store().dataFolder(),
                     kw::ui::FileDialog::qtFilter(QString::fromUtf8(kw::kSlipFilter)));
    open.setFileMode(QFileDialog::ExistingFile);
    open.setOption(QFileDialog::DontUseNativeDialog);
    open.resize(760, 460);
    ok &= kw::shots::Save(open, outDir + QStringLiteral("/dateidialog.png"));
    QPrinter printer(QPrinter::HighResolution);
    QPageSetupDialog setUp(&printer);
    ok &= kw::shots::Save(setUp, outDir + QStringLiteral("/seiteneinrichtung.png"));
  }
  ok &= PrintedGridPage(outDir);

  RememberSlips();
  {
    kw::ui::TFOptionen settings(kw::shots::Catalogue().context());
    ok &= kw::shots::Save(settings, outDir + QStringLiteral("/optionen.png"));
    // The other pictures show a program without remembered slips.
    (void)kw::shots::Store().saveSettings(kw::SettingsRecord{});
  }
  {
    kw::ui::TFKal calendar;
    calendar.MC1->setSelectedDate(QDate(2024, 3, 19));
    ok &= kw::shots::Save(calendar, outDir + QStringLiteral("/kalender.png"));
  }
  {
    kw::ui::TFInfo info;
    info.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= kw::shots::Save(info, outDir + QStringLiteral("/info.png"));
  }
  return ok;
}
