// The settings window, the calendar, the about box and a printed grid page.
#include <QCalendarWidget>
#include <QDate>
#include <QDir>
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
#include "ui/Optionen.h"
#include "ui/info.h"

namespace {

// Three remembered slips, one of them deleted since: the list shows two.
void RememberSlips() {
  kw::DataSet& state = kw::App();
  const char* names[] = {"Mittwochsrunde.emt", "Familie Sommer.emt", "Gelöscht.emt"};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string path = state.DataDir + names[i];
    if (i < 2) (void)kw::WriteFileAtomically(path, {});
    state.Settings.recentSlips[i] = path;
  }
  state.Settings.ComboBZ = 1;
  state.Settings.ComboWZ = 3;
  state.Settings.ComboGar = 2;
  state.Settings.ComboBudget = 255;
  state.Settings.RG1 = 6;
  state.Settings.EReihen = 25;
  state.Settings.CBStandardZuf = true;
  state.Settings.CBGewinnreihen = true;
  state.Settings.CBGewinnQuoten = true;
  state.SettingsPresent = true;
}

bool PrintedGridPage(const QString& outDir) {
  const auto& draws = kw::App().Draws;
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
  if (auto loaded = kw::LoadDraws(kw::App()); !loaded) std::fprintf(stderr, "draw history not loaded\n");
  ok &= PrintedGridPage(outDir);

  RememberSlips();
  {
    kw::ui::TFOptionen settings;
    ok &= kw::shots::Save(settings, outDir + QStringLiteral("/optionen.png"));
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
