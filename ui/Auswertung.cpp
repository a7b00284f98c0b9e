#include "ui/Auswertung.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/draw_history.h"
#include "core/settings_ini.h"
#include "core/settings_record.h"
#include "core/file_io.h"
#include "core/var_def.h"
#include "ui/artwork.h"
#include "ui/draw_list_model.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {


template <class T, class... Args>
T* Make(QWidget* parent, const char* name, Args&&... args) {
  T* widget = new T(std::forward<Args>(args)..., parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QSize size) {
  auto* button = Make<QPushButton>(parent, name, QString::fromUtf8(caption));
  button->setFixedSize(size);
  return button;
}

NavigationTable MainWindowTable(QMainWindow* window) {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programm beenden"},
      {Command::OpenSlip, "BOpen", "Spielschein-Datei öffnen..."},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::SlipPrint, "BDruck", "Spielscheine drucken..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn3", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::UpdateCheck, "BUpdate", "Online-Aktualisierung"},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BitBtn2", "Hilfe"},
  };
  table.own = {Command::Evaluation};
  table.inert = {Command::Print, Command::PrinterSetup};
  table.handlers[Command::Quit] = [window] { window->close(); };
  return table;
}

}  // namespace

TFAuswertung::TFAuswertung(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FAuswertung"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, MainWindowTable(this));
  buildDesign();
  FormCreate();
}

// ---- design -------------------------------------------------------------------------------

void TFAuswertung::buildDesign() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("mainClientArea"));
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(8, 4, 8, 12);
  layout->setSpacing(8);
  layout->addWidget(buildLeftSide());
  layout->addWidget(buildRightSide(), 1);
  setCentralWidget(central);

  navigation_->bind(BOpen1, Command::OpenSlip);
  navigation_->bind(BEigene, Command::TipEntry);
  navigation_->bind(BEigene2, Command::TipEntry);
  // Opening the demonstration slip needs the slip pages.
  BDemo->setEnabled(false);
  connect(CBbis, &QCheckBox::toggled, this, [this] { CBbisClick(); });
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int i) { PeriodFrom = i; });
  connect(Combo2, &QComboBox::currentIndexChanged, this, [this](int i) { PeriodTo = i; });
}

QWidget* TFAuswertung::buildLeftSide() {
  Gr1 = Make<QGroupBox>(this, "Gr1", QStringLiteral("Gewinnreihen"));
  Gr1->setFont(BoldFont());
  Gr1->setFixedWidth(339);
  auto* column = new QVBoxLayout(Gr1);
  column->setContentsMargins(10, 6, 10, 8);
  column->setSpacing(0);

  drawChooserPanel = Make<QFrame>(Gr1, "drawChooserPanel");
  drawChooserPanel->setFont(ProgramFont());
  drawChooserPanel->setFixedSize(319, 52);
  drawDateLabel = Make<QLabel>(drawChooserPanel, "drawDateLabel", QStringLiteral("Datum"));
  drawDateLabel->setGeometry(2, 2, 90, 14);
  Combo1 = Make<QComboBox>(drawChooserPanel, "Combo1");
  Combo1->setGeometry(0, 18, 100, 24);
  Combo1->setPlaceholderText(Q(kChooseText));
  Image3 = Make<QLabel>(drawChooserPanel, "Image3");
  Image3->setGeometry(106, 21, 18, 18);
  Image3->setPixmap(LinkPicture(QSize(18, 18)));
  addDrawsLabel = Make<QLabel>(drawChooserPanel, "addDrawsLabel", QStringLiteral("Gewinnreihen ergänzen"));
  addDrawsLabel->setGeometry(140, 2, 179, 14);
  BNeu = MakeButton(drawChooserPanel, "BNeu", "Neue\nZahlen", QSize(84, 34));
  BNeu->move(140, 17);
  BSave1 = MakeButton(drawChooserPanel, "BSave1", "Speichern", QSize(84, 34));
  BSave1->move(231, 17);
  column->addWidget(drawChooserPanel);
  column->addSpacing(4);

  // Draw entry: 5 aus 50 (317 x 151) over 2 aus 12 (54), 2 px wider, 7 px taller.
  PZahlen = Make<QFrame>(Gr1, "PZahlen");
  PZahlen->setFont(ProgramFont());
  PZahlen->setFixedSize(317 + 2, 54 + 151 + 7);
  PZahlen->setFrameShape(QFrame::StyledPanel);
  column->addWidget(PZahlen);
  column->addSpacing(10);

  PG2 = Make<QFrame>(Gr1, "PG2");
  PG2->setFont(ProgramFont());
  PG2->setFixedWidth(319);
  auto* list = new QVBoxLayout(PG2);
  list->setContentsMargins(0, 0, 0, 0);
  list->setSpacing(3);
  LGa1 = Make<QLabel>(PG2, "LGa1");
  LGa1->setFont(BoldFont());
  list->addWidget(LGa1);
  G1 = Make<QTableView>(PG2, "G1");
  list->addWidget(G1, 1, Qt::AlignLeft);
  column->addWidget(PG2, 1);
  setUpDrawList();
  return Gr1;
}

