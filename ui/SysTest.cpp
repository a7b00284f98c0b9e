#include "ui/SysTest.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "core/file_io.h"
#include "core/german_format.h"
#include "core/program.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "generation/binomial.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/named_widget.h"
#include "ui/navigation.h"
#include "ui/text_file.h"

namespace kw::ui {

namespace {

constexpr int kHelpTopic = 1007;
constexpr int kGuaranteeCheck = 0;
constexpr QSize kButtonSize(92, 38);
// A text file of tip rows this large would be far more rows than any test can take.
constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

const QColor kLabelColour(250, 224, 165);
const QColor kUntestedColour(244, 189, 62);
const QColor kAbsentColour(255, 0, 0);
const QColor kBankerColour(0, 128, 0);
const QColor kUsedColour(128, 255, 128);
const QColor kRowFieldColour(204, 255, 204);  // the light green field for the rows

const char* const kOverwriteQuestion =
    "Das Textfeld ist nicht leer. Wenn der Inhalt mit den eingelesen Kombinatioen überschrieben werden soll, "
    "antworten Sie mit \"Ja\".\r\rAndernfalls breche ich ab.";

void Paint(QLabel* field, const QColor& background, const QColor& text) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  field->setPalette(palette);
}

QLabel* Counter(QWidget* parent, const char* name) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  panel->setFont(BoldFont());
  panel->setMinimumWidth(70);
  panel->setFixedHeight(19);
  panel->setAutoFillBackground(true);
  Paint(panel, Qt::white, Qt::black);
  return panel;
}

QPlainTextEdit* Example(QWidget* parent, const char* name, const QString& text, int lines) {
  auto* field = new QPlainTextEdit(text, parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(true);
  field->setLineWrapMode(QPlainTextEdit::NoWrap);
  field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setFixedHeight(field->fontMetrics().lineSpacing() * lines + 10);
  return field;
}

QString Decimal(std::int64_t v) { return Q(FormatGroupedInteger(v)); }

NavigationTable AnalysisTable(TFSysTest* window) {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Tippreihen-Analyse schließen"},
      {Command::OpenSlip, "BOpen", "Datei öffnen..."},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn3", "Tippcenter"},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BitBtn2", "Hilfe"},
  };
  table.own = {Command::TipAnalysis};
  table.hidden = {Command::Print, Command::PrinterSetup};
  table.closeInsteadOfQuit = true;
  table.helpSearchEntry = true;
  table.helpContext = kHelpTopic;
  table.handlers[Command::OpenSlip] = [window] { window->BOpen1Click(); };
  return table;
}

}  // namespace

TFSysTest::TFSysTest(const WindowContext& context, QWidget* parent) : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FSysTest"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, AnalysisTable(this), context.commands);
  buildDesign();
  FormCreate();
}

TFSysTest::~TFSysTest() {
  // The test must not outlive the rows and flags it reads.
  if (worker_) {
    stopRequested_ = true;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
  }
}

// ---- design ---------------------------------------------------------------------------------

void TFSysTest::buildDesign() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(8, 6, 8, 8);
  columns->setSpacing(12);
  columns->addWidget(buildTexts(), 0);
  columns->addWidget(buildRowsColumn(), 0);
  columns->addWidget(buildResultsColumn(), 1);
}

