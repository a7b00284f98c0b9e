#include "ui/Quoten.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "core/csv_import.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/program.h"
#include "core/quota_entry.h"
#include "core/quota_store.h"
#include "core/settings_ini.h"
#include "platform/shell.h"
#include "ui/Update.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/quota_table_model.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

// Field k: width, left, top inside PQuoten (index 0 unused).
constexpr std::array<int, 14> kFieldWidth = {0, 90, 90, 70, 70, 70, 55, 55, 60, 60, 60, 60, 60, 60};
constexpr std::array<int, 14> kFieldLeft = {0, 10, 10, 10, 90, 10, 90, 155, 10, 80, 150, 10, 80, 150};
constexpr std::array<int, 14> kFieldTop = {0, 25, 65, 105, 105, 145, 145, 145, 185, 185, 185, 225, 225, 225};
constexpr int kFieldHeight = 14;
// Date and GK 1 .. GK 13; the table's amounts may widen their column.
constexpr std::array<int, 14> kColumnWidth = {64, 80, 80, 60, 60, 60, 50, 42, 41, 41, 41, 41, 41, 41};
constexpr int kRowHeight = 16;
constexpr int kPanel6Height = 100;
// Left and width of field 13, 10 pixels of air and 8 of frame.
constexpr int kPanelWidth = 150 + 60 + 10 + 8;
// Larger files are no quota lists.
constexpr std::size_t kMaxImportBytes = 64u << 20;

constexpr const char* kSaveFirstQuestion = "Haben Sie alles gespeichert, was zu speichern ist?";

QLabel* RedText(QWidget* parent, const char* name, const char* text) {
  QLabel* label = RegularLabel(parent, name, QString(), true);
  QFont font = ProgramFont();
  font.setPointSize(7);
  label->setFont(font);
  label->setText(BreakAtHyphens(QString::fromUtf8(text)));
  label->setStyleSheet(QStringLiteral("QLabel { color: #E00000; }"));
  return label;
}

QString ClassLabel(int k, bool currentOrder) {
  const auto& hits = currentOrder ? ClassHitsNew : ClassHitsOld;
  return QStringLiteral("GKl. %1: %2").arg(k).arg(QString::fromUtf8(hits[static_cast<std::size_t>(k)]));
}

NavigationTable QuotaTable(TFQuoten* window) {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Programm beenden"},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn3", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::UpdateCheck, "BUpdate", "Online-Aktualisierung"},
      {Command::Calendar, "BKalender", "Kalender"},
      {Command::NOverK, "BNoverK", "n über k"},
      {Command::Calculator, "BCalc", "Taschenrechner"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BHilfe", "Hilfe"},
  };
  table.own = {Command::QuotaUpdate};
  table.hidden = {Command::OpenSlip, Command::Print, Command::PrinterSetup};
  table.helpSearchEntry = true;
  table.handlers[Command::About] = [window] { emit window->aboutRequested(); };
  return table;
}

}  // namespace

TFQuoten::TFQuoten(const WindowContext& context, QWidget* parent) : QMainWindow(parent), store_(context.store) {
  setObjectName(QStringLiteral("FQuoten"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, QuotaTable(this), context.commands);
  buildDesign();
  FormCreate();
}

TFQuoten::~TFQuoten() = default;

bool TFQuoten::downloading() const { return runner_.running(); }

// ---- design -------------------------------------------------------------------------------

void TFQuoten::buildDesign() {
  // Saving beside the tip entry button and in "&Datei", with the import of a quota list.
  BSave = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Quoten speichern"), this);
  BSave->setObjectName(QStringLiteral("BSave"));
  QToolBar* bar = navigation_->toolBar();
  const auto barActions = bar->actions();
  bar->insertAction(barActions.size() > 2 ? barActions[2] : nullptr, BSave);
  if (QWidget* button = bar->widgetForAction(BSave)) {
    button->setObjectName(QStringLiteral("BSave"));
    button->setFixedSize(48, 38);
  }
  connect(BSave, &QAction::triggered, this, &TFQuoten::BSaveClick);
  if (auto* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("MenuDatei"))) {
    MenuSave = new QAction(QStringLiteral("Quoten speichern"), fileMenu);
    MenuSave->setObjectName(QStringLiteral("MenuSave"));
    MenuImport = new QAction(QStringLiteral("Quoten importieren..."), fileMenu);
    MenuImport->setObjectName(QStringLiteral("MenuImport"));
    const auto entries = fileMenu->actions();
    QAction* before = entries.size() > 1 ? entries[1] : nullptr;
    fileMenu->insertAction(before, MenuSave);
    fileMenu->insertAction(before, MenuImport);
    connect(MenuSave, &QAction::triggered, this, &TFQuoten::BSaveClick);
    connect(MenuImport, &QAction::triggered, this, &TFQuoten::MenuImportClick);
  }

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);
  auto* top = new QHBoxLayout;
  top->setSpacing(6);
  top->addWidget(buildInfoGroup());
  top->addWidget(buildFieldPanel());
  top->addWidget(buildPasteGroup(), 1);
  layout->addLayout(top);
  layout->addWidget(buildTable(), 1);
}

