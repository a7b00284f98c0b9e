#include "ui/Eingabe.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/file_io.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "core/tip_text.h"
#include "core/program.h"
#include "core/worksheet_tips.h"
#include "printing/print_grid.h"
#include "import/workbook_import.h"
#include "ui/SysTool.h"
#include "ui/artwork.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/named_widget.h"
#include "ui/navigation.h"
#include "ui/printer_setup.h"
#include "ui/text_file.h"
#include "ui/tip_table_model.h"
#include "ui/window_catalogue.h"

namespace kw::ui {

namespace {

constexpr int kHelpTopic = 1003;
constexpr int kAppend = 1;  // RG1 "...die neuen Reihen angehängt werden"
// A text file of tip rows this large would be millions of rows; more is not a tip file.
constexpr std::size_t kMaxTextFileBytes = std::size_t{64} << 20;

const QColor kRed(0xC0, 0x00, 0x00);

void MakeRed(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kRed);
  label->setPalette(palette);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QSize size) {
  QPushButton* button = FixedButton(parent, name, caption, size);
  button->setFont(ProgramFont());
  return button;
}

bool SlipIsEmpty(const TextTable& table) { return table.rowCount() < 2 || table.cell(1, 1).empty(); }

const char* const kAppendQuestion =
    "Das Textfeld im Fenster \"Tippreihen-Eingabe\" ist nicht leer. Wenn an dessen Einträge die hier "
    "gebildeten Tippreihen angehängt werden sollen, antworten Sie mit \"Ja\".\r\rAndernfalls breche ich ab.";
const char* const kReplaceQuestion =
    "Wenn die Textfeld-Einträge im Fenster \"Tippreihen-Eingabe\" gelöscht werden sollen und dann die hier "
    "gebildeten Tippreihen übertragen werden sollen, antworten Sie mit \"Ja\".\r\rAndernfalls breche ich ab.";

bool KeyAllowedInText(const QString& typed) {
  for (const QChar ch : typed) {
    const char16_t c = ch.unicode();
    if (c < 0x20 || c == 0x7F) continue;  // backspace, Enter and the control keys (copy, paste, undo)
    if ((c >= u'0' && c <= u'9') || c == u' ' || c == u',') continue;
    return false;
  }
  return true;
}

}  // namespace


TFEingabe::TFEingabe(const WindowContext& context, QWidget* parent) : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FEingabe"));
  setFont(ProgramFont());

  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programm beenden"},
      {Command::OpenSlip, "BOpen", "Spielschein-Datei öffnen..."},
      {Command::SlipPrint, "BBEDruck", "Spielscheine drucken..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn9", "Spielschein speichern..."},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::QuotaUpdate, "BQuoten", "Gewinnquoten aktualisieren"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BHilfe", "Hilfe"},
  };
  table.own = {Command::TipEntry};
  table.hidden = {Command::PrinterSetup};
  table.helpSearchEntry = true;
  table.handlers[Command::NewSlip] = [this] { BringToFront(this); };
  table.handlers[Command::OpenSlip] = [this] { BOpen1Click(); };
  table.handlers[Command::Print] = [this] { BDruckClick(); };
  // The tip centre's place in this window's menu and tool bar saves the slip instead.
  table.handlers[Command::TipCentre] = [this] { BitBtn3Click(); };
  table.handlers[Command::HelpContents] = [] { ShowHelpPage(kHelpContents); };
  table.handlers[Command::HelpSearch] = [] { ShowHelpSearch(); };
  table.handlers[Command::WindowHelp] = [] { ShowHelpPage(kHelpTopic); };
  navigation_ = new Navigation(this, std::move(table), context.commands);
  if (auto* save = findChild<QAction*>(QStringLiteral("BitBtn9")))
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));

  buildDesign();
  FormCreate();
}

// ---- design ---------------------------------------------------------------------------------

