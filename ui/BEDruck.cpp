#include "ui/BEDruck.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <optional>

#include "core/german_format.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "printing/slip_printer.h"
#include "printing/slip_run.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/grid_cell.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

constexpr int kRowHeight = 16;

const char* const kJokerTexts[kJokerOptions] = {"1,50 €", "3,00 €", "4,50 €", "6,00 €"};
const char* const kDrawCountTexts[kDrawCountOptions] = {"1", "2", "4", "6", "8", "10"};

const char* const kExplanationLines[] = {
    "Abgebildet ist das Papierfach meines Laser- ",
    "druckers.",
    "Hand 1 weist auf den Papiereinzug hin, Hand 2 ",
    "auf die obere Kante des Spielscheins, der mit der ",
    "zu bedruckenden Fläche nach unten einzulegen ",
    "ist.",
    "Die beiden mit \"3\" gekenneichneten Hände weisen ",
    "auf die seitlichen Papier-Fixierer hin, denen ich - ",
    "kaum sichtbar - mit einem Gummi versuche, den ",
    "letzten Spielraum zu nehmen.",
    "Da der hintere Papier-Fixierer (Hand 4) nicht an ",
    "die Spielscheine heranreicht, nutze ich ein ",
    "Taschenbuch als \"Brücke\".",
    "Der Rand der Spielscheine und damit der ",
    "bedruckbare Bereich ist aufgrund der Zentrierung ",
    "der Scheine gegenüber einem DIN A4-Blatt um ",
    "etwa 2,5 cm nach innen verlagert. Daher beträgt ",
    "die horizontale Korrektur bei mir 250 Zehntel-",
    "Millimeter.",
};

const char* const kNothingToPrint = "Es gibt nichts zu drucken, ich breche ab.";
const char* const kCheckRange = "Bitte prüfen Sie Start und Ende des Tippreihen-Ausdrucks.\r\rIch breche erst einmal ab.";
const char* const kAskSlip =
    "War der Ausdruck in Ordnung?\r- \"Ja\" macht mit dem nächsten Schein weiter,\r- \"Nein\" wiederholt den "
    "Ausdruck des letzten Scheins,\r- \"Abbrechen\" bricht den Ausdruck ab.";
const char* const kPrinterFailed =
    "Der Drucker ließ sich nicht ansprechen; der Ausdruck wurde nicht gesendet.\r\rIch breche ab.";

TFBEDruck::PrinterSource& TestPrinterSource() {
  static TFBEDruck::PrinterSource source;
  return source;
}

QLabel* Text(QWidget* parent, const char* name, const char* text, const char* colour = nullptr, bool bold = false) {
  auto* label = Make<QLabel>(parent, name, BreakAtHyphens(QString::fromUtf8(text)));
  label->setTextFormat(Qt::PlainText);
  if (colour) label->setStyleSheet(QStringLiteral("color: %1;").arg(QString::fromLatin1(colour)));
  if (bold) label->setFont(BoldFont());
  return label;
}

// A whole number as the program's fields hold it: optional blanks and sign, digits.
std::optional<int> FieldInt(const QString& text) {
  const auto v = ParseStrictInt(text.toStdString());
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

// G2 shows the window's tip table; the table itself stays the program's TextTable.
class TFBEDruck::TableModel : public QAbstractTableModel {
 public:
  TableModel(const TextTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}
  void reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : std::max(0, table_.rowCount() - 1);
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : table_.columnCount(); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return Q(table_.cell(index.column(), index.row() + 1));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= table_.columnCount())
      return {};
    return Q(table_.cell(section, 0));
  }

 private:
  const TextTable& table_;
};

