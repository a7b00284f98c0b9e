#include "ui/Generator.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/program.h"
#include "core/slip_file.h"
#include "generation/random_source.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/tip_table_model.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

constexpr int kHelpTopic = 1008;
constexpr int kNarrowWidth = 417;
constexpr int kRowsPageWidth = 541;
constexpr int kClientHeight = 372;
constexpr int kFreeItem = 6;  // RG1 "frei:"
const QColor kEditColour(0xFF, 0xE0, 0xC1);

NavigationTable GeneratorTable(TFGenerator* window) {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programm beenden"},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::TipCentre, "BitBtn6", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BitBtn5", "Hilfe"},
  };
  table.own = {Command::Generator};
  table.hidden = {Command::PrinterSetup};
  table.helpSearchEntry = true;
  table.helpContext = kHelpTopic;
  table.handlers[Command::OpenSlip] = [window] { window->BOpen1Click(); };
  table.handlers[Command::Print] = [window] { window->PrintClick(); };
  return table;
}

}  // namespace

TFGenerator::TFGenerator(const WindowContext& context, RandomSource& random, QWidget* parent)
    : QMainWindow(parent), store_(context.store), random_(random) {
  setObjectName(QStringLiteral("FGenerator"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, GeneratorTable(this), context.commands);

  // "Tippreihen s&peichern..." belongs to this window's file menu only; the update menu is hidden here.
  if (auto* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("MenuDatei"))) {
    auto* save = new QAction(QStringLiteral("Tippreihen s&peichern..."), this);
    save->setObjectName(QStringLiteral("MenuSaveRows"));
    fileMenu->insertAction(navigation_->menuAction(Command::Print), save);
    connect(save, &QAction::triggered, this, [this] { BSaveClick(); });
  }
  if (auto* updates = menuBar()->findChild<QMenu*>(QStringLiteral("MenuAktualisierung")))
    updates->menuAction()->setVisible(false);

  buildDesign();
  FormCreate();
}

TFGenerator::~TFGenerator() = default;

// ---- design ---------------------------------------------------------------------------------

void TFGenerator::buildDesign() {
  PC1 = Make<QTabWidget>(this, "PC1");
  PC1->setDocumentMode(false);
  PC1->tabBar()->setExpanding(false);
  PC1->addTab(buildStartPage(), QStringLiteral("Start"));
  for (const GeneratorGroupInfo& info : GeneratorGroups()) PC1->addTab(buildGroupPage(info), Q(info.caption));
  PC1->addTab(buildRowsPage(), QStringLiteral("Tippreihen"));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(PC1);
  setCentralWidget(central);
  connect(PC1, &QTabWidget::currentChanged, this, &TFGenerator::pageChanged);
}

