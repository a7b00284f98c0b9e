#include "core/quota_entry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/quota_store.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(AmountField, LeavingAFieldWritesTwoDecimalsWithoutGrouping) {
  struct Case {
    const char* typed;
    const char* shown;
    bool valid;
  };
  const Case cases[] = {
      {"1.248,5", "1248,50", true},
      {"-3", "-3,00", true},
      {"12,3,4", kInvalidAmountText, false},
      {"", "", true},
      {"   ", "", true},
      {"67951355,20 ", "67951355,20", true},
      {"+12", "12,00", true},
      {"1 234,5 \xE2\x82\xAC", "1234,50", true},
      // Copied from web pages: non-breaking and narrow blanks between digits and before the euro.
      {"1\xC2\xA0" "234,56\xE2\x80\xAF\xE2\x82\xAC", "1234,56", true},
      {",5", "0,50", true},
      {"7,", "7,00", true},
      {"--5", kInvalidAmountText, false},
      {"-", "", true},
      {"12a", kInvalidAmountText, false},
      {kInvalidAmountText, kInvalidAmountText, false},
  };
  for (const Case& c : cases) {
    const NormalisedAmount out = NormaliseAmountText(c.typed);
    EXPECT_EQ(out.text, c.shown) << c.typed;
    EXPECT_EQ(out.valid, c.valid) << c.typed;
  }
}

