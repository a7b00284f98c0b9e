#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>

#include "analysis/full_system.h"
#include "ui/Eingabe.h"
#include "ui/SysTool.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

namespace kwtest {
namespace {

using kw::ui::MessageBox;
using kw::ui::TFSysTool;

QString Range(int from, int to) {
  QStringList out;
  for (int n = from; n <= to; ++n) out << QString::number(n);
  return out.join(QLatin1Char(','));
}

QString Text(const char* s) { return QString::fromUtf8(s); }

class SysToolTest : public UiTest {
 protected:
  static void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  static void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }

  static void Type(QWidget* target, const QString& text) {
    for (QChar c : text) {
      const int key = c == QLatin1Char('\n') ? int{Qt::Key_Return} : int{c.toUpper().unicode()};
      Key(target, key, c == QLatin1Char('\n') ? QStringLiteral("\r") : QString(c));
    }
  }

  static QStringList ResultLines(const TFSysTool& w) {
    return w.Rows->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }

  // The text field of the program's tip entry window, wired to the builder as at start.
  QPlainTextEdit* EntryField(const QString& text) {
    QPlainTextEdit* field = catalogue().tipEntry()->M1;
    field->setPlainText(text);
    return field;
  }

  static void Build(TFSysTool& w, const QString& tips, const QString& stars) {
    w.M1->setPlainText(tips);
    w.M2->setPlainText(stars);
    w.BKombisBilden->click();
  }
};

TEST_F(SysToolTest, ButtonsAndKeysFillTheTwoFields) {
  TFSysTool w;
  EXPECT_EQ(w.windowTitle(), Text("Vollsystem-Reihen bilden"));
  for (int n = 1; n <= 50; ++n) Click(w, QStringLiteral("lotS%1").arg(n).toLatin1().constData());
  EXPECT_EQ(w.M1->toPlainText(), Range(1, 50));
  for (int n = 62; n >= 51; --n) Click(w, QStringLiteral("lotS%1").arg(n).toLatin1().constData());
  EXPECT_EQ(w.M2->toPlainText(), Text("12,11,10,9,8,7,6,5,4,3,2,1"));

  Click(w, "BitBtn1");
  Click(w, "BitBtn2");
  EXPECT_TRUE(w.M1->toPlainText().isEmpty());
  EXPECT_TRUE(w.M2->toPlainText().isEmpty());
  Click(w, "BitBtn3");
  EXPECT_EQ(w.M2->toPlainText(), Text("1,2,3,4,5,6,7,8,9,10,11,12"));
  Click(w, "lotS17");
  EXPECT_EQ(w.M2->toPlainText(), Text("1,2,3,4,5,6,7,8,9,10,11,12"));  // a number button fills M1 only
  EXPECT_EQ(w.M1->toPlainText(), Text("17"));

  // Typing: digits and commas only; letters, blanks and Enter are swallowed.
  w.M1->clear();
  Type(w.M1, Text("1a2, 3\n;4"));
  EXPECT_EQ(w.M1->toPlainText(), Text("12,34"));
  Key(w.M1, Qt::Key_Backspace);
  Key(w.M1, Qt::Key_Tab, QStringLiteral("\t"));
  EXPECT_EQ(w.M1->toPlainText(), Text("12,3"));
  w.M2->moveCursor(QTextCursor::End);
  Type(w.M2, Text("x5,6 "));
  EXPECT_EQ(w.M2->toPlainText(), Text("1,2,3,4,5,6,7,8,9,10,11,125,6"));

  auto* star = w.findChild<QPushButton*>(QStringLiteral("lotS60"));
  auto* number = w.findChild<QPushButton*>(QStringLiteral("lotS9"));
  ASSERT_TRUE(star && number);
  EXPECT_EQ(star->size(), QSize(18, 20));
  EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("lotS59"))->size(), QSize(15, 20));
  EXPECT_EQ(number->size(), QSize(21, 21));
}

