#include "ui/Statistik1.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

#include "core/draw_history.h"
#include "core/program.h"
#include "ui/data_store.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

constexpr int kNumberCellWidth = 36;
constexpr int kStarCellWidth = 30;
constexpr int kFieldHeight = 18;
constexpr int kCellGap = 1;
// A label with its value field below it, and two pixels to the next pair.
constexpr int kRowPitch = 2 * kFieldHeight + 2;
constexpr int kPanelMargin = 4;
constexpr int kHeadingBarHeight = 20;
constexpr int kPanelInnerWidth = 12 * kStarCellWidth + 11 * kCellGap;  // the star row is the wider
constexpr int kPanelWidth = kPanelInnerWidth + 2 * kPanelMargin;
constexpr int kCellsTop = kHeadingBarHeight + 4;

const QColor kNumberLabelColour(255, 183, 183);
const QColor kStarLabelColour(255, 255, 204);

QLabel* Field(QWidget* parent, const QString& name, int width, const QColor& background, bool bold) {
  auto* field = new QLabel(parent);
  field->setObjectName(name);
  field->setFixedSize(width, kFieldHeight);
  field->setAlignment(Qt::AlignCenter);
  field->setFont(bold ? BoldFont() : ProgramFont());
  field->setAutoFillBackground(true);
  QPalette palette = field->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, Qt::black);
  field->setPalette(palette);
  return field;
}

QLabel* HeadingBar(QWidget* parent, const char* name) {
  auto* bar = new QLabel(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setFont(BoldFont());
  bar->setAlignment(Qt::AlignCenter);
  bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bar->setGeometry(0, 0, kPanelWidth, kHeadingBarHeight);
  return bar;
}

// Top-left corner of slot k (1-based) in a row of `perRow` cells of `width`.
QPoint SlotPosition(int k, int perRow, int width) {
  const int row = (k - 1) / perRow, column = (k - 1) % perRow;
  return {kPanelMargin + column * (width + kCellGap), kCellsTop + row * kRowPitch};
}

NavigationTable StatisticsTable() {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Statistik schließen"},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn1", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
  };
  table.own = {Command::Statistics};
  table.hidden = {Command::OpenSlip, Command::Print, Command::PrinterSetup};
  table.closeInsteadOfQuit = true;
  return table;
}

}  // namespace

TFStatistik1::TFStatistik1(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FStatistik1"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, StatisticsTable(), context.commands);
  buildDesign();
  FormCreate();
  connect(&store_, &DataStore::drawsChanged, this, &TFStatistik1::historyChanged);
}

// ---- design ---------------------------------------------------------------------------------

void TFStatistik1::buildDesign() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(8, 6, 8, 8);
  columns->setSpacing(12);

  auto* left = new QVBoxLayout;
  left->setSpacing(0);
  Label1 = new QLabel(central);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(BoldFont(9));
  Label1->setWordWrap(true);
  Label1->setFixedWidth(kPanelWidth);
  Label1->setMinimumHeight(Label1->fontMetrics().height() * 2 + 4);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  left->addWidget(Label1);
  left->addSpacing(2);
  P1 = buildNumberPanel();
  left->addWidget(P1);
  left->addSpacing(10);
  P2 = buildStarPanel();
  left->addWidget(P2);
  left->addStretch(1);
  columns->addLayout(left);
  columns->addWidget(buildControls(), 0, Qt::AlignTop);
}

QFrame* TFStatistik1::buildNumberPanel() {
  auto* panel = new QFrame(centralWidget());
  panel->setObjectName(QStringLiteral("P1"));
  panel->setFrameStyle(QFrame::NoFrame);
  panel->setFixedSize(kPanelWidth, kCellsTop + 5 * kRowPitch);
  PTop1 = HeadingBar(panel, "PTop1");
  for (int k = 1; k <= 50; ++k) {
    PNummer[static_cast<std::size_t>(k)] =
        Field(panel, QStringLiteral("PNummer%1").arg(k), kNumberCellWidth, kNumberLabelColour, true);
    PNummerWert[static_cast<std::size_t>(k)] =
        Field(panel, QStringLiteral("PNummerWert%1").arg(k), kNumberCellWidth, Qt::white, false);
    PNummer[static_cast<std::size_t>(k)]->move(SlotPosition(k, 10, kNumberCellWidth));
  }
  return panel;
}