void TFEingabe::buildDesign() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(2);

  LUeberschrift = RegularLabel(central, "LUeberschrift", QStringLiteral("Machen Sie hier Angaben zu Ihren Spielscheinen:"), true);
  LUeberschrift->setFont(BoldFont(10));
  LHinweis = RegularLabel(central, "LHinweis",
                          QStringLiteral("Ihre Tippzahlen können Sie manuell  in nachstehendes Textfeld eingeben oder "
                                         "importieren. Auch eine existierende Spielscheindatei kann eingelesen werden."), true);
  layout->addWidget(LUeberschrift);
  layout->addWidget(LHinweis);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(8);
  layout->addLayout(columns, 1);

  // Left: the input methods, the check option and the placing mode.
  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  PC1 = Make<QTabWidget>(central, "PC1");
  PC1->setFont(ProgramFont());
  PC1->setDocumentMode(true);
  PC1->tabBar()->setExpanding(false);
  PC1->tabBar()->setDrawBase(false);
  // Pages chosen with flat buttons rather than tabs.
  PC1->setStyleSheet(QStringLiteral(
      "QTabBar::tab { border: 1px solid #9A9A9A; border-radius: 2px; padding: 3px 6px; margin: 1px 3px 4px 0px;"
      " background: palette(button); }"
      "QTabBar::tab:selected { background: #F4BD3E; border-color: #7A5A10; }"
      "QTabBar::tab:hover:!selected { background: #FAE0A5; }"));
  PC1->addTab(buildManualPage(), QStringLiteral("Manuell"));
  PC1->addTab(buildSlipPage(), QStringLiteral("Spielschein"));
  PC1->addTab(buildImportPage(), QStringLiteral("Import"));
  PC1->addTab(buildSystemPage(), QStringLiteral("System"));
  PC1->setMinimumWidth(252);
  left->addWidget(PC1, 1);

  cb1 = Make<QCheckBox>(central, "cb1", QStringLiteral("Reihen mit Übertragung prüfen"));
  cb1->setFont(ProgramFont());
  cb1->setChecked(true);
  left->addWidget(cb1);

  RG1 = Make<QGroupBox>(central, "RG1", QStringLiteral("Beim Übertragen sollen..."));
  RG1->setFont(ProgramFont());
  rg1Buttons = new QButtonGroup(RG1);
  auto* rgLayout = new QVBoxLayout(RG1);
  rgLayout->setContentsMargins(6, 0, 6, 2);
  rgLayout->setSpacing(1);
  const QString items[] = {QStringLiteral("...vorhandene Einträge überschrieben werden"),
                           QStringLiteral("...die neuen Reihen angehängt werden")};
  for (int i = 0; i < 2; ++i) {
    auto* radio = new QRadioButton(items[i], RG1);
    radio->setObjectName(QStringLiteral("RG1Item%1").arg(i));
    radio->setFont(ProgramFont());
    rg1Buttons->addButton(radio, i);
    rgLayout->addWidget(radio);
  }
  rg1Buttons->button(kAppend)->setChecked(true);
  left->addWidget(RG1);
  columns->addLayout(left);

  // Middle: the text field with its two buttons.
  auto* middle = new QVBoxLayout;
  middle->setSpacing(4);
  LBeispiel = RegularLabel(central, "LBeispiel", QStringLiteral("Beispiel:   2,7,12,22,38,4,7"), false);
  MakeRed(LBeispiel);
  middle->addWidget(LBeispiel);
  M1 = Make<QPlainTextEdit>(central, "M1");
  M1->setFont(BoldFont());
  M1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  M1->setTabChangesFocus(true);
  M1->setMinimumWidth(150);
  M1->installEventFilter(this);
  middle->addWidget(M1, 1);
  auto* textButtons = new QHBoxLayout;
  BTransfer = Button(central, "BTransfer", QStringLiteral("Über-\ntragen"), QSize(72, 38));
  BTransfer->setFont(BoldFont());
  BDel = Button(central, "BDel", QStringLiteral("Alles\nlöschen"), QSize(72, 38));
  textButtons->addWidget(BTransfer);
  textButtons->addStretch();
  textButtons->addWidget(BDel);
  middle->addLayout(textButtons);
  columns->addLayout(middle, 1);

  // Right: the slip being built.
  auto* right = new QVBoxLayout;
  right->setSpacing(4);
  g1Model_ = new TipTableModel(26, this);
  G1 = Make<QTableView>(central, "G1");
  G1->setFont(ProgramFont());
  right->addWidget(G1, 1);
  auto* slipButtons = new QHBoxLayout;
  slipButtons->setSpacing(4);
  BitBtn3 = Button(central, "BitBtn3", QStringLiteral("Speichern"), QSize(78, 28));
  BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  BDruck = Button(central, "BDruck", QString(), QSize(34, 28));
  BDruck->setIcon(ToolIcon(Command::Print));
  BDruck->setIconSize(QSize(22, 22));
  BDruck->setToolTip(QStringLiteral("Drucken"));
  BitBtn4 = Button(central, "BitBtn4", QStringLiteral("Löschen"), QSize(78, 28));
  BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
  slipButtons->addWidget(BitBtn3);
  slipButtons->addWidget(BDruck);
  slipButtons->addWidget(BitBtn4);
  slipButtons->addStretch();
  right->addLayout(slipButtons);
  BitBtn8 = Button(central, "BitBtn8", QStringLiteral("Sch&ließen"), QSize(96, 28));
  BitBtn8->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch();
  closeRow->addWidget(BitBtn8);
  right->addLayout(closeRow);
  columns->addLayout(right);

  connect(BTransfer, &QPushButton::clicked, this, &TFEingabe::BTransferClick);
  connect(BDel, &QPushButton::clicked, this, &TFEingabe::BDelClick);
  connect(BitBtn3, &QPushButton::clicked, this, &TFEingabe::BitBtn3Click);
  connect(BDruck, &QPushButton::clicked, this, &TFEingabe::BDruckClick);
  connect(BitBtn4, &QPushButton::clicked, this, &TFEingabe::BitBtn4Click);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* TFEingabe::buildManualPage() {
  Tab1 = new QWidget;
  Tab1->setObjectName(QStringLiteral("Tab1"));
  // The hints fill the space above the number buttons; the red note goes below them.
  auto* hints = new QWidget(Tab1);
  auto* hintLayout = new QVBoxLayout(hints);
  hintLayout->setContentsMargins(0, 0, 0, 0);
  hintLayout->setSpacing(2);
  hintLayout->addWidget(RegularLabel(hints, "LManuell1",
                                     QStringLiteral("Die Zahlen sind jeweils durch ein Komma getrennt und ohne Leerzeichen in "
                                                    "das Textfeld rechts einzugeben.  "), true));
  hintLayout->addWidget(
      RegularLabel(hints, "LManuell2", QStringLiteral("Nutzen Sie die Tasten unten oder schreiben Sie direkt im Textfeld.   "), true));
  hintLayout->addStretch();
  hints->setGeometry(6, 3, 240, 74);
  auto* note = RegularLabel(Tab1, "LManuell3", QStringLiteral("Zeilenwechsel erfolgt automatisch"), false);
  note->setFont(BoldFont());
  MakeRed(note);
  note->setGeometry(6, 23 * 5 + 55 + 21 + 3, 240, 16);

  QFont font = ProgramFont();
  font.setPointSize(9);
  font.setBold(false);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 10; ++j) {
      const int n = (i - 1) * 10 + j;
      auto* button = new QPushButton(QString::number(n), Tab1);
      button->setObjectName(QStringLiteral("lotE%1").arg(n));
      button->setProperty("tag", n);
      button->setFont(font);
      QPalette palette = button->palette();
      palette.setColor(QPalette::ButtonText, Qt::black);
      button->setPalette(palette);
      button->setFocusPolicy(Qt::NoFocus);  // the caret stays in the text field
      button->setGeometry(23 * j - 17, 23 * i + 55, 21, 21);
      connect(button, &QPushButton::clicked, this, [this, n] { lotEClick(n); });
      lotE.push_back(button);
    }
  Tab1->setMinimumHeight(23 * 5 + 55 + 21 + 20);
  return Tab1;
}

