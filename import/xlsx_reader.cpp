#include "import/xlsx_reader.h"

#include <zip.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <memory>
#include <optional>
#include <vector>

namespace kw::workbook {
namespace {

// Caps on the unpacked size of each part, so that a small zip bomb cannot fill the memory.
constexpr qint64 kMaxSheetBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxStringsBytes = 64LL * 1024 * 1024;
constexpr qint64 kMaxSmallPartBytes = 8LL * 1024 * 1024;
constexpr qsizetype kMaxSharedStrings = 2'000'000;

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

enum class PartStatus { Ok, Missing, TooLarge, Damaged };

class Package {
 public:
  explicit Package(const QString& path) {
    int error = 0;
    archive_.reset(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error));
    openError_ = error;
  }
  bool IsOpen() const { return archive_ != nullptr; }
  int OpenError() const { return openError_; }

  PartStatus Read(const QString& name, qint64 cap, QByteArray& out) const {
    out.clear();
    const QByteArray entry = name.toUtf8();
    zip_int64_t index = zip_name_locate(archive_.get(), entry.constData(), 0);
    if (index < 0) index = zip_name_locate(archive_.get(), entry.constData(), ZIP_FL_NOCASE);
    if (index < 0) return PartStatus::Missing;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0) return PartStatus::Damaged;
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > static_cast<zip_uint64_t>(cap)) return PartStatus::TooLarge;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file) return PartStatus::Damaged;
    // The stated size may lie; stop at the cap whatever the header says.
    char buffer[64 * 1024];
    for (;;) {
      const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
      if (got < 0) return PartStatus::Damaged;
      if (got == 0) break;
      if (out.size() + got > cap) return PartStatus::TooLarge;
      out.append(buffer, static_cast<qsizetype>(got));
    }
    return PartStatus::Ok;
  }

 private:
  std::unique_ptr<zip_t, ZipCloser> archive_;
  int openError_ = 0;
};

Failure FailureOf(PartStatus status) {
  return status == PartStatus::TooLarge ? Failure::TooLarge : Failure::Damaged;
}

struct Relationship {
  QString type;
  QString target;
};

// Targets are relative to the folder of the part that owns the relationships, or absolute from
// the package root.
QString ResolveTarget(const QString& ownerFolder, const QString& target) {
  if (target.startsWith(QLatin1Char('/'))) return QDir::cleanPath(target.mid(1));
  return QDir::cleanPath(ownerFolder.isEmpty() ? target : ownerFolder + QLatin1Char('/') + target);
}

QString FolderOf(const QString& part) {
  const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : part.left(slash);
}

QString RelsPartOf(const QString& part) {
  const QString folder = FolderOf(part);
  const QString name = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
  return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + name +
         QStringLiteral(".rels");
}

std::optional<QHash<QString, Relationship>> ParseRelationships(const QByteArray& xml) {
  QHash<QString, Relationship> result;
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == QLatin1String("Relationship")) {
      if (result.size() >= 0x100000) return std::nullopt;
      const auto attributes = reader.attributes();
      result.insert(attributes.value(QLatin1String("Id")).toString(),
                    {attributes.value(QLatin1String("Type")).toString(),
                     attributes.value(QLatin1String("Target")).toString()});
    }
  }
  if (reader.hasError()) return std::nullopt;
  return result;
}

// The relationship id of a <sheet> element; its prefix differs between writers.
QString RelationshipId(const QXmlStreamAttributes& attributes) {
  for (const auto& attribute : attributes) {
    if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty()) {
      return attribute.value().toString();
    }
  }
  return {};
}