QWidget* TFSysTest::buildTexts() {
  auto* box = new QWidget(centralWidget());
  box->setObjectName(QStringLiteral("PLinks"));
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);
  LText = PlainLabel(box, "LText",
                     QStringLiteral("Hier können Tippreihen - ohne Sternzahlen - auf eine Treffergarantie überprüft werden."), true);
  LText->setFont(BoldFont(9));
  LBeispiel = PlainLabel(box, "LBeispiel",
                         QStringLiteral("Beispiel: Sie haben 10 Zahlen auf 24 Tippreihen verteilt. Die fünf gezogenen "
                                        "Gewinnzahlen haben Sie alle getroffen. Sie könnten also fünf Richtige haben. Wie "
                                        "viele Treffer aber haben Sie mindestens? Geben Ihnen die 24 Tippreihen eine sog. "
                                        "Treffergarantie? Dies Frage wird hier beantwortet. "), true);
  LTippcenter = PlainLabel(box, "LTippcenter", Q(kTipCentreHint), true);
  column->addWidget(LText);
  column->addWidget(LBeispiel);
  column->addWidget(LTippcenter);

  Panel11 = new QGroupBox(QStringLiteral("Statistik für die Zahlen von 1 - 50"), box);
  Panel11->setObjectName(QStringLiteral("Panel11"));
  auto* grid = new QGridLayout(Panel11);
  grid->setHorizontalSpacing(1);
  grid->setVerticalSpacing(0);
  grid->setContentsMargins(6, 6, 6, 6);
  QFont labelFont = BoldFont(7);
  for (int n = 1; n <= 50; ++n) {
    auto* label = new QLabel(QString::number(n), Panel11);
    label->setObjectName(QStringLiteral("PNummer%1").arg(n));
    label->setFont(labelFont);
    label->setFixedSize(22, 19);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    Paint(label, kLabelColour, Qt::black);
    auto* value = new QLabel(QStringLiteral("0"), Panel11);
    value->setObjectName(QStringLiteral("PNummerWert%1").arg(n));
    value->setFixedSize(22, 18);
    value->setAlignment(Qt::AlignCenter);
    value->setAutoFillBackground(true);
    Paint(value, kUntestedColour, Qt::black);
    const int row = (n - 1) / 10, col = (n - 1) % 10;
    grid->addWidget(label, 3 * row, col);
    grid->addWidget(value, 3 * row + 1, col);
    if (row < 4) grid->setRowMinimumHeight(3 * row + 2, 3);
    PNummer[static_cast<std::size_t>(n)] = label;
    PNummerWert[static_cast<std::size_t>(n)] = value;
  }
  column->addWidget(Panel11, 0, Qt::AlignLeft);
  column->addStretch(1);
  box->setFixedWidth(Panel11->sizeHint().width() + 10);
  return box;
}

QWidget* TFSysTest::buildRowsColumn() {
  auto* box = new QWidget(centralWidget());
  box->setObjectName(QStringLiteral("PMitte"));
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  LEinfuegen = PlainLabel(box, "LEinfuegen", QStringLiteral("Die zu testenden Reihen sind  in das\nhellgrüne Feld einzufügen"));
  LEinfuegen->setFont(BoldFont());
  column->addWidget(LEinfuegen);
  M1 = new QPlainTextEdit(box);
  M1->setObjectName(QStringLiteral("M1"));
  M1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  M1->setFont(BoldFont(9));
  QPalette palette = M1->palette();
  palette.setColor(QPalette::Base, kRowFieldColour);
  M1->setPalette(palette);
  M1->setMinimumHeight(230);
  column->addWidget(M1, 1);
  // Set in lines as a narrow label, so the word broken at its hyphen reads as intended.
  LQuellen = PlainLabel(box, "LQuellen",
                        QStringLiteral("Die Reihen können aus einer Datei\nund der Zwischenab-\nlage eingelesen oder direkt\n"
                                       "eingegeben werden."));
  column->addWidget(LQuellen);
  column->addSpacing(4);
  column->addWidget(PlainLabel(box, "LEntweder", QStringLiteral("Entweder so"), true));
  MBeispiel1 = Example(box, "MBeispiel1",
                       QStringLiteral("(1,7,11,13,14),(1,8,10,12,13),(2,3,6,12,14),\n"
                                      "(2,4,5,9,12),(3,4,5,6,9),(7,8,10,11,14)"),
                       2);
  column->addWidget(MBeispiel1);
  column->addWidget(PlainLabel(box, "LOder", QStringLiteral("oder so"), true));
  MBeispiel2 = Example(box, "MBeispiel2",
                       QStringLiteral("1,7,11,13,14\n1,8,10,12,13\n2,3,6,12,14,\n2,4,5,9,12\n3,4,5,6,9\n7,8,10,11,14"),
                       6);
  column->addWidget(MBeispiel2);
  const int width = MBeispiel1->fontMetrics().horizontalAdvance(MBeispiel1->toPlainText().section(QLatin1Char('\n'), 0, 0));
  box->setFixedWidth(std::max(230, width + 16));
  return box;
}

