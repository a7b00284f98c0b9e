#include "ui/Auswertung.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QComboBox>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "core/csv_import.h"
#include "core/dates.h"
#include "core/draw_history.h"
#include "core/draw_paste.h"
#include "core/game_rules.h"
#include "core/qlinks.h"
#include "core/quota_store.h"
#include "core/slip_file.h"
#include "evaluation/evaluation.h"
#include "platform/shell.h"
#include "core/settings_ini.h"
#include "core/settings_record.h"
#include "core/file_io.h"
#include "core/program.h"
#include "ui/artwork.h"
#include "ui/data_store.h"
#include "ui/Frame1.h"
#include "ui/Frame2.h"
#include "ui/draw_list_model.h"
#include "ui/file_dialog.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/text_prompt.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {


QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QSize size) {
  auto* button = Make<QPushButton>(parent, name, QString::fromUtf8(caption));
  button->setFixedSize(size);
  return button;
}

NavigationTable MainWindowTable(TFAuswertung* window) {
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
  table.hidden = {Command::Print, Command::PrinterSetup};
  table.handlers[Command::Quit] = [window] { window->close(); };
  table.handlers[Command::OpenSlip] = [window] { window->BOpenClick(); };
  return table;
}

bool Has(const std::array<std::uint8_t, 32>& set, int n) {
  return (set[static_cast<std::size_t>(n / 8)] >> (n % 8)) & 1;
}

void Flip(std::array<std::uint8_t, 32>& set, int n) {
  set[static_cast<std::size_t>(n / 8)] = static_cast<std::uint8_t>(set[static_cast<std::size_t>(n / 8)] ^ (1u << (n % 8)));
}

// The latest Tuesday or Friday on or before a day: what the first draw of a history is dated.
double LatestDrawDay(double day) {
  while (DayOfWeek(day) != kTuesday && DayOfWeek(day) != kFriday) day -= 1;
  return day;
}

}  // namespace

TFAuswertung::TFAuswertung(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FAuswertung"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, MainWindowTable(this), context.commands);
  buildDesign();
  FormCreate();
  connect(&store_, &DataStore::drawsChanged, this, &TFAuswertung::historyChanged);
}

