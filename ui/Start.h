#pragma once
// The splash window: shown first, lets the user in with "Weiter" once everything is created,
// then fades over to the main window.
#include <QPointer>
#include <QWidget>
#include <optional>

#include <string>

#include "core/result.h"

class QPushButton;

namespace kw::ui {

// The data folder (trailing "/"), created when missing, with the shipped history and amounts
// placed when it has no history and the demonstration slip when it lacks one, as an installer would. `problem` tells what went wrong; the path is set all the same.
struct DataFolder {
  std::string path;
  std::optional<Error> problem;
};
DataFolder PrepareDataFolder();

class TFStart : public QWidget {
  Q_OBJECT
 public:
  explicit TFStart(QWidget* parent = nullptr);

  // Start-up is over: "Weiter" becomes usable. The main window (may be null when its creation
  // failed) is faded in when the splash closes.
  void setInitialisationDone(QWidget* mainWindow);

  // Tests shorten the cross-fade's pause per step.
  static void setFadePauseMs(int ms);

  QPushButton* BWeiter = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BWeiterClick();
  void crossFade();

  QPointer<QWidget> mainWindow_;
  QPixmap picture_;
  bool faded_ = false;
};

}  // namespace kw::ui
