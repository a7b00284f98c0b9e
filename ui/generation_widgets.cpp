#include "ui/generation_widgets.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QPalette>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QVariant>

#include "core/program.h"
#include "core/slip_file.h"
#include "printing/print_grid.h"
#include "ui/file_dialog.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/named_widget.h"
#include "ui/printer_setup.h"
#include "ui/tip_table_model.h"

namespace kw::ui {

namespace {

QLabel* Tile(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
  auto* tile = new QLabel(text, parent);
  tile->setObjectName(name);
  tile->setAlignment(Qt::AlignCenter);
  tile->setAutoFillBackground(true);
  tile->setGeometry(geometry);
  return tile;
}

// The program's plain button look, each role set explicitly so that a coloured panel's
// palette is not inherited.
QPalette ButtonPalette() {
  QPalette palette = QApplication::palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Light, QPalette::Midlight,
                                   QPalette::Mid, QPalette::Dark, QPalette::Shadow, QPalette::Base})
    palette.setColor(role, palette.color(role));
  for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
    palette.setColor(role, Qt::black);
  return palette;
}

}  // namespace

QColor ToQColor(Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

void PaintTile(QWidget* tile, const TileColour& colour) {
  const QColor background = ToQColor(colour.background);
  const QColor text = ToQColor(colour.text);
  QPalette palette = tile->palette();
  if (palette.color(QPalette::Window) == background && palette.color(QPalette::WindowText) == text &&
      tile->autoFillBackground())
    return;
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::ButtonText, text);
  tile->setPalette(palette);
  tile->setAutoFillBackground(true);
}

void PaintPlainFace(QWidget* tile) {
  const QColor face = QApplication::palette().color(QPalette::Button);
  PaintTile(tile, {{static_cast<std::uint8_t>(face.red()), static_cast<std::uint8_t>(face.green()),
                    static_cast<std::uint8_t>(face.blue())},
                   kBlackColour});
}

PerValue<QPushButton> MakeSelectionButtons(int group, ButtonArea numbers, ButtonArea stars,
                                           const std::function<void(ValueKind, int)>& clicked) {
  PerValue<QPushButton> buttons;
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star}) {
    const bool number = kind == ValueKind::Number;
    const ButtonArea& area = number ? numbers : stars;
    QWidget* panel = area.panel;
    const QSize size = area.buttonSize;
    const QPoint origin = area.origin;
    for (int v = 1; v <= HighestValue(kind); ++v) {
      const int column = number ? (v - 1) % 10 : v - 1;
      const int row = number ? (v - 1) / 10 : 0;
      auto* button = new QPushButton(QString::number(v), panel);
      button->setObjectName((number ? QStringLiteral("lot%1") : QStringLiteral("lot8%1")).arg(group * 100 + v));
      button->setProperty("tag", number ? group * 100 + v : group * 100 + v + 80);
      button->setGeometry(origin.x() + column * size.width(), origin.y() + row * size.height(), size.width(),
                          size.height());
      button->setFocusPolicy(Qt::NoFocus);
      // The panel's colours must not reach the buttons: every role they use is set here.
      button->setPalette(ButtonPalette());
      ShowChosen(button, false);
      QObject::connect(button, &QPushButton::clicked, panel, [clicked, kind, v] { clicked(kind, v); });
      buttons.set(kind, v, button);
    }
  }
  return buttons;
}

GroupPanel MakeGroupPanel(QWidget* parent, const QString& name, const QString& heading, const TileColour& colour,
                          QSize buttonArea) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  PaintTile(panel, colour);
  const int width = buttonArea.width() + 6;
  auto* title = new QLabel(heading, panel);
  title->setObjectName(name + QStringLiteral("Titel"));
  title->setFont(BoldFont());
  title->setWordWrap(true);
  title->setTextFormat(Qt::PlainText);
  const int titleHeight = title->heightForWidth(width - 8);
  title->setGeometry(4, 2, width - 8, titleHeight);
  const QPoint origin(3, titleHeight + 4);
  panel->setFixedSize(width, origin.y() + buttonArea.height() + 3);
  return {panel, origin};
}