QWidget* TFEingabe::buildSlipPage() {
  Tab2 = new QWidget;
  Tab2->setObjectName(QStringLiteral("Tab2"));
  auto* layout = new QVBoxLayout(Tab2);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  auto* top = new QHBoxLayout;
  BOpen1 = Button(Tab2, "BOpen1", QStringLiteral("Spielschein-\nDatei öffnen"), QSize(92, 38));
  auto* label = RegularLabel(Tab2, "LUebertragen", QStringLiteral("Zum Bearbeiten übertragen =>"), true);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  BTransfer1 = Button(Tab2, "BTransfer1", QStringLiteral("Über-\ntragen"), QSize(60, 38));
  top->addWidget(BOpen1);
  top->addWidget(label, 1);
  top->addWidget(BTransfer1);
  layout->addLayout(top);

  g2Model_ = new TipTableModel(25, this);
  G2 = Make<QTableView>(Tab2, "G2");
  G2->setFont(ProgramFont());
  layout->addWidget(G2, 1);

  connect(BOpen1, &QPushButton::clicked, this, &TFEingabe::BOpen1Click);
  connect(BTransfer1, &QPushButton::clicked, this, &TFEingabe::BTransfer1Click);
  return Tab2;
}

QWidget* TFEingabe::buildImportPage() {
  Tab3 = new QWidget;
  Tab3->setObjectName(QStringLiteral("Tab3"));
  auto* layout = new QVBoxLayout(Tab3);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(6);

  auto* textBox = Make<QGroupBox>(Tab3, "GBText", QStringLiteral("Aus Text-Datei..."));
  textBox->setFont(BoldFont());
  auto* textLayout = new QHBoxLayout(textBox);
  textLayout->addWidget(
      RegularLabel(textBox, "LText", QStringLiteral("Sieben Zahlen pro Zeile durch Kommata oder Semikola oder Leerzeichen getrennt."), true),
      1);
  BitBtn2 = Button(textBox, "BitBtn2", QStringLiteral("Öffnen..."), QSize(76, 28));
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  textLayout->addWidget(BitBtn2, 0, Qt::AlignBottom);
  layout->addWidget(textBox);

  auto* sheetBox = Make<QGroupBox>(Tab3, "GBExcel", QStringLiteral("Aus Excel-Datei..."));
  sheetBox->setFont(BoldFont());
  auto* sheetLayout = new QVBoxLayout(sheetBox);
  sheetLayout->addWidget(RegularLabel(sheetBox, "LExcel", QStringLiteral("Sieben Zahlen pro Zeile, pro Zelle eine."), true));
  sheetLayout->addWidget(RegularLabel(sheetBox, "LTabelle", QStringLiteral("Tabelle, in der die Zahlen notiert sind:"), true));
  auto* sheetRow = new QHBoxLayout;
  Scr1 = Make<QScrollBar>(sheetBox, "Scr1", Qt::Horizontal);
  Scr1->setRange(1, 10);
  Scr1->setPageStep(1);
  Scr1->setValue(1);
  Scr1->setFixedSize(80, 18);
  PTab = Make<QLabel>(sheetBox, "PTab", QStringLiteral("1"));
  PTab->setFont(BoldFont());
  PTab->setFrameShape(QFrame::Panel);
  PTab->setFrameShadow(QFrame::Sunken);
  PTab->setAlignment(Qt::AlignCenter);
  PTab->setFixedSize(28, 20);
  BitBtn5 = Button(sheetBox, "BitBtn5", QStringLiteral("Öffnen..."), QSize(76, 28));
  BitBtn5->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  sheetRow->addWidget(Scr1);
  sheetRow->addWidget(PTab);
  sheetRow->addStretch();
  sheetRow->addWidget(BitBtn5);
  sheetLayout->addLayout(sheetRow);
  layout->addWidget(sheetBox);
  layout->addStretch();

  connect(Scr1, &QScrollBar::valueChanged, PTab, [this](int value) { PTab->setText(QString::number(value)); });
  connect(BitBtn2, &QPushButton::clicked, this, &TFEingabe::BitBtn2Click);
  connect(BitBtn5, &QPushButton::clicked, this, &TFEingabe::BitBtn5Click);
  return Tab3;
}