QWidget* TFSysTest::buildResultsColumn() {
  auto* box = new QWidget(centralWidget());
  box->setObjectName(QStringLiteral("PRechts"));
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);

  auto* top = new QHBoxLayout;
  top->setSpacing(8);
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  BOpen1 = FixedButton(box, "BOpen1", QString(), kButtonSize);
  BDel = FixedButton(box, "BDel", QString(), kButtonSize);
  buttons->addWidget(BOpen1);
  buttons->addWidget(BDel);
  // The stop button takes the start button's place while a test runs.
  auto* proofPlace = new QWidget(box);
  proofPlace->setFixedSize(92, 38);
  auto* stack = new QStackedLayout(proofPlace);
  stack->setStackingMode(QStackedLayout::StackAll);
  BProof = FixedButton(proofPlace, "BProof", QString(), kButtonSize);
  BProof->setFont(BoldFont());
  BStop = FixedButton(proofPlace, "BStop", QStringLiteral("Abbrechen"), kButtonSize);
  BStop->setFont(BoldFont());
  stack->addWidget(BProof);
  stack->addWidget(BStop);
  BStop->hide();
  buttons->addWidget(proofPlace);
  buttons->addStretch(1);
  top->addLayout(buttons);

  GroupPruef = new QGroupBox(QStringLiteral("Prüftiefe"), box);
  GroupPruef->setObjectName(QStringLiteral("GroupPruef"));
  auto* depth = new QGridLayout(GroupPruef);
  depth->setVerticalSpacing(2);
  RG1 = new QGroupBox(GroupPruef);
  RG1->setObjectName(QStringLiteral("RG1"));
  RG1->setFlat(true);
  RG1->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0px; padding: 0px; }"));
  rg1Buttons = new QButtonGroup(RG1);
  auto* modes = new QVBoxLayout(RG1);
  modes->setContentsMargins(0, 0, 0, 0);
  modes->setSpacing(4);
  const char* const items[] = {"Garantiecheck für", "Gesamtprüfung"};
  for (int i = 0; i < 2; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(items[i]), RG1);
    item->setObjectName(QStringLiteral("RG1Item%1").arg(i));
    rg1Buttons->addButton(item, i);
    modes->addWidget(item);
  }
  rg1Buttons->button(kGuaranteeCheck)->setChecked(true);
  depth->addWidget(RG1, 0, 0, 2, 1);
  Spin2 = new QSpinBox(GroupPruef);
  Spin2->setObjectName(QStringLiteral("Spin2"));
  Spin2->setRange(2, 5);
  Spin2->setValue(ini::kSysTestTreffer.dflt);
  Spin2->setFixedWidth(44);
  depth->addWidget(Spin2, 0, 1);
  depth->addWidget(new QLabel(QStringLiteral("Treffer"), GroupPruef), 0, 2);
  top->addWidget(GroupPruef, 0, Qt::AlignTop);

  auto* counters = new QGridLayout;
  counters->setVerticalSpacing(3);
  PAnzWz = Counter(box, "PAnzWz");
  PAnzR = Counter(box, "PAnzR");
  PKombis = Counter(box, "PKombis");
  const std::pair<QLabel*, const char*> rows[] = {
      {PAnzWz, "Zahlen"}, {PAnzR, "Reihen"}, {PKombis, "mögliche Kombis"}};
  for (int i = 0; i < 3; ++i) {
    counters->addWidget(rows[i].first, i, 0);
    counters->addWidget(new QLabel(QString::fromUtf8(rows[i].second), box), i, 1);
  }
  top->addLayout(counters);
  top->addStretch(1);
  column->addLayout(top);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(10);
  g1Model = new QStandardItemModel(7, 2, box);
  G1 = new QTableView(box);
  G1->setObjectName(QStringLiteral("G1"));
  G1->setModel(g1Model);
  G1->horizontalHeader()->hide();
  G1->verticalHeader()->hide();
  G1->verticalHeader()->setDefaultSectionSize(18);
  G1->verticalHeader()->setMinimumSectionSize(1);
  G1->setColumnWidth(0, 50);
  G1->setColumnWidth(1, 45);
  G1->setSelectionMode(QAbstractItemView::NoSelection);
  G1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  G1->setFocusPolicy(Qt::NoFocus);
  G1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  G1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  G1->setFixedSize(50 + 45 + 2 * G1->frameWidth() + 1, 7 * 18 + 2 * G1->frameWidth() + 1);
  G1->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.row() == 0 || index.column() == 0) return FixedCellStyle(option);
        return CellStyle{Qt::white, Qt::black, option.font, CellAlign::Right};
      },
      G1));
  middle->addWidget(G1, 0, Qt::AlignTop);
  const QSize picture(48, 48);
  ImageJa = new QLabel(box);
  ImageJa->setObjectName(QStringLiteral("ImageJa"));
  ImageJa->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(picture));
  ImageJa->setToolTip(QStringLiteral("Garantie bestätigt"));
  ImageNein = new QLabel(box);
  ImageNein->setObjectName(QStringLiteral("ImageNein"));
  ImageNein->setPixmap(style()->standardIcon(QStyle::SP_DialogCancelButton).pixmap(picture));
  ImageNein->setToolTip(QStringLiteral("Garantie nicht gegeben"));
  ImageJa->hide();
  ImageNein->hide();
  middle->addWidget(ImageJa, 0, Qt::AlignTop);
  middle->addWidget(ImageNein, 0, Qt::AlignTop);
  middle->addStretch(1);
  column->addLayout(middle);

  Pro1 = new QProgressBar(box);
  Pro1->setObjectName(QStringLiteral("Pro1"));
  Pro1->setTextVisible(false);
  Pro1->setFixedHeight(14);
  Pro1->setRange(0, 1);
  Pro1->setValue(0);
  column->addWidget(Pro1);

  auto* summaryCaption = new QLabel(QStringLiteral("Zusammenfassung der Auswertung"), box);
  summaryCaption->setFont(BoldFont());
  column->addWidget(summaryCaption);
  RE1 = new QTextEdit(box);
  RE1->setObjectName(QStringLiteral("RE1"));
  RE1->setReadOnly(true);
  RE1->setAcceptRichText(false);
  RE1->setMinimumSize(330, 110);
  column->addWidget(RE1, 1);

  Panel13 = new QLabel(box);
  Panel13->setObjectName(QStringLiteral("Panel13"));
  Panel13->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel13->setFixedHeight(19);
  column->addWidget(Panel13);

  connect(BOpen1, &QPushButton::clicked, this, &TFSysTest::BOpen1Click);
  connect(BDel, &QPushButton::clicked, this, &TFSysTest::BDelClick);
  connect(BProof, &QPushButton::clicked, this, &TFSysTest::BProofClick);
  connect(BStop, &QPushButton::clicked, this, &TFSysTest::BStopClick);
  return box;
}

