#pragma once
// The one place that creates the program's windows, in its start-up order, registers the
// commands that show them and connects them with each other. A new window adds its entry here.
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "ui/navigation.h"
#include "ui/window_context.h"

class QWidget;

namespace kw::ui {

class DataStore;
class TFAuswertung;
class TFBEDruck;
class TFEingabe;
class TFInfo;
class TFKal;
class TFOptionen;
class TFQlinks;
class TFQuoten;
class TFSysTool;
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
  TFQuoten* quotaWindow() const;
  TFQlinks* quotaLinks() const;
  TFKal* calendar() const;
  TFUpdate* updateWindow() const;
  TFSysTool* fullSystemBuilder() const;
  // Windows created on demand; null while they do not exist.
  TFInfo* aboutBox() const;
  TFBEDruck* slipPrinting() const;

  // The commands' actions, for the windows' own buttons and for tests.
  TFEingabe* showTipEntry();
  TFOptionen* showSettings();
  TFQuoten* showQuotas();
  TFQlinks* showQuotaLinks();
  TFKal* showCalendar();
  TFUpdate* showUpdate();
  TFInfo* showAbout(bool modal);
  TFBEDruck* showSlipPrinting();
  TFSysTool* showFullSystemBuilder();

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
  QPointer<TFQuoten> quotas_;
  QPointer<TFQlinks> quotaLinks_;
  QPointer<TFKal> calendar_;
  QPointer<TFUpdate> update_;
  QPointer<TFSysTool> fullSystem_;
  QPointer<TFInfo> about_;
  QPointer<TFBEDruck> slipPrint_;
};

// Brings a window to the front, restoring it from minimised first.
void BringToFront(QWidget* window);

}  // namespace kw::ui