QWidget* TFQuoten::buildInfoGroup() {
  GR1 = Make<QGroupBox>(this, "GR1");
  GR1->setFixedWidth(200);
  auto* column = new QVBoxLayout(GR1);
  column->setSpacing(8);
  headingLabel = RegularLabel(GR1, "headingLabel", QStringLiteral("Gewinnquoten\n-Aktualisierung"), false);
  headingLabel->setFont(BoldFont(12));
  headingLabel->setStyleSheet(QStringLiteral("QLabel { color: #000080; }"));
  introText = RegularLabel(GR1, "introText",
      QStringLiteral("Für die Auswertung der Spielscheine rechnet das Programm mit den Quoten der Gewinnklassen. Solange "
                     "keine aktuellen Quoten vorhanden sind, wird mit den Standardquoten gerechnet."),
      true);
  manualText = RegularLabel(GR1, "manualText",
      QStringLiteral("Wenn die automatische Aktualisierung über den Button unter diesem Text nicht klappt, haben Sie "
                     "rechts zwei Möglichkeiten der manuellen Pflege der Quoten."),
      true);
  BOnlAkt = Make<QPushButton>(GR1, "BOnlAkt");
  BOnlAkt->setMinimumSize(120, 40);
  LStatus = RegularLabel(GR1, "LStatus", QString(), true);
  LStatus->setFont(BoldFont());
  LStatus->setAlignment(Qt::AlignCenter);
  LStatus->setMargin(3);
  LStatus->setStyleSheet(QStringLiteral("QLabel { background: black; color: yellow; }"));
  LStatus->hide();
  column->addWidget(headingLabel);
  column->addWidget(introText);
  column->addWidget(manualText);
  column->addWidget(BOnlAkt, 0, Qt::AlignHCenter);
  column->addWidget(LStatus);
  column->addStretch();
  connect(BOnlAkt, &QPushButton::clicked, this, &TFQuoten::BOnlAktClick);
  return GR1;
}

