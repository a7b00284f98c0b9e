#include "ui/Tippcenter.h"

#include <algorithm>

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/program.h"
#include "core/slip_file.h"
#include "generation/random_source.h"
#include "ui/artwork.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/tip_table_model.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

constexpr int kHelpTopic = 1006;
constexpr int kStartWidth = 496;
constexpr int kGroupPageWidth = 428;
constexpr int kRowsPageWidth = 541;
constexpr int kClientHeight = 455;

QComboBox* List(QWidget* parent, const char* name, const std::vector<std::string>& items) {
  auto* combo = Make<QComboBox>(parent, name);
  for (const std::string& item : items) combo->addItem(Q(item));
  combo->setPlaceholderText(Q(kFilterPlaceholder));
  combo->setCurrentIndex(-1);
  combo->setMaxVisibleItems(16);
  return combo;
}

NavigationTable TipCentreTable(TFTippcenter* window) {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programm beenden"},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::TipCentre, "BTippcenter", "Tippcenter"},
      {Command::WindowHelp, "BitBtn5", "Hilfe"},
  };
  table.own = {Command::TipCentre};
  table.hidden = {Command::PrinterSetup};
  table.helpSearchEntry = true;
  table.helpContext = kHelpTopic;
  table.handlers[Command::OpenSlip] = [window] { window->BOpen1Click(); };
  table.handlers[Command::Print] = [window] { window->BitBtn9Click(); };
  table.handlers[Command::About] = [window] { emit window->aboutRequested(); };
  return table;
}

}  // namespace

TFTippcenter::TFTippcenter(const WindowContext& context, RandomSource& random, QWidget* parent)
    : QMainWindow(parent), store_(context.store), random_(random) {
  setObjectName(QStringLiteral("FTippcenter"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, TipCentreTable(this), context.commands);
  buildDesign();
  FormCreate();
}

TFTippcenter::~TFTippcenter() = default;

// ---- design ---------------------------------------------------------------------------------

void TFTippcenter::buildDesign() {
  PC1 = Make<QTabWidget>(this, "PC1");
  PC1->tabBar()->setExpanding(false);
  PC1->addTab(buildStartPage(), QStringLiteral("Start"));
  for (const TipCentreGroupInfo& info : TipCentreGroups()) PC1->addTab(buildGroupPage(info), Q(info.caption));
  PC1->addTab(buildRowsPage(), QStringLiteral("Tippreihen"));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(PC1);
  setCentralWidget(central);
  connect(PC1, &QTabWidget::currentChanged, this, &TFTippcenter::pageChanged);
}

// The chosen counts, numbers and stars of both groups, each on the group's colour.
QWidget* TFTippcenter::buildCountRow(QWidget* page, int index) {
  auto* row = new QWidget(page);
  row->setObjectName(QStringLiteral("PAnzahl%1").arg(index));
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star}) {
    layout->addWidget(new QLabel(kind == ValueKind::Number ? QStringLiteral("Zahlen:") : QStringLiteral("Sterne:"), row));
    for (const TipCentreGroupInfo& info : TipCentreGroups()) {
      const QString prefix = info.group == TipCentreGroup::Chosen ? QStringLiteral("PWZ") : QStringLiteral("PBZ");
      auto* panel = new QLabel(QStringLiteral("0"), row);
      panel->setObjectName(prefix + (kind == ValueKind::Star ? QStringLiteral("8") : QString()) +
                           QString::number(index));
      panel->setToolTip(Q(info.caption));
      panel->setFont(BoldFont());
      panel->setAlignment(Qt::AlignCenter);
      panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      panel->setFixedSize(30, 19);
      PaintTile(panel, info.tile);
      counts_.at(Index(info.group)).at(kind == ValueKind::Number ? 0 : 1).at(static_cast<std::size_t>(index)) = panel;
      layout->addWidget(panel);
    }
    layout->addSpacing(8);
  }
  layout->addStretch();
  return row;
}

