#include "ui/window_catalogue.h"

#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include "core/settings_ini.h"
#include "ui/Auswertung.h"
#include "ui/BEDruck.h"
#include "ui/Chart1.h"
#include "ui/Eingabe.h"
#include "ui/Generator.h"
#include "ui/HelpViewer.h"
#include "ui/Kal.h"
#include "ui/NueberK.h"
#include "ui/Optionen.h"
#include "ui/QLinks.h"
#include "ui/Quoten.h"
#include "ui/Statistik1.h"
#include "ui/SysTest.h"
#include "ui/SysTool.h"
#include "ui/Tippcenter.h"
#include "ui/Update.h"
#include "ui/data_store.h"
#include "ui/info.h"

namespace kw::ui {

namespace {
// "Einstellungen.ini" keeps each window's size and place under its objectName in this section.
constexpr const char* kGeometrySection = "Fenster";
}  // namespace

void BringToFront(QWidget* window) {
  if (window->isMinimized())
    window->showNormal();
  else
    window->show();
  window->raise();
  window->activateWindow();
}

WindowCatalogue::WindowCatalogue(DataStore& store, QObject* parent) : QObject(parent), store_(store) {
  HelpViewer::setDataFolder(store_.dataFolder());
}

WindowCatalogue::~WindowCatalogue() {
  for (QWidget* w : {static_cast<QWidget*>(about_.data()), static_cast<QWidget*>(slipPrint_.data())}) delete w;
  // The main window last: the others may still look at the data it loaded.
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) delete it->data();
}

TFAuswertung* WindowCatalogue::mainWindow() const { return main_; }
TFEingabe* WindowCatalogue::tipEntry() const { return tipEntry_; }
TFOptionen* WindowCatalogue::settingsWindow() const { return settings_; }
TFStatistik1* WindowCatalogue::statistics() const { return statistics_; }
TFChart1* WindowCatalogue::charts() const { return charts_; }
TFSysTest* WindowCatalogue::tipAnalysis() const { return tipAnalysis_; }
TFQuoten* WindowCatalogue::quotaWindow() const { return quotas_; }
TFQlinks* WindowCatalogue::quotaLinks() const { return quotaLinks_; }
TFKal* WindowCatalogue::calendar() const { return calendar_; }
TFUpdate* WindowCatalogue::updateWindow() const { return update_; }
TFSysTool* WindowCatalogue::fullSystemBuilder() const { return fullSystem_; }
TFTippcenter* WindowCatalogue::tipCentre() const { return tipCentre_; }
TFNueberK* WindowCatalogue::nOverK() const { return nOverK_; }
TFGenerator* WindowCatalogue::generator() const { return generator_; }
TFInfo* WindowCatalogue::aboutBox() const { return about_; }
TFBEDruck* WindowCatalogue::slipPrinting() const { return slipPrint_; }

void WindowCatalogue::createWindows() {
  const WindowContext ctx = context();
  // The start-up order: the main window loads the history that later windows read.
  main_ = new TFAuswertung(ctx);
  tipEntry_ = new TFEingabe(ctx);
  settings_ = new TFOptionen(ctx);
  statistics_ = new TFStatistik1(ctx);
  quotas_ = new TFQuoten(ctx);
  charts_ = new TFChart1(ctx);
  tipAnalysis_ = new TFSysTest(ctx);
  tipCentre_ = new TFTippcenter(ctx, random_);
  quotaLinks_ = new TFQlinks(ctx);
  nOverK_ = new TFNueberK;
  calendar_ = new TFKal;
  // Its first check starts here, with the update choices of the start-up settings.
  update_ = new TFUpdate(ctx);
  generator_ = new TFGenerator(ctx, random_);
  fullSystem_ = new TFSysTool;
  for (QWidget* w : std::initializer_list<QWidget*>{main_, tipEntry_, settings_, statistics_, quotas_, charts_,
                                                    tipAnalysis_, tipCentre_, quotaLinks_, nOverK_, calendar_,
                                                    update_, generator_, fullSystem_}) {
    windows_.emplace_back(w);
    remember(w);
  }
  registerCommands();
  wireWindows();
}

void WindowCatalogue::registerCommands() {
  commands_.set(Command::Evaluation, [this] { BringToFront(main_); });
  commands_.set(Command::TipEntry, [this] { showTipEntry(); });
  commands_.set(Command::Settings, [this] { showSettings(); });
  commands_.set(Command::Statistics, [this] { showStatistics(); });
  commands_.set(Command::TipAnalysis, [this] { showTipAnalysis(); });
  commands_.set(Command::Calendar, [this] { showCalendar(); });
  commands_.set(Command::UpdateCheck, [this] { showUpdate(); });
  commands_.set(Command::QuotaUpdate, [this] { showQuotas(); });
  commands_.set(Command::About, [this] { showAbout(false); });
  commands_.set(Command::SlipPrint, [this] { showSlipPrinting(); });
  commands_.set(Command::TipCentre, [this] { showTipCentre(); });
  commands_.set(Command::NOverK, [this] { showNOverK(); });
  commands_.set(Command::Generator, [this] { showGenerator(); });
}

