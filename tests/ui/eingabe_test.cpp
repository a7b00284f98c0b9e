#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include "core/file_io.h"
#include "core/records.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "ui/Auswertung.h"
#include "ui/Eingabe.h"
#include "ui/Kal.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/printer_setup.h"
#include "ui/tip_table_model.h"
#include "ui_fixture.h"

using kw::ui::Command;
using kw::ui::FileDialog;
using kw::ui::MessageBox;
using kw::ui::TFEingabe;

namespace kwtest {
namespace {

const QString kBlanksQuestion = QString::fromUtf8(
    "Dienen die vorhandenen Leerzeichen der Trennung der Zahlen?\r\rWenn Sie mit \"Nein\" antworten, sind sie "
    "überflüssig und werden gelöscht.\r\rWenn Sie mit \"Ja\" antworten, werden die Leerzeichen in Kommata umgewandelt.");
const QString kNoSevenInLine1 = QString::fromUtf8(
    "In Zeile 1 kann ich keine sieben Zahlen ausmachen.\r\rBitte geben Sie Ihre Tippzahlen, 5 aus 50 und 2 aus 12 "
    "zeilenweise, jeweils durch Kommata getrennt ein.\r\rIch breche erst einmal ab.");

kw::TSchein Slip(std::vector<int> n) {
  kw::TSchein s;
  for (std::size_t i = 0; i < 5; ++i) s.GZ[i] = static_cast<std::uint8_t>(n[i]);
  for (std::size_t i = 0; i < 2; ++i) s.SZ[i] = static_cast<std::uint8_t>(n[5 + i]);
  return s;
}

class EingabeTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = std::make_unique<TFEingabe>(context());
  }
  void TearDown() override {
    window.reset();
    kw::ui::PrinterSetup::setTestHook({});
    UiTest::TearDown();
  }

  template <class T>
  T* child(const char* name) const {
    auto* c = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  void click(const char* name) const { child<QPushButton>(name)->click(); }
  QString text() const { return window->M1->toPlainText(); }
  // The rows of a grid as "1: 2 7 12 22 38 | 4 7", the way one reads them off the screen.
  static QStringList Rows(const kw::ui::TipTableModel* model) {
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
      auto cell = [&](int c) { return model->index(r, c).data().toString(); };
      rows << QStringLiteral("%1: %2 %3 %4 %5 %6 | %7 %8")
                  .arg(cell(0), cell(1), cell(2), cell(3), cell(4), cell(5), cell(6), cell(7));
    }
    return rows;
  }
  QStringList slipRows() const { return Rows(window->slipModel()); }
  void transfer(const QString& typed, bool append) {
    window->M1->setPlainText(typed);
    child<QRadioButton>(append ? "RG1Item1" : "RG1Item0")->setChecked(true);
    click("BTransfer");
  }
  std::string iniFile() const { return dataDir() + kw::kIniFileName; }

  std::unique_ptr<TFEingabe> window;
};

TEST_F(EingabeTest, WindowCarriesItsNamesCaptionsAndNumberButtons) {
  EXPECT_EQ(window->objectName(), QStringLiteral("FEingabe"));
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Kugelwerk 1.7.1.1 - Tippreihen-Eingabe"));
  const std::pair<const char*, const char*> captions[] = {
      {"BTransfer", "Über-\ntragen"}, {"BTransfer1", "Über-\ntragen"}, {"BDel", "Alles\nlöschen"},
      {"BOpen1", "Spielschein-\nDatei öffnen"}, {"BitBtn3", "Speichern"}, {"BitBtn4", "Löschen"},
      {"BitBtn2", "Öffnen..."}, {"BitBtn5", "Öffnen..."}, {"BWeiter", "Weiter"}, {"BitBtn8", "Sch&ließen"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(child<QPushButton>(name)->text(), QString::fromUtf8(caption));
  EXPECT_EQ(child<QCheckBox>("cb1")->text(), QString::fromUtf8("Reihen mit Übertragung prüfen"));
  QStringList pages;
  for (int i = 0; i < window->PC1->count(); ++i) pages << window->PC1->tabText(i);
  EXPECT_EQ(pages, Texts({"Manuell", "Spielschein", "Import", "System"}));

  ASSERT_EQ(window->lotE.size(), 50u);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 10; ++j) {
      const int n = (i - 1) * 10 + j;
      auto* b = child<QPushButton>(QStringLiteral("lotE%1").arg(n).toLatin1().constData());
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->text(), QString::number(n));
      EXPECT_EQ(b->geometry(), QRect(23 * j - 17, 23 * i + 55, 21, 21)) << n;
      EXPECT_EQ(b->parentWidget(), window->Tab1) << n;
    }
}