// Number columns of 30 pixels: wide enough for two bold digits, and the grid leaves room for the rest.
TFBEDruck::TFBEDruck(DataStore& store, QWidget* parent) : QWidget(parent, Qt::Window), store_(store), table_(8, 1, 30) {
  setObjectName(QStringLiteral("FBEDruck"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ProgramFont());

  BitBtnClose = Make<QToolButton>(this, "BitBtnClose");
  BitBtnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  BitBtnClose->setIconSize(QSize(24, 24));
  BitBtnClose->setFixedSize(34, 34);
  BitBtnClose->setAutoRaise(true);
  BitBtnClose->setToolTip(QStringLiteral("Schließen"));
  connect(BitBtnClose, &QToolButton::clicked, this, &QWidget::close);

  auto* heading = Text(this, "LTitel", "Druck in belgische Spielscheine");
  heading->setFont(BoldFont(11));
  auto* top = new QHBoxLayout;
  top->setSpacing(10);
  top->addWidget(BitBtnClose);
  top->addWidget(heading);
  top->addStretch();

  auto* columns = new QHBoxLayout;
  columns->setSpacing(12);
  filePanel_ = buildFilePanel();
  blockedByRun_.push_back(filePanel_);
  columns->addWidget(filePanel_);
  columns->addWidget(buildOptionsPanel());
  columns->addWidget(buildExplanationPanel());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 10, 10);
  layout->setSpacing(6);
  layout->addLayout(top);
  layout->addLayout(columns, 1);

  InstallHelpKey(this);

  FormCreate();
  adjustSize();
}

// The grid outlives the table while the window's children are torn down.
TFBEDruck::~TFBEDruck() { G2->setModel(nullptr); }

void TFBEDruck::setTestPrinterSource(PrinterSource source) { TestPrinterSource() = std::move(source); }

QWidget* TFBEDruck::buildFilePanel() {
  auto* panel = Make<QWidget>(this, "PDatei");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);

  auto* fileRow = new QHBoxLayout;
  auto* fileBox = new QVBoxLayout;
  fileBox->setSpacing(1);
  fileBox->addWidget(Text(panel, "LDateiTitel", "Datei", nullptr, true));
  LDatei = Make<QLabel>(panel, "LDatei");
  LDatei->setTextFormat(Qt::PlainText);
  LDatei->setMinimumWidth(120);
  fileBox->addWidget(LDatei);
  fileRow->addLayout(fileBox, 1);
  bsSkinSpeedButton1 = Make<QPushButton>(panel, "bsSkinSpeedButton1", BreakAtHyphens(QStringLiteral("Spielschein- Datei öffnen...")));
  bsSkinSpeedButton1->setMinimumSize(110, 36);
  connect(bsSkinSpeedButton1, &QPushButton::clicked, this, &TFBEDruck::bsSkinSpeedButton1Click);
  fileRow->addWidget(bsSkinSpeedButton1);
  column->addLayout(fileRow);

  G2 = Make<QTableView>(panel, "G2");
  model_ = new TableModel(table_, G2);
  G2->setModel(model_);
  G2->setSelectionMode(QAbstractItemView::NoSelection);
  G2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  G2->setWordWrap(false);
  G2->setCornerButtonEnabled(false);
  G2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  G2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QHeaderView* rows = G2->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(kRowHeight);
  QHeaderView* heads = G2->horizontalHeader();
  heads->setMinimumSectionSize(1);
  heads->setSectionResizeMode(QHeaderView::Fixed);
  heads->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  heads->setHighlightSections(false);
  heads->setFixedHeight(17);
  G2->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.column() == 0) return FixedCellStyle(option);
        QFont bold = option.font;
        bold.setBold(true);
        const QColor cell = index.column() >= 6 ? QColor(0xF1, 0xFB, 0x82) : QColor(0xF4, 0xBD, 0x3E);
        return CellStyle{cell, Qt::black, bold, CellAlign::Centre};
      },
      G2));
  column->addWidget(G2, 1);

  auto* range = new QGridLayout;
  range->setHorizontalSpacing(6);
  range->setVerticalSpacing(4);
  EStart = Make<QLineEdit>(panel, "EStart", QStringLiteral("1"));
  EEnde = Make<QLineEdit>(panel, "EEnde");
  for (QLineEdit* edit : {EStart, EEnde}) {
    edit->setFixedWidth(60);
    edit->setMaxLength(9);
  }
  range->addWidget(Text(panel, "LStart", "Ausdruck ab Tippreihe:"), 0, 0);
  range->addWidget(EStart, 0, 1);
  range->addWidget(Text(panel, "LEnde", "bis Tippreihe:"), 1, 0);
  range->addWidget(EEnde, 1, 1);
  range->addWidget(Text(panel, "LAnzTsTitel", "Benötigte Tipp- scheine:", nullptr, true), 2, 0);
  LAnzTs = Make<QLabel>(panel, "LAnzTs");
  LAnzTs->setFont(BoldFont(10));
  range->addWidget(LAnzTs, 2, 1);
  range->setColumnStretch(2, 1);
  column->addLayout(range);
  return panel;
}

