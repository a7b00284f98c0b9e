#include "ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "core/program.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

constexpr double kPi = 3.14159265358979323846;

QPainterPath StarPath(QPointF centre, double outer, double inner) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = -kPi / 2 + i * kPi / 5;
    const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(p);
    else
      path.lineTo(p);
  }
  path.closeSubpath();
  return path;
}

void DrawStar(QPainter& p, QPointF centre, double outer, const QColor& colour) {
  QRadialGradient g(centre, outer);
  g.setColorAt(0, colour.lighter(150));
  g.setColorAt(1, colour);
  p.setPen(QPen(colour.darker(140), outer > 6 ? 1.0 : 0.6));
  p.setBrush(g);
  p.drawPath(StarPath(centre, outer, outer * 0.45));
}

void DrawBall(QPainter& p, QPointF centre, double radius, const QColor& colour, const QString& text = {}) {
  QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
  g.setColorAt(0, Qt::white);
  g.setColorAt(0.25, colour.lighter(130));
  g.setColorAt(1, colour.darker(160));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
  if (text.isEmpty()) return;
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawEllipse(centre, radius * 0.55, radius * 0.55);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(std::max(6, static_cast<int>(radius * 0.62)));
  p.setFont(f);
  p.setPen(QColor(30, 30, 30));
  p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter, text);
}

