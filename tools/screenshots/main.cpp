// Opens each window offscreen on the real history and saves it as a PNG, to look at after a
// change. Every picture in docs/screenshots comes from here.
// Usage: kw_screenshots [output folder] [folder with draws.csv and quotas.csv]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/csv_import.h"
#include "core/file_io.h"
#include "core/program.h"
#include "tools/screenshots/shots.h"
#include "ui/Auswertung.h"
#include "ui/Quoten.h"
#include "ui/Start.h"
#include "ui/Statistik1.h"
#include "ui/SysTest.h"
#include "ui/Update.h"
#include "ui/data_store.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/window_catalogue.h"

namespace {

std::map<std::string, std::function<bool(const QString&)>>& Registry() {
  static std::map<std::string, std::function<bool(const QString&)>> registry;
  return registry;
}

std::unique_ptr<kw::ui::DataStore>& TheStore() {
  static std::unique_ptr<kw::ui::DataStore> store;
  return store;
}

std::unique_ptr<kw::ui::WindowCatalogue>& TheCatalogue() {
  static std::unique_ptr<kw::ui::WindowCatalogue> catalogue;
  return catalogue;
}

// The real history and prize amounts, imported as a user would.
bool ImportHistory(const QString& folder) {
  for (const bool quotas : {false, true}) {
    const std::string path = QString(folder + (quotas ? QStringLiteral("/quotas.csv") : QStringLiteral("/draws.csv"))).toStdString();
    const auto bytes = kw::ReadWholeFile(path, 64u << 20);
    if (!bytes) return false;
    const std::string text(bytes->begin(), bytes->end());
    const bool ok = TheStore()->change([&](kw::DataSet& d) {
      return quotas ? kw::ImportQuotasCsv(d, text).ok() : kw::ImportDrawsCsv(d, text).ok();
    });
    if (!ok) return false;
  }
  return true;
}

}  // namespace

namespace kw::shots {

kw::ui::DataStore& Store() { return *TheStore(); }

kw::ui::WindowCatalogue& Catalogue() {
  if (!TheCatalogue()) {
    TheCatalogue() = std::make_unique<kw::ui::WindowCatalogue>(Store());
    TheCatalogue()->createWindows();
  }
  return *TheCatalogue();
}

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
  kw::ui::UseGermanQtTexts();
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
  const QString history = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(KW_HISTORY_DIR);
  QDir().mkpath(outDir);
  kw::ui::MessageBox::setTestMode(true);
  bool ok = true;

  {
    kw::ui::TFStart splash;
    splash.setAttribute(Qt::WA_DeleteOnClose, false);
    splash.setInitialisationDone(nullptr);
    ok &= Save(splash, outDir + QStringLiteral("/start.png"));
  }
  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  if (folder.problem) {
    std::fprintf(stderr, "%s\n", folder.problem->message.c_str());
    return 1;
  }
  // The start put the shipped history in; the first picture shows the design without any.
  std::remove((folder.path + kw::kDrawsFileName).c_str());
  std::remove((folder.path + kw::kQuotasFileName).c_str());
  {
    // No history yet.
    kw::ui::DataStore empty(folder.path);
    kw::ui::WindowCatalogue catalogue(empty);
    catalogue.createWindows();
    ok &= Save(*catalogue.mainWindow(), outDir + QStringLiteral("/auswertung-leer.png"));
    // Zeros everywhere, and every draw day since 2004 with the standard amounts.
    ok &= Save(*catalogue.statistics(), outDir + QStringLiteral("/statistik-leer.png"));
    ok &= Save(*catalogue.quotaWindow(), outDir + QStringLiteral("/quoten-leer.png"));
    ok &= Save(*catalogue.tipAnalysis(), outDir + QStringLiteral("/tippreihen-analyse-leer.png"));
    ok &= Save(*catalogue.updateWindow(), outDir + QStringLiteral("/update-leer.png"));
  }
  TheStore() = std::make_unique<kw::ui::DataStore>(folder.path);
  if (!ImportHistory(history)) {
    std::fprintf(stderr, "cannot import the history of %s\n", qPrintable(history));
    return 1;
  }
  for (const auto& [name, run] : Registry()) ok &= run(outDir);
  for (const auto& shown : kw::ui::MessageBox::shown())
    std::printf("message: %s\n", qPrintable(kw::ui::MessageBox::displayText(shown.text)));
  TheCatalogue().reset();
  TheStore().reset();
  return ok ? 0 : 1;
}
