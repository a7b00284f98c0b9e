#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QButtonGroup>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "core/file_io.h"
#include "core/program.h"
#include "core/settings_record.h"
#include "core/slip_file.h"
#include "generation/generator.h"
#include "generation/random_source.h"
#include "ui/Auswertung.h"
#include "ui/Generator.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/printer_setup.h"
#include "ui/tip_table_model.h"
#include "ui_fixture.h"

using kw::GeneratorGroup;
using kw::ValueKind;
using kw::ui::Command;
using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFGenerator;

namespace kwtest {
namespace {

constexpr std::uint32_t kSeed = 20240319;

QString ColourOf(const QWidget* tile) { return tile->palette().color(QPalette::Window).name(); }
QString TextColourOf(const QWidget* tile) { return tile->palette().color(QPalette::WindowText).name(); }
QString Hex(kw::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b).name(); }

kw::TSchein Row(std::vector<int> n) {
  kw::TSchein s;
  for (std::size_t i = 0; i < 5; ++i) s.GZ[i] = static_cast<std::uint8_t>(n[i]);
  for (std::size_t i = 0; i < 2; ++i) s.SZ[i] = static_cast<std::uint8_t>(n[5 + i]);
  return s;
}

class GeneratorTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = std::make_unique<TFGenerator>(context(), random);
  }
  void TearDown() override {
    window.reset();
    kw::ui::PrinterSetup::setTestMode(false);
    UiTest::TearDown();
  }

  template <class T>
  T* child(const QString& name) const {
    auto* c = window->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
  }
  void click(const QString& name) const { child<QPushButton>(name)->click(); }
  // A click on the selection button of a group's page, as the user makes it.
  void choose(GeneratorGroup group, ValueKind kind, int value) const {
    const int g = static_cast<int>(group);
    click((kind == ValueKind::Number ? QStringLiteral("lot%1") : QStringLiteral("lot8%1")).arg(g * 100 + value));
  }
  void runFree(const QString& count) const {
    window->rg1Buttons->button(6)->setChecked(true);
    window->EReihen->setText(count);
    click(QStringLiteral("BitBtn2"));
  }
  std::vector<kw::TSchein> gridRows() const { return *kw::SlipRowsOfTable(window->rowsModel()->table()); }

  kw::RandomSource random{kSeed};
  std::unique_ptr<TFGenerator> window;
};

TEST_F(GeneratorTest, ASeededRunGivesTheCoresRowsAndFrequencies) {
  EXPECT_EQ(window->objectName(), QStringLiteral("FGenerator"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Zufallsgenerator"));
  EXPECT_EQ(window->PC1->currentWidget(), window->TabStart);
  EXPECT_TRUE(window->rg1Buttons->button(0)->isChecked());

  kw::GeneratorCore core;
  const std::tuple<GeneratorGroup, ValueKind, int> choices[] = {
      {GeneratorGroup::Killer, ValueKind::Number, 4},     {GeneratorGroup::Killer, ValueKind::Number, 50},
      {GeneratorGroup::Killer, ValueKind::Star, 1},       {GeneratorGroup::Banker, ValueKind::Number, 7},
      {GeneratorGroup::Banker, ValueKind::Number, 23},    {GeneratorGroup::Banker, ValueKind::Star, 4},
      {GeneratorGroup::Favourite, ValueKind::Number, 9},  {GeneratorGroup::Favourite, ValueKind::Number, 31},
      {GeneratorGroup::Favourite, ValueKind::Star, 11}};
  for (const auto& [group, kind, value] : choices) {
    choose(group, kind, value);
    core.toggle(group, kind, value);
  }
  runFree(QStringLiteral("999"));
  ASSERT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();

  kw::RandomSource same(kSeed);
  const auto expected = core.generate(999, same);
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(gridRows(), *expected);
  EXPECT_EQ(window->rowsModel()->rowCount(), 999);
  EXPECT_EQ(window->rowsModel()->index(998, 0).data().toString(), QStringLiteral("999"));
  EXPECT_EQ(window->PC1->currentWidget(), window->TabTippreihen);
  EXPECT_EQ(window->width(), 541);

  // Every tile shows the core's count in the core's colours: bankers in every row, killers in none.
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= kw::HighestValue(kind); ++v) {
      const kw::FrequencyTile& tile = core.frequencies().tile(kind, v);
      QLabel* shown = window->frequencyTile(kind, v);
      EXPECT_EQ(shown->text(), QString::number(tile.count)) << v;
      EXPECT_EQ(ColourOf(shown), Hex(tile.colour.background)) << v;
      EXPECT_EQ(TextColourOf(shown), Hex(tile.colour.text)) << v;
    }
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 7)->text(), QStringLiteral("999"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 7)), QStringLiteral("#008000"));
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 4)->text(), QStringLiteral("0"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 4)), QStringLiteral("#ff0000"));

  // The next run goes on with the same source and, with six rows, shortens the grid.
  window->rg1Buttons->button(0)->setChecked(true);
  click(QStringLiteral("BitBtn2"));
  EXPECT_EQ(gridRows(), *core.generate(6, same));
  EXPECT_EQ(window->rowsModel()->rowCount(), 6);
}

