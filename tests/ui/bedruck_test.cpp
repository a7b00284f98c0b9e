#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <fstream>

#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "printing/pdf_marks.h"
#include "printing/slip_printer.h"
#include "ui/Auswertung.h"
#include "ui/BEDruck.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

namespace kwtest {
namespace {

using kw::ui::MessageBox;
using kw::ui::TFBEDruck;

// Tip row i of the fixtures: main numbers i..i+4, stars (i mod 11) + 1 and 12.
kw::TSchein FixtureRow(int i) {
  kw::TSchein row;
  for (std::size_t k = 0; k < 5; ++k) row.GZ[k] = static_cast<std::uint8_t>(i + static_cast<int>(k));
  row.SZ[0] = static_cast<std::uint8_t>(i % 11 + 1);
  row.SZ[1] = 12;
  return row;
}

const char* const kAsk =
    "War der Ausdruck in Ordnung?\r- \"Ja\" macht mit dem nächsten Schein weiter,\r- \"Nein\" wiederholt den "
    "Ausdruck des letzten Scheins,\r- \"Abbrechen\" bricht den Ausdruck ab.";

class BEDruckTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    TFBEDruck::setTestPrinterSource([this]() -> std::unique_ptr<kw::SlipJobPrinter> {
      ++runs;
      if (cancelPrinterSetUp) return nullptr;
      if (brokenPrinter) return std::make_unique<kw::PdfSlipJobs>(QString::fromStdString(home.path() + "fehlt/slip"));
      return std::make_unique<kw::PdfSlipJobs>(stem());
    });
  }
  void TearDown() override {
    TFBEDruck::setTestPrinterSource(nullptr);
    while (QWidget* w = TopLevel("FBEDruck")) delete w;
    UiTest::TearDown();
  }

  QString stem() const { return QString::fromStdString(home.path() + "slip"); }
  // The PDF files of the last run, one per print job.
  QStringList jobFiles() const {
    QStringList files;
    for (int job = 1; QFile::exists(stem() + QStringLiteral("-%1.pdf").arg(job)); ++job)
      files << stem() + QStringLiteral("-%1.pdf").arg(job);
    return files;
  }

  std::string writeSlip(const std::string& name, int rows) const {
    std::vector<kw::TSchein> records;
    for (int i = 1; i <= rows; ++i) records.push_back(FixtureRow(i));
    const std::string path = dataDir() + name;
    EXPECT_TRUE(kw::SaveSlipRows(records, path).ok());
    return path;
  }

  TFBEDruck* openWithSlip(int rows) {
    auto* w = catalogue().showSlipPrinting();
    kw::ui::FileDialog::setNextPath(QString::fromStdString(writeSlip("Mittwoch.emt", rows)));
    w->bsSkinSpeedButton1->click();
    return w;
  }

  // The marks the slip of table rows first..last must carry, in slip positions.
  static std::vector<kw::SlipMark> Expected(int first, int last, std::optional<int> joker, std::optional<int> draws,
                                            const std::string& number) {
    std::vector<kw::SlipRowValues> rows;
    for (int r = first; r <= last; ++r) {
      const kw::TSchein t = FixtureRow(r);
      rows.push_back({t.GZ[0], t.GZ[1], t.GZ[2], t.GZ[3], t.GZ[4], t.SZ[0], t.SZ[1]});
    }
    return kw::SlipMarks(rows, {joker, draws, number});
  }

  // Every expected mark is printed once, moved by the corrections, and nothing else is printed.
  static void ExpectPrinted(const QString& pdf, std::vector<kw::SlipMark> marks, int horizontal = 0, int vertical = 0) {
    SCOPED_TRACE(pdf.toStdString());
    std::vector<PrintedWord> words = ReadPrintedWords(pdf);
    ASSERT_EQ(words.size(), marks.size());
    for (const kw::SlipMark& mark : marks) {
      const double x = mark.at.x + horizontal;
      const double y = mark.at.y + vertical;
      const auto it = std::find_if(words.begin(), words.end(), [&](const PrintedWord& w) {
        return w.text.toStdString() == mark.text && std::abs(w.x - x) < 1.0 && std::abs(w.y - y) < 1.0;
      });
      EXPECT_NE(it, words.end()) << "no \"" << mark.text << "\" at " << x << "," << y;
      if (it != words.end()) words.erase(it);
    }
  }

  int runs = 0;
  bool cancelPrinterSetUp = false;
  bool brokenPrinter = false;  // its output folder does not exist
};

