// Slip pages, evaluations and result pages of the main window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>

#include "core/csv_import.h"
#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/settings_record.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "support/temp_dir.h"
#include "ui/Auswertung.h"
#include "ui/Frame1.h"
#include "ui/Frame2.h"
#include "ui/Start.h"
#include "ui/data_store.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/printer_setup.h"
#include "ui_fixture.h"

using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFAuswertung;
using kw::ui::TFrFrame2;

namespace kwtest {
namespace {

using Rows = std::vector<std::vector<int>>;

kw::TSchein Tip(const std::vector<int>& n) {
  kw::TSchein t;
  for (std::size_t i = 0; i < 5; ++i) t.GZ[i] = static_cast<std::uint8_t>(n.at(i));
  for (std::size_t i = 0; i < 2; ++i) t.SZ[i] = static_cast<std::uint8_t>(n.at(5 + i));
  return t;
}

const std::vector<int> kNoWin = {45, 46, 47, 48, 49, 5, 6};

class PagesTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    kw::ui::PrinterSetup::setTestMode(true);
  }
  void TearDown() override {
    kw::ui::PrinterSetup::setTestMode(false);
    UiTest::TearDown();
  }

  // A slip file in the data folder; returns its path.
  std::string writeSlip(const std::string& name, const Rows& rows) const {
    std::vector<kw::TSchein> tips;
    for (const auto& r : rows) tips.push_back(Tip(r));
    const std::string path = dataDir() + name + ".emt";
    EXPECT_TRUE(kw::SaveSlipRows(tips, path).ok());
    return path;
  }
};

QStringList GridRow(const QAbstractItemModel* model, int row) {
  QStringList cells;
  for (int c = 0; c < model->columnCount(); ++c) cells << model->index(row, c).data().toString();
  return cells;
}

TFrFrame2* ResultFrame(TFAuswertung& w, int n) {
  return w.PCF1->findChild<TFrFrame2*>(QStringLiteral("frA%1").arg(n));
}