TFAuswertung::~TFAuswertung() = default;

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
  connect(BDemo, &QPushButton::clicked, this, [this] { BDemoClick(); });
  connect(BNeu, &QPushButton::clicked, this, [this] { BNeuClick(); });
  connect(BSave1, &QPushButton::clicked, this, [this] { BSave1Click(); });
  connect(BAuswerten, &QPushButton::clicked, this, [this] { BAuswertenClick(); });
  connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { ShowDraw(); });
  Image3->installEventFilter(this);
  Image3->setCursor(Qt::PointingHandCursor);
  Image3->setToolTip(QStringLiteral("Gewinnquoten im Internet ansehen"));
  connect(CBbis, &QCheckBox::toggled, this, [this] { CBbisClick(); });
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int i) { PeriodFrom = i; });
  connect(Combo2, &QComboBox::currentIndexChanged, this, [this](int i) { PeriodTo = i; });

  // The window's own entry in "&Datei", after opening a slip.
  QAction* open = navigation_->menuAction(Command::OpenSlip);
  if (auto* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("MenuDatei")); fileMenu && open) {
    MenuImportDraws = new QAction(QStringLiteral("Gewinnreihen importieren..."), fileMenu);
    MenuImportDraws->setObjectName(QStringLiteral("MenuImportDraws"));
    const auto entries = fileMenu->actions();
    const auto at = entries.indexOf(open);
    fileMenu->insertAction(at + 1 < entries.size() ? entries[at + 1] : nullptr, MenuImportDraws);
    connect(MenuImportDraws, &QAction::triggered, this, [this] { MenuImportDrawsClick(); });
  }
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

  // Draw entry: 5 aus 50 (317 x 151) over 2 aus 12 (54); the buttons come at creation.
  PZahlen = Make<QFrame>(Gr1, "PZahlen");
  PZahlen->setFont(ProgramFont());
  auto makeArea = [this](const char* name, const char* header, int top, int height, QLabel*& clear) {
    auto* area = Make<QFrame>(PZahlen, name);
    area->setGeometry(1, top, 317, height);
    area->setFrameShape(QFrame::StyledPanel);
    auto* head = Make<QLabel>(area, (std::string(name) + "Header").c_str(), QString::fromUtf8(header));
    head->setGeometry(1, 1, 315, 20);
    head->setFont(BoldFont());
    head->setAutoFillBackground(true);
    QPalette palette = head->palette();
    palette.setColor(QPalette::Window, QColor(0xDC, 0xE4, 0xF2));
    palette.setColor(QPalette::WindowText, QColor(0x1E, 0x3C, 0x8C));
    head->setPalette(palette);
    clear = Make<QLabel>(area, name == std::string("P50") ? "Image1" : "Image2");
    clear->setPixmap(ClearPicture());
    clear->setGeometry(317 - 19, 3, 16, 16);
    clear->setCursor(Qt::PointingHandCursor);
    clear->setToolTip(QStringLiteral("Alle Markierungen löschen"));
    clear->installEventFilter(this);
    return area;
  };
  P50 = makeArea("P50", "  5 aus 50", 1, 151, Image1);
  P8 = makeArea("P8", "  2 aus 12 (Sterne)", 1 + 151 + 4, 54, Image2);
  BCopy = Make<QToolButton>(P50, "BCopy");
  BCopy->setIcon(PasteIcon());
  BCopy->setToolTip(QStringLiteral("Gewinnzahlen aus der Zwischenablage markieren"));
  BCopy->setAutoRaise(true);
  BCopy->setGeometry(317 - 20 - 26, 0, 26, 22);
  connect(BCopy, &QToolButton::clicked, this, [this] { BCopyClick(); });
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
  drawList_ = new DrawListModel(store_.draws(), this);
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
  CBAlle->setChecked(IniFile::Load(store_.dataFile(kIniFileName)).read(ini::kAuswertungAlle));
  buildNumberButtons();
  loadDrawHistory();
  // The amounts of the evaluation. An unreadable quota file is said once, here: without it every
  // win would be paid at the standard amount without a word.
  if (auto quotas = store_.loadQuotas(); !quotas)
    MessageBox::show(this, MessageBox::Warning,
                     Q(quotas.error().message + "\r\rBis das behoben ist, rechnet die Auswertung mit den "
                                                "Standardquoten."));
  openRememberedSlips();
  adjustSize();
  if (!store_.draws().empty()) Combo1->setCurrentIndex(Combo1->count() - 1);
}

void TFAuswertung::buildNumberButtons() {
  for (int i = 1; i <= 5; ++i) {
    for (int j = 1; j <= 10; ++j) {
      const int n = 10 * (i - 1) + j;
      auto* button = new QPushButton(QString::number(n), P50);
      button->setObjectName(QStringLiteral("lot%1").arg(n));
      button->setProperty("tag", n);
      button->setGeometry(31 * j - 29, 25 * i - 1, 30, 24);
      button->setFocusPolicy(Qt::NoFocus);
      setMarkFont(button, false, false);
      connect(button, &QPushButton::clicked, this, [this, n] { ToggleMain(n); });
      mainButtons[static_cast<std::size_t>(n)] = button;
    }
  }
  for (int star = 1; star <= 12; ++star) {
    auto* button = new QPushButton(QString::number(star), P8);
    button->setObjectName(QStringLiteral("lot8%1").arg(star));
    button->setProperty("tag", 80 + star);
    button->setGeometry(25 * star - 19, 22, 24, 24);
    button->setFocusPolicy(Qt::NoFocus);
    setMarkFont(button, true, false);
    connect(button, &QPushButton::clicked, this, [this, button] { ToggleStar(button->property("tag").toInt() - 80); });
    starButtons[static_cast<std::size_t>(star)] = button;
  }
  PZahlen->setFixedSize(P50->width() + 2, P8->height() + P50->height() + 7);
}

