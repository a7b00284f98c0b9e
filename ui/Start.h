#pragma once
// The splash window: shown first, lets the user in with "Weiter" once everything is created,
// then fades over to the main window.
#include <QPointer>
#include <QWidget>

#include "core/result.h"
#include "core/program.h"

class QPushButton;

namespace kw::ui {

// DataDir, ProgramDir and TempFile of the state; the data folder is created when missing.
// Returns the error of a data folder that cannot be created (DataDir is set all the same).
Result<void> InitialiseAppPaths(AppState& state);

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
