// Start-up: splash first, then the windows, then "Weiter" lets the user in.
#include <QApplication>
#include <exception>
#include <memory>

#include "ui/Auswertung.h"
#include "ui/Eingabe.h"
#include "ui/Start.h"
#include "ui/dialog_commands.h"
#include "ui/look.h"
#include "ui/message_box.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);

  auto* splash = new kw::ui::TFStart;
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  QApplication::setApplicationName(QStringLiteral("Kugelwerk"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kugelwerk"));

  std::unique_ptr<kw::ui::TFAuswertung> mainWindow;
  try {
    mainWindow = std::make_unique<kw::ui::TFAuswertung>();
    kw::ui::CreateTipEntryWindow();
    kw::ui::RegisterDialogCommands();
    kw::ui::CreateStartupDialogs();
    // Appears only through the splash's cross-fade.
  } catch (const std::exception& e) {
    splash->setInitialisationDone(nullptr);
    kw::ui::MessageBox::show(splash, kw::ui::MessageBox::Error, QString::fromLocal8Bit(e.what()));
    return 1;
  }
  splash->setInitialisationDone(mainWindow.get());
  splash->raise();
  return QApplication::exec();
}