QWidget* TFTippcenter::buildStartPage() {
  TabStart = new QWidget;
  TabStart->setObjectName(QStringLiteral("TabStart"));
  auto* layout = new QVBoxLayout(TabStart);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  LUeberschrift = PlainLabel(TabStart, "LUeberschrift",
                             QStringLiteral("Entscheiden Sie sich für ein System und wählen die entsprechende Anzahl an "
                                            "Bank- und Wahlzahlen über die Reiter oben."),
                             true);
  LUeberschrift->setFont(BoldFont());
  layout->addWidget(LUeberschrift);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(6);
  layout->addLayout(columns, 1);

  // Left: the four filters, the list of systems and "System anwenden".
  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  auto* filters = new QGridLayout;
  filters->setHorizontalSpacing(4);
  filters->setVerticalSpacing(1);
  ComboBZ = List(TabStart, "ComboBZ", BankerFilterItems());
  ComboWZ = List(TabStart, "ComboWZ", ChosenFilterItems());
  ComboGar = List(TabStart, "ComboGar", GuaranteeFilterItems());
  ComboBudget = List(TabStart, "ComboBudget", BudgetFilterItems());
  filters->addWidget(PlainLabel(TabStart, "LBZ", QStringLiteral("Bankzahlen (BZ)")), 0, 0);
  filters->addWidget(PlainLabel(TabStart, "LWZ", QStringLiteral("Wahlzahlen (WZ)")), 0, 2);
  filters->addWidget(ComboBZ, 1, 0);
  filters->addWidget(PlainLabel(TabStart, "LPlus", QStringLiteral("plus")), 1, 1);
  filters->addWidget(ComboWZ, 1, 2);
  filters->addWidget(PlainLabel(TabStart, "LTrG", QStringLiteral("Treffergarantie (TrG)")), 2, 0, 1, 2);
  filters->addWidget(PlainLabel(TabStart, "LBudget", QStringLiteral("Budget in Euro")), 2, 2);
  filters->addWidget(ComboGar, 3, 0);
  filters->addWidget(ComboBudget, 3, 2);
  left->addLayout(filters);
  BFilter = FixedButton(TabStart, "BFilter", QString(), QSize(86, 34));
  BFilter->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  left->addWidget(BFilter, 0, Qt::AlignRight);
  auto* listTitle = PlainLabel(TabStart, "LSysteme", QStringLiteral("Systeme"));
  listTitle->setFont(BoldFont());
  left->addWidget(listTitle);
  systemList_ = new QStringListModel(this);
  L1 = Make<QListView>(TabStart, "L1");
  L1->setModel(systemList_);
  L1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  L1->setSelectionMode(QAbstractItemView::SingleSelection);
  L1->setUniformItemSizes(true);
  left->addWidget(L1, 1);
  auto* under = new QHBoxLayout;
  under->addWidget(PlainLabel(TabStart, "LReihen", QStringLiteral("R = Reihen")));
  under->addStretch();
  PLAnz = Make<QLabel>(TabStart, "PLAnz", QStringLiteral("0"));
  PLAnz->setFont(BoldFont());
  PLAnz->setAlignment(Qt::AlignCenter);
  PLAnz->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PLAnz->setFixedSize(40, 19);
  PLAnz->setToolTip(QStringLiteral("Anzahl der aufgelisteten Systeme"));
  under->addWidget(PLAnz);
  left->addLayout(under);
  BSysAnwenden = FixedButton(TabStart, "BSysAnwenden", QString(), QSize(110, 38));
  BSysAnwenden->setFont(BoldFont());
  BSysAnwenden->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  left->addWidget(BSysAnwenden, 0, Qt::AlignRight);
  columns->addLayout(left, 1);

  // Right: the notes, the counts and the overview of the choice.
  auto* right = new QVBoxLayout;
  right->setSpacing(3);
  right->addWidget(PlainLabel(TabStart, "LHinweis1",
                              QStringLiteral("Bevor Sie \"System anwenden\" klicken, müssen Anzahl der Wahlz- und der "
                                             "Bankzahlen übereinstimmen. "),
                              true));
  right->addWidget(buildCountRow(TabStart, 0));
  right->addWidget(PlainLabel(TabStart, "LHinweis2",
                              QStringLiteral("Der nachfolgende \"Überblick\" zeigt die von Ihnen bestimmten Wahlzahlen in "
                                             "blau und Bankzahlen in grün. "),
                              true));
  auto* numbersTitle = PlainLabel(TabStart, "LUeberblick1", QStringLiteral("Wahlzahlen von 1 bis 50 "));
  numbersTitle->setFont(BoldFont());
  right->addWidget(numbersTitle);
  PStart = Make<QFrame>(TabStart, "PStart");
  PStart->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PStart->setFixedSize(10 * 25 + 4, 5 * 22 + 4);
  right->addWidget(PStart);
  auto* starsTitle = PlainLabel(TabStart, "LUeberblick2", QStringLiteral("Sternzahlen (1 bis 12)"));
  starsTitle->setFont(BoldFont());
  right->addWidget(starsTitle);
  PStart2 = Make<QFrame>(TabStart, "PStart2");
  PStart2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PStart2->setFixedSize(12 * 21 + 4, 22 + 4);
  right->addWidget(PStart2);
  right->addStretch();
  PaintTile(PStart, PlainTile(ValueKind::Number));
  PaintTile(PStart2, PlainTile(ValueKind::Star));
  overview_ = MakeOverviewTiles(PStart, QSize(25, 22), PStart2, QSize(21, 22));
  columns->addLayout(right);

  for (QComboBox* combo : {ComboBZ, ComboWZ, ComboGar, ComboBudget})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { filter(); });
  connect(BFilter, &QPushButton::clicked, this, &TFTippcenter::filter);
  connect(BSysAnwenden, &QPushButton::clicked, this, &TFTippcenter::BSysAnwendenClick);
  connect(L1, &QListView::doubleClicked, this, [this] { BSysAnwendenClick(); });
  return TabStart;
}

