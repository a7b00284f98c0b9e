#pragma once
// The one place that creates the program's windows, in its start-up order, registers the
// commands that show them and connects them with each other. A new window adds its entry here.
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "generation/random_source.h"
#include "ui/navigation.h"
#include "ui/window_context.h"

class QWidget;

namespace kw::ui {

class DataStore;
class TFAuswertung;
class TFBEDruck;
class TFChart1;
class TFEingabe;
class TFGenerator;
class TFInfo;
class TFKal;
class TFNueberK;
class TFOptionen;
class TFQlinks;
class TFQuoten;
class TFStatistik1;
class TFSysTest;
class TFSysTool;
class TFTippcenter;
class TFUpdate;

class WindowCatalogue : public QObject {
  Q_OBJECT
 public:
  explicit WindowCatalogue(DataStore& store, QObject* parent = nullptr);
  ~WindowCatalogue() override;

  // Creates every window that lives from start to exit (the main window first, the others
  // hidden), registers the commands and wires the windows together.
  void createWindows();

  CommandRegistry& commands() { return commands_; }
  WindowContext context() { return {store_, commands_}; }

  TFAuswertung* mainWindow() const;
  TFEingabe* tipEntry() const;
  TFOptionen* settingsWindow() const;
  TFStatistik1* statistics() const;
  TFChart1* charts() const;
  TFSysTest* tipAnalysis() const;
  TFQuoten* quotaWindow() const;
  TFQlinks* quotaLinks() const;
  TFKal* calendar() const;
  TFUpdate* updateWindow() const;
  TFSysTool* fullSystemBuilder() const;
  TFTippcenter* tipCentre() const;
  TFNueberK* nOverK() const;
  TFGenerator* generator() const;
  // The one random source of the program, shared by the random generator and the tip centre.
  RandomSource& randomSource() { return random_; }
  // Windows created on demand; null while they do not exist.
  TFInfo* aboutBox() const;
  TFBEDruck* slipPrinting() const;

  // The commands' actions, for the windows' own buttons and for tests.
  TFEingabe* showTipEntry();
  TFOptionen* showSettings();
  TFStatistik1* showStatistics();
  TFSysTest* showTipAnalysis();
  TFQuoten* showQuotas();
  TFQlinks* showQuotaLinks();
  TFKal* showCalendar();
  TFUpdate* showUpdate();
  TFInfo* showAbout(bool modal);
  TFBEDruck* showSlipPrinting();
  TFSysTool* showFullSystemBuilder();
  TFTippcenter* showTipCentre();
  TFNueberK* showNOverK();
  TFGenerator* showGenerator();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void registerCommands();
  void wireWindows();
  // Keeps size and position of a window from one start to the next.
  void remember(QWidget* window);
  void restoreGeometry(QWidget* window) const;
  void saveGeometry(QWidget* window) const;
  // Closing the main window: every other window closes first (writing its settings); false
  // when one of them stays open (its unsaved-changes question was answered No).
  bool closeOtherWindows();

  DataStore& store_;
  CommandRegistry commands_;
  std::vector<QPointer<QWidget>> windows_;  // created at start, deleted by the catalogue
  QPointer<TFAuswertung> main_;
  QPointer<TFEingabe> tipEntry_;
  QPointer<TFOptionen> settings_;
  QPointer<TFStatistik1> statistics_;
  QPointer<TFChart1> charts_;
  QPointer<TFSysTest> tipAnalysis_;
  QPointer<TFQuoten> quotas_;
  QPointer<TFQlinks> quotaLinks_;
  QPointer<TFKal> calendar_;
  QPointer<TFUpdate> update_;
  QPointer<TFSysTool> fullSystem_;
  QPointer<TFTippcenter> tipCentre_;
  QPointer<TFNueberK> nOverK_;
  QPointer<TFGenerator> generator_;
  RandomSource random_;
  QPointer<TFInfo> about_;
  QPointer<TFBEDruck> slipPrint_;
};

// Brings a window to the front, restoring it from minimised first.
void BringToFront(QWidget* window);

}  // namespace kw::ui
