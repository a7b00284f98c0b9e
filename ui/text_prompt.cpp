#include "ui/text_prompt.h"

#include <QInputDialog>
#include <deque>

namespace kw::ui {

namespace {
struct TestState {
  bool on = false;
  std::deque<QString> answers;
};
TestState& Test() {
  static TestState state;
  return state;
}
}  // namespace

void TextPrompt::setTestMode(bool on) {
  Test().on = on;
  Test().answers.clear();
}

void TextPrompt::setNextAnswer(const QString& answer) { Test().answers.push_back(answer); }

std::optional<QString> TextPrompt::ask(QWidget* parent, const QString& title, const QString& label,
                                       const QString& initial) {
  TestState& test = Test();
  if (test.on) {
    if (test.answers.empty()) return std::nullopt;
    QString answer = test.answers.front();
    test.answers.pop_front();
    return answer;
  }
  bool ok = false;
  const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace kw::ui