QWidget* TFBEDruck::buildOptionsPanel() {
  auto* panel = Make<QWidget>(this, "POptionen");
  panel->setFixedWidth(340);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);

  auto* note = Text(panel, "LBeachten", "Bitte beachten!", "#C00000", true);
  column->addWidget(note);
  auto* stored = Text(panel, "LHinterlegt", "Hinterlegt sind die Druckdaten für belgische Spielscheine");
  stored->setWordWrap(true);
  column->addWidget(stored);
  column->addSpacing(4);
  column->addWidget(Text(panel, "LZusatz", "Zusatzangaben", "#008000", true));

  RGJoker = Make<QGroupBox>(panel, "RGJoker", QStringLiteral("Joker +"));
  RGJoker->setCheckable(true);
  RGJoker->setChecked(true);
  jokerOptions_ = new QButtonGroup(RGJoker);
  auto* jokerRow = new QHBoxLayout(RGJoker);
  for (int i = 0; i < kJokerOptions; ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(kJokerTexts[i]), RGJoker);
    option->setObjectName(QStringLiteral("RGJoker%1").arg(i));
    jokerOptions_->addButton(option, i);
    jokerRow->addWidget(option);
  }
  jokerOptions_->button(0)->setChecked(true);
  connect(RGJoker, &QGroupBox::toggled, this, &TFBEDruck::RGJokerToggled);
  column->addWidget(RGJoker);

  RGZiehungen = Make<QGroupBox>(panel, "RGZiehungen", QStringLiteral("Ziehungen"));
  drawOptions_ = new QButtonGroup(RGZiehungen);
  auto* drawRow = new QHBoxLayout(RGZiehungen);
  for (int i = 0; i < kDrawCountOptions; ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(kDrawCountTexts[i]), RGZiehungen);
    option->setObjectName(QStringLiteral("RGZiehungen%1").arg(i));
    drawOptions_->addButton(option, i);
    drawRow->addWidget(option);
  }
  drawOptions_->button(0)->setChecked(true);
  column->addWidget(RGZiehungen);

  cbNr = Make<QGroupBox>(panel, "cbNr", QStringLiteral("Tippschein-Nummern-Druck"));
  cbNr->setCheckable(true);
  cbNr->setChecked(true);
  auto* nrGrid = new QGridLayout(cbNr);
  auto* nrText = Text(cbNr, "LNrText", "Den Tippscheinen wird eine laufende Nummer aufgedruckt.");
  nrText->setWordWrap(true);
  nrGrid->addWidget(nrText, 0, 0, 1, 3);
  nrGrid->addWidget(Text(cbNr, "LNr", "Start-Nummer:"), 1, 0);
  ENr = Make<QLineEdit>(cbNr, "ENr", QStringLiteral("1"));
  ENr->setFixedWidth(60);
  ENr->setMaxLength(9);
  nrGrid->addWidget(ENr, 1, 1);
  nrGrid->setColumnStretch(2, 1);
  column->addWidget(cbNr);

  auto* correction = Make<QGroupBox>(panel, "PKorrektur", QStringLiteral("Ausdruck-Korrektur"));
  auto* corrGrid = new QGridLayout(correction);
  corrGrid->setVerticalSpacing(4);
  Ehori = Make<QLineEdit>(correction, "Ehori", QStringLiteral("250"));
  Evert = Make<QLineEdit>(correction, "Evert");
  for (QLineEdit* edit : {Ehori, Evert}) {
    edit->setFixedWidth(60);
    edit->setMaxLength(9);
  }
  corrGrid->addWidget(Text(correction, "LHori", "horizontal:"), 0, 0);
  corrGrid->addWidget(Ehori, 0, 1);
  corrGrid->addWidget(Text(correction, "LVert", "vertikal:"), 1, 0);
  corrGrid->addWidget(Evert, 1, 1);
  auto* unit = Text(correction, "LMM", "0,1 mm", "#C00000", true);
  corrGrid->addWidget(unit, 0, 2, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  auto* minus = Text(correction, "LMinus", "Minus rückt den Ausdruck horizontal nach links, vertikal nach oben.");
  minus->setWordWrap(true);
  corrGrid->addWidget(minus, 2, 0, 1, 4);
  auto* tenths = Text(correction, "LZehntel", "Angaben sind in Zehntel-Millime- ter zu machen");
  tenths->setWordWrap(true);
  corrGrid->addWidget(tenths, 0, 3, 2, 1);
  corrGrid->setColumnStretch(3, 1);
  column->addWidget(correction);
  blockedByRun_.insert(blockedByRun_.end(), {RGJoker, RGZiehungen, cbNr, correction});

  cbFragen = Make<QCheckBox>(panel, "cbFragen", QStringLiteral("Fragen, ob Ausdruck korrekt ist"));
  cbFragen->setChecked(true);
  column->addWidget(cbFragen);
  column->addStretch();

  auto* buttons = new QHBoxLayout;
  BAusdruck = Make<QPushButton>(panel, "BAusdruck", QStringLiteral("Drucken starten"));
  BStop = Make<QPushButton>(panel, "BStop", QStringLiteral("Drucken stoppen"));
  for (QPushButton* b : {BAusdruck, BStop}) b->setMinimumSize(130, 30);
  BAusdruck->setFont(BoldFont());
  BStop->setEnabled(false);
  connect(BAusdruck, &QPushButton::clicked, this, &TFBEDruck::BAusdruckClick);
  // The run looks at the request between two slips.
  connect(BStop, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
  blockedByRun_.push_back(cbFragen);
  blockedByRun_.push_back(BAusdruck);
  buttons->addWidget(BAusdruck);
  buttons->addWidget(BStop);
  column->addLayout(buttons);
  return panel;
}

QWidget* TFBEDruck::buildExplanationPanel() {
  auto* panel = Make<QWidget>(this, "PErlaeuterung");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  column->addWidget(Text(panel, "LErlaeuterung", "Erläuterungen um Ausdruck", nullptr, true));
  MInfo = Make<QPlainTextEdit>(panel, "MInfo");
  MInfo->setReadOnly(true);
  MInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList lines;
  for (const char* line : kExplanationLines) lines << QString::fromUtf8(line);
  MInfo->setPlainText(lines.join(QLatin1Char('\n')));
  const QFontMetrics metrics(MInfo->font());
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  MInfo->setFixedWidth(widest + 2 * MInfo->frameWidth() + 16 + MInfo->verticalScrollBar()->sizeHint().width());
  MInfo->setFixedHeight(metrics.lineSpacing() * static_cast<int>(lines.size()) + 2 * MInfo->frameWidth() + 10);
  column->addWidget(MInfo);

  ImageTray = Make<QLabel>(panel, "ImageTray");
  ImageTray->setPixmap(PaperTrayPicture(QSize(MInfo->width(), 200)));
  ImageTray->setFixedSize(MInfo->width(), 200);
  column->addWidget(ImageTray);
  column->addStretch();
  return panel;
}

// ---- creation and closing -------------------------------------------------------------------

void TFBEDruck::FormCreate() {
  setWindowTitle(Q(WindowCaption("- Spielschein-Druck")));
  readSettings();
  SetUpTipTable(table_);
  showTable();
}

void TFBEDruck::showTable() {
  model_->reset();
  for (int c = 0; c < table_.columnCount(); ++c) G2->setColumnWidth(c, table_.columnWidth(c));
  int width = 2 * G2->frameWidth() + G2->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < table_.columnCount(); ++c) width += table_.columnWidth(c);
  G2->setFixedWidth(width);
  G2->setMinimumHeight(17 + 17 * kRowHeight + 2 * G2->frameWidth());
}

