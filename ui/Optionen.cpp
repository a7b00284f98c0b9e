#include "ui/Optionen.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/settings_record.h"
#include "core/program.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

constexpr int kFreeRowCount = 6;  // "frei:" in RG1

QGroupBox* Group(QWidget* parent, const char* name, const char* title) {
  auto* box = Make<QGroupBox>(parent, name, QString::fromUtf8(title));
  box->setFont(BoldFont());
  return box;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text) {
  auto* box = Make<QCheckBox>(parent, name, QString::fromUtf8(text));
  box->setFont(ProgramFont());
  return box;
}

QComboBox* List(QWidget* parent, const char* name, const std::vector<std::string>& items) {
  auto* combo = Make<QComboBox>(parent, name);
  combo->setFont(ProgramFont());
  for (const auto& item : items) combo->addItem(Q(item));
  combo->setPlaceholderText(QStringLiteral("wählen..."));
  combo->setCurrentIndex(-1);
  combo->setMaxVisibleItems(16);
  return combo;
}

NavigationTable SettingsTable() {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programmeinstellungen schließen"},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn3", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::WindowHelp, "BitBtn2", "Hilfe"},
  };
  table.own = {Command::Settings};
  table.hidden = {Command::Print, Command::PrinterSetup};
  table.helpSearchEntry = true;
  return table;
}

}  // namespace

TFOptionen::TFOptionen(const WindowContext& context, QWidget* parent) : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FOptionen"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, SettingsTable(), context.commands);
  leaveForOtherWindows();
  buildDesign();
  FormCreate();
  watchForChanges();
}

// A window opened from here would stay blocked behind this modal one, so going to another window
// leaves the settings (asking about unsaved changes as closing does).
void TFOptionen::leaveForOtherWindows() {
  const std::pair<Command, const char*> targets[] = {
      {Command::NewSlip, nullptr},        {Command::TipEntry, "BEingabe"},   {Command::Generator, "BGenerator"},
      {Command::TipCentre, "BitBtn3"},    {Command::Evaluation, nullptr},    {Command::Statistics, "BStatistik"},
      {Command::TipAnalysis, "BSysTest"}, {Command::UpdateCheck, nullptr},   {Command::QuotaUpdate, "BQuoten"},
      {Command::Calendar, "BKalender"},   {Command::NOverK, "BNoverK"},
      {Command::About, nullptr},
  };
  for (const auto& [command, toolName] : targets) {
    QAction* actions[] = {navigation_->menuAction(command),
                          toolName ? findChild<QAction*>(QString::fromLatin1(toolName)) : nullptr};
    for (QAction* action : actions)
      if (action) connect(action, &QAction::triggered, this, [this] { close(); });
  }
}

// ---- design ---------------------------------------------------------------------------------