QWidget* TFQuoten::buildFieldPanel() {
  PQuoten = Make<QFrame>(this, "PQuoten");
  PQuoten->setFrameShape(QFrame::StyledPanel);
  for (int k = 1; k <= kClassCount; ++k) {
    const auto i = static_cast<std::size_t>(k);
    auto* field = new QLineEdit(PQuoten);
    field->setObjectName(QStringLiteral("eq%1").arg(k));
    field->setGeometry(kFieldLeft[i], kFieldTop[i], kFieldWidth[i], kFieldHeight);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFont(ProgramFont());
    field->setFrame(false);
    field->setTextMargins(0, 0, 1, 0);
    field->setStyleSheet(QStringLiteral("QLineEdit { background: #FEE9A0; border: 1px solid #B8A060; padding: 0px; }"));
    field->installEventFilter(this);
    eq[i] = field;
    auto* label = new QLabel(ClassLabel(k, false), PQuoten);
    label->setObjectName(QStringLiteral("ql%1").arg(k));
    // As wide as the room up to the next field of the row; the designed 8 points where the
    // text fits, a little smaller where this system's font is wider.
    const bool lastOfRow = k == kClassCount || kFieldTop[i + 1] != kFieldTop[i];
    const int room = k <= 2 ? 96 : (lastOfRow ? kPanelWidth - 4 : kFieldLeft[i + 1] - 2) - kFieldLeft[i];
    QFont font = ProgramFont();
    for (qreal size = 8; size >= 6; size -= 0.5) {
      font.setPointSizeF(size);
      const QFontMetrics metrics(font);
      if (std::max(metrics.horizontalAdvance(ClassLabel(k, false)), metrics.horizontalAdvance(ClassLabel(k, true))) <= room)
        break;
    }
    label->setFont(font);
    label->setGeometry(kFieldLeft[i], kFieldTop[i] - 13, room, 13);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    ql[i] = label;
  }
  QLabel* comma = RedText(PQuoten, "LKomma", "Komma als Dezimal- trennzeichen");
  comma->setGeometry(108, 10, 116, 28);
  QLabel* noDots = RedText(PQuoten, "LPunkte", "Keine Punkte als Tausendertrenn- zeichen und keine Währungsangabe");
  noDots->setGeometry(108, 44, 116, 44);

  Panel6 = Make<QFrame>(PQuoten, "Panel6");
  const int panelTop = kFieldTop[13] + kFieldHeight + 8;
  Panel6->setGeometry(4, panelTop, 220, kPanel6Height);
  auto* grid = new QGridLayout(Panel6);
  grid->setContentsMargins(6, 2, 2, 2);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  QLabel* forDraw = RegularLabel(Panel6, "LAusspielung", QStringLiteral("Für Ausspielung"), false);
  Combo1 = Make<QComboBox>(Panel6, "Combo1");
  Combo1->setPlaceholderText(QStringLiteral("wählen..."));
  Combo1->setFont(ProgramFont());
  Combo1->setMaxVisibleItems(20);
  BInTabelle = Make<QPushButton>(Panel6, "BInTabelle");
  BInTabelle->setFont(ProgramFont());
  BInTabelle->setMinimumHeight(36);
  QLabel* classThirteen = RedText(Panel6, "LKlasse13",
                                  "Zumindest die Quote für die Gewinnklasse 13 muss angegeben werden. Ansonsten sind "
                                  "Lücken unschädlich.");
  grid->addWidget(forDraw, 0, 0);
  grid->addWidget(Combo1, 0, 1);
  grid->addWidget(BInTabelle, 1, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(classThirteen, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  PQuoten->setFixedSize(kPanelWidth, kFieldTop[13] + kPanel6Height + 28);

  connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1Change(); });
  connect(BInTabelle, &QPushButton::clicked, this, &TFQuoten::BInTabelleClick);
  return PQuoten;
}

QWidget* TFQuoten::buildPasteGroup() {
  Gr2 = Make<QGroupBox>(this, "Gr2", QStringLiteral("Gewinnquoten aus Webseiten kopieren"));
  Gr2->setFont(BoldFont());
  auto* column = new QVBoxLayout(Gr2);
  column->setSpacing(5);
  pasteText = RegularLabel(Gr2, "pasteText",
      QStringLiteral("Sie können Gewinnquoten aus Webseiten kopieren und in das folgende Textfeld einfügen. Die Angaben "
                     "müssen in Spalten angeordnet sein und müssen ohne Spaltenüberschriften kopiert werden. Siehe "
                     "nachfolgendes Beispiel. Übertragen werden nur die Eurobeträge."),
      true);
  M1 = Make<QPlainTextEdit>(Gr2, "M1");
  M1->setFont(ProgramFont());
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  M1->setPlainText(Q(QuotaTextSample()));
  M1->setMinimumHeight(90);
  // Tab positions after the widest field of each column of the sample, so that its columns
  // line up; the field is as wide as the sample.
  const QFontMetrics metrics(ProgramFont());
  std::vector<int> widths;
  for (const QString& line : M1->toPlainText().split(QLatin1Char('\n'))) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    widths.resize(std::max(widths.size(), static_cast<std::size_t>(fields.size())));
    for (qsizetype f = 0; f < fields.size(); ++f)
      widths[static_cast<std::size_t>(f)] = std::max(widths[static_cast<std::size_t>(f)], metrics.horizontalAdvance(fields[f]));
  }
  QList<qreal> stops;
  qreal x = 0;
  for (std::size_t f = 0; f + 1 < widths.size(); ++f) stops << (x += widths[f] + 12);
  QTextOption option = M1->document()->defaultTextOption();
  option.setTabArray(stops);
  M1->document()->setDefaultTextOption(option);
  M1->setMinimumWidth(static_cast<int>(x) + (widths.empty() ? 0 : widths.back()) + 2 * M1->frameWidth() +
                      2 * static_cast<int>(M1->document()->documentMargin()) +
                      M1->verticalScrollBar()->sizeHint().width() + 4);

  auto* controls = new QHBoxLayout;
  Label4 = RegularLabel(Gr2, "Label4", QString(), false);
  Spin2 = Make<QSpinBox>(Gr2, "Spin2");
  Spin2->setRange(1, 8);
  Spin2->setValue(3);
  Spin2->setFont(ProgramFont());
  BTransfer = Make<QPushButton>(Gr2, "BTransfer");
  BDel = Make<QPushButton>(Gr2, "BDel");
  for (QPushButton* b : {BTransfer, BDel}) {
    b->setFont(ProgramFont());
    b->setMinimumSize(70, 36);
  }
  controls->addWidget(Label4);
  controls->addWidget(Spin2);
  controls->addStretch();
  controls->addWidget(BTransfer);
  controls->addWidget(BDel);

  auto* links = new QHBoxLayout;
  QLabel* linksLabel = RegularLabel(Gr2, "LLinks", QStringLiteral("Quoten im Internet:"), false);
  PLink1 = Make<QLabel>(Gr2, "PLink1", QStringLiteral("Link 1"));
  PLink2 = Make<QLabel>(Gr2, "PLink2", QStringLiteral("Link 2"));
  for (QLabel* panel : {PLink1, PLink2}) {
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedSize(60, 26);
    panel->setCursor(Qt::PointingHandCursor);
    panel->setAutoFillBackground(true);
    panel->installEventFilter(this);
  }
  BLinks = Make<QPushButton>(Gr2, "BLinks");
  BLinks->setFont(ProgramFont());
  BLinks->setMinimumSize(80, 36);
  links->addWidget(linksLabel);
  links->addWidget(PLink1);
  links->addWidget(PLink2);
  links->addStretch();
  links->addWidget(BLinks);

  column->addWidget(pasteText);
  column->addWidget(M1, 1);
  column->addLayout(controls);
  column->addLayout(links);

  connect(BTransfer, &QPushButton::clicked, this, &TFQuoten::BTransferClick);
  connect(BDel, &QPushButton::clicked, M1, &QPlainTextEdit::clear);
  connect(BLinks, &QPushButton::clicked, this, &TFQuoten::BLinksClick);
  return Gr2;
}