QWidget* TFTippcenter::buildGroupPage(const TipCentreGroupInfo& info) {
  const int g = static_cast<int>(info.group);
  const bool chosen = info.group == TipCentreGroup::Chosen;
  auto* page = new QWidget;
  page->setObjectName(chosen ? QStringLiteral("TabWahlzahlen") : QStringLiteral("TabBankzahlen"));
  (chosen ? TabWahlzahlen : TabBankzahlen) = page;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);

  const QSize numberButton(40, 32), starButton(33, 32);
  const GroupPanel numbers = MakeGroupPanel(page, QStringLiteral("P50%1").arg(g), Q(info.numberHeading), info.tile,
                                            QSize(10 * numberButton.width(), 5 * numberButton.height()));
  const GroupPanel stars = MakeGroupPanel(page, QStringLiteral("P8%1").arg(g), Q(info.starHeading), info.tile,
                                          QSize(12 * starButton.width(), starButton.height()));
  const TipCentreGroup group = info.group;
  lot_.at(Index(group)) =
      MakeSelectionButtons(g, {numbers.panel, numberButton, numbers.buttonOrigin}, {stars.panel, starButton, stars.buttonOrigin},
                           [this, group](ValueKind kind, int v) { lotClick(group, kind, v); });

  layout->addWidget(numbers.panel, 0, Qt::AlignHCenter);
  if (chosen) {
    auto* numberButtons = new QHBoxLayout;
    BitBtn1 = FixedButton(page, "BitBtn1", QStringLiteral("Alle"), QSize(70, 24));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    BitBtn1->setToolTip(QStringLiteral("Alle Zahlen als Wahlzahlen wählen"));
    BitBtn6 = FixedButton(page, "BitBtn6", QStringLiteral("Alle"), QSize(70, 24));
    BitBtn6->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
    BitBtn6->setToolTip(QStringLiteral("Die Auswahl aller Wahlzahlen aufheben"));
    numberButtons->addWidget(BitBtn1);
    numberButtons->addWidget(BitBtn6);
    numberButtons->addStretch();
    layout->addLayout(numberButtons);
  }
  layout->addWidget(stars.panel, 0, Qt::AlignHCenter);
  if (chosen) {
    auto* starButtons = new QHBoxLayout;
    BitBtn2 = FixedButton(page, "BitBtn2", QStringLiteral("Alle"), QSize(70, 24));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    BitBtn2->setToolTip(QStringLiteral("Alle Sternzahlen wählen"));
    BitBtn8 = FixedButton(page, "BitBtn8", QStringLiteral("Alle"), QSize(70, 24));
    BitBtn8->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
    BitBtn8->setToolTip(QStringLiteral("Die Auswahl aller Sternzahlen aufheben"));
    starButtons->addWidget(BitBtn2);
    starButtons->addWidget(BitBtn8);
    starButtons->addStretch();
    layout->addLayout(starButtons);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { selectAll(ValueKind::Number); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { deselectAll(ValueKind::Number); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { selectAll(ValueKind::Star); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { deselectAll(ValueKind::Star); });
  }
  layout->addWidget(buildCountRow(page, chosen ? 1 : 2));

  auto* files = new QHBoxLayout;
  files->setSpacing(4);
  const std::pair<int, const char*> actions[] = {
      {1, "Öffnen..."}, {2, "Standard\nöffnen"}, {3, "Speichern\nunter..."}, {4, "Als Standard\nspeichern"}};
  for (const auto& [action, caption] : actions) {
    const int tag = g * 10 + action;
    auto* button = new QPushButton(Q(caption), page);
    button->setObjectName(QStringLiteral("%1%2%3")
                              .arg(action <= 2 ? QStringLiteral("Open") : QStringLiteral("Save"))
                              .arg(g)
                              .arg(action <= 2 ? action : action - 2));
    button->setProperty("tag", tag);
    button->setFixedSize(98, 34);
    button->setIcon(style()->standardIcon(action <= 2 ? QStyle::SP_DialogOpenButton : QStyle::SP_DialogSaveButton));
    connect(button, &QPushButton::clicked, this, [this, tag] { PatternButtonClick(tag); });
    patternButtons_[tag] = button;
    files->addWidget(button);
  }
  files->addStretch();
  layout->addLayout(files);
  layout->addStretch();
  return page;
}

QWidget* TFTippcenter::buildRowsPage() {
  TabTippreihen = new QWidget;
  TabTippreihen->setObjectName(QStringLiteral("TabTippreihen"));
  auto* layout = new QHBoxLayout(TabTippreihen);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(6);

  rowsModel_ = new TipTableModel(26, this);
  G1 = Make<QTableView>(TabTippreihen, "G1");
  layout->addWidget(G1);

  auto* right = new QVBoxLayout;
  right->setSpacing(4);
  frequencies_ = MakeFrequencyBoxes(TabTippreihen, right, QSize(26, 19), QSize(22, 19));

  auto* buttons = new QGridLayout;
  buttons->setSpacing(4);
  BitBtn3 = FixedButton(TabTippreihen, "BitBtn3", QStringLiteral("Speichern"), QSize(120, 30));
  BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  BOpen1 = FixedButton(TabTippreihen, "BOpen1", QString(), QSize(120, 38));
  BitBtn4 = FixedButton(TabTippreihen, "BitBtn4", QStringLiteral("Löschen"), QSize(120, 30));
  BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
  BitBtn9 = FixedButton(TabTippreihen, "BitBtn9", QStringLiteral("Drucken"), QSize(120, 30));
  BitBtn9->setIcon(ToolIcon(Command::Print));
  buttons->addWidget(BitBtn3, 0, 0);
  buttons->addWidget(BOpen1, 0, 1);
  buttons->addWidget(BitBtn4, 1, 0);
  buttons->addWidget(BitBtn9, 1, 1);
  right->addLayout(buttons);
  right->addStretch();
  layout->addLayout(right);
  layout->addStretch();

  connect(BitBtn3, &QPushButton::clicked, this, &TFTippcenter::BitBtn3Click);
  connect(BOpen1, &QPushButton::clicked, this, &TFTippcenter::BOpen1Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TFTippcenter::BitBtn4Click);
  connect(BitBtn9, &QPushButton::clicked, this, &TFTippcenter::BitBtn9Click);
  return TabTippreihen;
}

// ---- creation -------------------------------------------------------------------------------

void TFTippcenter::FormCreate() {
  rowsModel_->change([](TextTable& t) { SetUpTipTable(t); });
  ShowTipTable(G1, rowsModel_, 18);
  G1->setFixedWidth(G1->minimumWidth());
  BOpen1->setText(QStringLiteral("Spielschein-\nDatei öffnen"));
  BSysAnwenden->setText(QStringLiteral("System\nanwenden"));
  BFilter->setText(QStringLiteral("Filter\nanwenden"));
  setWindowTitle(Q(WindowCaption("- Tipp-Center")));

  if (store_.settingsPresent()) {
    const SettingsRecord& settings = store_.settings();
    if (settings.CBFilter) {
      const std::pair<QComboBox*, std::uint8_t> lists[] = {{ComboBZ, settings.ComboBZ},
                                                           {ComboWZ, settings.ComboWZ},
                                                           {ComboGar, settings.ComboGar},
                                                           {ComboBudget, settings.ComboBudget}};
      for (const auto& [combo, stored] : lists) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(ListPosition(stored, static_cast<std::size_t>(combo->count())));
      }
    }
    // Missing standard files are skipped without a word while the program starts.
    if (settings.CBStandardTC)
      for (const TipCentreGroupInfo& info : TipCentreGroups())
        readPattern(info.group, store_.dataFile(info.standardFile), true);
  }
  filter();
  clientHeight_ = std::max(kClientHeight + menuBar()->sizeHint().height(), minimumSizeHint().height());
  PC1->setCurrentWidget(TabStart);
  pageChanged(PC1->currentIndex());
  // After start every star is chosen, as a chosen star or as a banker star.
  selectAll(ValueKind::Star);
}