void TFOptionen::buildDesign() {
  // Saving from the tool bar (beside the close button) and from the menu.
  auto* saveTool = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton),
                               QStringLiteral("Einstellungen speichern"), this);
  saveTool->setObjectName(QStringLiteral("BSpeichern"));
  QToolBar* bar = navigation_->toolBar();
  const auto barActions = bar->actions();
  bar->insertAction(barActions.size() > 1 ? barActions[1] : nullptr, saveTool);
  if (QWidget* button = bar->widgetForAction(saveTool)) {
    button->setObjectName(QStringLiteral("BSpeichern"));
    button->setFixedSize(48, 38);
  }
  connect(saveTool, &QAction::triggered, this, &TFOptionen::BSaveClick);

  if (auto* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("MenuDatei"))) {
    MenuSave = new QAction(QStringLiteral("S&peichern"), fileMenu);
    MenuSave->setObjectName(QStringLiteral("MenuSave"));
    const auto entries = fileMenu->actions();
    fileMenu->insertAction(entries.isEmpty() ? nullptr : entries.front(), MenuSave);
    connect(MenuSave, &QAction::triggered, this, &TFOptionen::BSaveClick);
  }

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(8);

  LUeberschrift = RegularLabel(central, "LUeberschrift", QStringLiteral("Einstellungen für den Programmstart"));
  LUeberschrift->setFont(BoldFont(11));
  layout->addWidget(LUeberschrift);

  auto* groups = new QGridLayout;
  groups->setSpacing(8);
  groups->addWidget(buildFileGroup(), 0, 0);
  groups->addWidget(buildRandomGroup(), 0, 1);
  groups->addWidget(buildTipCentreGroup(), 1, 0);
  groups->addWidget(buildUpdateGroup(), 1, 1);
  layout->addLayout(groups, 1);

  auto* footer = new QHBoxLayout;
  LFooter = RegularLabel(central, "LFooter", QStringLiteral("Speichern nicht vergessen!"));
  LFooter->setFont(BoldFont(9));
  LFooter->setStyleSheet(QStringLiteral("color: #B00000;"));
  BSave = Make<QPushButton>(central, "BSave", QStringLiteral("Speichern"));
  BitBtn5 = Make<QPushButton>(central, "BitBtn5", QStringLiteral("Sch&ließen"));
  for (QPushButton* b : {BSave, BitBtn5}) {
    b->setFont(ProgramFont());
    b->setMinimumSize(96, 28);
  }
  footer->addWidget(LFooter);
  footer->addStretch();
  footer->addWidget(BSave);
  footer->addWidget(BitBtn5);
  layout->addLayout(footer);

  connect(BSave, &QPushButton::clicked, this, &TFOptionen::BSaveClick);
  connect(BitBtn5, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* TFOptionen::buildFileGroup() {
  GBDateien = Group(this, "GBDateien", "Spielschein-Dateien öffnen...");
  auto* grid = new QGridLayout(GBDateien);
  LDateien = RegularLabel(GBDateien, "LDateien", QStringLiteral("Mit Start zu öffnende Dateien"));
  l1 = Make<QListWidget>(GBDateien, "l1");
  l1->setFont(ProgramFont());
  l1->setMinimumSize(200, 170);
  l1->setSelectionMode(QAbstractItemView::SingleSelection);
  // The list's own menu deletes too, as the message on a full list suggests.
  l1->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* deleteEntry = new QAction(QStringLiteral("Markierten Eintrag löschen"), l1);
  deleteEntry->setObjectName(QStringLiteral("l1Delete"));
  l1->addAction(deleteEntry);
  connect(deleteEntry, &QAction::triggered, this, &TFOptionen::BDelClick);

  BHinzu = Make<QPushButton>(GBDateien, "BHinzu", QStringLiteral("Spielschein-\nDatei hinzufügen"));
  BDel = Make<QPushButton>(GBDateien, "BDel", QStringLiteral("Markierten\nEintrag löschen"));
  BDel->setToolTip(QStringLiteral("Markierten Eintrag löschen"));
  for (QPushButton* b : {BHinzu, BDel}) {
    b->setFont(ProgramFont());
    b->setMinimumSize(120, 40);
  }
  CBOpen = Check(GBDateien, "CBOpen", "");
  CBOpen->setText(BreakAtHyphens(QStringLiteral("Jetzt auch im Haupt- fenster öffnen")));

  grid->addWidget(LDateien, 0, 0);
  grid->addWidget(l1, 1, 0, 4, 1);
  grid->addWidget(BHinzu, 1, 1);
  grid->addWidget(CBOpen, 2, 1);
  grid->addWidget(BDel, 3, 1);
  grid->setRowStretch(4, 1);

  connect(BHinzu, &QPushButton::clicked, this, &TFOptionen::BHinzuClick);
  connect(BDel, &QPushButton::clicked, this, &TFOptionen::BDelClick);
  return GBDateien;
}

QWidget* TFOptionen::buildRandomGroup() {
  GBZufall = Group(this, "GBZufall", "Zufallsgenerator");
  auto* layout = new QVBoxLayout(GBZufall);
  LZufall = RegularLabel(GBZufall, "LZufall", QStringLiteral("Wählen Sie die Anzahl  der gewünschten..."));

  RG1 = Make<QGroupBox>(GBZufall, "RG1", QStringLiteral("Zufallsreihen"));
  RG1->setFont(ProgramFont());
  rg1Buttons = new QButtonGroup(RG1);
  auto* items = new QGridLayout(RG1);
  const auto texts = RandomRowItems();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    auto* radio = Make<QRadioButton>(RG1, "", Q(texts[i]));
    radio->setObjectName(QStringLiteral("RG1Item%1").arg(i));
    const int index = static_cast<int>(i);
    rg1Buttons->addButton(radio, index);
    // Filled column by column, four items to a column.
    items->addWidget(radio, index % 4, index / 4);
  }
  EReihen = Make<QLineEdit>(RG1, "EReihen");
  EReihen->setMaxLength(3);
  EReihen->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), EReihen));
  EReihen->setFixedWidth(44);
  EReihen->setStyleSheet(QStringLiteral("background: #FFE0C1;"));
  EReihen->installEventFilter(this);
  BitBtn1 = Make<QToolButton>(RG1, "BitBtn1");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  BitBtn1->setToolTip(QStringLiteral("Eingabe löschen"));
  BitBtn1->setFixedSize(22, 22);
  auto* free = new QHBoxLayout;
  free->setSpacing(3);
  free->addWidget(EReihen);
  free->addWidget(BitBtn1);
  free->addStretch();
  items->addLayout(free, 2, 2);
  items->setColumnStretch(2, 1);

  CBStandardZuf = Check(GBZufall, "CBStandardZuf", "Angabe merken und mit Start einlesen");
  CBStandardZufDateien = Check(GBZufall, "CBStandardZufDateien", "Standard-Dateien für Zufallsmanipulation einlesen");

  layout->addWidget(LZufall);
  layout->addWidget(RG1);
  layout->addWidget(CBStandardZuf);
  layout->addWidget(CBStandardZufDateien);
  layout->addStretch();

  connect(BitBtn1, &QToolButton::clicked, EReihen, &QLineEdit::clear);
  return GBZufall;
}

