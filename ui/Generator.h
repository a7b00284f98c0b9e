#pragma once
// The random generator "Zufallsgenerator": random tip rows steered by three groups of numbers
// and stars ("Quotenkiller", "Bankzahlen", "Favoriten"), each on a page of its own, with the
// frequencies of the rows under the result grid. Created at start; closing hides it.
#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "generation/generator.h"
#include "ui/generation_widgets.h"
#include "ui/window_context.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace kw {
class RandomSource;
}

namespace kw::ui {

class DataStore;
class Navigation;
class TipTableModel;

class TFGenerator : public QMainWindow {
  Q_OBJECT
 public:
  // random: the program's one random source, shared with the tip centre.
  TFGenerator(const WindowContext& context, RandomSource& random, QWidget* parent = nullptr);
  ~TFGenerator() override;

  Navigation* navigation() const { return navigation_; }
  const GeneratorCore& core() const { return core_; }
  TipTableModel* rowsModel() const { return rowsModel_; }
  // The page of a group (2, 3, 4) and the pages "Start" and "Tippreihen".
  QWidget* groupPage(GeneratorGroup group) const { return groupPages_.at(Index(group)); }
  QPushButton* lotButton(GeneratorGroup group, ValueKind kind, int value) const {
    return lot_.at(Index(group)).at(kind, value);
  }
  QLabel* overviewTile(ValueKind kind, int value) const { return overview_.at(kind, value); }
  QLabel* frequencyTile(ValueKind kind, int value) const { return frequencies_->count(kind, value); }
  QPushButton* patternButton(int tag) const { return patternButtons_.at(tag); }

  QTabWidget* PC1 = nullptr;
  QWidget* TabStart = nullptr;
  QWidget* TabTippreihen = nullptr;
  QLabel* LUeberschrift = nullptr;
  QGroupBox* RG1 = nullptr;
  QButtonGroup* rg1Buttons = nullptr;
  QLineEdit* EReihen = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BNoManu = nullptr;
  QFrame* PStart = nullptr;
  QFrame* PStart2 = nullptr;
  QTableView* G1 = nullptr;
  QPushButton* BSave = nullptr;
  QPushButton* BOpen1 = nullptr;
  QPushButton* BitBtn4 = nullptr;

  // Handlers, public so that tool bar, menu and tests share them.
  void BitBtn2Click();  // "Start"
  void BNoManuClick();
  void lotClick(GeneratorGroup group, ValueKind kind, int value);
  // The twelve pattern buttons: group = tag div 10, action = tag mod 10 (1 open, 2 open the
  // standard file, 3 save as, 4 save as standard).
  void PatternButtonClick(int tag);
  void BSaveClick();
  void BOpen1Click();
  void BitBtn4Click();  // "Löschen"
  void PrintClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  static std::size_t Index(GeneratorGroup group) { return static_cast<std::size_t>(static_cast<int>(group) - 2); }

  void buildDesign();
  QWidget* buildStartPage();
  QWidget* buildGroupPage(const GeneratorGroupInfo& info);
  QWidget* buildRowsPage();
  void FormCreate();
  void pageChanged(int index);
  // Buttons and overview tiles of one value (or of all) as the groups now hold them.
  void showSelection(ValueKind kind, int value);
  void showAllSelections();
  void showFrequencies();
  void readPattern(GeneratorGroup group, const std::string& path, bool startUp);
  bool gridEmpty() const;

  DataStore& store_;
  RandomSource& random_;
  GeneratorCore core_;
  Navigation* navigation_ = nullptr;
  TipTableModel* rowsModel_ = nullptr;
  std::array<QWidget*, 3> groupPages_{};
  std::array<PerValue<QPushButton>, 3> lot_{};
  PerValue<QLabel> overview_;
  std::unique_ptr<FrequencyTiles> frequencies_;
  std::map<int, QPushButton*> patternButtons_;
  int clientHeight_ = 0;  // the same for every page: what the tallest needs
};

}  // namespace kw::ui
