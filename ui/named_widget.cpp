#include "ui/named_widget.h"

#include "ui/look.h"

namespace kw::ui {

QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, bool wrap) {
  auto* label = Make<QLabel>(parent, name, text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(wrap);
  return label;
}

QLabel* RegularLabel(QWidget* parent, const char* name, const QString& text, bool wrap) {
  QLabel* label = PlainLabel(parent, name, text, wrap);
  label->setFont(ProgramFont());
  return label;
}

QPushButton* FixedButton(QWidget* parent, const char* name, const QString& caption, QSize size) {
  auto* button = Make<QPushButton>(parent, name, caption);
  button->setFixedSize(size);
  return button;
}

}  // namespace kw::ui
