#include "ui/Kal.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/program.h"
#include "ui/help.h"
#include "ui/look.h"

namespace kw::ui {

namespace {
}

TFKal::TFKal(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FKal"));
  setFont(ProgramFont());
  setWindowTitle(Q(WindowCaption("- Kalender")));

  MC1 = new QCalendarWidget(this);
  MC1->setObjectName(QStringLiteral("MC1"));
  MC1->setLocale(QLocale(QLocale::German, QLocale::Germany));
  MC1->setFirstDayOfWeek(Qt::Monday);
  MC1->setGridVisible(true);
  MC1->setMinimumSize(614, 396);
  MC1->setSelectedDate(QDate::currentDate());

  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("PUnten"));
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(8, 6, 8, 6);
  BitBtn8 = new QPushButton(QStringLiteral("Sch&ließen"), bar);
  BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
  BitBtn8->setMinimumSize(90, 27);
  barLayout->addStretch();
  barLayout->addWidget(BitBtn8);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MC1, 1);
  layout->addWidget(bar);

  InstallHelpKey(this);
  adjustSize();
}

}  // namespace kw::ui
