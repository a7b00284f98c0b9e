#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <filesystem>

#include "core/draw_history.h"
#include "core/settings_record.h"
#include "core/program.h"
#include "core/quota_store.h"
#include "support/temp_dir.h"
#include "ui/Auswertung.h"
#include "ui/draw_list_model.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFAuswertung;

namespace kwtest {
namespace {

class AuswertungTest : public UiTest {};

QString Cell(const TFAuswertung& w, int row, int column) {
  return w.G1->model()->index(row, column).data().toString();
}

TEST_F(AuswertungTest, FirstStartWithoutFilesShowsTheEmptyDesign) {
  EXPECT_TRUE(QDir(QString::fromStdString(dataDir())).exists());
  EXPECT_EQ(store().dataDir(), dataDir());

  TFAuswertung w(context());
  w.show();
  EXPECT_EQ(w.objectName(), QStringLiteral("FAuswertung"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Zentrale"));
  EXPECT_TRUE(MessageBox::shown().empty());

  // Header row above the designed empty rows: 24 rows in all.
  EXPECT_EQ(w.G1->model()->rowCount() + 1, 24);
  const QStringList headers = Texts({"Datum", "GZ 1", "GZ 2", "GZ 3", "GZ 4", "GZ 5", "S 1", "S 2"});
  const int widths[] = {67, 32, 32, 32, 32, 32, 30, 30};
  ASSERT_EQ(w.G1->model()->columnCount(), 8);
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(w.G1->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
    EXPECT_EQ(w.G1->columnWidth(c), widths[c]);
  }
  EXPECT_EQ(w.G1->verticalHeader()->defaultSectionSize(), 16);
  EXPECT_TRUE(Cell(w, 0, 0).isEmpty());

  for (QComboBox* list : {w.Combo1, w.ComboBox1, w.Combo2}) {
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->placeholderText(), QStringLiteral("wählen..."));
  }
  EXPECT_TRUE(w.PInfo->isVisible());
  EXPECT_TRUE(w.CBAlle->isChecked());
  EXPECT_FALSE(w.Combo2->isEnabled());
  EXPECT_EQ(w.LGa1->text(), QString::fromStdString(kw::HistoryHeadingText(store().draws())));
}

TEST_F(AuswertungTest, SmallHistoryFillsListsAndHeading) {
  writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}), Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12})});
  TFAuswertung w(context());
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("2 Gewinnreihen vom 15.03.2024 bis 19.03.2024"));

  ASSERT_EQ(w.G1->model()->rowCount(), 2);
  const QStringList row0 = Texts({"15.03.2024", "3", "9", "20", "30", "44", "2", "11"});
  const QStringList row1 = Texts({"19.03.2024", "1", "12", "23", "34", "50", "5", "12"});
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(Cell(w, 0, c), row0[c]);
    EXPECT_EQ(Cell(w, 1, c), row1[c]);
  }
  for (QComboBox* list : {w.Combo1, w.ComboBox1, w.Combo2}) {
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("15.03.2024"));
    EXPECT_EQ(list->currentIndex(), 1);
  }
  EXPECT_EQ(w.PeriodFrom, 1);
  EXPECT_EQ(w.PeriodTo, 1);
  w.ComboBox1->setCurrentIndex(0);
  EXPECT_EQ(w.PeriodFrom, 0);
}

TEST_F(AuswertungTest, EmptyHistoryFileShowsOnlyTheHeaderRow) {
  WriteBytes(dataDir() + kw::kDrawsFileName, {});
  TFAuswertung w(context());
  EXPECT_EQ(w.G1->model()->rowCount(), 0);
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(AuswertungTest, DamagedHistoryIsReportedAndTheProgramGoesOn) {
  auto broken = Draw(22, 3, 2024, {1, 2, 3, 4, 77, 1, 2});
  writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}), Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12}), broken});
  TFAuswertung w(context());
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("beschädigt")));
  // The draws before the damage are there and usable.
  EXPECT_EQ(w.G1->model()->rowCount(), 2);
  EXPECT_EQ(w.Combo1->count(), 2);
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("2 Gewinnreihen vom 15.03.2024 bis 19.03.2024"));
}