// Text of a shared string item or an inline string: every <t>, run by run, without the phonetic
// guide (<rPh>). The reader stands on the start element and ends on its end element.
QString ReadRichText(QXmlStreamReader& reader) {
  QString text;
  int phonetic = 0;
  int depth = 1;
  while (depth > 0 && !reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) {
      if (reader.name() == QLatin1String("rPh")) {
        ++phonetic;
        ++depth;
      } else if (reader.name() == QLatin1String("t")) {
        const QString part = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        if (phonetic == 0) text += part;
      } else {
        ++depth;
      }
    } else if (reader.isEndElement()) {
      if (reader.name() == QLatin1String("rPh")) --phonetic;
      --depth;
    }
  }
  return text;
}

std::optional<std::vector<QString>> ParseSharedStrings(const QByteArray& xml) {
  std::vector<QString> strings;
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
      if (static_cast<qsizetype>(strings.size()) >= kMaxSharedStrings) return std::nullopt;
      strings.push_back(ReadRichText(reader));
    }
  }
  if (reader.hasError()) return std::nullopt;
  return strings;
}

// A number format shows a date or time when it has day, month, year, hour or second codes outside
// quoted text, escapes and [colour] brackets.
bool IsDateFormatCode(const QString& code) {
  bool quoted = false;
  bool bracket = false;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar ch = code.at(i);
    if (quoted) {
      quoted = ch != QLatin1Char('"');
    } else if (bracket) {
      bracket = ch != QLatin1Char(']');
    } else if (ch == QLatin1Char('"')) {
      quoted = true;
    } else if (ch == QLatin1Char('[')) {
      bracket = true;
    } else if (ch == QLatin1Char('\\') || ch == QLatin1Char('_') || ch == QLatin1Char('*')) {
      ++i;  // the next character is literal or padding
    } else if (ch == QLatin1Char(';')) {
      break;  // the first section decides
    } else {
      switch (ch.toLower().unicode()) {
        case u'd': case u'm': case u'y': case u'h': case u's':
          return true;
        default:
          break;
      }
    }
  }
  return false;
}

bool IsBuiltInDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

// For each cell style (the s attribute), whether it shows a date.
std::optional<std::vector<bool>> ParseDateStyles(const QByteArray& xml) {
  QHash<int, bool> customDate;
  std::vector<bool> styles;
  QXmlStreamReader reader(xml);
  bool inCellXfs = false;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) {
      const auto name = reader.name();
      if (name == QLatin1String("numFmt")) {
        const auto attributes = reader.attributes();
        customDate.insert(attributes.value(QLatin1String("numFmtId")).toInt(),
                          IsDateFormatCode(attributes.value(QLatin1String("formatCode")).toString()));
      } else if (name == QLatin1String("cellXfs")) {
        inCellXfs = true;
      } else if (inCellXfs && name == QLatin1String("xf")) {
        if (static_cast<std::int64_t>(styles.size()) >= kMaxRangeCells) return std::nullopt;
        const int id = reader.attributes().value(QLatin1String("numFmtId")).toInt();
        const auto custom = customDate.constFind(id);
        styles.push_back(custom != customDate.cend() ? custom.value() : IsBuiltInDateFormat(id));
      }
    } else if (reader.isEndElement() && reader.name() == QLatin1String("cellXfs")) {
      inCellXfs = false;
    }
  }
  if (reader.hasError()) return std::nullopt;
  return styles;
}

// "AZ12" -> column 52, row 12.
bool ParseCellReference(QStringView reference, int& row, int& column) {
  qsizetype letters = 0;
  while (letters < reference.size() && reference.at(letters).isLetter()) ++letters;
  column = ColumnNumber(reference.left(letters));
  bool ok = false;
  const QStringView digits = reference.mid(letters);
  row = digits.isEmpty() || digits.size() > 7 ? 0 : digits.toInt(&ok);
  return ok && column > 0 && row >= 1 && row <= kMaxRows;
}

struct Book {
  std::vector<QString> sharedStrings;
  std::vector<bool> dateStyles;
  double dateOffset = 0;  // 1462 for workbooks counting from 1904
};