TEST_F(GeneratorTest, LimitsAndRowCountsGiveTheWindowsMessages) {
  struct Case {
    GeneratorGroup group;
    ValueKind kind;
    int limit;
  };
  const Case cases[] = {{GeneratorGroup::Killer, ValueKind::Number, 30}, {GeneratorGroup::Killer, ValueKind::Star, 6},
                        {GeneratorGroup::Banker, ValueKind::Number, 3},  {GeneratorGroup::Banker, ValueKind::Star, 2},
                        {GeneratorGroup::Favourite, ValueKind::Star, 7}};
  for (const Case& c : cases) {
    window->BNoManuClick();
    MessageBox::clearShown();
    for (int v = 1; v <= c.limit; ++v) choose(c.group, c.kind, v);
    EXPECT_TRUE(MessageBox::shown().empty());
    choose(c.group, c.kind, c.limit + 1);
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
    EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Bitte maximal %1 Zahlen wählen.").arg(c.limit));
    EXPECT_EQ(window->core().count(c.group, c.kind), c.limit);
    EXPECT_FALSE(window->core().selection(c.group).has(c.kind, c.limit + 1));
  }

  // "frei:" without a count, with 0 and beyond 999 makes no rows.
  window->BNoManuClick();
  const std::pair<const char*, const char*> counts[] = {
      {"", kw::kRowCountMissingMessage}, {"0", kw::kRowCountMissingMessage}, {"000", kw::kRowCountMissingMessage}};
  for (const auto& [count, message] : counts) {
    MessageBox::clearShown();
    runFree(QString::fromLatin1(count));
    ASSERT_EQ(MessageBox::shown().size(), 1u) << count;
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(message));
    EXPECT_TRUE(window->rowsModel()->table().cell(1, 1).empty());
  }
  // The edit takes three digits and nothing else; entering it chooses "frei:".
  window->rg1Buttons->button(2)->setChecked(true);
  window->EReihen->clear();
  QFocusEvent focusIn(QEvent::FocusIn);
  QApplication::sendEvent(window->EReihen, &focusIn);
  QTest::keyClicks(window->EReihen, QStringLiteral("1a-2 34"));
  EXPECT_EQ(window->EReihen->text(), QStringLiteral("123"));
  EXPECT_TRUE(window->rg1Buttons->button(6)->isChecked());
  click(QStringLiteral("BitBtn1"));
  EXPECT_TRUE(window->EReihen->text().isEmpty());
}