// The long hints wrap inside the window's designed width instead of widening it and being cut.
TEST_F(EingabeTest, EveryPageFitsTheDesignedWidth) {
  window->show();
  for (int i = 0; i < window->PC1->count(); ++i) {
    window->PC1->setCurrentIndex(i);
    EXPECT_LE(window->minimumSizeHint().width(), 718) << window->PC1->tabText(i).toStdString();
  }
}

TEST_F(EingabeTest, NumberButtonsCloseALineAfterTheSeventhNumber) {
  struct Case {
    const char* before;
    std::vector<int> clicks;
    const char* after;
  };
  const Case cases[] = {
      {"", {2, 7, 12, 22, 38, 4, 7}, "2,7,12,22,38,4,7\n"},
      {"", {2, 7, 12, 22, 38, 4, 7, 9}, "2,7,12,22,38,4,7\n9,"},
      {"1,2,", {3}, "1,2,3,"},
      {"1,2,3,4,5,6,", {50}, "1,2,3,4,5,6,50\n"},
      // A line finished by hand is not extended into an eighth field or a longer number.
      {"1,2,3,4,5,6,7", {9}, "1,2,3,4,5,6,7\n9,"},
  };
  for (const Case& c : cases) {
    window->M1->setPlainText(QString::fromUtf8(c.before));
    for (int n : c.clicks) window->lotE[static_cast<std::size_t>(n - 1)]->click();
    EXPECT_EQ(text(), QString::fromUtf8(c.after)) << c.before;
  }
}

TEST_F(EingabeTest, TypingKeepsOnlyDigitsCommasBlanksAndEditingKeys) {
  window->show();
  window->M1->setFocus();
  for (const QChar ch : QString::fromUtf8("1a,;2 x.9é")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(window->M1, &press);
  }
  EXPECT_EQ(text(), QStringLiteral("1,2 9"));
  QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
  QApplication::sendEvent(window->M1, &backspace);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(window->M1, &enter);
  EXPECT_EQ(text(), QStringLiteral("1,2 \n"));
}