void TFSysTest::FormCreate() {
  readSettings();
  BOpen1->setText(QStringLiteral("Datei\nöffnen..."));
  BProof->setText(QStringLiteral("Prüfung\nstarten"));
  BDel->setText(QStringLiteral("Textfeld\nlöschen"));
  g1Model->setItem(0, 0, new QStandardItem(QStringLiteral("Treffer")));
  g1Model->setItem(0, 1, new QStandardItem(QStringLiteral("Anzahl")));
  for (int h = 0; h <= 5; ++h) g1Model->setItem(h + 1, 0, new QStandardItem(QString::number(h)));
  progressTimer_ = new QTimer(this);
  progressTimer_->setInterval(50);
  connect(progressTimer_, &QTimer::timeout, this, &TFSysTest::showProgress);
  setWindowTitle(Q(WindowCaption("- Tippreihen-Analyse")));
  adjustSize();
}

void TFSysTest::readSettings() {
  const IniFile file = IniFile::Load(store_.dataFile(kIniFileName));
  if (!file.existed()) return;
  rg1Buttons->button(file.read(ini::kSysTestCheck))->setChecked(true);
  Spin2->setValue(file.read(ini::kSysTestTreffer));
}

void TFSysTest::writeSettings() {
  const int check = rg1Buttons->checkedId();
  const int hits = Spin2->value();
  const auto written = UpdateIniFile(store_.dataFile(kIniFileName), [&](IniFile& f) {
    f.write(ini::kSysTestCheck, check);
    f.write(ini::kSysTestTreffer, hits);
  });
  if (!written) MessageBox::showError(this, written.error());
}

