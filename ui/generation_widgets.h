#pragma once
// What the random generator and the tip centre share: coloured tiles, the pages' selection
// buttons, the overview tiles of the chosen values, the frequency tiles under the result grid,
// and saving, opening and printing the rows of that grid.
#include <QColor>
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/records.h"

#include "generation/frequencies.h"
#include "generation/selection.h"

class QFrame;
class QLabel;
class QMainWindow;
class QTableView;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace kw::ui {

QColor ToQColor(Rgb rgb);
// Background and text colour of a tile or panel; nothing is repainted when they stay the same.
void PaintTile(QWidget* tile, const TileColour& colour);
// The window's default face with black text: an overview tile of a value no group holds.
void PaintPlainFace(QWidget* tile);

// One tile per number (index 1..50) and per star (1..12); index 0 unused.
template <class T>
struct PerValue {
  std::array<T*, 51> numbers{};
  std::array<T*, 13> stars{};
  T* at(ValueKind kind, int value) const {
    return kind == ValueKind::Number ? numbers.at(static_cast<std::size_t>(value))
                                     : stars.at(static_cast<std::size_t>(value));
  }
  void set(ValueKind kind, int value, T* item) {
    (kind == ValueKind::Number ? numbers.at(static_cast<std::size_t>(value))
                               : stars.at(static_cast<std::size_t>(value))) = item;
  }
};

// The selection buttons of group g on its page: "lot" + (g·100 + v) for the numbers, 5 rows of
// 10, and "lot8" + (g·100 + s) for the stars, one row; their "tag" is g·100 + v and g·100 + s + 80.
struct ButtonArea {
  QWidget* panel = nullptr;
  QSize buttonSize;
  QPoint origin;  // of the first button in the panel
};
PerValue<QPushButton> MakeSelectionButtons(int group, ButtonArea numbers, ButtonArea stars,
                                           const std::function<void(ValueKind, int)>& clicked);
// A panel in a group's colour headed by `heading` (wrapped when it is long) with room for the
// selection buttons below it, starting at buttonOrigin.
struct GroupPanel {
  QFrame* panel = nullptr;
  QPoint buttonOrigin;
};
GroupPanel MakeGroupPanel(QWidget* parent, const QString& name, const QString& heading, const TileColour& colour,
                          QSize buttonArea);

// A chosen value's button shows it bold at 12 pt, the others regular at 9 pt.
void ShowChosen(QPushButton* button, bool chosen);

// The overview tiles "PLot" + v (5 rows of 10) and "PLot8" + s (one row).
PerValue<QLabel> MakeOverviewTiles(QWidget* numberPanel, QSize numberSize, QWidget* starPanel, QSize starSize);

// The frequency tiles under the result grid: a label tile "PNummer" + v over the count tile
// "PNummerWert" + v, in 5 double rows of 10, and "PNummerS" + s over "PNummerWertS" + s.
class FrequencyTiles {
 public:
  FrequencyTiles(QWidget* numberPanel, QSize numberSize, QWidget* starPanel, QSize starSize, QPoint origin);

  QLabel* label(ValueKind kind, int value) const { return labels_.at(kind, value); }
  QLabel* count(ValueKind kind, int value) const { return counts_.at(kind, value); }
  // Counts and colours of the board.
  void show(const FrequencyBoard& board);

 private:
  PerValue<QLabel> labels_;
  PerValue<QLabel> counts_;
};

// The boxes "PStatistik" and "PStatistikS" with their headings, one under the other in `column`,
// holding the frequency tiles of the given sizes.
std::unique_ptr<FrequencyTiles> MakeFrequencyBoxes(QWidget* parent, QVBoxLayout* column, QSize numberTile,
                                                   QSize starTile);

class TipTableModel;

// The grid's row 1 holds no row.
bool RowsGridEmpty(const TipTableModel& model);
// Saves the grid's rows as a slip file chosen in a save dialog; says so when there is nothing.
void SaveRowsAsSlip(QWidget* parent, const TipTableModel& model, const QString& folder);
// The rows of a slip file chosen in an open dialog, after `question` (Yes/No/Cancel) when the
// grid holds rows; none when the user stops or the file cannot be read (said in a message).
std::optional<std::vector<TSchein>> OpenSlipRows(QWidget* parent, const TipTableModel& model, const QString& folder,
                                                 const QString& question);
// Prints the grid under the window's caption after the printer set-up; says so when empty.
void PrintRows(QWidget* parent, const TipTableModel& model, const QTableView& view);

// The window takes the width its page asks for (more if the page needs it) and the given height;
// the other pages do not count.
void FitToPage(QMainWindow* window, QTabWidget* pages, int index, int width, int height);

}  // namespace kw::ui
