// The tip-row analysis window: rows in, the checks run beside the window, the summary out.
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTextEdit>

#include "analysis/row_analysis.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "generation/systeme.h"
#include "support/temp_dir.h"
#include "ui/SysTest.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFSysTest;

namespace kwtest {
namespace {

const char* const kFullSystemOfSix = "1,2,3,4,5\n1,2,3,4,6\n1,2,3,5,6\n1,2,4,5,6\n1,3,4,5,6\n2,3,4,5,6";
const char* const kExampleLines = "1,7,11,13,14\n1,8,10,12,13\n2,3,6,12,14,\n2,4,5,9,12\n3,4,5,6,9\n7,8,10,11,14";
const char* const kExampleBrackets =
    "(1,7,11,13,14),(1,8,10,12,13),(2,3,6,12,14),\n(2,4,5,9,12),(3,4,5,6,9),(7,8,10,11,14)";

// Every 5-number row of 1..50 that a seeded walk gives: a pool of all 50 numbers, big enough
// that a test takes a while.
std::string ThousandRows() {
  std::string text;
  std::uint32_t seed = 4711;
  for (int r = 0; r < 1000; ++r) {
    std::vector<int> row;
    while (row.size() < 5) {
      seed = seed * 134775813u + 1u;
      const int n = 1 + static_cast<int>((seed >> 16) % 50);
      if (std::find(row.begin(), row.end(), n) == row.end()) row.push_back(n);
    }
    for (std::size_t i = 0; i < 5; ++i) text += (i ? "," : "") + std::to_string(row[i]);
    text += '\n';
  }
  return text;
}

QColor Background(const QLabel* field) { return field->palette().color(QPalette::Window); }
QColor Foreground(const QLabel* field) { return field->palette().color(QPalette::WindowText); }

class SysTestTest : public UiTest {
 protected:
  TFSysTest& window() { return *catalogue().tipAnalysis(); }

