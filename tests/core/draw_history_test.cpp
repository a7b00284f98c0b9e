#include "core/draw_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/dates.h"
#include "core/file_io.h"
#include "support/draws.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using kwtest::MakeDraw;

struct HistoryDir {
  kwtest::TempDir dir;
  DataSet state;
  HistoryDir() { state.DataDir = dir.path(); }
  std::string file() const { return dir.file(kDrawsFileName); }
  void write(const std::vector<std::uint8_t>& bytes) const { kwtest::WriteBytes(file(), bytes); }
  std::vector<std::uint8_t> read() const { return kwtest::ReadBytes(file()); }
};

// The real history as 16-byte records.
std::vector<TGewZahlen> RealHistory() {
  std::ifstream in(kwtest::HistoryDataFile("draws.csv"));
  std::vector<TGewZahlen> draws;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    int d, m, y, g[5], s[2];
    if (std::sscanf(line.c_str(), "%d.%d.%d;%d;%d;%d;%d;%d;%d;%d", &d, &m, &y, &g[0], &g[1], &g[2], &g[3], &g[4],
                    &s[0], &s[1]) != 10)
      continue;
    TGewZahlen r;
    r.datum = EncodeDate(y, m, d);
    for (int i = 0; i < 5; ++i) r.GZ[i] = static_cast<std::uint8_t>(g[i]);
    for (int i = 0; i < 2; ++i) r.SZ[i] = static_cast<std::uint8_t>(s[i]);
    draws.push_back(r);
  }
  return draws;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(LoadDraws, MissingFileIsAnEmptyHistory) {
  HistoryDir h;
  h.state.Draws = {MakeDraw(2024, 3, 15)};
  ASSERT_TRUE(LoadDraws(h.state));
  EXPECT_TRUE(h.state.Draws.empty());
  EXPECT_EQ(HistoryHeadingText(h.state.Draws), "Noch keine Gewinnreihen vorhanden");
}

TEST(LoadDraws, ReadsWholeRecordsAndReportsATornEnd) {
  const std::vector<TGewZahlen> two = {MakeDraw(2024, 3, 15), MakeDraw(2024, 3, 19, {1, 2, 3, 4, 50}, {1, 12})};
  const auto twoBytes = EncodeRecords(two);
  struct Case {
    std::size_t size;
    std::size_t draws;
  };
  for (const Case c : {Case{0, 0}, Case{15, 0}, Case{16, 1}, Case{31, 1}, Case{32, 2}, Case{40, 2}}) {
    SCOPED_TRACE(c.size);
    HistoryDir h;
    std::vector<std::uint8_t> bytes = twoBytes;
    bytes.resize(c.size, 0xEE);  // a torn tail: never a whole record
    h.write(bytes);
    const auto loaded = LoadDraws(h.state);
    EXPECT_EQ(h.state.Draws, std::vector<TGewZahlen>(two.begin(), two.begin() + static_cast<long>(c.draws)));
    const bool torn = c.size % 16 != 0;
    ASSERT_EQ(loaded.ok(), !torn);
    EXPECT_EQ(FileExists(h.file() + ".defekt"), torn);
    if (torn) {
      EXPECT_TRUE(Contains(loaded.error().message, "Am Ende stehen " + std::to_string(c.size % 16) + " Bytes"))
          << loaded.error().message;
      EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt"), bytes);
    }
  }
}

