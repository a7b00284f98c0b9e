#include <algorithm>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>
#include <QTabWidget>
#include <QTest>

#include "core/program.h"
#include "core/settings_record.h"
#include "core/slip_file.h"
#include "generation/random_source.h"
#include "generation/tippcenter.h"
#include "ui/Auswertung.h"
#include "ui/Tippcenter.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/printer_setup.h"
#include "ui/tip_table_model.h"
#include "ui_fixture.h"

using kw::TipCentreGroup;
using kw::ValueKind;
using kw::ui::Command;
using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFTippcenter;

namespace kwtest {
namespace {

constexpr std::uint32_t kSeed = 77;

QString ColourOf(const QWidget* tile) { return tile->palette().color(QPalette::Window).name(); }

class TippcenterTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = std::make_unique<TFTippcenter>(context(), random);
  }
  void TearDown() override {
    window.reset();
    kw::ui::PrinterSetup::setTestMode(false);
    UiTest::TearDown();
  }

  void click(const QString& name) const {
    auto* button = window->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
  }
  void choose(TipCentreGroup group, ValueKind kind, int value) const {
    const int g = static_cast<int>(group);
    click((kind == ValueKind::Number ? QStringLiteral("lot%1") : QStringLiteral("lot8%1")).arg(g * 100 + value));
  }
  void chooseAll(TipCentreGroup group, ValueKind kind, std::initializer_list<int> values) const {
    for (int v : values) choose(group, kind, v);
  }
  // Selects the list row of a system, as a click on it does.
  void selectSystem(int key) const {
    const std::vector<int>& keys = window->core().listedKeys();
    const auto it = std::find(keys.begin(), keys.end(), key);
    ASSERT_NE(it, keys.end()) << key;
    window->L1->selectionModel()->setCurrentIndex(window->systemList()->index(static_cast<int>(it - keys.begin())),
                                                  QItemSelectionModel::ClearAndSelect);
  }
  // The grid rows as "3 11 17 40 44 | 5 9".
  QStringList gridRows() const {
    QStringList rows;
    const kw::TextTable& t = window->rowsModel()->table();
    for (int r = 1; r < t.rowCount(); ++r) {
      if (t.cell(1, r).empty()) continue;
      QStringList cells;
      for (int c = 1; c <= 5; ++c) cells << QString::fromStdString(t.cell(c, r));
      rows << cells.join(QLatin1Char(' ')) + QStringLiteral(" | ") + QString::fromStdString(t.cell(6, r)) +
                  QLatin1Char(' ') + QString::fromStdString(t.cell(7, r));
    }
    return rows;
  }
  QString listed() const { return window->PLAnz->text(); }

  kw::RandomSource random{kSeed};
  std::unique_ptr<TFTippcenter> window;
};

TEST_F(TippcenterTest, StartsWithEveryStarChosenAndAllSystemsListed) {
  EXPECT_EQ(window->objectName(), QStringLiteral("FTippcenter"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Tipp-Center"));
  EXPECT_EQ(window->PC1->currentWidget(), window->TabStart);
  EXPECT_EQ(window->width(), 496);
  EXPECT_EQ(window->core().count(TipCentreGroup::Chosen, ValueKind::Star), 12);
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Star, 0)->text(), QStringLiteral("12"));
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Star, 0)->objectName(), QStringLiteral("PWZ80"));
  EXPECT_EQ(window->countPanel(TipCentreGroup::Banker, ValueKind::Number, 2)->objectName(), QStringLiteral("PBZ2"));
  EXPECT_EQ(listed(), QStringLiteral("268"));
  EXPECT_EQ(window->systemList()->rowCount(), 268);
  EXPECT_EQ(window->systemList()->index(0).data().toString(), QStringLiteral("4 WZ, 2 BZ, 3 R, 2er TrG"));
  for (QComboBox* combo : {window->ComboBZ, window->ComboWZ, window->ComboGar, window->ComboBudget}) {
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->placeholderText(), QStringLiteral("wählen..."));
  }
  EXPECT_EQ(window->ComboWZ->count(), 45);
  EXPECT_EQ(window->ComboBudget->itemText(6), QStringLiteral("über 500"));
  EXPECT_EQ(window->BSysAnwenden->text(), QStringLiteral("System\nanwenden"));
  EXPECT_EQ(window->BFilter->text(), QStringLiteral("Filter\nanwenden"));
  EXPECT_EQ(window->BOpen1->text(), QStringLiteral("Spielschein-\nDatei öffnen"));
}