TEST_F(GeneratorTest, AChoiceHidesTheValueOnTheOtherPagesAndColoursItsOverviewTile) {
  QPushButton* killer7 = window->lotButton(GeneratorGroup::Killer, ValueKind::Number, 7);
  QPushButton* banker7 = window->lotButton(GeneratorGroup::Banker, ValueKind::Number, 7);
  QPushButton* favourite7 = window->lotButton(GeneratorGroup::Favourite, ValueKind::Number, 7);
  EXPECT_EQ(killer7->objectName(), QStringLiteral("lot207"));
  EXPECT_EQ(killer7->property("tag").toInt(), 207);
  EXPECT_EQ(window->lotButton(GeneratorGroup::Favourite, ValueKind::Star, 12)->objectName(), QStringLiteral("lot8412"));
  EXPECT_EQ(window->lotButton(GeneratorGroup::Favourite, ValueKind::Star, 12)->property("tag").toInt(), 492);
  const QString face = ColourOf(window->overviewTile(ValueKind::Number, 7));

  killer7->click();
  EXPECT_TRUE(window->core().selection(GeneratorGroup::Killer).has(ValueKind::Number, 7));
  EXPECT_TRUE(killer7->font().bold());
  EXPECT_EQ(killer7->font().pointSize(), 12);
  EXPECT_TRUE(banker7->isHidden());
  EXPECT_TRUE(favourite7->isHidden());
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Number, 7)), QStringLiteral("#ff0000"));
  EXPECT_EQ(TextColourOf(window->overviewTile(ValueKind::Number, 7)), QStringLiteral("#ffffff"));

  choose(GeneratorGroup::Favourite, ValueKind::Star, 3);
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Star, 3)), QStringLiteral("#80ff80"));
  EXPECT_EQ(TextColourOf(window->overviewTile(ValueKind::Star, 3)), QStringLiteral("#000000"));

  // Taking it back shows it everywhere again and brings the group's page.
  window->PC1->setCurrentWidget(window->TabStart);
  killer7->click();
  EXPECT_FALSE(killer7->font().bold());
  EXPECT_EQ(killer7->font().pointSize(), 9);
  EXPECT_FALSE(banker7->isHidden());
  EXPECT_FALSE(favourite7->isHidden());
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Number, 7)), face);
  EXPECT_EQ(window->PC1->currentWidget(), window->groupPage(GeneratorGroup::Killer));

  // "Manupulationen aufheben" clears every group and goes back to the start page.
  choose(GeneratorGroup::Banker, ValueKind::Number, 7);
  click(QStringLiteral("BNoManu"));
  EXPECT_TRUE(window->core().unsteered());
  EXPECT_FALSE(killer7->isHidden());
  EXPECT_FALSE(window->lotButton(GeneratorGroup::Banker, ValueKind::Number, 7)->font().bold());
  EXPECT_EQ(ColourOf(window->overviewTile(ValueKind::Star, 3)), face);
  EXPECT_EQ(window->PC1->currentWidget(), window->TabStart);
  EXPECT_FALSE(window->PC1->isHidden());
}

