#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace kw::platform {

namespace {
std::string WithSlash(const QString& dir) {
  QString d = QDir::fromNativeSeparators(dir);
  if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
  return d.toStdString();
}
}  // namespace

DataDirectory EnsureDataDirectory() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString dir = QDir::fromNativeSeparators(base) + QStringLiteral("/Kugelwerk/");
  DataDirectory result{dir.toStdString(), false, {}};
  if (QDir(dir).exists()) return result;
  // Whole path: a fresh Linux account may not have ~/.local/share yet.
  if (base.isEmpty() || !QDir().mkpath(dir))
    result.error = "Das Datenverzeichnis \"" + result.path + "\" konnte nicht angelegt werden.";
  else
    result.created = true;
  return result;
}

std::string ProgramDirectory() { return WithSlash(QCoreApplication::applicationDirPath()); }

std::string TempFilePath() { return WithSlash(QDir::tempPath()) + "tmp.tmp"; }

}  // namespace kw::platform
