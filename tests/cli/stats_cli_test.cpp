// "kugelwerk-cli stats" on the real history: output lines, period choice, messages, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/csv_import.h"
#include "core/records.h"
#include "support/temp_dir.h"

namespace {

struct CliRun {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream ss(text);
  for (std::string line; std::getline(ss, line);) lines.push_back(line);
  return lines;
}

const std::string kInvalidPeriod =
    "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\n\nIch breche erst einmal ab.\n";

class CliStats : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto parsed = kw::ParseDrawsCsv(Slurp(kwtest::HistoryDataFile("draws.csv")));
    ASSERT_TRUE(parsed) << parsed.error().message;
    draws_ = *parsed;
    std::filesystem::create_directories(dataDir());
    kwtest::WriteBytes(dataDir() + "GZahlen.emz", kw::EncodeRecords(draws_));
  }
  std::string dataDir() const { return dir_.path() + "data/"; }
  CliRun run(const std::vector<std::string>& args) {
    std::string cmd = Quote(KW_CLI) + " --data-dir " + Quote(dataDir());
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " </dev/null >" + Quote(dir_.file("stdout")) + " 2>" + Quote(dir_.file("stderr"));
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_.file("stdout")), Slurp(dir_.file("stderr"))};
  }
  kwtest::TempDir dir_;
  std::vector<kw::TGewZahlen> draws_;
};

TEST_F(CliStats, WholeHistoryInNumberOrder) {
  ASSERT_EQ(draws_.size(), 1974u);
  const CliRun r = run({"stats"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  // Counted here draw by draw, number by number.
  std::string expected = "Häufigkeit der Gewinnzahlen in 1974 Gewinnreihen vom 13.02.2004 bis 21.08.2026\n";
  int mainSum = 0, starSum = 0;
  for (int n = 1; n <= 50; ++n) {
    int count = 0;
    for (const auto& d : draws_) count += static_cast<int>(std::count(d.GZ.begin(), d.GZ.end(), n));
    mainSum += count;
    expected += "Z\t" + std::to_string(n) + "\t" + std::to_string(count) + "\n";
  }
  for (int s = 1; s <= 12; ++s) {
    int count = 0;
    for (const auto& d : draws_) count += static_cast<int>(std::count(d.SZ.begin(), d.SZ.end(), s));
    starSum += count;
    expected += "S\t" + std::to_string(s) + "\t" + std::to_string(count) + "\n";
  }
  EXPECT_EQ(mainSum, 5 * 1974);
  EXPECT_EQ(starSum, 2 * 1974);
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(run({"stats", "--order", "number", "--from", "13.02.2004", "--to", "21.08.2026"}).out, expected);
}

TEST_F(CliStats, FrequencyOrderIsTheNumberOrderSortedDescending) {
  const auto byNumber = Lines(run({"stats"}).out);
  const CliRun r = run({"stats", "--order", "frequency"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 63u);
  EXPECT_EQ(lines[0], byNumber[0]);
  // Same lines per group, ordered by value descending, ties by number ascending.
  struct Entry {
    char group;
    int number, value;
  };
  auto entries = [](const std::vector<std::string>& ls) {
    std::vector<Entry> e;
    for (std::size_t i = 1; i < ls.size(); ++i) {
      Entry x{};
      std::sscanf(ls[i].c_str(), "%c\t%d\t%d", &x.group, &x.number, &x.value);
      e.push_back(x);
    }
    return e;
  };
  std::vector<Entry> expected = entries(byNumber);
  std::stable_sort(expected.begin(), expected.end(),
                   [](const Entry& a, const Entry& b) {
                     const bool aMain = a.group == 'Z', bMain = b.group == 'Z';
                     return aMain != bMain ? aMain : a.value > b.value;
                   });
  const std::vector<Entry> got = entries(lines);
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].group, expected[i].group) << i;
    EXPECT_EQ(got[i].number, expected[i].number) << i;
    EXPECT_EQ(got[i].value, expected[i].value) << i;
  }
}

// 13.02.2004: 16 29 32 36 41 / 7 9;  20.02.2004: 7 13 39 47 50 / 2 5.
TEST_F(CliStats, AbsenceOfTheFirstTwoDraws) {
  const CliRun r = run({"stats", "--order", "absence", "--from", "13.02.2004", "--to", "20.02.2004"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string expected = "Häufigkeit der Gewinnzahlen in 2 Gewinnreihen vom 13.02.2004 bis 20.02.2004\n";
  const std::vector<int> second = {7, 13, 39, 47, 50}, first = {16, 29, 32, 36, 41};
  for (int n = 1; n <= 50; ++n)
    if (std::count(second.begin(), second.end(), n) + std::count(first.begin(), first.end(), n) == 0)
      expected += "Z\t" + std::to_string(n) + "\t2\n";
  for (int n : first) expected += "Z\t" + std::to_string(n) + "\t1\n";
  for (int n : second) expected += "Z\t" + std::to_string(n) + "\t0\n";
  for (int s : {1, 3, 4, 6, 8, 10, 11, 12}) expected += "S\t" + std::to_string(s) + "\t2\n";
  expected += "S\t7\t1\nS\t9\t1\nS\t2\t0\nS\t5\t0\n";
  EXPECT_EQ(r.out, expected);
}

TEST_F(CliStats, InvalidPeriodsAreRefused) {
  const std::vector<std::vector<std::string>> cases = {
      {"stats", "--from", "21.08.2026"},                       // one draw: the last
      {"stats", "--from", "20.02.2004", "--to", "20.02.2004"},  // one draw
      {"stats", "--from", "18.08.2026", "--to", "14.08.2026"},  // reversed
      {"stats", "--to", "13.02.2004", "--order", "absence"},    // one draw: the first
  };
  for (const auto& args : cases) {
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 1) << args[2];
    EXPECT_EQ(r.out, "") << args[2];
    EXPECT_EQ(r.err, kInvalidPeriod) << args[2];
  }
  EXPECT_EQ(run({"stats", "--from", "18.08.2026"}).exitCode, 0);  // the last two draws

  const CliRun noDraw = run({"stats", "--from", "14.02.2004"});
  EXPECT_EQ(noDraw.exitCode, 1);
  EXPECT_EQ(noDraw.err, "Für den 14.02.2004 ist keine Ausspielung gespeichert.\n\nIch breche erst einmal ab.\n");
}

TEST_F(CliStats, EmptyOrDamagedHistory) {
  std::filesystem::remove(dataDir() + "GZahlen.emz");
  const CliRun empty = run({"stats"});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, kInvalidPeriod);

  // Record 3 holds the number 51: refused, and the file is left exactly as it was.
  std::vector<kw::TGewZahlen> damaged(draws_.begin(), draws_.begin() + 5);
  damaged[2].GZ[4] = 51;
  const auto bytes = kw::EncodeRecords(damaged);
  kwtest::WriteBytes(dataDir() + "GZahlen.emz", bytes);
  const CliRun r = run({"stats"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Die Datei \"GZahlen.emz\" ist beschädigt: Datensatz 3 enthält kein gültiges Datum oder ungültige "
            "Zahlen.\n\nIch breche erst einmal ab.\n");
  EXPECT_EQ(kwtest::ReadBytes(dataDir() + "GZahlen.emz"), bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataDir()), std::filesystem::directory_iterator()), 1);
}

TEST_F(CliStats, WrongUsage) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"stats", "--order", "häufigkeit"}, {"stats", "--from"}, {"stats", "alles"}, {"stats", "--order"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("stats [--from DATUM] [--to DATUM] [--order number|frequency|absence]"), std::string::npos);
  }
}

}  // namespace
