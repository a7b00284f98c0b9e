#include "ui/help.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <array>
#include <utility>

#include "ui/HelpViewer.h"

namespace kw::ui {

namespace {

void Present(HelpViewer* viewer) {
  // A modal dialog (the settings, say) would lock the viewer like every other window; as the
  // dialog's transient the viewer stays usable beside it.
  QWidget* modal = QApplication::activeModalWidget();
  viewer->winId();
  if (QWindow* handle = viewer->windowHandle())
    handle->setTransientParent(modal && modal != viewer ? modal->window()->windowHandle() : nullptr);
  if (viewer->isMinimized()) viewer->showNormal();
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace

void ShowHelpPage(int context) {
  HelpViewer* viewer = HelpViewer::instance();
  viewer->showPage(context);
  Present(viewer);
}

void ShowHelpSearch() {
  HelpViewer* viewer = HelpViewer::instance();
  viewer->showSearch();
  Present(viewer);
}

int HelpContextOf(const QString& windowName) {
  static const std::array<std::pair<const char*, int>, 16> contexts = {{
      {"FStart", 1001},
      {"FAuswertung", 1002},
      {"FEingabe", 1003},
      {"FTippcenter", 1006},
      {"FSysTest", 1007},
      {"FGenerator", 1008},
      {"FNueberK", 1009},
      {"FKal", 1009},
      {"FQuoten", 1010},
      {"FQlinks", 1010},
      {"FSysTool", 1010},
      {"FStatistik1", 1011},
      {"FChart1", 1011},
      {"FOptionen", 1011},
      {"FUpdate", 1011},
      {"FInfo", 1011},
  }};
  for (const auto& [name, context] : contexts)
    if (windowName == QLatin1String(name)) return context;
  return kHelpContents;
}

void InstallHelpKey(QWidget* window, int context) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setObjectName(QStringLiteral("HelpKey"));
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window,
                   [window, context] { ShowHelpPage(context ? context : HelpContextOf(window->objectName())); });
}

}  // namespace kw::ui
