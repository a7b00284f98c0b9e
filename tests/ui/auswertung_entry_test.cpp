// The draw entry panel of the main window: number buttons, marks, new draws, corrections, paste.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/records.h"
#include "core/program.h"
#include "support/temp_dir.h"
#include "ui/Auswertung.h"
#include "ui/message_box.h"
#include "ui/text_prompt.h"
#include "ui_fixture.h"

using kw::ui::MessageBox;
using kw::ui::TFAuswertung;

namespace kwtest {
namespace {

class DrawEntryTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    kw::ui::TextPrompt::setTestMode(true);
  }
  void TearDown() override {
    kw::ui::TextPrompt::setTestMode(false);
    UiTest::TearDown();
  }

  std::vector<kw::TGewZahlen> fileDraws() const {
    return kw::DecodeDrawRecords(ReadBytes(dataDir() + kw::kDrawsFileName));
  }
  // Two old draws, the last a Friday, so the next draw is a Tuesday long past.
  void writeTwoDraws() const {
    writeDraws({Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}), Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12}),
                Draw(22, 3, 2024, {5, 12, 23, 38, 45, 2, 11})});
  }
};

QPushButton* Lot(TFAuswertung& w, const QString& name) { return w.findChild<QPushButton*>(name); }
QPushButton* Main(TFAuswertung& w, int n) { return Lot(w, QStringLiteral("lot%1").arg(n)); }
QPushButton* Star(TFAuswertung& w, int s) { return Lot(w, QStringLiteral("lot8%1").arg(s)); }

// The numbers whose buttons show the marked font, main numbers then stars.
std::vector<int> MarkedButtons(TFAuswertung& w) {
  std::vector<int> marked;
  for (int n = 1; n <= 50; ++n)
    if (Main(w, n)->font().bold()) marked.push_back(n);
  for (int s = 1; s <= 12; ++s)
    if (Star(w, s)->font().bold()) marked.push_back(100 + s);
  return marked;
}

void Click(TFAuswertung& w, std::initializer_list<int> mains, std::initializer_list<int> stars = {}) {
  for (int n : mains) Main(w, n)->click();
  for (int s : stars) Star(w, s)->click();
}

void ClickLabel(QWidget* label) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(label, &press);
  QApplication::sendEvent(label, &release);
}

void Paste(TFAuswertung& w, const char* text) {
  QApplication::clipboard()->setText(QString::fromUtf8(text));
  w.BCopy->click();
}

TEST_F(DrawEntryTest, NumberButtonsAreBuiltWithNamesTagsGeometryAndFonts) {
  TFAuswertung w(context());
  struct Expected {
    const char* name;
    int tag;
    QRect geometry;
    const char* parent;
  };
  const Expected cases[] = {
      {"lot1", 1, {2, 24, 30, 24}, "P50"},      {"lot10", 10, {281, 24, 30, 24}, "P50"},
      {"lot11", 11, {2, 49, 30, 24}, "P50"},    {"lot37", 37, {188, 99, 30, 24}, "P50"},
      {"lot50", 50, {281, 124, 30, 24}, "P50"}, {"lot81", 81, {6, 22, 24, 24}, "P8"},
      {"lot87", 87, {156, 22, 24, 24}, "P8"},   {"lot812", 92, {281, 22, 24, 24}, "P8"},
  };
  for (const auto& c : cases) {
    QPushButton* b = Lot(w, QString::fromLatin1(c.name));
    ASSERT_NE(b, nullptr) << c.name;
    EXPECT_EQ(b->property("tag").toInt(), c.tag) << c.name;
    EXPECT_EQ(b->geometry(), c.geometry) << c.name;
    EXPECT_EQ(b->parentWidget()->objectName(), QString::fromLatin1(c.parent)) << c.name;
    EXPECT_EQ(b->font().pointSize(), 9) << c.name;
    EXPECT_FALSE(b->font().bold()) << c.name;
  }
  EXPECT_EQ(Main(w, 37)->text(), QStringLiteral("37"));
  EXPECT_EQ(Star(w, 12)->text(), QStringLiteral("12"));
  EXPECT_EQ(w.P50->size(), QSize(317, 151));
  EXPECT_EQ(w.P8->height(), 54);
  EXPECT_EQ(w.PZahlen->size(), QSize(319, 54 + 151 + 7));
  EXPECT_EQ(w.BCopy->size(), QSize(26, 22));
  EXPECT_EQ(w.BCopy->geometry().right() + 1, 317 - 20);

  Click(w, {7}, {3});
  EXPECT_EQ(Main(w, 7)->font().pointSize(), 12);
  EXPECT_TRUE(Main(w, 7)->font().bold());
  EXPECT_EQ(Star(w, 3)->font().pointSize(), 10);
  EXPECT_TRUE(Star(w, 3)->font().bold());
}