void TFBEDruck::readSettings() {
  const IniFile file = IniFile::Load(store_.dataFile(kIniFileName));
  if (!file.existed()) return;
  // -1 keeps "Joker +" without a choice, as it was left: no stake the user did not ask for.
  const int joker = file.readInt(ini::kDruckJoker.section, ini::kDruckJoker.key, ini::kDruckJoker.dflt);
  setJokerIndex(joker >= -1 && joker < kJokerOptions ? joker : ini::kDruckJoker.dflt);
  setDrawCountIndex(file.read(ini::kDruckZiehungen));
  cbNr->setChecked(file.read(ini::kDruckNr));
  Ehori->setText(Q(file.read(ini::kDruckHKorr)));
  Evert->setText(Q(file.read(ini::kDruckVKorr)));
}

void TFBEDruck::writeSettings() {
  const int joker = jokerIndex();
  const int draws = std::max(0, drawCountIndex());
  const bool numbers = cbNr->isChecked();
  const std::string h = Ehori->text().toStdString();
  const std::string v = Evert->text().toStdString();
  const auto written = UpdateIniFile(store_.dataFile(kIniFileName), [&](IniFile& f) {
    f.write(ini::kDruckJoker, joker);
    f.write(ini::kDruckZiehungen, draws);
    f.write(ini::kDruckNr, numbers);
    f.write(ini::kDruckHKorr, h);
    f.write(ini::kDruckVKorr, v);
  });
  if (!written) MessageBox::showError(this, written.error());
}