void TFTippcenter::pageChanged(int index) {
  const QWidget* page = PC1->widget(index);
  FitToPage(this, PC1, index, page == TabStart ? kStartWidth : page == TabTippreihen ? kRowsPageWidth : kGroupPageWidth,
            clientHeight_);
}

// A size remembered from another page gives way to the width of the page shown.
void TFTippcenter::showEvent(QShowEvent* event) {
  pageChanged(PC1->currentIndex());
  QMainWindow::showEvent(event);
}

QLabel* TFTippcenter::countPanel(TipCentreGroup group, ValueKind kind, int page) const {
  return counts_.at(Index(group)).at(kind == ValueKind::Number ? 0 : 1).at(static_cast<std::size_t>(page));
}

// ---- choosing -------------------------------------------------------------------------------

void TFTippcenter::showSelection(ValueKind kind, int value) {
  const std::optional<TipCentreGroup> holder = core_.holder(kind, value);
  for (const TipCentreGroupInfo& info : TipCentreGroups()) {
    QPushButton* button = lotButton(info.group, kind, value);
    ShowChosen(button, holder == info.group);
    button->setVisible(!holder || *holder == info.group);
  }
  if (const auto tile = core_.overviewTile(kind, value))
    PaintTile(overviewTile(kind, value), *tile);
  else
    PaintPlainFace(overviewTile(kind, value));
}