QWidget* TFAuswertung::buildRightSide() {
  Gr2 = Make<QGroupBox>(this, "Gr2", QStringLiteral("Spielreihen-Auswertung"));
  Gr2->setFont(BoldFont());
  Gr2->setMinimumWidth(450);
  auto* column = new QVBoxLayout(Gr2);
  column->setContentsMargins(8, 6, 8, 8);
  column->setSpacing(6);

  POben = Make<QFrame>(Gr2, "POben");
  POben->setFont(ProgramFont());
  POben->setFixedHeight(42);
  auto* top = new QHBoxLayout(POben);
  top->setContentsMargins(0, 2, 0, 2);
  top->setSpacing(6);
  BOpen1 = MakeButton(POben, "BOpen1", "Spielschein-\nDatei öffnen", QSize(98, 38));
  BEigene2 = MakeButton(POben, "BEigene2", "Eigene\neingeben", QSize(98, 38));
  top->addWidget(BOpen1);
  top->addWidget(BEigene2);
  top->addStretch(1);
  column->addWidget(POben);

  auto* upper = Make<QWidget>(Gr2, "slipArea");
  upper->setFont(ProgramFont());
  auto* upperRow = new QHBoxLayout(upper);
  upperRow->setContentsMargins(0, 0, 0, 0);
  upperRow->setSpacing(8);
  // The slip pages lie under the welcome panel until the first slip is opened.
  auto* slipStack = Make<QWidget>(upper, "slipStack");
  auto* stack = new QGridLayout(slipStack);
  stack->setContentsMargins(0, 0, 0, 0);
  PC1 = Make<QTabWidget>(slipStack, "PC1");
  PC1->setDocumentMode(true);
  stack->addWidget(PC1, 0, 0);
  stack->addWidget(buildWelcomePanel(), 0, 0);
  PInfo->raise();
  upperRow->addWidget(slipStack, 1);
  upperRow->addWidget(buildPeriodControls(), 0, Qt::AlignTop);

  PCF1 = Make<QTabWidget>(Gr2, "PCF1");
  PCF1->setFont(ProgramFont());
  PCF1->setDocumentMode(true);

  evaluationSplitter = Make<QSplitter>(Gr2, "evaluationSplitter", Qt::Vertical);
  evaluationSplitter->setChildrenCollapsible(false);
  evaluationSplitter->addWidget(upper);
  evaluationSplitter->addWidget(PCF1);
  evaluationSplitter->setStretchFactor(0, 0);
  evaluationSplitter->setStretchFactor(1, 1);
  evaluationSplitter->setSizes({320, 220});
  column->addWidget(evaluationSplitter, 1);
  return Gr2;
}