void TFBEDruck::closeEvent(QCloseEvent* event) {
  if (running_) {
    // The run lives in this window; it stops after the current slip and the window closes then.
    stopRequested_ = true;
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  writeSettings();
  event->accept();
}

// ---- options ----------------------------------------------------------------------------------

int TFBEDruck::jokerIndex() const { return jokerOptions_->checkedId(); }
int TFBEDruck::drawCountIndex() const { return drawOptions_->checkedId(); }

void TFBEDruck::setJokerIndex(int index) {
  if (QAbstractButton* option = jokerOptions_->button(index)) {
    option->setChecked(true);
    return;
  }
  // An exclusive group never lets its last choice go by itself.
  jokerOptions_->setExclusive(false);
  for (QAbstractButton* option : jokerOptions_->buttons()) option->setChecked(false);
  jokerOptions_->setExclusive(true);
}

void TFBEDruck::setDrawCountIndex(int index) {
  if (QAbstractButton* option = drawOptions_->button(index)) option->setChecked(true);
}

void TFBEDruck::RGJokerToggled(bool on) {
  if (!on) setJokerIndex(-1);
}

// ---- slip file --------------------------------------------------------------------------------

void TFBEDruck::bsSkinSpeedButton1Click() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Datei wählen"), store_.dataFolder(), Q(kSlipFilter));
  if (!path.isEmpty()) openSlipFile(path);
}

void TFBEDruck::openSlipFile(const QString& path) {
  if (auto loaded = LoadSlipFile(table_, path.toStdString()); !loaded) {
    MessageBox::showError(this, loaded.error());
    return;
  }
  showTable();
  LDatei->setText(QFileInfo(path).fileName());
  EEnde->setText(QString::number(table_.rowCount() - 1));
  updateSlipCount();
}

