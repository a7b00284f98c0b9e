#include "ui/QLinks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/program.h"
#include "platform/network_transport.h"
#include "platform/shell.h"
#include "ui/data_store.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

QToolButton* ClearButton(QWidget* parent, const char* name, QLineEdit* field) {
  auto* button = Make<QToolButton>(parent, name);
  button->setIcon(parent->style()->standardIcon(QStyle::SP_LineEditClearButton));
  button->setToolTip(QStringLiteral("Eingabe löschen"));
  button->setFixedSize(24, 24);
  QObject::connect(button, &QToolButton::clicked, field, &QLineEdit::clear);
  return button;
}

}  // namespace

TFQlinks::TFQlinks(const WindowContext& context, QWidget* parent) : QWidget(parent, Qt::Window), store_(context.store) {
  setObjectName(QStringLiteral("FQlinks"));
  setFont(ProgramFont());
  buildDesign();
  FormCreate();
  InstallHelpKey(this);
}

void TFQlinks::buildDesign() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->setSpacing(8);
  LText = Make<QLabel>(this, "LText",
                       QStringLiteral("Die Internetseiten mit Gewinnquoten, die über die Links aufgerufen werden sollen, "
                                      "können hier eingepflegt und bearbeitet werden."));
  LText->setWordWrap(true);
  layout->addWidget(LText);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  LLink1 = Make<QLabel>(this, "LLink1", QStringLiteral("Link 1"));
  LLink2 = Make<QLabel>(this, "LLink2", QStringLiteral("Link 2"));
  Edit1 = Make<QLineEdit>(this, "Edit1");
  Edit2 = Make<QLineEdit>(this, "Edit2");
  for (QLineEdit* edit : {Edit1, Edit2}) {
    edit->setMinimumWidth(440);
    edit->setPlaceholderText(QStringLiteral("https://..."));
  }
  BDel = ClearButton(this, "BDel", Edit1);
  BitBtn2 = ClearButton(this, "BitBtn2", Edit2);
  grid->addWidget(LLink1, 0, 0);
  grid->addWidget(Edit1, 0, 1);
  grid->addWidget(BDel, 0, 2);
  grid->addWidget(LLink2, 1, 0);
  grid->addWidget(Edit2, 1, 1);
  grid->addWidget(BitBtn2, 1, 2);
  layout->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  BGoogle = Make<QPushButton>(this, "BGoogle");
  BitBtn3 = Make<QPushButton>(this, "BitBtn3", QStringLiteral("Speichern"));
  BitBtn8 = Make<QPushButton>(this, "BitBtn8", QStringLiteral("Sch&ließen"));
  BGoogle->setToolTip(QStringLiteral("Im Internet nach aktuellen Quoten suchen"));
  for (QPushButton* b : {BGoogle, BitBtn3, BitBtn8}) b->setMinimumSize(90, 40);
  buttons->addWidget(BGoogle);
  buttons->addStretch();
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn8);
  layout->addLayout(buttons);

  connect(BitBtn3, &QPushButton::clicked, this, &TFQlinks::BitBtn3Click);
  connect(BGoogle, &QPushButton::clicked, this, &TFQlinks::BGoogleClick);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);
}

void TFQlinks::FormCreate() {
  auto read = ReadQuotaLinks(store_.dataFile(kQuotaLinksFileName));
  if (!read) {
    MessageBox::showError(this, read.error());
  } else {
    links_ = *read;
  }
  Edit1->setText(Q(links_[0]));
  Edit2->setText(Q(links_[1]));
  BGoogle->setText(QStringLiteral("Google-\nSuche"));
  setWindowTitle(Q(WindowCaption("- Quoten-Favoriten")));
  adjustSize();
}

void TFQlinks::showModal() {
  if (!isVisible()) setWindowModality(Qt::ApplicationModal);
  if (isMinimized())
    showNormal();
  else
    show();
  raise();
  activateWindow();
}

void TFQlinks::BitBtn3Click() {
  QuotaLinks links;
  QStringList refused;
  const std::pair<QLineEdit*, const char*> fields[] = {{Edit1, "Link 1"}, {Edit2, "Link 2"}};
  for (std::size_t n = 0; n < 2; ++n) {
    const std::string text = fields[n].first->text().trimmed().toStdString();
    if (IsValidUrl(text))
      links[n] = text;
    else if (!text.empty())
      refused << QString::fromUtf8(fields[n].second);
  }
  if (auto written = WriteQuotaLinks(store_.dataFile(kQuotaLinksFileName), links); !written) {
    MessageBox::showError(this, written.error());
    return;
  }
  links_ = links;
  emit linksChanged(Q(links_[0]), Q(links_[1]));
  if (!refused.isEmpty())
    MessageBox::show(this, MessageBox::Information,
                     refused.join(QStringLiteral(" und ")) +
                         QStringLiteral(" ist keine vollständige Internetadresse (etwa \"https://www.beispiel.de/quoten\") "
                                        "und wurde leer gespeichert."));
}

void TFQlinks::BGoogleClick() {
  if (!kw::platform::IsOnline(kQuotaSearchUrl)) {
    MessageBox::show(this, MessageBox::Information,
                     QStringLiteral("Für den Aufruf der Suche muss eine Verbindung zum Internet bestehen."));
    return;
  }
  if (!kw::platform::OpenUrl(kQuotaSearchUrl))
    MessageBox::show(this, MessageBox::Error, QStringLiteral("Es gab ein Problem mit dem Seitenaufruf."));
}

}  // namespace kw::ui