QWidget* TFOptionen::buildTipCentreGroup() {
  GBTippcenter = Group(this, "GBTippcenter", "Tippcenter");
  auto* layout = new QVBoxLayout(GBTippcenter);
  PTippcenter = Make<QFrame>(GBTippcenter, "PTippcenter");
  PTippcenter->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(PTippcenter);
  ComboBZ = List(PTippcenter, "ComboBZ", BankerItems());
  ComboWZ = List(PTippcenter, "ComboWZ", ChosenItems());
  ComboGar = List(PTippcenter, "ComboGar", GuaranteeItems());
  ComboBudget = List(PTippcenter, "ComboBudget", BudgetItems());
  grid->addWidget(RegularLabel(PTippcenter, "LBZ", QStringLiteral("Bankzahlen (BZ)")), 0, 0);
  grid->addWidget(RegularLabel(PTippcenter, "LPlus", QStringLiteral("plus")), 1, 1);
  grid->addWidget(RegularLabel(PTippcenter, "LWZ", QStringLiteral("Wahlzahlen (WZ)")), 0, 2);
  grid->addWidget(ComboBZ, 1, 0);
  grid->addWidget(ComboWZ, 1, 2);
  grid->addWidget(RegularLabel(PTippcenter, "LGar", QStringLiteral("Treffergarantie (TrG)")), 2, 0);
  grid->addWidget(RegularLabel(PTippcenter, "LBudget", QStringLiteral("Budget in Euro")), 2, 2);
  grid->addWidget(ComboGar, 3, 0);
  grid->addWidget(ComboBudget, 3, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);

  CBFilter = Check(GBTippcenter, "CBFilter", "Einstellungen für Tippcenter merken und mit Start einlesen");
  CBStandardTC = Check(GBTippcenter, "CBStandardTC", "Standard-Dateien für Tippcenter einlesen");
  layout->addWidget(PTippcenter);
  layout->addWidget(CBFilter);
  layout->addWidget(CBStandardTC);
  layout->addStretch();
  return GBTippcenter;
}