void TFAuswertung::setMarkFont(QPushButton* button, bool star, bool marked) {
  QFont font = ProgramFont();
  font.setPointSize(marked ? (star ? 10 : 12) : 9);
  font.setBold(marked);
  button->setFont(font);
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, marked ? QColor(0xB0, 0x10, 0x10) : QColor(Qt::black));
  button->setPalette(palette);
}

// ---- draw entry -----------------------------------------------------------------------------

void TFAuswertung::ToggleMain(int n) {
  if (n < 1 || n > kMaxMain) return;
  if (Has(MarkedMain, n)) {
    Flip(MarkedMain, n);
    --MarkedMainCount;
    setMarkFont(mainButtons[static_cast<std::size_t>(n)], false, false);
    return;
  }
  if (MarkedMainCount >= kMainCount) {
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Sie haben bereits fünf Zahlen gewählt!\r\rFür eine Änderung der Auswahl demarkieren "
                                    "Sie bitte zunächst eine der gewählten Zahlen."));
    return;
  }
  Flip(MarkedMain, n);
  ++MarkedMainCount;
  setMarkFont(mainButtons[static_cast<std::size_t>(n)], false, true);
}

void TFAuswertung::ToggleStar(int s) {
  if (s < 1 || s > kMaxStar) return;
  if (Has(MarkedStars, s)) {
    Flip(MarkedStars, s);
    --MarkedStarCount;
    setMarkFont(starButtons[static_cast<std::size_t>(s)], true, false);
    return;
  }
  if (MarkedStarCount >= kStarCount) {
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Sie haben bereits zwei Zahlen gewählt!\r\rFür eine Änderung der Auswahl demarkieren "
                                    "Sie bitte zunächst eine der gewählten Zahlen."));
    return;
  }
  Flip(MarkedStars, s);
  ++MarkedStarCount;
  setMarkFont(starButtons[static_cast<std::size_t>(s)], true, true);
}

void TFAuswertung::ClearMain() {
  for (int n = 1; n <= kMaxMain; ++n) setMarkFont(mainButtons[static_cast<std::size_t>(n)], false, false);
  MarkedMain.fill(0);
  MarkedMainCount = 0;
}

void TFAuswertung::ClearStars() {
  for (int s = 1; s <= kMaxStar; ++s) setMarkFont(starButtons[static_cast<std::size_t>(s)], true, false);
  MarkedStars.fill(0);
  MarkedStarCount = 0;
}

void TFAuswertung::ShowDraw() {
  const auto& draws = store_.draws();
  const int k = Combo1->currentIndex();
  // Nothing chosen: nothing to show.
  if (k < 0 || k > static_cast<int>(draws.size())) return;
  ClearMain();
  ClearStars();
  // The pending new draw has no numbers yet: it shows none.
  if (k == static_cast<int>(draws.size())) return;
  const TGewZahlen& draw = draws[static_cast<std::size_t>(k)];
  for (std::uint8_t n : draw.GZ) ToggleMain(n);
  for (std::uint8_t s : draw.SZ) ToggleStar(s);
}