  // Starts a test and waits for its end; false when it did not end in time.
  bool run(const std::string& rows, int k, int mode) {
    TFSysTest& w = window();
    w.M1->setPlainText(QString::fromStdString(rows));
    w.Spin2->setValue(k);
    w.rg1Buttons->button(mode)->setChecked(true);
    QSignalSpy finished(&w, &TFSysTest::testFinished);
    w.BProof->click();
    if (!w.testing()) return true;  // refused before it began
    EXPECT_TRUE(w.BStop->isVisible() || !w.isVisible());
    return finished.wait(60000);
  }
  QStringList summary() { return window().RE1->toPlainText().split(QLatin1Char('\n')); }
  QString histogram(int hits) { return window().g1Model->index(hits + 1, 1).data().toString(); }
};

TEST_F(SysTestTest, FullSystemOfSixNumbersInBothChecks) {
  TFSysTest& w = window();
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Tippreihen-Analyse"));
  EXPECT_EQ(w.BProof->text(), QStringLiteral("Prüfung\nstarten"));
  EXPECT_FALSE(w.BStop->isVisible());
  EXPECT_EQ(w.g1Model->index(0, 0).data().toString(), QStringLiteral("Treffer"));
  EXPECT_EQ(w.g1Model->index(0, 1).data().toString(), QStringLiteral("Anzahl"));
  EXPECT_EQ(w.g1Model->index(6, 0).data().toString(), QStringLiteral("5"));

  ASSERT_TRUE(run(kFullSystemOfSix, 5, 0));
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_EQ(summary(), Texts({"Getestet wurden 6 Reihen aus jeweils 5 Zahlen, die aus einem 6er Zahlenpool ohne "
                              "Bankzahl gebildet wurden.",
                              "Theoretisch können aus 6 Zahlen 6 Fünfer-Kombinationen gebildet werden.",
                              "Für 6 mögliche 5er-Kombinationen aus 6 Tippzahlen wird die Garantie für 5 Treffer "
                              "bestätigt.",
                              ""}));
  EXPECT_TRUE(w.ImageJa->isVisible());
  EXPECT_FALSE(w.ImageNein->isVisible());
  EXPECT_EQ(w.PAnzWz->text(), QStringLiteral("6"));
  EXPECT_EQ(w.PAnzR->text(), QStringLiteral("6"));
  EXPECT_EQ(w.PKombis->text(), QStringLiteral("6"));
  EXPECT_EQ(w.Pro1->value(), w.Pro1->maximum());
  EXPECT_FALSE(w.BStop->isVisible());
  EXPECT_TRUE(w.BProof->isVisible());
  // A guarantee check leaves the histogram column empty.
  EXPECT_EQ(histogram(5), QString());

  ASSERT_TRUE(run(kFullSystemOfSix, 4, 0));
  EXPECT_EQ(summary()[2], QStringLiteral("Für 15 mögliche 4er-Kombinationen aus 6 Tippzahlen wird die Garantie für 4 "
                                         "Treffer bestätigt."));

  ASSERT_TRUE(run(kFullSystemOfSix, 5, 1));
  EXPECT_FALSE(w.ImageJa->isVisible());
  EXPECT_FALSE(w.ImageNein->isVisible());
  for (int h = 0; h <= 4; ++h) EXPECT_EQ(histogram(h), QStringLiteral("0")) << h;
  EXPECT_EQ(histogram(5), QStringLiteral("6"));
  EXPECT_EQ(summary()[2], QStringLiteral("Die Tippreihen garantieren fünf Treffer. Wegen der Trefferdetails wird auf "
                                         "die Tabelle links verwiesen."));
}

TEST_F(SysTestTest, BankerIsGreenAndNamedAndRowsOfThreeFillTheirRowsOnly) {
  TFSysTest& w = window();
  ASSERT_TRUE(run("7,1,2\n7,5,6\n10,11,7\n7,12,13", 2, 1));
  EXPECT_EQ(w.PNummerWert[7]->text(), QStringLiteral("4"));
  EXPECT_EQ(Background(w.PNummerWert[7]), QColor(0, 128, 0));
  EXPECT_EQ(Foreground(w.PNummerWert[7]), QColor(Qt::white));
  EXPECT_EQ(w.PNummerWert[1]->text(), QStringLiteral("1"));
  EXPECT_EQ(Background(w.PNummerWert[1]), QColor(128, 255, 128));
  EXPECT_EQ(Foreground(w.PNummerWert[1]), QColor(Qt::black));
  EXPECT_EQ(w.PNummerWert[3]->text(), QStringLiteral("0"));
  EXPECT_EQ(Background(w.PNummerWert[3]), QColor(255, 0, 0));
  EXPECT_EQ(Foreground(w.PNummerWert[3]), QColor(Qt::white));
  EXPECT_EQ(summary()[0], QStringLiteral("Getestet wurden 4 Reihen aus jeweils 3 Zahlen, die aus einem 9er "
                                         "Zahlenpool - darunter eine Bankzahl - gebildet wurden."));
  EXPECT_EQ(summary()[1], QStringLiteral("Theoretisch können aus 9 Zahlen 36 Zweier-Kombinationen gebildet werden."));
  // Rows of three fill the histogram's rows 0..3; the 12 pairs inside a row hit twice, the
  // other 24 once.
  EXPECT_EQ(histogram(0), QStringLiteral("0"));
  EXPECT_EQ(histogram(1), QStringLiteral("24"));
  EXPECT_EQ(histogram(2), QStringLiteral("12"));
  EXPECT_EQ(histogram(3), QStringLiteral("0"));
  EXPECT_EQ(histogram(4), QStringLiteral("---"));
  EXPECT_EQ(histogram(5), QStringLiteral("---"));
  EXPECT_EQ(summary()[2], QStringLiteral("Bei jeder Gewinnreihe bringen die Tippreihen mindestens einen Treffer. "
                                         "Wegen der Trefferdetails wird auf die Tabelle links verwiesen."));

  // Two bankers, and the guarantee check that fails.
  ASSERT_TRUE(run("7,8,1\n7,8,2\n7,8,3", 3, 0));
  EXPECT_NE(summary()[0].indexOf(QStringLiteral(" - darunter zwei Bankzahlen - ")), -1);
  EXPECT_EQ(summary()[2], QStringLiteral("Der Garantietest verlief negativ. 7 mögliche 3er-Kombinationen werden nicht "
                                         "vollständig abgedeckt."));
  EXPECT_FALSE(w.ImageNein->isHidden());
  EXPECT_TRUE(w.ImageJa->isHidden());
}

TEST_F(SysTestTest, BothExampleFormsAndTrailingCommasGiveTheSameSixRows) {
  TFSysTest& w = window();
  QStringList first;
  for (const char* text : {kExampleLines, kExampleBrackets, "  (1,7,11,13,14,),(1,8,10,12,13),(2,3,6,12,14,),"
                                                            "(2,4,5,9,12),(3,4,5,6,9),(7,8,10,11,14)\r\n\r\n"}) {
    ASSERT_TRUE(run(text, 3, 1)) << text;
    EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
    // The normalised rows replace the text: one row per line.
    EXPECT_EQ(w.M1->toPlainText().split(QLatin1Char('\n')).size(), 6) << text;
    EXPECT_EQ(w.PAnzR->text(), QStringLiteral("6"));
    EXPECT_EQ(w.PAnzWz->text(), QStringLiteral("14"));
    EXPECT_EQ(w.PKombis->text(), QStringLiteral("364"));
    const QStringList lines = summary();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Getestet wurden 6 Reihen aus jeweils 5 Zahlen")));
    if (first.isEmpty())
      first = lines;
    else
      EXPECT_EQ(lines, first) << text;
  }
  EXPECT_EQ(w.PNummerWert[12]->text(), QStringLiteral("3"));
}

TEST_F(SysTestTest, RefusedInputChangesNothingAndStartsNoTest) {
  TFSysTest& w = window();
  ASSERT_TRUE(run(kFullSystemOfSix, 5, 0));
  const QString before = w.RE1->toPlainText();
  struct Case {
    const char* text;
    int k;
    const char* message;
  };
  const Case cases[] = {
      {"", 3, "Das Textfeld ist leer. Es gibt nichts zu testen.\r\rIch breche erst einmal ab."},
      {" \n\t ", 3, "Das Textfeld ist leer. Es gibt nichts zu testen.\r\rIch breche erst einmal ab."},
      {"1,2,3,4,51", 3, "In Zeile 1 ist \"51\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1,2,3,4,5\n1,2,x,4,5", 3, "In Zeile 2 ist \"x\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1,2,3\n1,2,4", 5,
       "Aus 4 Zahlen lassen sich keine 5er-Kombinationen bilden. Der Zahlenpool muss mindestens 5 Zahlen "
       "umfassen.\r\rIch breche erst einmal ab."},
  };
  for (const Case& c : cases) {
    MessageBox::clearShown();
    ASSERT_TRUE(run(c.text, c.k, 0));
    ASSERT_EQ(MessageBox::shown().size(), 1u) << c.text;
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(c.message));
    EXPECT_FALSE(w.testing());
    EXPECT_TRUE(w.BStop->isHidden());
    EXPECT_EQ(w.RE1->toPlainText(), before) << c.text;
  }
}

TEST_F(SysTestTest, StopLeavesNoSummaryAndTheNextTestRunsNormally) {
  TFSysTest& w = window();
  w.show();
  // The stop button is pressed as soon as the test has begun.
  QObject::connect(&w, &TFSysTest::testStarted, &w, [&w] {
    EXPECT_TRUE(w.BStop->isVisible());
    EXPECT_FALSE(w.BProof->isVisible());
    EXPECT_FALSE(w.BDel->isEnabled());
    w.BStop->click();
  });
  ASSERT_TRUE(run(ThousandRows(), 5, 1));
  QObject::disconnect(&w, &TFSysTest::testStarted, nullptr, nullptr);
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Die Analyse wurde wunschgemäß abgebrochen."));
  EXPECT_EQ(w.RE1->toPlainText(), QString());
  EXPECT_EQ(histogram(5), QString());
  EXPECT_EQ(w.Pro1->value(), 0);
  EXPECT_FALSE(w.BStop->isVisible());
  EXPECT_TRUE(w.BProof->isVisible());
  EXPECT_TRUE(w.BDel->isEnabled());
  // The number table and the counters keep what the rows gave.
  EXPECT_EQ(w.PAnzWz->text(), QStringLiteral("50"));
  EXPECT_EQ(w.PKombis->text(), QStringLiteral("2.118.760"));
  EXPECT_NE(w.PNummerWert[1]->text(), QStringLiteral("0"));

  MessageBox::clearShown();
  ASSERT_TRUE(run(kFullSystemOfSix, 5, 1));
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(histogram(5), QStringLiteral("6"));
  EXPECT_EQ(summary().size(), 4);
}

TEST_F(SysTestTest, ALongTestRunsBesideTheWindowToItsEnd) {
  TFSysTest& w = window();
  w.show();
  w.M1->setPlainText(QString::fromStdString(ThousandRows()));
  w.Spin2->setValue(5);
  w.rg1Buttons->button(0)->setChecked(true);
  QSignalSpy finished(&w, &TFSysTest::testFinished);
  w.BProof->click();
  ASSERT_TRUE(w.testing());
  // While it runs, the rows cannot change under it, and a second start does nothing.
  EXPECT_TRUE(w.M1->isReadOnly());
  EXPECT_FALSE(w.Spin2->isEnabled());
  w.BProof->click();
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_EQ(finished.size(), 1);
  const auto core = kw::AnalyseRowText(ThousandRows(), 5, kw::CheckMode::Guarantee);
  ASSERT_TRUE(core);
  EXPECT_EQ(summary()[2], QString::fromStdString(core->summary[2]));
  EXPECT_FALSE(w.ImageNein->isHidden());
  EXPECT_FALSE(w.M1->isReadOnly());
}

TEST_F(SysTestTest, ClosingDuringATestEndsItQuietly) {
  TFSysTest& w = window();
  w.show();
  QObject::connect(&w, &TFSysTest::testStarted, &w, [&w] { w.close(); });
  w.M1->setPlainText(QString::fromStdString(ThousandRows()));
  w.Spin2->setValue(5);
  w.BProof->click();
  QObject::disconnect(&w, &TFSysTest::testStarted, nullptr, nullptr);
  EXPECT_FALSE(w.testing());
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(w.RE1->toPlainText(), QString());
  // Reopened, it tests as ever.
  w.show();
  ASSERT_TRUE(run(kFullSystemOfSix, 5, 0));
  EXPECT_EQ(summary().size(), 4);
}

TEST_F(SysTestTest, TheTipCentreSystemItNamesKeepsThePromise) {
  // "... für 10 Tippzahlen in 51 Reihen eine Garantie für 4 Treffer ..."
  TFSysTest& w = window();
  EXPECT_EQ(w.LTippcenter->text(), QString::fromUtf8(kw::ui::kTipCentreHint));
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("für (\\d+) Tippzahlen in (\\d+) Reihen eine Garantie für (\\d+) Treffer"))
          .match(w.LTippcenter->text());
  ASSERT_TRUE(m.hasMatch());
  const int numbers = m.captured(1).toInt(), rows = m.captured(2).toInt(), hits = m.captured(3).toInt();

