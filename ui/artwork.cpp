#include "ui/artwork.h"

#include <QFont>
#include <QPainter>
#include <QSvgRenderer>

#include "core/program.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

// A picture of data/pictures at `size`; transparent where the drawing leaves room.
QPixmap Picture(const char* name, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer svg(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name)));
  QPainter p(&pixmap);
  svg.render(&p);
  return pixmap;
}

const char* IconName(Command command) {
  switch (command) {
    case Command::Quit: return "quit";
    case Command::OpenSlip: return "open";
    case Command::TipEntry:
    case Command::NewSlip: return "entry";
    case Command::SlipPrint:
    case Command::Print:
    case Command::PrinterSetup: return "print";
    case Command::Statistics:
    case Command::Evaluation: return "statistics";
    case Command::Generator: return "generator";
    case Command::TipCentre: return "tipcentre";
    case Command::TipAnalysis: return "analysis";
    case Command::UpdateCheck: return "update";
    case Command::QuotaUpdate: return "quotas";
    case Command::Calendar: return "calendar";
    case Command::NOverK: return "noverk";
    case Command::Calculator: return "calculator";
    case Command::Settings: return "settings";
    case Command::WindowHelp:
    case Command::HelpContents:
    case Command::HelpSearch:
    case Command::About: return "help";
  }
  return "help";
}

}  // namespace

QIcon ToolIcon(Command command) { return QIcon(Picture(IconName(command), QSize(32, 32))); }

QPixmap SplashPicture(QSize size) {
  QPixmap pixmap = Picture("splash", size);
  // The version is the program's, so it is written here rather than in the drawing.
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(QColor(170, 190, 235));
  p.drawText(QRectF(24, size.height() * 0.30 + 78, size.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Version ") + QString::fromUtf8(kProgramVersion));
  return pixmap;
}

QPixmap WelcomePicture(QSize size) { return Picture("welcome", size); }

QPixmap LinkPicture(QSize size) { return Picture("link", size); }

QIcon PasteIcon() { return QIcon(Picture("paste", QSize(18, 18))); }

QPixmap ClearPicture() { return Picture("eraser", QSize(16, 16)); }

}  // namespace kw::ui