QWidget* TFGenerator::buildStartPage() {
  TabStart = new QWidget;
  TabStart->setObjectName(QStringLiteral("TabStart"));
  auto* layout = new QVBoxLayout(TabStart);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(3);

  LUeberschrift = PlainLabel(TabStart, "LUeberschrift",
                             QStringLiteral("Der Zufall lässt sich durch die Auswahl von Quotenkiller, Bankzahlen und "
                                            "Favoriten manipulieren. Sie dazu die Reiter oben."),
                             true);
  LUeberschrift->setFont(BoldFont());
  layout->addWidget(LUeberschrift);

  auto* choiceRow = new QHBoxLayout;
  choiceRow->setSpacing(8);
  auto* choice = new QVBoxLayout;
  choice->setSpacing(1);
  choice->addWidget(PlainLabel(TabStart, "LAnzahl", QStringLiteral("Wählen Sie die Anzahl  der gewünschten...")));
  RG1 = Make<QGroupBox>(TabStart, "RG1", QStringLiteral("Zufallsreihen"));
  rg1Buttons = new QButtonGroup(RG1);
  auto* grid = new QGridLayout(RG1);
  grid->setContentsMargins(8, 2, 8, 4);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(0);
  for (int i = 0; i < static_cast<int>(kRowCountItems.size()); ++i) {
    auto* radio = new QRadioButton(Q(kRowCountItems[static_cast<std::size_t>(i)]), RG1);
    radio->setObjectName(QStringLiteral("RG1Item%1").arg(i));
    rg1Buttons->addButton(radio, i);
    // Two columns, filled downwards: four items, then three.
    grid->addWidget(radio, i % 4, i / 4);
  }
  rg1Buttons->button(0)->setChecked(true);
  auto* freeRow = new QHBoxLayout;
  freeRow->setSpacing(2);
  EReihen = Make<QLineEdit>(RG1, "EReihen");
  EReihen->setMaxLength(3);
  EReihen->setFixedWidth(40);
  EReihen->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), EReihen));
  QPalette editPalette = EReihen->palette();
  editPalette.setColor(QPalette::Base, kEditColour);
  EReihen->setPalette(editPalette);
  EReihen->installEventFilter(this);
  BitBtn1 = FixedButton(RG1, "BitBtn1", QStringLiteral("x"), QSize(20, 20));
  BitBtn1->setToolTip(QStringLiteral("Anzahl löschen"));
  freeRow->addWidget(EReihen);
  freeRow->addWidget(BitBtn1);
  freeRow->addStretch();
  grid->addLayout(freeRow, 3, 1);
  choice->addWidget(RG1);
  choiceRow->addLayout(choice, 1);

  auto* startColumn = new QVBoxLayout;
  startColumn->addStretch();
  BitBtn2 = FixedButton(TabStart, "BitBtn2", QStringLiteral("Start"), QSize(96, 40));
  BitBtn2->setFont(BoldFont(10));
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  BitBtn2->setDefault(true);
  startColumn->addWidget(BitBtn2);
  choiceRow->addLayout(startColumn);
  layout->addLayout(choiceRow);

  auto* overviewTitle = PlainLabel(TabStart, "LUeberblick", QStringLiteral("Überblick über die Zufallsmanipulation"));
  overviewTitle->setFont(BoldFont());
  layout->addWidget(overviewTitle);
  auto* overviewRow = new QHBoxLayout;
  PStart = Make<QFrame>(TabStart, "PStart");
  PStart->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PStart->setFixedSize(10 * 22 + 4, 5 * 22 + 4);
  PStart2 = Make<QFrame>(TabStart, "PStart2");
  PStart2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PStart2->setFixedSize(12 * 22 + 4, 22 + 4);
  PaintTile(PStart, PlainTile(ValueKind::Number));
  PaintTile(PStart2, PlainTile(ValueKind::Star));
  overview_ = MakeOverviewTiles(PStart, QSize(22, 22), PStart2, QSize(22, 22));
  overviewRow->addWidget(PStart, 0, Qt::AlignTop);
  auto* clearColumn = new QVBoxLayout;
  clearColumn->addStretch();
  BNoManu = FixedButton(TabStart, "BNoManu", QStringLiteral("Manupulationen\naufheben"), QSize(120, 38));
  clearColumn->addWidget(BNoManu, 0, Qt::AlignRight);
  overviewRow->addLayout(clearColumn, 1);
  layout->addLayout(overviewRow);
  layout->addWidget(PStart2);
  layout->addStretch();

  connect(BitBtn2, &QPushButton::clicked, this, &TFGenerator::BitBtn2Click);
  connect(BitBtn1, &QPushButton::clicked, EReihen, &QLineEdit::clear);
  connect(BNoManu, &QPushButton::clicked, this, &TFGenerator::BNoManuClick);
  return TabStart;
}

QWidget* TFGenerator::buildGroupPage(const GeneratorGroupInfo& info) {
  const int g = static_cast<int>(info.group);
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Tab%1").arg(Q(info.caption)));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 4, 2, 4);
  layout->setSpacing(4);

  const QFont headingFont = BoldFont();
  const QSize numberButton(38, 30), starButton(33, 30);
  const GroupPanel numbers = MakeGroupPanel(page, QStringLiteral("P50%1").arg(g), Q(info.numberHeading), info.tile,
                                            QSize(10 * numberButton.width(), 5 * numberButton.height()));
  const GroupPanel stars = MakeGroupPanel(page, QStringLiteral("P8%1").arg(g), Q(info.starHeading), info.tile,
                                          QSize(12 * starButton.width(), starButton.height()));
  const GeneratorGroup group = info.group;
  lot_.at(Index(group)) =
      MakeSelectionButtons(g, {numbers.panel, numberButton, numbers.buttonOrigin}, {stars.panel, starButton, stars.buttonOrigin},
                           [this, group](ValueKind kind, int v) { lotClick(group, kind, v); });
  layout->addWidget(numbers.panel, 0, Qt::AlignHCenter);
  layout->addWidget(stars.panel, 0, Qt::AlignHCenter);

  auto* files = new QHBoxLayout;
  files->setSpacing(4);
  const std::pair<int, const char*> actions[] = {
      {1, "Öffnen..."}, {2, "Standard\nöffnen"}, {3, "Speichern\nunter..."}, {4, "Als Standard\nspeichern"}};
  for (const auto& [action, caption] : actions) {
    const int tag = g * 10 + action;
    const QString name = QStringLiteral("%1%2%3")
                             .arg(action <= 2 ? QStringLiteral("Open") : QStringLiteral("Save"))
                             .arg(g)
                             .arg(action <= 2 ? action : action - 2);
    auto* button = new QPushButton(Q(caption), page);
    button->setObjectName(name);
    button->setProperty("tag", tag);
    button->setFixedSize(96, 34);
    button->setIcon(style()->standardIcon(action <= 2 ? QStyle::SP_DialogOpenButton : QStyle::SP_DialogSaveButton));
    connect(button, &QPushButton::clicked, this, [this, tag] { PatternButtonClick(tag); });
    patternButtons_[tag] = button;
    files->addWidget(button);
  }
  files->addStretch();
  layout->addLayout(files);
  layout->addStretch();
  groupPages_.at(Index(group)) = page;
  return page;
}