QWidget* TFQuoten::buildTable() {
  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("PTabelle"));
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  auto* heading = new QHBoxLayout;
  tableHeading = RegularLabel(area, "tableHeading", QStringLiteral("Gewinnquoten"), false);
  tableHeading->setFont(BoldFont(10));
  QLabel* hint = RegularLabel(area, "LHinweis", QStringLiteral("Hinweis:"), false);
  hint->setFont(BoldFont());
  hint->setStyleSheet(QStringLiteral("QLabel { color: #E00000; }"));
  tableNote = RegularLabel(area, "tableNote",
      QStringLiteral("Mit der Einführung der 12. Sternzahl am 27.09.2016 haben die Gewinnränge 6 und 7 getauscht. Die "
                     "Bezeichnungen der Gewinnklassen-Felder oben und der Tabellen-Spalten unten richten sich nach dem "
                     "gewählten Ausspielungsdatum."),
      true);
  tableNote->setStyleSheet(QStringLiteral("QLabel { color: #E00000; }"));
  heading->addWidget(tableHeading, 0, Qt::AlignTop);
  heading->addSpacing(16);
  heading->addWidget(hint, 0, Qt::AlignTop);
  heading->addWidget(tableNote, 1);
  column->addLayout(heading);

  GQ = Make<QTableView>(area, "GQ");
  model_ = new QuotaTableModel(store_.quotas(), GQ);
  GQ->setModel(model_);
  GQ->setFont(ProgramFont());
  GQ->setSelectionMode(QAbstractItemView::SingleSelection);
  GQ->setSelectionBehavior(QAbstractItemView::SelectRows);
  GQ->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GQ->verticalHeader()->hide();
  GQ->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  GQ->verticalHeader()->setDefaultSectionSize(kRowHeight);
  GQ->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  GQ->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  GQ->horizontalHeader()->setHighlightSections(false);
  // GK 13 takes what the window has to spare.
  GQ->horizontalHeader()->setStretchLastSection(true);
  GQ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  GQ->setMinimumHeight(kRowHeight * 14);
  GQ->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.column() == 0) return FixedCellStyle(option);
        // The row just written into, or picked, stays marked.
        const bool marked = option.state & QStyle::State_Selected;
        return CellStyle{marked ? QColor(0xCC, 0xE4, 0xFF) : QColor(Qt::white), Qt::black, option.font, CellAlign::Right};
      },
      GQ));
  column->addWidget(GQ, 1);
  return area;
}