TEST_F(TippcenterTest, FiltersNarrowTheList) {
  window->ComboWZ->setCurrentIndex(1);  // "7"
  window->ComboBZ->setCurrentIndex(1);  // "0"
  EXPECT_EQ(window->core().listedKeys(), (std::vector<int>{69, 87, 132, 239}));
  EXPECT_EQ(window->systemList()->stringList(),
            Texts({"7 WZ, 0 BZ, 5 R, 3er TrG", "7 WZ, 0 BZ, 3 R, 2er TrG", "7 WZ, 0 BZ, 9 R, 4er TrG",
                   "7 WZ, 0 BZ, 21 R, 5er TrG"}));
  EXPECT_EQ(listed(), QStringLiteral("4"));
  window->ComboWZ->setCurrentIndex(0);  // "egal"
  window->ComboBZ->setCurrentIndex(0);
  click(QStringLiteral("BFilter"));
  EXPECT_EQ(listed(), QStringLiteral("268"));
}

TEST_F(TippcenterTest, ApplyingASystemShowsItsRowsAndFrequencies) {
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {28, 3, 17, 11});
  chooseAll(TipCentreGroup::Banker, ValueKind::Number, {44, 40});
  click(QStringLiteral("BitBtn8"));  // no chosen star
  chooseAll(TipCentreGroup::Chosen, ValueKind::Star, {9, 5});
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Number, 1)->text(), QStringLiteral("4"));
  EXPECT_EQ(window->countPanel(TipCentreGroup::Banker, ValueKind::Number, 0)->text(), QStringLiteral("2"));
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Star, 2)->text(), QStringLiteral("2"));
  selectSystem(1);
  click(QStringLiteral("BSysAnwenden"));
  ASSERT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_EQ(gridRows(), Texts({"3 11 17 40 44 | 5 9", "3 11 28 40 44 | 5 9", "3 17 28 40 44 | 5 9"}));
  EXPECT_EQ(window->rowsModel()->rowCount(), 3);
  EXPECT_EQ(window->PC1->currentWidget(), window->TabTippreihen);
  EXPECT_EQ(window->width(), 541);
  const std::tuple<int, const char*, const char*> tiles[] = {
      {40, "3", "#008000"}, {3, "3", "#008000"}, {11, "2", "#f4bd3e"}, {28, "2", "#f4bd3e"}, {1, "0", "#ff0000"}};
  for (const auto& [number, count, colour] : tiles) {
    EXPECT_EQ(window->frequencyTile(ValueKind::Number, number)->text(), QString::fromLatin1(count)) << number;
    EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, number)), QString::fromLatin1(colour)) << number;
  }
  EXPECT_EQ(window->frequencyTile(ValueKind::Star, 5)->text(), QStringLiteral("3"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Star, 5)), QStringLiteral("#f1fb82"));

  // A double click on a row applies it too: key 86 keeps the matrix's order, a shorter result
  // leaves no rows of the longer one behind.
  click(QStringLiteral("BitBtn6"));
  click(QStringLiteral("lot344"));
  click(QStringLiteral("lot340"));
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {1, 2, 3, 4, 5, 6});
  selectSystem(86);
  emit window->L1->doubleClicked(window->L1->currentIndex());
  EXPECT_EQ(gridRows(), Texts({"1 2 3 4 5 | 5 9", "1 2 3 4 6 | 5 9", "1 2 3 5 6 | 5 9"}));
}

TEST_F(TippcenterTest, TheLargestFullSystemMatchesTheCoreWithTheSameSource) {
  kw::TipCentreCore core;
  core.selectAll(ValueKind::Star);
  for (int v = 1; v <= 19; ++v) {
    choose(TipCentreGroup::Chosen, ValueKind::Number, 2 * v + 4);
    core.toggle(TipCentreGroup::Chosen, ValueKind::Number, 2 * v + 4);
  }
  for (int v : {1, 3}) {
    choose(TipCentreGroup::Banker, ValueKind::Number, v);
    core.toggle(TipCentreGroup::Banker, ValueKind::Number, v);
  }
  window->ComboBZ->setCurrentIndex(3);
  window->ComboWZ->setCurrentIndex(19 - 6);
  selectSystem(268);
  click(QStringLiteral("BSysAnwenden"));
  ASSERT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();

  kw::RandomSource same(kSeed);
  const auto expected = core.apply(268, same);
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(*kw::SlipRowsOfTable(window->rowsModel()->table()), expected->rows);
  EXPECT_EQ(window->rowsModel()->rowCount(), 969);
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= kw::HighestValue(kind); ++v)
      EXPECT_EQ(window->frequencyTile(kind, v)->text(), QString::number(core.frequencies().count(kind, v))) << v;
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 1)->text(), QStringLiteral("969"));
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 6)->text(), QStringLiteral("153"));
}