QString CellText(const Book& book, const QString& type, int style, const QString& value,
                 const QString& inlineText, bool& damaged) {
  if (type == QLatin1String("inlineStr")) return inlineText;
  if (type == QLatin1String("s")) {
    if (value.isEmpty()) return {};
    bool ok = false;
    const qulonglong index = value.trimmed().toULongLong(&ok);
    if (!ok || index >= book.sharedStrings.size()) {
      damaged = true;
      return {};
    }
    return book.sharedStrings[index];
  }
  if (type == QLatin1String("b")) {
    if (value.isEmpty()) return {};
    return value.trimmed() == QLatin1String("1") || value.trimmed() == QLatin1String("true") ? QStringLiteral("WAHR")
                                                                                              : QStringLiteral("FALSCH");
  }
  if (type == QLatin1String("str") || type == QLatin1String("e") || type == QLatin1String("d")) return value;
  // A number (type n or none).
  if (value.isEmpty()) return {};
  bool ok = false;
  const double number = value.trimmed().toDouble(&ok);
  if (!ok) return value;
  if (style >= 0 && static_cast<std::size_t>(style) < book.dateStyles.size() && book.dateStyles[style]) {
    // A time of day alone has no date, in either calendar.
    return DateTimeText(number >= 1 ? number + book.dateOffset : number);
  }
  return NumberText(number);
}

void ParseSheet(const QByteArray& xml, const Book& book, SheetRead& out) {
  QXmlStreamReader reader(xml);
  int row = 0;
  int nextColumn = 1;
  bool inSheetData = false;  // extensions elsewhere in the sheet may reuse the names row and c
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isEndElement() && reader.name() == QLatin1String("sheetData")) inSheetData = false;
    if (!reader.isStartElement()) continue;
    const auto name = reader.name();
    if (name == QLatin1String("sheetData")) {
      inSheetData = true;
    } else if (!inSheetData) {
      continue;
    } else if (name == QLatin1String("row")) {
      const auto r = reader.attributes().value(QLatin1String("r"));
      if (r.isEmpty()) {
        ++row;
      } else {
        bool ok = false;
        row = r.toInt(&ok);
        if (!ok) row = 0;
      }
      if (row < 1 || row > kMaxRows) {
        out.Fail(Failure::Damaged);
        return;
      }
      nextColumn = 1;
    } else if (name == QLatin1String("c")) {
      const auto attributes = reader.attributes();
      const auto reference = attributes.value(QLatin1String("r"));
      int cellRow = row;
      int column = nextColumn;
      if (!reference.isEmpty() && !ParseCellReference(reference, cellRow, column)) {
        out.Fail(Failure::Damaged);
        return;
      }
      const QString type = attributes.value(QLatin1String("t")).toString();
      bool styleOk = false;
      int style = attributes.value(QLatin1String("s")).toInt(&styleOk);
      if (!styleOk) style = -1;
      QString value;
      QString inlineText;
      while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("c")) break;
        if (!reader.isStartElement()) continue;
        if (reader.name() == QLatin1String("v")) {
          value = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (reader.name() == QLatin1String("is")) {
          inlineText = ReadRichText(reader);
        } else {
          reader.skipCurrentElement();  // formula and extensions
        }
      }
      bool damaged = false;
      QString text = CellText(book, type, style, value, inlineText, damaged);
      if (damaged) {
        out.Fail(Failure::Damaged);
        return;
      }
      if (!out.Add(cellRow, column, std::move(text))) return;
      row = cellRow;
      nextColumn = column + 1;
    }
  }
  if (reader.hasError()) out.Fail(Failure::Damaged);
}

}  // namespace