TEST(AmountField, KeyFilterTakesDigitsSeparatorsAndOneCommaBeforeTheCaret) {
  struct Case {
    const char16_t* text;
    std::size_t caret;
    char16_t key;
    bool accepted;
  };
  const Case cases[] = {
      {u"", 0, u'7', true},      {u"12", 2, u'.', true},    {u"12", 2, u',', true},
      {u"12", 2, u'\b', true},   {u"12", 2, u'a', false},   {u"12", 2, u'-', false},
      {u"12", 2, u'+', false},   {u"12", 2, u'\u20AC', false},
      {u"", 0, u' ', false},     {u"12", 0, u' ', false},   {u"12", 1, u' ', true},
      // "12,5": the comma stands at position 3 (from 1); a caret at 3 or behind it is refused.
      {u"12,5", 4, u',', false}, {u"12,5", 3, u',', false}, {u"12,5", 2, u',', true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AmountKeyAccepted(c.text, c.caret, c.key), c.accepted)
        << std::u16string(c.text).size() << " caret " << c.caret << " key " << static_cast<int>(c.key);
}

TEST(QuotaText, SampleWithColumnThreeFillsEveryClassInOrder) {
  const QuotaTextImport import = ImportQuotaText(QuotaTextSample(), 3);
  ASSERT_FALSE(import.error);
  ASSERT_EQ(import.amounts.size(), 13u);
  // The blank before "EUR" stays until the field is left.
  EXPECT_EQ(import.amounts[0], "67951355,20 ");
  EXPECT_EQ(import.amounts[12], "3,90 ");
  EXPECT_EQ(NormaliseAmountText(import.amounts[0]).text, "67951355,20");
}

TEST(QuotaText, ImportCases) {
  struct Case {
    const char* name;
    std::string text;
    int column;
    std::vector<std::string> amounts;
    const char* error;  // part of the message, nullptr when none
  };
  const Case cases[] = {
      {"column 4 of three fields stops at line 1", QuotaTextSample(), 4, {}, "Listenindex außerhalb des gültigen Bereichs (3)"},
      {"a short line in between stops there", "a\t1,00 Euro\nb\t2\nc", 2, {"1,00 ", "2"}, "Zeile 3 des Textfelds hat keine Spalte 2"},
      {"currency words in any case and dots go", "x\t1.234,50 EURO\ny\t\xE2\x82\xAC 7,5\nz\t8 eur", 2,
       {"1234,50 ", " 7,5", "8 "}, nullptr},
      {"blanks and control characters at both ends go", "x\t \x01" "5,00\x7F \t", 2, {"5,00"}, nullptr},
      {"CR LF and a final line break", "a\t1\r\nb\t2\r\n", 2, {"1", "2"}, nullptr},
      {"empty lines at the end do not count", "a\t1\n\n  \n" + std::string(14, '\n'), 2, {"1"}, nullptr},
  };
  for (const Case& c : cases) {
    const QuotaTextImport import = ImportQuotaText(c.text, c.column);
    EXPECT_EQ(import.amounts, c.amounts) << c.name;
    if (c.error) {
      ASSERT_TRUE(import.error) << c.name;
      EXPECT_NE(import.error->message.find(c.error), std::string::npos) << c.name << ": " << import.error->message;
    }
  }
  std::string fourteen;
  for (int i = 0; i < 14; ++i) fourteen += "GK\t1,00\n";
  const QuotaTextImport tooMany = ImportQuotaText(fourteen, 2);
  EXPECT_TRUE(tooMany.amounts.empty());
  ASSERT_TRUE(tooMany.error);
  EXPECT_NE(tooMany.error->message.find("14 Zeilen"), std::string::npos);
}

// Draw days as EuroMillions has them: Friday 13.02.2004, then Tuesdays and Fridays.
std::vector<TGewZahlen> Draws(int n, double first = kFirstDrawDay) {
  std::vector<TGewZahlen> draws;
  double day = first;
  for (int i = 0; i < n; ++i) {
    TGewZahlen d;
    d.datum = day;
    d.GZ = {1, 2, 3, 4, 5};
    d.SZ = {1, 2};
    draws.push_back(d);
    day += DayOfWeek(day) == kFriday ? 4 : 3;
  }
  return draws;
}

TQuoten Real(double day, float jackpot) {
  TQuoten r;
  r.datum = day;
  for (int k = 1; k <= kClassCount; ++k) r.amount(k) = jackpot / static_cast<float>(k * k);
  return r;
}

TQuoten Standard(double day) {
  TQuoten r;
  r.datum = day;
  const auto& defaults = IsCurrentOrder(day) ? DefaultQuotasNew : DefaultQuotasOld;
  for (int k = 1; k <= kClassCount; ++k) r.amount(k) = defaults[static_cast<std::size_t>(k)];
  return r;
}

class QuotaLoad : public ::testing::Test {
 protected:
  void SetUp() override { s.DataDir = dir.path(); }
  std::string path() const { return dir.file(kQuotasFileName); }
  void writeFile(const std::vector<TQuoten>& records) { kwtest::WriteBytes(path(), EncodeRecords(records)); }
  kwtest::TempDir dir;
  DataSet s;
};

TEST_F(QuotaLoad, DroppingStandardAmountsOrDaysWithoutDrawRewritesTheFileWithoutCopy) {
  s.Draws = Draws(6);
  std::vector<TQuoten> records;
  records.push_back(Real(s.Draws[0].datum - 1, 5e6f));  // before the first draw: nobody's amounts
  for (const auto& d : s.Draws) records.push_back(Real(d.datum, 1e7f));
  records.insert(records.begin() + 3, Real(s.Draws[1].datum + 1, 9e6f));  // a Saturday in between
  records.push_back(Standard(s.Draws.back().datum + 3));  // standard amounts after the last draw
  writeFile(records);

  const auto notice = LoadQuotasKeepingAmounts(s);
  ASSERT_TRUE(notice) << notice.error().message;
  EXPECT_EQ(*notice, "");
  ASSERT_EQ(s.Quotas.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(s.Quotas[i].datum, s.Draws[i].datum);
  EXPECT_EQ(kwtest::ReadBytes(path()), EncodeRecords(s.Quotas));
  EXPECT_FALSE(FileExists(path() + ".sicherung"));
}

TEST_F(QuotaLoad, AmountsOfDrawsThatNoLongerMatchAreKeptInACopyBeforeTheRewrite) {
  s.Draws = Draws(12);
  std::vector<TQuoten> records;
  for (const auto& d : s.Draws) records.push_back(Real(d.datum, 1e7f));
  records.erase(records.begin() + 9);  // the 10th record is missing: the 10th..12th draws lose theirs
  records.push_back(Real(s.Draws.back().datum + 4, 2e7f));  // typed ahead for the next draw
  writeFile(records);
  const auto before = kwtest::ReadBytes(path());

  const auto notice = LoadQuotasKeepingAmounts(s);
  ASSERT_TRUE(notice) << notice.error().message;
  EXPECT_EQ(s.Quotas.size(), 9u);
  EXPECT_NE(notice->find("die Quoten von 3 Ausspielungen"), std::string::npos) << *notice;
  EXPECT_NE(notice->find(DateText(s.Draws[10].datum)), std::string::npos) << *notice;
  EXPECT_NE(notice->find("\"EMQuoten.emq.sicherung\""), std::string::npos) << *notice;
  EXPECT_EQ(kwtest::ReadBytes(path() + ".sicherung"), before);
  EXPECT_EQ(kwtest::ReadBytes(path()), EncodeRecords(s.Quotas));

  // The next start finds an aligned file: nothing to report, the copy stays as it is.
  DataSet again;
  again.DataDir = dir.path();
  again.Draws = s.Draws;
  const auto second = LoadQuotasKeepingAmounts(again);
  ASSERT_TRUE(second);
  EXPECT_EQ(*second, "");
  EXPECT_EQ(kwtest::ReadBytes(path() + ".sicherung"), before);

  // A second loss later does not overwrite the first copy.
  writeFile(records);
  const auto third = LoadQuotasKeepingAmounts(again);
  ASSERT_TRUE(third);
  EXPECT_NE(third->find("\"EMQuoten.emq.sicherung.1\""), std::string::npos) << *third;
}

TEST_F(QuotaLoad, WithoutHistoryEveryRealAmountCountsAndTheFileIsKeptWhole) {
  std::vector<TQuoten> records;
  for (const auto& d : Draws(4)) records.push_back(Real(d.datum, 1e7f));
  writeFile(records);
  const auto notice = LoadQuotasKeepingAmounts(s);
  ASSERT_TRUE(notice);
  EXPECT_TRUE(s.Quotas.empty());
  EXPECT_NE(notice->find("4 Ausspielungen"), std::string::npos);
  EXPECT_EQ(kwtest::ReadBytes(path() + ".sicherung"), EncodeRecords(records));
}

TEST_F(QuotaLoad, NoFileCreatesNone) {
  s.Draws = Draws(3);
  const auto notice = LoadQuotasKeepingAmounts(s);
  ASSERT_TRUE(notice);
  EXPECT_EQ(*notice, "");
  EXPECT_FALSE(FileExists(path()));
}

TEST(DefaultQuotas, FollowTheHistoryThenEveryDrawDayUpToYesterday) {
  // Fridays only before 10.05.2011, as the real history has them, and one draw on a Wednesday.
  DataSet s;
  const double firstTuesdayDraws = EncodeDate(2011, 5, 10);
  for (double d = kFirstDrawDay; d < EncodeDate(2016, 10, 1); d += 1) {
    const int w = DayOfWeek(d);
    if (w == kFriday || (w == kTuesday && d >= firstTuesdayDraws)) {
      TGewZahlen draw;
      draw.datum = d;
      s.Draws.push_back(draw);
    }
  }
  s.Draws.insert(s.Draws.begin() + 3, TGewZahlen{});
  s.Draws[3].datum = s.Draws[2].datum + 5;  // a Wednesday
  const double today = EncodeDate(2016, 10, 7);  // a Friday: records up to Tuesday 04.10.
  MakeDefaultQuotasForHistory(s, today);
  ASSERT_EQ(s.Quotas.size(), s.Draws.size() + 1);
  for (std::size_t i = 0; i < s.Draws.size(); ++i) ASSERT_EQ(s.Quotas[i].datum, s.Draws[i].datum) << i;
  EXPECT_EQ(s.Quotas.back().datum, EncodeDate(2016, 10, 4));
  auto at = [&](int y, int m, int d) {
    for (const TQuoten& r : s.Quotas)
      if (r.datum == EncodeDate(y, m, d)) return r;
    ADD_FAILURE() << d << "." << m << "." << y;
    return TQuoten{};
  };
  EXPECT_EQ(at(2016, 9, 23).amount(6), DefaultQuotasOld[6]);
  EXPECT_EQ(at(2016, 9, 27).amount(6), DefaultQuotasNew[6]);

  // Without a history: every Tuesday and Friday since the first draw.
  DataSet empty;
  MakeDefaultQuotasForHistory(empty, today);
  DataSet plain;
  MakeDefaultQuotas(plain, today);
  EXPECT_EQ(empty.Quotas, plain.Quotas);
  // A store that has records is left alone.
  MakeDefaultQuotasForHistory(s, today + 100);
  EXPECT_EQ(s.Quotas.back().datum, EncodeDate(2016, 10, 4));
}

}  // namespace
}  // namespace kw
