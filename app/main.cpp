// Start-up: splash first, then the data folder and the windows, then "Weiter" lets the user in.
#include <QApplication>
#include <exception>

#include "ui/Auswertung.h"
#include "ui/Start.h"
#include "ui/data_store.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/window_catalogue.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kugelwerk"));
  kw::ui::UseGermanQtTexts();

  auto* splash = new kw::ui::TFStart;
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  if (folder.problem) kw::ui::MessageBox::showError(splash, *folder.problem);
  kw::ui::DataStore store(folder.path);
  kw::ui::WindowCatalogue catalogue(store);
  try {
    // Appears only through the splash's cross-fade.
    catalogue.createWindows();
  } catch (const std::exception& e) {
    splash->setInitialisationDone(nullptr);
    kw::ui::MessageBox::show(splash, kw::ui::MessageBox::Error, QString::fromLocal8Bit(e.what()));
    return 1;
  }
  splash->setInitialisationDone(catalogue.mainWindow());
  splash->raise();
  return QApplication::exec();
}