SheetRead ReadXlsxSheet(const QString& path, int sheet) {
  SheetRead out;
  const Package package(path);
  if (!package.IsOpen()) {
    out.failure = package.OpenError() == ZIP_ER_OPEN || package.OpenError() == ZIP_ER_READ ? Failure::Unreadable
                                                                                             : Failure::Damaged;
    return out;
  }
  QByteArray xml;

  // The package relationships name the workbook part; xl/workbook.xml is the usual place.
  QString workbookPart = QStringLiteral("xl/workbook.xml");
  if (package.Read(QStringLiteral("_rels/.rels"), kMaxSmallPartBytes, xml) == PartStatus::Ok) {
    if (const auto rels = ParseRelationships(xml)) {
      for (const auto& rel : *rels) {
        if (rel.type.endsWith(QLatin1String("/officeDocument"))) workbookPart = ResolveTarget(QString(), rel.target);
      }
    }
  }
  if (const PartStatus status = package.Read(workbookPart, kMaxSmallPartBytes, xml); status != PartStatus::Ok) {
    out.failure = FailureOf(status);
    return out;
  }
  std::vector<QString> sheetIds;
  Book book;
  {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
      reader.readNext();
      if (!reader.isStartElement()) continue;
      if (reader.name() == QLatin1String("sheet")) {
        if (sheetIds.size() >= 0x10000) break;
        sheetIds.push_back(RelationshipId(reader.attributes()));
      } else if (reader.name() == QLatin1String("workbookPr")) {
        const auto date1904 = reader.attributes().value(QLatin1String("date1904"));
        if (date1904 == QLatin1String("1") || date1904 == QLatin1String("true")) book.dateOffset = 1462;
      }
    }
    if (reader.hasError() || sheetIds.empty()) {
      out.failure = Failure::Damaged;
      return out;
    }
  }
  if (package.Read(RelsPartOf(workbookPart), kMaxSmallPartBytes, xml) != PartStatus::Ok) {
    out.failure = Failure::Damaged;
    return out;
  }
  const auto rels = ParseRelationships(xml);
  if (!rels) {
    out.failure = Failure::Damaged;
    return out;
  }
  // Sheet numbers count worksheets only, as the spreadsheet's worksheet list does; chart sheets
  // sit between them in the tab order.
  std::vector<QString> worksheetTargets;
  for (const QString& id : sheetIds) {
    const auto rel = rels->constFind(id);
    if (rel == rels->cend()) {
      out.failure = Failure::Damaged;
      return out;
    }
    if (rel->type.endsWith(QLatin1String("/worksheet"))) worksheetTargets.push_back(rel->target);
  }
  if (sheet < 1 || static_cast<std::size_t>(sheet) > worksheetTargets.size()) {
    out.failure = Failure::NoSuchSheet;
    out.sheetCount = static_cast<int>(worksheetTargets.size());
    return out;
  }
  const QString folder = FolderOf(workbookPart);
  for (const auto& rel : *rels) {
    if (rel.type.endsWith(QLatin1String("/sharedStrings"))) {
      const PartStatus status = package.Read(ResolveTarget(folder, rel.target), kMaxStringsBytes, xml);
      if (status == PartStatus::Missing) continue;
      if (status != PartStatus::Ok) {
        out.failure = FailureOf(status);
        return out;
      }
      auto strings = ParseSharedStrings(xml);
      if (!strings) {
        out.failure = Failure::Damaged;
        return out;
      }
      book.sharedStrings = std::move(*strings);
    } else if (rel.type.endsWith(QLatin1String("/styles"))) {
      // Without styles every number is shown as a number; that is no reason to refuse the sheet.
      if (package.Read(ResolveTarget(folder, rel.target), kMaxSmallPartBytes, xml) == PartStatus::Ok) {
        if (auto styles = ParseDateStyles(xml)) book.dateStyles = std::move(*styles);
      }
    }
  }

  if (const PartStatus status =
          package.Read(ResolveTarget(folder, worksheetTargets[static_cast<std::size_t>(sheet - 1)]), kMaxSheetBytes, xml);
      status != PartStatus::Ok) {
    out.failure = FailureOf(status);
    return out;
  }
  ParseSheet(xml, book, out);
  if (out.failure != Failure::None) out.cells.clear();
  return out;
}

}  // namespace kw::workbook