TEST_F(PagesTest, OpeningSlipsAddsNamedPagesAndHidesTheWelcomePanel) {
  writeDraws({Draw(19, 3, 2024, {3, 9, 20, 30, 44, 2, 11})});
  Rows many;
  for (int i = 0; i < 25; ++i) many.push_back({1 + i, 26, 27, 28, 29, 1 + i % 12, 12 - i % 11});
  const std::string saturday = writeSlip("Samstag", many);
  const std::string other = writeSlip("Zweiter Schein", {kNoWin});
  TFAuswertung w(context());
  w.show();
  EXPECT_TRUE(w.PInfo->isVisible());
  EXPECT_FALSE(w.CBAlle->isEnabled());

  FileDialog::setNextPath(QString::fromStdString(saturday));
  w.BOpen1->click();
  ASSERT_EQ(w.PC1->count(), 1);
  EXPECT_FALSE(w.PInfo->isVisible());
  EXPECT_FALSE(w.CBAlle->isEnabled());
  EXPECT_EQ(w.PC1->tabText(0), QStringLiteral("Samstag"));
  QWidget* page = w.PC1->widget(0);
  EXPECT_EQ(page->objectName(), QStringLiteral("TabG1"));
  EXPECT_EQ(page->property("tag").toInt(), 1);
  auto* frame = page->findChild<kw::ui::TFrFrame1*>(QStringLiteral("frG1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->property("tag").toInt(), 1);
  const QAbstractItemModel* grid = frame->G1->model();
  ASSERT_EQ(grid->rowCount(), 25);
  EXPECT_EQ(GridRow(grid, 24), Texts({"25", "25", "26", "27", "28", "29", "1", "10"}));
  const QStringList headers = Texts({"Reihe", "Z 1", "Z 2", "Z 3", "Z 4", "Z 5", "S1", "S2"});
  for (int c = 0; c < 8; ++c) EXPECT_EQ(grid->headerData(c, Qt::Horizontal).toString(), headers[c]);
  EXPECT_EQ(frame->G1->columnWidth(0), 38);
  EXPECT_EQ(frame->G1->columnWidth(3), 30);
  EXPECT_EQ(frame->G1->columnWidth(7), 22);
  EXPECT_EQ(frame->G1->verticalHeader()->defaultSectionSize(), 16);
  ASSERT_EQ(w.slipRows().size(), 1u);
  EXPECT_EQ(w.slipRows()[0].size(), 25u);

  // The menu entry opens through the same dialog; a cancelled dialog opens nothing.
  FileDialog::setNextPath(QString::fromStdString(other));
  ASSERT_TRUE(w.navigation()->run(kw::ui::Command::OpenSlip));
  w.BOpen1->click();
  ASSERT_EQ(w.PC1->count(), 2);
  EXPECT_EQ(w.PC1->tabText(1), QStringLiteral("Zweiter Schein"));
  EXPECT_EQ(w.PC1->currentIndex(), 1);
  EXPECT_EQ(w.PC1->widget(1)->objectName(), QStringLiteral("TabG2"));
  EXPECT_TRUE(w.CBAlle->isEnabled());

  // A file that cannot be read is reported and gives no page.
  FileDialog::setNextPath(QString::fromStdString(dataDir() + "fehlt.emt"));
  w.BOpen1->click();
  EXPECT_EQ(w.PC1->count(), 2);
  EXPECT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(w.SlipPageCount, 2);
}

TEST_F(PagesTest, DemoSlipOpensOrTellsThatItIsGone) {
  // The data folder was created for this test: the demo slip beside the program is in it.
  ASSERT_TRUE(kw::FileExists(dataDir() + kw::kDemoSlipFileName));
  TFAuswertung w(context());
  w.BDemo->click();
  ASSERT_EQ(w.PC1->count(), 1);
  EXPECT_EQ(w.PC1->tabText(0), QStringLiteral("Demo"));
  EXPECT_GE(w.slipRows()[0].size(), 10u);
  for (const kw::TSchein& row : w.slipRows()[0]) {
    kw::TGewZahlen asDraw;
    asDraw.GZ = row.GZ;
    asDraw.SZ = row.SZ;
    asDraw.datum = 45000;
    EXPECT_TRUE(kw::IsCompleteDraw(asDraw));
  }

  std::remove((dataDir() + kw::kDemoSlipFileName).c_str());
  w.BDemo->click();
  EXPECT_EQ(w.PC1->count(), 1);
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Die Demo-Datei wurde nicht gefunden, offensichtlich wurde sie "
                                                   "gelöscht.\r\rIch muss abbrechen."));
}

TEST_F(PagesTest, RememberedSlipsReopenInOrderSkippingDeletedOnes) {
  const std::string a = writeSlip("Dienstag", {kNoWin});
  const std::string b = writeSlip("Gelöscht", {kNoWin});
  const std::string c = writeSlip("Freitag", {kNoWin, kNoWin});
  kw::SettingsRecord record;
  for (const auto& path : {a, b, c}) ASSERT_TRUE(kw::AddRecentSlip(record, path).ok());
  ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record).ok());
  std::remove(b.c_str());

  TFAuswertung w(context());
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  ASSERT_EQ(w.PC1->count(), 2);
  EXPECT_EQ(w.PC1->tabText(0), QStringLiteral("Dienstag"));
  EXPECT_EQ(w.PC1->tabText(1), QStringLiteral("Freitag"));
  EXPECT_EQ(w.slipRows()[1].size(), 2u);
  EXPECT_TRUE(w.PInfo->isHidden());
  EXPECT_TRUE(w.CBAlle->isEnabled());
  // The missing file stays remembered.
  EXPECT_EQ(store().settings().recentSlips[1], b);
}

struct EvalCase {
  const char* name;
  std::vector<kw::TGewZahlen> draws;
  std::vector<std::pair<std::string, Rows>> slips;  // opened in this order; the last is active
  int from, to;
  bool toTicked, all;
  std::vector<QStringList> rows;
  const char* heading;
  const char* caption;
};

