#include "import/xls_reader.h"

#include <freexl.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "import/xls_records.h"

namespace kw::workbook {
namespace {

constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

class XlsHandle {
 public:
  explicit XlsHandle(const QString& path) { status_ = freexl_open(QFile::encodeName(path).constData(), &handle_); }
  ~XlsHandle() {
    if (handle_ != nullptr) freexl_close(handle_);
  }
  XlsHandle(const XlsHandle&) = delete;
  XlsHandle& operator=(const XlsHandle&) = delete;

  int Status() const { return status_; }
  const void* Get() const { return handle_; }

 private:
  const void* handle_ = nullptr;
  int status_ = FREEXL_OK;
};

// FreeXL hands dates as "yyyy-mm-dd", optionally followed by " hh:mm:ss"; the .xlsx reader writes
// them the German way, and both formats must give the same cells.
QString GermanDateText(const char* isoText) {
  const QString text = QString::fromUtf8(isoText);
  static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(.*)$"));
  const auto match = iso.match(text);
  if (!match.hasMatch()) return text;
  return match.captured(3) + QLatin1Char('.') + match.captured(2) + QLatin1Char('.') + match.captured(1) +
         match.captured(4);
}

QString CellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT:
      return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return NumberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
      return cell.value.text_value == nullptr ? QString() : QString::fromUtf8(cell.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
      return cell.value.text_value == nullptr ? QString() : GermanDateText(cell.value.text_value);
    default:
      return {};
  }
}

}  // namespace

SheetRead ReadXlsSheet(const QString& path, int sheet) {
  SheetRead out;
  const XlsHandle book(path);
  if (book.Status() != FREEXL_OK) {
    out.failure = book.Status() == FREEXL_FILE_NOT_FOUND ? Failure::Unreadable
                  : book.Status() == FREEXL_INSUFFICIENT_MEMORY ? Failure::TooLarge
                                                                 : Failure::Damaged;
    return out;
  }
  // FreeXL opens an encrypted workbook "successfully" but hands back no handle.
  unsigned int info = 0;
  if (book.Get() == nullptr ||
      (freexl_get_info(book.Get(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)) {
    out.failure = Failure::Encrypted;
    return out;
  }
  unsigned int sheets = 0;
  if (freexl_get_info(book.Get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
    out.failure = Failure::Damaged;
    return out;
  }
  if (sheet < 1 || static_cast<unsigned int>(sheet) > sheets) {
    out.failure = Failure::NoSuchSheet;
    out.sheetCount = static_cast<int>(sheets);
    return out;
  }
  if (freexl_select_active_worksheet(book.Get(), static_cast<unsigned short>(sheet - 1)) != FREEXL_OK) {
    out.failure = Failure::Damaged;
    return out;
  }
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_worksheet_dimensions(book.Get(), &rows, &columns) != FREEXL_OK) {
    out.failure = Failure::Damaged;
    return out;
  }
  // An .xls sheet has at most 65536 rows and 256 columns; larger stored dimensions are forged.
  if (rows > 65536 || columns > 256) {
    out.failure = Failure::Damaged;
    return out;
  }
  // The stored dimensions may include formatted empty cells; the used range counts only values.
  QSet<quint32> seen;
  for (unsigned int r = 0; r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(book.Get(), r, c, &cell) != FREEXL_OK) continue;
      QString text = CellText(cell);
      if (text.isEmpty()) continue;
      seen.insert(r << 8 | c);
      if (!out.Add(static_cast<int>(r) + 1, c + 1, std::move(text))) {
        out.cells.clear();
        return out;
      }
    }
  }

  // Fill in what FreeXL leaves out (formula results, truth values) from the records themselves.
  const char* name = nullptr;
  QFile file(path);
  if (freexl_get_worksheet_name(book.Get(), static_cast<unsigned short>(sheet - 1), &name) == FREEXL_OK &&
      name != nullptr && file.size() <= kMaxFileBytes && file.open(QIODevice::ReadOnly)) {
    const auto stream = CompoundWorkbookStream(file.readAll());
    const auto extra = stream ? XlsValueRecords(*stream, sheet - 1, QString::fromUtf8(name)) : std::nullopt;
    if (extra) {
      for (const SheetCell& cell : *extra) {
        if (cell.row > 65536 || cell.column > 256) continue;
        if (seen.contains(static_cast<quint32>(cell.row - 1) << 8 | static_cast<quint32>(cell.column - 1))) continue;
        if (!out.Add(cell.row, cell.column, cell.text)) {
          out.cells.clear();
          return out;
        }
      }
    }
  }
  return out;
}

}  // namespace kw::workbook