void TFBEDruck::updateSlipCount() {
  if (EStart->text().isEmpty() || EEnde->text().isEmpty()) return;
  const int a = FieldInt(EStart->text()).value_or(0);
  const int b = FieldInt(EEnde->text()).value_or(0);
  if (b >= a) LAnzTs->setText(QString::number(SlipCount(a, b)));
}

// ---- printing ---------------------------------------------------------------------------------

void TFBEDruck::setRunning(bool running) {
  running_ = running;
  stopRequested_ = false;
  for (QWidget* control : blockedByRun_) control->setEnabled(!running);
  BStop->setEnabled(running);
}

void TFBEDruck::BAusdruckClick() {
  if (running_) return;
  if (table_.rowCount() < 2 || table_.cell(1, 1).empty()) {
    MessageBox::show(this, MessageBox::Information, QString::fromUtf8(kNothingToPrint));
    return;
  }
  std::unique_ptr<SlipJobPrinter> jobs;
  if (TestPrinterSource()) {
    jobs = TestPrinterSource()();
  } else {
    if (!printer_) {
      printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
      // Positions count from the paper's corner; Qt sets off the printer's unprintable margin itself.
      printer_->setFullPage(true);
      printer_->setDocName(QString::fromUtf8(kSlipJobTitle));
    }
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    if (dialog.exec() == QDialog::Accepted) jobs = std::make_unique<SamePrinterJobs>(*printer_);
  }
  if (!jobs) return;
  printRun(*jobs);
}

void TFBEDruck::printRun(SlipJobPrinter& jobs) {
  if (EStart->text().trimmed().isEmpty() || EStart->text().trimmed() == QStringLiteral("0"))
    EStart->setText(QStringLiteral("1"));
  const int lastRow = table_.rowCount() - 1;
  if (EEnde->text().trimmed().isEmpty()) EEnde->setText(Q(table_.cell(0, lastRow)));
  const auto start = FieldInt(EStart->text());
  const auto end = FieldInt(EEnde->text());
  // Rows past the table would only spend slips on nothing but Joker and draw marks.
  if (!start || !end || *start < 1 || *end < *start || *end > lastRow) {
    MessageBox::show(this, MessageBox::Information, QString::fromUtf8(kCheckRange));
    return;
  }

  // Every number is checked before the first slip goes out: a run never breaks off mid-way.
  auto fieldOrZero = [this](QLineEdit* edit, int& out) {
    out = 0;
    if (edit->text().isEmpty()) return true;
    const auto v = FieldInt(edit->text());
    if (!v) {
      MessageBox::show(this, MessageBox::Error, Q(InvalidIntegerMessage(edit->text().toStdString())));
      edit->setFocus();
      return false;
    }
    out = *v;
    return true;
  };
  int slipNumber = 0, horizontal = 0, vertical = 0;
  // The start number only counts while slip numbers are printed.
  const bool numbers = cbNr->isChecked();
  if ((numbers && !fieldOrZero(ENr, slipNumber)) || !fieldOrZero(Ehori, horizontal) || !fieldOrZero(Evert, vertical))
    return;
  const int firstNumber = ENr->text().isEmpty() ? 1 : slipNumber;
  auto rows = SlipRowsOfTable(table_, *start, *end);
  if (!rows) {
    MessageBox::showError(this, rows.error());
    return;
  }

  const int count = SlipCount(*start, *end);
  LAnzTs->setText(QString::number(count));
  const bool ask = cbFragen->isChecked();
  SlipExtras extras;
  if (RGJoker->isChecked() && jokerIndex() >= 0) extras.joker = jokerIndex();
  if (drawCountIndex() >= 0) extras.drawCount = drawCountIndex();

  setRunning(true);
  int job = 0;
  SlipRunHooks hooks;
  hooks.print = [&](const SlipJob& slip) {
    const auto first = rows->begin() + (slip.rows.first - *start);
    const std::vector<SlipRowValues> onSlip(first, first + (slip.rows.last - slip.rows.first + 1));
    SlipExtras these = extras;
    if (numbers) these.number = std::to_string(slip.number) + "/" + std::to_string(slip.count);
    QPrinter* printer = jobs.printerForJob(++job);
    return printer && PrintSlip(*printer, SlipMarks(onSlip, these), horizontal, vertical);
  };
  if (ask)
    hooks.confirm = [this](const SlipJob&) {
      switch (MessageBox::show(this, MessageBox::Confirmation, QString::fromUtf8(kAskSlip), MessageBox::YesNoCancel)) {
        case MessageBox::Yes: return SlipAnswer::Next;
        case MessageBox::No: return SlipAnswer::Again;
        default: return SlipAnswer::Cancel;
      }
    };
  hooks.idle = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); };
  hooks.stopRequested = [this] { return stopRequested_; };
  const SlipRunResult result = RunSlipPrint(*start, *end, firstNumber, hooks);
  setRunning(false);

  if (result.end == SlipRunEnd::PrinterFailed)
    MessageBox::show(this, MessageBox::Error, QString::fromUtf8(kPrinterFailed));
  if (closeAfterRun_) QTimer::singleShot(0, this, &QWidget::close);
}