void TFSysTest::closeEvent(QCloseEvent* event) {
  if (worker_) {
    // A hidden window has nobody to show its result to: the test ends here, quietly.
    stopRequested_ = true;
    worker_->wait();
    finishTest(true);
  }
  writeSettings();
  event->accept();  // hides; the window lives until the program ends
}

// ---- rows in and out --------------------------------------------------------------------------

void TFSysTest::BDelClick() {
  M1->clear();
  RE1->clear();
  for (QLabel* panel : {PAnzWz, PAnzR, PKombis, Panel13}) panel->clear();
  ImageJa->hide();
  ImageNein->hide();
  for (int n = 1; n <= 50; ++n) {
    PNummerWert[static_cast<std::size_t>(n)]->setText(QStringLiteral("0"));
    Paint(PNummerWert[static_cast<std::size_t>(n)], kUsedColour, Qt::black);
  }
}

void TFSysTest::BOpen1Click() {
  if (worker_) return;
  if (!M1->toPlainText().isEmpty() &&
      MessageBox::show(this, MessageBox::Confirmation, QString::fromUtf8(kOverwriteQuestion), MessageBox::YesNoCancel) !=
          MessageBox::Yes)
    return;
  BDelClick();
  const QString path = FileDialog::openFile(this, QStringLiteral("Datei wählen"), store_.dataFolder(),
                                            QStringLiteral("EM-Schein-Datei|*.emt|Text-Datei|*.txt"));
  if (path.isEmpty()) return;
  const QFileInfo info(path);
  if (info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0) {
    const auto bytes = ReadWholeFile(path.toStdString(), kMaxTextFileBytes);
    if (!bytes) {
      MessageBox::showError(this, bytes.error());
      return;
    }
    M1->setPlainText(DecodeTextFile(*bytes));
  } else {
    // A slip file: its rows' main numbers, the stars play no part here.
    const auto rows = LoadSlipRows(path.toStdString());
    if (!rows) {
      MessageBox::showError(this, rows.error());
      return;
    }
    M1->setPlainText(Q(RowTextOfSlip(*rows)));
  }
  Panel13->setText(QStringLiteral("Aus Datei: ") + info.fileName());
}

void TFSysTest::showCounts(const ParsedRows& parsed) {
  PAnzWz->setText(QString::number(parsed.poolSize()));
  PAnzR->setText(QString::number(parsed.rowCount()));
  for (int n = 1; n <= 50; ++n) {
    QLabel* value = PNummerWert[static_cast<std::size_t>(n)];
    value->setText(QString::number(parsed.counts[static_cast<std::size_t>(n)]));
    switch (parsed.states[static_cast<std::size_t>(n)]) {
      case NumberState::Absent: Paint(value, kAbsentColour, Qt::white); break;
      case NumberState::Banker: Paint(value, kBankerColour, Qt::white); break;
      case NumberState::Used: Paint(value, kUsedColour, Qt::black); break;
    }
  }
}

// ---- the test -----------------------------------------------------------------------------------

void TFSysTest::setInputsEnabled(bool enabled) {
  M1->setReadOnly(!enabled);
  for (QWidget* w : std::initializer_list<QWidget*>{BOpen1, BDel, RG1, Spin2}) w->setEnabled(enabled);
  if (QAction* open = findChild<QAction*>(QStringLiteral("BOpen"))) open->setEnabled(enabled);
  if (QAction* open = navigation_->menuAction(Command::OpenSlip)) open->setEnabled(enabled);
}

