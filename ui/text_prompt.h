#pragma once
// A one-line question to the user, with an answer tests can preset.
#include <QString>
#include <optional>

class QWidget;

namespace kw::ui {

class TextPrompt {
 public:
  // The text the user confirmed; nothing when cancelled.
  static std::optional<QString> ask(QWidget* parent, const QString& title, const QString& label,
                                    const QString& initial);

  // Tests: no dialog opens; the next ask() returns this answer (nothing preset = cancelled).
  static void setTestMode(bool on);
  static void setNextAnswer(const QString& answer);
};

}  // namespace kw::ui
