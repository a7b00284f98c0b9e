#pragma once
// The settings window "Programmeinstellungen": slip files to open at start, the remembered
// choices of the random generator and the tip centre, and which online updates to look for.
// Shown modally; closing only hides it. Saving writes "Einstellungen.emo".
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "core/settings_record.h"
#include "ui/window_context.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kw::ui {

class DataStore;
class Navigation;

class TFOptionen : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFOptionen(const WindowContext& context, QWidget* parent = nullptr);

  void showModal();
  bool isModified() const { return modified_; }
  Navigation* navigation() const { return navigation_; }
  // Index of the checked item of RG1 ("5" is 0, "frei:" is 6).
  int rg1Index() const;

  QLabel* LUeberschrift = nullptr;
  QGroupBox* GBDateien = nullptr;
  QLabel* LDateien = nullptr;
  QListWidget* l1 = nullptr;
  QPushButton* BHinzu = nullptr;
  QPushButton* BDel = nullptr;
  QCheckBox* CBOpen = nullptr;

  QGroupBox* GBZufall = nullptr;
  QLabel* LZufall = nullptr;
  QGroupBox* RG1 = nullptr;
  QButtonGroup* rg1Buttons = nullptr;
  QLineEdit* EReihen = nullptr;
  QToolButton* BitBtn1 = nullptr;
  QCheckBox* CBStandardZuf = nullptr;
  QCheckBox* CBStandardZufDateien = nullptr;

  QGroupBox* GBTippcenter = nullptr;
  QFrame* PTippcenter = nullptr;
  QComboBox* ComboBZ = nullptr;
  QComboBox* ComboWZ = nullptr;
  QComboBox* ComboGar = nullptr;
  QComboBox* ComboBudget = nullptr;
  QCheckBox* CBFilter = nullptr;
  QCheckBox* CBStandardTC = nullptr;

  QGroupBox* GBUpdates = nullptr;
  QCheckBox* CBGewinnreihen = nullptr;
  QCheckBox* CBGewinnQuoten = nullptr;
  QCheckBox* CBUpdates = nullptr;

  QLabel* LFooter = nullptr;
  QPushButton* BSave = nullptr;
  QPushButton* BitBtn5 = nullptr;
  QAction* MenuSave = nullptr;  // "&Datei" › "S&peichern"

  // Delphi-style handlers, public so the tool bar, the menu and tests share them.
  void BSaveClick();
  void BHinzuClick();
  void BDelClick();
  // The record as edited here, saved or not.
  const SettingsRecord& record() const { return record_; }

 signals:
  // "Jetzt auch im Hauptfenster öffnen": a slip file just added to the list.
  void slipOpenRequested(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void leaveForOtherWindows();
  void buildDesign();
  QWidget* buildFileGroup();
  QWidget* buildRandomGroup();
  QWidget* buildTipCentreGroup();
  QWidget* buildUpdateGroup();
  void FormCreate();
  void watchForChanges();
  void focusMoved(QWidget* from, QWidget* to);

  DataStore& store_;
  SettingsRecord record_;
  Navigation* navigation_ = nullptr;
  // Record entry behind each row of l1: entries whose file is missing are not listed.
  std::vector<std::size_t> rowEntries_;
  bool modified_ = false;
};

}  // namespace kw::ui