TEST_F(PagesTest, EvaluationsFillTheirResultPage) {
  const auto d1 = Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11});
  const auto d2 = Draw(19, 3, 2024, {3, 9, 20, 30, 44, 2, 11});
  const auto d3 = Draw(22, 3, 2024, {3, 9, 20, 30, 44, 2, 11});
  const std::vector<int> threePlusTwo = {3, 9, 17, 28, 44, 2, 11};
  const EvalCase cases[] = {
      {"3+2 after the rule change is class 6",
       {Draw(30, 9, 2016, {3, 9, 20, 30, 44, 2, 11})}, {{"Eins", {threePlusTwo}}}, 0, 0, false, true,
       {Texts({"30.09.2016", "Eins", "1", "6", "108,76 €", "108,76 €"})}, "Auswertung für den 30.09.2016", "1: Eins"},
      {"3+2 before the rule change is class 7",
       {Draw(23, 9, 2016, {3, 9, 20, 30, 44, 2, 11})}, {{"Eins", {threePlusTwo}}}, 0, 0, false, true,
       {Texts({"23.09.2016", "Eins", "1", "7", "75,96 €", "75,96 €"})}, "Auswertung für den 23.09.2016", "1: Eins"},
      {"no win", {d2}, {{"Eins", {kNoWin}}}, 0, 0, false, true,
       {Texts({"19.03.2024", "Eins", "--", "--", "", "0,00 €"})}, "Auswertung für den 19.03.2024", "1: Eins"},
      {"rows 2 and 5 win; class 13 without quota pays 4,36",
       {d2}, {{"Eins", {kNoWin, {3, 9, 20, 1, 2, 2, 11}, kNoWin, kNoWin, {3, 9, 1, 2, 4, 5, 6}}}}, 0, 0, false, true,
       {Texts({"19.03.2024", "Eins", "2", "6", "108,76 €", "108,76 €"}), Texts({"", "", "5", "13", "4,36 €", "113,12 €"})},
       "Auswertung für den 19.03.2024", "1: Eins"},
      {"period of three draws, ascending", {d1, d2, d3}, {{"Eins", {kNoWin}}}, 0, 2, true, true,
       {Texts({"15.03.2024", "Eins", "--", "--", "", ""}), Texts({"19.03.2024", "Eins", "--", "--", "", ""}),
        Texts({"22.03.2024", "Eins", "--", "--", "", "0,00 €"})},
       "Auswertung der Ausspielungen vom 15.03.2024 bis 22.03.2024", "1: Eins"},
      {"two slips together, neither wins", {d2}, {{"Eins", {kNoWin}}, {"Zwei", {kNoWin}}}, 0, 0, false, true,
       {Texts({"19.03.2024", "Eins", "--", "--", "", ""}), Texts({"", "Zwei", "--", "--", "", "0,00 €"})},
       "Auswertung für den 19.03.2024", "1: 2 Dateien"},
      {"two slips, not together: the active one", {d2}, {{"Eins", {threePlusTwo}}, {"Zwei", {kNoWin}}}, 0, 0, false,
       false, {Texts({"19.03.2024", "Zwei", "--", "--", "", "0,00 €"})}, "Auswertung für den 19.03.2024", "1: Zwei"},
      {"bis equal to für is one draw", {d1, d2, d3}, {{"Eins", {kNoWin}}}, 1, 1, true, true,
       {Texts({"19.03.2024", "Eins", "--", "--", "", "0,00 €"})}, "Auswertung für den 19.03.2024", "1: Eins"},
      {"bis unticked evaluates für alone", {d1, d2, d3}, {{"Eins", {kNoWin}}}, 0, 2, false, true,
       {Texts({"15.03.2024", "Eins", "--", "--", "", "0,00 €"})}, "Auswertung für den 15.03.2024", "1: Eins"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    restart();
    writeDraws(c.draws);
    TFAuswertung w(context());
    for (const auto& [name, rows] : c.slips) ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip(name, rows))));
    w.CBAlle->setChecked(c.all);
    w.CBbis->setChecked(c.toTicked);
    w.ComboBox1->setCurrentIndex(c.from);
    w.Combo2->setCurrentIndex(c.to);
    w.BAuswerten->click();
    ASSERT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
    ASSERT_EQ(w.PCF1->count(), 1);
    EXPECT_EQ(w.PCF1->widget(0)->objectName(), QStringLiteral("TabA1"));
    EXPECT_EQ(w.PCF1->tabText(0), QString::fromUtf8(c.caption));
    TFrFrame2* frame = ResultFrame(w, 1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->LGA1->text(), QString::fromUtf8(c.heading));
    const QAbstractItemModel* grid = frame->GA1->model();
    ASSERT_EQ(grid->rowCount(), static_cast<int>(c.rows.size()));
    for (int r = 0; r < grid->rowCount(); ++r) EXPECT_EQ(GridRow(grid, r), c.rows[static_cast<std::size_t>(r)]) << r;
    MessageBox::clearShown();
  }
}