  // The catalogue has such a system without bankers, and its list text says so.
  int key = 0;
  for (int k = 1; k <= kw::kReducedSystemCount && key == 0; ++k) {
    const kw::SystemEntry e = kw::entry(k);
    if (e.wz == numbers && e.bz == 0 && e.r == rows && kw::catalogueEntry(k).r == rows) key = k;
  }
  ASSERT_NE(key, 0) << "no system of " << numbers << " numbers in " << rows << " rows";
  EXPECT_EQ(kw::listText(key), std::to_string(numbers) + " WZ, 0 BZ, " + std::to_string(rows) + " R, " +
                                   std::to_string(hits) + "er TrG");
  // Its rows over the numbers 1..10, as the tip centre builds them.
  std::string text;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= kw::rowLength(key); ++c) text += (c > 1 ? "," : "") + std::to_string(kw::position(key, r, c));
    text += '\n';
  }
  // All five drawn numbers among the ten: at least four hits, by the core and by this window.
  const auto core = kw::AnalyseRowText(text, 5, kw::CheckMode::Total);
  ASSERT_TRUE(core);
  EXPECT_EQ(core->parsed.poolSize(), numbers);
  EXPECT_EQ(core->parsed.rowCount(), rows);
  int least = 0;
  while (least < 5 && core->histogram[static_cast<std::size_t>(least)] == 0) ++least;
  EXPECT_EQ(least, hits);
  ASSERT_TRUE(run(text, 5, 1));
  EXPECT_EQ(summary()[2], QStringLiteral("Die Tippreihen garantieren mindestens vier Treffer. Wegen der "
                                         "Trefferdetails wird auf die Tabelle links verwiesen."));
  // And the guarantee of its list text: every four of the ten in one row.
  ASSERT_TRUE(run(text, hits, 0));
  EXPECT_FALSE(w.ImageJa->isHidden());
}