QStringList AllLabelTexts(const QWidget& w) {
  QStringList texts;
  for (const QLabel* label : w.findChildren<QLabel*>()) texts << label->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
  return texts;
}

TEST_F(BEDruckTest, ShowsItsControlsTextsAndDefaults) {
  TFBEDruck* w = catalogue().showSlipPrinting();
  EXPECT_EQ(w->objectName(), QStringLiteral("FBEDruck"));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Spielschein-Druck"));
  EXPECT_EQ(w->Ehori->text(), QStringLiteral("250"));
  EXPECT_EQ(w->Evert->text(), QString());
  EXPECT_EQ(w->ENr->text(), QStringLiteral("1"));
  EXPECT_EQ(w->EStart->text(), QStringLiteral("1"));
  EXPECT_EQ(w->EEnde->text(), QString());
  EXPECT_TRUE(w->RGJoker->isChecked());
  EXPECT_EQ(w->jokerIndex(), 0);
  EXPECT_EQ(w->drawCountIndex(), 0);
  EXPECT_TRUE(w->cbNr->isChecked());
  EXPECT_TRUE(w->cbFragen->isChecked());
  EXPECT_FALSE(w->BStop->isEnabled());
  EXPECT_TRUE(w->BAusdruck->isEnabled());

  EXPECT_EQ(w->RGJoker->title(), QStringLiteral("Joker +"));
  EXPECT_EQ(w->RGZiehungen->title(), QStringLiteral("Ziehungen"));
  EXPECT_EQ(w->cbNr->title(), QStringLiteral("Tippschein-Nummern-Druck"));
  EXPECT_EQ(w->cbFragen->text(), QStringLiteral("Fragen, ob Ausdruck korrekt ist"));
  EXPECT_EQ(w->BAusdruck->text(), QStringLiteral("Drucken starten"));
  EXPECT_EQ(w->BStop->text(), QStringLiteral("Drucken stoppen"));
  EXPECT_EQ(w->bsSkinSpeedButton1->text(), QStringLiteral("Spielschein-\nDatei öffnen..."));
  const QStringList options = Texts({"1,50 €", "3,00 €", "4,50 €", "6,00 €", "1", "2", "4", "6", "8", "10"});
  QStringList shown;
  for (const char* group : {"RGJoker", "RGZiehungen"})
    for (const QRadioButton* b : w->findChild<QGroupBox*>(QString::fromLatin1(group))->findChildren<QRadioButton*>())
      shown << b->text();
  EXPECT_EQ(shown, options);

  const QStringList labels = AllLabelTexts(*w);
  for (const QString& text : Texts({"Bitte beachten!", "Hinterlegt sind die Druckdaten für belgische Spielscheine",
                                    "Zusatzangaben", "Minus rückt den Ausdruck horizontal nach links, vertikal nach oben.",
                                    "Angaben sind in Zehntel-Millime- ter zu machen", "0,1 mm",
                                    "Den Tippscheinen wird eine laufende Nummer aufgedruckt.", "Start-Nummer:",
                                    "horizontal:", "vertikal:", "Ausdruck ab Tippreihe:", "bis Tippreihe:",
                                    "Benötigte Tipp- scheine:", "Erläuterungen um Ausdruck", "Datei"}))
    EXPECT_TRUE(labels.contains(text)) << text.toStdString();

  const QStringList lines = w->MInfo->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 19);
  EXPECT_EQ(lines.front(), QStringLiteral("Abgebildet ist das Papierfach meines Laser- "));
  EXPECT_EQ(lines[6], QStringLiteral("Die beiden mit \"3\" gekenneichneten Hände weisen "));
  EXPECT_EQ(lines.back(), QStringLiteral("Millimeter."));
  EXPECT_TRUE(w->MInfo->isReadOnly());
  EXPECT_FALSE(w->ImageTray->pixmap().isNull());

  // The tip table: header and 17 numbered empty rows.
  EXPECT_EQ(w->G2->model()->rowCount(), 17);
  EXPECT_EQ(w->G2->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("S1"));
}

TEST_F(BEDruckTest, PrintButtonsFindTheOneWindowWhichIsDestroyedWhenClosed) {
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  QAction* print = main.findChild<QAction*>(QStringLiteral("BDruck"));
  ASSERT_TRUE(print && print->isEnabled());
  print->trigger();
  QPointer<TFBEDruck> w = qobject_cast<TFBEDruck*>(TopLevel("FBEDruck"));
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->isVisible());

  w->showMinimized();
  catalogue().commands().find(kw::ui::Command::SlipPrint)->operator()();
  EXPECT_EQ(TopLevel("FBEDruck"), w.data());
  EXPECT_FALSE(w->isMinimized());
  int windows = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) windows += top->objectName() == QStringLiteral("FBEDruck");
  EXPECT_EQ(windows, 1);

  w->BitBtnClose->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(TopLevel("FBEDruck"), nullptr);
}

