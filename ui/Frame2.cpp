#include "ui/Frame2.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/game_rules.h"
#include "core/program.h"
#include "printing/print_grid.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/WinningsCurve.h"
#include "ui/data_store.h"
#include "ui/printer_setup.h"

namespace kw::ui {

namespace {
QColor ToColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }
}  // namespace

ResultModel::ResultModel(std::shared_ptr<const EvalTable> table, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table)) {}

int ResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_->rowCount() - 1;
}

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : EvalTable::kColumns;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == kStandardAmountRole) return index.column() == 4 && table_->isStandardAmount(index.row() + 1);
  if (role != Qt::DisplayRole) return {};
  return QString::fromStdString(table_->cell(index.column(), index.row() + 1));
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return QString::fromUtf8(EvalTable::header(section));
}

int ClassOfCellText(const QString& text) {
  if (text.isEmpty() || text.size() > 2) return 0;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
  const int k = text.toInt();
  return k >= 1 && k <= kClassCount ? k : 0;
}

TFrFrame2::TFrFrame2(int n, QWidget* parent, DataStore* store) : QFrame(parent), store_(store) {
  setObjectName(QStringLiteral("frA%1").arg(n));
  setProperty("tag", n);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);

  PGA1 = new QFrame(this);
  PGA1->setObjectName(QStringLiteral("PGA1"));
  PGA1->setFixedHeight(40);
  PGA1->setFont(BoldFont());
  auto* head = new QHBoxLayout(PGA1);
  head->setContentsMargins(4, 1, 1, 1);
  LGA1 = new QLabel(PGA1);
  LGA1->setObjectName(QStringLiteral("LGA1"));
  LGA1->setWordWrap(true);
  head->addWidget(LGA1, 1);
  BitBtn1 = new QPushButton(QStringLiteral("Drucken"), PGA1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setFixedSize(98, 38);
  head->addWidget(BitBtn1);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  BVerlauf = new QPushButton(QStringLiteral("Verlauf"), PGA1);
  BVerlauf->setObjectName(QStringLiteral("BVerlauf"));
  BVerlauf->setToolTip(QStringLiteral("Gewinne und Einsätze im Lauf des Zeitraums"));
  BVerlauf->setFixedSize(98, 38);
  BVerlauf->setEnabled(false);
  head->addWidget(BVerlauf);
  connect(BVerlauf, &QPushButton::clicked, this, [this] { BVerlaufClick(); });
  column->addWidget(PGA1);

  GA1 = new QTableView(this);
  GA1->setObjectName(QStringLiteral("GA1"));
  GA1->setFont(ProgramFont());
  model_ = new ResultModel(std::make_shared<EvalTable>(), GA1);
  GA1->setModel(model_);
  GA1->setSelectionMode(QAbstractItemView::NoSelection);
  GA1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GA1->setWordWrap(false);
  GA1->setCornerButtonEnabled(false);
  GA1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Pixel scrolling stays smooth and cheap however many rows there are.
  GA1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  QHeaderView* rows = GA1->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(17);
  QHeaderView* columns = GA1->horizontalHeader();
  columns->setMinimumSectionSize(1);
  // The user may widen any column, for a long slip name say.
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->setFixedHeight(18);
  fitColumns();

  GA1->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        const int c = index.column();
        if (c == 0) return FixedCellStyle(option);
        if (c == 4 && index.data(ResultModel::kStandardAmountRole).toBool()) {
          QFont italic = option.font;
          italic.setItalic(true);
          return CellStyle{Qt::white, Qt::black, italic, CellAlign::Right};
        }
        if (c == 1 || c == 4 || c == 5) return CellStyle{Qt::white, Qt::black, option.font, CellAlign::Right};
        QFont bold = option.font;
        bold.setBold(true);
        if (c == 3) {
          if (const int k = ClassOfCellText(index.data().toString()); k > 0)
            return CellStyle{ToColor(ClassColors[static_cast<std::size_t>(k)]),
                             ToColor(ClassTextColors[static_cast<std::size_t>(k)]), bold, CellAlign::Centre};
        }
        return CellStyle{option.palette.color(QPalette::Base), option.palette.color(QPalette::Text), bold,
                         CellAlign::Centre};
      },
      GA1));
  column->addWidget(GA1, 1);

  PFarben = new QFrame(this);
  PFarben->setObjectName(QStringLiteral("PFarben"));
  PFarben->setFixedHeight(18);
  auto* legend = new QHBoxLayout(PFarben);
  legend->setContentsMargins(2, 0, 0, 0);
  legend->setSpacing(0);
  auto* caption = new QLabel(QStringLiteral("Gewinnklassenfarben:"), PFarben);
  caption->setObjectName(QStringLiteral("legendCaption"));
  legend->addWidget(caption);
  legend->addStretch(1);
  column->addWidget(PFarben);
  // A line of its own under the colours, shown when the table pays standard amounts.
  legendStandard = new QLabel(QStringLiteral("Beträge in Schrägschrift: Standardquote, für diese Ausspielung ist "
                                             "kein echter Betrag bekannt"),
                              this);
  legendStandard->setObjectName(QStringLiteral("legendStandard"));
  QFont italic = legendStandard->font();
  italic.setItalic(true);
  legendStandard->setFont(italic);
  legendStandard->setContentsMargins(2, 0, 0, 0);
  legendStandard->hide();
  column->addWidget(legendStandard);
}

