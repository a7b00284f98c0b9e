#include <gtest/gtest.h>

#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <algorithm>

#include "printing/print_grid.h"
#include "support/temp_dir.h"

namespace kwtest {
namespace {

constexpr double kPointsPerTenth = 72.0 / 254.0;

struct Word {
  QString text;
  double xMin, yMin, xMax, yMax;  // points from the top left corner of the paper
};
using Page = std::vector<Word>;

// Every page's words with their boxes, as poppler reads them back from the PDF.
std::vector<Page> ReadPdf(const QString& path) {
  QProcess proc;
  proc.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  proc.waitForFinished(30000);
  const QString html = QString::fromUtf8(proc.readAllStandardOutput());
  std::vector<Page> pages;
  static const QRegularExpression tag(QStringLiteral(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      pages.emplace_back();
      continue;
    }
    if (pages.empty()) continue;
    pages.back().push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                            m.captured(4).toDouble()});
  }
  return pages;
}

QString PageText(const Page& page) {
  QStringList words;
  for (const Word& w : page) words << w.text;
  return words.join(QLatin1Char(' '));
}

const Word* Find(const Page& page, const QString& text) {
  const auto it = std::find_if(page.begin(), page.end(), [&](const Word& w) { return w.text == text; });
  return it == page.end() ? nullptr : &*it;
}

// Short enough that narrow columns do not run into each other: "A" .. "Z", then "a".
QString HeaderText(int column) {
  return column < 26 ? QString(QChar(u'A' + column)) : QString(QChar(u'a' + column - 26));
}

// A grid of `rows` printed rows (the header included) and `columns` columns; cell texts name
// their printed row ("r1" is the first row under the header) and column.
class PrintGridTest : public ::testing::Test {
 protected:
  QString pdfPath() const { return QString::fromStdString(dir.path() + "grid.pdf"); }

  std::vector<Page> print(int rows, int columns, QPageLayout::Orientation orientation, int columnWidth = 64) {
    QStandardItemModel grid(rows - 1, columns);
    for (int c = 0; c < columns; ++c) grid.setHorizontalHeaderItem(c, new QStandardItem(HeaderText(c)));
    for (int r = 0; r < rows - 1; ++r)
      for (int c = 0; c < columns; ++c) grid.setItem(r, c, new QStandardItem(QStringLiteral("r%1c%2").arg(r + 1).arg(c)));
    const QString path = pdfPath();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);  // origin at the paper's corner, so positions read back directly
    EXPECT_TRUE(kw::PrintGrid(printer, grid, std::vector<int>(static_cast<std::size_t>(columns), columnWidth),
                              QStringLiteral("Gewinnauswertung Schein 1"), orientation));
    return ReadPdf(path);
  }

  TempDir dir;
};

const QRegularExpression kDateTime(QStringLiteral(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)"));

TEST_F(PrintGridTest, RowsSpreadOverPagesWithFooterOnEachAndTitleOnlyOnTheFirst) {
  struct Case {
    int rows;  // header included
    QPageLayout::Orientation orientation;
    int pages;
    int firstRowOfLastPage;  // printed row index: 0 is the header
  };
  const Case cases[] = {
      {1, QPageLayout::Portrait, 1, 0},      // header only
      {65, QPageLayout::Portrait, 1, 0},     // A4 portrait holds 65 rows
      {130, QPageLayout::Portrait, 2, 65},
      {131, QPageLayout::Portrait, 3, 130},
      {40, QPageLayout::Landscape, 1, 0},    // landscape holds 40
      {41, QPageLayout::Landscape, 2, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, orientation " << c.orientation);
    const auto pages = print(c.rows, 3, c.orientation);
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(c.pages));
    for (int p = 1; p <= c.pages; ++p) {
      const QString text = PageText(pages[static_cast<std::size_t>(p - 1)]);
      EXPECT_TRUE(text.contains(QStringLiteral("Seite: %1 von %2").arg(p).arg(c.pages))) << text.toStdString();
      EXPECT_EQ(text.contains(QStringLiteral("Gewinnauswertung Schein 1")), p == 1) << "page " << p;
      EXPECT_EQ(text.contains(kDateTime), p == 1) << "page " << p;
    }
    const Page& last = pages.back();
    const QString firstOnLast =
        c.firstRowOfLastPage == 0 ? HeaderText(0) : QStringLiteral("r%1c0").arg(c.firstRowOfLastPage);
    EXPECT_NE(Find(last, firstOnLast), nullptr) << firstOnLast.toStdString();
    const QString lastCell = c.rows == 1 ? HeaderText(2) : QStringLiteral("r%1c2").arg(c.rows - 1);
    EXPECT_NE(Find(last, lastCell), nullptr) << lastCell.toStdString();  // the last row made it
    if (c.pages > 1) {
      EXPECT_EQ(Find(last, QStringLiteral("r%1c0").arg(c.firstRowOfLastPage - 1)), nullptr);
    }
  }
}

TEST_F(PrintGridTest, ColumnsAdvanceByScreenWidthTimesThreeUpToTwentySixColumnsElseTwoAndAHalf) {
  struct Case {
    int columns;
    double factor;
  };
  for (const Case c : {Case{26, 3.0}, Case{27, 2.5}}) {
    SCOPED_TRACE(c.columns);
    const auto pages = print(3, c.columns, QPageLayout::Landscape, 30);
    ASSERT_EQ(pages.size(), 1u);
    for (int col = 0; col < c.columns; ++col) {
      const Word* header = Find(pages[0], HeaderText(col));
      ASSERT_NE(header, nullptr) << col;
      EXPECT_NEAR(header->xMin, (250 + col * 30 * c.factor) * kPointsPerTenth, 1.0) << "column " << col;
    }
  }
}

TEST_F(PrintGridTest, RowsStartUnderTheRuleOneEveryThreePointSixMillimetres) {
  const auto pages = print(70, 2, QPageLayout::Portrait);
  ASSERT_EQ(pages.size(), 2u);
  const char* firstRows[] = {"A", "r65c0"};
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const Word* first = Find(pages[p], QString::fromLatin1(firstRows[p]));
    ASSERT_NE(first, nullptr) << firstRows[p];
    // The text's box begins a little below its top edge at 35 mm.
    EXPECT_NEAR(first->yMin, 350 * kPointsPerTenth, 4.0);
  }
  const Word* r1 = Find(pages[0], QStringLiteral("r1c0"));
  const Word* r11 = Find(pages[0], QStringLiteral("r11c0"));
  ASSERT_TRUE(r1 && r11);
  EXPECT_NEAR(r11->yMin - r1->yMin, 10 * 36 * kPointsPerTenth, 0.5);
  EXPECT_NEAR(r1->xMin, 250 * kPointsPerTenth, 1.0);
}

