#include <gtest/gtest.h>

#include <QPrinter>
#include <algorithm>

#include "printing/pdf_marks.h"
#include "printing/slip_printer.h"
#include "support/temp_dir.h"

namespace kwtest {
namespace {

// How far a mark may sit from its intended place: a tenth of a millimetre.
constexpr double kTolerance = 1.0;

class SlipPrinterTest : public ::testing::Test {
 protected:
  // One slip with the given marks into a fresh PDF; the printed words come back.
  std::vector<PrintedWord> print(const std::vector<kw::SlipMark>& marks, int horizontal, int vertical,
                                 bool fullPage = true) {
    kw::PdfSlipJobs jobs(QString::fromStdString(dir.path() + "slip"), fullPage);
    QPrinter* printer = jobs.printerForJob(++job);
    EXPECT_TRUE(kw::PrintSlip(*printer, marks, horizontal, vertical));
    return ReadPrintedWords(jobs.fileOf(job));
  }

  TempDir dir;
  int job = 0;
};

TEST_F(SlipPrinterTest, MarksLandAtTheirBoxesMovedByTheCorrectionsOnAnyPrinterMargin) {
  struct Case {
    const char* what;
    kw::SlipPoint at;
    int horizontal, vertical;
    bool fullPage;  // false: the printer keeps margins of 10 mm left and 15 mm top
    double x, y;    // expected on the paper
  };
  const kw::SlipPoint number23{418, 472};  // main number 23 of panel 2
  const kw::SlipPoint star12{1402, 928};   // star 12 of panel 6
  const Case cases[] = {
      {"number 23, no correction", number23, 0, 0, true, 418, 472},
      {"star 12, no correction", star12, 0, 0, true, 1402, 928},
      {"right and down", number23, 250, 30, true, 668, 502},
      {"left and up", star12, -45, -12, true, 1357, 916},
      {"printer margins are made up for", number23, 0, 0, false, 418, 472},
      {"margins and corrections together", star12, 250, -20, false, 1652, 908},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(*kw::MainNumberPosition(2, 23), number23);
    ASSERT_EQ(*kw::StarPosition(6, 12), star12);
    const auto words = print({{c.at, "x"}}, c.horizontal, c.vertical, c.fullPage);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, QStringLiteral("x"));
    EXPECT_NEAR(words[0].x, c.x, kTolerance);
    EXPECT_NEAR(words[0].y, c.y, kTolerance);
  }
}

TEST_F(SlipPrinterTest, NeighbouringBoxesStaySeparateMarksAndTheSlipNumberIsText) {
  // Numbers 1 to 3 of panel 1 and the slip number: three crosses and "2/3", each where it belongs.
  std::vector<kw::SlipMark> marks;
  for (int n = 1; n <= 3; ++n) marks.push_back({*kw::MainNumberPosition(1, n), "x"});
  marks.push_back({kw::kSlipNumberPosition, "2/3"});
  const auto words = print(marks, 0, 0);
  ASSERT_EQ(words.size(), 4u);
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(words[static_cast<std::size_t>(n)].text, QStringLiteral("x"));
    EXPECT_NEAR(words[static_cast<std::size_t>(n)].x, 105 + 38 * n, kTolerance);
    EXPECT_NEAR(words[static_cast<std::size_t>(n)].y, 320, kTolerance);
  }
  EXPECT_EQ(words[3].text, QStringLiteral("2/3"));
  EXPECT_NEAR(words[3].x, 100, kTolerance);
  EXPECT_NEAR(words[3].y, 1010, kTolerance);
}

TEST_F(SlipPrinterTest, PrintingIntoAFileKeepsEverySlipInAFileOfItsOwn) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setFullPage(true);
  const QString chosen = QString::fromStdString(dir.path() + "Scheine.pdf");
  printer.setOutputFileName(chosen);
  const QStringList files = {chosen, QString::fromStdString(dir.path() + "Scheine-2.pdf"),
                             QString::fromStdString(dir.path() + "Scheine-3.pdf")};
  {
    kw::SamePrinterJobs jobs(printer);
    for (int j = 1; j <= 3; ++j) {
      QPrinter* p = jobs.printerForJob(j);
      ASSERT_EQ(p, &printer);
      ASSERT_TRUE(kw::PrintSlip(*p, {{kw::kSlipNumberPosition, std::to_string(j) + "/3"}}, 0, 0));
    }
  }
  for (int j = 1; j <= 3; ++j) {
    const auto words = ReadPrintedWords(files[j - 1]);
    ASSERT_EQ(words.size(), 1u) << files[j - 1].toStdString();
    EXPECT_EQ(words[0].text, QStringLiteral("%1/3").arg(j));
  }
  EXPECT_EQ(printer.outputFileName(), chosen);  // the next run starts from the user's name again
}

}  // namespace
}  // namespace kwtest