QWidget* TFOptionen::buildUpdateGroup() {
  GBUpdates = Group(this, "GBUpdates", "Auf Aktualisierungen prüfen...");
  auto* layout = new QVBoxLayout(GBUpdates);
  CBGewinnreihen = Check(GBUpdates, "CBGewinnreihen", "Gewinnzahlen");
  CBGewinnQuoten = Check(GBUpdates, "CBGewinnQuoten", "Gewinnquoten");
  CBUpdates = Check(GBUpdates, "CBUpdates", "Programm-Updates");
  for (QCheckBox* box : {CBGewinnreihen, CBGewinnQuoten, CBUpdates}) layout->addWidget(box);
  layout->addStretch();
  return GBUpdates;
}

// ---- creation -------------------------------------------------------------------------------

void TFOptionen::FormCreate() {
  setWindowTitle(Q(WindowCaption("- Programmeinstellungen")));
  rg1Buttons->button(0)->setChecked(true);
  record_ = store_.settings();
  if (store_.settingsPresent()) {
    const SettingsRecord& record = record_;
    rowEntries_ = ExistingRecentSlips(record);
    for (std::size_t entry : rowEntries_) l1->addItem(Q(SlipDisplayName(record.recentSlips[entry])));
    const std::pair<QComboBox*, std::uint8_t> lists[] = {
        {ComboBZ, record.ComboBZ}, {ComboWZ, record.ComboWZ}, {ComboGar, record.ComboGar}, {ComboBudget, record.ComboBudget}};
    for (const auto& [combo, stored] : lists)
      combo->setCurrentIndex(ListPosition(stored, static_cast<std::size_t>(combo->count())));
    if (record.EReihen >= 0) EReihen->setText(QString::number(record.EReihen));
    const int rg1 = ListPosition(record.RG1, static_cast<std::size_t>(rg1Buttons->buttons().size()));
    if (rg1 >= 0) rg1Buttons->button(rg1)->setChecked(true);
    const std::pair<QCheckBox*, bool> boxes[] = {
        {CBFilter, record.CBFilter},           {CBStandardTC, record.CBStandardTC},
        {CBStandardZuf, record.CBStandardZuf}, {CBStandardZufDateien, record.CBStandardZufDateien},
        {CBGewinnreihen, record.CBGewinnreihen}, {CBGewinnQuoten, record.CBGewinnQuoten},
        {CBUpdates, record.CBUpdates}};
    for (const auto& [box, on] : boxes) box->setChecked(on);
  }
  BitBtn5->setFocus();
  adjustSize();
}

int TFOptionen::rg1Index() const { return rg1Buttons->checkedId(); }

void TFOptionen::showModal() {
  modified_ = false;
  if (!isVisible()) setWindowModality(Qt::ApplicationModal);
  if (isMinimized())
    showNormal();
  else
    show();
  raise();
  activateWindow();
}

// ---- the "modified" mark --------------------------------------------------------------------

void TFOptionen::watchForChanges() {
  connect(qApp, &QApplication::focusChanged, this, &TFOptionen::focusMoved);
  // Besides focus entering a group, every change by the user counts, so that a box ticked in the
  // group that already had the focus is not closed away unasked.
  auto mark = [this] { modified_ = true; };
  for (QCheckBox* box : findChildren<QCheckBox*>()) connect(box, &QCheckBox::clicked, this, mark);
  for (QComboBox* combo : findChildren<QComboBox*>()) connect(combo, &QComboBox::activated, this, mark);
  connect(rg1Buttons, &QButtonGroup::buttonClicked, this, mark);
  connect(EReihen, &QLineEdit::textEdited, this, mark);
  connect(BitBtn1, &QToolButton::clicked, this, mark);
}

void TFOptionen::focusMoved(QWidget* from, QWidget* to) {
  // Focus coming from another window (or the window being activated) is not the user entering a group.
  if (!from || !to || !isAncestorOf(from) || !isAncestorOf(to)) return;
  const QWidget* areas[] = {GBDateien, l1, GBZufall, GBTippcenter, PTippcenter, GBUpdates, RG1};
  for (const QWidget* area : areas) {
    const bool inside = area == to || area->isAncestorOf(to);
    const bool wasInside = area == from || area->isAncestorOf(from);
    if (inside && !wasInside) modified_ = true;
  }
}