// ---- creation -------------------------------------------------------------------------------

void TFQuoten::FormCreate() {
  readSettings();
  BTransfer->setText(QStringLiteral("Über-\ntragen"));
  BOnlAkt->setText(QStringLiteral("Online-\nAktualisierung"));
  BDel->setText(QStringLiteral("Textfeld\nlöschen"));
  BLinks->setText(QStringLiteral("Web-Links\nbearbeiten"));
  BInTabelle->setText(QStringLiteral("In Tabelle\nübertragen"));
  Label4->setText(QStringLiteral("Quote in Euro steht\nin Spalte"));

  auto read = ReadQuotaLinks(store_.dataFile(kQuotaLinksFileName));
  // The links editor reports a file it cannot read; here the links then stay empty.
  if (read) links_ = *read;
  showLinkPanels();

  connect(&store_, &DataStore::quotasChanged, this, &TFQuoten::refreshDateList);
  loadQuotaStore();
  if (Combo1->count() > 0) Combo1->setCurrentIndex(Combo1->count() - 1);
  setWindowTitle(Q(WindowCaption("- Quoten-Aktualisierung")));
  GR1->setFixedHeight(PQuoten->height());
  Gr2->setFixedHeight(PQuoten->height());

  // Room for every column of the table and for the controls above it.
  int width = 2 * centralWidget()->layout()->contentsMargins().left() + 2 * GQ->frameWidth() +
              GQ->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c <= kClassCount; ++c) width += GQ->columnWidth(c);
  resize(std::max(width, centralWidget()->minimumSizeHint().width()), 690);
}

void TFQuoten::loadQuotaStore() {
  // The main window read the amounts that match the history; here the file is tidied up too.
  auto loaded = store_.change([](DataSet& d) { return LoadQuotasKeepingAmounts(d); });
  if (!loaded)
    MessageBox::showError(this, loaded.error());
  else if (!loaded->empty())
    MessageBox::show(this, MessageBox::Information, *loaded);
  refreshDateList();
  const double today = TodayDayNumber();
  store_.change([today](DataSet& d) {
    TextTable rows(kQuotaTableColumns, static_cast<int>(d.Quotas.size()) + 1);
    return ExtendQuotas(d, rows, today).size();
  });
}

void TFQuoten::refreshDateList() {
  if (store_.quotas().empty()) {
    const double today = TodayDayNumber();
    // Its signal brings the refresh back here with the standard amounts.
    store_.change([today](DataSet& d) {
      MakeDefaultQuotasForHistory(d, today);
      return d.Quotas.size();
    });
    if (!store_.quotas().empty()) return;
  }
  model_->reload();
  fitColumns();
  QStringList dates;
  dates.reserve(static_cast<qsizetype>(store_.quotas().size()));
  for (const TQuoten& r : store_.quotas()) dates << Q(DateText(r.datum));
  const QSignalBlocker quiet(Combo1);
  Combo1->clear();
  Combo1->addItems(dates);
  Combo1->setCurrentIndex(-1);
}

void TFQuoten::fitColumns() {
  const QFontMetrics metrics(GQ->font());
  std::array<float, 14> largest{};
  for (const TQuoten& r : store_.quotas())
    for (int k = 1; k <= kClassCount; ++k)
      largest[static_cast<std::size_t>(k)] = std::max(largest[static_cast<std::size_t>(k)], std::fabs(r.amount(k)));
  for (int c = 0; c <= kClassCount; ++c) {
    const QString widest = c == 0 ? QStringLiteral("00.00.0000") : Q(FormatAmount(largest[static_cast<std::size_t>(c)], 2));
    // Text 3 pixels inside the right edge, 2 inside the left, and a little air.
    GQ->setColumnWidth(c, std::max(kColumnWidth[static_cast<std::size_t>(c)], metrics.horizontalAdvance(widest) + 8));
  }
}

void TFQuoten::readSettings() {
  const IniFile file = IniFile::Load(store_.dataFile(kIniFileName));
  if (file.existed()) Spin2->setValue(file.read(ini::kQuotenSpalte));
}