QWidget* TFGenerator::buildRowsPage() {
  TabTippreihen = new QWidget;
  TabTippreihen->setObjectName(QStringLiteral("TabTippreihen"));
  auto* layout = new QHBoxLayout(TabTippreihen);
  layout->setContentsMargins(2, 4, 2, 4);
  layout->setSpacing(4);

  rowsModel_ = new TipTableModel(26, this);
  G1 = Make<QTableView>(TabTippreihen, "G1");
  layout->addWidget(G1);

  auto* right = new QVBoxLayout;
  right->setSpacing(4);
  frequencies_ = MakeFrequencyBoxes(TabTippreihen, right, QSize(26, 16), QSize(23, 16));

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  BSave = FixedButton(TabTippreihen, "BSave", QStringLiteral("Speichern"), QSize(90, 38));
  BSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  BOpen1 = FixedButton(TabTippreihen, "BOpen1", QString(), QSize(96, 38));
  BitBtn4 = FixedButton(TabTippreihen, "BitBtn4", QStringLiteral("Löschen"), QSize(80, 38));
  BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
  buttons->addWidget(BSave);
  buttons->addWidget(BOpen1);
  buttons->addWidget(BitBtn4);
  buttons->addStretch();
  right->addLayout(buttons);
  right->addStretch();
  layout->addLayout(right);
  layout->addStretch();

  connect(BSave, &QPushButton::clicked, this, &TFGenerator::BSaveClick);
  connect(BOpen1, &QPushButton::clicked, this, &TFGenerator::BOpen1Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TFGenerator::BitBtn4Click);
  return TabTippreihen;
}

// ---- creation -------------------------------------------------------------------------------

void TFGenerator::FormCreate() {
  rowsModel_->change([](TextTable& t) { SetUpTipTable(t); });
  ShowTipTable(G1, rowsModel_, 18);
  G1->setFixedWidth(G1->minimumWidth());
  BNoManu->setText(QStringLiteral("Manupulationen\naufheben"));
  BOpen1->setText(QStringLiteral("Spielschein-\nDatei öffnen"));
  setWindowTitle(Q(WindowCaption("- Zufallsgenerator")));
  clientHeight_ = std::max(kClientHeight + menuBar()->sizeHint().height(), minimumSizeHint().height());
  PC1->setCurrentWidget(TabStart);
  pageChanged(PC1->currentIndex());

  if (store_.settingsPresent()) {
    const SettingsRecord& settings = store_.settings();
    if (settings.CBStandardZuf) {
      // The edit takes three digits: a stored count beyond them is not shown cut short.
      if (settings.EReihen >= 0 && settings.EReihen <= kMaxGeneratedRows)
        EReihen->setText(QString::number(settings.EReihen));
      const int item = ListPosition(settings.RG1, kRowCountItems.size());
      if (item >= 0) rg1Buttons->button(item)->setChecked(true);
    }
    // Missing standard files are skipped without a word while the program starts.
    if (settings.CBStandardZufDateien)
      for (const GeneratorGroupInfo& info : GeneratorGroups())
        readPattern(info.group, store_.dataFile(info.standardFile), true);
  }
}

void TFGenerator::pageChanged(int index) {
  FitToPage(this, PC1, index, PC1->widget(index) == TabTippreihen ? kRowsPageWidth : kNarrowWidth, clientHeight_);
}

// A size remembered from another page gives way to the width of the page shown.
void TFGenerator::showEvent(QShowEvent* event) {
  pageChanged(PC1->currentIndex());
  QMainWindow::showEvent(event);
}

bool TFGenerator::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EReihen && event->type() == QEvent::FocusIn) rg1Buttons->button(kFreeItem)->setChecked(true);
  return QMainWindow::eventFilter(watched, event);
}

// ---- choosing -------------------------------------------------------------------------------