TEST_F(SysToolTest, BuildsTheExampleAndTheClearButtonEmptiesTheList) {
  TFSysTool w;
  EXPECT_FALSE(w.CB1->isEnabled());
  Build(w, Text("1,2,3,4,5,6"), Text("1,2,3"));
  EXPECT_TRUE(MessageBox::shown().empty());
  const QStringList lines = ResultLines(w);
  ASSERT_EQ(lines.size(), 18);
  EXPECT_EQ(lines.mid(0, 4), Texts({"1,2,3,4,5,1,2", "1,2,3,4,5,1,3", "1,2,3,4,5,2,3", "1,2,3,4,6,1,2"}));
  EXPECT_EQ(lines.back(), Text("2,3,4,5,6,2,3"));
  const QAbstractItemModel* shown = w.M3->model();
  ASSERT_EQ(shown->rowCount(), 18);
  EXPECT_EQ(shown->index(0, 0).data().toString(), Text("1,2,3,4,5,1,2"));
  EXPECT_EQ(shown->index(17, 0).data().toString(), Text("2,3,4,5,6,2,3"));
  EXPECT_EQ(w.Panel11->text(), Text("6"));
  EXPECT_EQ(w.Panel13->text(), Text("3"));
  EXPECT_EQ(w.Panel12->text(), Text("18"));
  EXPECT_EQ(w.Panel10->text(), Text("18 Tippreihen wurden gebildet."));
  EXPECT_EQ(w.LInfo->text(), QString());
  EXPECT_EQ(w.Pro1->maximum(), 5);
  EXPECT_EQ(w.Pro1->value(), 5);
  EXPECT_TRUE(w.CB1->isEnabled());

  // Copying the marked rows, in list order.
  QItemSelection marked;
  marked.select(shown->index(5, 0), shown->index(5, 0));
  marked.select(shown->index(1, 0), shown->index(2, 0));
  w.M3->selectionModel()->select(marked, QItemSelectionModel::Select);
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
  QApplication::sendEvent(w.M3, &copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Text("1,2,3,4,5,1,3\n1,2,3,4,5,2,3\n1,2,3,4,6,2,3"));

  w.LInfo->setText(Text("alt"));
  Click(w, "BDelM3");
  EXPECT_TRUE(w.Rows->text().isEmpty());
  EXPECT_TRUE(w.LInfo->text().isEmpty());
  EXPECT_TRUE(w.Panel10->text().isEmpty());
  EXPECT_FALSE(w.CB1->isEnabled());
}

TEST_F(SysToolTest, WithoutStarsTheBuilderAsksFirst) {
  TFSysTool w;
  Build(w, Text("3,4,5,6,7,8"), Text("1,2"));  // something that must survive the refusals
  const QString before = w.Rows->text();
  ASSERT_EQ(ResultLines(w).size(), 6);

  for (auto answer : {MessageBox::No, MessageBox::Cancel}) {
    MessageBox::clearShown();
    MessageBox::setNextAnswer(answer);
    Build(w, Text("1,1,2,3,4,5,60"), QString());
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Confirmation);
    EXPECT_EQ(MessageBox::shown()[0].buttons, MessageBox::YesNoCancel);
    EXPECT_EQ(MessageBox::lastText(), Text(kw::kNoStarsQuestion));
    EXPECT_EQ(w.Rows->text(), before);
    EXPECT_EQ(w.Panel12->text(), Text("6"));
    EXPECT_TRUE(w.LInfo->text().isEmpty());
  }

  MessageBox::clearShown();
  MessageBox::setNextAnswer(MessageBox::Yes);
  Build(w, Text("1,1,2,3,4,5,60"), QString());
  EXPECT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(w.Rows->text(), Text("1,2,3,4,5"));
  EXPECT_EQ(w.Panel10->text(), Text("Eine Tippreihe wurde gebildet."));
  EXPECT_EQ(w.LInfo->text(), Text("2 doppelte bzw. ungültige Tippzahlen wurden ignoriert"));
  EXPECT_EQ(w.Panel11->text(), Text("1"));
  EXPECT_EQ(w.Panel13->text(), Text("0"));
  EXPECT_EQ(w.Panel12->text(), Text("1"));
  EXPECT_EQ(w.Pro1->maximum(), 1);
}

TEST_F(SysToolTest, CountingShowsTheNumbersOnlyAndAsksNothing) {
  TFSysTool w;
  w.show();
  Build(w, Text("1,2,3,4,5,6"), Text("7"));
  const QString before = w.Rows->text();
  ASSERT_EQ(before, Text("1,2,3,4,5,7\n1,2,3,4,6,7\n1,2,3,5,6,7\n1,2,4,5,6,7\n1,3,4,5,6,7\n2,3,4,5,6,7"));
  MessageBox::clearShown();

  struct Case {
    QString stars;
    const char *fives, *parts, *total;
  };
  const Case cases[] = {{QString(), "2118760", "0", "2118760"},
                        {Range(1, 12), "2118760", "66", "139838160"},
                        {Text("4, 4\n13"), "2118760", "1", "2118760"}};
  for (const auto& c : cases) {
    w.M1->setPlainText(Range(1, 50));
    w.M2->setPlainText(c.stars);
    Click(w, "BKombisCalc");
    EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
    EXPECT_EQ(w.Panel11->text(), Text(c.fives));
    EXPECT_EQ(w.Panel13->text(), Text(c.parts));
    EXPECT_EQ(w.Panel12->text(), Text(c.total));
    EXPECT_EQ(w.Rows->text(), before);
    EXPECT_TRUE(w.M3->isVisible());
    EXPECT_EQ(w.Panel10->text(), Text("6 Tippreihen wurden gebildet."));
  }
  EXPECT_EQ(w.LInfo->text(), Text("2 doppelte bzw. ungültige Sternzahlen wurden ignoriert."));
}