// ---- the paper tray ---------------------------------------------------------------------------

namespace {

// A hand seen from above with its index finger pointing along +x, wrist at the origin.
// The number sits in a red disc at `disc`, relative to the wrist.
void DrawHand(QPainter& p, QPointF wrist, double angleDegrees, int number, QPointF discOffset) {
  p.save();
  p.translate(wrist);
  p.rotate(angleDegrees);
  const QColor skin(0xF2, 0xC2, 0x9B);
  const QColor line(0x8A, 0x55, 0x32);
  p.setPen(QPen(line, 1.2));
  p.setBrush(QColor(0x3C, 0x6E, 0xB4));  // sleeve
  p.drawRoundedRect(QRectF(-22, -9, 16, 18), 3, 3);
  p.setBrush(skin);
  QPainterPath hand;
  hand.addRoundedRect(QRectF(-8, -10, 22, 20), 7, 7);  // fist
  hand.addRoundedRect(QRectF(10, -8, 22, 7), 3.5, 3.5);  // index finger
  p.drawPath(hand.simplified());
  p.setPen(QPen(line, 0.8));
  for (int k = 0; k < 3; ++k) p.drawLine(QPointF(8, -2 + 4 * k), QPointF(13, -2 + 4 * k));  // folded fingers
  p.restore();

  const QPointF disc = wrist + discOffset;
  p.save();
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(QColor(0xC0, 0x10, 0x10));
  p.drawEllipse(disc, 10, 10);
  QFont font = BoldFont(9);
  p.setFont(font);
  p.drawText(QRectF(disc.x() - 10, disc.y() - 10, 20, 20), Qt::AlignCenter, QString::number(number));
  p.restore();
}

}  // namespace

