// The command-line tool as a user runs it: exit codes, exact output, exact messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

class Cli : public ::testing::Test {
 protected:
  CliRun run(const std::vector<std::string>& args, const std::string& input = {}) {
    std::ofstream(dir_.file("stdin")) << input;
    std::string cmd = Quote(KW_CLI) + " --data-dir " + Quote(dir_.path() + "data");
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " <" + Quote(dir_.file("stdin")) + " >" + Quote(dir_.file("stdout")) + " 2>" + Quote(dir_.file("stderr"));
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_.file("stdout")), Slurp(dir_.file("stderr"))};
  }
  std::string writeFile(const std::string& name, const std::string& text) {
    std::ofstream(dir_.file(name), std::ios::binary) << text;
    return dir_.file(name);
  }
  // A slip file from rows of seven numbers.
  std::string writeSlip(const std::string& name, const std::vector<std::vector<int>>& rows) {
    std::string bytes;
    for (const auto& r : rows)
      for (int v : r) bytes += static_cast<char>(v);
    return writeFile(name, bytes);
  }
  kwtest::TempDir dir_;
};

TEST_F(Cli, BinomialAndUsage) {
  EXPECT_EQ(run({"binomial", "50", "5"}).out, "2118760\n");
  const CliRun tooBig = run({"binomial", "5", "6"});
  EXPECT_EQ(tooBig.exitCode, 1);
  EXPECT_EQ(tooBig.err, "Die Zahl für \"n\" muss größer als die für \"k\" sein.\n\nIch breche erst einmal ab.\n");
  EXPECT_EQ(run({"binomial", "50"}).exitCode, 2);
  EXPECT_EQ(run({"binomial", "fünfzig", "5"}).exitCode, 2);
  EXPECT_EQ(run({}).exitCode, 2);
  EXPECT_EQ(run({"zaubern"}).exitCode, 2);
}

TEST_F(Cli, TipsPlacesSortedRowsAndRefusesBadStars) {
  const CliRun ok = run({"tips"}, "38,2,22,7,12,7,4\r\n2;7;12;22;38;4;7\n");
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  EXPECT_EQ(ok.out, "2,7,12,22,38,4,7\n2,7,12,22,38,4,7\n");

  const CliRun bad = run({"tips"}, "1,2,3,4,5,6,13");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "In Zeile 1 ist die 7. Zahl, die 13, keine gültige Sternzahl.\n\n"
            "Die beiden Sternzahlen sind aus der Zahlenreihe 1 bis 12 zu wählen.\n\n"
            "Ich breche erst einmal ab.\n");
}

TEST_F(Cli, TipsBlanksQuestionAnswers) {
  EXPECT_EQ(run({"tips", "--blanks", "yes"}, "2  7 12 22 38 4 7").out, "2,7,12,22,38,4,7\n");
  const CliRun no = run({"tips", "--blanks", "no"}, "2  7 12 22 38 4 7");
  EXPECT_EQ(no.exitCode, 1);
  EXPECT_NE(no.err.find("In Zeile 1 kann ich keine sieben Zahlen ausmachen."), std::string::npos);
  EXPECT_EQ(run({"tips"}, "2  7 12 22 38 4 7").exitCode, 1);  // unanswered counts as cancel
}

TEST_F(Cli, TipsOutWritesSlipFile) {
  const std::string slip = dir_.file("neu.emt");
  ASSERT_EQ(run({"tips", "--out", slip}, "38,2,22,7,12,7,4\n1,2,3,4,50,11,12\n").exitCode, 0);
  EXPECT_EQ(kwtest::ReadBytes(slip), (std::vector<std::uint8_t>{2, 7, 12, 22, 38, 4, 7, 1, 2, 3, 4, 50, 11, 12}));
}