TEST_F(PagesTest, StoredQuotasPayTheirAmountsAndMissingOnesTheStandard) {
  const auto draw = Draw(19, 3, 2024, {3, 9, 20, 30, 44, 2, 11});
  writeDraws({draw});
  kw::TQuoten quota;
  quota.datum = draw.datum;
  quota.amount(6) = 1234.5f;
  quota.amount(13) = 0.0f;
  WriteBytes(dataDir() + kw::kQuotasFileName, kw::EncodeRecords(std::vector<kw::TQuoten>{quota}));
  TFAuswertung w(context());
  // Row 1 is 3+2 (class 6), row 2 is 2+0 (class 13).
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {{3, 9, 20, 1, 2, 2, 11}, {3, 9, 1, 2, 4, 5, 6}}))));
  w.BAuswerten->click();
  const QAbstractItemModel* grid = ResultFrame(w, 1)->GA1->model();
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(GridRow(grid, 0), Texts({"19.03.2024", "Eins", "1", "6", "1.234,50 €", "1.234,50 €"}));
  EXPECT_EQ(GridRow(grid, 1), Texts({"", "", "2", "13", "4,36 €", "1.238,86 €"}));
}

TEST_F(PagesTest, ResultPagesAreNumberedAndKeepTheirResults) {
  writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}), Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12})});
  TFAuswertung w(context());
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {{3, 9, 20, 30, 44, 2, 11}}))));
  w.BAuswerten->click();
  w.ComboBox1->setCurrentIndex(0);
  w.BAuswerten->click();
  ASSERT_EQ(w.PCF1->count(), 2);
  EXPECT_EQ(w.PCF1->currentIndex(), 1);
  EXPECT_EQ(w.PCF1->tabText(0), QStringLiteral("1: Eins"));
  EXPECT_EQ(w.PCF1->tabText(1), QStringLiteral("2: Eins"));
  EXPECT_EQ(ResultFrame(w, 1)->GA1->model()->index(0, 0).data().toString(), QStringLiteral("19.03.2024"));
  EXPECT_EQ(ResultFrame(w, 2)->GA1->model()->index(0, 3).data().toString(), QStringLiteral("1"));
  EXPECT_EQ(ResultFrame(w, 2)->property("tag").toInt(), 2);
  const QStringList headers = Texts({"Datum", "Datei", "Feld", "GKl.", "Gewinn", "Gewinnsumme"});
  const int widths[] = {63, 72, 33, 28, 74, 96};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(ResultFrame(w, 2)->GA1->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
    // Columns keep their designed widths at the least; amounts and names grow to their widest
    // text (here the standard 5+2 amount of 49.223.032,00 €), the numbers never do.
    if (c == 2 || c == 3) {
      EXPECT_EQ(ResultFrame(w, 2)->GA1->columnWidth(c), widths[c]);
    } else if (c > 0) {
      EXPECT_GE(ResultFrame(w, 2)->GA1->columnWidth(c), widths[c]);
    }
  }
  EXPECT_GE(ResultFrame(w, 2)->GA1->columnWidth(0), 63);
  // The legend: thirteen 22-pixel panels reading 1 to 13, ending at the right edge.
  w.show();
  QApplication::processEvents();
  QFrame* legend = ResultFrame(w, 2)->PFarben;
  int lastX = -1;
  for (int k = 1; k <= 13; ++k) {
    auto* panel = legend->findChild<QLabel*>(QStringLiteral("legend%1").arg(k));
    ASSERT_NE(panel, nullptr) << k;
    EXPECT_EQ(panel->text(), QString::number(k));
    EXPECT_EQ(panel->width(), 22);
    EXPECT_GT(panel->x(), lastX);
    lastX = panel->x();
  }
  EXPECT_EQ(lastX + 22, legend->contentsRect().right() + 1);
}

