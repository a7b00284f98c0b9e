#include "ui/navigation.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QSizePolicy>
#include <QToolBar>
#include <QToolButton>

#include "platform/shell.h"
#include "ui/artwork.h"
#include "ui/help.h"
#include "ui/message_box.h"

namespace kw::ui {

namespace {

struct MenuEntry {
  Command command;
  const char* text;  // empty: chosen by the table (Quit, HelpSearch)
  bool separatorBefore = false;
};

struct MenuDef {
  const char* name;
  const char* text;
  std::vector<MenuEntry> entries;
};

const std::vector<MenuDef>& Menus() {
  static const std::vector<MenuDef> menus = {
      {"MenuDatei",
       "&Datei",
       {{Command::NewSlip, "&Neuer Spielschein"},
        {Command::OpenSlip, "Spielschein-Datei ö&ffnen..."},
        {Command::Print, "&Drucken..."},
        {Command::PrinterSetup, "Drucker&einrichtung..."},
        {Command::Quit, "", true}}},
      {"MenuTippreihen",
       "&Tippreihen bilden",
       {{Command::TipEntry, "&Eingabe"}, {Command::Generator, "Zufallsgenerator"}, {Command::TipCentre, "&Tippcenter"}}},
      {"MenuAnalyse",
       "&Analyse",
       {{Command::Evaluation, "&Gewinnauswertung"},
        {Command::Statistics, "Gewinnreihen-Statisti&k"},
        {Command::TipAnalysis, "Tippreihen-&Analyse"}}},
      {"MenuAktualisierung",
       "A&ktualisierung",
       {{Command::UpdateCheck, "&Allgemeine Aktualisierungsprüfung"},
        {Command::QuotaUpdate, "&Manuelle Quotenaktualisierung"}}},
      {"MenuTools",
       "T&ools",
       {{Command::Calendar, "&Kalender"}, {Command::NOverK, "&n über k"}, {Command::Calculator, "&Taschenrechner"}}},
      {"MenuExtras", "E&xtras", {{Command::Settings, "Programm&einstellungen"}}},
      {"MenuHilfe",
       "&Hilfe",
       {{Command::HelpContents, "&Inhalt"}, {Command::HelpSearch, ""}, {Command::About, "In&fo...", true}}},
  };
  return menus;
}

// "&Neuer Spielschein" is the tip entry window under another name.
Command GlobalCommand(Command command) { return command == Command::NewSlip ? Command::TipEntry : command; }

void StartCalculatorOrSay(QWidget* parent) {
  if (!kw::platform::StartCalculator())
    MessageBox::show(parent, MessageBox::Information,
                     QStringLiteral("Auf diesem Rechner ist kein Taschenrechner-Programm installiert."));
}

}  // namespace

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent) {}

void CommandRegistry::set(Command command, std::function<void()> handler) {
  handlers_[command] = std::move(handler);
  emit changed();
}

void CommandRegistry::remove(Command command) {
  if (handlers_.erase(command) > 0) emit changed();
}

const std::function<void()>* CommandRegistry::find(Command command) const {
  const auto it = handlers_.find(command);
  return it == handlers_.end() ? nullptr : &it->second;
}

const char* Navigation::menuActionName(Command command) {
  switch (command) {
    case Command::NewSlip: return "MenuNewSlip";
    case Command::OpenSlip: return "MenuOpenSlip";
    case Command::Print: return "MenuPrint";
    case Command::PrinterSetup: return "MenuPrinterSetup";
    case Command::Quit: return "MenuQuit";
    case Command::TipEntry: return "MenuTipEntry";
    case Command::Generator: return "MenuGenerator";
    case Command::TipCentre: return "MenuTipCentre";
    case Command::Evaluation: return "MenuEvaluation";
    case Command::Statistics: return "MenuStatistics";
    case Command::TipAnalysis: return "MenuTipAnalysis";
    case Command::UpdateCheck: return "MenuUpdateCheck";
    case Command::QuotaUpdate: return "MenuQuotaUpdate";
    case Command::Calendar: return "MenuCalendar";
    case Command::NOverK: return "MenuNOverK";
    case Command::Calculator: return "MenuCalculator";
    case Command::Settings: return "MenuSettings";
    case Command::HelpContents: return "MenuHelpContents";
    case Command::HelpSearch: return "MenuHelpSearch";
    case Command::About: return "MenuAbout";
    case Command::SlipPrint: return "MenuSlipPrint";
    case Command::WindowHelp: return "MenuWindowHelp";
  }
  return "";
}

