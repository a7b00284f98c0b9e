#pragma once
// Tool bar and main menu of every window, built from one table per window, so that the menu
// layout, names and enabling rules live in one place.
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QAction;
class QMainWindow;
class QToolBar;

namespace kw::ui {

enum class Command {
  // "&Datei"
  NewSlip,
  OpenSlip,
  Print,
  PrinterSetup,
  Quit,
  // "&Tippreihen bilden"
  TipEntry,
  Generator,
  TipCentre,
  // "&Analyse"
  Evaluation,
  Statistics,
  TipAnalysis,
  // "A&ktualisierung"
  UpdateCheck,
  QuotaUpdate,
  // "T&ools"
  Calendar,
  NOverK,
  Calculator,
  // "E&xtras"
  Settings,
  // "&Hilfe"
  HelpContents,
  HelpSearch,
  About,
  // tool bar only
  SlipPrint,
  WindowHelp,  // the window's own help topic, at the right end of the bar
};

struct ToolButtonEntry {
  Command command;
  const char* name;  // objectName of button and action, e.g. "BOpen"
  const char* hint;  // tool tip, may be empty
};

struct NavigationTable {
  std::vector<ToolButtonEntry> toolBar;  // left to right; a WindowHelp button goes to the right end
  std::vector<Command> own;             // the window's own entries: shown disabled
  std::vector<Command> hidden;          // not shown at all (nothing to print here, for example)
  bool closeInsteadOfQuit = false;      // "Sch&ließen" instead of "&Beenden"
  bool helpSearchEntry = false;         // "In Hilfe &suchen..." instead of "&Hilfe benutzen"
  int helpContext = 0;                  // page of the help button and F1; 0: by the window's name
  std::map<Command, std::function<void()>> handlers;  // this window's own actions
};

// Program-wide actions (mostly: show another window), registered by the window catalogue. An
// entry without a handler here or in the window's table is not shown: nothing in a bar or menu
// stays grey or does nothing.
class CommandRegistry : public QObject {
  Q_OBJECT
 public:
  explicit CommandRegistry(QObject* parent = nullptr);

  void set(Command command, std::function<void()> handler);
  void remove(Command command);
  const std::function<void()>* find(Command command) const;

 signals:
  void changed();

 private:
  std::map<Command, std::function<void()>> handlers_;
};

class Navigation : public QObject {
  Q_OBJECT
 public:
  // Builds menu bar and tool bar ("PMenu", 48 x 38 buttons) of `window`; Quit closes it.
  Navigation(QMainWindow* window, NavigationTable table, CommandRegistry& commands);

  CommandRegistry& commands() const { return commands_; }

  QToolBar* toolBar() const { return toolBar_; }
  // The menu entry of a command (objectName "Menu" + English name), null when the window has none.
  QAction* menuAction(Command command) const;
  // A button elsewhere in the window that runs a command and follows its enabled state.
  void bind(QAbstractButton* button, Command command);
  // Runs a command as its menu entry would; false when it is disabled or has no action here.
  bool run(Command command);
  bool isEnabled(Command command) const;
  // The help page of the window's help button and F1.
  int helpContext() const;

  static const char* menuActionName(Command command);

 private:
  void refresh();
  bool contains(const std::vector<Command>& list, Command command) const;

  bool runsHere(Command command) const;

  QMainWindow* window_;
  NavigationTable table_;
  CommandRegistry& commands_;
  QToolBar* toolBar_ = nullptr;
  std::vector<std::pair<Command, QPointer<QAction>>> actions_;
  std::vector<std::pair<Command, QPointer<QAbstractButton>>> buttons_;
};

}  // namespace kw::ui