TEST_F(Cli, ImportThenListRealHistory) {
  const CliRun imported = run({"import-draws", kwtest::HistoryDataFile("draws.csv")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_NE(imported.out.find("1974"), std::string::npos);
  ASSERT_EQ(run({"import-quotas", kwtest::HistoryDataFile("quotas.csv")}).exitCode, 0);
  const CliRun draws = run({"draws"});
  EXPECT_EQ(draws.out.substr(0, draws.out.find('\n') + 1), "13.02.2004\t16 29 32 36 41\t7 9\n");
  EXPECT_EQ(std::count(draws.out.begin(), draws.out.end(), '\n'), 1974);
  // A second import adds nothing and leaves the history as it was.
  const auto before = kwtest::ReadBytes(dir_.path() + "data/GZahlen.emz");
  EXPECT_EQ(run({"import-draws", kwtest::HistoryDataFile("draws.csv")}).exitCode, 0);
  EXPECT_EQ(kwtest::ReadBytes(dir_.path() + "data/GZahlen.emz"), before);
}

// "draws" and "evaluate" once left a ".defekt" copy of a damaged history in the data folder.
TEST_F(Cli, ReadingCommandsWriteNothingIntoTheDataFolder) {
  ASSERT_EQ(run({"import-draws", kwtest::HistoryDataFile("draws.csv")}).exitCode, 0);
  const std::string history = dir_.path() + "data/GZahlen.emz";
  auto bytes = kwtest::ReadBytes(history);
  bytes[5 * 16 + 8] = 51;  // draw 6 gets a main number out of range
  bytes.push_back(0x42);   // and the file a torn end
  kwtest::WriteBytes(history, bytes);
  const std::string slip = writeSlip("Schein.emt", {{16, 29, 32, 36, 41, 7, 9}});

  const CliRun draws = run({"draws"});
  EXPECT_EQ(draws.exitCode, 0);
  EXPECT_EQ(std::count(draws.out.begin(), draws.out.end(), '\n'), 1973);  // every other draw is listed
  EXPECT_NE(draws.err.find("Datensatz 6 enthält ungültige Zahlen"), std::string::npos) << draws.err;
  const CliRun evaluated = run({"evaluate", "--from", "13.02.2004", slip});
  EXPECT_EQ(evaluated.exitCode, 0) << evaluated.err;
  EXPECT_NE(evaluated.out.find("\t1\t1\t"), std::string::npos) << evaluated.out;  // the jackpot row
  EXPECT_EQ(run({"stats"}).exitCode, 1);

  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path() + "data"))
    files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"GZahlen.emz"});
  EXPECT_EQ(kwtest::ReadBytes(history), bytes);
}

TEST_F(Cli, DataDirNamesTheFolderOfTheDataCommands) {
  EXPECT_EQ(run({"data-dir"}).out, dir_.path() + "data/\n");
  const std::string cmd = "env XDG_DATA_HOME=" + Quote(dir_.path() + "xdg") + " " + Quote(KW_CLI) + " data-dir >" +
                          Quote(dir_.file("out"));
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(Slurp(dir_.file("out")), dir_.path() + "xdg/Kugelwerk/\n");
}

TEST_F(Cli, ImportRefusesBadLineAndWritesNothing) {
  const std::string csv = writeFile("bad.csv", "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n13.02.2004;16;29;32;36;41;7;9\n20.02.2004;7;7;39;47;50;2;5\n");
  const CliRun r = run({"import-draws", csv});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("3"), std::string::npos) << r.err;  // names the line
  EXPECT_FALSE(std::ifstream(dir_.path() + "data/GZahlen.emz").good());
}

// The worked examples of the evaluation: class order around the 2016 rule change, no-win rows,
// two wins in one draw, two slips together.
class CliEvaluate : public Cli {
 protected:
  void SetUp() override {
    const std::string csv = writeFile("draws.csv",
                                      "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n"
                                      "23.09.2016;3;9;20;30;44;2;11\n"
                                      "27.09.2016;3;9;20;30;44;2;11\n"
                                      "30.09.2016;1;5;6;7;8;1;3\n");
    ASSERT_EQ(run({"import-draws", csv}).exitCode, 0);
  }
};

TEST_F(CliEvaluate, ClassSixAfterAndSevenBeforeTheRuleChange) {
  const std::string slip = writeSlip("Mein Schein.emt", {{3, 9, 17, 28, 44, 2, 11}});
  const CliRun after = run({"evaluate", "--from", "27.09.2016", slip});
  ASSERT_EQ(after.exitCode, 0) << after.err;
  EXPECT_EQ(after.out,
            "Auswertung für den 27.09.2016\n"
            "1: Mein Schein\n"
            "Datum\tDatei\tFeld\tGKl.\tGewinn\tGewinnsumme\n"
            "27.09.2016\tMein Schein\t1\t6\t108,76 €\t108,76 €\n");
  const CliRun before = run({"evaluate", "--from", "23.09.2016", slip});
  EXPECT_EQ(before.out,
            "Auswertung für den 23.09.2016\n"
            "1: Mein Schein\n"
            "Datum\tDatei\tFeld\tGKl.\tGewinn\tGewinnsumme\n"
            "23.09.2016\tMein Schein\t1\t7\t75,96 €\t75,96 €\n");
}