Navigation::Navigation(QMainWindow* window, NavigationTable table, CommandRegistry& commands)
    : QObject(window), window_(window), table_(std::move(table)), commands_(commands) {
  if (!table_.handlers.count(Command::Quit)) table_.handlers[Command::Quit] = [w = window_] { w->close(); };
  if (!table_.handlers.count(Command::Calculator))
    table_.handlers[Command::Calculator] = [w = window_] { StartCalculatorOrSay(w); };
  // Help: the window's page (button, F1), the contents page and the search page.
  table_.handlers.try_emplace(Command::WindowHelp, [this] { ShowHelpPage(helpContext()); });
  table_.handlers.try_emplace(Command::HelpContents, [] { ShowHelpPage(kHelpContents); });
  table_.handlers.try_emplace(Command::HelpSearch, [] { ShowHelpSearch(); });
  // A right click on the menu bar or the tool bar must not offer to hide them.
  window_->setContextMenuPolicy(Qt::PreventContextMenu);

  QMenuBar* bar = window_->menuBar();
  for (const MenuDef& def : Menus()) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(def.text));
    menu->setObjectName(QString::fromLatin1(def.name));
    for (const MenuEntry& entry : def.entries) {
      if (contains(table_.hidden, entry.command)) continue;
      if (entry.separatorBefore) menu->addSeparator();
      QString text = QString::fromUtf8(entry.text);
      if (entry.command == Command::Quit)
        text = table_.closeInsteadOfQuit ? QStringLiteral("Sch&ließen") : QStringLiteral("&Beenden");
      if (entry.command == Command::HelpSearch)
        text = table_.helpSearchEntry ? QStringLiteral("In Hilfe &suchen...") : QStringLiteral("&Hilfe benutzen");
      QAction* action = menu->addAction(text);
      action->setObjectName(QString::fromLatin1(menuActionName(entry.command)));
      const Command command = entry.command;
      connect(action, &QAction::triggered, this, [this, command] { run(command); });
      actions_.emplace_back(command, action);
    }
  }

  toolBar_ = new QToolBar(window_);
  toolBar_->setObjectName(QStringLiteral("PMenu"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolBar_->setIconSize(QSize(32, 32));
  toolBar_->setFixedHeight(40);
  toolBar_->setContentsMargins(0, 0, 0, 0);
  toolBar_->layout()->setSpacing(1);
  toolBar_->layout()->setContentsMargins(2, 1, 2, 1);
  window_->addToolBar(Qt::TopToolBarArea, toolBar_);

  auto addButton = [this](const ToolButtonEntry& def) {
    QAction* action = new QAction(ToolIcon(def.command), QString::fromUtf8(def.hint), window_);
    action->setObjectName(QString::fromLatin1(def.name));
    action->setToolTip(QString::fromUtf8(def.hint));
    const Command command = def.command;
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    toolBar_->addAction(action);
    if (QWidget* widget = toolBar_->widgetForAction(action)) {
      widget->setObjectName(QString::fromLatin1(def.name));
      widget->setFixedSize(48, 38);
    }
    actions_.emplace_back(command, action);
  };
  for (const ToolButtonEntry& def : table_.toolBar)
    if (def.command != Command::WindowHelp) addButton(def);
  for (const ToolButtonEntry& def : table_.toolBar) {
    if (def.command != Command::WindowHelp) continue;
    auto* spacer = new QWidget(toolBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar_->addWidget(spacer);
    addButton(def);
  }

  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), window_);
  helpKey->setObjectName(QStringLiteral("HelpKey"));
  helpKey->setContext(Qt::WindowShortcut);
  // F1 works even where the window's help button is hidden.
  connect(helpKey, &QShortcut::activated, this, [this] { table_.handlers.at(Command::WindowHelp)(); });

  connect(&commands_, &CommandRegistry::changed, this, &Navigation::refresh);
  refresh();
}

int Navigation::helpContext() const {
  return table_.helpContext != 0 ? table_.helpContext : HelpContextOf(window_->objectName());
}

bool Navigation::contains(const std::vector<Command>& list, Command command) const {
  return std::find(list.begin(), list.end(), command) != list.end();
}

bool Navigation::runsHere(Command command) const {
  return table_.handlers.count(command) > 0 || commands_.find(GlobalCommand(command)) != nullptr;
}

bool Navigation::isEnabled(Command command) const {
  if (contains(table_.own, command) || contains(table_.hidden, command)) return false;
  return runsHere(command);
}

bool Navigation::run(Command command) {
  if (!isEnabled(command)) return false;
  if (const auto it = table_.handlers.find(command); it != table_.handlers.end()) {
    it->second();
    return true;
  }
  if (const auto* handler = commands_.find(GlobalCommand(command))) {
    const std::function<void()> copy = *handler;  // the handler may re-register itself
    copy();
    return true;
  }
  return false;
}

QAction* Navigation::menuAction(Command command) const {
  const QString name = QString::fromLatin1(menuActionName(command));
  for (const auto& [c, action] : actions_)
    if (c == command && action && action->objectName() == name) return action;
  return nullptr;
}

void Navigation::bind(QAbstractButton* button, Command command) {
  connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
  buttons_.emplace_back(command, button);
  button->setEnabled(isEnabled(command));
}

void Navigation::refresh() {
  // Only the window's own menu entry is shown disabled; what cannot run here is not shown at all,
  // and a tool button for the window itself would do nothing.
  for (const auto& [command, action] : actions_) {
    if (!action) continue;
    const bool menuEntry = action->objectName() == QLatin1String(menuActionName(command));
    action->setVisible(runsHere(command) && !contains(table_.hidden, command) &&
                       (menuEntry || !contains(table_.own, command)));
    action->setEnabled(isEnabled(command));
  }
  for (const auto& [command, button] : buttons_)
    if (button) button->setEnabled(isEnabled(command));
}

}  // namespace kw::ui