TEST_F(SysToolTest, AppendSwitchAddsToTheListAndTheHeadingCountsAllLines) {
  TFSysTool w;
  Build(w, Text("1,2,3,4,5,6"), Text("1,2,3"));
  ASSERT_EQ(ResultLines(w).size(), 18);
  w.CB1->setChecked(true);
  Build(w, Text("7,8,9,10,11,11"), Text("5"));
  QStringList lines = ResultLines(w);
  ASSERT_EQ(lines.size(), 19);
  EXPECT_EQ(lines.front(), Text("1,2,3,4,5,1,2"));
  EXPECT_EQ(lines.back(), Text("7,8,9,10,11,5"));
  EXPECT_EQ(w.Panel10->text(), Text("19 Tippreihen wurden gebildet."));
  EXPECT_EQ(w.Panel12->text(), Text("1"));
  EXPECT_EQ(w.LInfo->text(), Text("1 doppelte bzw. ungültige Tippzahl wurde ignoriert"));

  w.CB1->setChecked(false);
  Build(w, Text("7,8,9,10,11,12"), Text("5,6,5"));
  lines = ResultLines(w);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines.front(), Text("7,8,9,10,11,5,6"));
  EXPECT_EQ(w.Panel10->text(), Text("6 Tippreihen wurden gebildet."));
  EXPECT_EQ(w.LInfo->text(), Text("1 doppelte bzw. ungültige Sternzahl wurde ignoriert."));
}

TEST_F(SysToolTest, RefusedInputLeavesTheListAlone) {
  TFSysTool w;
  struct Case {
    QString tips, stars;
    std::vector<const char*> messageParts;
    const char* counted;  // the total shown afterwards; null: counters untouched
  };
  const Case cases[] = {
      {QString(), Text("1,2"), {kw::kEmptyTipNumbersMessage}, nullptr},
      {Text("1,2,3,4"), Text("1,2"), {kw::kTooFewTipNumbersMessage}, nullptr},
      {Text("1,2,3,4,5,"), Text("1,2"), {"Tippzahlen", "leerer Eintrag"}, nullptr},
      {Text("1,2,3,4,5"), Text("1;2"), {"Sternzahlen", "\"1;2\" keine ganze Zahl"}, nullptr},
      {Range(1, 29), QString(), {"118.755 Tippreihen", "weniger Tippzahlen oder weniger Sternzahlen"}, "118755"},
      {Range(1, 50), Range(1, 12), {"139.838.160 Tippreihen"}, "139838160"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tips.toStdString() + " / " + c.stars.toStdString());
    Build(w, Text("1,2,3,4,5,6"), Text("4"));
    ASSERT_EQ(ResultLines(w).size(), 6);
    MessageBox::clearShown();
    Build(w, c.tips, c.stars);
    ASSERT_EQ(MessageBox::shown().size(), 1u);  // over the limit: refused before any question
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
    for (const char* part : c.messageParts)
      EXPECT_TRUE(MessageBox::lastText().contains(Text(part))) << MessageBox::lastText().toStdString();
    EXPECT_EQ(ResultLines(w).size(), 6);
    EXPECT_EQ(w.Panel10->text(), Text("6 Tippreihen wurden gebildet."));
    EXPECT_EQ(w.Panel12->text(), Text(c.counted ? c.counted : "6"));
  }
}

TEST_F(SysToolTest, TipNumbersAreCleanedInTheirField) {
  TFSysTool w;
  Build(w, Text("1, 2 ,3\n4,5,,6"), Text("2\n3"));
  EXPECT_EQ(w.M1->toPlainText(), Text("1,2,3,4,5,6"));
  EXPECT_EQ(ResultLines(w).size(), 6);
  EXPECT_EQ(ResultLines(w).front(), Text("1,2,3,4,5,2,3"));

  Build(w, Text("1,2,3,4,5,,,"), Text("2"));  // one pass leaves an empty item: refused once...
  EXPECT_TRUE(MessageBox::lastText().contains(Text("leerer Eintrag")));
  EXPECT_EQ(w.M1->toPlainText(), Text("1,2,3,4,5,,"));
}