TEST_F(TippcenterTest, RefusalsShowTheirMessagesAndLeaveEverythingAsItWas) {
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {1, 2, 3, 4, 5, 6});
  selectSystem(86);
  click(QStringLiteral("BSysAnwenden"));
  const QStringList rows = gridRows();
  ASSERT_EQ(rows.size(), 3);

  struct Case {
    std::function<void()> prepare;
    QString message;
  };
  const Case cases[] = {
      {[&] { window->L1->clearSelection(); }, QString::fromUtf8(kw::kNoSystemSelectedMessage)},
      {[&] { selectSystem(1); },
       QStringLiteral("Für das gewählte System müssen Sie sich für 4 Wahlzahlen entscheiden.\r\rIch breche ab.")},
      {[&] {
         choose(TipCentreGroup::Banker, ValueKind::Number, 40);
         selectSystem(86);
       },
       QStringLiteral("Sie haben 1 Bankzahlen gewählt, das gewählte System sieht aber keine vor. Bitte heben Sie die "
                      "Auswahl der Bankzahlen auf.\r\rIch breche erst einmal ab.")},
      {[&] {
         window->ComboGar->setCurrentIndex(4);     // "5"
         window->ComboBudget->setCurrentIndex(1);  // "bis 10"
       },
       QString::fromUtf8(kw::kNoSystemListedMessage)},
  };
  for (const Case& c : cases) {
    c.prepare();
    MessageBox::clearShown();
    click(QStringLiteral("BSysAnwenden"));
    ASSERT_EQ(MessageBox::shown().size(), 1u) << c.message.toStdString();
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
    EXPECT_EQ(MessageBox::lastText(), c.message);
    EXPECT_EQ(gridRows(), rows);
  }
}

TEST_F(TippcenterTest, BankerCountsAndStarsMustFitTheSystem) {
  // Key 1: 4 chosen numbers, 2 bankers.
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {1, 2, 3, 4});
  choose(TipCentreGroup::Banker, ValueKind::Number, 40);
  selectSystem(1);
  click(QStringLiteral("BSysAnwenden"));
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Das gewählte System sieht 2 Bankzahlen vor. Bitte treffen Sie eine "
                                                   "entsprechende Auswahl.\r\rIch breche erst einmal ab."));
  // Key 43: 7 chosen numbers and one banker; two bankers are one too many.
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {5, 6, 7});
  choose(TipCentreGroup::Banker, ValueKind::Number, 41);
  selectSystem(43);
  click(QStringLiteral("BSysAnwenden"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kTooManyBankersMessage));
  // Fewer than two stars.
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {5, 6, 7});
  click(QStringLiteral("BitBtn8"));
  choose(TipCentreGroup::Chosen, ValueKind::Star, 7);
  selectSystem(1);
  click(QStringLiteral("BSysAnwenden"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kTooFewStarsMessage));
  EXPECT_TRUE(window->rowsModel()->table().cell(1, 1).empty());
  // Limits: a third banker, a third banker star.
  MessageBox::clearShown();
  choose(TipCentreGroup::Banker, ValueKind::Number, 42);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Bitte maximal 2 Zahlen wählen."));
  chooseAll(TipCentreGroup::Banker, ValueKind::Star, {1, 2, 3});
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Zuviele Zahlen gewählt!"));
  EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Information);
  EXPECT_EQ(window->core().count(TipCentreGroup::Banker, ValueKind::Star), 2);
  EXPECT_EQ(window->countPanel(TipCentreGroup::Banker, ValueKind::Star, 1)->text(), QStringLiteral("2"));
  // A value of one group is hidden on the other page; "Alle" leaves the bankers alone.
  EXPECT_TRUE(window->lotButton(TipCentreGroup::Chosen, ValueKind::Number, 40)->isHidden());
  EXPECT_TRUE(window->lotButton(TipCentreGroup::Chosen, ValueKind::Star, 1)->isHidden());
  click(QStringLiteral("BitBtn1"));
  EXPECT_EQ(window->core().count(TipCentreGroup::Chosen, ValueKind::Number), 48);
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Number, 0)->text(), QStringLiteral("48"));
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Number, 40)), QStringLiteral("#008000"));
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Number, 39)), QStringLiteral("#004080"));
  click(QStringLiteral("BitBtn6"));
  EXPECT_EQ(window->core().count(TipCentreGroup::Chosen, ValueKind::Number), 0);
  EXPECT_EQ(window->core().count(TipCentreGroup::Banker, ValueKind::Number), 2);
  EXPECT_NE(ColourOf(window->overviewTile(ValueKind::Number, 39)), QStringLiteral("#004080"));
}

