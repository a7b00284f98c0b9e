#include "import/xls_reader.h"

#include <freexl.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "import/xls_records.h"

namespace kw::workbook {
namespace {

constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

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

// One value as FreeXL gives it, copied out of the library's memory.
struct RawCell {
  std::int32_t row = 0;  // from 0
  std::int32_t column = 0;
  std::int32_t type = 0;
  std::int64_t whole = 0;
  double number = 0;
  std::string text;
};

QString CellText(const RawCell& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT:
      return QString::number(cell.whole);
    case FREEXL_CELL_DOUBLE:
      return NumberText(cell.number);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
      return QString::fromStdString(cell.text);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
      return GermanDateText(cell.text.c_str());
    default:
      return {};
  }
}

// What the FreeXL pass reports, in order: the cells, then the sheet's name, or a failure.
class RawSink {
 public:
  virtual ~RawSink() = default;
  // False stops the pass (the cells went beyond what any import takes).
  virtual bool cell(const RawCell& cell) = 0;
  virtual void sheetName(const std::string& name) = 0;
  virtual void failed(Failure why, int sheetCount) = 0;
};

class XlsHandle {
 public:
  explicit XlsHandle(const QByteArray& path) { status_ = freexl_open(path.constData(), &handle_); }
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

// Everything that touches FreeXL. FreeXL 1.0.6 trusts lengths stored in the file and can write
// past its buffers on a forged workbook, so on POSIX this pass runs in a child process of its own:
// whatever such a file does stays there and the import just refuses it.
void ReadWithFreeXl(const QByteArray& encodedPath, int sheet, RawSink& sink) {
  const XlsHandle book(encodedPath);
  if (book.Status() != FREEXL_OK) {
    sink.failed(book.Status() == FREEXL_FILE_NOT_FOUND         ? Failure::Unreadable
                : book.Status() == FREEXL_INSUFFICIENT_MEMORY ? Failure::TooLarge
                                                              : Failure::Damaged,
                0);
    return;
  }
  // FreeXL opens an encrypted workbook "successfully" but hands back no handle.
  unsigned int info = 0;
  if (book.Get() == nullptr ||
      (freexl_get_info(book.Get(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)) {
    sink.failed(Failure::Encrypted, 0);
    return;
  }
  unsigned int sheets = 0;
  if (freexl_get_info(book.Get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
    sink.failed(Failure::Damaged, 0);
    return;
  }
  if (sheet < 1 || static_cast<unsigned int>(sheet) > sheets) {
    sink.failed(Failure::NoSuchSheet, static_cast<int>(sheets));
    return;
  }
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_select_active_worksheet(book.Get(), static_cast<unsigned short>(sheet - 1)) != FREEXL_OK ||
      freexl_worksheet_dimensions(book.Get(), &rows, &columns) != FREEXL_OK) {
    sink.failed(Failure::Damaged, 0);
    return;
  }
  // An .xls sheet has at most 65536 rows and 256 columns; larger stored dimensions are forged.
  if (rows > 65536 || columns > 256) {
    sink.failed(Failure::Damaged, 0);
    return;
  }
  for (unsigned int r = 0; r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue value;
      if (freexl_get_cell_value(book.Get(), r, c, &value) != FREEXL_OK) continue;
      RawCell cell;
      cell.row = static_cast<std::int32_t>(r);
      cell.column = c;
      cell.type = value.type;
      switch (value.type) {
        case FREEXL_CELL_INT:
          cell.whole = value.value.int_value;
          break;
        case FREEXL_CELL_DOUBLE:
          cell.number = value.value.double_value;
          break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_TIME:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
          if (value.value.text_value == nullptr) continue;
          cell.text = value.value.text_value;
          if (cell.text.empty()) continue;
          break;
        default:
          continue;
      }
      if (!sink.cell(cell)) return;
    }
  }
  const char* name = nullptr;
  if (freexl_get_worksheet_name(book.Get(), static_cast<unsigned short>(sheet - 1), &name) == FREEXL_OK &&
      name != nullptr)
    sink.sheetName(name);
}

// Turns the pass's report into the sheet's cells.
class SheetSink : public RawSink {
 public:
  explicit SheetSink(SheetRead& out) : out_(out) {}
  bool cell(const RawCell& cell) override {
    if (out_.failure != Failure::None) return false;
    QString text = CellText(cell);
    if (text.isEmpty()) return true;
    seen_.insert(static_cast<quint32>(cell.row) << 8 | static_cast<quint32>(cell.column));
    return out_.Add(cell.row + 1, cell.column + 1, std::move(text));
  }
  void sheetName(const std::string& name) override { name_ = QString::fromStdString(name); }
  void failed(Failure why, int sheetCount) override {
    out_.failure = why;
    out_.sheetCount = sheetCount;
  }
  const QSet<quint32>& seen() const { return seen_; }
  const std::optional<QString>& name() const { return name_; }

 private:
  SheetRead& out_;
  QSet<quint32> seen_;
  std::optional<QString> name_;
};

#ifndef _WIN32
// The child's side: every report as a tagged record on the pipe.
class PipeSink : public RawSink {
 public:
  explicit PipeSink(int fd) : fd_(fd) {}
  bool cell(const RawCell& cell) override {
    // The parent stops at these limits anyway; the child need not send more.
    if (++cells_ > kMaxRangeCells || (chars_ += static_cast<std::int64_t>(cell.text.size())) > kMaxTextChars) {
      failed(Failure::TooLarge, 0);
      return false;
    }
    put('C');
    put(cell.row);
    put(cell.column);
    put(cell.type);
    put(cell.whole);
    put(cell.number);
    putText(cell.text);
    return ok_;
  }
  void sheetName(const std::string& name) override {
    put('N');
    putText(name);
  }
  void failed(Failure why, int sheetCount) override {
    put('F');
    put(static_cast<std::int32_t>(why));
    put(static_cast<std::int32_t>(sheetCount));
  }
  void finish() {
    put('E');
    flush();
  }
  bool ok() const { return ok_; }

 private:
  template <class T>
  void put(T value) {
    const char* bytes = reinterpret_cast<const char*>(&value);
    buffer_.append(bytes, sizeof value);
    if (buffer_.size() >= 65536) flush();
  }
  void putText(const std::string& text) {
    put(static_cast<std::uint32_t>(text.size()));
    buffer_ += text;
    if (buffer_.size() >= 65536) flush();
  }
  void flush() {
    std::size_t done = 0;
    while (ok_ && done < buffer_.size()) {
      const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ok_ = false;
      else done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
  }

  int fd_;
  bool ok_ = true;
  std::int64_t cells_ = 0;
  std::int64_t chars_ = 0;
  std::string buffer_;
};

// The parent's side: reads the records back; false when they are cut short or malformed.
class RecordReader {
 public:
  explicit RecordReader(const std::string& bytes) : bytes_(bytes) {}
  bool replay(RawSink& sink) {
    for (;;) {
      char tag = 0;
      if (!get(tag)) return false;
      if (tag == 'E') return pos_ == bytes_.size();
      if (tag == 'C') {
        RawCell cell;
        if (!get(cell.row) || !get(cell.column) || !get(cell.type) || !get(cell.whole) || !get(cell.number) ||
            !getText(cell.text) || cell.row < 0 || cell.column < 0)
          return false;
        if (!sink.cell(cell)) continue;  // the sheet refused it; the rest still has to be read
      } else if (tag == 'N') {
        std::string name;
        if (!getText(name)) return false;
        sink.sheetName(name);
      } else if (tag == 'F') {
        std::int32_t why = 0, count = 0;
        if (!get(why) || !get(count) || why < 0 || why > static_cast<std::int32_t>(Failure::TooLarge)) return false;
        sink.failed(static_cast<Failure>(why), count);
      } else {
        return false;
      }
    }
  }

 private:
  template <class T>
  bool get(T& value) {
    if (bytes_.size() - pos_ < sizeof value) return false;
    std::memcpy(&value, bytes_.data() + pos_, sizeof value);
    pos_ += sizeof value;
    return true;
  }
  bool getText(std::string& text) {
    std::uint32_t size = 0;
    if (!get(size) || bytes_.size() - pos_ < size) return false;
    text.assign(bytes_, pos_, size);
    pos_ += size;
    return true;
  }

  const std::string& bytes_;
  std::size_t pos_ = 0;
};

// A forged file can also make FreeXL loop; the child gets this long.
constexpr int kChildSeconds = 60;

void ReadInChild(const QByteArray& encodedPath, int sheet, SheetSink& sink) {
  int fds[2];
  if (::pipe(fds) != 0) {
    sink.failed(Failure::Unreadable, 0);
    return;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    sink.failed(Failure::Unreadable, 0);
    return;
  }
  if (child == 0) {
    ::close(fds[0]);
    PipeSink pipe(fds[1]);
    ReadWithFreeXl(encodedPath, sheet, pipe);
    pipe.finish();
    ::_exit(pipe.ok() ? 0 : 1);
  }
  ::close(fds[1]);
  std::string bytes;
  char chunk[65536];
  bool timedOut = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kChildSeconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fds[0], POLLIN, 0};
    const int ready = left.count() > 0 ? ::poll(&p, 1, static_cast<int>(left.count())) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timedOut = true;
      break;
    }
    const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(chunk, static_cast<std::size_t>(n));
    // Far more than the limits allow: the child is not the reader we started.
    if (bytes.size() > static_cast<std::size_t>(2 * kMaxTextChars + 64 * kMaxRangeCells)) {
      timedOut = true;
      break;
    }
  }
  ::close(fds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  const bool clean = !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  // A child that crashed, hung or sent a broken report read a forged file: refused, nothing kept.
  if (!clean || !RecordReader(bytes).replay(sink)) sink.failed(Failure::Damaged, 0);
}
#endif

}  // namespace

SheetRead ReadXlsSheet(const QString& path, int sheet) {
  SheetRead out;
  SheetSink sink(out);
  const QByteArray encodedPath = QFile::encodeName(path);
#ifdef _WIN32
  ReadWithFreeXl(encodedPath, sheet, sink);
#else
  ReadInChild(encodedPath, sheet, sink);
#endif
  if (out.failure != Failure::None) {
    out.cells.clear();
    return out;
  }

  // Fill in what FreeXL leaves out (formula results, truth values) from the records themselves.
  QFile file(path);
  if (sink.name() && file.size() <= kMaxFileBytes && file.open(QIODevice::ReadOnly)) {
    const auto stream = CompoundWorkbookStream(file.readAll());
    const auto extra = stream ? XlsValueRecords(*stream, sheet - 1, *sink.name()) : std::nullopt;
    if (extra) {
      for (const SheetCell& cell : *extra) {
        if (cell.row > 65536 || cell.column > 256) continue;
        if (sink.seen().contains(static_cast<quint32>(cell.row - 1) << 8 | static_cast<quint32>(cell.column - 1)))
          continue;
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