void TFTippcenter::showAllSelections() {
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= HighestValue(kind); ++v) showSelection(kind, v);
  showCounts();
}

void TFTippcenter::showCounts() {
  for (const TipCentreGroupInfo& info : TipCentreGroups())
    for (ValueKind kind : {ValueKind::Number, ValueKind::Star}) {
      const QString text = QString::number(core_.count(info.group, kind));
      for (int page = 0; page < 3; ++page) countPanel(info.group, kind, page)->setText(text);
    }
}

void TFTippcenter::lotClick(TipCentreGroup group, ValueKind kind, int value) {
  const ChoiceOutcome outcome = core_.toggle(group, kind, value);
  if (outcome.choice == Choice::Refused || outcome.choice == Choice::HeldElsewhere) {
    MessageBox::show(this, MessageBox::Information, outcome.message);
    return;
  }
  showSelection(kind, value);
  showCounts();
  if (outcome.choice == Choice::Removed) PC1->setCurrentWidget(groupPage(group));
}

void TFTippcenter::selectAll(ValueKind kind) {
  core_.selectAll(kind);
  showAllSelections();
}

void TFTippcenter::deselectAll(ValueKind kind) {
  if (core_.count(TipCentreGroup::Chosen, kind) == 0) return;
  core_.deselectAll(kind);
  showAllSelections();
}