TEST_F(PrintGridTest, FooterIsCentredAndTitleAndDateSitAtTheTop) {
  const auto pages = print(2, 2, QPageLayout::Portrait);
  ASSERT_EQ(pages.size(), 1u);
  const Page& page = pages[0];
  // The footer is the only text in the lower half of the page.
  double left = 1e9, right = -1e9;
  for (const Word& w : page)
    if (w.yMin > 421) left = std::min(left, w.xMin), right = std::max(right, w.xMax);
  EXPECT_NEAR((left + right) / 2, 1050 * kPointsPerTenth, 2.0);
  const Word* seite = Find(page, QStringLiteral("Seite:"));
  EXPECT_NEAR(seite->yMin, (2970 - 200) * kPointsPerTenth, 4.0);

  const Word* title = Find(page, QStringLiteral("Gewinnauswertung"));
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(title->xMin, 200 * kPointsPerTenth, 1.0);
  EXPECT_NEAR(title->yMin, 150 * kPointsPerTenth, 4.0);
  const auto date = std::find_if(page.begin(), page.end(), [](const Word& w) {
    return w.text.contains(QRegularExpression(QStringLiteral(R"(^\d\d\.\d\d\.\d{4}$)")));
  });
  ASSERT_NE(date, page.end());
  EXPECT_NEAR(date->xMin, (2100 - 450) * kPointsPerTenth, 1.0);
}

// Whether the rendered page has a dark line across from x = 20 mm to the right edge at y (tenths of a mm).
bool RuleAt(const QImage& page, int yTenths) {
  const double pxPerTenth = page.width() / 2100.0;
  const int y = static_cast<int>(yTenths * pxPerTenth + 0.5);
  for (int dy = -2; dy <= 2; ++dy) {
    bool whole = true;
    for (int x = static_cast<int>(205 * pxPerTenth); x < page.width() - 2 && whole; ++x)
      whole = qGray(page.pixel(x, y + dy)) < 128;
    if (whole) return true;
  }
  return false;
}

TEST_F(PrintGridTest, RulesFrameEveryPage) {
  ASSERT_EQ(print(130, 2, QPageLayout::Portrait).size(), 2u);
  const QString prefix = QString::fromStdString(dir.path() + "page");
  ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), pdfPath(), prefix}),
            0);
  for (const char* suffix : {"-1.png", "-2.png"}) {
    const QImage page(prefix + QString::fromLatin1(suffix));
    ASSERT_FALSE(page.isNull()) << suffix;
    EXPECT_TRUE(RuleAt(page, 300)) << suffix;
    EXPECT_TRUE(RuleAt(page, 2970 - 250)) << suffix;
    EXPECT_FALSE(RuleAt(page, 1500)) << suffix;
  }
}

TEST(PrintGridPlan, RowsPerPageNeverDropsBelowOne) {
  struct Case {
    int height, rows, columns;
    kw::GridPageLayout expected;
  };
  const Case cases[] = {
      {2970, 130, 8, {65, 2, 3.0}},
      {2970, 131, 26, {65, 3, 3.0}},
      {2100, 1, 27, {40, 1, 2.5}},
      {600, 5, 2, {1, 5, 3.0}},  // a label-sized page: one row each instead of a division by zero
  };
  for (const Case& c : cases) {
    const auto plan = kw::PlanGridPages(c.height, c.rows, c.columns);
    EXPECT_EQ(plan.rowsPerPage, c.expected.rowsPerPage) << c.height;
    EXPECT_EQ(plan.pages, c.expected.pages) << c.height;
    EXPECT_EQ(plan.columnFactor, c.expected.columnFactor) << c.height;
  }
}

}  // namespace
}  // namespace kwtest
