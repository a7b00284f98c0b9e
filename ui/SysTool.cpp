#include "ui/SysTool.h"

#include <QMetaMethod>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/full_system.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"

namespace kw::ui {

namespace {

constexpr int kFirstStarButton = 51;

const char* const kNoEntryWindowMessage =
    "Das Fenster \"Tippreihen-Eingabe\" ist nicht geöffnet, deshalb kann ich die Tippreihen nicht übertragen. "
    "Öffnen Sie es bitte über \"Tippreihen bilden\" und \"Eingabe\".\r\rIch breche erst einmal ab.";
const char* const kNothingToTransferMessage =
    "Es gibt noch keine Tippreihen zu übertragen. Bilden Sie bitte zuerst die Tippreihen."
    "\r\rIch breche erst einmal ab.";

QLabel* CounterPanel(QWidget* parent, const char* name) {
  auto* panel = new QLabel(QStringLiteral("0"), parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #9A9A9A; padding-right: 3px; }"));
  panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  panel->setFont(BoldFont(8));
  panel->setMinimumWidth(50);
  panel->setFixedHeight(19);
  return panel;
}

QPlainTextEdit* NumberField(QWidget* parent, const char* name, int height) {
  auto* field = new QPlainTextEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFont(BoldFont(9));
  field->setFixedHeight(height);
  field->setTabChangesFocus(true);
  field->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return field;
}

QPushButton* SmallButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setFixedSize(52, 20);
  return button;
}

QString Decimal(std::int64_t v) { return QString::number(static_cast<qlonglong>(v)); }

}  // namespace

TFSysTool::TFSysTool(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FSysTool"));
  setFont(ProgramFont());
  setWindowTitle(QStringLiteral("Vollsystem-Reihen bilden"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(3);

  auto* intro = new QLabel(
      QStringLiteral("Aus mindestens fünf Tippzahlen können hier Vollsysteme gebildet werden. Die Anzahl der "
                     "Sternzahlen kann zwischen null und zwölf liegen."),
      this);
  intro->setObjectName(QStringLiteral("LText"));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* tipsLabel = new QLabel(QStringLiteral("Tippzahlen:"), this);
  tipsLabel->setFont(BoldFont(8));
  layout->addWidget(tipsLabel);
  auto* numberGrid = new QGridLayout;
  numberGrid->setSpacing(2);
  numberGrid->setContentsMargins(0, 0, 0, 0);
  QFont numberFont = ProgramFont();
  numberFont.setPointSize(9);
  for (int n = 1; n <= 50; ++n) {
    auto* b = new QPushButton(QString::number(n), this);
    b->setObjectName(QStringLiteral("lotS%1").arg(n));
    b->setFixedSize(21, 21);
    b->setFont(numberFont);
    b->setStyleSheet(QStringLiteral("QPushButton { color: black; padding: 0px; }"));
    b->setFocusPolicy(Qt::NoFocus);
    numberGrid->addWidget(b, (n - 1) / 10, (n - 1) % 10);
    connect(b, &QPushButton::clicked, this, [this, n] { AppendNumber(M1, n); });
  }
  numberGrid->setColumnStretch(10, 1);
  layout->addLayout(numberGrid);

  auto* tipsRow = new QHBoxLayout;
  M1 = NumberField(this, "M1", 42);
  BitBtn1 = SmallButton(this, "BitBtn1", QStringLiteral("leeren"), QStringLiteral("Tippzahlen löschen"));
  tipsRow->addWidget(M1, 1);
  tipsRow->addWidget(BitBtn1, 0, Qt::AlignTop);
  layout->addLayout(tipsRow);

  auto* starsLabel = new QLabel(QStringLiteral("Sternzahlen:"), this);
  starsLabel->setFont(BoldFont(8));
  layout->addWidget(starsLabel);
  auto* starRow = new QHBoxLayout;
  starRow->setSpacing(1);
  for (int n = kFirstStarButton; n <= kFirstStarButton + 11; ++n) {
    const int star = n - 50;
    auto* b = new QPushButton(QString::number(star), this);
    b->setObjectName(QStringLiteral("lotS%1").arg(n));
    b->setFixedSize(star <= 9 ? 15 : 18, 20);
    b->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0,0,128); padding: 0px; }"));
    b->setFocusPolicy(Qt::NoFocus);
    starRow->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, star] { AppendNumber(M2, star); });
  }
  starRow->addStretch(1);
  layout->addLayout(starRow);

  auto* starsFieldRow = new QHBoxLayout;
  M2 = NumberField(this, "M2", 42);
  auto* starButtons = new QVBoxLayout;
  starButtons->setSpacing(2);
  BitBtn3 = SmallButton(this, "BitBtn3", QStringLiteral("alle"), QStringLiteral("Alle zwölf Sternzahlen wählen"));
  BitBtn2 = SmallButton(this, "BitBtn2", QStringLiteral("leeren"), QStringLiteral("Sternzahlen löschen"));
  starButtons->addWidget(BitBtn3);
  starButtons->addWidget(BitBtn2);
  starButtons->addStretch(1);
  starsFieldRow->addWidget(M2, 1);
  starsFieldRow->addLayout(starButtons);
  layout->addLayout(starsFieldRow);

  auto* actionRow = new QHBoxLayout;
  BKombisCalc = new QPushButton(QStringLiteral("Anzahl Tippreihen"), this);
  BKombisCalc->setObjectName(QStringLiteral("BKombisCalc"));
  BKombisBilden = new QPushButton(QStringLiteral("Tippreihen\nbilden"), this);
  BKombisBilden->setObjectName(QStringLiteral("BKombisBilden"));
  BKombisBilden->setFont(BoldFont(8));
  for (QPushButton* b : {BKombisCalc, BKombisBilden}) {
    b->setFixedHeight(36);
    actionRow->addWidget(b, 1);
  }
  layout->addLayout(actionRow);

  // Two counters on one line, the total below them, right-aligned under the second.
  auto* counters = new QGridLayout;
  counters->setHorizontalSpacing(4);
  counters->setVerticalSpacing(2);
  Panel11 = CounterPanel(this, "Panel11");
  Panel13 = CounterPanel(this, "Panel13");
  Panel12 = CounterPanel(this, "Panel12");
  counters->addWidget(new QLabel(QStringLiteral("5er Kombis:"), this), 0, 0);
  counters->addWidget(Panel11, 0, 1);
  counters->addWidget(new QLabel(QStringLiteral("Stern-Kombis:"), this), 0, 2);
  counters->addWidget(Panel13, 0, 3);
  auto* totalLabel = new QLabel(QStringLiteral("Tippreihen gesamt:"), this);
  totalLabel->setFont(BoldFont(8));
  counters->addWidget(totalLabel, 1, 0, 1, 3, Qt::AlignRight);
  counters->addWidget(Panel12, 1, 3);
  counters->setColumnStretch(1, 1);
  counters->setColumnStretch(3, 1);
  layout->addLayout(counters);

  LInfo = new QLabel(this);
  LInfo->setObjectName(QStringLiteral("LInfo"));
  LInfo->setWordWrap(true);
  LInfo->setStyleSheet(QStringLiteral("color: #A00000;"));
  LInfo->setMinimumHeight(LInfo->fontMetrics().height() * 2);
  LInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(LInfo);

  Panel10 = new QLabel(this);
  Panel10->setObjectName(QStringLiteral("Panel10"));
  Panel10->setFont(BoldFont(8));
  Panel10->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel10->setAlignment(Qt::AlignCenter);
  Panel10->setFixedHeight(21);
  layout->addWidget(Panel10);

  Rows = new FullSystemRowModel(this);
  M3 = new QListView(this);
  M3->setObjectName(QStringLiteral("M3"));
  M3->setModel(Rows);
  M3->setUniformItemSizes(true);
  M3->setSelectionMode(QAbstractItemView::ExtendedSelection);
  M3->setEditTriggers(QAbstractItemView::NoEditTriggers);
  M3->setFont(BoldFont(8));
  M3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  M3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  M3->setMinimumHeight(120);
  M3->installEventFilter(this);
  layout->addWidget(M3, 1);

  Pro1 = new QProgressBar(this);
  Pro1->setObjectName(QStringLiteral("Pro1"));
  Pro1->setTextVisible(false);
  Pro1->setFixedHeight(12);
  Pro1->setRange(0, 1);
  Pro1->setValue(0);
  layout->addWidget(Pro1);

  CB1 = new QCheckBox(QStringLiteral("Neue Tippreihen an vorhandene anhängen"), this);
  CB1->setObjectName(QStringLiteral("CB1"));
  CB1->setEnabled(false);
  layout->addWidget(CB1);

  auto* resultRow = new QHBoxLayout;
  resultRow->setSpacing(4);
  BDelM3 = new QPushButton(QStringLiteral("Liste\nlöschen"), this);
  BDelM3->setObjectName(QStringLiteral("BDelM3"));
  BTransfer = new QPushButton(QStringLiteral("Tippreihen\nübertragen"), this);
  BTransfer->setObjectName(QStringLiteral("BTransfer"));
  BTransfer->setFont(BoldFont(8));
  BitBtn8 = new QPushButton(QStringLiteral("Sch&ließen"), this);
  BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
  for (QPushButton* b : {BDelM3, BTransfer, BitBtn8}) b->setFixedHeight(36);
  resultRow->addWidget(BDelM3, 2);
  resultRow->addWidget(BTransfer, 3);
  resultRow->addWidget(BitBtn8, 2);
  layout->addLayout(resultRow);

  for (QPlainTextEdit* field : {M1, M2}) field->installEventFilter(this);
  connect(BitBtn1, &QPushButton::clicked, M1, &QPlainTextEdit::clear);
  connect(BitBtn2, &QPushButton::clicked, M2, &QPlainTextEdit::clear);
  connect(BitBtn3, &QPushButton::clicked, this,
          [this] { M2->setPlainText(QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12")); });
  connect(BKombisCalc, &QPushButton::clicked, this, &TFSysTool::BKombisCalcClick);
  connect(BKombisBilden, &QPushButton::clicked, this, &TFSysTool::BKombisBildenClick);
  connect(BDelM3, &QPushButton::clicked, this, &TFSysTool::BDelM3Click);
  connect(BTransfer, &QPushButton::clicked, this, &TFSysTool::BTransferClick);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);
  const auto listChanged = [this] { CB1->setEnabled(!Rows->empty()); };
  connect(Rows, &QAbstractItemModel::modelReset, this, listChanged);
  connect(Rows, &QAbstractItemModel::rowsInserted, this, listChanged);

  InstallHelpKey(this);

  resize(270, std::max(720, layout->totalHeightForWidth(270)));
}

bool TFSysTool::eventFilter(QObject* watched, QEvent* event) {
  // Copying takes every selected row, not only the current one.
  if (watched == M3 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopySelectedRows();
    return true;
  }
  if ((watched == M1 || watched == M2) && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Only numbers and commas are typed; pasted text (clipboard shortcuts stay) is cleaned when
    // the rows are built. Keys without text (arrows, Delete, Home) move and edit as usual.
    for (auto standard : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
                          QKeySequence::Undo, QKeySequence::Redo})
      if (key->matches(standard)) return false;
    switch (key->key()) {
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Tab:  // moves on to the next control
      case Qt::Key_Backtab: return false;
      default: break;
    }
    const QString text = key->text();
    if (text.isEmpty()) return false;
    if (text.size() == 1) {
      const QChar c = text.front();
      if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') || c.unicode() == 7) return false;
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFSysTool::AppendNumber(QPlainTextEdit* field, int number) {
  QTextCursor cursor(field->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(field->document()->isEmpty() ? QString::number(number)
                                                 : QStringLiteral(",") + QString::number(number));
  field->setTextCursor(cursor);
}

int FullSystemRowModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(starts_.size());
}

QVariant FullSystemRowModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return line(index.row());
}

QString FullSystemRowModel::line(qsizetype i) const {
  const std::size_t start = starts_[static_cast<std::size_t>(i)];
  const std::size_t end = text_.find('\n', start);
  return QString::fromLatin1(text_.data() + start, static_cast<qsizetype>(end - start));
}

QString FullSystemRowModel::text() const {
  return text_.empty() ? QString() : QString::fromLatin1(text_.data(), static_cast<qsizetype>(text_.size() - 1));
}

void FullSystemRowModel::append(std::string_view lines) {
  if (lines.empty()) return;
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0;;) {
    starts.push_back(text_.size() + pos);
    const std::size_t end = lines.find('\n', pos);
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  const int first = rowCount();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(starts.size()) - 1);
  text_.append(lines);
  text_.push_back('\n');
  starts_.insert(starts_.end(), starts.begin(), starts.end());
  endInsertRows();
}

void FullSystemRowModel::clear() {
  beginResetModel();
  text_.clear();
  starts_.clear();
  endResetModel();
}

void TFSysTool::CopySelectedRows() const {
  QModelIndexList selected = M3->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  for (const QModelIndex& index : selected) lines << Rows->line(index.row());
  if (!lines.isEmpty()) QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void TFSysTool::BDelM3Click() {
  Rows->clear();
  LInfo->clear();
  Panel10->clear();
}

void TFSysTool::BKombisCalcClick() { Run(false); }

void TFSysTool::BKombisBildenClick() { Run(true); }

bool TFSysTool::Run(bool build) {
  const QString tips = M1->toPlainText();
  if (tips.isEmpty()) {
    MessageBox::show(this, MessageBox::Error, Q(kEmptyTipNumbersMessage));
    return false;
  }
  const std::string tipText = tips.toStdString();
  const std::string cleaned = CleanNumberText(tipText);
  if (cleaned != tipText) M1->setPlainText(Q(cleaned));
  const auto plan = PlanFullSystem(tipText, M2->toPlainText().toStdString());
  if (!plan) {
    MessageBox::showError(this, plan.error());
    return false;
  }
  const auto showCounts = [&] {
    LInfo->setText(Q(plan->info));
    Panel11->setText(Decimal(plan->fiveRows));
    Panel13->setText(Decimal(plan->starParts));
    Panel12->setText(Decimal(plan->total));
  };
  if (!build) {
    showCounts();
    return true;
  }
  if (plan->total > kMaxFullSystemRows) {
    // The counts help to choose fewer numbers; the list stays as it was.
    showCounts();
    MessageBox::show(this, MessageBox::Error, Q(TooManyRowsMessage(plan->total)));
    return false;
  }
  if (!plan->starsGiven &&
      MessageBox::show(this, MessageBox::Confirmation, Q(kNoStarsQuestion), MessageBox::YesNoCancel) != MessageBox::Yes)
    return false;

  const std::int64_t fives = plan->fiveRows;
  Pro1->setRange(0, static_cast<int>(fives <= 1 ? fives : fives - 1));
  Pro1->setValue(0);
  const auto rows = BuildFullSystem(*plan, [this](std::int64_t i) { Pro1->setValue(static_cast<int>(i)); });
  if (!rows) {
    MessageBox::showError(this, rows.error());
    return false;
  }
  if (!CB1->isChecked()) BDelM3Click();
  Rows->append(rows->text);
  showCounts();
  Panel10->setText(Q(BuiltHeading(Rows->lines())));
  return true;
}

void TFSysTool::BTransferClick() {
  if (!isSignalConnected(QMetaMethod::fromSignal(&TFSysTool::rowsTransferred))) {
    MessageBox::show(this, MessageBox::Error, Q(kNoEntryWindowMessage));
    return;
  }
  if (Rows->empty()) {
    MessageBox::show(this, MessageBox::Error, Q(kNothingToTransferMessage));
    return;
  }
  emit rowsTransferred(Rows->text());
}

void TFSysTool::placeBeside(QWidget* entry) {
  if (layout()) layout()->activate();  // its real width before the first show
  QScreen* screen = entry->screen() ? entry->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen->geometry();
  const QPoint at = entry->pos();
  // Right beside the entry window when the builder still fits on the screen, else flush with
  // the screen's right edge. A wider entry window pushes the builder further so it never
  // covers it; a wider builder stays whole on the screen.
  const int offset = std::max(734, entry->frameGeometry().width());
  const int width = std::max(276, frameGeometry().width());
  const int right = area.x() + area.width();
  const int left = at.x() + offset + width < right ? at.x() + offset : right - width;
  const int top = at.y() - 117 > area.y() ? at.y() - 117 : area.y() + 20;
  move(left, top);
}

}  // namespace kw::ui
