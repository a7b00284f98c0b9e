#pragma once
// "Spielschein-Druck": prints the tip rows of a slip file onto Belgian EuroMillions betting slips,
// six rows a slip, one print job per slip. Created on demand and destroyed when closed.
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/text_table.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;

namespace kw {
class SlipJobPrinter;
}

namespace kw::ui {

class DataStore;

class TFBEDruck : public QWidget {
  Q_OBJECT
 public:
  explicit TFBEDruck(DataStore& store, QWidget* parent = nullptr);
  ~TFBEDruck() override;

  // Tests and the screenshot program: instead of the printer set-up dialog, each run takes its
  // printers from here; a null result counts as a cancelled dialog.
  using PrinterSource = std::function<std::unique_ptr<SlipJobPrinter>()>;
  static void setTestPrinterSource(PrinterSource source);

  // Fills G2 from a slip file as the open button does after its dialog.
  void openSlipFile(const QString& path);
  bool isPrinting() const { return running_; }

  QToolButton* BitBtnClose = nullptr;
  QTableView* G2 = nullptr;
  QPushButton* bsSkinSpeedButton1 = nullptr;
  QLabel* LDatei = nullptr;
  QGroupBox* RGJoker = nullptr;
  QGroupBox* RGZiehungen = nullptr;
  QGroupBox* cbNr = nullptr;
  QLineEdit* ENr = nullptr;
  QLineEdit* Ehori = nullptr;
  QLineEdit* Evert = nullptr;
  QLineEdit* EStart = nullptr;
  QLineEdit* EEnde = nullptr;
  QLabel* LAnzTs = nullptr;
  QCheckBox* cbFragen = nullptr;
  QPushButton* BAusdruck = nullptr;
  QPushButton* BStop = nullptr;
  QPlainTextEdit* MInfo = nullptr;
  QLabel* ImageTray = nullptr;

  // The option index of each group, -1 when none is chosen.
  int jokerIndex() const;
  int drawCountIndex() const;
  void setJokerIndex(int index);
  void setDrawCountIndex(int index);
  const TextTable& tipTable() const { return table_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void readSettings();
  void writeSettings();
  void showTable();
  void bsSkinSpeedButton1Click();
  void RGJokerToggled(bool on);
  void updateSlipCount();
  void BAusdruckClick();
  void printRun(SlipJobPrinter& jobs);
  void setRunning(bool running);

  QWidget* buildFilePanel();
  QWidget* buildOptionsPanel();
  QWidget* buildExplanationPanel();

  DataStore& store_;
  TextTable table_;
  class TableModel;
  TableModel* model_ = nullptr;
  QButtonGroup* jokerOptions_ = nullptr;
  QButtonGroup* drawOptions_ = nullptr;
  QWidget* filePanel_ = nullptr;
  std::vector<QWidget*> blockedByRun_;  // everything but the stop button
  std::unique_ptr<QPrinter> printer_;  // made at the first run, keeps the user's choice
  bool running_ = false;
  bool stopRequested_ = false;
  bool closeAfterRun_ = false;
};

// The paper tray of a laser printer with a slip in it and hands 1 to 4 at feed, top edge,
// side guides and rear guide: the picture beside the explanation.
QPixmap PaperTrayPicture(QSize size);

}  // namespace kw::ui