TEST_F(GeneratorTest, PatternFilesAreSavedAndOpenedPerGroup) {
  const std::string standard = dataDir() + "BaZaSta.emm";
  // Nothing chosen: nothing to save, no file.
  click(QStringLiteral("Save32"));
  EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToSaveMessage));
  EXPECT_FALSE(kw::FileExists(standard));

  choose(GeneratorGroup::Banker, ValueKind::Number, 23);
  choose(GeneratorGroup::Banker, ValueKind::Number, 7);
  choose(GeneratorGroup::Banker, ValueKind::Star, 4);
  MessageBox::clearShown();
  click(QStringLiteral("Save32"));
  const std::vector<std::uint8_t> bytes = ReadBytes(standard);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "7\r\n23\r\n54\r\n");
  const std::string chosen = home.path() + "bank.emmb";
  FileDialog::setNextPath(QString::fromStdString(chosen));
  click(QStringLiteral("Save31"));
  EXPECT_EQ(ReadBytes(chosen), bytes);
  FileDialog::setNextPath({});  // cancelled: nothing written, nothing said
  click(QStringLiteral("Save31"));
  EXPECT_TRUE(MessageBox::shown().empty());

  // Reading replaces the group's choice and the buttons follow it.
  window->BNoManuClick();
  choose(GeneratorGroup::Banker, ValueKind::Number, 50);
  MessageBox::clearShown();
  click(QStringLiteral("Open32"));
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(window->core().selection(GeneratorGroup::Banker).values(ValueKind::Number), (std::vector<int>{7, 23}));
  EXPECT_EQ(window->core().selection(GeneratorGroup::Banker).values(ValueKind::Star), (std::vector<int>{4}));
  EXPECT_TRUE(window->lotButton(GeneratorGroup::Banker, ValueKind::Number, 23)->font().bold());
  EXPECT_FALSE(window->lotButton(GeneratorGroup::Banker, ValueKind::Number, 50)->font().bold());
  EXPECT_TRUE(window->lotButton(GeneratorGroup::Killer, ValueKind::Star, 4)->isHidden());

  // A file beyond the limit: the first three, then the limit message for each further line;
  // a line that is no number stops reading with its message.
  const std::string many = home.path() + "viele.emmb";
  WriteBytes(many, {'1', '\r', '\n', '2', '\r', '\n', '3', '\r', '\n', '4', '\r', '\n', '5', '\r', '\n',
                    'x', '\r', '\n', '6', '2', '\r', '\n'});
  FileDialog::setNextPath(QString::fromStdString(many));
  click(QStringLiteral("Open31"));
  EXPECT_EQ(window->core().selection(GeneratorGroup::Banker).values(ValueKind::Number), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(window->core().selection(GeneratorGroup::Banker).values(ValueKind::Star), std::vector<int>{});
  ASSERT_EQ(MessageBox::shown().size(), 3u);
  EXPECT_EQ(MessageBox::shown()[0].text, QStringLiteral("Bitte maximal 3 Zahlen wählen."));
  EXPECT_EQ(MessageBox::shown()[1].text, QStringLiteral("Bitte maximal 3 Zahlen wählen."));
  EXPECT_EQ(MessageBox::shown()[2].kind, MessageBox::Error);
  EXPECT_TRUE(MessageBox::shown()[2].text.contains(QStringLiteral("'x'")));

  // A missing standard file is reported after start-up.
  MessageBox::clearShown();
  click(QStringLiteral("Open22"));
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNoStandardFileMessage));
  // The twelve buttons carry their tags.
  EXPECT_EQ(window->patternButton(41)->objectName(), QStringLiteral("Open41"));
  EXPECT_EQ(window->patternButton(44)->objectName(), QStringLiteral("Save42"));
  EXPECT_EQ(window->patternButton(23)->property("tag").toInt(), 23);
  EXPECT_EQ(window->patternButton(22)->text(), QStringLiteral("Standard\nöffnen"));
}