QWidget* TFEingabe::buildSystemPage() {
  Tab4 = new QWidget;
  Tab4->setObjectName(QStringLiteral("Tab4"));
  auto* layout = new QVBoxLayout(Tab4);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(6);
  const char* texts[] = {
      "Wenn Sie weiter klicken, gelangen Sie in den Programmbereich, in dem Vollsystem-Reihen gebildet werden können.",
      "Dafür müssen Sie sich dort für mindestens fünf Tippzahlen entscheiden. Sternzahlen können müssen aber nicht "
      "gewählt werden.",
      "Sie können die Sternzahlen also weglassen, Sie können eine oder zwei, Sie können bis zu zehn wählen.",
      "Die Vollsystem-Reihen können dann mit einem Klick in das Textfeld rechts übertragen werden.",
  };
  int i = 1;
  for (const char* text : texts) {
    const QByteArray name = "LSystem" + QByteArray::number(i++);
    layout->addWidget(RegularLabel(Tab4, name.constData(), QString::fromUtf8(text), true));
  }
  layout->addStretch();
  BWeiter = Button(Tab4, "BWeiter", QStringLiteral("Weiter"), QSize(86, 28));
  BWeiter->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  layout->addWidget(BWeiter, 0, Qt::AlignRight);
  connect(BWeiter, &QPushButton::clicked, this, &TFEingabe::BWeiterClick);
  return Tab4;
}

// ---- creation and closing -------------------------------------------------------------------