TEST_F(CliEvaluate, NoWinRowsTwoWinsAndTwoSlipsTogether) {
  const std::string one = writeSlip("eins.emt", {{10, 11, 12, 13, 14, 4, 5},
                                                 {1, 5, 40, 41, 42, 6, 7},
                                                 {10, 11, 12, 13, 15, 4, 5},
                                                 {10, 11, 12, 13, 16, 4, 5},
                                                 {1, 5, 6, 41, 42, 9, 10}});
  const std::string two = writeSlip("zwei.emt", {{20, 21, 22, 23, 24, 4, 5}});
  // Last draw 30.09.2016 (1 5 6 7 8 / 1 3): row 2 is 2+0 (class 13), row 5 is 3+0 (class 10).
  const CliRun r = run({"evaluate", one, two});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Auswertung für den 30.09.2016\n"
            "1: 2 Dateien\n"
            "Datum\tDatei\tFeld\tGKl.\tGewinn\tGewinnsumme\n"
            "30.09.2016\teins\t2\t13\t4,36 €\t4,36 €\n"
            "\t\t5\t10\t12,78 €\t17,14 €\n"
            "\tzwei\t--\t--\t\t17,14 €\n");
  const CliRun onlyTwo = run({"evaluate", "--only", "2", one, two});
  EXPECT_EQ(onlyTwo.out,
            "Auswertung für den 30.09.2016\n"
            "1: zwei\n"
            "Datum\tDatei\tFeld\tGKl.\tGewinn\tGewinnsumme\n"
            "30.09.2016\tzwei\t--\t--\t\t0,00 €\n");
}

TEST_F(CliEvaluate, PeriodInOrderAndWrongPeriodRefused) {
  const std::string slip = writeSlip("s.emt", {{45, 46, 47, 48, 49, 12, 10}});
  const CliRun r = run({"evaluate", "--from", "23.09.2016", "--to", "30.09.2016", slip});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Auswertung der Ausspielungen vom 23.09.2016 bis 30.09.2016\n"
            "1: s\n"
            "Datum\tDatei\tFeld\tGKl.\tGewinn\tGewinnsumme\n"
            "23.09.2016\ts\t--\t--\t\t\n"
            "27.09.2016\ts\t--\t--\t\t\n"
            "30.09.2016\ts\t--\t--\t\t0,00 €\n");
  const CliRun same = run({"evaluate", "--from", "27.09.2016", "--to", "27.09.2016", slip});
  EXPECT_EQ(same.out.substr(0, same.out.find('\n')), "Auswertung für den 27.09.2016");
  const CliRun wrong = run({"evaluate", "--from", "30.09.2016", "--to", "23.09.2016", slip});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_EQ(wrong.err, "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\n\nIch breche erst einmal ab.\n");
}

}  // namespace

TEST_F(Cli, AnalyseRowsFromFileOrStandardInput) {
  const std::string full = "1,2,3,4,5\n1,2,3,4,6\n1,2,3,5,6\n1,2,4,5,6\n1,3,4,5,6\n2,3,4,5,6\n";
  const CliRun guarantee = run({"analyse", "--depth", "4", writeFile("voll.txt", full)});
  EXPECT_EQ(guarantee.exitCode, 0) << guarantee.err;
  EXPECT_EQ(guarantee.out,
            "Getestet wurden 6 Reihen aus jeweils 5 Zahlen, die aus einem 6er Zahlenpool ohne Bankzahl gebildet wurden.\n"
            "Theoretisch können aus 6 Zahlen 15 Vierer-Kombinationen gebildet werden.\n"
            "Für 15 mögliche 4er-Kombinationen aus 6 Tippzahlen wird die Garantie für 4 Treffer bestätigt.\n");

  const CliRun total = run({"analyse", "--total", "--depth", "5"},
                           "(1,7,11,13,14),(1,8,10,12,13),(2,3,6,12,14),\r\n(2,4,5,9,12),(3,4,5,6,9),(7,8,10,11,14)");
  EXPECT_EQ(total.exitCode, 0) << total.err;
  const std::string lines = total.out;
  EXPECT_EQ(lines.substr(0, lines.find('\n')),
            "Getestet wurden 6 Reihen aus jeweils 5 Zahlen, die aus einem 14er Zahlenpool ohne Bankzahl gebildet wurden.");
  EXPECT_NE(lines.find("Theoretisch können aus 14 Zahlen 2.002 Fünfer-Kombinationen gebildet werden.\n"), std::string::npos);
  // Six histogram lines h = 0..5 whose counts add up to the 2002 combinations.
  std::istringstream in(lines.substr(lines.find("verwiesen.\n") + 11));
  int h = 0, count = 0, sum = 0, expected = 0;
  while (in >> h >> count) {
    EXPECT_EQ(h, expected++);
    sum += count;
  }
  EXPECT_EQ(expected, 6);
  EXPECT_EQ(sum, 2002);
  EXPECT_NE(lines.find("\n5\t6\n"), std::string::npos);  // each row is one of the combinations
}