TEST_F(GeneratorTest, SlipsAreSavedOpenedClearedAndPrinted) {
  // An empty grid has nothing to save, print or clear.
  click(QStringLiteral("BSave"));
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToSaveMessage));
  window->navigation()->menuAction(Command::Print)->trigger();
  EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNothingToPrintMessage));
  MessageBox::clearShown();
  click(QStringLiteral("BitBtn4"));
  EXPECT_TRUE(MessageBox::shown().empty());

  runFree(QStringLiteral("12"));
  const std::vector<kw::TSchein> rows = gridRows();
  ASSERT_EQ(rows.size(), 12u);
  const std::string path = home.path() + "zufall.emt";
  FileDialog::setNextPath(QString::fromStdString(path));
  // The file menu's own entry, just before "&Drucken...".
  auto* fileMenu = window->menuBar()->findChild<QMenu*>(QStringLiteral("MenuDatei"));
  ASSERT_NE(fileMenu, nullptr);
  const QList<QAction*> entries = fileMenu->actions();
  const qsizetype print = entries.indexOf(window->navigation()->menuAction(Command::Print));
  ASSERT_GT(print, 0);
  QAction* saveEntry = entries[print - 1];
  EXPECT_EQ(saveEntry->objectName(), QStringLiteral("MenuSaveRows"));
  EXPECT_EQ(saveEntry->text(), QStringLiteral("Tippreihen s&peichern..."));
  saveEntry->trigger();
  EXPECT_EQ(*kw::LoadSlipRows(path), rows);

  kw::ui::PrinterSetup::setTestMode(true);
  const QString pdf = QString::fromStdString(home.path() + "zufall.pdf");
  kw::ui::PrinterSetup::setNextPdf(pdf);
  window->PrintClick();
  EXPECT_GT(QFileInfo(pdf).size(), 0);

  // Opening into a filled grid asks first; only Yes goes on.
  const std::string slip = home.path() + "schein.emt";
  ASSERT_TRUE(kw::SaveSlipRows({Row({1, 2, 3, 4, 5, 3, 7}), Row({1, 9, 10, 11, 12, 3, 8})}, slip).ok());
  MessageBox::clearShown();
  MessageBox::setNextAnswer(MessageBox::No);
  click(QStringLiteral("BOpen1"));
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Confirmation);
  EXPECT_EQ(MessageBox::shown()[0].buttons, MessageBox::YesNoCancel);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kGeneratorOverwriteQuestion));
  EXPECT_EQ(gridRows(), rows);
  MessageBox::setNextAnswer(MessageBox::Yes);
  FileDialog::setNextPath(QString::fromStdString(slip));
  window->navigation()->menuAction(Command::OpenSlip)->trigger();
  EXPECT_EQ(gridRows().size(), 2u);
  EXPECT_EQ(window->rowsModel()->rowCount(), 2);
  // Number 1 in every row green, star 3 in every row red, star 7 in one row plain.
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 1)->text(), QStringLiteral("2"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 1)), QStringLiteral("#008000"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 50)), QStringLiteral("#ff0000"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Star, 3)), QStringLiteral("#ff0000"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Star, 7)), QStringLiteral("#f1fb82"));

  // "Löschen" empties the rows and every tile shows 0 in its plain colour.
  click(QStringLiteral("BitBtn4"));
  EXPECT_TRUE(window->rowsModel()->table().cell(1, 1).empty());
  EXPECT_EQ(window->rowsModel()->index(1, 0).data().toString(), QStringLiteral("2"));
  EXPECT_EQ(window->frequencyTile(ValueKind::Number, 1)->text(), QStringLiteral("0"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Number, 1)), QStringLiteral("#f4bd3e"));
  EXPECT_EQ(ColourOf(window->frequencyTile(ValueKind::Star, 3)), QStringLiteral("#f1fb82"));
}

TEST_F(GeneratorTest, PagesSetTheWidthAndTheFileMenuHasItsOwnEntries) {
  window->PC1->setCurrentWidget(window->groupPage(GeneratorGroup::Favourite));
  EXPECT_EQ(window->width(), 417);
  window->PC1->setCurrentWidget(window->TabTippreihen);
  EXPECT_EQ(window->width(), 541);
  window->PC1->setCurrentWidget(window->TabStart);
  EXPECT_EQ(window->width(), 417);
  const QStringList captions = {window->PC1->tabText(0), window->PC1->tabText(1), window->PC1->tabText(2),
                                window->PC1->tabText(3), window->PC1->tabText(4)};
  EXPECT_EQ(captions, Texts({"Start", "Quotenkiller", "Bankzahlen", "Favoriten", "Tippreihen"}));
  EXPECT_EQ(window->BNoManu->text(), QStringLiteral("Manupulationen\naufheben"));
  EXPECT_EQ(window->BOpen1->text(), QStringLiteral("Spielschein-\nDatei öffnen"));
  auto* heading = window->findChild<QLabel*>(QStringLiteral("P502Titel"));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->text(), QStringLiteral("Hier die Zahlen von 1 bis 50 wählen, die nicht getippt werden sollen."));

  // Its own entry is grey, the update menu and printer set-up hidden.
  kw::ui::Navigation* nav = window->navigation();
  EXPECT_FALSE(nav->isEnabled(Command::Generator));
  EXPECT_FALSE(nav->isEnabled(Command::PrinterSetup));
  EXPECT_TRUE(nav->isEnabled(Command::Print));
  EXPECT_TRUE(nav->isEnabled(Command::OpenSlip));
  auto* updates = window->menuBar()->findChild<QMenu*>(QStringLiteral("MenuAktualisierung"));
  ASSERT_NE(updates, nullptr);
  EXPECT_FALSE(updates->menuAction()->isVisible());
  EXPECT_EQ(nav->helpContext(), 1008);
  EXPECT_EQ(nav->menuAction(Command::HelpSearch)->text(), QStringLiteral("In Hilfe &suchen..."));
  const QStringList toolBar = [&] {
    QStringList names;
    for (QAction* a : nav->toolBar()->actions())
      if (!a->objectName().isEmpty()) names << a->objectName();
    return names;
  }();
  EXPECT_EQ(toolBar, Texts({"BitBtn7", "BEingabe", "BStatistik", "BitBtn6", "BSysTest", "BCalc", "BOptionen", "BitBtn5"}));
}