// Only showing or fronting the window starts afresh: activation alone also happens when one of its
// own message boxes or file dialogs closes, and that must not lose the mark.
void TFOptionen::showEvent(QShowEvent* event) {
  modified_ = false;
  QMainWindow::showEvent(event);
}

bool TFOptionen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EReihen && event->type() == QEvent::FocusIn) rg1Buttons->button(kFreeRowCount)->setChecked(true);
  return QMainWindow::eventFilter(watched, event);
}

void TFOptionen::closeEvent(QCloseEvent* event) {
  if (modified_ &&
      MessageBox::show(this, MessageBox::Confirmation, QStringLiteral("Haben Sie alles gespeichert, was zu speichern ist?"),
                       MessageBox::YesNo) != MessageBox::Yes) {
    event->ignore();
    return;
  }
  event->accept();
}

// ---- commands -------------------------------------------------------------------------------

void TFOptionen::BSaveClick() {
  SettingsRecord& record = record_;
  record.ComboBZ = StoredListIndex(ComboBZ->currentIndex());
  record.ComboWZ = StoredListIndex(ComboWZ->currentIndex());
  record.ComboGar = StoredListIndex(ComboGar->currentIndex());
  record.ComboBudget = StoredListIndex(ComboBudget->currentIndex());
  record.RG1 = StoredListIndex(rg1Index());
  record.CBFilter = CBFilter->isChecked();
  record.CBStandardTC = CBStandardTC->isChecked();
  record.CBStandardZuf = CBStandardZuf->isChecked();
  record.CBStandardZufDateien = CBStandardZufDateien->isChecked();
  record.CBGewinnreihen = CBGewinnreihen->isChecked();
  record.CBGewinnQuoten = CBGewinnQuoten->isChecked();
  record.CBUpdates = CBUpdates->isChecked();
  if (!EReihen->text().isEmpty()) {
    bool ok = false;
    const int count = EReihen->text().toInt(&ok);
    record.EReihen = ok ? count : 0;
  }
  if (auto written = store_.saveSettings(record); !written) {
    // Still unsaved: the question on closing keeps guarding the changes.
    MessageBox::showError(this, written.error());
    modified_ = true;
    return;
  }
  modified_ = false;
}

void TFOptionen::BHinzuClick() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Datei wählen"), store_.dataFolder(),
                                            QString::fromUtf8(kSlipFilter));
  if (path.isEmpty()) return;
  SettingsRecord& record = record_;
  const auto added = AddRecentSlip(record, path.toStdString());
  if (!added) {
    MessageBox::showError(this, added.error());
    return;
  }
  rowEntries_.push_back(added.value());
  l1->addItem(Q(SlipDisplayName(record.recentSlips[added.value()])));
  modified_ = true;
  if (CBOpen->isChecked()) emit slipOpenRequested(Q(record.recentSlips[added.value()]));
}

void TFOptionen::BDelClick() {
  const auto marked = l1->selectedItems();
  if (marked.isEmpty()) {
    MessageBox::show(this, MessageBox::Error,
                     l1->count() > 0 ? QStringLiteral("Es wurde kein Listeneintrag markiert.\r\rIch breche erst einmal ab.")
                                     : QStringLiteral("Es gibt nichts zu löschen."));
    return;
  }
  const int row = l1->row(marked.front());
  const std::size_t entry = rowEntries_[static_cast<std::size_t>(row)];
  RemoveRecentSlip(record_, entry);
  rowEntries_.erase(rowEntries_.begin() + row);
  // The entries behind the removed one moved up a place.
  for (std::size_t& e : rowEntries_)
    if (e > entry) --e;
  delete l1->takeItem(row);
  l1->setCurrentRow(-1);
  modified_ = true;
}

}  // namespace kw::ui
