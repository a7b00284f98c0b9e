#pragma once
// The settings window, the calendar and the about box as program-wide commands, and the
// form-exists test by which windows created on demand are found again.
#include <QString>

class QWidget;

namespace kw::ui {

class TFOptionen;

// The top-level window with this objectName ("FKal", "FInfo"), null when it does not exist.
QWidget* FindWindow(const QString& objectName);
// Restores a minimised window, shows it and brings it to the front.
void BringToFront(QWidget* window);

// The settings window, created when it does not exist yet; shown modally.
TFOptionen* ShowSettings();
// The calendar, created when it does not exist yet.
QWidget* ShowCalendar();
// The about box, created when it does not exist (it is destroyed on close). Some windows show it
// modally, the main window and the random generator beside themselves.
QWidget* ShowInfo(bool modal);

// Hooks Command::Settings, Command::Calendar and Command::About into every tool bar and menu.
void RegisterDialogCommands();
// The settings window and the calendar exist from the start (after the main window, whose
// creation reads the settings record): creates them hidden.
void CreateStartupDialogs();

}  // namespace kw::ui
