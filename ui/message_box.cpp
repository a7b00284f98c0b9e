#include "ui/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <deque>

#include "core/result.h"

namespace kw::ui {

namespace {
struct TestState {
  bool on = false;
  std::deque<MessageBox::Answer> answers;
  std::vector<MessageBox::Shown> shown;
};
TestState& Test() {
  static TestState state;
  return state;
}

MessageBox::Answer SafeAnswer(MessageBox::Buttons buttons) {
  switch (buttons) {
    case MessageBox::Ok: return MessageBox::AnswerOk;
    case MessageBox::YesNo: return MessageBox::No;
    case MessageBox::YesNoCancel: return MessageBox::Cancel;
  }
  return MessageBox::AnswerOk;
}
}  // namespace

QString MessageBox::displayText(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

MessageBox::Answer MessageBox::show(QWidget* parent, Kind kind, const std::string& text, Buttons buttons) {
  return show(parent, kind, QString::fromStdString(text), buttons);
}

MessageBox::Answer MessageBox::show(QWidget* parent, Kind kind, const QString& text, Buttons buttons) {
  TestState& test = Test();
  if (test.on) {
    test.shown.push_back({kind, buttons, text});
    if (test.answers.empty()) return SafeAnswer(buttons);
    const Answer answer = test.answers.front();
    test.answers.pop_front();
    return answer;
  }

  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("Kugelwerk"));
  box.setTextFormat(Qt::PlainText);
  box.setText(displayText(text));
  switch (kind) {
    case Error: box.setIcon(QMessageBox::Critical); break;
    case Information: box.setIcon(QMessageBox::Information); break;
    case Warning: box.setIcon(QMessageBox::Warning); break;
    case Confirmation: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
  }
  if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("&Ja"));
  if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("&Nein"));
  if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Abbrechen"));
  box.exec();
  const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
  switch (pressed) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    case QMessageBox::Ok: return AnswerOk;
    default: return SafeAnswer(buttons);
  }
}

void MessageBox::showError(QWidget* parent, const kw::Error& error) { show(parent, Error, error.message, Ok); }

void MessageBox::setTestMode(bool on) {
  Test().on = on;
  Test().answers.clear();
  Test().shown.clear();
}

void MessageBox::setNextAnswer(Answer answer) { Test().answers.push_back(answer); }

const std::vector<MessageBox::Shown>& MessageBox::shown() { return Test().shown; }

QString MessageBox::lastText() { return Test().shown.empty() ? QString() : Test().shown.back().text; }

void MessageBox::clearShown() { Test().shown.clear(); }

}  // namespace kw::ui
