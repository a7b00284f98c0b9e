#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "ui/Auswertung.h"
#include "ui/info.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

using kw::ui::MessageBox;
using kw::ui::TFInfo;

namespace kwtest {
namespace {

class InfoTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    kw::platform::SetOpenUrlHook([this](const std::string& url) {
      opened.push_back(url);
      return shellAccepts;
    });
  }
  void TearDown() override {
    kw::platform::SetOpenUrlHook({});
    UiTest::TearDown();
  }
  TFInfo* Open() {
    catalogue().showAbout(false);
    return qobject_cast<TFInfo*>(TopLevel("FInfo"));
  }
  static void Click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }

  std::vector<std::string> opened;
  bool shellAccepts = true;
};

TEST_F(InfoTest, ShowsVersionAndContactLines) {
  TFInfo* info = Open();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->windowTitle(), QStringLiteral("- Programm-Info"));
  EXPECT_EQ(info->size(), QSize(400, 300));
  EXPECT_EQ(info->LVersion->text(), QStringLiteral("Version 1.7.1.1"));
  for (QLabel* line : {info->LName, info->LStrasse, info->LPLZOrt, info->LTelefon, info->LFax, info->LMail}) {
    EXPECT_FALSE(line->text().isEmpty()) << line->objectName().toStdString();
    EXPECT_TRUE(line->font().bold()) << line->objectName().toStdString();
    EXPECT_TRUE(info->PKontakt->isAncestorOf(line));
  }
  EXPECT_TRUE(info->LMail->font().underline());
  EXPECT_TRUE(info->LMail->text().contains(QString::fromLatin1(kw::ui::kMakerMailAddress)));
  // The hand only over the mail line.
  EXPECT_EQ(info->LMail->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(info->PKontakt->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(info->LName->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InfoTest, MailLineStartsAMessageWithTheProgramAsSubject) {
  TFInfo* info = Open();
  ASSERT_NE(info, nullptr);
  Click(info->LName);
  EXPECT_TRUE(opened.empty());
  Click(info->LMail);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::string("mailto:") + kw::ui::kMakerMailAddress + "?subject=Kugelwerk");
  EXPECT_TRUE(MessageBox::shown().empty());

  shellAccepts = false;  // no mail program
  Click(info->LMail);
  ASSERT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_TRUE(MessageBox::shown()[0].text.contains(QString::fromLatin1(kw::ui::kMakerMailAddress)));
}

TEST_F(InfoTest, OpensOnceAndIsDestroyedByEitherCloseButton) {
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  auto* menu = main.findChild<QAction*>(QStringLiteral("MenuAbout"));
  ASSERT_TRUE(menu && menu->isEnabled());
  for (const char* closer : {"BitBtn8", "BClose"}) {
    SCOPED_TRACE(closer);
    menu->trigger();
    menu->trigger();
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("FInfo")) ++count;
    ASSERT_EQ(count, 1);
    QPointer<QWidget> info = TopLevel("FInfo");
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->windowModality(), Qt::NonModal);

    auto* button = info->findChild<QAbstractButton*>(QString::fromLatin1(closer));
    ASSERT_NE(button, nullptr);
    button->click();
    // Gone for the next opening at once, and really destroyed once events have run.
    EXPECT_EQ(TopLevel("FInfo"), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(info.isNull());
  }
}

TEST_F(InfoTest, SomeWindowsShowItModally) {
  catalogue().showAbout(true);
  QWidget* info = TopLevel("FInfo");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->windowModality(), Qt::ApplicationModal);
}

}  // namespace
}  // namespace kwtest