void Frame(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, double radius = 2) {
  p.setPen(QPen(line, 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(r, radius, radius);
}

void DrawIcon(QPainter& p, Command command) {
  const QColor ink(60, 60, 70);
  switch (command) {
    case Command::Quit: {
      Frame(p, QRectF(5, 3, 14, 26), QColor(176, 122, 70), QColor(110, 70, 35), 1);
      p.setBrush(QColor(240, 200, 80));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(16, 17), 1.4, 1.4);
      QPainterPath arrow;
      arrow.moveTo(15, 14);
      arrow.lineTo(23, 14);
      arrow.lineTo(23, 9);
      arrow.lineTo(30, 16.5);
      arrow.lineTo(23, 24);
      arrow.lineTo(23, 19);
      arrow.lineTo(15, 19);
      arrow.closeSubpath();
      p.setPen(QPen(QColor(150, 20, 20), 1));
      p.setBrush(QColor(215, 45, 45));
      p.drawPath(arrow);
      break;
    }
    case Command::OpenSlip: {
      Frame(p, QRectF(3, 8, 26, 19), QColor(222, 178, 70), QColor(150, 110, 30));
      Frame(p, QRectF(9, 3, 16, 18), Qt::white, QColor(120, 120, 120), 0);
      p.setPen(QPen(QColor(220, 60, 60), 1.4));
      p.drawLine(QPointF(12, 8), QPointF(16, 12));
      p.drawLine(QPointF(16, 8), QPointF(12, 12));
      p.drawLine(QPointF(18, 12), QPointF(22, 16));
      p.drawLine(QPointF(22, 12), QPointF(18, 16));
      QPainterPath front;
      front.moveTo(3, 28);
      front.lineTo(7, 14);
      front.lineTo(31, 14);
      front.lineTo(27, 28);
      front.closeSubpath();
      p.setPen(QPen(QColor(150, 110, 30), 1.2));
      p.setBrush(QColor(245, 205, 95));
      p.drawPath(front);
      break;
    }
    case Command::TipEntry:
    case Command::NewSlip: {
      Frame(p, QRectF(3, 3, 20, 26), QColor(255, 252, 235), QColor(140, 130, 100), 1);
      p.setPen(QPen(QColor(200, 170, 110), 0.8));
      for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(3 + 5 * (i + 1), 4), QPointF(3 + 5 * (i + 1), 28));
        p.drawLine(QPointF(4, 3 + 5.2 * (i + 1)), QPointF(22, 3 + 5.2 * (i + 1)));
      }
      p.setPen(QPen(QColor(210, 40, 40), 1.6));
      p.drawLine(QPointF(9, 9.5), QPointF(12, 12.5));
      p.drawLine(QPointF(12, 9.5), QPointF(9, 12.5));
      p.save();
      p.translate(24, 17);
      p.rotate(40);
      Frame(p, QRectF(-2.5, -12, 5, 18), QColor(250, 200, 50), QColor(140, 100, 20), 0.5);
      QPainterPath tip;
      tip.moveTo(-2.5, 6);
      tip.lineTo(2.5, 6);
      tip.lineTo(0, 11);
      tip.closeSubpath();
      p.setBrush(QColor(240, 215, 170));
      p.drawPath(tip);
      p.restore();
      break;
    }
    case Command::SlipPrint:
    case Command::Print: {
      Frame(p, QRectF(9, 3, 14, 11), Qt::white, QColor(120, 120, 120), 0);
      Frame(p, QRectF(3, 12, 26, 12), QColor(180, 185, 195), QColor(90, 95, 105), 2);
      Frame(p, QRectF(8, 20, 16, 10), Qt::white, QColor(120, 120, 120), 0);
      p.setPen(QPen(QColor(150, 150, 150), 0.8));
      p.drawLine(QPointF(10, 24), QPointF(22, 24));
      p.drawLine(QPointF(10, 27), QPointF(19, 27));
      p.setBrush(QColor(60, 200, 80));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(25, 16), 1.3, 1.3);
      break;
    }
    case Command::Statistics: {
      p.setPen(QPen(ink, 1.2));
      p.drawLine(QPointF(4, 28), QPointF(29, 28));
      p.drawLine(QPointF(4, 28), QPointF(4, 3));
      const double heights[] = {10, 18, 13, 22, 7};
      const QColor colours[] = {QColor(70, 120, 210), QColor(230, 160, 40), QColor(70, 120, 210),
                                QColor(230, 160, 40), QColor(70, 120, 210)};
      for (int i = 0; i < 5; ++i) {
        p.setPen(QPen(colours[i].darker(140), 0.8));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(6.5 + i * 4.6, 27 - heights[i], 3.6, heights[i]));
      }
      break;
    }
    case Command::Generator: {
      auto die = [&p](QPointF origin, double angle, std::initializer_list<QPointF> pips) {
        p.save();
        p.translate(origin);
        p.rotate(angle);
        Frame(p, QRectF(0, 0, 14, 14), Qt::white, QColor(80, 80, 90), 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        for (const QPointF& pip : pips) p.drawEllipse(pip, 1.6, 1.6);
        p.restore();
      };
      die(QPointF(3, 6), -12, {QPointF(3.5, 3.5), QPointF(7, 7), QPointF(10.5, 10.5)});
      die(QPointF(15, 13), 14, {QPointF(3.5, 3.5), QPointF(10.5, 3.5), QPointF(3.5, 10.5), QPointF(10.5, 10.5)});
      break;
    }
    case Command::TipCentre: {
      const QColor colours[] = {QColor(220, 60, 50), QColor(240, 170, 30), QColor(60, 130, 210)};
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) DrawBall(p, QPointF(7 + 9 * c, 7 + 9 * r), 4, colours[(r + c) % 3]);
      break;
    }
    case Command::TipAnalysis: {
      p.setPen(QPen(QColor(150, 150, 150), 1.5));
      for (int i = 0; i < 5; ++i) p.drawLine(QPointF(3, 5 + 5 * i), QPointF(25, 5 + 5 * i));
      p.setPen(QPen(QColor(90, 60, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(19, 19), QPointF(28, 28));
      p.setPen(QPen(QColor(60, 60, 70), 2));
      p.setBrush(QColor(190, 225, 255, 170));
      p.drawEllipse(QPointF(13, 13), 8, 8);
      break;
    }
    case Command::UpdateCheck: {
      QRadialGradient g(QPointF(13, 12), 14);
      g.setColorAt(0, QColor(140, 200, 255));
      g.setColorAt(1, QColor(30, 100, 190));
      p.setPen(QPen(QColor(20, 70, 140), 1));
      p.setBrush(g);
      p.drawEllipse(QPointF(16, 16), 12, 12);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(230, 245, 255, 200), 0.9));
      p.drawEllipse(QPointF(16, 16), 5, 12);
      p.drawLine(QPointF(4, 16), QPointF(28, 16));
      p.drawLine(QPointF(6, 10), QPointF(26, 10));
      p.drawLine(QPointF(6, 22), QPointF(26, 22));
      QPainterPath arrow;
      arrow.moveTo(23, 30);
      arrow.lineTo(31, 22);
      arrow.lineTo(27, 22);
      arrow.lineTo(27, 14);
      arrow.lineTo(19, 14);
      arrow.lineTo(19, 22);
      arrow.lineTo(15, 22);
      arrow.closeSubpath();
      p.setPen(QPen(QColor(20, 110, 30), 1));
      p.setBrush(QColor(60, 190, 70));
      p.drawPath(arrow);
      break;
    }
    case Command::QuotaUpdate: {
      QRadialGradient g(QPointF(12, 11), 16);
      g.setColorAt(0, QColor(255, 240, 160));
      g.setColorAt(1, QColor(200, 150, 20));
      p.setPen(QPen(QColor(140, 100, 10), 1.2));
      p.setBrush(g);
      p.drawEllipse(QPointF(16, 16), 13, 13);
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(17);
      p.setFont(f);
      p.setPen(QColor(120, 80, 0));
      p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("€"));
      break;
    }
    case Command::Calendar: {
      Frame(p, QRectF(3, 5, 26, 24), Qt::white, QColor(110, 110, 120), 2);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(210, 50, 50));
      p.drawRect(QRectF(3.6, 5.6, 24.8, 6));
      p.setBrush(QColor(80, 80, 90));
      p.drawRect(QRectF(9, 3, 2, 5));
      p.drawRect(QRectF(21, 3, 2, 5));
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
          p.setBrush(r == 1 && c == 2 ? QColor(210, 50, 50) : QColor(150, 150, 160));
          p.drawRect(QRectF(6 + 4.5 * c, 14 + 4.5 * r, 3, 3));
        }
      break;
    }
    case Command::NOverK: {
      QFont f = p.font();
      f.setPixelSize(12);
      f.setBold(true);
      f.setItalic(true);
      p.setFont(f);
      p.setPen(QColor(30, 60, 140));
      p.drawText(QRectF(6, 3, 20, 13), Qt::AlignCenter, QStringLiteral("n"));
      p.drawText(QRectF(6, 16, 20, 13), Qt::AlignCenter, QStringLiteral("k"));
      p.setPen(QPen(QColor(60, 60, 70), 1.6));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(4, 2, 10, 28), 100 * 16, 160 * 16);
      p.drawArc(QRectF(18, 2, 10, 28), -80 * 16, 160 * 16);
      break;
    }
    case Command::Calculator: {
      Frame(p, QRectF(6, 2, 20, 28), QColor(70, 75, 85), QColor(40, 40, 50), 3);
      Frame(p, QRectF(9, 5, 14, 6), QColor(200, 230, 190), QColor(40, 40, 50), 1);
      p.setPen(Qt::NoPen);
      for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
          p.setBrush(c == 2 && r == 3 ? QColor(240, 140, 40) : QColor(225, 225, 230));
          p.drawRect(QRectF(9 + 5 * c, 13.5 + 4 * r, 3.8, 3));
        }
      break;
    }
    case Command::Settings: {
      QPainterPath gear;
      const QPointF c(16, 16);
      for (int i = 0; i < 16; ++i) {
        const double r = (i / 2) % 2 == 0 ? 13.0 : 9.5;
        const double a = i * kPi / 8 + kPi / 16;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
          gear.moveTo(pt);
        else
          gear.lineTo(pt);
      }
      gear.closeSubpath();
      QPainterPath hole;
      hole.addEllipse(c, 4, 4);
      p.setPen(QPen(QColor(60, 65, 75), 1));
      p.setBrush(QColor(150, 160, 175));
      p.drawPath(gear.subtracted(hole));
      break;
    }
    case Command::WindowHelp:
    case Command::HelpContents:
    case Command::HelpSearch: {
      QRadialGradient g(QPointF(12, 11), 16);
      g.setColorAt(0, QColor(120, 180, 255));
      g.setColorAt(1, QColor(20, 80, 180));
      p.setPen(QPen(QColor(10, 50, 130), 1));
      p.setBrush(g);
      p.drawEllipse(QPointF(16, 16), 13, 13);
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(19);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    default:
      DrawBall(p, QPointF(16, 16), 12, QColor(60, 130, 210));
      break;
  }
}

}  // namespace

