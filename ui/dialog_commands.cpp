#include "ui/dialog_commands.h"

#include <QApplication>
#include <QWidget>

#include "ui/BEDruck.h"
#include "ui/Kal.h"
#include "ui/Optionen.h"
#include "ui/info.h"
#include "ui/navigation.h"

namespace kw::ui {

QWidget* FindWindow(const QString& objectName) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == objectName) return widget;
  return nullptr;
}

void BringToFront(QWidget* window) {
  if (window->isMinimized())
    window->showNormal();
  else
    window->show();
  window->raise();
  window->activateWindow();
}

TFOptionen* ShowSettings() {
  auto* window = qobject_cast<TFOptionen*>(FindWindow(QStringLiteral("FOptionen")));
  if (!window) window = new TFOptionen;
  window->showModal();
  return window;
}

QWidget* ShowCalendar() {
  QWidget* window = FindWindow(QStringLiteral("FKal"));
  if (!window) window = new TFKal;
  BringToFront(window);
  return window;
}

QWidget* ShowInfo(bool modal) {
  QWidget* window = FindWindow(QStringLiteral("FInfo"));
  if (!window) {
    window = new TFInfo;
    window->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  }
  BringToFront(window);
  return window;
}

void RegisterDialogCommands() {
  CommandRegistry::set(Command::Settings, [] { ShowSettings(); });
  CommandRegistry::set(Command::Calendar, [] { ShowCalendar(); });
  CommandRegistry::set(Command::About, [] { ShowInfo(false); });
  RegisterSlipPrintCommand();
}

void CreateStartupDialogs() {
  if (!FindWindow(QStringLiteral("FOptionen"))) new TFOptionen;
  if (!FindWindow(QStringLiteral("FKal"))) new TFKal;
}

}  // namespace kw::ui
