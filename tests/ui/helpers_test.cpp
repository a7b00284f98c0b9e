// Message boxes, dialogs, hyphenated captions, the INI stop-gap and grid cell painting.
#include <QImage>
#include <QPainter>

#include "core/program.h"
#include "support/temp_dir.h"
#include "ui/file_dialog.h"
#include "ui/grid_cell.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

using kw::ui::FileDialog;
using kw::ui::MessageBox;

namespace kwtest {
namespace {

class HelpersTest : public UiTest {};

TEST_F(HelpersTest, MessageTextsBreakAtCarriageReturns) {
  EXPECT_EQ(MessageBox::displayText(QStringLiteral("Eins.\r\rIch breche ab.")), QStringLiteral("Eins.\n\nIch breche ab."));
  EXPECT_EQ(MessageBox::displayText(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
}

TEST_F(HelpersTest, PresetAnswersAreUsedInOrderThenTheSafeOne) {
  MessageBox::setNextAnswer(MessageBox::Yes);
  MessageBox::setNextAnswer(MessageBox::No);
  EXPECT_EQ(MessageBox::show(nullptr, MessageBox::Confirmation, std::string("Frage 1"), MessageBox::YesNo),
            MessageBox::Yes);
  EXPECT_EQ(MessageBox::show(nullptr, MessageBox::Confirmation, std::string("Frage 2"), MessageBox::YesNoCancel),
            MessageBox::No);
  // Nothing preset: never a Yes by accident.
  EXPECT_EQ(MessageBox::show(nullptr, MessageBox::Warning, std::string("Frage 3"), MessageBox::YesNo), MessageBox::No);
  EXPECT_EQ(MessageBox::show(nullptr, MessageBox::Warning, std::string("Frage 4"), MessageBox::YesNoCancel),
            MessageBox::Cancel);
  EXPECT_EQ(MessageBox::show(nullptr, MessageBox::Information, std::string("Info")), MessageBox::AnswerOk);
  ASSERT_EQ(MessageBox::shown().size(), 5u);
  EXPECT_EQ(MessageBox::shown()[1].buttons, MessageBox::YesNoCancel);
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Info"));
}

TEST_F(HelpersTest, FileDialogPresetsAndFilters) {
  EXPECT_EQ(FileDialog::qtFilter(QString::fromUtf8(kw::kSlipFilter)), QStringLiteral("EM-Schein-Datei (*.emt)"));
  EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("Text|*.txt|Tabellen|*.xls;*.xlsx")),
            QStringLiteral("Text (*.txt);;Tabellen (*.xls *.xlsx)"));
  FileDialog::setNextPath(QStringLiteral("/x/Samstag"));
  FileDialog::setNextPath(QString());
  EXPECT_EQ(FileDialog::saveFile(nullptr, {}, {}, {}, QStringLiteral("emt")), QStringLiteral("/x/Samstag.emt"));
  EXPECT_TRUE(FileDialog::openFile(nullptr, {}, {}, {}).isEmpty());
  FileDialog::setNextPath(QStringLiteral("/x/Killer"));
  EXPECT_EQ(FileDialog::saveFile(nullptr, {}, {}, {}, QStringLiteral(".emmk")), QStringLiteral("/x/Killer.emmk"));
}

TEST_F(HelpersTest, HyphenatedCaptionsBreakWhereTheyWereHyphenated) {
  using kw::ui::BreakAtHyphens;
  EXPECT_EQ(BreakAtHyphens(QStringLiteral("Sämtliche Dateien zu- sammen auswerten")),
            QStringLiteral("Sämtliche Dateien zu-\nsammen auswerten"));
  EXPECT_EQ(BreakAtHyphens(QStringLiteral("einen Demo-Schein.")), QStringLiteral("einen Demo-Schein."));
  EXPECT_EQ(BreakAtHyphens(QStringLiteral("Reihen - ohne Sterne")), QStringLiteral("Reihen - ohne Sterne"));
}

// Column of the first and last inked pixel and the first inked row inside the cell.
struct Ink {
  int left = 1 << 20, right = -1, top = 1 << 20;
};
Ink InkOf(const QImage& image, QColor background) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != background) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
      }
  return ink;
}

TEST_F(HelpersTest, CellTextKeepsItsOffsets) {
  const QRect cell(10, 5, 80, 16);
  for (auto align : {kw::ui::CellAlign::Left, kw::ui::CellAlign::Centre, kw::ui::CellAlign::Right}) {
    QImage image(100, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
      QPainter p(&image);
      kw::ui::CellStyle style{Qt::white, Qt::black, kw::ui::ProgramFont(), align};
      kw::ui::DrawCellText(p, cell, QStringLiteral("4,36 €"), style);
    }
    // Opaque cell, nothing outside it.
    EXPECT_EQ(image.pixelColor(cell.topLeft()), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(cell.right() + 1, cell.top()), QColor(Qt::red));
    QImage inside = image.copy(cell);
    const Ink ink = InkOf(inside, Qt::white);
    EXPECT_GE(ink.top, 2);
    if (align == kw::ui::CellAlign::Left) {
      EXPECT_GE(ink.left, 2);
      EXPECT_LE(ink.left, 4);
    } else if (align == kw::ui::CellAlign::Right) {
      EXPECT_LE(ink.right, cell.width() - 1 - 3);
      EXPECT_GE(ink.right, cell.width() - 7);
    } else {
      EXPECT_LE(std::abs((ink.left + ink.right) - cell.width()), 4);
    }
  }
}

}  // namespace
}  // namespace kwtest
