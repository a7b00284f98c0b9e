#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "core/draw_history.h"
#include "core/settings_record.h"
#include "core/program.h"
#include "support/temp_dir.h"
#include "ui/Auswertung.h"
#include "ui/draw_list_model.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

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