// With no draw at all, the program said to choose a draw that did not exist.
TEST_F(AuswertungTest, AnEmptyHistorySaysSoAndImportsDrawsFromTheFileMenu) {
  TFAuswertung w(context());
  w.BDemoClick();
  w.BAuswertenClick();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Noch keine Gewinnreihen vorhanden"))) << MessageBox::lastText().toStdString();
  w.ToggleMain(1), w.ToggleMain(2), w.ToggleMain(3), w.ToggleMain(4), w.ToggleMain(5), w.ToggleStar(1), w.ToggleStar(2);
  w.BSave1Click();
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Noch keine Gewinnreihen vorhanden")));
  MessageBox::clearShown();

  // "Datei" - "Gewinnreihen importieren...", after "Spielschein-Datei öffnen...".
  ASSERT_NE(w.MenuImportDraws, nullptr);
  EXPECT_EQ(w.MenuImportDraws->text(), QStringLiteral("Gewinnreihen importieren..."));
  const auto entries = qobject_cast<QWidget*>(w.MenuImportDraws->parent())->actions();
  const auto at = entries.indexOf(w.MenuImportDraws);
  ASSERT_GT(at, 0);
  EXPECT_EQ(entries[at - 1]->objectName(), QStringLiteral("MenuOpenSlip"));

  // A bad line refuses the whole file with the tool's message; nothing is written.
  const std::string bad = "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n13.02.2004;1\n";
  WriteBytes(home.file("bad.csv"), std::vector<std::uint8_t>(bad.begin(), bad.end()));
  FileDialog::setNextPath(QString::fromStdString(home.file("bad.csv")));
  w.MenuImportDraws->trigger();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("Zeile 2"))) << MessageBox::lastText().toStdString();
  EXPECT_FALSE(std::filesystem::exists(dataDir() + kw::kDrawsFileName));

  FileDialog::setNextPath(QString::fromStdString(HistoryDataFile("draws.csv")));
  w.MenuImportDraws->trigger();
  EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Information);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("1974 Ausspielungen übernommen, 0 waren bereits vorhanden."));
  EXPECT_EQ(store().draws().size(), 1974u);
  EXPECT_EQ(w.Combo1->count(), 1974);
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("1974 Gewinnreihen vom 13.02.2004 bis 21.08.2026"));
  // The prize amounts go through the store the same way, for the quota window's menu.
  const auto quotas = store().importQuotasFile(HistoryDataFile("quotas.csv"));
  ASSERT_TRUE(quotas) << quotas.error().message;
  EXPECT_EQ(store().quotas().size(), 1974u);
}

// An unreadable quota file once made every evaluation pay standard amounts without a word.
TEST_F(AuswertungTest, AnUnreadableQuotaFileIsReportedOnceAtStart) {
  writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11})});
  WriteBytes(dataDir() + kw::kQuotasFileName, {});
  std::filesystem::resize_file(dataDir() + kw::kQuotasFileName, kw::kMaxQuotaFileBytes + 64);
  TFAuswertung w(context());
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Warning);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("EMQuoten.emq"))) << MessageBox::lastText().toStdString();
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("Standardquoten")));
  // The evaluation itself says nothing more.
  w.BAuswertenClick();
  EXPECT_EQ(MessageBox::shown().size(), 2u);  // only "choose a slip", not the quota file again
  EXPECT_FALSE(MessageBox::lastText().contains(QStringLiteral("EMQuoten.emq")));
}

