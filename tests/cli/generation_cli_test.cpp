// kugelwerk-cli random and apply-system as a user runs them: seeded exact rows, refused limits,
// the slip file written with --out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace {

struct CliResult {
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

class GenerationCli : public ::testing::Test {
 protected:
  CliResult run(const std::vector<std::string>& args) {
    std::string cmd = Quote(KW_CLI) + " --data-dir " + Quote(dir_.path() + "data");
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " </dev/null >" + Quote(dir_.file("stdout")) + " 2>" + Quote(dir_.file("stderr"));
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_.file("stdout")), Slurp(dir_.file("stderr"))};
  }
  kwtest::TempDir dir_;
};

TEST_F(GenerationCli, RandomWithSeedIsReproducible) {
  const CliResult bankers = run({"random", "--seed", "12345", "--banker", "7,19,33", "--banker-stars", "4,9"});
  ASSERT_EQ(bankers.exitCode, 0) << bankers.err;
  EXPECT_EQ(bankers.out,
            "7,15,19,21,33,4,9\n4,7,19,29,33,4,9\n7,18,19,32,33,4,9\n"
            "4,7,19,23,33,4,9\n2,7,19,33,47,4,9\n7,17,19,33,49,4,9\n");
  EXPECT_EQ(bankers.err, "");

  const CliResult killers = run({"random", "--rows", "3", "--seed", "1", "--killer", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,"
                           "16,17,18,19,20,21,22,23,24,25,26,27,28,29,30", "--killer-stars", "1,2,3,4,5,6"});
  ASSERT_EQ(killers.exitCode, 0) << killers.err;
  EXPECT_EQ(killers.out, "31,35,36,44,48,7,8\n32,38,39,40,47,7,8\n37,38,44,46,49,11,12\n");

  const CliResult longest = run({"random", "--rows", "999", "--favourite", "3", "--favourite-stars", "12"});
  ASSERT_EQ(longest.exitCode, 0) << longest.err;
  EXPECT_EQ(std::count(longest.out.begin(), longest.out.end(), '\n'), 999);
}

