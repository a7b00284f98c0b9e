#include "ui/Start.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <QThread>

#include "core/demo_slip.h"
#include "core/program.h"
#include "core/shipped_files.h"
#include "platform/paths.h"
#include "ui/artwork.h"
#include "ui/help.h"
#include "ui/look.h"

namespace kw::ui {

namespace {
int fadePauseMs = 5;
}

DataFolder PrepareDataFolder() {
  const auto dataDir = kw::platform::EnsureDataDirectory();
  DataFolder folder{dataDir.path, std::nullopt};
  if (!dataDir.error.empty()) {
    folder.problem = IoError(dataDir.error);
    return folder;
  }
  // As an installer would: the real history for a folder without one, and the demo slip.
  const std::string shipped = kw::platform::ShippedFilesDirectory();
  if (auto placed = PlaceShippedHistory(shipped, folder.path); !placed) folder.problem = placed.error();
  if (auto placed = PlaceDemoSlip(shipped, folder.path); !placed && !folder.problem) folder.problem = placed.error();
  return folder;
}

void TFStart::setFadePauseMs(int ms) { fadePauseMs = ms; }

TFStart::TFStart(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FStart"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(ProgramFont());
  setWindowTitle(Q(kProgramTitle) + QLatin1Char(' ') + Q(kProgramVersion));
  setFixedSize(400, 300);
  picture_ = SplashPicture(QSize(400, 300));

  BWeiter = new QPushButton(QStringLiteral("Weiter"), this);
  BWeiter->setObjectName(QStringLiteral("BWeiter"));
  BWeiter->setGeometry(306, 262, 82, 26);
  BWeiter->setEnabled(false);
  BWeiter->setCursor(Qt::WaitCursor);
  connect(BWeiter, &QPushButton::clicked, this, &TFStart::BWeiterClick);
  InstallHelpKey(this, kHelpContents);
}

void TFStart::setInitialisationDone(QWidget* mainWindow) {
  mainWindow_ = mainWindow;
  BWeiter->setEnabled(true);
  BWeiter->setCursor(Qt::PointingHandCursor);
}

void TFStart::BWeiterClick() {
  BWeiter->hide();
  BWeiter->setEnabled(false);
  close();
}

void TFStart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void TFStart::closeEvent(QCloseEvent* event) {
  if (!faded_) {
    faded_ = true;
    crossFade();
  }
  event->accept();
}

void TFStart::crossFade() {
  if (!mainWindow_) return;
  // Shown only now: without a compositing window manager opacity is ignored, and a window
  // shown earlier would stand fully visible behind the splash.
  mainWindow_->setWindowOpacity(0.0);
  mainWindow_->show();
  for (int v = 1; v <= 255; ++v) {
    mainWindow_->setWindowOpacity(v / 255.0);
    setWindowOpacity((255 - v) / 255.0);
    if (fadePauseMs > 0) QThread::msleep(static_cast<unsigned long>(fadePauseMs));
    QApplication::processEvents();
    if (!mainWindow_) return;
  }
}

}  // namespace kw::ui
