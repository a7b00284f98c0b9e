#include "ui/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <deque>

namespace kw::ui {

namespace {
struct TestState {
  bool on = false;
  std::deque<QString> paths;
};
TestState& Test() {
  static TestState state;
  return state;
}

QString NextTestPath() {
  if (Test().paths.empty()) return {};
  QString path = Test().paths.front();
  Test().paths.pop_front();
  return path;
}
}  // namespace

QString FileDialog::qtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return out.join(QStringLiteral(";;"));
}

QString FileDialog::openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
  if (Test().on) return NextTestPath();
  return QFileDialog::getOpenFileName(parent, title, folder, qtFilter(filter));
}

QString FileDialog::saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                             const QString& defaultExtension) {
  QString path = Test().on ? NextTestPath() : QFileDialog::getSaveFileName(parent, title, folder, qtFilter(filter));
  QString extension = defaultExtension;
  if (extension.startsWith(QLatin1Char('.'))) extension.remove(0, 1);
  if (!path.isEmpty() && !extension.isEmpty() && QFileInfo(path).suffix().isEmpty())
    path += QLatin1Char('.') + extension;
  return path;
}

void FileDialog::setTestMode(bool on) {
  Test().on = on;
  Test().paths.clear();
}

void FileDialog::setNextPath(const QString& path) { Test().paths.push_back(path); }

}  // namespace kw::ui
