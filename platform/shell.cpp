#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kw::platform {

namespace {
std::function<bool(const std::string&)>& UrlHook() {
  static std::function<bool(const std::string&)> hook;
  return hook;
}
}  // namespace

void SetOpenUrlHook(std::function<bool(const std::string& url)> hook) { UrlHook() = std::move(hook); }

bool OpenUrl(const std::string& url) {
  if (UrlHook()) return UrlHook()(url);
  const QUrl target = QUrl::fromUserInput(QString::fromStdString(url));
  if (!target.isValid()) return false;
  return QDesktopServices::openUrl(target);
}

bool StartCalculator() {
#ifdef Q_OS_WIN
  const char* const candidates[] = {"calc.exe"};
#else
  const char* const candidates[] = {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"};
#endif
  for (const char* name : candidates) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!program.isEmpty() && QProcess::startDetached(program, {})) return true;
  }
  return false;
}

}  // namespace kw::platform