QFrame* TFStatistik1::buildStarPanel() {
  auto* panel = new QFrame(centralWidget());
  panel->setObjectName(QStringLiteral("P2"));
  panel->setFrameStyle(QFrame::NoFrame);
  panel->setFixedSize(kPanelWidth, kCellsTop + kRowPitch);
  PTop2 = HeadingBar(panel, "PTop2");
  for (int k = 1; k <= 12; ++k) {
    PNummerS[static_cast<std::size_t>(k)] =
        Field(panel, QStringLiteral("PNummerS%1").arg(k), kStarCellWidth, kStarLabelColour, true);
    PNummerWertS[static_cast<std::size_t>(k)] =
        Field(panel, QStringLiteral("PNummerWertS%1").arg(k), kStarCellWidth, Qt::white, false);
    PNummerS[static_cast<std::size_t>(k)]->move(SlotPosition(k, 12, kStarCellWidth));
  }
  return panel;
}

QWidget* TFStatistik1::buildControls() {
  auto* box = new QWidget(centralWidget());
  box->setObjectName(QStringLiteral("PRechts"));
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(8);

  GroupBox1 = new QGroupBox(QStringLiteral("Auswertungs-Zeitraum"), box);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* period = new QGridLayout(GroupBox1);
  period->setHorizontalSpacing(6);
  period->setVerticalSpacing(1);
  const auto dateList = [this](const char* name) {
    auto* list = new QComboBox(GroupBox1);
    list->setObjectName(QString::fromLatin1(name));
    list->setPlaceholderText(QStringLiteral("wählen..."));
    list->setMaxVisibleItems(16);
    list->setMinimumWidth(110);
    return list;
  };
  Co1 = dateList("Co1");
  Co2 = dateList("Co2");
  period->addWidget(new QLabel(QStringLiteral("Datum"), GroupBox1), 0, 1);
  period->addWidget(new QLabel(QStringLiteral("von"), GroupBox1), 1, 0);
  period->addWidget(Co1, 1, 1);
  period->setRowMinimumHeight(2, 6);
  period->addWidget(new QLabel(QStringLiteral("Datum"), GroupBox1), 3, 1);
  period->addWidget(new QLabel(QStringLiteral("bis"), GroupBox1), 4, 0);
  period->addWidget(Co2, 4, 1);
  connect(Co1, &QComboBox::currentIndexChanged, this, [this](int i) { von = i; });
  connect(Co2, &QComboBox::currentIndexChanged, this, [this](int i) { bis = i; });
  column->addWidget(GroupBox1);

  RG1 = new QGroupBox(QStringLiteral("Sortiert nach..."), box);
  RG1->setObjectName(QStringLiteral("RG1"));
  rg1Buttons = new QButtonGroup(RG1);
  auto* orders = new QVBoxLayout(RG1);
  orders->setSpacing(2);
  const char* const items[] = {"...Nummern 1 - 50, 1 - 12", "...Häufigkeit absteigend", "...meist ausgeblieben "};
  for (int i = 0; i < 3; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(items[i]), RG1);
    item->setObjectName(QStringLiteral("RG1Item%1").arg(i));
    rg1Buttons->addButton(item, i);
    orders->addWidget(item);
  }
  rg1Buttons->button(0)->setChecked(true);
  column->addWidget(RG1);

  const auto bigButton = [box](const char* name) {
    auto* button = new QPushButton(box);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(BoldFont());
    button->setFixedHeight(40);
    return button;
  };
  BSort = bigButton("BSort");
  BCharts = bigButton("BCharts");
  connect(BSort, &QPushButton::clicked, this, &TFStatistik1::BSortClick);
  connect(BCharts, &QPushButton::clicked, this, &TFStatistik1::BChartsClick);
  column->addWidget(BSort);
  column->addWidget(BCharts);
  column->addStretch(1);
  return box;
}

void TFStatistik1::FormCreate() {
  BSort->setText(QStringLiteral("Auswertung\nstarten"));
  BCharts->setText(QStringLiteral("Charts\nanzeigen"));
  ReloadPeriodLists();
  // The first evaluation covers the whole history; with fewer than two draws nothing is counted.
  if (von < bis)
    BSortClick();
  else
    showZeros();
  setWindowTitle(Q(WindowCaption("- Gewinnreihen-Statistik")));
  adjustSize();
}