TEST(LoadDraws, GarbageAfterGoodDrawsKeepsThemAndEveryByteOfTheRest) {
  HistoryDir h;
  const std::vector<TGewZahlen> good = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15), MakeDraw(2024, 3, 19)};
  std::vector<std::uint8_t> bytes = EncodeRecords(good);
  std::mt19937 rng(4711);
  while (bytes.size() < 1'000'003) bytes.push_back(static_cast<std::uint8_t>(rng()));
  bytes[3 * 16 + 7] = 0xFF;  // record 4's date is surely no date, whatever the random bytes say
  h.write(bytes);

  const auto loaded = LoadDraws(h.state);
  ASSERT_FALSE(loaded);
  EXPECT_EQ(h.state.Draws, good);
  const std::string& message = loaded.error().message;
  EXPECT_TRUE(Contains(message, "\"GZahlen.emz\" ist beschädigt")) << message;
  EXPECT_TRUE(Contains(message, "Ab Datensatz 4 von 62500 steht kein gültiges Datum mehr")) << message;
  EXPECT_TRUE(Contains(message, "Ich habe 3 Ausspielungen eingelesen")) << message;
  EXPECT_TRUE(Contains(message, "\"GZahlen.emz.defekt\" gesichert")) << message;
  EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt"), bytes);
  EXPECT_EQ(h.read(), bytes);  // loading never rewrites the history itself

  // The next save keeps every whole record it could not show.
  ASSERT_TRUE(StoreDraw(h.state, 0, MakeDraw(2024, 3, 12, {7, 8, 9, 10, 11})));
  std::vector<std::uint8_t> expected(bytes.begin(), bytes.end() - 3);
  expected[8] = 7, expected[9] = 8, expected[10] = 9, expected[11] = 10, expected[12] = 11;
  EXPECT_EQ(h.read(), expected);
}

TEST(LoadDraws, GarbageFromTheFirstByteGivesAnEmptyHistory) {
  HistoryDir h;
  std::vector<std::uint8_t> bytes(1'000'000);
  std::mt19937 rng(17);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  bytes[7] = 0xFF;
  h.write(bytes);
  const auto loaded = LoadDraws(h.state);
  ASSERT_FALSE(loaded);
  EXPECT_TRUE(h.state.Draws.empty());
  EXPECT_TRUE(Contains(loaded.error().message, "Ab Datensatz 1 ")) << loaded.error().message;
  EXPECT_TRUE(Contains(loaded.error().message, "Ich habe 0 Ausspielungen")) << loaded.error().message;
  EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt"), bytes);
}

TEST(LoadDraws, HoldsBadRecordsAndShowsEveryDrawAroundThem) {
  struct Case {
    const char* what;
    TGewZahlen third;
    bool stop;  // the date cannot be a date: nothing from there on is shown
  };
  auto with = [](auto change) {
    TGewZahlen d = MakeDraw(2024, 3, 19);
    change(d);
    return d;
  };
  const Case cases[] = {
      {"main number 0", with([](TGewZahlen& d) { d.GZ[0] = 0; }), false},
      {"main number 51", with([](TGewZahlen& d) { d.GZ[4] = 51; }), false},
      {"main number 255", with([](TGewZahlen& d) { d.GZ[2] = 255; }), false},
      {"star 0", with([](TGewZahlen& d) { d.SZ[0] = 0; }), false},
      {"star 13", with([](TGewZahlen& d) { d.SZ[1] = 13; }), false},
      {"repeated main number", with([](TGewZahlen& d) { d.GZ[3] = d.GZ[1]; }), false},
      {"repeated star", with([](TGewZahlen& d) { d.SZ[1] = d.SZ[0]; }), false},
      {"same date as before", with([](TGewZahlen& d) { d.datum = EncodeDate(2024, 3, 15); }), false},
      {"date before the one before", with([](TGewZahlen& d) { d.datum = EncodeDate(2024, 3, 12); }), false},
      {"zero record", TGewZahlen{}, true},
      {"fraction of a day", with([](TGewZahlen& d) { d.datum += 0.5; }), true},
      {"NaN date", with([](TGewZahlen& d) { d.datum = std::numeric_limits<double>::quiet_NaN(); }), true},
      {"infinite date", with([](TGewZahlen& d) { d.datum = std::numeric_limits<double>::infinity(); }), true},
      {"date after 9999", with([](TGewZahlen& d) { d.datum = 1e9; }), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HistoryDir h;
    const std::vector<TGewZahlen> records = {MakeDraw(2024, 3, 8), MakeDraw(2024, 3, 15), c.third, MakeDraw(2024, 3, 22)};
    const auto bytes = EncodeRecords(records);
    h.write(bytes);
    const auto loaded = LoadDraws(h.state);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().kind, ErrorKind::Io);
    const std::string& message = loaded.error().message;
    if (c.stop) {
      EXPECT_TRUE(Contains(message, "Ab Datensatz 3 von 4 steht kein gültiges Datum mehr")) << message;
      EXPECT_EQ(h.state.Draws, std::vector<TGewZahlen>(records.begin(), records.begin() + 2));
    } else {
      EXPECT_TRUE(Contains(message, "Datensatz 3 enthält ungültige Zahlen oder ein Datum außer der Reihe")) << message;
      EXPECT_EQ(h.state.Draws, (std::vector<TGewZahlen>{records[0], records[1], records[3]}));
    }
    EXPECT_EQ(h.state.HeldDraws.size(), c.stop ? 2u : 1u);
    // Nothing of the file is lost by saving it again.
    ASSERT_TRUE(SaveDraws(h.state));
    EXPECT_EQ(h.read(), bytes);
  }
}