QPixmap PaperTrayPicture(QSize size) {
  QPixmap picture(size);
  picture.fill(QColor(0xE8, 0xE8, 0xE4));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = size.width();
  const double h = size.height();

  // Printer body at the top with the paper feed slot and its rollers.
  QLinearGradient body(0, 0, 0, h * 0.2);
  body.setColorAt(0, QColor(0x55, 0x58, 0x5E));
  body.setColorAt(1, QColor(0x3A, 0x3D, 0x42));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawRect(QRectF(0, 0, w, h * 0.2));
  p.setBrush(QColor(0x15, 0x15, 0x18));
  p.drawRoundedRect(QRectF(w * 0.1, h * 0.15, w * 0.8, h * 0.07), 3, 3);
  p.setBrush(QColor(0x70, 0x70, 0x74));
  for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(w * (0.2 + 0.17 * i), h * 0.165, w * 0.09, h * 0.04), 2, 2);

  // The tray, widening towards the viewer.
  QPolygonF tray;
  tray << QPointF(w * 0.08, h * 0.22) << QPointF(w * 0.92, h * 0.22) << QPointF(w * 0.98, h * 0.97)
       << QPointF(w * 0.02, h * 0.97);
  QLinearGradient trayShade(0, h * 0.22, 0, h);
  trayShade.setColorAt(0, QColor(0xB9, 0xBC, 0xC2));
  trayShade.setColorAt(1, QColor(0xD6, 0xD8, 0xDC));
  p.setBrush(trayShade);
  p.setPen(QPen(QColor(0x80, 0x83, 0x88), 1.5));
  p.drawPolygon(tray);

  // The slip, face down, centred in the tray; its back shows only the faint panel rules.
  const QRectF slip(w * 0.33, h * 0.24, w * 0.34, h * 0.5);
  p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
  p.setBrush(QColor(0xFF, 0xFB, 0xF0));
  p.drawRect(slip);
  p.setPen(QPen(QColor(0xE6, 0xD2, 0xD2), 1));
  for (int i = 1; i < 6; ++i) {
    const double y = slip.top() + slip.height() * i / 6.0;
    p.drawLine(QPointF(slip.left() + 4, y), QPointF(slip.right() - 4, y));
  }

  // Side guides pressed against the slip, with the rubber band between them.
  p.setPen(QPen(QColor(0x25, 0x3A, 0x5C), 1));
  p.setBrush(QColor(0x3E, 0x5A, 0x8A));
  const QRectF leftGuide(slip.left() - 12, slip.top() + slip.height() * 0.25, 12, slip.height() * 0.45);
  const QRectF rightGuide(slip.right(), slip.top() + slip.height() * 0.25, 12, slip.height() * 0.45);
  p.drawRoundedRect(leftGuide, 2, 2);
  p.drawRoundedRect(rightGuide, 2, 2);
  p.setPen(QPen(QColor(0x9A, 0x5B, 0x2E), 1.4));
  p.drawLine(QPointF(leftGuide.left(), leftGuide.center().y()), QPointF(rightGuide.right(), rightGuide.center().y()));

  // The paperback as a bridge from the slip to the rear guide, which stops short of it.
  const QRectF book(slip.left() + slip.width() * 0.1, slip.bottom() + 2, slip.width() * 0.8, h * 0.1);
  p.setPen(QPen(QColor(0x5A, 0x2A, 0x10), 1));
  p.setBrush(QColor(0xB8, 0x4A, 0x2A));
  p.drawRect(book);
  p.setPen(QColor(0xFF, 0xE0, 0xB0));
  p.setFont(BoldFont(7));
  p.drawText(book, Qt::AlignCenter, QStringLiteral("Taschenbuch"));
  const QRectF rearGuide(slip.left() + slip.width() * 0.3, book.bottom() + 6, slip.width() * 0.4, 10);
  p.setPen(QPen(QColor(0x25, 0x3A, 0x5C), 1));
  p.setBrush(QColor(0x3E, 0x5A, 0x8A));
  p.drawRoundedRect(rearGuide, 2, 2);

  // Hands: 1 at the feed, 2 at the slip's top edge, 3 at both side guides, 4 at the rear guide.
  DrawHand(p, QPointF(w * 0.42, 8), 90, 1, QPointF(26, 2));  // reaching in from above
  DrawHand(p, QPointF(slip.right() + 34, slip.top() + 4), 180, 2, QPointF(30, 0));
  DrawHand(p, QPointF(leftGuide.left() - 40, leftGuide.center().y() + 6), 0, 3, QPointF(-30, 0));
  DrawHand(p, QPointF(rightGuide.right() + 40, rightGuide.center().y() + 6), 180, 3, QPointF(30, 0));
  DrawHand(p, QPointF(rearGuide.left() - 42, rearGuide.center().y() + 4), 0, 4, QPointF(-30, 0));
  return picture;
}

}  // namespace kw::ui