TEST_F(EingabeTest, TransferAppendsAfterTheSlipOrOverwritesIt) {
  transfer(QStringLiteral("1,2,3,4,5,1,2\n6,7,8,9,10,3,4\n11,12,13,14,15,5,6\n16,17,18,19,20,7,8\n21,22,23,24,25,9,10"),
           false);
  ASSERT_EQ(slipRows().size(), 5);

  transfer(QStringLiteral("38,2,22,7,12,7,4\n50,49,48,47,46,12,11\n"), true);
  EXPECT_EQ(slipRows().mid(4), Texts({"5: 21 22 23 24 25 | 9 10", "6: 2 7 12 22 38 | 4 7", "7: 46 47 48 49 50 | 11 12"}));
  EXPECT_EQ(text(), QStringLiteral("38,2,22,7,12,7,4\n50,49,48,47,46,12,11\n"));  // the text stays

  transfer(QStringLiteral("2,7,12,22,38,4,7"), false);
  EXPECT_EQ(slipRows(), Texts({"1: 2 7 12 22 38 | 4 7"}));
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(EingabeTest, BlanksQuestionDecidesHowTheTextIsRead) {
  struct Case {
    MessageBox::Answer answer;
    const char* textAfter;
    QStringList rows;
    QString error;  // empty: no error message
  };
  const Case cases[] = {
      {MessageBox::Yes, "2,7,12,22,38,4,7", Texts({"1: 2 7 12 22 38 | 4 7"}), {}},
      {MessageBox::No, "2712223847", {}, kNoSevenInLine1},
      {MessageBox::Cancel, "2 7 12 22 38 4 7", {}, {}},
  };
  for (const Case& c : cases) {
    window->BitBtn4Click();
    MessageBox::clearShown();
    MessageBox::setNextAnswer(c.answer);
    transfer(QStringLiteral("2  7 12 22 38 4 7"), false);

    const auto& shown = MessageBox::shown();
    ASSERT_GE(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kBlanksQuestion);
    EXPECT_EQ(shown[0].kind, MessageBox::Confirmation);
    EXPECT_EQ(shown[0].buttons, MessageBox::YesNoCancel);
    ASSERT_EQ(shown.size(), c.error.isEmpty() ? 1u : 2u) << c.answer;
    if (!c.error.isEmpty()) {
      EXPECT_EQ(shown[1].text, c.error);
    }
    EXPECT_EQ(text(), QString::fromUtf8(c.textAfter)) << c.answer;
    const QStringList filled = slipRows().filter(QRegularExpression(QStringLiteral("^\\d+: \\d")));
    EXPECT_EQ(filled, c.rows) << c.answer;
  }
}

TEST_F(EingabeTest, RefusedTransferLeavesTheSlipAlone) {
  struct Case {
    bool check;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {true, "", "Das Textfeld ist leer. Es gibt nichts zu übertragen.\r\rIch breche erst einmal ab."},
      {true, "1,2,3,4,5,6,13",
       "In Zeile 1 ist die 7. Zahl, die 13, keine gültige Sternzahl.\r\rDie beiden Sternzahlen sind aus der "
       "Zahlenreihe 1 bis 12 zu wählen.\r\rIch breche erst einmal ab."},
      {false, "2;7;12;22;38;4;7", "'2;7;12;22;38;4;7' ist kein gültiger Integerwert"},
  };
  transfer(QStringLiteral("1,2,3,4,5,1,2"), false);
  for (const Case& c : cases) {
    MessageBox::clearShown();
    window->cb1->setChecked(c.check);
    transfer(QString::fromUtf8(c.typed), true);
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(c.message));
    EXPECT_EQ(slipRows().first(), QStringLiteral("1: 1 2 3 4 5 | 1 2"));
    EXPECT_EQ(slipRows().size(), 1);
  }
}

TEST_F(EingabeTest, OpenedSlipIsCopiedIntoTheTextBelowWhatIsThere) {
  const std::string path = dataDir() + "Freitag.emt";
  ASSERT_TRUE(kw::SaveSlipRows({Slip({2, 7, 12, 22, 38, 4, 7}), Slip({1, 2, 3, 4, 5, 6, 7}), Slip({10, 20, 30, 40, 50, 1, 12})},
                               path)
                  .ok());
  click("BTransfer1");
  EXPECT_EQ(MessageBox::lastText(),
            QString::fromUtf8("Die Tabelle ist leer. Es gibt nichts zu übertragen.\r\rIch breche erst einmal ab."));

  FileDialog::setNextPath(QString::fromStdString(path));
  click("BOpen1");
  EXPECT_EQ(window->PC1->currentWidget(), window->Tab2);
  EXPECT_EQ(Rows(window->openedSlipModel()).size(), 3);

  window->M1->setPlainText(QStringLiteral("5,6,7,8,9,1,2"));
  click("BTransfer1");
  EXPECT_EQ(text(), QStringLiteral("5,6,7,8,9,1,2\n2,7,12,22,38,4,7\n1,2,3,4,5,6,7\n10,20,30,40,50,1,12\n"));
  // What came over transfers like typed rows.
  transfer(text(), false);
  EXPECT_EQ(slipRows().size(), 4);
}

TEST_F(EingabeTest, TextFileReplacesTheText) {
  const std::string path = dataDir() + "tipps.txt";
  WriteBytes(path, {'2', ';', '7', ';', '1', '2', ';', '2', '2', ';', '3', '8', ';', '4', ';', '7', '\r', '\n',
                    '1', ' ', '2', ' ', '3', ' ', '4', ' ', '5', ' ', '6', ' ', '7', '\r', '\n'});
  window->M1->setPlainText(QStringLiteral("old"));
  FileDialog::setNextPath(QString::fromStdString(path));
  click("BitBtn2");
  EXPECT_EQ(text(), QStringLiteral("2;7;12;22;38;4;7\n1 2 3 4 5 6 7\n"));

  MessageBox::setNextAnswer(MessageBox::Yes);
  transfer(text(), false);
  EXPECT_EQ(slipRows(), Texts({"1: 2 7 12 22 38 | 4 7", "2: 1 2 3 4 5 | 6 7"}));

  // A file that went away: a message, and the text stays.
  FileDialog::setNextPath(QString::fromStdString(dataDir() + "weg.txt"));
  MessageBox::clearShown();
  click("BitBtn2");
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(text(), QStringLiteral("2,7,12,22,38,4,7\n1,2,3,4,5,6,7\n"));
}