TEST_F(SysTestTest, RowsFromASlipOrATextFile) {
  TFSysTest& w = window();
  const std::string slip = dataDir() + "Samstag.emt";
  ASSERT_TRUE(kw::SaveSlipRows({{{3, 12, 25, 38, 47}, {1, 2}}, {{1, 2, 3, 4, 5}, {11, 12}}}, slip).ok());
  FileDialog::setNextPath(QString::fromStdString(slip));
  w.BOpen1->click();
  EXPECT_EQ(w.M1->toPlainText(), QStringLiteral("3,12,25,38,47\n1,2,3,4,5"));
  EXPECT_EQ(w.Panel13->text(), QStringLiteral("Aus Datei: Samstag.emt"));

  // A full text field is only overwritten when the user says yes.
  const std::string txt = dataDir() + "reihen.txt";
  WriteBytes(txt, {'1', ',', '2', ',', '3', '\r', '\n', '4', ',', '5', ',', '6', '\r', '\n'});
  FileDialog::setNextPath(QString::fromStdString(txt));
  MessageBox::setNextAnswer(MessageBox::No);
  w.BOpen1->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].buttons, MessageBox::YesNoCancel);
  EXPECT_EQ(w.M1->toPlainText(), QStringLiteral("3,12,25,38,47\n1,2,3,4,5"));
  MessageBox::setNextAnswer(MessageBox::Yes);
  // The tool bar's open button does the same.
  w.findChild<QAction*>(QStringLiteral("BOpen"))->trigger();
  EXPECT_EQ(w.M1->toPlainText(), QStringLiteral("1,2,3\n4,5,6\n"));
  EXPECT_EQ(w.Panel13->text(), QStringLiteral("Aus Datei: reihen.txt"));

  // Clearing empties the field and the counters and shows every number as 0 on light green.
  ASSERT_TRUE(run("1,2,3\n4,5,6", 2, 1));
  w.BDel->click();
  EXPECT_EQ(w.M1->toPlainText(), QString());
  EXPECT_EQ(w.PAnzR->text(), QString());
  EXPECT_EQ(w.Panel13->text(), QString());
  EXPECT_EQ(w.RE1->toPlainText(), QString());
  EXPECT_EQ(w.PNummerWert[1]->text(), QStringLiteral("0"));
  EXPECT_EQ(Background(w.PNummerWert[50]), QColor(128, 255, 128));
  // The histogram stays.
  EXPECT_EQ(histogram(1), QStringLiteral("9"));

  // A file gone meanwhile is refused with a message, the field stays empty.
  MessageBox::clearShown();
  FileDialog::setNextPath(QString::fromStdString(dataDir() + "weg.emt"));
  w.BOpen1->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::lastText(),
            QStringLiteral("Die Spielschein-Datei \"weg.emt\" wurde nicht gefunden.\r\rIch breche erst einmal ab."));
  EXPECT_EQ(w.M1->toPlainText(), QString());
  EXPECT_EQ(w.Panel13->text(), QString());
}