void TFEingabe::FormCreate() {
  readSettings();
  g1Model_->change([](TextTable& t) { SetUpTipTable(t); });
  g2Model_->change([](TextTable& t) { SetUpTipTable(t); });
  ShowTipTable(G1, g1Model_, 18);
  ShowTipTable(G2, g2Model_, 16);
  G1->setFixedWidth(G1->minimumWidth());
  setWindowTitle(Q(WindowCaption("- Tippreihen-Eingabe")));
  resize(718, 425 + menuBar()->sizeHint().height());
}

void TFEingabe::readSettings() {
  const IniFile file = IniFile::Load(store_.dataFile(kIniFileName));
  if (!file.existed()) return;
  rg1Buttons->button(file.read(ini::kEingabeOver))->setChecked(true);
  Scr1->setValue(file.read(ini::kEingabeTabelle));
  cb1->setChecked(file.read(ini::kEingabeProof));
}

void TFEingabe::writeSettings() {
  const int over = rg1Buttons->checkedId() == kAppend ? 1 : 0;
  const int sheet = Scr1->value();
  const bool proof = cb1->isChecked();
  const auto written = UpdateIniFile(store_.dataFile(kIniFileName), [&](IniFile& f) {
    f.write(ini::kEingabeOver, over);
    f.write(ini::kEingabeTabelle, sheet);
    f.write(ini::kEingabeProof, proof);
  });
  if (!written) MessageBox::showError(this, written.error());
}

void TFEingabe::closeEvent(QCloseEvent* event) {
  writeSettings();
  event->accept();  // hides; the window lives until the program ends
}

bool TFEingabe::eventFilter(QObject* watched, QEvent* event) {
  if (watched == M1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!KeyAllowedInText(key->text())) return true;  // swallowed
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- the text field -------------------------------------------------------------------------

void TFEingabe::lotEClick(int number) {
  const QString last = M1->document()->lastBlock().text();
  const qsizetype commas = last.count(QLatin1Char(','));
  QString add = QString::number(number);
  if (commas == 6 && last.endsWith(QLatin1Char(',')))
    add += QLatin1Char('\n');  // the seventh number closes the line
  else if (commas >= 6)
    add = QLatin1Char('\n') + add + QLatin1Char(',');  // the last line is complete already: start the next
  else
    add += QLatin1Char(',');
  QTextCursor cursor = M1->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(add);
  M1->setTextCursor(cursor);
}

void TFEingabe::appendLines(const QStringList& lines) {
  if (lines.isEmpty()) return;
  QString add = M1->document()->lastBlock().text().isEmpty() ? QString() : QStringLiteral("\n");
  add += lines.join(QLatin1Char('\n'));
  add += QLatin1Char('\n');
  QTextCursor cursor = M1->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(add);
  M1->setTextCursor(cursor);
}

// The tidied lines replace the text; a final line break stays, so typing goes on below.
void TFEingabe::showText(const std::vector<std::string>& lines) {
  const QString before = M1->toPlainText();
  QString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += QString::fromStdString(lines[i]);
  }
  if (!lines.empty() && before.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
  if (text != before) M1->setPlainText(text);
}

void TFEingabe::BDelClick() { M1->clear(); }

void TFEingabe::BTransferClick() {
  std::vector<std::string> lines = SplitTipLines(M1->toPlainText().toStdString());
  const bool check = cb1->isChecked();
  const TipParse parse = ParseTipText(lines, check, [this](const std::string& question) {
    switch (MessageBox::show(this, MessageBox::Confirmation, question, MessageBox::YesNoCancel)) {
      case MessageBox::Yes: return BlanksDecision::Separators;
      case MessageBox::No: return BlanksDecision::Superfluous;
      default: return BlanksDecision::Cancel;
    }
  });
  if (check) showText(lines);
  switch (parse.status) {
    case TipParse::Status::Refused: MessageBox::show(this, MessageBox::Error, parse.message); return;
    case TipParse::Status::Cancelled: return;
    case TipParse::Status::Ok: break;
  }
  const bool append = rg1Buttons->checkedId() == kAppend;
  g1Model_->change([&](TextTable& t) { PlaceTipRows(parse.rows, t, append); });
}

// ---- slips ----------------------------------------------------------------------------------

void TFEingabe::BOpen1Click() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Spielschein-Datei wählen"), store_.dataFolder(),
                                            Q(kSlipFilter));
  if (path.isEmpty()) return;
  Result<void> loaded;
  g2Model_->change([&](TextTable& t) { loaded = LoadSlipFile(t, path.toStdString()); });
  if (!loaded) {
    MessageBox::showError(this, loaded.error());
    return;
  }
  PC1->setCurrentWidget(Tab2);
}

