#include "import/workbook_import.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "import/workbook_cells.h"
#include "import/xls_reader.h"
#include "import/xlsx_reader.h"

namespace kw {
namespace {

using workbook::Failure;

enum class Container { Zip, Compound, EncryptedCompound, Other, Unreadable };

// The content decides the reader, not the name: a workbook saved with a password is a compound
// file even when it is called ".xlsx", and some programs save old-format books as ".xlsx".
Container SniffContainer(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Container::Unreadable;
  const QByteArray head = file.read(8);
  if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06")) return Container::Zip;
  if (head != QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return Container::Other;
  // An encrypted Office Open XML package keeps the real workbook in the stream "EncryptedPackage".
  static const QByteArray marker = QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
  file.seek(0);
  QByteArray carry;
  while (!file.atEnd()) {
    const QByteArray chunk = carry + file.read(1 << 20);
    if (chunk.contains(marker)) return Container::EncryptedCompound;
    carry = chunk.right(marker.size() - 1);
  }
  return Container::Compound;
}

QString Quoted(const QString& path) { return QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"'); }

QString FailureMessage(const workbook::SheetRead& read, const QString& path, int sheet) {
  const QString name = Quoted(path);
  switch (read.failure) {
    case Failure::Unreadable:
      return QStringLiteral("Die Datei %1 lässt sich nicht öffnen.\r\rIch breche ab.").arg(name);
    case Failure::Encrypted:
      return QStringLiteral(
                 "Die Arbeitsmappe %1 ist mit einem Kennwort geschützt. Speichern Sie sie bitte ohne Kennwort "
                 "und wählen Sie sie dann noch einmal.\r\rIch breche ab.")
          .arg(name);
    case Failure::NoSuchSheet:
      if (read.sheetCount == 0) {
        return QStringLiteral("Die Arbeitsmappe %1 enthält keine Tabelle mit Zellen.\r\rIch breche ab.").arg(name);
      }
      return (read.sheetCount == 1
                  ? QStringLiteral("Die Arbeitsmappe %1 hat nur eine Tabelle. Eine Tabelle %2 gibt es darin nicht."
                                   "\r\rIch breche ab.")
                        .arg(name)
                        .arg(sheet)
                  : QStringLiteral("Die Arbeitsmappe %1 hat nur %2 Tabellen. Eine Tabelle %3 gibt es darin nicht."
                                   "\r\rIch breche ab.")
                        .arg(name)
                        .arg(read.sheetCount)
                        .arg(sheet));
    case Failure::TooLarge:
      return QStringLiteral(
                 "Die Tabelle %1 der Arbeitsmappe %2 ist zu groß zum Einlesen. Eingelesen werden Tabellen mit bis zu %3 "
                 "Zellen.\r\rIch breche ab.")
          .arg(sheet)
          .arg(name)
          .arg(QLocale(QLocale::German).toString(static_cast<qlonglong>(workbook::kMaxRangeCells)));
    case Failure::Damaged:
    case Failure::None:
      break;
  }
  return QStringLiteral("Die Datei %1 ist beschädigt oder keine Excel-Arbeitsmappe.\r\rIch breche ab.").arg(name);
}

}  // namespace

WorkbookImport ImportWorkbook(const QString& path, int sheet) {
  WorkbookImport result;
  const QFileInfo info(path);
  const QString suffix = info.suffix().toLower();
  if (suffix != QLatin1String("xls") && suffix != QLatin1String("xlsx")) {
    result.message = QStringLiteral(
                         "Die Datei %1 ist keine Excel-Datei. Eingelesen werden nur Arbeitsmappen mit der Endung "
                         "\".xls\" oder \".xlsx\".\r\rIch breche ab.")
                         .arg(Quoted(path));
    return result;
  }
  if (!info.exists() || !info.isFile()) {
    result.message = QStringLiteral("Die Datei %1 gibt es nicht.\r\rIch breche ab.").arg(Quoted(path));
    return result;
  }

  workbook::SheetRead read;
  switch (SniffContainer(path)) {
    case Container::Zip:
      read = workbook::ReadXlsxSheet(path, sheet);
      break;
    case Container::Compound:
      read = workbook::ReadXlsSheet(path, sheet);
      break;
    case Container::EncryptedCompound:
      read.failure = Failure::Encrypted;
      break;
    case Container::Unreadable:
      read.failure = Failure::Unreadable;
      break;
    case Container::Other:
      read.failure = Failure::Damaged;
      break;
  }
  if (read.failure != Failure::None) {
    result.message = FailureMessage(read, path, sheet);
    return result;
  }
  if (read.cells.empty()) {
    result.message = QStringLiteral("Die Tabelle %1 der Arbeitsmappe %2 ist leer. Es gibt nichts einzulesen."
                                    "\r\rIch breche ab.")
                         .arg(sheet)
                         .arg(Quoted(path));
    return result;
  }

  result.rows = read.maxRow;
  result.columns = read.maxColumn;
  result.cells.assign(static_cast<std::size_t>(read.maxRow), std::vector<QString>(static_cast<std::size_t>(read.maxColumn)));
  for (auto& cell : read.cells) {
    result.cells[static_cast<std::size_t>(cell.row - 1)][static_cast<std::size_t>(cell.column - 1)] =
        std::move(cell.text);
  }
  result.ok = true;
  return result;
}

}  // namespace kw