TEST_F(SysTestTest, DepthAndModeAreKeptInTheIniFile) {
  {
    TFSysTest& w = window();
    // Without a file the design values: guarantee check, three hits.
    EXPECT_EQ(w.rg1Buttons->checkedId(), 0);
    EXPECT_EQ(w.Spin2->value(), 3);
    w.show();
    w.rg1Buttons->button(1)->setChecked(true);
    w.Spin2->setValue(5);
    w.close();
  }
  const kw::IniFile ini = kw::IniFile::Load(dataDir() + kw::kIniFileName);
  EXPECT_EQ(ini.readInt("SysTest", "check", -1), 1);
  EXPECT_EQ(ini.readInt("SysTest", "Treffer", -1), 5);
  restart();
  EXPECT_EQ(window().rg1Buttons->checkedId(), 1);
  EXPECT_EQ(window().Spin2->value(), 5);
}

TEST_F(SysTestTest, Navigation) {
  using kw::ui::Command;
  kw::ui::Navigation* nav = window().navigation();
  EXPECT_FALSE(nav->isEnabled(Command::TipAnalysis));
  EXPECT_FALSE(nav->isEnabled(Command::Print));
  EXPECT_FALSE(nav->isEnabled(Command::PrinterSetup));
  EXPECT_TRUE(nav->isEnabled(Command::OpenSlip));
  EXPECT_TRUE(nav->isEnabled(Command::Statistics));
  EXPECT_EQ(nav->helpContext(), 1007);
}

}  // namespace
}  // namespace kwtest