void TFSysTest::BProofClick() {
  if (worker_) return;
  if (M1->toPlainText().trimmed().isEmpty()) {
    MessageBox::show(this, MessageBox::Error, QString::fromUtf8(kEmptyRowTextMessage));
    return;
  }
  const std::string text = M1->toPlainText().toStdString();
  auto parsed = ParseRowText(text);
  if (!parsed) {
    MessageBox::showError(this, parsed.error());
    return;
  }
  M1->setPlainText(Q(parsed->text));
  showCounts(*parsed);
  const int k = Spin2->value();
  const auto mode = rg1Buttons->checkedId() == kGuaranteeCheck ? CheckMode::Guarantee : CheckMode::Total;
  if (parsed->poolSize() < k) {
    // The core's refusal of a pool smaller than the depth, before any combination is built.
    if (const auto refused = AnalyseRowText(parsed->text, k, mode); !refused) MessageBox::showError(this, refused.error());
    return;
  }
  const std::int64_t combinations = binomial(parsed->poolSize(), k).value_or(0);
  PKombis->setText(Decimal(combinations));
  Pro1->setRange(0, static_cast<int>(std::max<std::int64_t>(combinations - 1, 1)));
  Pro1->setValue(0);
  BProof->hide();
  BStop->show();
  ImageJa->hide();
  ImageNein->hide();
  RE1->clear();
  for (int row = 1; row <= 6; ++row) g1Model->setItem(row, 1, new QStandardItem(QString()));
  setInputsEnabled(false);

  progress_ = 0;
  stopRequested_ = false;
  outcome_.reset();
  runMode_ = mode;
  const int run = ++runNumber_;
  worker_ = QThread::create([this, rows = parsed->text, k, mode] {
    outcome_ = AnalyseRowText(rows, k, mode, [this](std::int64_t j) {
      progress_.store(j, std::memory_order_relaxed);
      return stopRequested_.load();
    });
  });
  worker_->setObjectName(QStringLiteral("Tippreihen-Analyse"));
  // A test that the window ended itself (closing) must not be finished again.
  connect(worker_, &QThread::finished, this, [this, run] {
    if (worker_ && run == runNumber_) finishTest(false);
  });
  emit testStarted();
  if (!worker_) return;  // the window was closed meanwhile
  progressTimer_->start();
  worker_->start();
}

void TFSysTest::BStopClick() { stopRequested_ = true; }

void TFSysTest::showProgress() {
  if (worker_) Pro1->setValue(static_cast<int>(progress_.load(std::memory_order_relaxed)));
}

void TFSysTest::finishTest(bool quiet) {
  progressTimer_->stop();
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  BStop->hide();
  BProof->show();
  setInputsEnabled(true);
  stopRequested_ = false;

  const std::optional<Result<Analysis>> outcome = std::move(outcome_);
  outcome_.reset();
  if (!outcome || !*outcome) {
    Pro1->setValue(0);
    if (outcome && !quiet) MessageBox::showError(this, outcome->error());
    emit testFinished();
    return;
  }
  const Analysis& a = **outcome;
  if (a.stopped) {
    Pro1->setValue(0);
    if (!quiet) MessageBox::show(this, MessageBox::Information, QString::fromUtf8(kAnalysisStoppedMessage));
    emit testFinished();
    return;
  }
  Pro1->setValue(Pro1->maximum());
  if (runMode_ == CheckMode::Guarantee) {
    (a.confirmed ? ImageJa : ImageNein)->show();
  } else {
    for (int row = 1; row <= 6; ++row) g1Model->setItem(row, 1, new QStandardItem(QStringLiteral("---")));
    for (int h = 0; h <= a.parsed.rowLength; ++h)
      g1Model->setItem(h + 1, 1, new QStandardItem(Decimal(a.histogram[static_cast<std::size_t>(h)])));
  }
  QString summary;
  for (const std::string& line : a.summary) summary += Q(line) + QLatin1Char('\n');
  RE1->setPlainText(summary);
  emit testFinished();
}

}  // namespace kw::ui
