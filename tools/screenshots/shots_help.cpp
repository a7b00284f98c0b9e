// The help viewer on the main window's page and on its search page with results.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QListWidget>
#include <QtHelp/QHelpContentWidget>
#include <functional>

#include "tools/screenshots/shots.h"
#include "ui/HelpViewer.h"
#include "ui/help.h"

namespace {

// The contents list and the search run in threads of the help engine.
void SettleUntil(const std::function<bool()>& done) {
  QDeadlineTimer deadline(30000);
  while (!done() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }
}

}  // namespace

KW_SCREENSHOTS("help") {
  using kw::ui::HelpViewer;
  HelpViewer::setSourceFolder(QCoreApplication::applicationDirPath());
  kw::ui::ShowHelpPage(1002);
  HelpViewer* viewer = HelpViewer::existing();
  if (!viewer) return false;
  viewer->resize(1000, 700);
  auto* contents = qobject_cast<QHelpContentWidget*>(viewer->contentsList);
  SettleUntil([contents] { return contents && contents->model() && contents->model()->rowCount() > 0; });
  QCoreApplication::processEvents();
  bool ok = kw::shots::Save(*viewer, outDir + QStringLiteral("/hilfe-zentrale.png"));

  bool searched = false;
  QObject::connect(viewer, &HelpViewer::searchFinished, viewer, [&searched] { searched = true; });
  viewer->search(QStringLiteral("Quoten"));
  SettleUntil([&searched] { return searched; });
  if (viewer->LBErgebnis->count() > 0) {
    viewer->LBErgebnis->setCurrentRow(0);
    emit viewer->LBErgebnis->itemClicked(viewer->LBErgebnis->item(0));
  }
  ok &= searched && kw::shots::Save(*viewer, outDir + QStringLiteral("/hilfe-suche.png"));
  HelpViewer::setSourceFolder(QString());
  return ok;
}