void ShowChosen(QPushButton* button, bool chosen) {
  QFont font = ProgramFont();
  font.setPointSize(chosen ? 12 : 9);
  font.setBold(chosen);
  if (button->font() != font) button->setFont(font);
}

PerValue<QLabel> MakeOverviewTiles(QWidget* numberPanel, QSize numberSize, QWidget* starPanel, QSize starSize) {
  PerValue<QLabel> tiles;
  QFont font = ProgramFont();
  font.setPointSize(7);
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star}) {
    const bool number = kind == ValueKind::Number;
    const QSize size = number ? numberSize : starSize;
    for (int v = 1; v <= HighestValue(kind); ++v) {
      const int column = number ? (v - 1) % 10 : v - 1;
      const int row = number ? (v - 1) / 10 : 0;
      QLabel* tile = Tile(number ? numberPanel : starPanel,
                          (number ? QStringLiteral("PLot%1") : QStringLiteral("PLot8%1")).arg(v), QString::number(v),
                          QRect(2 + column * size.width(), 2 + row * size.height(), size.width(), size.height()));
      tile->setFont(font);
      tile->setFrameStyle(QFrame::Panel | QFrame::Raised);
      PaintPlainFace(tile);
      tiles.set(kind, v, tile);
    }
  }
  return tiles;
}

FrequencyTiles::FrequencyTiles(QWidget* numberPanel, QSize numberSize, QWidget* starPanel, QSize starSize,
                               QPoint origin) {
  QFont labelFont = BoldFont(7);
  QFont countFont = ProgramFont();
  countFont.setPointSize(7);
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star}) {
    const bool number = kind == ValueKind::Number;
    QWidget* panel = number ? numberPanel : starPanel;
    const QSize size = number ? numberSize : starSize;
    const QString suffix = number ? QString() : QStringLiteral("S");
    for (int v = 1; v <= HighestValue(kind); ++v) {
      const int column = number ? (v - 1) % 10 : v - 1;
      const int row = number ? (v - 1) / 10 : 0;
      const int x = origin.x() + column * size.width();
      const int y = origin.y() + row * (2 * size.height() + 2);
      QLabel* label = Tile(panel, QStringLiteral("PNummer") + suffix + QString::number(v), QString::number(v),
                           QRect(x, y, size.width(), size.height()));
      label->setFont(labelFont);
      label->setFrameStyle(QFrame::Panel | QFrame::Raised);
      PaintTile(label, {number ? kNumberLabelColour : kStarLabelColour, kBlackColour});
      QLabel* count = Tile(panel, QStringLiteral("PNummerWert") + suffix + QString::number(v), QStringLiteral("0"),
                           QRect(x, y + size.height(), size.width(), size.height()));
      count->setFont(countFont);
      count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      PaintTile(count, PlainTile(kind));
      labels_.set(kind, v, label);
      counts_.set(kind, v, count);
    }
  }
}

void FrequencyTiles::show(const FrequencyBoard& board) {
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= HighestValue(kind); ++v) {
      const FrequencyTile& tile = board.tile(kind, v);
      QLabel* label = count(kind, v);
      const QString text = QString::number(tile.count);
      if (label->text() != text) label->setText(text);
      PaintTile(label, tile.colour);
    }
}

void FitToPage(QMainWindow* window, QTabWidget* pages, int index, int width, int height) {
  for (int i = 0; i < pages->count(); ++i) {
    const QSizePolicy::Policy policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    pages->widget(i)->setSizePolicy(policy, policy);
  }
  // The layouts between the pages and the window keep the old sizes until their requests are
  // handled; the window must be measured now.
  for (QWidget* w = pages; w && w != window; w = w->parentWidget()) w->updateGeometry();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  window->layout()->invalidate();
  window->layout()->activate();
  // Nor may a narrow page hide menus behind the menu bar's overflow button.
  const int wanted = std::max({width, window->minimumSizeHint().width(), window->menuBar()->sizeHint().width()});
  window->resize(wanted, std::max(height, window->minimumSizeHint().height()));
}