void TFGenerator::showSelection(ValueKind kind, int value) {
  const std::optional<GeneratorGroup> holder = core_.holder(kind, value);
  for (const GeneratorGroupInfo& info : GeneratorGroups()) {
    QPushButton* button = lotButton(info.group, kind, value);
    ShowChosen(button, holder == info.group);
    button->setVisible(!holder || *holder == info.group);
  }
  if (const auto tile = core_.overviewTile(kind, value))
    PaintTile(overviewTile(kind, value), *tile);
  else
    PaintPlainFace(overviewTile(kind, value));
}

void TFGenerator::showAllSelections() {
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= HighestValue(kind); ++v) showSelection(kind, v);
}

void TFGenerator::lotClick(GeneratorGroup group, ValueKind kind, int value) {
  const ChoiceOutcome outcome = core_.toggle(group, kind, value);
  if (outcome.choice == Choice::Refused || outcome.choice == Choice::HeldElsewhere) {
    MessageBox::show(this, MessageBox::Information, outcome.message);
    return;
  }
  showSelection(kind, value);
  if (outcome.choice == Choice::Removed) PC1->setCurrentWidget(groupPage(group));
}

void TFGenerator::BNoManuClick() {
  if (core_.unsteered()) return;
  PC1->hide();
  core_.clearAll();
  showAllSelections();
  PC1->setCurrentWidget(TabStart);
  PC1->show();
}

// ---- pattern files --------------------------------------------------------------------------

void TFGenerator::readPattern(GeneratorGroup group, const std::string& path, bool startUp) {
  const std::vector<Notice> notices = core_.readPattern(group, path, startUp);
  showAllSelections();
  for (const Notice& notice : notices)
    MessageBox::show(this, notice.icon == NoticeIcon::Error ? MessageBox::Error : MessageBox::Information,
                     notice.text);
}

void TFGenerator::PatternButtonClick(int tag) {
  const auto group = static_cast<GeneratorGroup>(tag / 10);
  if (group != GeneratorGroup::Killer && group != GeneratorGroup::Banker && group != GeneratorGroup::Favourite) return;
  const GeneratorGroupInfo& info = InfoOf(group);
  const std::string standard = store_.dataFile(info.standardFile);
  switch (tag % 10) {
    case 1: {
      const QString path = FileDialog::openFile(this, QStringLiteral("Öffnen"), store_.dataFolder(), Q(info.filter));
      if (!path.isEmpty()) readPattern(group, path.toStdString(), false);
      return;
    }
    case 2: readPattern(group, standard, false); return;
    case 3:
    case 4: {
      if (core_.selection(group).empty()) {
        MessageBox::show(this, MessageBox::Error, Q(kNothingToSaveMessage));
        return;
      }
      std::string path = standard;
      if (tag % 10 == 3) {
        const QString chosen = FileDialog::saveFile(this, QStringLiteral("Speichern unter"), store_.dataFolder(),
                                                    Q(info.filter), Q(info.extension));
        if (chosen.isEmpty()) return;
        path = chosen.toStdString();
      }
      if (auto written = core_.writePattern(group, path); !written) MessageBox::showError(this, written.error());
      return;
    }
    default: return;
  }
}

// ---- rows -----------------------------------------------------------------------------------

bool TFGenerator::gridEmpty() const { return RowsGridEmpty(*rowsModel_); }

void TFGenerator::showFrequencies() { frequencies_->show(core_.frequencies()); }

void TFGenerator::BitBtn2Click() {
  const Result<int> count = RowCountOfChoice(rg1Buttons->checkedId(), EReihen->text().toStdString());
  if (!count) {
    MessageBox::show(this, MessageBox::Error, count.error().message);
    return;
  }
  Result<std::vector<TSchein>> rows = core_.generate(*count, random_);
  if (!rows) {
    MessageBox::show(this, MessageBox::Error, rows.error().message);
    return;
  }
  rowsModel_->change([&](TextTable& t) { ShowSlipRows(t, *rows); });
  showFrequencies();
  PC1->setCurrentWidget(TabTippreihen);
}

void TFGenerator::BSaveClick() { SaveRowsAsSlip(this, *rowsModel_, store_.dataFolder()); }

void TFGenerator::BOpen1Click() {
  const auto rows = OpenSlipRows(this, *rowsModel_, store_.dataFolder(), Q(kGeneratorOverwriteQuestion));
  if (!rows) return;
  rowsModel_->change([&](TextTable& t) { ShowSlipRows(t, *rows); });
  core_.countRows(*rows);
  showFrequencies();
  PC1->setCurrentWidget(TabTippreihen);
}

void TFGenerator::BitBtn4Click() {
  if (gridEmpty()) return;
  rowsModel_->change([](TextTable& t) { ClearTipTable(t); });
  core_.clearFrequencies();
  showFrequencies();
}

void TFGenerator::PrintClick() { PrintRows(this, *rowsModel_, *G1); }

}  // namespace kw::ui