TEST_F(PagesTest, EvaluationIsRefusedWithoutSlipsDrawOrASoundPeriod) {
  TFAuswertung empty(context());
  empty.BAuswerten->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Es gibt nichts auszuwerten. Bitte laden Sie zunächst eine Datei "
                                                   "mit Tippreihen (Spielschein-Datei).\r\rIch breche erst einmal ab."));
  // A slip but no draw to evaluate.
  ASSERT_TRUE(empty.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {kNoWin}))));
  empty.BAuswerten->click();
  ASSERT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_EQ(MessageBox::shown()[1].kind, MessageBox::Error);
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Noch keine Gewinnreihen vorhanden")));
  EXPECT_EQ(empty.PCF1->count(), 0);

  restart();
  writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}), Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12})});
  TFAuswertung w(context());
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {kNoWin}))));
  w.CBbis->setChecked(true);
  w.ComboBox1->setCurrentIndex(1);
  w.Combo2->setCurrentIndex(0);
  w.BAuswerten->click();
  ASSERT_EQ(MessageBox::shown().size(), 3u);
  EXPECT_EQ(MessageBox::lastText(),
            QStringLiteral("Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab."));
  EXPECT_EQ(w.PCF1->count(), 0);
  EXPECT_EQ(w.EvalCount, 0);
}

QColor PixelInCell(QTableView* view, int row, int column) {
  const QRect cell = view->visualRect(view->model()->index(row, column));
  const QImage image = view->viewport()->grab().toImage();
  return image.pixelColor(cell.left() + 1, cell.bottom() - 1);
}

TEST_F(PagesTest, ResultCellsArePaintedInTheirClassColours) {
  writeDraws({Draw(19, 3, 2024, {3, 9, 20, 30, 44, 2, 11})});
  TFAuswertung w(context());
  w.resize(1000, 800);
  // 3+1 is class 9; the second slip wins nothing.
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {{3, 9, 20, 1, 2, 2, 5}}))));
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Zwei", {kNoWin}))));
  w.BAuswerten->click();
  w.show();
  QApplication::processEvents();
  QTableView* grid = ResultFrame(w, 1)->GA1;
  ASSERT_EQ(grid->model()->index(0, 3).data().toString(), QStringLiteral("9"));
  EXPECT_EQ(PixelInCell(grid, 0, 3), QColor(0x22, 0x8B, 0x22));
  EXPECT_EQ(PixelInCell(grid, 1, 3), PixelInCell(grid, 1, 2));
  EXPECT_EQ(PixelInCell(grid, 1, 2), QColor(Qt::white));
  EXPECT_EQ(kw::ui::ClassOfCellText(QStringLiteral("9")), 9);
  for (const char* text : {"", "--", "0", "14", "+9", " 9", "9a"})
    EXPECT_EQ(kw::ui::ClassOfCellText(QString::fromUtf8(text)), 0) << text;
}

// The real history and prize amounts, imported as a user would.
void ImportRealHistory(kw::ui::DataStore& store) {
  for (const bool quotas : {false, true}) {
    const auto bytes = ReadBytes(HistoryDataFile(quotas ? "quotas.csv" : "draws.csv"));
    const std::string text(bytes.begin(), bytes.end());
    const bool ok = store.change([&](kw::DataSet& d) {
      return quotas ? kw::ImportQuotasCsv(d, text).ok() : kw::ImportDrawsCsv(d, text).ok();
    });
    ASSERT_TRUE(ok);
  }
}