void TFrFrame2::showResult(EvalTable table, const QString& heading) {
  auto shared = std::make_shared<const EvalTable>(std::move(table));
  auto* model = new ResultModel(std::move(shared), GA1);
  GA1->setModel(model);
  delete model_;
  model_ = model;
  LGA1->setText(heading);
  heading_ = heading;
  delete curve_;  // it showed the former result
  fitColumns();
  buildLegend();
  const EvalTable& t = model_->table();
  bool standard = false;
  for (int row = 1; row < t.rowCount() && !standard; ++row) standard = t.isStandardAmount(row);
  legendStandard->setVisible(standard);
  BVerlauf->setEnabled(model_->table().periodDrawCount() > 0);
}

WinningsCurveWindow* TFrFrame2::BVerlaufClick() {
  if (!curve_) {
    const std::string iniPath = store_ ? store_->dataFile(kIniFileName) : std::string();
    curve_ = new WinningsCurveWindow(model_->sharedTable(), heading_, iniPath, this);
  }
  if (curve_->isMinimized())
    curve_->showNormal();
  else
    curve_->show();
  curve_->raise();
  curve_->activateWindow();
  return curve_;
}

void TFrFrame2::fitColumns() {
  const QFontMetrics metrics(GA1->font());
  // Text 2 px from the left or ending 3 px from the right, and a pixel of air.
  const auto fit = [&](int column, const QString& widest) {
    const int width = std::max(EvalTable::columnWidth(column), metrics.horizontalAdvance(widest) + 6);
    GA1->setColumnWidth(column, width);
  };
  const EvalTable& table = model_->table();
  fit(0, QStringLiteral("00.00.0000"));
  QString longestCaption = QString::fromUtf8(EvalTable::header(1));
  for (const std::string& caption : table.captions())
    if (metrics.horizontalAdvance(Q(caption)) > metrics.horizontalAdvance(longestCaption)) longestCaption = Q(caption);
  fit(1, longestCaption);
  for (int c = 2; c <= 3; ++c) fit(c, QString::fromUtf8(EvalTable::header(c)));
  // An amount's text is widest for the largest amount of the table; the running total ends largest.
  fit(4, Q(FormatEuroCents(table.largestAmountCents())));
  fit(5, Q(FormatEuroCents(table.totalCents())));
}

void TFrFrame2::buildLegend() {
  auto* legend = static_cast<QHBoxLayout*>(PFarben->layout());
  // Right-aligned behind the stretch, reading 1 to 13 from left to right.
  for (int k = 1; k <= kClassCount; ++k) {
    auto* panel = new QLabel(QString::number(k), PFarben);
    panel->setObjectName(QStringLiteral("legend%1").arg(k));
    panel->setFixedSize(22, 18);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToColor(ClassColors[static_cast<std::size_t>(k)]));
    palette.setColor(QPalette::WindowText, ToColor(ClassTextColors[static_cast<std::size_t>(k)]));
    panel->setPalette(palette);
    legend->addWidget(panel);
  }
}

void TFrFrame2::BitBtn1Click() {
  const QAbstractItemModel* grid = GA1->model();
  if (grid->rowCount() == 0 || grid->index(0, 1).data().toString().isEmpty()) {
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gibt nichts zu drucken.\r\rIch breche ab."));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!PrinterSetup::ask(this, printer)) return;
  std::vector<int> widths;
  for (int c = 0; c < grid->columnCount(); ++c) widths.push_back(GA1->columnWidth(c));
  if (!PrintGrid(printer, *grid, widths, LGA1->text(), printer.pageLayout().orientation()))
    MessageBox::show(this, MessageBox::Error, QString::fromUtf8(kPrinterRefusedMessage));
}

}  // namespace kw::ui
