#include "import/xls_records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace kw::workbook {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kMaxSector = 0xFFFFFFFA;

std::uint16_t U16(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}
std::uint32_t U32(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint32_t>(U16(bytes, at)) | static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16;
}
double F64(const QByteArray& bytes, qsizetype at) {
  const std::uint64_t bits = static_cast<std::uint64_t>(U32(bytes, at)) | static_cast<std::uint64_t>(U32(bytes, at + 4)) << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// UTF-16 text at any byte offset (the data need not be aligned).
QString Utf16Text(const char* data, qsizetype count) {
  std::u16string text(static_cast<std::size_t>(count), u'\0');
  std::memcpy(text.data(), data, static_cast<std::size_t>(count) * 2);
  return QString::fromStdU16String(text);
}

// The compound file's sector chains. Every walk is bounded by the number of sectors, so a chain
// that loops ends in "damaged" instead of running forever.
class Compound {
 public:
  explicit Compound(const QByteArray& file) : file_(file) {}

  bool Load() {
    if (file_.size() < 512 || !file_.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))) return false;
    const int shift = U16(file_, 0x1E);
    const int miniShift = U16(file_, 0x20);
    if ((shift != 9 && shift != 12) || miniShift != 6) return false;
    sectorSize_ = qsizetype{1} << shift;
    sectorCount_ = static_cast<std::uint32_t>((file_.size() - 512 + sectorSize_ - 1) / sectorSize_);
    miniCutoff_ = U32(file_, 0x38);

    // The FAT's own sectors: 109 in the header, the rest in the DIFAT chain.
    std::vector<std::uint32_t> fatSectors;
    const std::uint32_t fatCount = U32(file_, 0x2C);
    if (fatCount > sectorCount_) return false;
    for (int i = 0; i < 109 && fatSectors.size() < fatCount; ++i) fatSectors.push_back(U32(file_, 0x4C + 4 * i));
    std::uint32_t difat = U32(file_, 0x44);
    for (std::uint32_t steps = 0; fatSectors.size() < fatCount; ++steps) {
      if (difat > kMaxSector || !WholeSector(difat) || steps > sectorCount_) return false;
      const qsizetype base = Offset(difat);
      const qsizetype entries = sectorSize_ / 4 - 1;
      for (qsizetype i = 0; i < entries && fatSectors.size() < fatCount; ++i) fatSectors.push_back(U32(file_, base + 4 * i));
      difat = U32(file_, base + 4 * entries);
    }
    for (const std::uint32_t sector : fatSectors) {
      if (!WholeSector(sector)) return false;
      const qsizetype base = Offset(sector);
      for (qsizetype i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(U32(file_, base + 4 * i));
    }

    if (!ReadChain(fat_, U32(file_, 0x30), -1, directory_, false)) return false;
    if (directory_.size() < 128) return false;
    // The root entry holds the mini stream; the mini FAT has a chain of its own.
    QByteArray miniFatBytes;
    if (U32(file_, 0x40) > 0 && !ReadChain(fat_, U32(file_, 0x3C), -1, miniFatBytes, false)) return false;
    for (qsizetype i = 0; i + 4 <= miniFatBytes.size(); i += 4) miniFat_.push_back(U32(miniFatBytes, i));
    return ReadChain(fat_, U32(directory_, 0x74), -1, miniStream_, false);
  }

  std::optional<QByteArray> Stream(const QString& name) const {
    for (qsizetype entry = 0; entry + 128 <= directory_.size(); entry += 128) {
      const int nameBytes = U16(directory_, entry + 0x40);
      if (directory_[entry + 0x42] != 2 || nameBytes < 2 || nameBytes > 64) continue;  // streams only
      const QString entryName = Utf16Text(directory_.constData() + entry, nameBytes / 2 - 1);
      if (entryName.compare(name, Qt::CaseInsensitive) != 0) continue;
      const std::uint32_t start = U32(directory_, entry + 0x74);
      const qint64 size = U32(directory_, entry + 0x78);
      QByteArray out;
      const bool ok = size < miniCutoff_ ? ReadChain(miniFat_, start, size, out, true) : ReadChain(fat_, start, size, out, false);
      if (!ok) return std::nullopt;
      return out;
    }
    return std::nullopt;
  }

 private:
  qsizetype Offset(std::uint32_t sector) const { return 512 + static_cast<qsizetype>(sector) * sectorSize_; }
  bool WholeSector(std::uint32_t sector) const { return sector < sectorCount_ && Offset(sector) + sectorSize_ <= file_.size(); }

  // Follows a chain from start; size < 0 reads to the end of the chain.
  bool ReadChain(const std::vector<std::uint32_t>& table, std::uint32_t start, qint64 size, QByteArray& out,
                 bool mini) const {
    out.clear();
    const qsizetype unit = mini ? 64 : sectorSize_;
    const QByteArray& source = mini ? miniStream_ : file_;
    std::uint32_t sector = start;
    for (std::size_t steps = 0; sector != kEndOfChain; ++steps) {
      if (size >= 0 && out.size() >= size) break;
      if (sector > kMaxSector || sector >= table.size() || steps > table.size()) return false;
      const qsizetype at = mini ? static_cast<qsizetype>(sector) * 64 : Offset(sector);
      if (at < 0 || at >= source.size()) return false;
      // The file's last sector may be short.
      out.append(source.constData() + at, std::min(unit, source.size() - at));
      sector = table[sector];
    }
    if (size >= 0) {
      if (out.size() < size) return false;
      out.truncate(static_cast<qsizetype>(size));
    }
    return true;
  }

  const QByteArray& file_;
  qsizetype sectorSize_ = 512;
  std::uint32_t sectorCount_ = 0;
  std::uint32_t miniCutoff_ = 4096;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> miniFat_;
  QByteArray directory_;
  QByteArray miniStream_;
};

