#include "platform/installer_launch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace kw::platform {

namespace {

std::function<bool(const std::string&, const std::vector<std::string>&)>& StartHook() {
  static std::function<bool(const std::string&, const std::vector<std::string>&)> hook;
  return hook;
}

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
  if (StartHook()) return StartHook()(program, args);
  QStringList list;
  for (const auto& a : args) list << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

}  // namespace

void SetStartDetachedHook(std::function<bool(const std::string&, const std::vector<std::string>&)> hook) {
  StartHook() = std::move(hook);
}

bool StartInstaller(const std::string& path) {
  if (!QFile::exists(QString::fromStdString(path))) return false;
#ifdef Q_OS_WIN
  return StartDetached(path, {});
#else
  QFile::setPermissions(QString::fromStdString(path),
                        QFile::permissions(QString::fromStdString(path)) | QFile::ExeOwner | QFile::ReadOwner);
  for (const char* terminal : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"}) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(terminal));
    if (found.isEmpty()) continue;
    // gnome-terminal takes the command after "--", the others after "-e".
    if (QString::fromLatin1(terminal) == QStringLiteral("gnome-terminal"))
      return StartDetached(found.toStdString(), {"--", "/bin/sh", path});
    return StartDetached(found.toStdString(), {"-e", "/bin/sh", path});
  }
  return StartDetached("/bin/sh", {path});
#endif
}

bool StartSelfRemoval(const std::string& scriptPath) {
#ifdef Q_OS_WIN
  return StartDetached("cmd.exe", {"/c", scriptPath});
#else
  return StartDetached("/bin/sh", {scriptPath});
#endif
}

std::string RunningProgramPath() { return QCoreApplication::applicationFilePath().toStdString(); }

long long RunningProcessId() { return QCoreApplication::applicationPid(); }

std::string TempFolder() {
  std::string dir = QDir::tempPath().toStdString();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace kw::platform
