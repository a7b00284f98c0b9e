#include "ui/NueberK.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSizePolicy>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/german_format.h"
#include "core/program.h"
#include "generation/binomial.h"
#include "ui/artwork.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

constexpr int kHelpTopic = 1009;
const QSize kClientSize(362, 262);
const QColor kEditColour(0xFF, 0xE0, 0xC1);
const QColor kResultColour(0x00, 0x00, 0x80);

// "beispiels- weise" was broken by hand for a narrow label; a soft hyphen breaks it only where
// this label's line ends.
QString SoftHyphens(QString text) {
  for (qsizetype i = 1; i + 2 < text.size(); ++i)
    if (text[i] == QLatin1Char('-') && text[i + 1] == QLatin1Char(' ') && text[i - 1].isLower() && text[i + 2].isLower())
      text.replace(i, 2, QChar(0x00AD));
  return text;
}

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAlignment(Qt::AlignCenter);
  edit->setFixedWidth(64);
  edit->setFont(BoldFont(9));
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kEditColour);
  edit->setPalette(palette);
  return edit;
}

}  // namespace

TFNueberK::TFNueberK(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FNueberK"));
  setFont(ProgramFont());
  setWindowTitle(Q(WindowCaption("- n über k")));

  PMenu = new QToolBar(this);
  PMenu->setObjectName(QStringLiteral("PMenu"));
  PMenu->setMovable(false);
  PMenu->setIconSize(QSize(32, 32));
  PMenu->setFixedHeight(40);
  PMenu->setContextMenuPolicy(Qt::PreventContextMenu);
  BitBtn7 = PMenu->addAction(ToolIcon(Command::Quit), QStringLiteral("Programm beenden"));
  BitBtn7->setObjectName(QStringLiteral("BitBtn7"));
  auto* spacer = new QWidget(PMenu);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  PMenu->addWidget(spacer);
  BitBtn5 = PMenu->addAction(ToolIcon(Command::WindowHelp), QStringLiteral("Hilfe"));
  BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
  for (QAction* action : {BitBtn7, BitBtn5})
    if (QWidget* button = PMenu->widgetForAction(action)) {
      button->setObjectName(action->objectName());
      button->setFixedSize(48, 38);
    }
  connect(BitBtn5, &QAction::triggered, this, [] { ShowHelpPage(kHelpTopic); });
  // Like the other small windows' first button, it leaves this window, not the program.
  connect(BitBtn7, &QAction::triggered, this, &QWidget::close);

  LText1 = new QLabel(QStringLiteral("Der sogenannte Binomialkoeffizient n über k beschreibt, wie viele Möglichkeiten "
                                     "es gibt, aus n vorgegebenen Elementen eine Teilmenge von k Elementen auszuwählen."),
                      this);
  LText2 = new QLabel(SoftHyphens(QStringLiteral(
                          "Zu wissen, wie viele Möglichkeiten es für Teilmengen gibt, ist beispiels- weise für die "
                          "Errechnung der Chancen für 5 Richtige beim EuroJackpot wichtig. Setzen Sie dafür 50 als n "
                          "und 5 als k ein.")),
                      this);
  LText1->setObjectName(QStringLiteral("LText1"));
  LText2->setObjectName(QStringLiteral("LText2"));
  for (QLabel* label : {LText1, LText2}) {
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
  }

  E1 = NumberEdit(this, "E1");
  E1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), E1));
  E2 = NumberEdit(this, "E2");
  BitBtn1 = new QPushButton(QStringLiteral("="), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setFont(BoldFont(12));
  BitBtn1->setToolTip(QStringLiteral("Berechnen"));
  BitBtn1->setFixedSize(36, 26);
  P1 = new QLabel(this);
  P1->setObjectName(QStringLiteral("P1"));
  P1->setFont(BoldFont(10));
  P1->setAlignment(Qt::AlignCenter);
  P1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  P1->setFixedHeight(26);
  P1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPalette resultPalette = P1->palette();
  resultPalette.setColor(QPalette::WindowText, kResultColour);
  P1->setPalette(resultPalette);

  BitBtn8 = new QPushButton(QStringLiteral("Sch&ließen"), this);
  BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
  BitBtn8->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  BitBtn8->setFixedSize(96, 27);

  auto* inputs = new QHBoxLayout;
  inputs->setSpacing(4);
  auto* nLabel = new QLabel(QStringLiteral("n ="), this);
  auto* kLabel = new QLabel(QStringLiteral("k ="), this);
  for (QLabel* label : {nLabel, kLabel}) label->setFont(BoldFont(9));
  inputs->addWidget(nLabel);
  inputs->addWidget(E1);
  inputs->addSpacing(6);
  inputs->addWidget(kLabel);
  inputs->addWidget(E2);
  inputs->addSpacing(6);
  inputs->addWidget(BitBtn1);
  inputs->addStretch();

  auto* body = new QVBoxLayout;
  body->setContentsMargins(10, 6, 10, 8);
  body->setSpacing(6);
  body->addWidget(LText1);
  body->addWidget(LText2);
  body->addSpacing(4);
  body->addLayout(inputs);
  // Its own line: the largest result has 25 characters.
  body->addWidget(P1);
  body->addStretch();
  body->addWidget(BitBtn8, 0, Qt::AlignRight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PMenu);
  layout->addLayout(body, 1);

  connect(BitBtn1, &QPushButton::clicked, this, &TFNueberK::BitBtn1Click);
  connect(E1, &QLineEdit::returnPressed, this, &TFNueberK::BitBtn1Click);
  connect(E2, &QLineEdit::returnPressed, this, &TFNueberK::BitBtn1Click);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);

  InstallHelpKey(this, kHelpTopic);
  // A fixed frame; German texts take more room than the design's, so it grows only as needed.
  setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
}

void TFNueberK::centreOn(const QWidget* window) {
  if (!window) return;
  const QRect frame = window->frameGeometry();
  move(frame.center() - QPoint(width() / 2, height() / 2));
}

void TFNueberK::BitBtn1Click() {
  const Result<std::int64_t> result = NOverKOfTexts(E1->text().toStdString(), E2->text().toStdString());
  if (!result) {
    MessageBox::show(this, MessageBox::Information, result.error().message);
    return;
  }
  P1->setText(Q(FormatGroupedInteger(*result)));
}

}  // namespace kw::ui