TEST_F(EingabeTest, UnreadableWorkbookIsReportedAndTheTextStays) {
  const std::string path = dataDir() + "tipps.xlsx";
  WriteBytes(path, {'k', 'e', 'i', 'n', ' ', 'Z', 'I', 'P'});
  window->M1->setPlainText(QStringLiteral("1,2,3,4,5,6,7"));
  window->Scr1->setValue(3);
  FileDialog::setNextPath(QString::fromStdString(path));
  click("BitBtn5");
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_FALSE(MessageBox::shown()[0].text.isEmpty());
  EXPECT_EQ(text(), QStringLiteral("1,2,3,4,5,6,7"));
  EXPECT_EQ(child<QLabel>("PTab")->text(), QStringLiteral("3"));
}

// Real workbooks from both formats: the plain tip sheet, and the sheet whose note in column AZ
// makes every row 52 cells wide; both end as one tip row per worksheet row.
TEST_F(EingabeTest, WorkbookSheetBecomesOneTipRowPerLine) {
  const QStringList tips = Texts({"1: 2 7 12 22 38 | 4 7", "2: 1 2 3 4 5 | 1 2", "3: 10 20 30 40 50 | 11 12"});
  struct Case {
    const char* path;
    int sheet;
  };
  const Case cases[] = {
      {KW_WORKBOOK_DIR "/tipps.xlsx", 1},
      {KW_WORKBOOK_DIR "/tipps.xlsx", 5},
      {KW_WORKBOOK_FIXTURES "/tipps.xls", 1},
      {KW_WORKBOOK_FIXTURES "/tipps.xls", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " sheet " + std::to_string(c.sheet));
    window->M1->clear();
    window->Scr1->setValue(c.sheet);
    MessageBox::clearShown();
    FileDialog::setNextPath(QString::fromUtf8(c.path));
    click("BitBtn5");
    EXPECT_TRUE(MessageBox::shown().empty());
    EXPECT_EQ(text().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 3) << text().toStdString();
    transfer(text(), false);
    EXPECT_EQ(slipRows(), tips);
  }
}

TEST_F(EingabeTest, SaveButtonsAndTheTipCentreEntryWriteTheSlip) {
  kw::ui::Navigation* nav = window->navigation();
  const std::pair<const char*, std::function<void()>> triggers[] = {
      {"BitBtn3", [&] { click("BitBtn3"); }},
      {"BitBtn9", [&] { child<QAction>("BitBtn9")->trigger(); }},
      {"&Tippcenter", [&] { nav->menuAction(Command::TipCentre)->trigger(); }},
  };
  for (const auto& [name, trigger] : triggers) {
    window->BitBtn4Click();
    MessageBox::clearShown();
    trigger();
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8("Es gibt nichts zu speichern.\r\rIch breche erst einmal ab."))
        << name;

    transfer(QStringLiteral("38,2,22,7,12,7,4\n1,2,3,4,5,6,7"), false);
    const std::string path = dataDir() + name + ".emt";
    FileDialog::setNextPath(QString::fromStdString(path));
    trigger();
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{2, 7, 12, 22, 38, 4, 7, 1, 2, 3, 4, 5, 6, 7})) << name;
  }
  EXPECT_EQ(nav->menuAction(Command::TipCentre)->text(), QStringLiteral("&Tippcenter"));
}