TEST_F(TippcenterTest, PatternFilesOfBothGroups) {
  // "Speichern unter..." refuses an empty banker group, "Als Standard speichern" writes it empty.
  click(QStringLiteral("Save31"));
  EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToSaveMessage));
  MessageBox::clearShown();
  click(QStringLiteral("Save32"));
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_TRUE(ReadBytes(dataDir() + "BZSta.emtc").empty());

  click(QStringLiteral("BitBtn8"));
  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {7, 23});
  choose(TipCentreGroup::Chosen, ValueKind::Star, 4);
  const std::string path = home.path() + "meine.emwz";
  FileDialog::setNextPath(QString::fromStdString(path));
  click(QStringLiteral("Save21"));
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "7\r\n23\r\n54\r\n");

  // Reading chosen numbers first drops every chosen number and star.
  click(QStringLiteral("BitBtn2"));
  choose(TipCentreGroup::Chosen, ValueKind::Number, 50);
  FileDialog::setNextPath(QString::fromStdString(path));
  click(QStringLiteral("Open21"));
  EXPECT_EQ(window->core().selection(TipCentreGroup::Chosen).values(ValueKind::Number), (std::vector<int>{7, 23}));
  EXPECT_EQ(window->core().selection(TipCentreGroup::Chosen).values(ValueKind::Star), std::vector<int>{4});
  EXPECT_EQ(window->countPanel(TipCentreGroup::Chosen, ValueKind::Star, 0)->text(), QStringLiteral("1"));
  EXPECT_FALSE(window->lotButton(TipCentreGroup::Chosen, ValueKind::Number, 50)->font().bold());
  // The empty banker standard file changes nothing; a missing chosen one is reported.
  choose(TipCentreGroup::Banker, ValueKind::Number, 1);
  MessageBox::clearShown();
  click(QStringLiteral("Open32"));
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(window->core().count(TipCentreGroup::Banker, ValueKind::Number), 1);
  click(QStringLiteral("Open22"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNoStandardFileMessage));
  EXPECT_EQ(window->patternButton(34)->objectName(), QStringLiteral("Save32"));
}

TEST_F(TippcenterTest, SlipsAreSavedOpenedClearedAndPrinted) {
  click(QStringLiteral("BitBtn3"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToSaveMessage));
  click(QStringLiteral("BitBtn9"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToPrintMessage));

  chooseAll(TipCentreGroup::Chosen, ValueKind::Number, {1, 2, 3, 4, 5, 6});
  selectSystem(86);
  click(QStringLiteral("BSysAnwenden"));
  const std::vector<kw::TSchein> rows = *kw::SlipRowsOfTable(window->rowsModel()->table());
  const std::string path = home.path() + "system.emt";
  FileDialog::setNextPath(QString::fromStdString(path));
  MessageBox::clearShown();
  click(QStringLiteral("BitBtn3"));
  EXPECT_EQ(*kw::LoadSlipRows(path), rows);

  kw::ui::PrinterSetup::setTestMode(true);
  const QString pdf = QString::fromStdString(home.path() + "system.pdf");
  kw::ui::PrinterSetup::setNextPdf(pdf);
  window->navigation()->menuAction(Command::Print)->trigger();
  EXPECT_GT(QFileInfo(pdf).size(), 0);
  EXPECT_TRUE(MessageBox::shown().empty());

  MessageBox::setNextAnswer(MessageBox::Cancel);
  click(QStringLiteral("BOpen1"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kTipCentreOverwriteQuestion));
  EXPECT_EQ(MessageBox::shown().back().buttons, MessageBox::YesNoCancel);
  EXPECT_EQ(window->rowsModel()->rowCount(), 3);
  // Every row holds 1, 2, 3: green; star 9 in every row: red; 7 in none: red.
  MessageBox::setNextAnswer(MessageBox::Yes);
  FileDialog::setNextPath(QString::fromStdString(path));
  window->navigation()->menuAction(Command::OpenSlip)->trigger();
  EXPECT_EQ(*kw::SlipRowsOfTable(window->rowsModel()->table()), rows);
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 1)), QStringLiteral("#008000"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 7)), QStringLiteral("#ff0000"));

  click(QStringLiteral("BitBtn4"));
  EXPECT_TRUE(window->rowsModel()->table().cell(1, 1).empty());
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 1)->text(), QStringLiteral("0"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 1)), QStringLiteral("#f4bd3e"));
}