void WindowCatalogue::wireWindows() {
  connect(tipEntry_, &TFEingabe::fullSystemBuilderRequested, this, [this] {
    fullSystem_->placeBeside(tipEntry_);
    showFullSystemBuilder();
  });
  connect(fullSystem_, &TFSysTool::rowsTransferred, tipEntry_, &TFEingabe::takeRows);
  connect(settings_, &TFOptionen::slipOpenRequested, main_, &TFAuswertung::OpenSlipPage);
  connect(tipCentre_, &TFTippcenter::aboutRequested, this, [this] { showAbout(true); });
  // The charts show the statistics window's last frequencies, filled anew each time they open.
  connect(statistics_, &TFStatistik1::chartsRequested, this, [this](const NumberTables& frequencies) {
    charts_->showFrequencies(frequencies);
    BringToFront(charts_);
  });
  connect(statistics_, &TFStatistik1::frequenciesRefreshed, this, [this](const NumberTables& frequencies) {
    if (charts_->isVisible()) charts_->showFrequencies(frequencies);
  });
  connect(quotas_, &TFQuoten::linksEditorRequested, this, [this] { showQuotaLinks(); });
  connect(quotas_, &TFQuoten::aboutRequested, this, [this] { showAbout(true); });
  connect(quotaLinks_, &TFQlinks::linksChanged, quotas_, &TFQuoten::setLinks);
  // Ticking an update choice in the settings window ticks it here at once.
  const std::pair<QCheckBox*, QCheckBox*> choices[] = {{settings_->CBGewinnreihen, update_->CB1},
                                                       {settings_->CBGewinnQuoten, update_->CB2},
                                                       {settings_->CBUpdates, update_->CB3}};
  for (const auto& [setting, option] : choices) connect(setting, &QCheckBox::clicked, option, &QCheckBox::setChecked);
  // Installing a new version ends the program as closing the main window does.
  connect(update_, &TFUpdate::quitRequested, main_, &QWidget::close);
}

TFEingabe* WindowCatalogue::showTipEntry() {
  BringToFront(tipEntry_);
  return tipEntry_;
}

TFOptionen* WindowCatalogue::showSettings() {
  settings_->showModal();
  return settings_;
}

TFStatistik1* WindowCatalogue::showStatistics() {
  BringToFront(statistics_);
  return statistics_;
}

TFSysTest* WindowCatalogue::showTipAnalysis() {
  BringToFront(tipAnalysis_);
  return tipAnalysis_;
}

TFQuoten* WindowCatalogue::showQuotas() {
  BringToFront(quotas_);
  return quotas_;
}

TFQlinks* WindowCatalogue::showQuotaLinks() {
  quotaLinks_->showModal();
  return quotaLinks_;
}

TFUpdate* WindowCatalogue::showUpdate() {
  BringToFront(update_);
  return update_;
}

TFKal* WindowCatalogue::showCalendar() {
  BringToFront(calendar_);
  return calendar_;
}

TFSysTool* WindowCatalogue::showFullSystemBuilder() {
  BringToFront(fullSystem_);
  return fullSystem_;
}

TFTippcenter* WindowCatalogue::showTipCentre() {
  BringToFront(tipCentre_);
  return tipCentre_;
}

TFNueberK* WindowCatalogue::showNOverK() {
  // It opens in the middle of the main window, wherever it was last time.
  if (!nOverK_->isVisible()) nOverK_->centreOn(main_);
  BringToFront(nOverK_);
  return nOverK_;
}

TFGenerator* WindowCatalogue::showGenerator() {
  BringToFront(generator_);
  return generator_;
}

TFInfo* WindowCatalogue::showAbout(bool modal) {
  if (!about_) {
    about_ = new TFInfo;
    about_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    remember(about_);
  }
  BringToFront(about_);
  return about_;
}

TFBEDruck* WindowCatalogue::showSlipPrinting() {
  if (!slipPrint_) {
    slipPrint_ = new TFBEDruck(store_);
    remember(slipPrint_);
  }
  BringToFront(slipPrint_);
  return slipPrint_;
}

// ---- closing ---------------------------------------------------------------------------------

bool WindowCatalogue::closeOtherWindows() {
  std::vector<QPointer<QWidget>> open;
  for (const auto& w : windows_)
    if (w && w != main_ && w->isVisible()) open.push_back(w);
  for (QWidget* w : {static_cast<QWidget*>(about_.data()), static_cast<QWidget*>(slipPrint_.data()),
                     static_cast<QWidget*>(HelpViewer::existing())})
    if (w && w->isVisible()) open.emplace_back(w);
  for (const auto& w : open)
    if (w && !w->close()) return false;
  return true;
}

bool WindowCatalogue::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close) {
    auto* window = static_cast<QWidget*>(watched);
    if (window == main_) {
      if (!closeOtherWindows()) {
        event->ignore();
        return true;
      }
      // The main window writes its own settings in its closeEvent; then the program ends.
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    if (window->isVisible()) saveGeometry(window);
  }
  return QObject::eventFilter(watched, event);
}

// ---- size and position -------------------------------------------------------------------------

void WindowCatalogue::remember(QWidget* window) {
  window->installEventFilter(this);
  restoreGeometry(window);
}

void WindowCatalogue::restoreGeometry(QWidget* window) const {
  const IniFile file = IniFile::Load(store_.dataFile(kIniFileName));
  const std::string saved = file.readString(kGeometrySection, window->objectName().toStdString(), "");
  // restoreGeometry() keeps the window on a screen that exists now.
  if (!saved.empty()) window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
}

void WindowCatalogue::saveGeometry(QWidget* window) const {
  const std::string name = window->objectName().toStdString();
  const std::string value = window->saveGeometry().toBase64().toStdString();
  // Not being able to keep a window's place is no reason to bother the user.
  (void)UpdateIniFile(store_.dataFile(kIniFileName),
                      [&](IniFile& f) { f.writeString(kGeometrySection, name, value); });
}

}  // namespace kw::ui