// An RK number: a 30-bit integer or the top 30 bits of a double, optionally divided by 100.
double RkValue(std::uint32_t rk) {
  double value;
  if (rk & 2) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 1) ? value / 100 : value;
}

QString ErrorText(int code) {
  switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return QStringLiteral("#N/A");
  }
}

QString TruthText(int value) { return value != 0 ? QStringLiteral("WAHR") : QStringLiteral("FALSCH"); }

// A BIFF8 unicode string: flags byte (bit 0: two bytes per character), then the characters.
QString BiffString(const QByteArray& data, qsizetype at, qsizetype count) {
  if (at >= data.size()) return {};
  const bool wide = (static_cast<std::uint8_t>(data[at]) & 1) != 0;
  ++at;
  const qsizetype available = (data.size() - at) / (wide ? 2 : 1);
  count = std::min(count, available);
  if (wide) return Utf16Text(data.constData() + at, count);
  return QString::fromLatin1(data.constData() + at, count);
}

}  // namespace

std::optional<QByteArray> CompoundWorkbookStream(const QByteArray& file) {
  Compound compound(file);
  if (!compound.Load()) return std::nullopt;
  return compound.Stream(QStringLiteral("Workbook"));
}

std::optional<std::vector<SheetCell>> XlsValueRecords(const QByteArray& stream, int index, const QString& name) {
  struct Record {
    std::uint16_t type;
    QByteArray data;
  };
  const auto recordAt = [&stream](qsizetype at, Record& record) {
    if (at < 0 || at + 4 > stream.size()) return false;
    const qsizetype length = U16(stream, at + 2);
    if (at + 4 + length > stream.size()) return false;
    record.type = U16(stream, at);
    record.data = stream.mid(at + 4, length);
    return true;
  };

  // The global records: BOUNDSHEET (0x85) names each sheet and the offset of its records.
  Record record;
  qsizetype at = 0;
  qsizetype sheetStart = -1;
  int worksheets = 0;
  while (recordAt(at, record) && record.type != 0x000A) {
    if (record.type == 0x0085 && record.data.size() >= 8) {
      const int kind = static_cast<std::uint8_t>(record.data[5]);
      if (kind == 0) {
        if (worksheets == index) {
          if (BiffString(record.data, 7, static_cast<std::uint8_t>(record.data[6])) != name) return std::nullopt;
          sheetStart = U32(record.data, 0);
        }
        ++worksheets;
      }
    }
    at += 4 + record.data.size();
  }
  if (sheetStart < 0 || !recordAt(sheetStart, record) || record.type != 0x0809) return std::nullopt;

  std::vector<SheetCell> cells;
  const auto add = [&cells](int row, int column, QString text) {
    if (static_cast<std::int64_t>(cells.size()) < kMaxRangeCells) cells.push_back({row + 1, column + 1, std::move(text)});
  };
  bool stringFollows = false;
  int stringRow = 0;
  int stringColumn = 0;
  // Charts drawn on the sheet bring their own BOF ... EOF inside the sheet's records.
  int depth = 1;
  for (at = sheetStart + 4 + record.data.size(); recordAt(at, record); at += 4 + record.data.size()) {
    if (record.type == 0x0809) ++depth;
    if (record.type == 0x000A && --depth == 0) break;
    if (depth > 1) continue;
    const QByteArray& d = record.data;
    if (stringFollows && record.type == 0x0207 && d.size() >= 3) {
      add(stringRow, stringColumn, BiffString(d, 2, U16(d, 0)));
    }
    stringFollows = false;
    if (d.size() < 6) continue;
    const int row = U16(d, 0);
    const int column = U16(d, 2);
    switch (record.type) {
      case 0x0203:  // NUMBER
        if (d.size() >= 14) add(row, column, NumberText(F64(d, 6)));
        break;
      case 0x027E:  // RK
        if (d.size() >= 10) add(row, column, NumberText(RkValue(U32(d, 6))));
        break;
      case 0x00BD:  // MULRK: several RK numbers in a row
        for (qsizetype i = 4, c = column; i + 6 <= d.size() - 2; i += 6, ++c) {
          add(row, static_cast<int>(c), NumberText(RkValue(U32(d, i + 2))));
        }
        break;
      case 0x0205:  // BOOLERR
        if (d.size() >= 8) add(row, column, d[7] != 0 ? ErrorText(static_cast<std::uint8_t>(d[6])) : TruthText(d[6]));
        break;
      case 0x0006:  // FORMULA with its last result
        if (d.size() >= 14) {
          if (U16(d, 12) != 0xFFFF) {
            add(row, column, NumberText(F64(d, 6)));
          } else if (d[6] == 0) {
            stringFollows = true;  // the text comes in the next STRING record
            stringRow = row;
            stringColumn = column;
          } else if (d[6] == 1) {
            add(row, column, TruthText(d[8]));
          } else if (d[6] == 2) {
            add(row, column, ErrorText(static_cast<std::uint8_t>(d[8])));
          }
        }
        break;
      default:
        break;
    }
  }
  return cells;
}

}  // namespace kw::workbook
