#pragma once
// Every message of the program goes through here: the right icon, a fixed button set, and
// "\r" in the text as a line break. Tests preset the answers so modal paths run offscreen.
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace kw {
struct Error;
}

namespace kw::ui {

class MessageBox {
 public:
  enum Kind { Error, Information, Warning, Confirmation };
  enum Buttons { Ok, YesNo, YesNoCancel };
  enum Answer { AnswerOk, Yes, No, Cancel };

  struct Shown {
    Kind kind;
    Buttons buttons;
    QString text;  // as given, "\r" still in it
  };

  static Answer show(QWidget* parent, Kind kind, const QString& text, Buttons buttons = Ok);
  static Answer show(QWidget* parent, Kind kind, const std::string& text, Buttons buttons = Ok);
  // A core error with the error icon.
  static void showError(QWidget* parent, const kw::Error& error);

  // "\r\n" and "\r" become "\n".
  static QString displayText(const QString& text);

  // Tests: no box ever opens. Preset answers are used in order; without one the box takes its
  // safe answer (Ok, No, Cancel).
  static void setTestMode(bool on);
  static void setNextAnswer(Answer answer);
  static const std::vector<Shown>& shown();
  static QString lastText();
  static void clearShown();
};

}  // namespace kw::ui