void TFEingabe::BTransfer1Click() {
  const TextTable& table = g2Model_->table();
  if (SlipIsEmpty(table)) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Die Tabelle ist leer. Es gibt nichts zu übertragen.\r\rIch breche erst einmal ab."));
    return;
  }
  QStringList lines;
  for (int r = 1; r < table.rowCount(); ++r) {
    if (table.cell(1, r).empty()) continue;
    QStringList cells;
    for (int c = 1; c <= 7; ++c) cells << QString::fromStdString(table.cell(c, r));
    lines << cells.join(QLatin1Char(','));
  }
  appendLines(lines);
}

void TFEingabe::BitBtn3Click() {
  if (SlipIsEmpty(g1Model_->table())) {
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gibt nichts zu speichern.\r\rIch breche erst einmal ab."));
    return;
  }
  const QString path = FileDialog::saveFile(this, QStringLiteral("Spielschein-Datei speichern"), store_.dataFolder(),
                                            Q(kSlipFilter), Q(kSlipExtension));
  if (path.isEmpty()) return;
  if (auto saved = SaveSlipFile(g1Model_->table(), path.toStdString()); !saved) MessageBox::showError(this, saved.error());
}

void TFEingabe::BDruckClick() {
  if (SlipIsEmpty(g1Model_->table())) {
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gibt nichts zu drucken.\r\rIch breche ab."));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!PrinterSetup::ask(this, printer)) return;
  std::vector<int> widths;
  for (int c = 0; c < g1Model_->columnCount(); ++c) widths.push_back(G1->columnWidth(c));
  if (!PrintGrid(printer, *g1Model_, widths, windowTitle(), printer.pageLayout().orientation()))
    MessageBox::show(this, MessageBox::Error,
                     QString::fromUtf8(kPrinterRefusedMessage));
}

void TFEingabe::BitBtn4Click() {
  g1Model_->change([](TextTable& t) { ClearTipTable(t); });
}

// ---- imports --------------------------------------------------------------------------------

void TFEingabe::BitBtn2Click() {
  const QString path =
      FileDialog::openFile(this, QStringLiteral("Text-Datei wählen"), store_.dataFolder(), QStringLiteral("Text-Datei|*.txt"));
  if (path.isEmpty()) return;
  const auto bytes = ReadWholeFile(path.toStdString(), kMaxTextFileBytes);
  if (!bytes) {
    MessageBox::showError(this, bytes.error());
    return;
  }
  M1->setPlainText(DecodeTextFile(*bytes));
}

void TFEingabe::BitBtn5Click() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Excel-Datei wählen"), store_.dataFolder(),
                                            QStringLiteral("Excel-Datei|*.xls;*.xlsx"));
  if (path.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const WorkbookImport sheet = ImportWorkbook(path, Scr1->value());
  QApplication::restoreOverrideCursor();
  if (!sheet.ok) {
    MessageBox::show(this, MessageBox::Error,
                     sheet.message.isEmpty()
                         ? QStringLiteral("Die Excel-Datei lässt sich nicht lesen.\r\rIch breche ab.")
                         : sheet.message);
    return;
  }
  std::vector<std::vector<std::string>> cells;
  cells.reserve(sheet.cells.size());
  for (const auto& row : sheet.cells) {
    std::vector<std::string>& out = cells.emplace_back();
    out.reserve(row.size());
    for (const QString& cell : row) out.push_back(cell.toStdString());
  }
  QStringList lines;
  for (const std::string& line : WorksheetTipLines(cells)) lines << QString::fromStdString(line);
  appendLines(lines);
}

void TFEingabe::BWeiterClick() { emit fullSystemBuilderRequested(); }

void TFEingabe::takeRows(const QString& rows) {
  const bool fieldEmpty = M1->document()->isEmpty();
  if (!fieldEmpty &&
      MessageBox::show(this, MessageBox::Confirmation, Q(kAppendQuestion), MessageBox::YesNoCancel) == MessageBox::Yes) {
    // The rows start on a line of their own, without an empty line after a final line break.
    const QString text = M1->toPlainText();
    QTextCursor cursor(M1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text.endsWith(QLatin1Char('\n')) ? rows : QStringLiteral("\n") + rows);
    M1->setTextCursor(cursor);
    return;
  }
  if (fieldEmpty ||
      MessageBox::show(this, MessageBox::Confirmation, Q(kReplaceQuestion), MessageBox::YesNoCancel) == MessageBox::Yes)
    M1->setPlainText(rows);
}

}  // namespace kw::ui
