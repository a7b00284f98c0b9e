#pragma once
// "Quoten-Aktualisierung": the prize amounts of every draw in the quota table GQ, entered by
// hand or pasted from a results web page into thirteen fields, written into the table row of a
// draw and saved; the online quota download; two quick links to web pages with quotas. The
// window loads the quota store when it is created. Closing only hides it.
#include <QMainWindow>
#include <array>
#include <memory>

#include "core/qlinks.h"
#include "platform/network_transport.h"
#include "update/update_check.h"
#include "ui/window_context.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace kw::ui {

class DataStore;
class Navigation;
class QuotaTableModel;

class TFQuoten : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFQuoten(const WindowContext& context, QWidget* parent = nullptr);
  ~TFQuoten() override;

  Navigation* navigation() const { return navigation_; }
  QuotaTableModel* quotaModel() const { return model_; }
  // Amounts were written into the table and not saved since.
  bool isModified() const { return modified_; }
  const QuotaLinks& links() const { return links_; }
  // The online quota download is on its way.
  bool downloading() const;

  QGroupBox* GR1 = nullptr;
  QLabel* headingLabel = nullptr;
  QLabel* introText = nullptr;
  QLabel* manualText = nullptr;
  QPushButton* BOnlAkt = nullptr;
  QLabel* LStatus = nullptr;

  QFrame* PQuoten = nullptr;
  // Built at run time: eq1 .. eq13 and ql1 .. ql13 at index k (index 0 unused).
  std::array<QLineEdit*, 14> eq{};
  std::array<QLabel*, 14> ql{};
  QFrame* Panel6 = nullptr;
  QComboBox* Combo1 = nullptr;
  QPushButton* BInTabelle = nullptr;

  QGroupBox* Gr2 = nullptr;
  QLabel* pasteText = nullptr;
  QPlainTextEdit* M1 = nullptr;
  QLabel* Label4 = nullptr;
  QSpinBox* Spin2 = nullptr;
  QPushButton* BTransfer = nullptr;
  QPushButton* BDel = nullptr;
  QLabel* PLink1 = nullptr;
  QLabel* PLink2 = nullptr;
  QPushButton* BLinks = nullptr;

  QLabel* tableHeading = nullptr;
  QLabel* tableNote = nullptr;
  QTableView* GQ = nullptr;

  QAction* BSave = nullptr;       // tool bar
  QAction* MenuSave = nullptr;    // "&Datei" › "Quoten speichern"
  QAction* MenuImport = nullptr;  // "&Datei" › "Quoten importieren..."

  void BTransferClick();
  void BInTabelleClick();
  void BSaveClick();
  void BOnlAktClick();
  void BLinksClick();
  void PLinkClick(int link);
  void MenuImportClick();
  // Date choice: the labels of the classes whose order changed follow the chosen draw.
  void Combo1Change();
  // Leaving an amount field, or Enter in it.
  void normaliseField(int k);

 public slots:
  // The saved links of the links editor.
  void setLinks(const QString& link1, const QString& link2);

 signals:
  // The links editor is to be shown modally.
  void linksEditorRequested();
  // "In&fo..." is shown modally here.
  void aboutRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildDesign();
  QWidget* buildInfoGroup();
  QWidget* buildFieldPanel();
  QWidget* buildPasteGroup();
  QWidget* buildTable();
  void FormCreate();
  void readSettings();
  void writeSettings();
  void loadQuotaStore();
  // Combo1 lists the date of every record; nothing chosen.
  void refreshDateList();
  void fitColumns();
  void showLinkPanels();
  void quotaDownloadFinished();

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  QuotaTableModel* model_ = nullptr;
  QuotaLinks links_;
  bool modified_ = false;
  bool shownOnce_ = false;
  update::CheckInputs downloadInputs_;
  std::unique_ptr<update::UpdateCheck> download_;
  platform::AsyncJobRunner runner_;  // after the job it runs: goes first
};

}  // namespace kw::ui