QIcon ToolIcon(Command command) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawIcon(p, command);
  p.end();
  return QIcon(pixmap);
}

QPixmap SplashPicture(QSize size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double w = size.width();
  const double h = size.height();

  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(8, 18, 60));
  sky.setColorAt(0.65, QColor(24, 52, 128));
  sky.setColorAt(1, QColor(40, 86, 170));
  p.fillRect(pixmap.rect(), sky);

  // A fixed scatter of small stars, the same on every start.
  unsigned seed = 12345u;
  auto next = [&seed] {
    seed = seed * 134775813u + 1u;
    return (seed >> 8) / 16777216.0;
  };
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 70; ++i) {
    const double x = next() * w;
    const double y = next() * h * 0.75;
    const double r = 0.4 + next() * 1.1;
    p.setBrush(QColor(255, 255, 255, 90 + static_cast<int>(next() * 150)));
    p.drawEllipse(QPointF(x, y), r, r);
  }

  // The twelve stars of the game in a ring, as on the flag.
  const QPointF ring(w - 58, 56);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    DrawStar(p, QPointF(ring.x() + 34 * std::cos(a), ring.y() + 34 * std::sin(a)), 5.5, QColor(250, 204, 40));
  }

  // Five drawn balls rolling along the bottom.
  const QColor ballColours[] = {QColor(220, 50, 45), QColor(245, 165, 25), QColor(40, 160, 80), QColor(50, 120, 215),
                                QColor(150, 70, 190)};
  const char* numbers[] = {"7", "19", "23", "38", "45"};
  for (int i = 0; i < 5; ++i)
    DrawBall(p, QPointF(w * 0.14 + i * w * 0.125, h * 0.80 - (i % 2) * 7), 19, ballColours[i],
             QString::fromLatin1(numbers[i]));
  DrawStar(p, QPointF(w * 0.14 + 5 * w * 0.125, h * 0.79), 15, QColor(250, 204, 40));

  QFont title = p.font();
  title.setPixelSize(42);
  title.setBold(true);
  title.setItalic(true);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawText(QRectF(22, h * 0.30 + 2, w, 56), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kProgramTitle));
  p.setPen(QColor(255, 226, 120));
  p.drawText(QRectF(20, h * 0.30, w, 56), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kProgramTitle));

  QFont sub = p.font();
  sub.setPixelSize(14);
  sub.setBold(false);
  sub.setItalic(false);
  p.setFont(sub);
  p.setPen(QColor(215, 228, 255));
  p.drawText(QRectF(24, h * 0.30 + 58, w, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Auswertung und Tipps für EuroMillionen"));
  sub.setPixelSize(12);
  p.setFont(sub);
  p.setPen(QColor(170, 190, 235));
  p.drawText(QRectF(24, h * 0.30 + 78, w, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Version ") + QString::fromUtf8(kProgramVersion));
  return pixmap;
}

QPixmap WelcomePicture(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = size.width();
  const double h = size.height();
  // A betting slip, slightly turned, with crosses on some numbers.
  p.save();
  p.translate(w / 2, h / 2);
  p.rotate(-8);
  const QRectF slip(-w * 0.36, -h * 0.42, w * 0.72, h * 0.84);
  p.setPen(QPen(QColor(150, 130, 90), 1));
  p.setBrush(QColor(255, 250, 232));
  p.drawRoundedRect(slip, 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF4, 0xBD, 0x3E));
  p.drawRect(QRectF(slip.left(), slip.top(), slip.width(), 12));
  const double cellW = slip.width() / 7.0;
  const double cellH = (slip.height() - 20) / 8.0;
  QFont f = p.font();
  f.setPixelSize(8);
  p.setFont(f);
  int n = 1;
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c, ++n) {
      const QRectF cell(slip.left() + c * cellW + 2, slip.top() + 16 + r * cellH, cellW - 4, cellH - 3);
      p.setPen(QPen(QColor(220, 150, 110), 0.7));
      p.setBrush(Qt::NoBrush);
      p.drawRect(cell);
      p.setPen(QColor(200, 110, 80));
      p.drawText(cell, Qt::AlignCenter, QString::number(n));
      if (n == 7 || n == 19 || n == 23 || n == 38 || n == 45) {
        p.setPen(QPen(QColor(30, 60, 170), 1.6));
        p.drawLine(cell.topLeft(), cell.bottomRight());
        p.drawLine(cell.topRight(), cell.bottomLeft());
      }
    }
  for (int s = 0; s < 2; ++s)
    DrawStar(p, QPointF(slip.left() + cellW * (2.5 + 2 * s), slip.bottom() - cellH * 0.55), cellH * 0.5,
             QColor(0xF1, 0xD0, 0x30));
  p.restore();
  DrawBall(p, QPointF(w * 0.82, h * 0.80), std::min(w, h) * 0.13, QColor(220, 50, 45), QStringLiteral("7"));
  return pixmap;
}

QPixmap LinkPicture(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = std::min(size.width(), size.height());
  const QPointF c(size.width() / 2.0, size.height() / 2.0);
  QRadialGradient g(c - QPointF(s * 0.15, s * 0.15), s * 0.6);
  g.setColorAt(0, QColor(140, 200, 255));
  g.setColorAt(1, QColor(30, 100, 190));
  p.setPen(QPen(QColor(20, 70, 140), 1));
  p.setBrush(g);
  p.drawEllipse(c, s / 2 - 1, s / 2 - 1);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(230, 245, 255, 210), 0.8));
  p.drawEllipse(c, s * 0.2, s / 2 - 1);
  p.drawLine(QPointF(c.x() - s / 2 + 1, c.y()), QPointF(c.x() + s / 2 - 1, c.y()));
  return pixmap;
}

}  // namespace kw::ui
