#include "ui/info.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/program.h"
#include "platform/shell.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"

namespace kw::ui {

namespace {


QLabel* ContactLine(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(BoldFont(9));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

QString TFInfo::MailLink() {
  return QStringLiteral("mailto:") + QString::fromLatin1(kMakerMailAddress) + QStringLiteral("?subject=") +
         QString::fromUtf8(kProgramTitle);
}

TFInfo::TFInfo(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FInfo"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ProgramFont());
  setWindowTitle(QStringLiteral("- Programm-Info"));
  setFixedSize(400, 300);

  LTitle = new QLabel(QString::fromUtf8(kProgramTitle), this);
  LTitle->setObjectName(QStringLiteral("LTitle"));
  LTitle->setFont(BoldFont(20));
  LTitle->setStyleSheet(QStringLiteral("color: #FFE9A8;"));
  LTitle->setGeometry(24, 18, 300, 40);

  LVersion = new QLabel(QStringLiteral("Version ") + QString::fromUtf8(kProgramVersion), this);
  LVersion->setObjectName(QStringLiteral("LVersion"));
  LVersion->setFont(BoldFont(9));
  LVersion->setStyleSheet(QStringLiteral("color: white;"));
  LVersion->setGeometry(26, 58, 300, 20);

  PKontakt = new QFrame(this);
  PKontakt->setObjectName(QStringLiteral("PKontakt"));
  PKontakt->setStyleSheet(QStringLiteral("#PKontakt { background: rgba(255, 255, 255, 225); border-radius: 6px; }"));
  PKontakt->setGeometry(24, 96, 352, 150);
  auto* lines = new QVBoxLayout(PKontakt);
  lines->setContentsMargins(14, 10, 14, 10);
  lines->setSpacing(2);
  LName = ContactLine(PKontakt, "LName", QStringLiteral("Das Kugelwerk-Team"));
  LStrasse = ContactLine(PKontakt, "LStrasse", QStringLiteral("Fragen, Wünsche, Fehlerberichte:"));
  LPLZOrt = ContactLine(PKontakt, "LPLZOrt", QStringLiteral("Wir antworten per E-Mail."));
  LTelefon = ContactLine(PKontakt, "LTelefon", QStringLiteral("Telefon: keine Hotline"));
  LFax = ContactLine(PKontakt, "LFax", QStringLiteral("Fax: –"));
  LMail = ContactLine(PKontakt, "LMail", QStringLiteral("E-Mail: ") + QString::fromLatin1(kMakerMailAddress));
  QFont mailFont = LMail->font();
  mailFont.setUnderline(true);
  LMail->setFont(mailFont);
  LMail->setStyleSheet(QStringLiteral("color: blue;"));
  LMail->setCursor(Qt::PointingHandCursor);
  LMail->setToolTip(QStringLiteral("Eine E-Mail schreiben"));
  LMail->installEventFilter(this);
  for (QLabel* label : {LName, LStrasse, LPLZOrt, LTelefon, LFax, LMail}) lines->addWidget(label);
  lines->addStretch();

  BitBtn8 = new QPushButton(QStringLiteral("Sch&ließen"), this);
  BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
  BitBtn8->setGeometry(286, 260, 90, 27);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);

  BClose = new QToolButton(this);
  BClose->setObjectName(QStringLiteral("BClose"));
  BClose->setText(QStringLiteral("✕"));
  BClose->setToolTip(QStringLiteral("Schließen"));
  BClose->setAutoRaise(true);
  BClose->setStyleSheet(QStringLiteral("QToolButton { color: white; font-weight: bold; border: none; }"
                                       "QToolButton:hover { background: #C0392B; }"));
  BClose->setGeometry(372, 4, 24, 22);
  connect(BClose, &QToolButton::clicked, this, &QWidget::close);

  InstallHelpKey(this);
}

bool TFInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LMail && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    LMailClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFInfo::LMailClick() {
  if (!kw::platform::OpenUrl(MailLink().toStdString()))
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Das E-Mail-Programm konnte nicht gestartet werden.\r\rSchreiben Sie bitte an ") +
                         QString::fromLatin1(kMakerMailAddress) + QLatin1Char('.'));
}

void TFInfo::closeEvent(QCloseEvent* event) {
  // Gone for the form-exists test at once, not only when the deferred deletion runs.
  setObjectName(QString());
  event->accept();
}

void TFInfo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height());
  sky.setColorAt(0, QColor(18, 32, 84));
  sky.setColorAt(1, QColor(46, 86, 160));
  p.fillRect(rect(), sky);
  // A few drawn balls in the top right corner.
  const struct {
    double x, y, r;
    QColor colour;
  } balls[] = {{330, 52, 26, QColor(230, 180, 40)}, {282, 40, 16, QColor(220, 90, 60)}, {360, 84, 12, QColor(90, 170, 90)}};
  for (const auto& b : balls) {
    QRadialGradient g(QPointF(b.x - b.r * 0.35, b.y - b.r * 0.4), b.r * 1.3);
    g.setColorAt(0, Qt::white);
    g.setColorAt(0.25, b.colour.lighter(130));
    g.setColorAt(1, b.colour.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
  }
}

}  // namespace kw::ui