void TFQuoten::writeSettings() {
  const int column = Spin2->value();
  if (auto written =
          UpdateIniFile(store_.dataFile(kIniFileName), [column](IniFile& f) { f.write(ini::kQuotenSpalte, column); });
      !written)
    MessageBox::showError(this, written.error());
}

void TFQuoten::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The latest draws are what the player comes for.
  if (!shownOnce_) {
    shownOnce_ = true;
    QTimer::singleShot(0, GQ, [this] { GQ->scrollToBottom(); });
  }
}

void TFQuoten::closeEvent(QCloseEvent* event) {
  if (modified_ && MessageBox::show(this, MessageBox::Confirmation, QString::fromUtf8(kSaveFirstQuestion),
                                    MessageBox::YesNo) != MessageBox::Yes) {
    event->ignore();
    return;
  }
  writeSettings();
  event->accept();
}

// ---- the amount fields ------------------------------------------------------------------------

bool TFQuoten::eventFilter(QObject* watched, QEvent* event) {
  for (int k = 1; k <= kClassCount; ++k) {
    if (watched != eq[static_cast<std::size_t>(k)]) continue;
    QLineEdit* field = eq[static_cast<std::size_t>(k)];
    if (event->type() == QEvent::FocusOut) normaliseField(k);
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        normaliseField(k);
        return true;
      }
      // Shortcuts (copy, paste, undo) and keys without a character (arrows, Delete) pass.
      const QString text = key->text();
      if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || text.isEmpty()) break;
      const char16_t c = text.front().unicode();
      if (key->key() == Qt::Key_Backspace || c == u'\x7f' || c == u'\t') break;
      if (!AmountKeyAccepted(field->text().toStdU16String(), static_cast<std::size_t>(field->cursorPosition()), c))
        return true;
    }
    break;
  }
  const bool link1 = watched == PLink1, link2 = watched == PLink2;
  if ((link1 || link2) && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    PLinkClick(link1 ? 1 : 2);
  return QMainWindow::eventFilter(watched, event);
}

void TFQuoten::normaliseField(int k) {
  QLineEdit* field = eq[static_cast<std::size_t>(k)];
  const NormalisedAmount amount = NormaliseAmountText(field->text().toStdString());
  if (Q(amount.text) != field->text()) field->setText(Q(amount.text));
  if (!amount.valid) QApplication::beep();
}

void TFQuoten::Combo1Change() {
  const int index = Combo1->currentIndex();
  if (index < 0 || Combo1->currentText().size() != 10) return;
  const auto date = ParseDateText(Combo1->currentText().toStdString());
  if (!date) return;
  const bool current = IsCurrentOrder(*date);
  for (int k = 6; k <= kClassCount; ++k) ql[static_cast<std::size_t>(k)]->setText(ClassLabel(k, current));
  model_->setCurrentOrder(current);
}

// ---- text import, table, saving ------------------------------------------------------------------

void TFQuoten::BTransferClick() {
  if (M1->toPlainText().isEmpty()) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Das Textfeld ist leer. Es gibt nichts zu übertragen.\r\rIch breche erst einmal ab."));
    return;
  }
  const QuotaTextImport import = ImportQuotaText(M1->toPlainText().toStdString(), Spin2->value());
  for (std::size_t i = 0; i < import.amounts.size(); ++i) eq[i + 1]->setText(Q(import.amounts[i]));
  if (import.error) {
    MessageBox::showError(this, *import.error);
    return;
  }
  M1->clear();
}

void TFQuoten::BInTabelleClick() {
  // As if each field had been left: what the table gets is what the fields show.
  for (int k = 1; k <= kClassCount; ++k)
    if (eq[static_cast<std::size_t>(k)]->text() != QString::fromUtf8(kInvalidAmountText)) normaliseField(k);
  if (eq[13]->text().isEmpty()) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Zumindest die Quote für die Gewinnklasse 13 muss angegeben werden. Ansonsten sind "
                                    "Lücken unschädlich.\r\rIch breche erst einmal ab."));
    return;
  }
  if (Combo1->currentIndex() < 0 && Combo1->count() == 1) Combo1->setCurrentIndex(0);
  const int row = Combo1->currentIndex();
  if (row < 0) {
    MessageBox::show(this, MessageBox::Error,
                     QStringLiteral("Bitte geben Sie die Ausspielung an, für die die Quoten gelten.\r\rIch breche erst "
                                    "einmal ab."));
    return;
  }
  QuotaTableModel::Amounts amounts;
  for (int k = 1; k <= kClassCount; ++k)
    amounts[static_cast<std::size_t>(k - 1)] = eq[static_cast<std::size_t>(k)]->text().toStdString();
  model_->setAmounts(row, amounts);
  modified_ = true;
  GQ->scrollTo(model_->index(row, 0));
  GQ->selectRow(row);
}