TEST_F(Cli, AnalyseRefusals) {
  const CliRun empty = run({"analyse", "--depth", "3"}, " \n");
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, "Das Textfeld ist leer. Es gibt nichts zu testen.\n\nIch breche erst einmal ab.\n");
  const CliRun bad = run({"analyse", "--depth", "3"}, "1,2,3\n4,5,77");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err, "In Zeile 2 ist \"77\" keine Zahl von 1 bis 50.\n\nIch breche erst einmal ab.\n");
  EXPECT_EQ(run({"analyse", "--depth", "3", dir_.file("fehlt.txt")}).exitCode, 1);
  EXPECT_EQ(run({"analyse"}, "1,2,3").exitCode, 2);
  EXPECT_EQ(run({"analyse", "--depth", "6"}, "1,2,3").exitCode, 2);
  EXPECT_EQ(run({"analyse", "--depth", "3", "a.txt", "b.txt"}).exitCode, 2);
}

TEST_F(Cli, SystemsListsTheFilteredCatalogue) {
  const CliRun all = run({"systems"});
  EXPECT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(all.out.substr(0, all.out.find('\n') + 1), "1\t4 WZ, 2 BZ, 3 R, 2er TrG\n");
  EXPECT_NE(all.out.find("\n139\t14 WZ, 0 BZ, 229 R ohne TrG\n"), std::string::npos);
  EXPECT_TRUE(all.out.ends_with("\n268\t19 WZ, 2 BZ, 969 R, 3er TrG\n"));

  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      // "2" bankers and "9" chosen numbers
      {{"--bz", "3", "--wz", "3"},
       "6\t9 WZ, 2 BZ, 12 R, 2er TrG\n39\t9 WZ, 2 BZ, 12 R, 4er TrG mit BZ\n258\t9 WZ, 2 BZ, 84 R, 3er TrG\n"},
      // no bankers, "minimal 3", "bis 10"
      {{"--budget", "1", "--gar", "2", "--bz", "1"},
       "69\t7 WZ, 0 BZ, 5 R, 3er TrG\n131\t6 WZ, 0 BZ, 5 R, 4er TrG\n"},
      // "5" keeps only the five-number full systems; "egal" filters nothing
      {{"--gar", "4", "--bz", "0", "--wz", "0"},
       "238\t6 WZ, 0 BZ, 6 R, 5er TrG\n239\t7 WZ, 0 BZ, 21 R, 5er TrG\n240\t8 WZ, 0 BZ, 56 R, 5er TrG\n"
       "241\t9 WZ, 0 BZ, 126 R, 5er TrG\n242\t10 WZ, 0 BZ, 252 R, 5er TrG\n243\t11 WZ, 0 BZ, 462 R, 5er TrG\n"
       "244\t12 WZ, 0 BZ, 792 R, 5er TrG\n"},
      // 50 chosen numbers, "über 500"
      {{"--wz", "44", "--budget", "6"}, "200\t50 WZ, 0 BZ, 491 R ohne TrG\n237\t50 WZ, 0 BZ, 338 R ohne TrG\n"},
      // one banker, 7 chosen numbers, "bis 10": no system fits
      {{"--bz", "2", "--wz", "1", "--budget", "1"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"systems"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--wz", "45"}, {"--bz", "-1"}, {"--gar", "zwei"}, {"--budget"}, {"--farbe", "1"}}) {
    const CliRun r = run([&] {
      std::vector<std::string> a{"systems"};
      a.insert(a.end(), bad.begin(), bad.end());
      return a;
    }());
    EXPECT_EQ(r.exitCode, 2) << bad[0];
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(Cli, SystemRowsPrintsPositions) {
  EXPECT_EQ(run({"system-rows", "1"}).out, "1 2 3\n1 2 4\n1 3 4\n");
  EXPECT_EQ(run({"system-rows", "41"}).out, run({"system-rows", "12"}).out);
  const CliRun full = run({"system-rows", "254"});
  EXPECT_EQ(full.exitCode, 0) << full.err;
  EXPECT_EQ(full.out, "1 2 3\n1 2 4\n1 2 5\n1 3 4\n1 3 5\n1 4 5\n2 3 4\n2 3 5\n2 4 5\n3 4 5\n");

  const CliRun unknown = run({"system-rows", "269"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(unknown.err, "Das System 269 gibt es nicht. Die Systeme sind von 1 bis 268 nummeriert.\n");
  EXPECT_EQ(run({"system-rows", "eins"}).exitCode, 2);
  EXPECT_EQ(run({"system-rows"}).exitCode, 2);
}