TEST_F(DrawEntryTest, StartShowsTheLastDrawAndChoosingADateShowsThatDraw) {
  writeTwoDraws();
  TFAuswertung w(context());
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{5, 12, 23, 38, 45, 102, 111}));
  w.Combo1->setCurrentIndex(0);
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{3, 9, 20, 30, 44, 102, 111}));
  EXPECT_EQ(w.MarkedMainCount, 5);
  EXPECT_EQ(w.MarkedStarCount, 2);
}

TEST_F(DrawEntryTest, LimitsRefuseASixthNumberAndAThirdStarUntilOneIsUnmarked) {
  TFAuswertung w(context());
  Click(w, {1, 2, 3, 4, 5}, {1, 2});
  EXPECT_TRUE(MessageBox::shown().empty());

  Click(w, {6});
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Sie haben bereits fünf Zahlen gewählt!\r\rFür eine Änderung der "
                                                   "Auswahl demarkieren Sie bitte zunächst eine der gewählten Zahlen."));
  Click(w, {}, {3});
  ASSERT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Sie haben bereits zwei Zahlen gewählt!\r\r")));
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{1, 2, 3, 4, 5, 101, 102}));

  Click(w, {3, 6}, {1, 3});
  EXPECT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{1, 2, 4, 5, 6, 102, 103}));

  // The erasers clear their area only.
  ClickLabel(w.Image2);
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{1, 2, 4, 5, 6}));
  ClickLabel(w.Image1);
  EXPECT_TRUE(MarkedButtons(w).empty());
  EXPECT_EQ(w.MarkedMainCount, 0);
}

TEST_F(DrawEntryTest, NewDrawIsStoredAscendingAndTheListsEndOnIt) {
  writeTwoDraws();
  TFAuswertung w(context());
  w.BNeu->click();
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("26.03.2024"));
  EXPECT_TRUE(MarkedButtons(w).empty());
  EXPECT_TRUE(w.newDrawPending());
  // Not in the file or the period lists before it is saved.
  EXPECT_EQ(fileDraws().size(), 3u);
  EXPECT_EQ(w.Combo2->count(), 3);

  Click(w, {44, 3, 17, 9, 28}, {11, 2});
  w.BSave1->click();
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_FALSE(w.newDrawPending());

  const auto draws = fileDraws();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[3], Draw(26, 3, 2024, {3, 9, 17, 28, 44, 2, 11}));
  ASSERT_EQ(w.G1->model()->rowCount(), 4);
  const QStringList last = Texts({"26.03.2024", "3", "9", "17", "28", "44", "2", "11"});
  for (int c = 0; c < 8; ++c) EXPECT_EQ(w.G1->model()->index(3, c).data().toString(), last[c]);
  EXPECT_EQ(w.Combo2->count(), 4);
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("26.03.2024"));
  EXPECT_EQ(w.ComboBox1->count(), 4);
  EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("22.03.2024"));
  EXPECT_EQ(w.PeriodFrom, 2);
  EXPECT_EQ(w.PeriodTo, 3);
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("4 Gewinnreihen vom 15.03.2024 bis 26.03.2024"));
  // The marks stay.
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{3, 9, 17, 28, 44, 102, 111}));
}