TEST_F(BEDruckTest, KeepsItsControlsInTheIniSectionDruck) {
  const std::string ini = dataDir() + kw::kIniFileName;
  struct Case {
    const char* what;
    const char* file;  // null: no file
    int joker, draws;
    bool nr;
    const char* h;
    const char* v;
  };
  const Case cases[] = {
      {"no file: design values", nullptr, 0, 0, true, "250", ""},
      {"stored values", "[Druck]\r\nJoker=2\r\nZiehungen=5\r\nNr=0\r\nhKorr=-15\r\nvKorr=40\r\n", 2, 5, false, "-15", "40"},
      {"Joker left without a choice", "[Druck]\r\nJoker=-1\r\nZiehungen=1\r\n", -1, 1, true, "250", ""},
      {"numbers out of range fall back", "[Druck]\r\nJoker=9\r\nZiehungen=-3\r\nNr=1\r\n", 0, 0, true, "250", ""},
      {"file of another window only", "[Eingabe]\r\nover=0\r\n", 0, 0, true, "250", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(ini.c_str());
    if (c.file) std::ofstream(ini, std::ios::binary) << c.file;
    auto* w = new TFBEDruck(store());
    EXPECT_EQ(w->jokerIndex(), c.joker);
    EXPECT_TRUE(w->RGJoker->isChecked());  // switched on at every start
    EXPECT_EQ(w->drawCountIndex(), c.draws);
    EXPECT_EQ(w->cbNr->isChecked(), c.nr);
    EXPECT_EQ(w->Ehori->text(), QString::fromUtf8(c.h));
    EXPECT_EQ(w->Evert->text(), QString::fromUtf8(c.v));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Closing writes the section and leaves the other windows' sections alone.
  std::ofstream(ini, std::ios::binary) << "[Eingabe]\r\nover=0\r\n";
  auto* w = new TFBEDruck(store());
  w->RGJoker->setChecked(false);
  w->setDrawCountIndex(3);
  w->cbNr->setChecked(false);
  w->Ehori->setText(QStringLiteral("180"));
  w->Evert->setText(QStringLiteral("-7"));
  w->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const kw::IniFile file = kw::IniFile::Load(ini);
  EXPECT_EQ(file.readInt("Druck", "Joker", 99), -1);
  EXPECT_EQ(file.readInt("Druck", "Ziehungen", 99), 3);
  EXPECT_EQ(file.readInt("Druck", "Nr", 99), 0);
  EXPECT_EQ(file.readString("Druck", "hKorr", "?"), "180");
  EXPECT_EQ(file.readString("Druck", "vKorr", "?"), "-7");
  EXPECT_EQ(file.readInt("Eingabe", "over", 99), 0);

  auto* again = new TFBEDruck(store());
  EXPECT_EQ(again->jokerIndex(), -1);
  EXPECT_EQ(again->drawCountIndex(), 3);
  EXPECT_EQ(again->Evert->text(), QStringLiteral("-7"));
  delete again;
}

TEST_F(BEDruckTest, OpeningASlipFileShowsItsRowsNameRangeAndSlipCount) {
  TFBEDruck* w = openWithSlip(13);
  EXPECT_EQ(w->LDatei->text(), QStringLiteral("Mittwoch.emt"));
  EXPECT_EQ(w->EEnde->text(), QStringLiteral("13"));
  EXPECT_EQ(w->LAnzTs->text(), QStringLiteral("3"));
  ASSERT_EQ(w->G2->model()->rowCount(), 13);
  const QAbstractItemModel* m = w->G2->model();
  EXPECT_EQ(m->data(m->index(12, 0)).toString(), QStringLiteral("13"));
  EXPECT_EQ(m->data(m->index(12, 1)).toString(), QStringLiteral("13"));
  EXPECT_EQ(m->data(m->index(12, 7)).toString(), QStringLiteral("12"));

  // Cancelling the dialog changes nothing.
  kw::ui::FileDialog::setNextPath(QString());
  w->bsSkinSpeedButton1->click();
  EXPECT_EQ(w->LDatei->text(), QStringLiteral("Mittwoch.emt"));
  EXPECT_EQ(w->G2->model()->rowCount(), 13);
}

TEST_F(BEDruckTest, ThirteenRowsGoOnThreeSlipsEachAJobOfItsOwnWithJokerDrawsNumberAndCorrections) {
  TFBEDruck* w = openWithSlip(13);
  w->setJokerIndex(1);
  w->setDrawCountIndex(2);
  w->Ehori->setText(QStringLiteral("250"));
  w->Evert->setText(QStringLiteral("-20"));
  for (int i = 0; i < 3; ++i) MessageBox::setNextAnswer(MessageBox::Yes);
  w->BAusdruck->click();

  const QStringList files = jobFiles();
  ASSERT_EQ(files.size(), 3);
  ExpectPrinted(files[0], Expected(1, 6, 1, 2, "1/3"), 250, -20);
  ExpectPrinted(files[1], Expected(7, 12, 1, 2, "2/3"), 250, -20);
  ExpectPrinted(files[2], Expected(13, 13, 1, 2, "3/3"), 250, -20);  // panel 1 only
  for (const QString& f : files) EXPECT_EQ(PdfPages(f), 1);
  ASSERT_EQ(MessageBox::shown().size(), 3u);
  for (const auto& shown : MessageBox::shown()) {
    EXPECT_EQ(shown.kind, MessageBox::Confirmation);
    EXPECT_EQ(shown.buttons, MessageBox::YesNoCancel);
    EXPECT_EQ(shown.text, QString::fromUtf8(kAsk));
  }
  EXPECT_FALSE(w->BStop->isEnabled());
  EXPECT_TRUE(w->BAusdruck->isEnabled());
}

TEST_F(BEDruckTest, NoReprintsTheSameSlipWithItsNumberAndCancelEndsTheRun) {
  struct Case {
    const char* what;
    std::vector<MessageBox::Answer> answers;
    std::vector<std::pair<int, int>> slips;  // rows of each job
    std::vector<const char*> numbers;
  };
  const Case cases[] = {
      {"No after slip 2", {MessageBox::Yes, MessageBox::No, MessageBox::Yes, MessageBox::Yes},
       {{1, 6}, {7, 12}, {7, 12}, {13, 13}}, {"1/3", "2/3", "2/3", "3/3"}},
      {"Cancel after slip 1", {MessageBox::Cancel}, {{1, 6}}, {"1/3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const QString& f : jobFiles()) QFile::remove(f);
    MessageBox::clearShown();
    TFBEDruck* w = openWithSlip(13);
    for (auto a : c.answers) MessageBox::setNextAnswer(a);
    w->BAusdruck->click();
    const QStringList files = jobFiles();
    ASSERT_EQ(files.size(), static_cast<qsizetype>(c.slips.size()));
    for (std::size_t i = 0; i < c.slips.size(); ++i)
      ExpectPrinted(files[static_cast<qsizetype>(i)], Expected(c.slips[i].first, c.slips[i].second, 0, 0, c.numbers[i]), 250);
    EXPECT_EQ(MessageBox::shown().size(), c.answers.size());
    EXPECT_FALSE(w->BStop->isEnabled());
  }
}

TEST_F(BEDruckTest, TheStopButtonEndsTheRunAfterTheCurrentSlip) {
  TFBEDruck* w = openWithSlip(20);
  w->cbFragen->setChecked(false);
  // Pressed as soon as the window gets to handle events during the run.
  bool wasEnabled = false;
  QTimer::singleShot(0, w, [w, &wasEnabled] {
    wasEnabled = w->BStop->isEnabled() && w->isPrinting();
    w->BStop->click();
  });
  w->BAusdruck->click();
  EXPECT_TRUE(wasEnabled);
  const QStringList files = jobFiles();
  ASSERT_EQ(files.size(), 1);
  ExpectPrinted(files[0], Expected(1, 6, 0, 0, "1/4"), 250);
  EXPECT_FALSE(w->BStop->isEnabled());
  EXPECT_TRUE(MessageBox::shown().empty());

  // The next run starts afresh and prints every slip.
  for (const QString& f : files) QFile::remove(f);
  w->BAusdruck->click();
  EXPECT_EQ(jobFiles().size(), 4);
}

TEST_F(BEDruckTest, ClosingTheWindowDuringARunStopsItAfterTheCurrentSlipThenCloses) {
  QPointer<TFBEDruck> w = openWithSlip(13);
  w->cbFragen->setChecked(false);
  QTimer::singleShot(0, w, [w] { w->close(); });
  w->BAusdruck->click();
  EXPECT_EQ(jobFiles().size(), 1);
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
}

TEST_F(BEDruckTest, RefusesWhatCannotBePrintedWithoutPrintingAnything) {
  struct Case {
    const char* what;
    int rows;  // 0: no file opened
    const char* start;
    const char* end;
    const char* nr;
    const char* h;
    bool cancelSetUp;
    bool broken;
    MessageBox::Kind kind;
    const char* message;  // null: no message
  };
  const char* range = "Bitte prüfen Sie Start und Ende des Tippreihen-Ausdrucks.\r\rIch breche erst einmal ab.";
  const Case cases[] = {
      {"empty table", 0, "1", "", "1", "250", false, false, MessageBox::Information, "Es gibt nichts zu drucken, ich breche ab."},
      {"end before start", 13, "9", "4", "1", "250", false, false, MessageBox::Information, range},
      {"end past the last row", 13, "1", "14", "1", "250", false, false, MessageBox::Information, range},
      {"start no number", 13, "a", "5", "1", "250", false, false, MessageBox::Information, range},
      {"start number no number", 13, "1", "5", "x1", "250", false, false, MessageBox::Error, "'x1' ist kein gültiger Integerwert"},
      {"correction no number", 13, "1", "5", "1", "2,5", false, false, MessageBox::Error, "'2,5' ist kein gültiger Integerwert"},
      {"printer set-up cancelled", 13, "1", "5", "1", "250", true, false, MessageBox::Information, nullptr},
      {"printer cannot be opened", 13, "1", "5", "1", "250", false, true, MessageBox::Error,
       "Der Drucker ließ sich nicht ansprechen; der Ausdruck wurde nicht gesendet.\r\rIch breche ab."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageBox::clearShown();
    cancelPrinterSetUp = c.cancelSetUp;
    brokenPrinter = c.broken;
    TFBEDruck* w = c.rows ? openWithSlip(c.rows) : catalogue().showSlipPrinting();
    w->EStart->setText(QString::fromUtf8(c.start));
    w->EEnde->setText(QString::fromUtf8(c.end));
    w->ENr->setText(QString::fromUtf8(c.nr));
    w->Ehori->setText(QString::fromUtf8(c.h));
    runs = 0;
    w->BAusdruck->click();
    EXPECT_TRUE(jobFiles().isEmpty());
    EXPECT_EQ(runs, c.rows ? 1 : 0) << "printer set-up offered";  // never for an empty table
    if (c.message) {
      ASSERT_EQ(MessageBox::shown().size(), 1u);
      EXPECT_EQ(MessageBox::shown()[0].kind, c.kind);
      EXPECT_EQ(MessageBox::shown()[0].text, QString::fromUtf8(c.message));
    } else {
      EXPECT_TRUE(MessageBox::shown().empty());
    }
    EXPECT_FALSE(w->BStop->isEnabled());
    delete w;
  }
}

TEST_F(BEDruckTest, EmptyRangeFieldsAreFilledAndSwitchedOffExtrasPrintNothing) {
  TFBEDruck* w = openWithSlip(8);
  w->EStart->setText(QStringLiteral("0"));
  w->EEnde->clear();
  w->ENr->setText(QStringLiteral("7"));
  w->Ehori->clear();
  // Switching "Joker +" off drops its choice; on again, still nothing is chosen.
  w->RGJoker->setChecked(false);
  w->RGJoker->setChecked(true);
  EXPECT_EQ(w->jokerIndex(), -1);
  w->cbFragen->setChecked(false);
  w->BAusdruck->click();
  EXPECT_EQ(w->EStart->text(), QStringLiteral("1"));
  EXPECT_EQ(w->EEnde->text(), QStringLiteral("8"));
  EXPECT_EQ(w->LAnzTs->text(), QStringLiteral("2"));
  QStringList files = jobFiles();
  ASSERT_EQ(files.size(), 2);
  ExpectPrinted(files[0], Expected(1, 6, std::nullopt, 0, "7/2"));
  ExpectPrinted(files[1], Expected(7, 8, std::nullopt, 0, "8/2"));

  // Without slip numbers, start 5 to end 5: one slip with row 5 in panel 1; the start number
  // does not matter then.
  for (const QString& f : files) QFile::remove(f);
  w->cbNr->setChecked(false);
  w->ENr->setText(QStringLiteral("?"));
  w->EStart->setText(QStringLiteral("5"));
  w->EEnde->setText(QStringLiteral("5"));
  w->BAusdruck->click();
  files = jobFiles();
  ASSERT_EQ(files.size(), 1);
  ExpectPrinted(files[0], Expected(5, 5, std::nullopt, 0, ""));
  EXPECT_EQ(w->LAnzTs->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace kwtest