TEST_F(SysToolTest, TransferIntoTheTipEntryField) {
  TFSysTool& w = *catalogue().fullSystemBuilder();
  Build(w, Text("1,2,3,4,5,6"), Text("8,9"));
  const QString rows = w.Rows->text();
  ASSERT_EQ(ResultLines(w).size(), 6);

  struct Case {
    const char* field;
    std::vector<MessageBox::Answer> answers;
    QString expected;
    std::vector<const char*> questions;
  };
  const char* append = "angehängt werden sollen";
  const char* replace = "gelöscht werden sollen";
  const Case cases[] = {
      {"", {}, rows, {}},
      {"2,7,12,22,38,4,7", {MessageBox::Yes}, Text("2,7,12,22,38,4,7\n") + rows, {append}},
      {"2,7,12,22,38,4,7\n", {MessageBox::Yes}, Text("2,7,12,22,38,4,7\n") + rows, {append}},
      {"alt", {MessageBox::No, MessageBox::Yes}, rows, {append, replace}},
      {"alt", {MessageBox::Cancel, MessageBox::Yes}, rows, {append, replace}},
      {"alt", {MessageBox::No, MessageBox::No}, Text("alt"), {append, replace}},
      {"alt", {MessageBox::Cancel, MessageBox::Cancel}, Text("alt"), {append, replace}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    QPlainTextEdit* field = EntryField(Text(c.field));
    MessageBox::clearShown();
    for (auto a : c.answers) MessageBox::setNextAnswer(a);
    Click(w, "BTransfer");
    EXPECT_EQ(field->toPlainText(), c.expected);
    ASSERT_EQ(MessageBox::shown().size(), c.questions.size());
    for (std::size_t i = 0; i < c.questions.size(); ++i) {
      EXPECT_EQ(MessageBox::shown()[i].kind, MessageBox::Confirmation);
      EXPECT_EQ(MessageBox::shown()[i].buttons, MessageBox::YesNoCancel);
      EXPECT_TRUE(MessageBox::shown()[i].text.contains(Text(c.questions[i])));
      EXPECT_TRUE(MessageBox::shown()[i].text.contains(Text("\"Tippreihen-Eingabe\"")));
    }
    EXPECT_EQ(w.Rows->text(), rows);
  }
}

TEST_F(SysToolTest, TransferWithoutEntryWindowOrRowsChangesNothing) {
  TFSysTool w;
  Build(w, Text("1,2,3,4,5"), Text("1,2"));
  Click(w, "BTransfer");
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_TRUE(MessageBox::lastText().contains(Text("\"Tippreihen-Eingabe\"")));
  EXPECT_EQ(w.Rows->text(), Text("1,2,3,4,5,1,2"));

  // Wired to the entry window, but with nothing built.
  TFSysTool& wired = *catalogue().fullSystemBuilder();
  QPlainTextEdit* field = EntryField(Text("2,7,12,22,38,4,7"));
  Click(wired, "BDelM3");
  MessageBox::clearShown();
  MessageBox::setNextAnswer(MessageBox::Yes);
  MessageBox::setNextAnswer(MessageBox::Yes);
  Click(wired, "BTransfer");
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
  EXPECT_EQ(field->toPlainText(), Text("2,7,12,22,38,4,7"));
}

TEST_F(SysToolTest, OpensOnceBesideTheEntryWindow) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  kw::ui::TFEingabe& entry = *catalogue().tipEntry();
  entry.resize(718, 425);
  struct Case {
    QPoint entryAt;
    int expectedTop;
    bool beside;  // else flush with the right edge of the screen
  };
  const int right = screen.x() + screen.width();
  const Case cases[] = {
      {{right - 1100, screen.y() + 300}, screen.y() + 183, true},
      {{right - 1010, screen.y() + 117}, screen.y() + 20, false},
      {{right - 2000, screen.y() + 118}, screen.y() + 1, true},
      {{right - 700, screen.y() + 40}, screen.y() + 20, false},
  };
  QWidget* first = nullptr;
  for (const auto& c : cases) {
    entry.move(c.entryAt);
    entry.BWeiter->click();
    QWidget* w = TopLevel("FSysTool");
    ASSERT_NE(w, nullptr);
    if (!first) {
      first = w;
      qobject_cast<TFSysTool*>(w)->M1->setPlainText(Text("4,8,15,16,23,42"));
    }
    EXPECT_EQ(w, first);  // created once, found again afterwards
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->y(), c.expectedTop);
    if (c.beside)
      EXPECT_EQ(w->x(), c.entryAt.x() + 734);
    else
      EXPECT_EQ(w->frameGeometry().right() + 1, right);
    EXPECT_LE(w->frameGeometry().width(), 300);  // narrow enough to stand beside the entry window
    w->close();
  }
  EXPECT_EQ(qobject_cast<TFSysTool*>(first)->M1->toPlainText(), Text("4,8,15,16,23,42"));
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) windows += w->objectName() == QStringLiteral("FSysTool");
  EXPECT_EQ(windows, 1);
}

}  // namespace
}  // namespace kwtest