// ---- period and evaluation ------------------------------------------------------------------

void TFStatistik1::ReloadPeriodLists() {
  QStringList texts;
  for (const std::string& text : DrawDateTexts(store_.draws())) texts << Q(text);
  const QSignalBlocker blockFrom(Co1), blockTo(Co2);
  for (QComboBox* list : {Co1, Co2}) {
    list->clear();
    list->addItems(texts);
  }
  const int count = static_cast<int>(texts.size());
  Co1->setCurrentIndex(count > 0 ? 0 : -1);
  Co2->setCurrentIndex(count - 1);
  von = 0;
  bis = count - 1;
}

void TFStatistik1::historyChanged() {
  ReloadPeriodLists();
  // The table follows the history over its whole length, in the order it was last shown in.
  auto view = EvaluateStatistics(store_.draws(), von, bis, lastOrder_);
  if (!view) {
    showZeros();
    return;
  }
  showView(*view);
  if (view->frequencies) emit frequenciesRefreshed(frequencies_);
}

void TFStatistik1::BSortClick() {
  const auto order = static_cast<StatisticsOrder>(rg1Buttons->checkedId());
  // A list without a chosen date counts as no period at all.
  const int from = Co1->currentIndex() < 0 ? -1 : von;
  const int to = Co2->currentIndex() < 0 ? -1 : bis;
  auto view = EvaluateStatistics(store_.draws(), from, to, order);
  if (!view) {
    MessageBox::showError(this, view.error());
    return;
  }
  lastOrder_ = order;
  showView(*view);
}

void TFStatistik1::BChartsClick() { emit chartsRequested(frequencies_); }

void TFStatistik1::showView(const StatisticsView& view) {
  Label1->setText(Q(view.heading));
  PTop1->setText(Q(view.numberHeading));
  PTop2->setText(Q(view.starHeading));
  for (int k = 1; k <= 50; ++k) {
    const Slot& slot = view.numberSlots[static_cast<std::size_t>(k - 1)];
    PNummer[static_cast<std::size_t>(k)]->setText(QString::number(slot.number));
    QLabel* value = PNummerWert[static_cast<std::size_t>(slot.number)];
    value->setText(QString::number(slot.value));
    value->move(SlotPosition(k, 10, kNumberCellWidth) + QPoint(0, kFieldHeight));
  }
  for (int k = 1; k <= 12; ++k) {
    const Slot& slot = view.starSlots[static_cast<std::size_t>(k - 1)];
    PNummerS[static_cast<std::size_t>(k)]->setText(QString::number(slot.number));
    QLabel* value = PNummerWertS[static_cast<std::size_t>(slot.number)];
    value->setText(QString::number(slot.value));
    value->move(SlotPosition(k, 12, kStarCellWidth) + QPoint(0, kFieldHeight));
  }
  if (view.frequencies) frequencies_ = *view.frequencies;
}

void TFStatistik1::showZeros() {
  StatisticsView view;
  view.heading = "Für eine Statistik braucht es mindestens zwei Gewinnreihen.";
  frequencies_ = NumberTables{};
  view.numberSlots = InNumberOrder(frequencies_.numbers);
  view.starSlots = InNumberOrder(frequencies_.stars);
  view.numberHeading = "Häufigkeit nach Nummernfolge 1 - 50";
  view.starHeading = "Häufigkeit nach Nummernfolge 1 - 12";
  showView(view);
}

int TFStatistik1::slotOfNumber(int number) const {
  if (number < 1 || number > 50) return 0;
  const QPoint at = PNummerWert[static_cast<std::size_t>(number)]->pos() - QPoint(0, kFieldHeight);
  for (int k = 1; k <= 50; ++k)
    if (PNummer[static_cast<std::size_t>(k)]->pos() == at) return k;
  return 0;
}

int TFStatistik1::slotOfStar(int star) const {
  if (star < 1 || star > 12) return 0;
  const QPoint at = PNummerWertS[static_cast<std::size_t>(star)]->pos() - QPoint(0, kFieldHeight);
  for (int k = 1; k <= 12; ++k)
    if (PNummerS[static_cast<std::size_t>(k)]->pos() == at) return k;
  return 0;
}

}  // namespace kw::ui