// One swapped date hid every later draw, and the next "Speichern" wrote 12 of 100 draws.
TEST(LoadDraws, ASwappedDateHidesOneDrawAndASaveKeepsAllHundred) {
  HistoryDir h;
  std::vector<TGewZahlen> draws;
  double day = EncodeDate(2024, 1, 2);
  for (int i = 0; i < 100; ++i) {
    TGewZahlen d = MakeDraw(2024, 1, 2);
    d.datum = day;
    d.GZ[0] = static_cast<std::uint8_t>(1 + i % 2);
    draws.push_back(d);
    day += DayOfWeek(day) == kTuesday ? 3 : 4;
  }
  std::swap(draws[11].datum, draws[12].datum);
  const auto bytes = EncodeRecords(draws);
  h.write(bytes);

  const auto loaded = LoadDraws(h.state);
  ASSERT_FALSE(loaded);
  EXPECT_TRUE(Contains(loaded.error().message, "Datensatz 13 enthält")) << loaded.error().message;
  ASSERT_EQ(h.state.Draws.size(), 99u);
  EXPECT_EQ(h.state.Draws.back(), draws.back());
  for (std::size_t i = 1; i < h.state.Draws.size(); ++i) EXPECT_LT(h.state.Draws[i - 1].datum, h.state.Draws[i].datum);

  // Correcting a draw rewrites the whole file, the held record in its place.
  TGewZahlen corrected = h.state.Draws[50];
  corrected.GZ = {5, 6, 7, 8, 9};
  ASSERT_TRUE(StoreDraw(h.state, 50, corrected));
  auto expected = draws;
  expected[51].GZ = corrected.GZ;  // draw 50 of the shown ones is record 51 of the file
  EXPECT_EQ(h.read(), EncodeRecords(expected));

  // A date far ahead in the middle hides that record only.
  auto future = draws;  // with the swapped dates
  future[40].datum = EncodeDate(9999, 12, 31);
  HistoryDir f;
  f.write(EncodeRecords(future));
  ASSERT_FALSE(LoadDraws(f.state));
  EXPECT_EQ(f.state.Draws.size(), 98u);
  ASSERT_EQ(f.state.HeldDraws.size(), 2u);
  EXPECT_EQ(f.state.HeldDraws[1].before, 39u);

  // A new draw goes after everything the file had.
  TGewZahlen next = MakeDraw(2024, 1, 2);
  next.datum = day;
  ASSERT_TRUE(StoreDraw(h.state, h.state.Draws.size(), next));
  expected.push_back(next);
  EXPECT_EQ(h.read(), EncodeRecords(expected));
}

