#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

#include "core/data_folder.h"
#include "core/file_io.h"
#include "core/shipped_files.h"

namespace kw::platform {

namespace {
std::string WithSlash(const QString& dir) {
  QString d = QDir::fromNativeSeparators(dir);
  if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
  return d.toStdString();
}
}  // namespace

DataDirectory EnsureDataDirectory() {
  // The same rule as the command-line tool's, from core/.
  DataDirectory result{DefaultDataFolder(), false, {}};
  if (result.path.empty()) {
    result.error = "Das Datenverzeichnis ist unbekannt: Es ist kein Benutzerordner eingestellt.";
    return result;
  }
  if (QDir(QString::fromStdString(result.path)).exists()) return result;
  // Whole path: a fresh Linux account may not have ~/.local/share yet.
  if (auto made = CreateDirectories(result.path); !made)
    result.error = "Das Datenverzeichnis \"" + result.path + "\" konnte nicht angelegt werden.";
  else
    result.created = true;
  return result;
}

std::string ProgramDirectory() { return WithSlash(QCoreApplication::applicationDirPath()); }

std::string ShippedFilesDirectory() {
  return WithSlash(QDir::cleanPath(QString::fromStdString(ShippedFilesFolder(ProgramDirectory()))));
}

std::string TempFilePath() { return WithSlash(QDir::tempPath()) + "tmp.tmp"; }

}  // namespace kw::platform
