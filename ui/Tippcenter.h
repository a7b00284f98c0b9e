#pragma once
// The tip centre "Tipp-Center": chosen numbers and bankers with their stars, a filtered list of
// the 268 systems, and the rows the chosen system makes of them with a star pair each, shown
// with their frequencies. Created at start; closing hides it.
#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "generation/tippcenter.h"
#include "ui/generation_widgets.h"
#include "ui/window_context.h"

class QComboBox;
class QFrame;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QTabWidget;
class QTableView;

namespace kw {
class RandomSource;
}

namespace kw::ui {

class DataStore;
class Navigation;
class TipTableModel;

class TFTippcenter : public QMainWindow {
  Q_OBJECT
 public:
  // random: the program's one random source, shared with the random generator.
  TFTippcenter(const WindowContext& context, RandomSource& random, QWidget* parent = nullptr);
  ~TFTippcenter() override;

  Navigation* navigation() const { return navigation_; }
  const TipCentreCore& core() const { return core_; }
  TipTableModel* rowsModel() const { return rowsModel_; }
  QStringListModel* systemList() const { return systemList_; }
  QWidget* groupPage(TipCentreGroup group) const { return group == TipCentreGroup::Chosen ? TabWahlzahlen : TabBankzahlen; }
  QPushButton* lotButton(TipCentreGroup group, ValueKind kind, int value) const {
    return lot_.at(Index(group)).at(kind, value);
  }
  QLabel* overviewTile(ValueKind kind, int value) const { return overview_.at(kind, value); }
  QLabel* frequencyTile(ValueKind kind, int value) const { return frequencies_->count(kind, value); }
  QPushButton* patternButton(int tag) const { return patternButtons_.at(tag); }
  // The count panel of a group and kind on page 0 ("Start"), 1 or 2: "PWZ0", "PBZ81", ...
  QLabel* countPanel(TipCentreGroup group, ValueKind kind, int page) const;

  QTabWidget* PC1 = nullptr;
  QWidget* TabStart = nullptr;
  QWidget* TabWahlzahlen = nullptr;
  QWidget* TabBankzahlen = nullptr;
  QWidget* TabTippreihen = nullptr;
  QLabel* LUeberschrift = nullptr;
  QComboBox* ComboBZ = nullptr;
  QComboBox* ComboWZ = nullptr;
  QComboBox* ComboGar = nullptr;
  QComboBox* ComboBudget = nullptr;
  QPushButton* BFilter = nullptr;
  QListView* L1 = nullptr;
  QLabel* PLAnz = nullptr;
  QPushButton* BSysAnwenden = nullptr;
  QFrame* PStart = nullptr;
  QFrame* PStart2 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // all numbers chosen
  QPushButton* BitBtn6 = nullptr;  // no number chosen
  QPushButton* BitBtn2 = nullptr;  // all stars chosen
  QPushButton* BitBtn8 = nullptr;  // no star chosen
  QTableView* G1 = nullptr;
  QPushButton* BitBtn3 = nullptr;  // save
  QPushButton* BOpen1 = nullptr;
  QPushButton* BitBtn4 = nullptr;  // clear
  QPushButton* BitBtn9 = nullptr;  // print

  // Handlers, public so that tool bar, menu and tests share them.
  void filter();
  void BSysAnwendenClick();
  void lotClick(TipCentreGroup group, ValueKind kind, int value);
  void selectAll(ValueKind kind);
  void deselectAll(ValueKind kind);
  // The eight pattern buttons: group = tag div 10, action = tag mod 10 (1 open, 2 open the
  // standard file, 3 save as, 4 save as standard).
  void PatternButtonClick(int tag);
  void BitBtn3Click();
  void BOpen1Click();
  void BitBtn4Click();
  void BitBtn9Click();

 signals:
  // "In&fo...": the about box, shown modally from here.
  void aboutRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  static std::size_t Index(TipCentreGroup group) { return static_cast<std::size_t>(static_cast<int>(group) - 2); }

  void buildDesign();
  QWidget* buildStartPage();
  QWidget* buildGroupPage(const TipCentreGroupInfo& info);
  QWidget* buildRowsPage();
  QWidget* buildCountRow(QWidget* page, int index);
  void FormCreate();
  void pageChanged(int index);
  void showSelection(ValueKind kind, int value);
  void showAllSelections();
  void showCounts();
  void showFrequencies();
  void readPattern(TipCentreGroup group, const std::string& path, bool startUp);
  bool gridEmpty() const;

  DataStore& store_;
  RandomSource& random_;
  TipCentreCore core_;
  Navigation* navigation_ = nullptr;
  TipTableModel* rowsModel_ = nullptr;
  QStringListModel* systemList_ = nullptr;
  std::array<PerValue<QPushButton>, 2> lot_{};
  PerValue<QLabel> overview_;
  std::unique_ptr<FrequencyTiles> frequencies_;
  std::map<int, QPushButton*> patternButtons_;
  // [group][kind][page]
  std::array<std::array<std::array<QLabel*, 3>, 2>, 2> counts_{};
  int clientHeight_ = 0;  // the same for every page: what the tallest needs
};

}  // namespace kw::ui
