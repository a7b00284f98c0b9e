// Opens each window offscreen on fixture data and saves it as a PNG, to look at after a change.
// Usage: kw_screenshots [output folder] [draws.csv]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/german_format.h"
#include "core/program.h"
#include "ui/Auswertung.h"
#include "ui/Start.h"
#include "ui/message_box.h"
#include "tools/screenshots/shots.h"

namespace {

// "dd.mm.yyyy;z1;z2;z3;z4;z5;s1;s2" lines after a header line.
bool WriteHistoryFromCsv(const QString& csvPath, const std::string& target) {
  QFile csv(csvPath);
  if (!csv.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  std::vector<kw::TGewZahlen> draws;
  QTextStream in(&csv);
  in.readLine();
  while (!in.atEnd()) {
    const QStringList fields = in.readLine().split(QLatin1Char(';'));
    if (fields.size() < 8) continue;
    const auto date = kw::ParseDateText(fields[0].trimmed().toStdString());
    if (!date) continue;
    kw::TGewZahlen draw;
    draw.datum = *date;
    for (int i = 0; i < 7; ++i) {
      const auto n = kw::ParseStrictInt(fields[i + 1].trimmed().toStdString());
      const auto value = static_cast<std::uint8_t>(n ? *n : 0);
      if (i < 5)
        draw.GZ[static_cast<std::size_t>(i)] = value;
      else
        draw.SZ[static_cast<std::size_t>(i - 5)] = value;
    }
    draws.push_back(draw);
  }
  return kw::WriteFileAtomically(target, kw::EncodeRecords(draws)).ok();
}

std::map<std::string, std::function<bool(const QString&)>>& Registry() {
  static std::map<std::string, std::function<bool(const QString&)>> registry;
  return registry;
}

}  // namespace

namespace kw::shots {

bool Save(QWidget& window, const QString& path) {
  window.show();
  QApplication::processEvents();
  const bool ok = window.grab().save(path);
  std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", qPrintable(path), window.width(), window.height());
  return ok;
}

Registrar::Registrar(const char* name, std::function<bool(const QString& outDir)> run) {
  Registry().emplace(name, std::move(run));
}

}  // namespace kw::shots

using kw::shots::Save;

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  QApplication app(argc, argv);
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
  const QString csv = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(KW_HISTORY_DIR "/draws.csv");
  QDir().mkpath(outDir);
  kw::ui::MessageBox::setTestMode(true);
  bool ok = true;

  {
    kw::ui::TFStart splash;
    splash.setAttribute(Qt::WA_DeleteOnClose, false);
    splash.setInitialisationDone(nullptr);
    ok &= Save(splash, outDir + QStringLiteral("/start.png"));
  }
  {
    kw::ui::TFAuswertung empty;
    ok &= Save(empty, outDir + QStringLiteral("/auswertung-leer.png"));
  }
  if (!WriteHistoryFromCsv(csv, kw::App().dataFile(kw::kDrawsFileName))) {
    std::fprintf(stderr, "cannot convert %s\n", qPrintable(csv));
    return 1;
  }
  {
    kw::ui::TFAuswertung main;
    ok &= Save(main, outDir + QStringLiteral("/auswertung.png"));
  }
  for (const auto& [name, run] : Registry()) ok &= run(outDir);
  for (const auto& shown : kw::ui::MessageBox::shown())
    std::printf("message: %s\n", qPrintable(kw::ui::MessageBox::displayText(shown.text)));
  return ok ? 0 : 1;
}
