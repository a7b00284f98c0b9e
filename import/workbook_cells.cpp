#include "import/workbook_cells.h"

#include <QTime>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/dates.h"

namespace kw::workbook {

bool SheetRead::Add(int row, int column, QString text) {
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) return Fail(Failure::Damaged);
  if (text.isEmpty()) return true;
  const int rows = std::max(maxRow, row);
  const int columns = std::max(maxColumn, column);
  if (static_cast<std::int64_t>(rows) * columns > kMaxRangeCells ||
      static_cast<std::int64_t>(cells.size()) >= kMaxRangeCells || textChars + text.size() > kMaxTextChars) {
    return Fail(Failure::TooLarge);
  }
  maxRow = rows;
  maxColumn = columns;
  textChars += text.size();
  cells.push_back({row, column, std::move(text)});
  return true;
}

QString NumberText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("#NUM!");  // as the error cells of both formats read
  if (value == 0) return QStringLiteral("0");  // also -0
  // Whole numbers below 10^15 are exact in a double: all digits, no exponent.
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    return QString::number(static_cast<long long>(value));
  }
  // 15 significant digits hide binary noise such as 0.1 + 0.2 = 0.30000000000000004.
  QString text = QString::number(value, 'g', 15);
  const qsizetype e = text.indexOf(QLatin1Char('e'));
  if (e >= 0) {
    // 1e+15 -> 1E+15, 1e-07 -> 1E-7
    QString mantissa = text.left(e);
    QString sign = text.mid(e + 1, 1);
    QString digits = text.mid(e + 2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    text = mantissa + QLatin1Char('E') + sign + digits;
  }
  return text;
}

QString DateTimeText(double serial) {
  if (!std::isfinite(serial) || serial < 0 || serial >= 2958466) return NumberText(serial);
  double day = std::floor(serial);
  long long seconds = std::llround((serial - day) * 86400.0);
  if (seconds >= 86400) {
    day += 1;
    seconds -= 86400;
  }
  const QString time = QTime(0, 0).addSecs(static_cast<int>(seconds)).toString(QStringLiteral("HH:mm:ss"));
  if (day == 0) return time;
  const QString date = QString::fromStdString(kw::DateText(day));
  return seconds == 0 ? date : date + QLatin1Char(' ') + time;
}

int ColumnNumber(QStringView letters) {
  if (letters.isEmpty() || letters.size() > 3) return 0;
  int column = 0;
  for (const QChar ch : letters) {
    const char16_t u = ch.unicode();
    int digit = 0;
    if (u >= u'A' && u <= u'Z') {
      digit = u - u'A' + 1;
    } else if (u >= u'a' && u <= u'z') {
      digit = u - u'a' + 1;
    } else {
      return 0;
    }
    column = column * 26 + digit;
  }
  return column <= kMaxColumns ? column : 0;
}

}  // namespace kw::workbook
