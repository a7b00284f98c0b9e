// The downloaded history and quota files: checked whole, appended after the local last draw,
// merged by date. No network here; the same paths run against real servers in servers_test.
#include "update/downloads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "core/dates.h"
#include "real_history.h"

namespace kw::update {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes HistoryBytes(std::size_t n) { return EncodeRecords(kwtest::FirstRecords(kwtest::RealDraws(), n)); }

void SetDate(Bytes& bytes, std::size_t record, double day) {
  const auto bits = std::bit_cast<std::uint64_t>(day);
  for (int i = 0; i < 8; ++i) bytes[record * 16 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

struct DamageCase {
  const char* name;
  std::function<void(Bytes&)> damage;
  const char* problem;  // between the fixed beginning and end of the message
};

class DamagedHistory : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedHistory, IsRefusedWholeNamingTheFault) {
  Bytes server = HistoryBytes(5);
  GetParam().damage(server);
  const auto update = UpdateDraws(kwtest::FirstRecords(kwtest::RealDraws(), 2), server);
  ASSERT_FALSE(update);
  EXPECT_EQ(update.error().message, std::string("Die heruntergeladene Datei \"GZahlen.emz\" ist beschädigt: ") +
                                        GetParam().problem + "\r\rIch habe nichts übernommen.");
}

// Records 1..5 are the draws of 13.02., 20.02., 27.02., 05.03. and 12.03.2004.
INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedHistory,
    ::testing::Values(
        DamageCase{"NumberOutOfRange", [](Bytes& b) { b[2 * 16 + 12] = 51; },
                   "Datensatz 3 vom 27.02.2004 enthält die Zahl 51, erlaubt sind 1 bis 50."},
        DamageCase{"NumberZero", [](Bytes& b) { b[4 * 16 + 8] = 0; },
                   "Datensatz 5 vom 12.03.2004 enthält die Zahl 0, erlaubt sind 1 bis 50."},
        DamageCase{"NumberTwice", [](Bytes& b) { b[1 * 16 + 9] = b[1 * 16 + 8]; },
                   "Datensatz 2 vom 20.02.2004 enthält die Zahl 7 zweimal."},
        DamageCase{"StarOutOfRange", [](Bytes& b) { b[3 * 16 + 14] = 13; },
                   "Datensatz 4 vom 05.03.2004 enthält die Sternzahl 13, erlaubt sind 1 bis 12."},
        DamageCase{"StarTwice", [](Bytes& b) { b[0 * 16 + 14] = b[0 * 16 + 13]; },
                   "Datensatz 1 vom 13.02.2004 enthält die Sternzahl 7 zweimal."},
        DamageCase{"TruncatedRecord", [](Bytes& b) { b.resize(b.size() - 5); },
                   "Sie endet mit einem unvollständigen Datensatz (75 Bytes sind kein Vielfaches von 16)."},
        DamageCase{"DateNotADate", [](Bytes& b) { SetDate(b, 2, std::nan("")); },
                   "Datensatz 3 hat kein gültiges Datum."},
        DamageCase{"DateWithTimeOfDay", [](Bytes& b) { SetDate(b, 2, EncodeDate(2004, 2, 27) + 0.5); },
                   "Datensatz 3 hat kein gültiges Datum."},
        DamageCase{"DateRepeated", [](Bytes& b) { SetDate(b, 3, EncodeDate(2004, 2, 27)); },
                   "Datensatz 4 vom 27.02.2004 ist nicht später datiert als der Datensatz davor (vom 27.02.2004)."},
        DamageCase{"DatesDescending", [](Bytes& b) { SetDate(b, 1, EncodeDate(2004, 2, 6)); },
                   "Datensatz 2 vom 06.02.2004 ist nicht später datiert als der Datensatz davor (vom 13.02.2004)."}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(UpdateDraws, AppendsOnlyTheDrawsAfterTheLocalLastOne) {
  const auto& real = kwtest::RealDraws();
  struct Case {
    std::size_t local, server, appended;
  };
  for (const Case c : {Case{3, 5, 2}, Case{0, 5, 5}, Case{5, 5, 0}, Case{5, 3, 0}}) {
    const auto update = UpdateDraws(kwtest::FirstRecords(real, c.local), HistoryBytes(c.server));
    ASSERT_TRUE(update) << update.error().message;
    EXPECT_EQ(update->appended.size(), c.appended) << c.local << " local, " << c.server << " on the server";
    for (std::size_t i = 0; i < update->appended.size(); ++i) EXPECT_EQ(update->appended[i], real[c.local + i]);
    EXPECT_EQ(update->differing, 0);
    EXPECT_EQ(update->notice, "");
  }
}

// By index alone a shifted copy would append the local last draw again, or a draw out of order.
TEST(UpdateDraws, ServerCopyThatDoesNotLineUpIsRefused) {
  const auto& real = kwtest::RealDraws();
  const auto local = kwtest::FirstRecords(real, 4);

  std::vector<TGewZahlen> shifted(real.begin() + 1, real.begin() + 7);
  auto refused = UpdateDraws(local, EncodeRecords(shifted));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message,
            "Die heruntergeladene Datei \"GZahlen.emz\" passt nicht zu Ihren Gewinnzahlen: die 1. Ausspielung ist dort "
            "vom 20.02.2004, bei Ihnen vom 13.02.2004.\r\rIch habe nichts übernommen.");

  std::vector<TGewZahlen> gap = kwtest::FirstRecords(real, 7);
  gap.erase(gap.begin() + 2);
  refused = UpdateDraws(local, EncodeRecords(gap));
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().message.find("die 3. Ausspielung ist dort vom 05.03.2004, bei Ihnen vom 27.02.2004."),
            std::string::npos);
}

TEST(UpdateDraws, DifferingOldDrawStaysLocalAndItsDateIsNamed) {
  const auto& real = kwtest::RealDraws();
  const auto local = kwtest::FirstRecords(real, 4);
  auto server = kwtest::FirstRecords(real, 6);
  server[1].GZ[0] = 8;  // 20.02.2004: 7 13 39 47 50 on the real history
  // The same numbers in another order are the same draw.
  std::swap(server[2].GZ[0], server[2].GZ[4]);
  std::swap(server[2].SZ[0], server[2].SZ[1]);

  auto update = UpdateDraws(local, EncodeRecords(server));
  ASSERT_TRUE(update) << update.error().message;
  EXPECT_EQ(update->appended, std::vector<TGewZahlen>(real.begin() + 4, real.begin() + 6));
  EXPECT_EQ(update->differing, 1);
  EXPECT_EQ(update->notice,
            "Die Ausspielung vom 20.02.2004 steht auf dem Server mit anderen Zahlen als bei Ihnen (auf dem Server 8 13 "
            "39 47 50 + 2 5, bei Ihnen 7 13 39 47 50 + 2 5). Ihre Zahlen bleiben unverändert.");

  server[3].SZ[1] = 12;
  update = UpdateDraws(local, EncodeRecords(server));
  ASSERT_TRUE(update);
  EXPECT_EQ(update->differing, 2);
  EXPECT_TRUE(StartsWith(update->notice, "2 Ausspielungen stehen auf dem Server mit anderen Zahlen als bei Ihnen, die "
                                         "erste ist die vom 20.02.2004 (auf dem Server 8 13"))
      << update->notice;
}

TEST(UpdateDraws, UnsavedNewDrawBlocksTheUpdate) {
  auto local = kwtest::FirstRecords(kwtest::RealDraws(), 3);
  TGewZahlen pending;
  pending.datum = EncodeDate(2004, 3, 5);
  local.push_back(pending);
  const auto refused = UpdateDraws(local, HistoryBytes(6));
  ASSERT_FALSE(refused);
  EXPECT_TRUE(StartsWith(refused.error().message, "Die neue Ausspielung ist noch nicht vollständig gespeichert."));
}

TQuoten Quota(double day, float firstAmount, float rest = 10.0f) {
  TQuoten q;
  q.datum = day;
  q.q.fill(rest);
  q.q[0] = firstAmount;
  return q;
}

TEST(UpdateQuotas, MergedByDateServerAmountsWinMissingOnesKeepTheLocal) {
  const auto& real = kwtest::RealDraws();
  const auto draws = kwtest::FirstRecords(real, 4);
  const double d0 = draws[0].datum, d1 = draws[1].datum, d2 = draws[2].datum, d3 = draws[3].datum;
  const double ahead = d3 + 4;  // a draw day typed in ahead of the history
  std::vector<TQuoten> local = {Quota(d0, 100), Quota(d1, 200), Quota(d2, 300), Quota(ahead, 900)};
  local[1].reserved = {1, 2, 3, 4};
  // The server lacks the first draw (a copy shifted by one), knows class 1 of d1 better, lacks
  // class 1 of d2, has the newest draw d3, the day kept ahead and a draw the history lacks.
  std::vector<TQuoten> server = {Quota(d1, 250, 20), Quota(d2, -1.0f, 30), Quota(d3, 400, 40), Quota(ahead, 8, 8),
                                 Quota(ahead + 3, 7, 7)};

  const auto update = UpdateQuotas(draws, local, EncodeRecords(server));
  ASSERT_TRUE(update) << update.error().message;
  ASSERT_EQ(update->merged.size(), 5u);
  EXPECT_EQ(update->merged[0], local[0]);
  EXPECT_EQ(update->merged[1].datum, d1);
  EXPECT_EQ(update->merged[1].q[0], 250.0f);
  EXPECT_EQ(update->merged[1].q[5], 20.0f);
  EXPECT_EQ(update->merged[1].reserved, local[1].reserved);
  EXPECT_EQ(update->merged[2].q[0], 300.0f) << "a missing server amount keeps the local one";
  EXPECT_EQ(update->merged[2].q[1], 30.0f);
  EXPECT_EQ(update->merged[3], server[2]);
  EXPECT_EQ(update->merged[4], server[3]);
  EXPECT_TRUE(update->changed);
  EXPECT_EQ(update->taken, 4);

  // The same download again changes nothing.
  const auto again = UpdateQuotas(draws, update->merged, EncodeRecords(server));
  ASSERT_TRUE(again);
  EXPECT_FALSE(again->changed);
  EXPECT_EQ(again->merged, update->merged);
}

TEST(UpdateQuotas, DrawsWithoutAnyAmountGetMissingRecords) {
  const auto draws = kwtest::FirstRecords(kwtest::RealDraws(), 3);
  const auto update = UpdateQuotas(draws, {}, EncodeRecords(std::vector<TQuoten>{Quota(draws[1].datum, 5)}));
  ASSERT_TRUE(update);
  ASSERT_EQ(update->merged.size(), 3u);
  for (std::size_t i : {0u, 2u}) {
    EXPECT_EQ(update->merged[i].datum, draws[i].datum);
    for (float a : update->merged[i].q) EXPECT_EQ(a, -1.0f);
  }
}

TEST(UpdateQuotas, DamagedQuotaFilesAreRefusedWhole) {
  const auto draws = kwtest::FirstRecords(kwtest::RealDraws(), 3);
  const std::vector<TQuoten> good = kwtest::FirstRecords(kwtest::RealQuotas(), 3);
  struct Case {
    const char* name;
    std::function<void(std::vector<TQuoten>&)> damage;
    std::size_t cutBytes;
    const char* problem;
  };
  const Case cases[] = {
      {"partial record", [](auto&) {}, 1,
       "Sie endet mit einem unvollständigen Datensatz (191 Bytes sind kein Vielfaches von 64)."},
      {"negative amount", [](auto& q) { q[1].q[4] = -5.0f; }, 0,
       "Datensatz 2 vom 20.02.2004 enthält für Gewinnklasse 5 keinen gültigen Betrag."},
      {"amount not a number", [](auto& q) { q[2].q[12] = std::nanf(""); }, 0,
       "Datensatz 3 vom 27.02.2004 enthält für Gewinnklasse 13 keinen gültigen Betrag."},
      {"amount beyond any jackpot", [](auto& q) { q[0].q[0] = 5.0e9f; }, 0,
       "Datensatz 1 vom 13.02.2004 enthält für Gewinnklasse 1 keinen gültigen Betrag."},
      {"dates descending", [](auto& q) { std::swap(q[1].datum, q[2].datum); }, 0,
       "Datensatz 3 vom 20.02.2004 ist nicht später datiert als der Datensatz davor (vom 27.02.2004)."},
  };
  for (const Case& c : cases) {
    std::vector<TQuoten> records = good;
    c.damage(records);
    Bytes bytes = EncodeRecords(records);
    bytes.resize(bytes.size() - c.cutBytes);
    const auto refused = UpdateQuotas(draws, good, bytes);
    ASSERT_FALSE(refused) << c.name;
    EXPECT_EQ(refused.error().message, std::string("Die heruntergeladene Datei \"EMQuoten.emq\" ist beschädigt: ") +
                                           c.problem + "\r\rIch habe nichts übernommen.")
        << c.name;
  }
}

}  // namespace
}  // namespace kw::update