TEST(LoadDraws, CopiesOfDamagedFilesAreNumberedAndNeverOverwritten) {
  HistoryDir h;
  std::vector<TGewZahlen> records = {MakeDraw(2024, 3, 8), MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
  records[1].SZ[0] = 13;
  const auto first = EncodeRecords(records);
  h.write(first);
  EXPECT_FALSE(LoadDraws(h.state));
  EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt"), first);

  // The same damage at the next start needs no second copy, even after a save changed the file.
  EXPECT_FALSE(LoadDraws(h.state));
  ASSERT_TRUE(StoreDraw(h.state, h.state.Draws.size(), MakeDraw(2024, 3, 19)));
  const auto loaded = LoadDraws(h.state);
  ASSERT_FALSE(loaded);
  EXPECT_TRUE(Contains(loaded.error().message, "\"GZahlen.emz.defekt\" gesichert")) << loaded.error().message;
  EXPECT_FALSE(FileExists(h.file() + ".defekt2"));

  // Other damage gets a copy of its own; the first copy stays as it was.
  records[2].GZ[0] = 0;
  const auto second = EncodeRecords(records);
  h.write(second);
  const auto again = LoadDraws(h.state);
  ASSERT_FALSE(again);
  EXPECT_TRUE(Contains(again.error().message, "\"GZahlen.emz.defekt2\" gesichert")) << again.error().message;
  EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt"), first);
  EXPECT_EQ(kwtest::ReadBytes(h.file() + ".defekt2"), second);
}

TEST(ReadDraws, ReportsDamageButWritesNothing) {
  HistoryDir h;
  std::vector<TGewZahlen> records = {MakeDraw(2024, 3, 8), MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
  records[1].GZ[0] = 51;
  auto bytes = EncodeRecords(records);
  bytes.push_back(0x11);
  h.write(bytes);
  const auto read = ReadDraws(h.state);
  ASSERT_FALSE(read);
  EXPECT_TRUE(Contains(read.error().message, "Datensatz 2 enthält")) << read.error().message;
  EXPECT_FALSE(Contains(read.error().message, "gesichert")) << read.error().message;
  EXPECT_EQ(h.state.Draws, (std::vector<TGewZahlen>{records[0], records[2]}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(LoadDraws, RefusesAFileTooLargeForAnyHistory) {
  HistoryDir h;
  h.state.Draws = {MakeDraw(2024, 3, 15)};
  h.write({});
  std::filesystem::resize_file(h.file(), kMaxDrawsFileBytes + 1);  // sparse: no 16 MB written
  const auto loaded = LoadDraws(h.state);
  ASSERT_FALSE(loaded);
  EXPECT_TRUE(Contains(loaded.error().message, "zu groß")) << loaded.error().message;
  EXPECT_TRUE(h.state.Draws.empty());
  EXPECT_EQ(std::filesystem::file_size(h.file()), kMaxDrawsFileBytes + 1);
  EXPECT_FALSE(FileExists(h.file() + ".defekt"));

  // The draw typed next must not replace the file that could not be read.
  const auto stored = StoreDraw(h.state, 0, MakeDraw(2024, 3, 15));
  ASSERT_FALSE(stored);
  EXPECT_TRUE(Contains(stored.error().message, "konnte beim Start nicht gelesen werden")) << stored.error().message;
  EXPECT_EQ(std::filesystem::file_size(h.file()), kMaxDrawsFileBytes + 1);
  EXPECT_TRUE(h.state.Draws.empty());
}

TEST(SaveDraws, RealHistoryRoundTripsByteForByte) {
  HistoryDir h;
  std::vector<TGewZahlen> draws = RealHistory();
  ASSERT_EQ(draws.size(), 1974u);
  // The filler byte means nothing but must survive a save.
  draws[0].filler = 0x5A;
  draws[1000].filler = 0xFF;
  const auto original = EncodeRecords(draws);
  h.write(original);
  ASSERT_TRUE(LoadDraws(h.state));
  ASSERT_EQ(h.state.Draws, draws);

  ASSERT_TRUE(SaveDraws(h.state));
  EXPECT_EQ(h.read(), original);
  // Storing a draw's own numbers again changes nothing, the filler byte included.
  ASSERT_TRUE(StoreDraw(h.state, 1000, draws[1000]));
  EXPECT_EQ(h.read(), original);
  EXPECT_EQ(HistoryHeadingText(h.state.Draws), "1974 Gewinnreihen vom 13.02.2004 bis 21.08.2026");
}

TEST(StoreDraw, AppendsOrCorrectsAndNeverShortensTheFile) {
  HistoryDir h;
  h.state.Draws = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
  ASSERT_TRUE(SaveDraws(h.state));

  TGewZahlen next = MakeDraw(2024, 3, 19);
  ASSERT_TRUE(StoreDraw(h.state, 2, next));
  // A correction keeps the stored date whatever the record brings.
  TGewZahlen corrected = MakeDraw(2030, 1, 1);
  corrected.GZ = {3, 9, 17, 28, 44};
  ASSERT_TRUE(StoreDraw(h.state, 0, corrected));

  const auto saved = DecodeDrawRecords(h.read());
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].datum, EncodeDate(2024, 3, 12));
  EXPECT_EQ(saved[0].GZ, corrected.GZ);
  EXPECT_EQ(saved[2], next);
  EXPECT_EQ(saved, h.state.Draws);
}

TEST(StoreDraw, RefusalsChangeNeitherFileNorMemory) {
  HistoryDir h;
  h.state.Draws = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
  ASSERT_TRUE(SaveDraws(h.state));
  const auto bytes = h.read();
  const auto before = h.state.Draws;
  TGewZahlen incomplete = MakeDraw(2024, 3, 19);
  incomplete.SZ[1] = incomplete.SZ[0];
  struct Case {
    const char* what;
    std::size_t index;
    TGewZahlen draw;
    const char* says;
  };
  const Case cases[] = {
      {"repeated star", 2, incomplete, "5 Gewinnzahlen und 2 Sternzahlen"},
      {"new draw not after the last", 2, MakeDraw(2024, 3, 15), "nach der letzten gespeicherten Ausspielung vom 15.03.2024"},
      {"beyond the end", 3, MakeDraw(2024, 3, 22), "gibt es nicht"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto stored = StoreDraw(h.state, c.index, c.draw);
    ASSERT_FALSE(stored);
    EXPECT_EQ(stored.error().kind, ErrorKind::Refused);
    EXPECT_TRUE(Contains(stored.error().message, c.says)) << stored.error().message;
    EXPECT_EQ(h.read(), bytes);
    EXPECT_EQ(h.state.Draws, before);
  }
}

TEST(StoreDraw, FullDiskKeepsOldFileAndHistoryInMemory) {
  HistoryDir h;
  const auto oldBytes = EncodeRecords(std::vector<TGewZahlen>{MakeDraw(2024, 3, 12)});
  h.write(oldBytes);
  h.state.Draws = {MakeDraw(2024, 3, 12)};
  const auto before = h.state.Draws;

  testing::SimulateDiskFullAfter(20);
  const auto saved = StoreDraw(h.state, 1, MakeDraw(2024, 3, 15));
  testing::SimulateDiskFullAfter(std::nullopt);

  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.error().kind, ErrorKind::Io);
  EXPECT_TRUE(Contains(saved.error().message, "\"GZahlen.emz\" kann nicht gespeichert werden")) << saved.error().message;
  EXPECT_TRUE(Contains(saved.error().message, "kein Platz")) << saved.error().message;
  EXPECT_EQ(h.read(), oldBytes);
  EXPECT_EQ(h.state.Draws, before);  // the new draw is still unsaved
}

#ifndef _WIN32
TEST(SaveDraws, ReadOnlyFolderKeepsOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  HistoryDir h;
  const auto oldBytes = EncodeRecords(std::vector<TGewZahlen>{MakeDraw(2024, 3, 12)});
  h.write(oldBytes);
  h.state.Draws = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
  ::chmod(h.dir.path().c_str(), 0500);
  const auto saved = SaveDraws(h.state);
  ::chmod(h.dir.path().c_str(), 0700);
  ASSERT_FALSE(saved);
  EXPECT_TRUE(Contains(saved.error().message, "Zugriff verweigert")) << saved.error().message;
  EXPECT_EQ(h.read(), oldBytes);
}
#endif

TEST(NextDrawDate, TuesdayToFridayAndFridayToTuesday) {
  const double tue19 = EncodeDate(2024, 3, 19), fri22 = EncodeDate(2024, 3, 22), tue26 = EncodeDate(2024, 3, 26);
  ASSERT_EQ(DayOfWeek(tue19), kTuesday);
  ASSERT_EQ(DayOfWeek(fri22), kFriday);
  struct Case {
    const char* what;
    double last, now;
    double step, date;
    bool inFuture;
  };
  const Case cases[] = {
      {"Tuesday, asked on Saturday", tue19, EncodeDate(2024, 3, 23) + 0.5, 3, fri22, false},
      {"Friday, asked on Wednesday", fri22, EncodeDate(2024, 3, 27) + 0.1, 4, tue26, false},
      {"Friday, asked on Monday evening", fri22, EncodeDate(2024, 3, 25) + 20.0 / 24, 4, tue26, true},
      {"Friday, asked at midnight of the draw day", fri22, tue26, 4, tue26, false},
      {"Tuesday, asked on the same day", tue19, tue19 + 0.9, 3, fri22, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const NextDraw next = NextDrawDate(c.last, c.now);
    EXPECT_EQ(next.step, c.step);
    EXPECT_EQ(next.date, c.date);
    EXPECT_EQ(next.inFuture, c.inFuture);
  }
}

TEST(PlanNewDraw, DatesTheDrawAfterACompleteLastDraw) {
  const std::vector<TGewZahlen> draws = {MakeDraw(2024, 3, 19), MakeDraw(2024, 3, 22)};
  const auto next = PlanNewDraw(draws, EncodeDate(2024, 3, 25) + 20.0 / 24);
  ASSERT_TRUE(next) << next.error().message;
  EXPECT_TRUE(next->inFuture);  // the clairvoyance message is due, the draw is planned all the same
  EXPECT_EQ(next->date, EncodeDate(2024, 3, 26));
}

TEST(PlanNewDraw, RefusesAfterAnIncompleteLastDraw) {
  const std::string message =
      "Bitte komplettieren Sie zunächst Ihre vorherigen Angaben.\r\rIch breche erst einmal ab.";
  auto lastWith = [](auto change) {
    std::vector<TGewZahlen> draws = {MakeDraw(2024, 3, 19), MakeDraw(2024, 3, 22)};
    change(draws.back());
    return draws;
  };
  struct Case {
    const char* what;
    std::vector<TGewZahlen> draws;
  };
  const Case cases[] = {
      {"zero record", lastWith([](TGewZahlen& d) { d.GZ = {}; d.SZ = {}; })},
      {"star 13", lastWith([](TGewZahlen& d) { d.SZ[1] = 13; })},
      {"main number 0", lastWith([](TGewZahlen& d) { d.GZ[0] = 0; })},
      {"repeated main number", lastWith([](TGewZahlen& d) { d.GZ[1] = d.GZ[0]; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto next = PlanNewDraw(c.draws, EncodeDate(2024, 3, 30));
    ASSERT_FALSE(next);
    EXPECT_EQ(next.error().kind, ErrorKind::Refused);
    EXPECT_EQ(next.error().message, message);
  }
  // Without any draw there is nothing to complete: the program says the history is empty.
  const auto empty = PlanNewDraw({}, EncodeDate(2024, 3, 30));
  ASSERT_FALSE(empty);
  EXPECT_EQ(empty.error().message, kNoDrawsMessage);
}

TEST(DrawTexts, RangeHeadingAndDateList) {
  DataSet s;
  s.Draws = {MakeDraw(2024, 3, 15), MakeDraw(2024, 3, 19)};
  EXPECT_EQ(DrawRangeText(s.Draws, 0, 1), "2 Gewinnreihen vom 15.03.2024 bis 19.03.2024");
  EXPECT_EQ(DrawRangeText(s.Draws, 1, 1), "1 Gewinnreihen vom 19.03.2024 bis 19.03.2024");
  EXPECT_EQ(HistoryHeadingText(s.Draws), "2 Gewinnreihen vom 15.03.2024 bis 19.03.2024");
  EXPECT_EQ(DrawDateTexts(s.Draws), (std::vector<std::string>{"15.03.2024", "19.03.2024"}));
}

}  // namespace
}  // namespace kw
