#pragma once
// Open and save dialogs through one door, so tests can preset the chosen path.
#include <QString>

class QWidget;

namespace kw::ui {

class FileDialog {
 public:
  // filter in the program's form "EM-Schein-Datei|*.emt" (pairs separated by "|").
  // Returns the chosen path, empty when the user cancelled.
  static QString openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
  // defaultExtension ("emt" or ".emt") is appended when the name has none.
  static QString saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                          const QString& defaultExtension);

  // "EM-Schein-Datei|*.emt|Alle|*.*" -> "EM-Schein-Datei (*.emt);;Alle (*.*)".
  static QString qtFilter(const QString& filter);

  // Tests: no dialog opens; the next call returns this path (an empty path = cancelled).
  static void setTestMode(bool on);
  static void setNextPath(const QString& path);
};

}  // namespace kw::ui