void TFQuoten::BSaveClick() {
  const TextTable table = model_->table();
  auto saved = store_.change([&table](DataSet& d) { return SaveQuotas(d, table); });
  if (!saved) {
    MessageBox::showError(this, saved.error());
    return;
  }
  model_->dropUnsavedRows();
  modified_ = false;
  refreshDateList();
}

void TFQuoten::MenuImportClick() {
  const QString path = FileDialog::openFile(this, QStringLiteral("Quoten importieren"), store_.dataFolder(),
                                            QStringLiteral("Quoten-Liste|*.csv;*.txt|Alle Dateien|*"));
  if (path.isEmpty()) return;
  const auto bytes = ReadWholeFile(path.toStdString(), kMaxImportBytes);
  if (!bytes) {
    MessageBox::showError(this, bytes.error());
    return;
  }
  const std::string text(bytes->begin(), bytes->end());
  auto summary = store_.change([&text](DataSet& d) { return ImportQuotasCsv(d, text); });
  if (!summary) {
    MessageBox::showError(this, summary.error());
    return;
  }
  MessageBox::show(this, MessageBox::Information, QuotaImportSummaryText(*summary));
}

// ---- online update and links -----------------------------------------------------------------------

void TFQuoten::BOnlAktClick() {
  if (runner_.running()) return;
  LStatus->hide();
  auto inputs = CheckInputsFrom(store_);
  if (!inputs) {
    MessageBox::showError(this, inputs.error());
    LStatus->setText(QStringLiteral("Aktualisierung fehlgeschlagen"));
    LStatus->show();
    return;
  }
  downloadInputs_ = std::move(*inputs);
  download_ = std::make_unique<update::UpdateCheck>(downloadInputs_, update::CheckOptions{false, true, false, true});
  BOnlAkt->setEnabled(false);
  setCursor(Qt::BusyCursor);
  runner_.start(*download_, {}, [this] { quotaDownloadFinished(); });
}

void TFQuoten::quotaDownloadFinished() {
  BOnlAkt->setEnabled(true);
  unsetCursor();
  update::CheckResult result = download_->result();
  ApplyCheck(store_, downloadInputs_, result);
  const bool ok = result.online && result.quotas.status == update::StepStatus::Updated;
  LStatus->setText(ok ? QStringLiteral("Aktualisierung erfolgreich") : QStringLiteral("Aktualisierung fehlgeschlagen"));
  LStatus->setToolTip(Q(result.quotas.message));
  LStatus->show();
  for (const std::string& message : CheckMessages(result)) MessageBox::show(this, MessageBox::Information, message);
}

void TFQuoten::setLinks(const QString& link1, const QString& link2) {
  links_ = {link1.toStdString(), link2.toStdString()};
  showLinkPanels();
}

void TFQuoten::showLinkPanels() {
  const std::pair<QLabel*, const std::string*> panels[] = {{PLink1, &links_[0]}, {PLink2, &links_[1]}};
  for (const auto& [panel, link] : panels) {
    const bool set = !link->empty();
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, set ? QColor(0x80, 0xFF, 0x80) : QColor(0xFF, 0x80, 0x80));
    panel->setPalette(palette);
    QFont font = ProgramFont();
    font.setBold(set);
    font.setUnderline(set);
    panel->setFont(font);
    panel->setToolTip(set ? Q(*link) : QStringLiteral("Keine Adresse gespeichert: ein Klick öffnet die Web-Links"));
  }
}

void TFQuoten::PLinkClick(int link) {
  const std::string& address = links_[static_cast<std::size_t>(link - 1)];
  if (!kw::platform::IsOnline(address)) {
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Für den Aufruf des Links muss eine Verbindung zum Internet bestehen."));
    return;
  }
  if (address.empty()) {
    emit linksEditorRequested();
    return;
  }
  if (!kw::platform::OpenUrl(address))
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gab ein Problem mit dem Seitenaufruf."));
}

void TFQuoten::BLinksClick() { emit linksEditorRequested(); }

}  // namespace kw::ui