class GeneratorStartTest : public UiTest {
 protected:
  void saveSettings(const kw::SettingsRecord& record) {
    ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record).ok());
  }
};

TEST_F(GeneratorStartTest, SettingsRestoreTheRowCountAndTheStandardFilesSilently) {
  kw::SettingsRecord record;
  record.CBStandardZuf = true;
  record.CBStandardZufDateien = true;
  record.RG1 = 6;
  record.EReihen = 25;
  saveSettings(record);
  // Favourites only; the other two standard files are missing and that says nothing at start.
  WriteBytes(dataDir() + "FavoSta.emm", {'9', '\r', '\n', '5', '5', '\r', '\n'});

  TFGenerator* generator = catalogue().generator();
  ASSERT_NE(generator, nullptr);
  EXPECT_EQ(generator->EReihen->text(), QStringLiteral("25"));
  EXPECT_TRUE(generator->rg1Buttons->button(6)->isChecked());
  EXPECT_EQ(generator->core().selection(GeneratorGroup::Favourite).values(ValueKind::Number), std::vector<int>{9});
  EXPECT_EQ(generator->core().selection(GeneratorGroup::Favourite).values(ValueKind::Star), std::vector<int>{5});
  EXPECT_TRUE(generator->lotButton(GeneratorGroup::Favourite, ValueKind::Number, 9)->font().bold());
  EXPECT_TRUE(generator->lotButton(GeneratorGroup::Killer, ValueKind::Number, 9)->isHidden());
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  // After start-up the same missing file is reported.
  generator->PatternButtonClick(22);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kNoStandardFileMessage));
}

TEST_F(GeneratorStartTest, ChoicesStayUnlessTheirBoxesAreTicked) {
  kw::SettingsRecord record;
  record.RG1 = 3;
  record.EReihen = 25;
  saveSettings(record);
  WriteBytes(dataDir() + "FavoSta.emm", {'9', '\r', '\n'});
  TFGenerator* generator = catalogue().generator();
  EXPECT_TRUE(generator->EReihen->text().isEmpty());
  EXPECT_TRUE(generator->rg1Buttons->button(0)->isChecked());
  EXPECT_TRUE(generator->core().unsteered());

  // A stored count the three-digit edit cannot hold is not shown cut short.
  restart();
  record.CBStandardZuf = true;
  record.EReihen = 1234;
  saveSettings(record);
  generator = catalogue().generator();
  EXPECT_TRUE(generator->EReihen->text().isEmpty());
  EXPECT_TRUE(generator->rg1Buttons->button(3)->isChecked());
}

TEST_F(GeneratorStartTest, EveryWindowOpensTheGeneratorAndItsTipCentreButtonOpensTheTipCentre) {
  kw::ui::TFAuswertung* main = catalogue().mainWindow();
  auto* tool = main->findChild<QAction*>(QStringLiteral("BGenerator"));
  ASSERT_TRUE(tool && tool->isEnabled());
  tool->trigger();
  TFGenerator* generator = catalogue().generator();
  EXPECT_TRUE(generator->isVisible());
  EXPECT_EQ(TopLevel("FGenerator"), generator);
  generator->findChild<QAction*>(QStringLiteral("BitBtn6"))->trigger();
  EXPECT_TRUE(TopLevel("FTippcenter")->isVisible());
  // Closing only hides it; the rows stay.
  generator->rg1Buttons->button(0)->setChecked(true);
  generator->BitBtn2Click();
  generator->navigation()->run(Command::Quit);
  EXPECT_FALSE(generator->isVisible());
  main->navigation()->menuAction(Command::Generator)->trigger();
  EXPECT_TRUE(generator->isVisible());
  EXPECT_EQ(generator->rowsModel()->rowCount(), 6);
}

}  // namespace
}  // namespace kwtest