TEST_F(GenerationCli, RandomRefusesWhatTheWindowRefuses) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"random", "--banker", "1,2,3,4"}, "Bitte maximal 3 Zahlen wählen.\n"},
      {{"random", "--killer-stars", "1,2,3,4,5,6,7"}, "Bitte maximal 6 Zahlen wählen.\n"},
      {{"random", "--rows", "0"}, "Bitte geben Sie gewünschte Anzahl (> 0) der Zufallsreihen an.\n\nIch breche erst einmal ab.\n"},
      {{"random", "--rows", "1000"},
       "Es können höchstens 999 Zufallsreihen auf einmal gebildet werden.\n\nIch breche erst einmal ab.\n"},
      {{"random", "--banker", "7", "--favourite", "8,7"}, "Die Zahl 7 ist bereits unter \"Bankzahlen\" gewählt.\n"},
  };
  for (const auto& c : cases) {
    const CliResult r = run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.args[1];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{{"random", "--banker", "51"},
                                                                {"random", "--banker-stars", "0"},
                                                                {"random", "--killer", "1,,2"},
                                                                {"random", "--rows", "viele"},
                                                                {"random", "--seed", "-1"},
                                                                {"random", "--seed", "4294967296"},
                                                                {"random", "--farbe", "rot"},
                                                                {"random", "--rows"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.exitCode, 2) << args[1];
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(GenerationCli, ApplySystemPrintsTheRowsOfTheSystem) {
  const CliResult keyOne = run({"apply-system", "1", "--numbers", "28,3,17,11", "--bankers", "40,44", "--stars", "5,9"});
  ASSERT_EQ(keyOne.exitCode, 0) << keyOne.err;
  EXPECT_EQ(keyOne.out, "3,11,17,40,44,5,9\n3,11,28,40,44,5,9\n3,17,28,40,44,5,9\n");

  // Without --stars every star is chosen: 66 pairs for three rows, drawn from the seed.
  const CliResult seeded = run({"apply-system", "86", "--numbers", "1,2,3,4,5,6", "--seed", "3"});
  ASSERT_EQ(seeded.exitCode, 0) << seeded.err;
  EXPECT_EQ(seeded.out, "1,2,3,4,5,1,8\n1,2,3,4,6,4,9\n1,2,3,5,6,8,11\n");

  const CliResult full = run({"apply-system", "268", "--numbers", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19",
                        "--bankers", "49,50", "--banker-stars", "6,7"});
  ASSERT_EQ(full.exitCode, 0) << full.err;
  EXPECT_EQ(std::count(full.out.begin(), full.out.end(), '\n'), 969);
  EXPECT_EQ(full.out.substr(0, full.out.find('\n')), "1,2,3,49,50,6,7");
}

TEST_F(GenerationCli, ApplySystemRefusals) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"apply-system", "86", "--numbers", "1,2,3,4,5"},
       "Für das gewählte System müssen Sie sich für 6 Wahlzahlen entscheiden.\n\nIch breche ab.\n"},
      {{"apply-system", "86", "--numbers", "1,2,3,4,5,6", "--bankers", "7"},
       "Sie haben 1 Bankzahlen gewählt, das gewählte System sieht aber keine vor. Bitte heben Sie die Auswahl der "
       "Bankzahlen auf.\n\nIch breche erst einmal ab.\n"},
      {{"apply-system", "1", "--numbers", "1,2,3,4", "--bankers", "7,8,9"}, "Bitte maximal 2 Zahlen wählen.\n"},
      {{"apply-system", "1", "--numbers", "1,2,3,4", "--bankers", "7,8", "--banker-stars", "1,2,3"},
       "Zuviele Zahlen gewählt!\n"},
      {{"apply-system", "86", "--numbers", "1,2,3,4,5,6", "--stars", "4"},
       "Bitte treffen Sie noch Ihre Wahl\nfür die Sternzahlen aus 1 - 12.\n\nIch breche erst einmal ab.\n"},
      {{"apply-system", "86", "--numbers", "1,2,3,4,5,6", "--stars", ""},
       "Bitte treffen Sie noch Ihre Wahl\nfür die Sternzahlen aus 1 - 12.\n\nIch breche erst einmal ab.\n"},
      {{"apply-system", "1", "--numbers", "1,2,3,4", "--bankers", "4,5"},
       "Die Zahl 4 ist bereits unter \"Bankzahlen\" gewählt.\n"},
      {{"apply-system", "269", "--numbers", "1"}, "Das System 269 gibt es nicht. Die Systeme sind von 1 bis 268 nummeriert.\n"},
  };
  for (const auto& c : cases) {
    const CliResult r = run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{{"apply-system"},
                                                                {"apply-system", "eins", "--numbers", "1"},
                                                                {"apply-system", "--numbers", "1"},
                                                                {"apply-system", "1", "--numbers", "1,51"},
                                                                {"apply-system", "1", "--stars", "13"},
                                                                {"apply-system", "1", "--numbers"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.exitCode, 2) << args.size();
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(GenerationCli, OutWritesTheRowsAsASlipFile) {
  const std::string slip = dir_.file("system.emt");
  ASSERT_EQ(run({"apply-system", "1", "--numbers", "3,11,17,28", "--bankers", "40,44", "--stars", "5,9", "--out", slip})
                .exitCode,
            0);
  EXPECT_EQ(kwtest::ReadBytes(slip), (std::vector<std::uint8_t>{3, 11, 17, 40, 44, 5, 9, 3, 11, 28, 40, 44, 5, 9,
                                                                3, 17, 28, 40, 44, 5, 9}));

  const std::string random = dir_.file("zufall.emt");
  const CliResult r = run({"random", "--rows", "2", "--seed", "7", "--out", random});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "4,11,13,35,42,3,8\n2,24,33,38,42,5,9\n");
  EXPECT_EQ(kwtest::ReadBytes(random),
            (std::vector<std::uint8_t>{4, 11, 13, 35, 42, 3, 8, 2, 24, 33, 38, 42, 5, 9}));

  // A refused run writes nothing and leaves an old file as it was.
  EXPECT_EQ(run({"random", "--rows", "0", "--out", random}).exitCode, 1);
  EXPECT_EQ(kwtest::ReadBytes(random).size(), 14u);
  // A folder that does not exist: the save is refused with the file's message.
  const CliResult unsaved = run({"random", "--seed", "7", "--out", dir_.file("fehlt/zufall.emt")});
  EXPECT_EQ(unsaved.exitCode, 1);
  EXPECT_NE(unsaved.err.find("zufall.emt"), std::string::npos) << unsaved.err;
}

}  // namespace