QWidget* TFAuswertung::buildWelcomePanel() {
  PInfo = Make<QFrame>(this, "PInfo");
  PInfo->setFrameShape(QFrame::StyledPanel);
  PInfo->setAutoFillBackground(true);
  QPalette palette = PInfo->palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFD, 0xF2));
  PInfo->setPalette(palette);
  PInfo->setMinimumSize(270, 300);

  auto* column = new QVBoxLayout(PInfo);
  column->setContentsMargins(12, 12, 12, 12);
  column->setSpacing(8);
  auto* head = new QHBoxLayout;
  welcomeImage = Make<QLabel>(PInfo, "welcomeImage");
  welcomeImage->setPixmap(WelcomePicture(QSize(104, 104)));
  welcomeImage->setFixedSize(104, 104);
  head->addWidget(welcomeImage);
  helloLabel = Make<QLabel>(PInfo, "helloLabel", QStringLiteral("Hallo!"));
  helloLabel->setFont(BoldFont(16));
  helloLabel->setStyleSheet(QStringLiteral("color: #1E3C8C;"));
  head->addWidget(helloLabel, 1, Qt::AlignVCenter | Qt::AlignHCenter);
  column->addLayout(head);

  welcomeText1 = Make<QLabel>(PInfo, "welcomeText1",
                              BreakAtHyphens(QStringLiteral("Keine Angst, das Bild verschwin- det, sobald eine "
                                                            "Datei mit Tipp- reihen geladen wird.")));
  welcomeText2 = Make<QLabel>(PInfo, "welcomeText2",
                              BreakAtHyphens(QStringLiteral("Geben Sie Ihre eigenen Tipprei- hen ein oder laden Sie "
                                                            "einen Demo-Schein.")));
  column->addWidget(welcomeText1);
  column->addWidget(welcomeText2);
  column->addStretch(1);

  auto* buttons = new QHBoxLayout;
  BEigene = MakeButton(PInfo, "BEigene", "Eigene\neingeben", QSize(98, 38));
  BDemo = MakeButton(PInfo, "BDemo", "Demo-\nSchein", QSize(98, 38));
  buttons->addWidget(BEigene);
  buttons->addWidget(BDemo);
  buttons->addStretch(1);
  column->addLayout(buttons);
  return PInfo;
}

QWidget* TFAuswertung::buildPeriodControls() {
  PObenRechts = Make<QFrame>(this, "PObenRechts");
  PObenRechts->setFixedWidth(140);
  auto* column = new QVBoxLayout(PObenRechts);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  evaluationLabel = Make<QLabel>(PObenRechts, "evaluationLabel", QStringLiteral("Auswertung"));
  evaluationLabel->setFont(BoldFont());
  forLabel = Make<QLabel>(PObenRechts, "forLabel", QStringLiteral("für:"));
  ComboBox1 = Make<QComboBox>(PObenRechts, "ComboBox1");
  ComboBox1->setPlaceholderText(Q(kChooseText));
  CBbis = Make<QCheckBox>(PObenRechts, "CBbis", QStringLiteral("bis:"));
  toDateLabel = Make<QLabel>(PObenRechts, "toDateLabel", QStringLiteral("Datum"));
  Combo2 = Make<QComboBox>(PObenRechts, "Combo2");
  Combo2->setPlaceholderText(Q(kChooseText));
  CBAlle = Make<QCheckBox>(PObenRechts, "CBAlle", BreakAtHyphens(QStringLiteral("Sämtliche Dateien zu- sammen auswerten")));
  CBAlle->setChecked(true);
  // Only meaningful with more than one slip page.
  CBAlle->setEnabled(false);
  BAuswerten = MakeButton(PObenRechts, "BAuswerten", "Auswerten", QSize(98, 38));
  BAuswerten->setFont(BoldFont());

  column->addWidget(evaluationLabel);
  column->addSpacing(4);
  column->addWidget(forLabel);
  column->addWidget(ComboBox1);
  column->addSpacing(8);
  column->addWidget(CBbis);
  column->addWidget(toDateLabel);
  column->addWidget(Combo2);
  column->addSpacing(12);
  column->addWidget(CBAlle);
  column->addSpacing(14);
  column->addWidget(BAuswerten);
  column->addStretch(1);
  CBbisClick();
  return PObenRechts;
}