// ---- the list of systems --------------------------------------------------------------------

void TFTippcenter::filter() {
  core_.filter({ComboBZ->currentIndex(), ComboWZ->currentIndex(), ComboGar->currentIndex(),
                ComboBudget->currentIndex()});
  QStringList texts;
  for (const std::string& text : core_.listTexts()) texts << Q(text);
  systemList_->setStringList(texts);
  PLAnz->setText(Q(core_.listedCountText()));
}

void TFTippcenter::BSysAnwendenClick() {
  const QModelIndex current = L1->selectionModel()->currentIndex();
  const bool selected = current.isValid() && L1->selectionModel()->isSelected(current);
  Result<SystemRows> applied = core_.applyListRow(selected ? current.row() : -1, random_);
  if (!applied) {
    MessageBox::show(this, MessageBox::Information, applied.error().message);
    return;
  }
  rowsModel_->change([&](TextTable& t) { ShowSlipRows(t, applied->rows); });
  showFrequencies();
  PC1->setCurrentWidget(TabTippreihen);
}

// ---- pattern files --------------------------------------------------------------------------

void TFTippcenter::readPattern(TipCentreGroup group, const std::string& path, bool startUp) {
  const std::vector<Notice> notices = core_.readPattern(group, path, startUp);
  showAllSelections();
  for (const Notice& notice : notices)
    MessageBox::show(this, notice.icon == NoticeIcon::Error ? MessageBox::Error : MessageBox::Information,
                     notice.text);
}

void TFTippcenter::PatternButtonClick(int tag) {
  const auto group = static_cast<TipCentreGroup>(tag / 10);
  if (group != TipCentreGroup::Chosen && group != TipCentreGroup::Banker) return;
  const TipCentreGroupInfo& info = InfoOf(group);
  const std::string standard = store_.dataFile(info.standardFile);
  switch (tag % 10) {
    case 1: {
      const QString path = FileDialog::openFile(this, QStringLiteral("Öffnen"), store_.dataFolder(), Q(info.filter));
      if (!path.isEmpty()) readPattern(group, path.toStdString(), false);
      return;
    }
    case 2: readPattern(group, standard, false); return;
    case 3: {
      if (core_.selection(group).empty()) {
        MessageBox::show(this, MessageBox::Error, Q(kNothingToSaveMessage));
        return;
      }
      const QString path = FileDialog::saveFile(this, QStringLiteral("Speichern unter"), store_.dataFolder(),
                                                Q(info.filter), Q(info.extension));
      if (path.isEmpty()) return;
      if (auto written = core_.writePattern(group, path.toStdString(), false); !written)
        MessageBox::showError(this, written.error());
      return;
    }
    case 4:
      if (auto written = core_.writePattern(group, standard, true); !written) MessageBox::showError(this, written.error());
      return;
    default: return;
  }
}

// ---- rows -----------------------------------------------------------------------------------

bool TFTippcenter::gridEmpty() const { return RowsGridEmpty(*rowsModel_); }

void TFTippcenter::showFrequencies() { frequencies_->show(core_.frequencies()); }

void TFTippcenter::BitBtn3Click() { SaveRowsAsSlip(this, *rowsModel_, store_.dataFolder()); }

void TFTippcenter::BOpen1Click() {
  const auto rows = OpenSlipRows(this, *rowsModel_, store_.dataFolder(), Q(kTipCentreOverwriteQuestion));
  if (!rows) return;
  rowsModel_->change([&](TextTable& t) { ShowSlipRows(t, *rows); });
  core_.countRows(*rows);
  showFrequencies();
  PC1->setCurrentWidget(TabTippreihen);
}

void TFTippcenter::BitBtn4Click() {
  if (gridEmpty()) return;
  rowsModel_->change([](TextTable& t) { ClearTipTable(t); });
  core_.clearFrequencies();
  showFrequencies();
}

void TFTippcenter::BitBtn9Click() { PrintRows(this, *rowsModel_, *G1); }

}  // namespace kw::ui
