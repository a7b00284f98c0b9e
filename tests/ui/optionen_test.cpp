#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>
#include <functional>

#include "core/file_io.h"
#include "core/settings_record.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "ui/Auswertung.h"
#include "ui/Optionen.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::MessageBox;
using kw::ui::TFOptionen;

namespace kwtest {
namespace {

const QString kModifiedQuestion = QStringLiteral("Haben Sie alles gespeichert, was zu speichern ist?");

class OptionenTest : public UiTest {
 protected:
  // An existing slip file in the data folder; its full path.
  std::string slip(const std::string& name) const {
    const std::string path = dataDir() + name;
    WriteBytes(path, {});
    return path;
  }
  std::string settingsFile() const { return dataDir() + kw::kSettingsFileName; }
  kw::SettingsRecord savedRecord() const {
    const auto load = kw::ReadSettingsFile(settingsFile());
    EXPECT_TRUE(load.present && !load.error);
    return load.record;
  }
  static QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
  }
  static void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(widget, &press);
    }
  }
};

template <class T>
T* Child(QWidget& w, const char* name) {
  auto* child = w.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

TEST_F(OptionenTest, ShowsEveryTextAndTheDesignStateWithoutASettingsFile) {
  TFOptionen w(context());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Programmeinstellungen"));

  const std::pair<const char*, const char*> groups[] = {
      {"GBDateien", "Spielschein-Dateien öffnen..."},
      {"GBZufall", "Zufallsgenerator"},
      {"GBTippcenter", "Tippcenter"},
      {"GBUpdates", "Auf Aktualisierungen prüfen..."},
      {"RG1", "Zufallsreihen"},
  };
  for (const auto& [name, title] : groups) EXPECT_EQ(Child<QGroupBox>(w, name)->title(), QString::fromUtf8(title)) << name;

  const std::pair<const char*, const char*> labels[] = {
      {"LUeberschrift", "Einstellungen für den Programmstart"},
      {"LDateien", "Mit Start zu öffnende Dateien"},
      {"LZufall", "Wählen Sie die Anzahl  der gewünschten..."},
      {"LBZ", "Bankzahlen (BZ)"},
      {"LPlus", "plus"},
      {"LWZ", "Wahlzahlen (WZ)"},
      {"LGar", "Treffergarantie (TrG)"},
      {"LBudget", "Budget in Euro"},
      {"LFooter", "Speichern nicht vergessen!"},
  };
  for (const auto& [name, text] : labels) EXPECT_EQ(Child<QLabel>(w, name)->text(), QString::fromUtf8(text)) << name;

  const std::pair<const char*, const char*> boxes[] = {
      {"CBOpen", "Jetzt auch im Haupt-\nfenster öffnen"},
      {"CBStandardZuf", "Angabe merken und mit Start einlesen"},
      {"CBStandardZufDateien", "Standard-Dateien für Zufallsmanipulation einlesen"},
      {"CBFilter", "Einstellungen für Tippcenter merken und mit Start einlesen"},
      {"CBStandardTC", "Standard-Dateien für Tippcenter einlesen"},
      {"CBGewinnreihen", "Gewinnzahlen"},
      {"CBGewinnQuoten", "Gewinnquoten"},
      {"CBUpdates", "Programm-Updates"},
  };
  for (const auto& [name, text] : boxes) {
    auto* box = Child<QCheckBox>(w, name);
    EXPECT_EQ(box->text(), QString::fromUtf8(text)) << name;
    EXPECT_FALSE(box->isChecked()) << name;
  }

  const std::pair<const char*, const char*> buttons[] = {
      {"BHinzu", "Spielschein-\nDatei hinzufügen"}, {"BSave", "Speichern"}, {"BitBtn5", "Sch&ließen"}};
  for (const auto& [name, text] : buttons) EXPECT_EQ(Child<QPushButton>(w, name)->text(), QString::fromUtf8(text)) << name;

  struct ListCase {
    const char* name;
    int count;
    const char* first;
    const char* second;
    const char* last;
  };
  const ListCase lists[] = {
      {"ComboBZ", 4, "egal", "0", "2"},
      {"ComboWZ", 45, "egal", "7", "50"},
      {"ComboGar", 5, "egal", "2", "5"},
      {"ComboBudget", 7, "egal", "bis 20", "über 1000"},
  };
  for (const ListCase& l : lists) {
    const QStringList items = Items(Child<QComboBox>(w, l.name));
    ASSERT_EQ(items.size(), l.count) << l.name;
    EXPECT_EQ(items[0], QString::fromUtf8(l.first)) << l.name;
    EXPECT_EQ(items[1], QString::fromUtf8(l.second)) << l.name;
    EXPECT_EQ(items.back(), QString::fromUtf8(l.last)) << l.name;
    EXPECT_EQ(Child<QComboBox>(w, l.name)->currentIndex(), -1) << l.name;
    EXPECT_EQ(Child<QComboBox>(w, l.name)->placeholderText(), QStringLiteral("wählen...")) << l.name;
  }
  QStringList rg1;
  for (QAbstractButton* b : w.rg1Buttons->buttons()) rg1 << b->text();
  EXPECT_EQ(rg1, Texts({"5", "6", "10", "12", "20", "50", "frei:"}));
  EXPECT_EQ(w.rg1Index(), 0);
  EXPECT_EQ(w.l1->count(), 0);
  EXPECT_TRUE(w.EReihen->text().isEmpty());
}

TEST_F(OptionenTest, StoredRecordFillsTheControlsAndMissingFilesAreNotListed) {
  kw::SettingsRecord record;
  record.recentSlips[0] = slip("Mittwoch.emt");
  record.recentSlips[1] = dataDir() + "Weg.emt";  // deleted since
  record.recentSlips[2] = slip("Familie Sommer.emt");
  record.ComboBZ = 2;
  record.ComboWZ = 44;
  record.ComboGar = kw::kNoSelection;
  record.ComboBudget = 99;  // damaged: nothing the list has
  record.RG1 = 6;
  record.EReihen = 25;
  record.CBFilter = record.CBStandardZufDateien = record.CBUpdates = true;
  ASSERT_TRUE(store().saveSettings(record));

  TFOptionen w(context());
  EXPECT_EQ(Rows(w.l1), Texts({"Mittwoch", "Familie Sommer"}));
  EXPECT_EQ(w.ComboBZ->currentText(), QStringLiteral("1"));
  EXPECT_EQ(w.ComboWZ->currentText(), QStringLiteral("50"));
  EXPECT_EQ(w.ComboGar->currentIndex(), -1);
  EXPECT_EQ(w.ComboBudget->currentIndex(), -1);
  EXPECT_EQ(w.rg1Index(), 6);
  EXPECT_EQ(w.EReihen->text(), QStringLiteral("25"));
  const std::pair<QCheckBox*, bool> boxes[] = {
      {w.CBFilter, true},         {w.CBStandardTC, false},  {w.CBStandardZuf, false}, {w.CBStandardZufDateien, true},
      {w.CBGewinnreihen, false}, {w.CBGewinnQuoten, false}, {w.CBUpdates, true}};
  for (const auto& [box, on] : boxes) EXPECT_EQ(box->isChecked(), on) << box->objectName().toStdString();

  // A negative stored count leaves the edit empty.
  record.EReihen = -3;
  ASSERT_TRUE(store().saveSettings(record));
  TFOptionen again(context());
  EXPECT_TRUE(again.EReihen->text().isEmpty());
}

TEST_F(OptionenTest, SavingWritesOneWholeRecordFromTheControls) {
  kw::SettingsRecord record;
  record.recentSlips[0] = dataDir() + "Weg.emt";  // missing, yet written back unchanged
  record.recentSlips[1] = slip("Mittwoch.emt");
  record.EReihen = 25;
  ASSERT_TRUE(store().saveSettings(record));
  TFOptionen w(context());
  w.ComboBZ->setCurrentIndex(3);
  w.ComboWZ->setCurrentIndex(-1);
  w.ComboGar->setCurrentIndex(4);
  w.ComboBudget->setCurrentIndex(6);
  w.rg1Buttons->button(4)->click();
  w.CBStandardTC->click();
  w.CBGewinnQuoten->click();
  w.EReihen->clear();
  w.BSave->click();

  ASSERT_EQ(ReadBytes(settingsFile()).size(), kw::kSettingsRecordSize);
  const kw::SettingsRecord saved = savedRecord();
  EXPECT_EQ(saved.recentSlips[0], dataDir() + "Weg.emt");
  EXPECT_EQ(saved.recentSlips[1], dataDir() + "Mittwoch.emt");
  EXPECT_EQ(saved.ComboBZ, 3);
  EXPECT_EQ(saved.ComboWZ, kw::kNoSelection);
  EXPECT_EQ(saved.ComboGar, 4);
  EXPECT_EQ(saved.ComboBudget, 6);
  EXPECT_EQ(saved.RG1, 4);
  EXPECT_EQ(saved.EReihen, 25);  // an empty edit keeps the stored count
  EXPECT_TRUE(saved.CBStandardTC && saved.CBGewinnQuoten);
  EXPECT_FALSE(saved.CBFilter || saved.CBStandardZuf || saved.CBStandardZufDateien || saved.CBGewinnreihen ||
               saved.CBUpdates);

  // The tool bar and the menu save the same way; saving twice gives the same bytes.
  const auto first = ReadBytes(settingsFile());
  auto* tool = w.findChild<QAction*>(QStringLiteral("BSpeichern"));
  ASSERT_TRUE(tool && w.MenuSave);
  EXPECT_EQ(w.MenuSave->text(), QStringLiteral("S&peichern"));
  tool->trigger();
  EXPECT_EQ(ReadBytes(settingsFile()), first);

  struct CountCase {
    const char* text;
    int stored;
  };
  for (const CountCase c : {CountCase{"0", 0}, CountCase{"7", 7}, CountCase{"", 7}, CountCase{"999", 999}}) {
    w.EReihen->setText(QString::fromLatin1(c.text));
    w.MenuSave->trigger();
    EXPECT_EQ(savedRecord().EReihen, c.stored) << '"' << c.text << '"';
  }
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(OptionenTest, WriteFailureIsReportedAndTheChangesStayUnsaved) {
  TFOptionen w(context());
  w.show();
  // The settings file's place is taken by a folder.
  ASSERT_TRUE(std::filesystem::create_directory(settingsFile()));
  w.CBUpdates->click();
  w.BSave->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_TRUE(w.record().CBUpdates);  // the record being edited keeps the new value
  EXPECT_FALSE(store().settings().CBUpdates);  // the store holds what the file holds
  EXPECT_TRUE(w.isModified());
}

TEST_F(OptionenTest, ClosingAsksOnlyWhileSomethingMayBeUnsaved) {
  struct Case {
    const char* what;
    std::function<void(TFOptionen&)> act;
    bool asks;
    MessageBox::Answer answer;
    bool staysOpen;
  };
  const Case cases[] = {
      {"untouched", [](TFOptionen&) {}, false, MessageBox::No, false},
      {"ticked, answer No", [](TFOptionen& w) { w.CBGewinnreihen->click(); }, true, MessageBox::No, true},
      {"ticked, answer Yes", [](TFOptionen& w) { w.CBGewinnreihen->click(); }, true, MessageBox::Yes, false},
      {"list chosen", [](TFOptionen& w) { w.ComboGar->activated(2); }, true, MessageBox::No, true},
      {"ticked then saved", [](TFOptionen& w) { w.CBUpdates->click(), w.BSave->click(); }, false, MessageBox::No, false},
      {"focus entered a group",
       [](TFOptionen& w) {
         w.BitBtn5->setFocus();
         w.CBUpdates->setFocus();
       },
       true, MessageBox::No, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageBox::clearShown();
    TFOptionen w(context());
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    ASSERT_FALSE(w.isModified());
    c.act(w);
    if (c.asks) MessageBox::setNextAnswer(c.answer);
    w.BitBtn5->click();
    EXPECT_EQ(MessageBox::shown().size(), c.asks ? 1u : 0u);
    if (c.asks && !MessageBox::shown().empty()) {
      EXPECT_EQ(MessageBox::shown()[0].text, kModifiedQuestion);
      EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Confirmation);
      EXPECT_EQ(MessageBox::shown()[0].buttons, MessageBox::YesNo);
    }
    EXPECT_EQ(w.isVisible(), c.staysOpen);
  }
}

TEST_F(OptionenTest, MarkLastsUntilSavedOrShownAgain) {
  TFOptionen w(context());
  w.show();
  w.CBFilter->click();
  ASSERT_TRUE(w.isModified());
  // Coming back from another window (or from its own message box) keeps the mark ...
  kw::ui::TFAuswertung other(context());
  other.show();
  QApplication::setActiveWindow(&other);
  QApplication::setActiveWindow(&w);
  QApplication::processEvents();
  EXPECT_TRUE(w.isModified());
  // ... being opened again starts afresh.
  w.showModal();
  EXPECT_FALSE(w.isModified());
  w.CBFilter->click();
  w.hide();
  w.show();
  EXPECT_FALSE(w.isModified());
  // The "Beenden" entry closes the same way as the button.
  w.findChild<QAction*>(QStringLiteral("MenuQuit"))->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(OptionenTest, FileListHoldsTenEntriesAndDeletingMovesTheRestUp) {
  TFOptionen w(context());
  for (int i = 1; i <= 10; ++i) {
    kw::ui::FileDialog::setNextPath(QString::fromStdString(slip("Schein " + std::to_string(i) + ".emt")));
    w.BHinzu->click();
  }
  ASSERT_EQ(w.l1->count(), 10);
  EXPECT_EQ(w.l1->item(9)->text(), QStringLiteral("Schein 10"));
  EXPECT_TRUE(MessageBox::shown().empty());

  kw::ui::FileDialog::setNextPath(QString::fromStdString(slip("Elf.emt")));
  w.BHinzu->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::shown()[0].text, QString::fromUtf8(kw::kFileListFullMessage));
  EXPECT_EQ(w.l1->count(), 10);

  w.l1->setCurrentRow(2);
  w.BDel->click();
  const auto& slips = w.record().recentSlips;
  for (std::size_t i = 0; i < 9; ++i)
    EXPECT_EQ(slips[i], dataDir() + "Schein " + std::to_string(i < 2 ? i + 1 : i + 2) + ".emt") << i;
  EXPECT_TRUE(slips[9].empty());
  EXPECT_EQ(w.l1->item(2)->text(), QStringLiteral("Schein 4"));

  kw::ui::FileDialog::setNextPath(QString::fromStdString(slip("Neu.emt")));
  w.BHinzu->click();
  EXPECT_EQ(slips[9], dataDir() + "Neu.emt");
  EXPECT_EQ(w.l1->item(9)->text(), QStringLiteral("Neu"));
  EXPECT_TRUE(w.isModified());

  // Nothing changes on disk before saving; then exactly the list.
  EXPECT_FALSE(kw::FileExists(settingsFile()));
  w.BSave->click();
  EXPECT_EQ(savedRecord().recentSlips, slips);
}

TEST_F(OptionenTest, DeletingARowRemovesItsOwnEntryWhenMissingFilesAreHidden) {
  kw::SettingsRecord stored;
  stored.recentSlips[0] = dataDir() + "Weg.emt";
  stored.recentSlips[1] = slip("A.emt");
  stored.recentSlips[2] = dataDir() + "Auch weg.emt";
  stored.recentSlips[3] = slip("B.emt");
  ASSERT_TRUE(store().saveSettings(stored));
  TFOptionen w(context());
  const kw::SettingsRecord& record = w.record();
  ASSERT_EQ(Rows(w.l1), Texts({"A", "B"}));
  w.l1->setCurrentRow(1);
  w.BDel->click();
  EXPECT_EQ(record.recentSlips[0], dataDir() + "Weg.emt");
  EXPECT_EQ(record.recentSlips[1], dataDir() + "A.emt");
  EXPECT_EQ(record.recentSlips[2], dataDir() + "Auch weg.emt");
  EXPECT_TRUE(record.recentSlips[3].empty());
  w.l1->setCurrentRow(0);
  w.findChild<QAction*>(QStringLiteral("l1Delete"))->trigger();  // the list's own menu
  EXPECT_EQ(record.recentSlips[1], dataDir() + "Auch weg.emt");
  EXPECT_EQ(w.l1->count(), 0);
}

TEST_F(OptionenTest, DeletingWithoutAMarkedRowExplainsWhy) {
  struct Case {
    int rows;
    const char* message;
  };
  for (const Case c : {Case{0, "Es gibt nichts zu löschen."},
                       Case{2, "Es wurde kein Listeneintrag markiert.\r\rIch breche erst einmal ab."}}) {
    MessageBox::clearShown();
    kw::SettingsRecord record;
    for (int i = 0; i < c.rows; ++i) record.recentSlips[static_cast<std::size_t>(i)] = slip(std::to_string(i) + ".emt");
    ASSERT_TRUE(store().saveSettings(record));
    TFOptionen w(context());
    w.BDel->click();
    ASSERT_EQ(MessageBox::shown().size(), 1u) << c.rows;
    EXPECT_EQ(MessageBox::shown()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
    EXPECT_EQ(w.l1->count(), c.rows);
  }
}

TEST_F(OptionenTest, AddedFileOpensInTheMainWindowOnlyWhenAsked) {
  // The windows as the program wires them: the settings window opens slips in the main window.
  TFOptionen& w = *catalogue().settingsWindow();
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  const std::string a = dataDir() + "A.emt", b = dataDir() + "B.emt";
  for (const std::string& path : {a, b}) ASSERT_TRUE(kw::SaveSlipRows({{{1, 2, 3, 4, 5}, {1, 2}}}, path).ok());
  kw::ui::FileDialog::setNextPath(QString::fromStdString(a));
  w.BHinzu->click();
  w.CBOpen->click();
  kw::ui::FileDialog::setNextPath(QString::fromStdString(b));
  w.BHinzu->click();
  kw::ui::FileDialog::setNextPath(QString());  // cancelled
  w.BHinzu->click();
  ASSERT_EQ(main.PC1->count(), 1);
  EXPECT_EQ(main.PC1->tabText(0), QStringLiteral("B"));
  EXPECT_EQ(w.l1->count(), 2);
}

TEST_F(OptionenTest, FreeRowCountTakesThreeDigitsAndSelectsFrei) {
  TFOptionen w(context());
  w.show();
  QApplication::setActiveWindow(&w);
  w.EReihen->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w.rg1Index(), 6);
  TypeInto(w.EReihen, QStringLiteral("1a-2 34"));
  EXPECT_EQ(w.EReihen->text(), QStringLiteral("123"));
  w.BitBtn1->click();
  EXPECT_TRUE(w.EReihen->text().isEmpty());
}

TEST_F(OptionenTest, EveryWindowOpensItModallyAndOnlyOnce) {
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  auto* tool = main.findChild<QAction*>(QStringLiteral("BOptionen"));
  auto* menu = main.findChild<QAction*>(QStringLiteral("MenuSettings"));
  ASSERT_TRUE(tool && menu);
  ASSERT_TRUE(tool->isEnabled());
  tool->trigger();
  menu->trigger();
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("FOptionen")) ++count;
  EXPECT_EQ(count, 1);
  auto* settings = qobject_cast<TFOptionen*>(TopLevel("FOptionen"));
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(settings->isVisible());
  EXPECT_EQ(settings->windowModality(), Qt::ApplicationModal);

  // In its own menu: its entry is grey, printing is not offered, the help search is.
  auto* nav = settings->navigation();
  EXPECT_FALSE(nav->isEnabled(kw::ui::Command::Settings));
  EXPECT_EQ(nav->menuAction(kw::ui::Command::Print), nullptr);
  EXPECT_EQ(nav->menuAction(kw::ui::Command::HelpSearch)->text(), QStringLiteral("In Hilfe &suchen..."));
  EXPECT_EQ(nav->menuAction(kw::ui::Command::Quit)->text(), QStringLiteral("&Beenden"));
  settings->close();
  EXPECT_FALSE(settings->isVisible());
  // Closing hides: the next opening finds the same window.
  tool->trigger();
  EXPECT_EQ(TopLevel("FOptionen"), settings);

  // Going to another window from here leaves the settings, so that window is not blocked.
  settings->findChild<QAction*>(QStringLiteral("BKalender"))->trigger();
  QWidget* calendar = TopLevel("FKal");
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->isVisible());
  EXPECT_FALSE(settings->isVisible());
}

}  // namespace
}  // namespace kwtest