void TFAuswertung::setUpDrawList() {
  drawList_ = new DrawListModel(App().Draws, this);
  G1->setModel(drawList_);
  G1->setSelectionMode(QAbstractItemView::NoSelection);
  G1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  G1->setWordWrap(false);
  G1->setCornerButtonEnabled(false);
  G1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  G1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  G1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

  QHeaderView* rows = G1->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(16);

  QHeaderView* columns = G1->horizontalHeader();
  columns->setMinimumSectionSize(1);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->setFixedHeight(17);
  for (int c = 0; c < 8; ++c) G1->setColumnWidth(c, c == 0 ? 67 : (c >= 6 ? 30 : 32));

  G1->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.column() == 0) return FixedCellStyle(option);
        return CellStyle{Qt::white, Qt::black, option.font, CellAlign::Centre};
      },
      G1));

  const int frame = 2 * G1->frameWidth();
  G1->setFixedWidth(67 + 5 * 32 + 2 * 30 + frame + G1->verticalScrollBar()->sizeHint().width());
  G1->setMinimumHeight(17 + 17 * 16 + frame);
}

// ---- creation and closing -------------------------------------------------------------------

void TFAuswertung::FormCreate() {
  setWindowTitle(Q(WindowCaption("- Zentrale")));
  CBAlle->setChecked(IniFile::Load(App().dataFile(kIniFileName)).read(ini::kAuswertungAlle));
  // The draw list is set up with the design; the number buttons of PZahlen come with the draw entry.
  loadDrawHistory();
  openRememberedSlips();
  fillPeriodLists();
  adjustSize();
  if (!App().Draws.empty()) Combo1->setCurrentIndex(Combo1->count() - 1);
}

void TFAuswertung::loadDrawHistory() {
  AppState& state = App();
  const bool fileThere = FileExists(state.dataFile(kDrawsFileName));
  if (auto loaded = LoadDraws(state); !loaded) MessageBox::showError(this, loaded.error());
  // Without a file the grid keeps its designed empty rows; a file shows exactly its draws.
  drawList_->setShownDraws(fileThere ? static_cast<int>(state.Draws.size()) : DrawListModel::kDesignRows);

  Combo1->clear();
  for (const auto& text : DrawDateTexts(state.Draws)) Combo1->addItem(Q(text));
  Combo1->setCurrentIndex(-1);
  LGa1->setText(Q(HistoryHeadingText(state)));
}

void TFAuswertung::openRememberedSlips() {
  AppState& state = App();
  const SettingsLoad load = ReadSettingsFile(state.dataFile(kSettingsFileName));
  if (load.error) MessageBox::showError(this, *load.error);
  state.Settings = load.record;
  state.SettingsPresent = load.present;
  // The slip pages that reopen these files come with the evaluation pages.
}

void TFAuswertung::fillPeriodLists() {
  const auto texts = DrawDateTexts(App().Draws);
  for (QComboBox* list : {ComboBox1, Combo2}) {
    list->clear();
    for (const auto& text : texts) list->addItem(Q(text));
    list->setCurrentIndex(list->count() - 1);
  }
  PeriodFrom = ComboBox1->currentIndex();
  PeriodTo = Combo2->currentIndex();
}

void TFAuswertung::CBbisClick() {
  Combo2->setEnabled(CBbis->isChecked());
  toDateLabel->setEnabled(CBbis->isChecked());
}

void TFAuswertung::closeEvent(QCloseEvent* event) {
  const bool all = CBAlle->isChecked();
  if (auto written = UpdateIniFile(App().dataFile(kIniFileName), [all](IniFile& f) { f.write(ini::kAuswertungAlle, all); });
      !written)
    MessageBox::showError(this, written.error());
  event->accept();
}

}  // namespace kw::ui