TEST_F(AuswertungTest, AllFilesChoiceSurvivesARestartAndKeepsOtherSettings) {
  const std::string ini = dataDir() + kw::kIniFileName;
  WriteBytes(ini, {'[', 'E', 'i', 'n', 'g', 'a', 'b', 'e', ']', '\n', 'X', '=', '5', '\n'});
  {
    TFAuswertung w(context());
    EXPECT_TRUE(w.CBAlle->isChecked());
    w.CBAlle->setChecked(false);
    w.close();
  }
  {
    TFAuswertung w(context());
    EXPECT_FALSE(w.CBAlle->isChecked());
    w.CBAlle->setChecked(true);
    w.close();
  }
  TFAuswertung w(context());
  EXPECT_TRUE(w.CBAlle->isChecked());
  const auto bytes = ReadBytes(ini);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("[Eingabe]\nX=5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Auswertung]\nAlle=1\n"), std::string::npos) << text;
}

TEST_F(AuswertungTest, ToDateFollowsItsCheckBox) {
  TFAuswertung w(context());
  w.CBbis->setChecked(true);
  EXPECT_TRUE(w.Combo2->isEnabled());
  w.CBbis->setChecked(false);
  EXPECT_FALSE(w.Combo2->isEnabled());
}

TEST_F(AuswertungTest, ControlsCarryTheirNames) {
  TFAuswertung w(context());
  const char* names[] = {"Gr1", "Combo1", "Image3", "BNeu", "BSave1", "PZahlen", "PG2", "LGa1", "G1",
                         "Gr2", "POben", "BOpen1", "BEigene2", "PC1", "PInfo", "BEigene", "BDemo", "PObenRechts",
                         "ComboBox1", "CBbis", "Combo2", "CBAlle", "BAuswerten", "PCF1", "PMenu"};
  for (const char* name : names) EXPECT_NE(w.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_EQ(w.BNeu->text(), QStringLiteral("Neue\nZahlen"));
  EXPECT_EQ(w.BOpen1->text(), QStringLiteral("Spielschein-\nDatei öffnen"));
  EXPECT_EQ(w.BDemo->text(), QStringLiteral("Demo-\nSchein"));
  EXPECT_EQ(w.PZahlen->size(), QSize(319, 212));
}

TEST_F(AuswertungTest, RealHistoryLoadsEveryDraw) {
  // A history of thousands of draws through the lazy model.
  std::vector<kw::TGewZahlen> draws;
  for (int i = 0; i < 2000; ++i) {
    auto d = Draw(13, 2, 2004, {1 + i % 46, 2 + i % 46, 3 + i % 46, 4 + i % 46, 5 + i % 46, 1 + i % 11, 2 + i % 11});
    d.datum += 3.5 * i - (i % 2) * 0.5;
    draws.push_back(d);
  }
  writeDraws(draws);
  TFAuswertung w(context());
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_EQ(w.G1->model()->rowCount(), 2000);
  EXPECT_EQ(w.Combo1->currentIndex(), 1999);
  EXPECT_EQ(Cell(w, 1999, 0), QString::fromStdString(kw::DrawDateTexts(store().draws()).back()));
}

}  // namespace
}  // namespace kwtest

namespace kwtest {
namespace {

using AuswertungStartSettings = UiTest;

TEST_F(AuswertungStartSettings, PartialSettingsFileIsReportedOnceAndDefaultsApply) {
  kwtest::WriteBytes(dataDir() + kw::kSettingsFileName, std::vector<std::uint8_t>(100, 1));
  TFAuswertung w(context());
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("Einstellungen.emo")));
  EXPECT_FALSE(store().settingsPresent());
  EXPECT_EQ(store().settings().recentSlips[0], "");
}

TEST_F(AuswertungStartSettings, WholeSettingsRecordIsRead) {
  kw::SettingsRecord record;
  ASSERT_TRUE(kw::AddRecentSlip(record, "/home/spieler/Schein März.emt"));
  record.CBUpdates = true;
  ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record));
  TFAuswertung w(context());
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_TRUE(store().settingsPresent());
  EXPECT_EQ(store().settings().recentSlips[0], "/home/spieler/Schein März.emt");
  EXPECT_TRUE(store().settings().CBUpdates);
}

}  // namespace
}  // namespace kwtest