TEST_F(EingabeTest, PrintingAsksForThePrinterFirst) {
  click("BDruck");
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8("Es gibt nichts zu drucken.\r\rIch breche ab."));

  transfer(QStringLiteral("2,7,12,22,38,4,7"), false);
  const QString pdf = QString::fromStdString(home.path() + "slip.pdf");
  bool confirm = false;
  int asked = 0;
  kw::ui::PrinterSetup::setTestHook([&](QWidget*, QPrinter& printer) {
    ++asked;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return confirm;
  });
  click("BDruck");
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(QFileInfo::exists(pdf));  // cancelled in the set-up dialog

  confirm = true;
  MessageBox::clearShown();
  window->navigation()->menuAction(Command::Print)->trigger();
  EXPECT_EQ(asked, 2);
  EXPECT_GT(QFileInfo(pdf).size(), 0);
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(EingabeTest, ClearButtonsEmptyTheSlipAndTheText) {
  transfer(QStringLiteral("2,7,12,22,38,4,7"), false);
  click("BitBtn4");
  EXPECT_EQ(slipRows().size(), 1);
  EXPECT_EQ(slipRows()[0], QStringLiteral("1:      |  "));
  EXPECT_EQ(text(), QStringLiteral("2,7,12,22,38,4,7"));
  click("BDel");
  EXPECT_TRUE(text().isEmpty());
}

TEST_F(EingabeTest, SettingsSurviveClosingAndCreatingAgain) {
  // Without a settings file the design values hold.
  EXPECT_EQ(window->rg1Buttons->checkedId(), 1);
  EXPECT_EQ(window->Scr1->value(), 1);
  EXPECT_TRUE(window->cb1->isChecked());

  child<QRadioButton>("RG1Item0")->setChecked(true);
  window->Scr1->setValue(4);
  window->cb1->setChecked(false);
  window->show();
  click("BitBtn8");
  EXPECT_FALSE(window->isVisible());
  const kw::IniFile ini = kw::IniFile::Load(iniFile());
  EXPECT_EQ(ini.read(kw::ini::kEingabeOver), 0);
  EXPECT_EQ(ini.read(kw::ini::kEingabeTabelle), 4);
  EXPECT_FALSE(ini.read(kw::ini::kEingabeProof));

  window = std::make_unique<TFEingabe>(context());
  EXPECT_EQ(window->rg1Buttons->checkedId(), 0);
  EXPECT_EQ(window->Scr1->value(), 4);
  EXPECT_EQ(window->PTab->text(), QStringLiteral("4"));
  EXPECT_FALSE(window->cb1->isChecked());
}

TEST_F(EingabeTest, ClosingOnlyHidesAndKeepsTheWork) {
  window->show();
  transfer(QStringLiteral("2,7,12,22,38,4,7"), false);
  window->navigation()->menuAction(Command::Quit)->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(text(), QStringLiteral("2,7,12,22,38,4,7"));
  EXPECT_EQ(slipRows().first(), QStringLiteral("1: 2 7 12 22 38 | 4 7"));
}

TEST_F(EingabeTest, OtherWindowsOpenItThroughTheirMenus) {
  window.reset();
  TFEingabe* entry = catalogue().tipEntry();
  ASSERT_EQ(TopLevel("FEingabe"), entry);
  EXPECT_FALSE(entry->isVisible());  // created at start, shown on demand
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  for (const char* name : {"MenuNewSlip", "MenuTipEntry", "BEingabe"}) {
    entry->hide();
    auto* action = main.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    EXPECT_TRUE(action->isEnabled()) << name;
    action->trigger();
    EXPECT_TRUE(entry->isVisible()) << name;
  }
  int entries = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) entries += w->objectName() == QStringLiteral("FEingabe");
  EXPECT_EQ(entries, 1);  // the same window, not a second one

  kw::ui::Navigation* nav = entry->navigation();
  EXPECT_FALSE(nav->isEnabled(Command::TipEntry));  // its own entry
  EXPECT_TRUE(nav->isEnabled(Command::NewSlip));
  EXPECT_EQ(nav->menuAction(Command::PrinterSetup), nullptr);
  EXPECT_TRUE(nav->isEnabled(Command::Calculator));
  EXPECT_TRUE(nav->menuAction(Command::About)->isEnabled());

  // The calendar opens from the menu as from the tool bar.
  QWidget* calendar = catalogue().calendar();
  nav->menuAction(Command::Calendar)->trigger();
  EXPECT_TRUE(calendar->isVisible());
  calendar->hide();
  entry->findChild<QAction*>(QStringLiteral("BKalender"))->trigger();
  EXPECT_TRUE(calendar->isVisible());
}

}  // namespace
}  // namespace kwtest