void TFAuswertung::BNeuClick() {
  const auto& draws = store_.draws();
  const double now = NowDayNumber();
  if (pendingDate_) {
    MessageBox::show(this, MessageBox::Error, Q(kCompletePreviousMessage));
    return;
  }
  if (draws.empty()) {
    // The first draw of a history has no draw before it to be dated from: the user dates it.
    const auto answer = TextPrompt::ask(
        this, QStringLiteral("Erste Ausspielung"),
        QStringLiteral("Es sind noch keine Gewinnreihen gespeichert.\nDatum der Ausspielung (TT.MM.JJJJ):"),
        Q(DateText(LatestDrawDay(TodayDayNumber()))));
    if (!answer) return;
    const auto date = ParseDateText(answer->trimmed().toStdString());
    if (!date) {
      MessageBox::show(this, MessageBox::Error,
                       QStringLiteral("\"%1\" ist kein gültiges Datum. Bitte geben Sie es in der Form TT.MM.JJJJ "
                                      "ein.\r\rIch breche erst einmal ab.")
                           .arg(answer->trimmed()));
      return;
    }
    ClearMain();
    ClearStars();
    if (*date > now) MessageBox::show(this, MessageBox::Confirmation, Q(kClairvoyanceMessage));
    pendingDate_ = *date;
  } else {
    const auto next = PlanNewDraw(draws, now);
    if (!next) {
      MessageBox::showError(this, next.error());
      return;
    }
    ClearMain();
    ClearStars();
    if (next->inFuture) MessageBox::show(this, MessageBox::Confirmation, Q(kClairvoyanceMessage));
    pendingDate_ = next->date;
  }
  Combo1->addItem(Q(DateText(*pendingDate_)));
  Combo1->setCurrentIndex(Combo1->count() - 1);
}

void TFAuswertung::BSave1Click() {
  if (CountBits(MarkedMain.data(), MarkedMain.size()) != kMainCount ||
      CountBits(MarkedStars.data(), MarkedStars.size()) != kStarCount) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Bitte komplettieren Sie zunächst Ihre Angaben. Sie müssen 5 Gewinnzahlen und 2 "
                                    "Sternzahlen wählen.\r\rIch breche erst einmal ab."));
    return;
  }
  const auto& draws = store_.draws();
  const int k = Combo1->currentIndex();
  const int count = static_cast<int>(draws.size());
  const int last = pendingDate_ ? count : count - 1;
  if (last < 0) {
    MessageBox::show(this, MessageBox::Error, Q(kNoDrawsMessage));
    return;
  }
  if (k < 0 || k > last) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Bitte wählen Sie zuerst unter \"Datum\" die Ausspielung, deren Zahlen Sie "
                                    "speichern möchten, oder legen Sie mit \"Neue Zahlen\" eine neue an.\r\rIch "
                                    "breche erst einmal ab."));
    return;
  }
  const bool appending = pendingDate_ && k == count;
  // Saving an older draw first would leave the new draw without its numbers.
  if (pendingDate_ && !appending) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Bitte speichern Sie zuerst die Zahlen der neuen Ausspielung vom %1.\r\rIch "
                                    "breche erst einmal ab.")
                         .arg(Combo1->itemText(count)));
    return;
  }

  TGewZahlen draw;
  draw.datum = appending ? *pendingDate_ : draws[static_cast<std::size_t>(k)].datum;
  std::size_t i = 0;
  for (int n = 1; n <= kMaxMain; ++n)
    if (Has(MarkedMain, n)) draw.GZ[i++] = static_cast<std::uint8_t>(n);
  i = 0;
  for (int s = 1; s <= kMaxStar; ++s)
    if (Has(MarkedStars, s)) draw.SZ[i++] = static_cast<std::uint8_t>(s);
  // The lists are rebuilt from the store's signal, by then without the pending entry.
  const std::optional<double> pending = std::exchange(pendingDate_, std::nullopt);
  if (auto saved = store_.storeDraw(static_cast<std::size_t>(k), draw); !saved) {
    pendingDate_ = pending;
    MessageBox::showError(this, saved.error());
  }
}