TEST_F(PagesTest, TheBiggestRealJackpotIsReadableInEveryCell) {
  ImportRealHistory(store());
  TFAuswertung w(context());
  w.resize(1000, 800);
  // 28.03.2025: 250.000.000,00 € for 5+2; a long slip name; standard amounts a few draws earlier.
  const std::string slip = writeSlip("Mittwochsrunde der Familie Sommer",
                                     {{10, 21, 30, 42, 45, 1, 9}, {10, 21, 30, 42, 45, 1, 8}, {3, 21, 30, 42, 44, 2, 9}});
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(slip)));
  const auto day = kw::ParseDateText("28.03.2025");
  int index = -1;
  for (std::size_t i = 0; i < store().draws().size(); ++i)
    if (store().draws()[i].datum == *day) index = static_cast<int>(i);
  ASSERT_GE(index, 2);
  w.CBbis->setChecked(true);
  w.ComboBox1->setCurrentIndex(index - 2);
  w.Combo2->setCurrentIndex(index + 2);
  w.BAuswerten->click();
  w.show();
  QApplication::processEvents();

  QTableView* grid = ResultFrame(w, 1)->GA1;
  const QAbstractItemModel* model = grid->model();
  bool jackpotSeen = false;
  for (int r = 0; r < model->rowCount(); ++r) {
    if (model->index(r, 4).data().toString() == QStringLiteral("250.000.000,00 €")) jackpotSeen = true;
    for (int c = 0; c < model->columnCount(); ++c) {
      const QString text = model->index(r, c).data().toString();
      // The delegate draws from 2 px in and ends 3 px before the right edge.
      EXPECT_LE(QFontMetrics(grid->font()).horizontalAdvance(text) + 5, grid->columnWidth(c))
          << "row " << r << " column " << c << ": " << text.toStdString();
    }
  }
  EXPECT_TRUE(jackpotSeen);
  EXPECT_EQ(model->index(model->rowCount() - 1, 5).data().toString().left(4), QStringLiteral("250."));
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

TEST_F(PagesTest, StandardAmountsAreToldApartWithoutChangingTheirText) {
  // A draw without amounts: the class-13 win pays the standard 4,36 €, in italics.
  writeDraws({Draw(19, 3, 2024, {3, 9, 20, 30, 44, 2, 11})});
  TFAuswertung w(context());
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {{3, 9, 1, 2, 4, 5, 6}}))));
  w.BAuswerten->click();
  const QAbstractItemModel* model = ResultFrame(w, 1)->GA1->model();
  EXPECT_EQ(model->index(0, 4).data().toString(), QStringLiteral("4,36 €"));
  EXPECT_TRUE(model->index(0, 4).data(kw::ui::ResultModel::kStandardAmountRole).toBool());
  EXPECT_FALSE(model->index(0, 5).data(kw::ui::ResultModel::kStandardAmountRole).toBool());
  QLabel* legend = ResultFrame(w, 1)->legendStandard;
  ASSERT_NE(legend, nullptr);
  EXPECT_TRUE(legend->font().italic());
  EXPECT_FALSE(legend->isHidden());
  // A page paying only real amounts has no need of the line.
  kw::TQuoten quota;
  quota.datum = store().draws()[0].datum;
  quota.q.fill(5.0f);
  ASSERT_TRUE(store().change([&](kw::DataSet& d) {
    d.Quotas = {quota};
    return true;
  }));
  w.BAuswerten->click();
  EXPECT_FALSE(ResultFrame(w, 2)->GA1->model()->index(0, 4).data(kw::ui::ResultModel::kStandardAmountRole).toBool());
  EXPECT_TRUE(ResultFrame(w, 2)->legendStandard->isHidden());
}

TEST_F(PagesTest, PrintingAnEmptyResultIsRefused) {
  TFrFrame2 frame(1, nullptr);
  frame.BitBtn1->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Es gibt nichts zu drucken.\r\rIch breche ab."));
}