TEST_F(DrawEntryTest, DrawsAddedThroughTheStoreRefreshEveryListBySignalAlone) {
  writeTwoDraws();
  TFAuswertung w(context());
  w.Combo1->setCurrentIndex(1);
  // Another window (the online update, an import) adds two draws; nothing calls the main window.
  auto added = store().change([](kw::DataSet& d) {
    d.Draws.push_back(Draw(26, 3, 2024, {1, 2, 3, 4, 5, 1, 2}));
    d.Draws.push_back(Draw(29, 3, 2024, {6, 7, 8, 9, 10, 3, 4}));
    return kw::SaveDraws(d);
  });
  ASSERT_TRUE(added);
  EXPECT_EQ(w.Combo1->count(), 5);
  EXPECT_EQ(w.Combo1->currentIndex(), 1);  // the chosen draw stays chosen
  EXPECT_EQ(w.Combo2->count(), 5);
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("29.03.2024"));
  EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("22.03.2024"));  // the period starts before the new draws
  EXPECT_EQ(w.PeriodFrom, 2);
  EXPECT_EQ(w.PeriodTo, 4);
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("5 Gewinnreihen vom 15.03.2024 bis 29.03.2024"));
  EXPECT_EQ(w.G1->model()->rowCount(), 5);
  EXPECT_EQ(w.G1->model()->index(4, 0).data().toString(), QStringLiteral("29.03.2024"));
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(DrawEntryTest, IncompleteMarksAreRefusedAndNothingIsWritten) {
  writeTwoDraws();
  const auto before = ReadBytes(dataDir() + kw::kDrawsFileName);
  TFAuswertung w(context());
  w.BNeu->click();
  Click(w, {1, 2, 3, 4}, {1, 2});
  w.BSave1->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Bitte komplettieren Sie zunächst Ihre Angaben. Sie müssen 5 "
                                                   "Gewinnzahlen und 2 Sternzahlen wählen.\r\rIch breche erst einmal ab."));
  EXPECT_EQ(ReadBytes(dataDir() + kw::kDrawsFileName), before);
  EXPECT_TRUE(w.newDrawPending());

  // A second new draw before the first has its numbers.
  w.BNeu->click();
  ASSERT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kCompletePreviousMessage));
  EXPECT_EQ(w.Combo1->count(), 4);

  // Correcting an older draw meanwhile would write the empty new one: refused.
  w.Combo1->setCurrentIndex(0);
  w.BSave1->click();
  ASSERT_EQ(MessageBox::shown().size(), 3u);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("26.03.2024"))) << MessageBox::lastText().toStdString();
  EXPECT_EQ(ReadBytes(dataDir() + kw::kDrawsFileName), before);

  // Choosing the pending draw again shows it empty, ready for its numbers.
  w.Combo1->setCurrentIndex(3);
  EXPECT_TRUE(MarkedButtons(w).empty());
}

TEST_F(DrawEntryTest, CorrectingAnOldDrawRewritesOnlyThatDraw) {
  writeTwoDraws();
  TFAuswertung w(context());
  w.Combo1->setCurrentIndex(1);
  Click(w, {50, 49});
  w.BSave1->click();
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  const auto draws = fileDraws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0], Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11}));
  EXPECT_EQ(draws[1], Draw(19, 3, 2024, {1, 12, 23, 34, 49, 5, 12}));
  EXPECT_EQ(draws[2], Draw(22, 3, 2024, {5, 12, 23, 38, 45, 2, 11}));
  EXPECT_EQ(w.G1->model()->rowCount(), 3);
  EXPECT_EQ(w.G1->model()->index(1, 5).data().toString(), QStringLiteral("49"));
  EXPECT_EQ(w.Combo2->count(), 3);
  EXPECT_EQ(w.Combo2->currentIndex(), 2);
}

TEST_F(DrawEntryTest, FailedSaveLeavesHistoryListsAndFileAsTheyWere) {
  writeTwoDraws();
  const auto before = ReadBytes(dataDir() + kw::kDrawsFileName);
  TFAuswertung w(context());
  w.Combo1->setCurrentIndex(1);
  Click(w, {50, 49});
  kw::testing::SimulateDiskFullAfter(16);
  w.BSave1->click();
  kw::testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(ReadBytes(dataDir() + kw::kDrawsFileName), before);
  EXPECT_EQ(store().draws()[1], Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12}));
  EXPECT_EQ(w.G1->model()->index(1, 5).data().toString(), QStringLiteral("50"));

  // A new draw whose save fails stays pending, out of the file and the period lists.
  w.BNeu->click();
  Click(w, {1, 2, 3, 4, 5}, {1, 2});
  kw::testing::SimulateDiskFullAfter(16);
  w.BSave1->click();
  kw::testing::SimulateDiskFullAfter(std::nullopt);
  EXPECT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_TRUE(w.newDrawPending());
  EXPECT_EQ(ReadBytes(dataDir() + kw::kDrawsFileName), before);
  EXPECT_EQ(w.Combo2->count(), 3);
  EXPECT_EQ(w.G1->model()->rowCount(), 3);
  // Once the disk has room again the same marks are saved.
  w.BSave1->click();
  EXPECT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_EQ(fileDraws().size(), 4u);
  EXPECT_EQ(w.Combo2->count(), 4);
}

TEST_F(DrawEntryTest, FutureDrawGetsTheClairvoyanceMessageAndIsAppendedAllTheSame) {
  writeDraws({Draw(5, 3, 2100, {3, 9, 20, 30, 44, 2, 11}), Draw(9, 3, 2100, {1, 12, 23, 34, 50, 5, 12})});
  TFAuswertung w(context());
  w.BNeu->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Confirmation);
  EXPECT_EQ(MessageBox::shown()[0].buttons, MessageBox::Ok);
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kClairvoyanceMessage));
  EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("12.03.2100"));
}