void TFAuswertung::historyChanged() {
  const auto& draws = store_.draws();
  const int count = static_cast<int>(draws.size());
  const int before = ComboBox1->count();
  // Without a file the grid keeps its designed empty rows; a history shows exactly its draws.
  if (count > 0) historyFileThere_ = true;
  drawList_->setShownDraws(historyFileThere_ ? count : DrawListModel::kDesignRows);
  LGa1->setText(Q(HistoryHeadingText(draws)));

  QStringList texts;
  texts.reserve(count + 1);
  for (const auto& text : DrawDateTexts(draws)) texts << Q(text);
  const int chosen = Combo1->currentIndex();
  const int from = ComboBox1->currentIndex(), to = Combo2->currentIndex();
  {
    const QSignalBlocker blockChooser(Combo1), blockFrom(ComboBox1), blockTo(Combo2);
    for (QComboBox* list : {Combo1, ComboBox1, Combo2}) {
      list->clear();
      list->addItems(texts);
    }
    if (pendingDate_) Combo1->addItem(Q(DateText(*pendingDate_)));
    // The chosen draw stays chosen; a saved new draw is where the pending entry was.
    Combo1->setCurrentIndex(chosen < Combo1->count() ? chosen : -1);
    if (before > 0 && count > before) {
      // New draws: the period moves on to end on the newest, starting at the draw before them.
      ComboBox1->setCurrentIndex(before - 1);
      Combo2->setCurrentIndex(count - 1);
    } else if (before > 0 && from < count && to < count) {
      ComboBox1->setCurrentIndex(from);
      Combo2->setCurrentIndex(to);
    } else {
      ComboBox1->setCurrentIndex(count - 1);
      Combo2->setCurrentIndex(count - 1);
    }
  }
  PeriodFrom = ComboBox1->currentIndex();
  PeriodTo = Combo2->currentIndex();
  if (count > before && before > 0) G1->scrollToBottom();
}

void TFAuswertung::BCopyClick() {
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  if (!clip || !clip->hasText()) return;
  const auto numbers = ParsePastedDraw(clip->text().toStdString());
  if (!numbers) {
    MessageBox::showError(this, numbers.error());
    return;
  }
  for (const PastedNumber& p : *numbers) {
    if (p.star)
      ToggleStar(p.number);
    else
      ToggleMain(p.number);
  }
}

// ---- slips and evaluation -------------------------------------------------------------------

void TFAuswertung::BOpenClick() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Datei wählen"), store_.dataFolder(), Q(kSlipFilter));
  if (!path.isEmpty()) OpenSlipPage(path);
}

void TFAuswertung::BDemoClick() {
  const std::string demo = store_.dataFile(kDemoSlipFileName);
  if (!FileExists(demo)) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Die Demo-Datei wurde nicht gefunden, offensichtlich wurde sie gelöscht.\r\rIch "
                                    "muss abbrechen."));
    return;
  }
  OpenSlipPage(Q(demo));
}

bool TFAuswertung::OpenSlipPage(const QString& path) {
  auto rows = LoadSlipRows(path.toStdString());
  if (!rows) {
    MessageBox::showError(this, rows.error());
    return false;
  }
  const int n = ++SlipPageCount;
  slipRows_.resize(static_cast<std::size_t>(n));
  slipRows_[static_cast<std::size_t>(n - 1)] = *rows;

  auto* page = new QWidget(PC1);
  page->setObjectName(QStringLiteral("TabG%1").arg(n));
  page->setProperty("tag", n);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new TFrFrame1(n, std::move(*rows), page));
  PC1->addTab(page, QFileInfo(path).completeBaseName());
  PC1->setCurrentWidget(page);
  CBAlle->setEnabled(PC1->count() > 1);
  PInfo->hide();
  return true;
}

TFrFrame2* TFAuswertung::NewResultPage() {
  const int n = EvalCount;
  auto* page = new QWidget(PCF1);
  page->setObjectName(QStringLiteral("TabA%1").arg(n));
  page->setProperty("tag", n);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* frame = new TFrFrame2(n, page, &store_);
  layout->addWidget(frame);
  PCF1->addTab(page, QString());
  PCF1->setCurrentWidget(page);
  return frame;
}