TEST_F(TippcenterTest, PagesSetTheWidthAndNavigationFollowsTheWindow) {
  window->PC1->setCurrentWidget(window->TabWahlzahlen);
  EXPECT_GE(window->width(), 428);
  window->PC1->setCurrentWidget(window->TabTippreihen);
  EXPECT_EQ(window->width(), 541);
  window->PC1->setCurrentWidget(window->TabStart);
  EXPECT_EQ(window->width(), 496);
  kw::ui::Navigation* nav = window->navigation();
  EXPECT_FALSE(nav->isEnabled(Command::TipCentre));
  auto* own = window->findChild<QAction*>(QStringLiteral("BTippcenter"));
  ASSERT_NE(own, nullptr);
  EXPECT_FALSE(own->isVisible());  // a button for this very window would do nothing
  EXPECT_EQ(nav->helpContext(), 1006);
  EXPECT_TRUE(nav->isEnabled(Command::About));
}

class TippcenterStartTest : public UiTest {};

TEST_F(TippcenterStartTest, SettingsRestoreTheFiltersAndTheStandardFilesSilently) {
  kw::SettingsRecord record;
  record.CBFilter = true;
  record.CBStandardTC = true;
  record.ComboBZ = 1;             // "0"
  record.ComboWZ = 1;             // "7"
  record.ComboGar = kw::kNoSelection;
  record.ComboBudget = 200;       // no such item: no selection
  ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record).ok());
  // Banker file with a banker star; no chosen-number file (silent at start).
  WriteBytes(dataDir() + "BZSta.emtc", {'4', '0', '\r', '\n', '6', '1', '\r', '\n'});

  TFTippcenter* centre = catalogue().tipCentre();
  ASSERT_NE(centre, nullptr);
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_EQ(centre->ComboBZ->currentIndex(), 1);
  EXPECT_EQ(centre->ComboWZ->currentIndex(), 1);
  EXPECT_EQ(centre->ComboGar->currentIndex(), -1);
  EXPECT_EQ(centre->ComboBudget->currentIndex(), -1);
  EXPECT_EQ(centre->PLAnz->text(), QStringLiteral("4"));
  EXPECT_EQ(centre->core().selection(TipCentreGroup::Banker).values(ValueKind::Number), std::vector<int>{40});
  // Every star that is no banker star is chosen.
  EXPECT_EQ(centre->core().selection(TipCentreGroup::Banker).values(ValueKind::Star), std::vector<int>{11});
  EXPECT_EQ(centre->core().count(TipCentreGroup::Chosen, ValueKind::Star), 11);
  EXPECT_FALSE(centre->core().selection(TipCentreGroup::Chosen).has(ValueKind::Star, 11));
}

TEST_F(TippcenterStartTest, WithoutTheBoxesNothingIsRestored) {
  kw::SettingsRecord record;
  record.ComboBZ = 1;
  ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record).ok());
  WriteBytes(dataDir() + "BZSta.emtc", {'4', '0', '\r', '\n'});
  TFTippcenter* centre = catalogue().tipCentre();
  EXPECT_EQ(centre->ComboBZ->currentIndex(), -1);
  EXPECT_EQ(centre->PLAnz->text(), QStringLiteral("268"));
  EXPECT_EQ(centre->core().count(TipCentreGroup::Banker, ValueKind::Number), 0);
}

TEST_F(TippcenterStartTest, OpenedFromEveryWindowAndTheAboutBoxIsModalFromHere) {
  kw::ui::TFAuswertung* main = catalogue().mainWindow();
  auto* tool = main->findChild<QAction*>(QStringLiteral("BitBtn3"));
  ASSERT_TRUE(tool && tool->isEnabled());
  tool->trigger();
  TFTippcenter* centre = catalogue().tipCentre();
  EXPECT_TRUE(centre->isVisible());
  centre->navigation()->menuAction(Command::About)->trigger();
  QWidget* about = TopLevel("FInfo");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
  about->close();
  centre->findChild<QAction*>(QStringLiteral("BGenerator"))->trigger();
  EXPECT_TRUE(TopLevel("FGenerator")->isVisible());
}

}  // namespace
}  // namespace kwtest
