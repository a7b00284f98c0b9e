#pragma once
// "Updates": fetches new draws, new prize amounts and the news of the download server, tells
// whether another program version is offered, downloads and starts its installer. The check
// runs once when the window is created (silently, with the options of the start-up settings)
// and on "Abfrage starten". Downloads run in the background: the window stays usable and a
// running download can be stopped. Closing only hides the window.
#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/result.h"
#include "platform/network_transport.h"
#include "update/update_check.h"
#include "ui/window_context.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextBrowser;

namespace kw::update {
class InstallerDownload;
}

namespace kw::ui {

class DataStore;
class Navigation;

// The transport of every download the windows start; tests shorten its time-outs.
platform::TransportOptions UpdateTransportOptions();
void SetUpdateTransportOptions(const platform::TransportOptions& options);

// The inputs of a check from the store: its draws and quotas, the size of the history file
// and the server named in "Einstellungen.ini". Refused when that names no usable address.
Result<update::CheckInputs> CheckInputsFrom(const DataStore& store);
// Takes a finished check into the store; every window follows from the store's signals. A
// part whose data changed meanwhile, or whose file cannot be written, becomes a failure.
void ApplyCheck(DataStore& store, const update::CheckInputs& inputs, update::CheckResult& result);
// The texts to show after a check started by the user: its own messages and why a part failed.
std::vector<std::string> CheckMessages(const update::CheckResult& result);

class TFUpdate : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFUpdate(const WindowContext& context, QWidget* parent = nullptr);
  ~TFUpdate() override;

  Navigation* navigation() const { return navigation_; }
  // A check, download or news page is on its way.
  bool busy() const;

  QLabel* headingLabel = nullptr;
  QGroupBox* choiceGroup = nullptr;  // "Wählen Sie..."
  QCheckBox* CB1 = nullptr;
  QFrame* PCB1 = nullptr;
  QLabel* LCB1 = nullptr;
  QCheckBox* CB2 = nullptr;
  QFrame* PCB2 = nullptr;
  QLabel* LCB2 = nullptr;
  QCheckBox* CB3 = nullptr;
  QPushButton* BAbfrage = nullptr;
  QGroupBox* versionGroup = nullptr;  // "Programmversion"
  QLabel* PAkt = nullptr;
  QLabel* POnl = nullptr;
  QLabel* downloadNotice = nullptr;
  QLabel* Panel4 = nullptr;
  QFrame* Panel6 = nullptr;
  QPushButton* BDown = nullptr;
  QFrame* PInst = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QTextBrowser* web1 = nullptr;
  QPushButton* BAktuell = nullptr;
  // What is being fetched, how far it is, and a button to stop it.
  QFrame* progressPanel = nullptr;
  QLabel* progressLabel = nullptr;
  QProgressBar* progressBar = nullptr;
  QPushButton* stopButton = nullptr;
  QPushButton* BitBtn8 = nullptr;

  // The check behind "Abfrage starten"; only a check the user started shows message boxes.
  // False when another download is still running.
  bool RunCheck(bool userInitiated);
  void BDownClick();
  void BitBtn2Click();
  void BAktuellClick();
  void stopClick();

 signals:
  // The installer runs: the program is to end as it does when the main window is closed.
  void quitRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct News;
  void buildDesign();
  QWidget* buildChoiceGroup();
  QWidget* buildVersionGroup();
  void FormCreate();
  void setStatus(QFrame* panel, QLabel* label, update::StepStatus status, const std::string& detail);
  void checkFinished(bool userInitiated);
  void downloadFinished();
  void newsFinished();
  void jobStarted(const QString& what);
  void jobEnded();
  void showProgress(std::int64_t received, std::int64_t total);

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  update::CheckInputs inputs_;
  std::unique_ptr<update::UpdateCheck> check_;
  std::unique_ptr<update::InstallerDownload> download_;
  std::unique_ptr<News> news_;
  update::Job* running_ = nullptr;  // check_ or download_ while it runs
  // Declared after the jobs so that they go first and abandon a job still running.
  platform::AsyncJobRunner runner_;      // the check and the installer download, one at a time
  platform::AsyncJobRunner newsRunner_;  // the news page, beside them
};

}  // namespace kw::ui