TEST_F(DrawEntryTest, AnEmptyHistoryIsStartedWithADateTheUserGives) {
  TFAuswertung w(context());
  // Nothing chosen: nothing to store into.
  Click(w, {1, 2, 3, 4, 5}, {1, 2});
  w.BSave1->click();
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("Neue Zahlen")));
  EXPECT_FALSE(kw::FileExists(dataDir() + kw::kDrawsFileName));

  // Cancelled and mistyped dates change nothing.
  w.BNeu->click();
  kw::ui::TextPrompt::setNextAnswer(QStringLiteral("31.02.2024"));
  w.BNeu->click();
  ASSERT_EQ(MessageBox::shown().size(), 2u);
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("\"31.02.2024\" ist kein gültiges Datum")));
  EXPECT_EQ(w.Combo1->count(), 0);
  EXPECT_TRUE(store().draws().empty());
  EXPECT_EQ(MarkedButtons(w).size(), 7u);

  kw::ui::TextPrompt::setNextAnswer(QStringLiteral(" 19.03.2024 "));
  w.BNeu->click();
  EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("19.03.2024"));
  Click(w, {1, 12, 23, 34, 50}, {5, 12});
  w.BSave1->click();
  EXPECT_EQ(MessageBox::shown().size(), 2u) << MessageBox::lastText().toStdString();
  ASSERT_EQ(fileDraws().size(), 1u);
  EXPECT_EQ(fileDraws()[0], Draw(19, 3, 2024, {1, 12, 23, 34, 50, 5, 12}));
  EXPECT_EQ(w.G1->model()->rowCount(), 1);
  EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("19.03.2024"));
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("19.03.2024"));

  // The second draw follows the usual dating.
  w.BNeu->click();
  EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("22.03.2024"));
  Click(w, {5, 12, 23, 38, 45}, {2, 11});
  w.BSave1->click();
  EXPECT_EQ(MessageBox::shown().size(), 2u) << MessageBox::lastText().toStdString();
  ASSERT_EQ(fileDraws().size(), 2u);
  EXPECT_EQ(fileDraws()[1], Draw(22, 3, 2024, {5, 12, 23, 38, 45, 2, 11}));
  EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("19.03.2024"));
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("22.03.2024"));
  EXPECT_EQ(w.LGa1->text(), QStringLiteral("2 Gewinnreihen vom 19.03.2024 bis 22.03.2024"));

  // A one-draw history shows its draw when chosen.
  w.Combo1->setCurrentIndex(0);
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{1, 12, 23, 34, 50, 105, 112}));
}

TEST_F(DrawEntryTest, PasteMarksTheSevenLineAndTheGluedForms) {
  TFAuswertung w(context());
  Paste(w, "5\r\n12\r\n23\r\n38\r\n45\r\n2\r\n11\r\n");
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{5, 12, 23, 38, 45, 102, 111}));
  // Pasting again clicks every button again.
  Paste(w, "5\r\n12\r\n23\r\n38\r\n45\r\n2\r\n11\r\n");
  EXPECT_TRUE(MarkedButtons(w).empty());

  Paste(w, "1231425\n\n211");
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{1, 2, 3, 14, 25, 102, 111}));
  EXPECT_TRUE(MessageBox::shown().empty());

  // On top of existing marks the limits speak as for clicks.
  ClickLabel(w.Image1);
  ClickLabel(w.Image2);
  Click(w, {7});
  Paste(w, "512233845\n\n211");
  EXPECT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Sie haben bereits fünf Zahlen gewählt!")));
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{7, 12, 23, 38, 45, 102, 111}));
}

TEST_F(DrawEntryTest, PastedTextThatNamesNoButtonChangesNothing) {
  TFAuswertung w(context());
  Click(w, {7}, {3});
  const char* refused[] = {"5\n12\n0\n38\n45\n2\n11", "5\n12\n23\n38\n51\n2\n11", "5\n12\n23\n38\n45\n2\n13",
                           "5\nzwölf\n23\n38\n45\n2\n11", "512233845\n\n2x", "512233845"};
  std::size_t messages = 0;
  for (const char* text : refused) {
    Paste(w, text);
    ASSERT_EQ(MessageBox::shown().size(), ++messages) << text;
    EXPECT_EQ(MessageBox::shown().back().kind, MessageBox::Error) << text;
    EXPECT_EQ(MarkedButtons(w), (std::vector<int>{7, 103})) << text;
  }
  // No draw form, or no text at all: nothing happens, silently.
  Paste(w, "1\n2\n3\n4\n5");
  auto* image = new QMimeData;
  image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
  QApplication::clipboard()->setMimeData(image);
  w.BCopy->click();
  EXPECT_EQ(MessageBox::shown().size(), messages);
  EXPECT_EQ(MarkedButtons(w), (std::vector<int>{7, 103}));
}

}  // namespace
}  // namespace kwtest