void TFAuswertung::BAuswertenClick() {
  EvalRequest request{store_.draws(), store_.quotas(), {PeriodFrom, PeriodTo, CBbis->isChecked()}, {}, EvalCount + 1};
  // Several pages together, or the active page alone.
  std::vector<int> pages;
  if (PC1->count() > 1 && CBAlle->isChecked())
    for (int i = 0; i < PC1->count(); ++i) pages.push_back(i);
  else if (PC1->count() > 0)
    pages.push_back(PC1->currentIndex());
  for (int i : pages) {
    const int slip = PC1->widget(i)->property("tag").toInt() - 1;
    request.slips.push_back({PC1->tabText(i).toStdString(), slipRows_[static_cast<std::size_t>(slip)]});
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto result = Evaluate(request);
  QApplication::restoreOverrideCursor();
  if (!result) {
    MessageBox::showError(this, result.error());
    return;
  }
  EvalCount = request.number;
  TFrFrame2* frame = NewResultPage();
  frame->showResult(std::move(result->table), Q(result->heading));
  PCF1->setTabText(PCF1->currentIndex(), Q(result->caption));
}

void TFAuswertung::MenuImportDrawsClick() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Gewinnreihen importieren"), store_.dataFolder(),
                                            QStringLiteral("CSV-Datei|*.csv|Alle Dateien|*.*"));
  if (path.isEmpty()) return;
  const auto imported = store_.importDrawsFile(path.toStdString());
  if (!imported) {
    MessageBox::showError(this, imported.error());
    return;
  }
  MessageBox::show(this, MessageBox::Information, Q(DrawImportSummaryText(*imported)));
}

void TFAuswertung::Image3Click() {
  auto links = ReadQuotaLinks(store_.dataFile(kQuotaLinksFileName));
  if (!links) {
    MessageBox::showError(this, links.error());
    return;
  }
  const std::string& link = (*links)[0];
  if (link.empty()) {
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Für den ersten Quoten-Link ist keine gültige Internetadresse gespeichert. Sie "
                                    "können sie im Fenster \"Quoten-Favoriten\" eintragen."));
    return;
  }
  if (!kw::platform::OpenUrl(link))
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gab ein Problem mit dem Seitenaufruf."));
}

bool TFAuswertung::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == Image3) Image3Click();
    if (watched == Image1) ClearMain();
    if (watched == Image2) ClearStars();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFAuswertung::loadDrawHistory() {
  historyFileThere_ = FileExists(store_.dataFile(kDrawsFileName));
  if (auto loaded = store_.loadDraws(); !loaded) MessageBox::showError(this, loaded.error());
  historyChanged();
}

void TFAuswertung::openRememberedSlips() {
  if (auto loaded = store_.loadSettings(); !loaded) MessageBox::showError(this, loaded.error());
  // Files that are gone are skipped without a word; they stay in the list.
  for (const std::string& path : store_.settings().recentSlips)
    if (!path.empty() && FileExists(path)) OpenSlipPage(Q(path));
}

void TFAuswertung::CBbisClick() {
  Combo2->setEnabled(CBbis->isChecked());
  toDateLabel->setEnabled(CBbis->isChecked());
}

void TFAuswertung::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The player comes for the latest draws: the list opens on its end, once laid out.
  if (!event->spontaneous() && !shownOnce_) {
    shownOnce_ = true;
    QTimer::singleShot(0, G1, [this] { G1->scrollToBottom(); });
  }
}

void TFAuswertung::closeEvent(QCloseEvent* event) {
  const bool all = CBAlle->isChecked();
  if (auto written = UpdateIniFile(store_.dataFile(kIniFileName), [all](IniFile& f) { f.write(ini::kAuswertungAlle, all); });
      !written)
    MessageBox::showError(this, written.error());
  event->accept();
}

}  // namespace kw::ui