bool RowsGridEmpty(const TipTableModel& model) {
  const TextTable& table = model.table();
  return table.rowCount() < 2 || table.cell(1, 1).empty();
}

void SaveRowsAsSlip(QWidget* parent, const TipTableModel& model, const QString& folder) {
  if (RowsGridEmpty(model)) {
    MessageBox::show(parent, MessageBox::Error, Q(kNothingToSaveMessage));
    return;
  }
  const QString path = FileDialog::saveFile(parent, QStringLiteral("Spielschein-Datei speichern"), folder,
                                            Q(kSlipFilter), Q(kSlipExtension));
  if (path.isEmpty()) return;
  if (auto saved = SaveSlipFile(model.table(), path.toStdString()); !saved) MessageBox::showError(parent, saved.error());
}

std::optional<std::vector<TSchein>> OpenSlipRows(QWidget* parent, const TipTableModel& model, const QString& folder,
                                                 const QString& question) {
  if (!RowsGridEmpty(model) &&
      MessageBox::show(parent, MessageBox::Confirmation, question, MessageBox::YesNoCancel) != MessageBox::Yes)
    return std::nullopt;
  const QString path = FileDialog::openFile(parent, QStringLiteral("Spielschein-Datei wählen"), folder, Q(kSlipFilter));
  if (path.isEmpty()) return std::nullopt;
  Result<std::vector<TSchein>> rows = LoadSlipRows(path.toStdString());
  if (!rows) {
    MessageBox::showError(parent, rows.error());
    return std::nullopt;
  }
  return std::move(*rows);
}

void PrintRows(QWidget* parent, const TipTableModel& model, const QTableView& view) {
  if (RowsGridEmpty(model)) {
    MessageBox::show(parent, MessageBox::Error, Q(kNothingToPrintMessage));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!PrinterSetup::ask(parent, printer)) return;
  std::vector<int> widths;
  for (int c = 0; c < model.columnCount(); ++c) widths.push_back(view.columnWidth(c));
  if (!PrintGrid(printer, model, widths, parent->window()->windowTitle(), printer.pageLayout().orientation()))
    MessageBox::show(parent, MessageBox::Error,
                     QStringLiteral("Der Drucker lässt sich nicht ansprechen.\r\rIch breche ab."));
}

std::unique_ptr<FrequencyTiles> MakeFrequencyBoxes(QWidget* parent, QVBoxLayout* column, QSize numberTile,
                                                   QSize starTile) {
  auto makeBox = [&](const char* name, const QString& title, QSize inner) {
    auto* box = Make<QGroupBox>(parent, name, title);
    box->setFont(BoldFont());
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(4, 2, 4, 4);
    auto* panel = new QWidget(box);
    panel->setObjectName(QString::fromLatin1(name) + QStringLiteral("Kacheln"));
    panel->setFixedSize(inner);
    boxLayout->addWidget(panel);
    column->addWidget(box);
    return panel;
  };
  QWidget* numbers = makeBox("PStatistik", QStringLiteral("Statistik für die Zahlen von 1 - 50"),
                             QSize(10 * numberTile.width(), 5 * (2 * numberTile.height() + 2)));
  QWidget* stars = makeBox("PStatistikS", QStringLiteral("Statistik für die Sternzahlen 1 - 12"),
                           QSize(12 * starTile.width(), 2 * starTile.height()));
  return std::make_unique<FrequencyTiles>(numbers, numberTile, stars, starTile, QPoint(0, 0));
}

}  // namespace kw::ui