TEST_F(PagesTest, ResultOf130RowsPrintsOnTwoPages) {
  // 129 draws without a win: one result row each, 130 rows with the header.
  std::vector<kw::TGewZahlen> draws;
  auto draw = Draw(2, 1, 2024, {1, 2, 3, 4, 5, 1, 2});
  for (int i = 0; i < 129; ++i) {
    draws.push_back(draw);
    draw.datum += i % 2 == 0 ? 3 : 4;
  }
  writeDraws(draws);
  TFAuswertung w(context());
  ASSERT_TRUE(w.OpenSlipPage(QString::fromStdString(writeSlip("Eins", {kNoWin}))));
  w.CBbis->setChecked(true);
  w.ComboBox1->setCurrentIndex(0);
  w.BAuswerten->click();
  TFrFrame2* frame = ResultFrame(w, 1);
  ASSERT_EQ(frame->GA1->model()->rowCount() + 1, 130);

  const QString pdf = QString::fromStdString(home.file("ergebnis.pdf"));
  // A cancelled set-up dialog prints nothing.
  kw::ui::PrinterSetup::setNextPdf(QString());
  frame->BitBtn1->click();
  EXPECT_FALSE(QFile::exists(pdf));
  kw::ui::PrinterSetup::setNextPdf(pdf, QPageLayout::Portrait);
  frame->BitBtn1->click();
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();

  const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
  ASSERT_FALSE(pdfinfo.isEmpty()) << "pdfinfo (poppler-utils) is missing";
  ASSERT_TRUE(QFile::exists(pdf)) << "the grid printer wrote no file";
  ASSERT_GT(QFile(pdf).size(), 0) << "the grid printer wrote no pages";
  QProcess info;
  info.start(pdfinfo, {pdf});
  ASSERT_TRUE(info.waitForFinished(10000));
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << out.toStdString();
}

TEST_F(PagesTest, QuickLinkWithoutAValidAddressSaysSo) {
  const std::string links = "\r\nhttps://example.org/quoten\r\n";
  WriteBytes(dataDir() + kw::kQuotaLinksFileName, std::vector<std::uint8_t>(links.begin(), links.end()));
  TFAuswertung w(context());
  const QPointF at(2, 2);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w.Image3->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w.Image3, &release);
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("Quoten-Favoriten")));
}

TEST_F(PagesTest, MainMenuFollowsTheWindowsConventions) {
  TFAuswertung& w = *catalogue().mainWindow();
  auto* nav = w.navigation();
  using kw::ui::Command;
  // Its own entry is grey; the printing entries, with nothing to print here, are not shown.
  EXPECT_FALSE(nav->menuAction(Command::Evaluation)->isEnabled());
  for (Command c : {Command::Print, Command::PrinterSetup}) {
    EXPECT_EQ(nav->menuAction(c), nullptr);
    EXPECT_FALSE(nav->run(c));
  }
  EXPECT_EQ(nav->menuAction(Command::Quit)->text(), QStringLiteral("&Beenden"));
  EXPECT_EQ(nav->menuAction(Command::HelpSearch)->text(), QStringLiteral("&Hilfe benutzen"));
  EXPECT_TRUE(nav->menuAction(Command::OpenSlip)->isEnabled());
  const char* buttons[] = {"BitBtn7", "BOpen", "BEingabe", "BDruck", "BStatistik", "BGenerator", "BitBtn3", "BSysTest",
                           "BUpdate", "BQuoten", "BKalender", "BNoverK", "BCalc", "BOptionen", "BitBtn2"};
  for (const char* name : buttons) {
    QWidget* b = w.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->size(), QSize(48, 38)) << name;
  }
  // Other windows' "Gewinnauswertung" brings this window up.
  const auto* handler = catalogue().commands().find(Command::Evaluation);
  ASSERT_NE(handler, nullptr);
  (*handler)();
  EXPECT_TRUE(w.isVisible());
}

}  // namespace
}  // namespace kwtest
