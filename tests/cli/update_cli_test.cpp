// publish and update end to end: a server tree written by "publish", served by
// "python3 -m http.server" on 127.0.0.1, fetched by "update" into a data folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"
#include "update/local_servers.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
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

// The first `lines` data lines of a CSV file beside the repository, with its header.
std::string HeadOfCsv(const std::string& name, int lines) {
  std::istringstream in(Slurp(kwtest::HistoryDataFile(name)));
  std::string out, line;
  for (int i = 0; i <= lines && std::getline(in, line); ++i) out += line + "\n";
  return out;
}

class UpdateCli : public ::testing::Test {
 protected:
  Outcome run(const std::string& dataDir, const std::vector<std::string>& args) {
    std::string cmd = Quote(KW_CLI) + " --data-dir " + Quote(dataDir);
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " </dev/null >" + Quote(dir_.file("stdout")) + " 2>" + Quote(dir_.file("stderr"));
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_.file("stdout")), Slurp(dir_.file("stderr"))};
  }
  std::string folder(const std::string& name) const { return dir_.file(name) + "/"; }
  void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  // A data folder holding the first `draws` draws and their quotas, imported as a user does it.
  std::string dataFolderWith(const std::string& name, int draws) {
    write(dir_.file(name + "-draws.csv"), HeadOfCsv("draws.csv", draws));
    write(dir_.file(name + "-quotas.csv"), HeadOfCsv("quotas.csv", draws));
    EXPECT_EQ(run(folder(name), {"import-draws", dir_.file(name + "-draws.csv")}).exitCode, 0);
    EXPECT_EQ(run(folder(name), {"import-quotas", dir_.file(name + "-quotas.csv")}).exitCode, 0);
    return folder(name);
  }
  // python3 -m http.server on a free port over `root`; its first line names the port.
  std::string serve(const std::string& root) {
    const std::string log = dir_.file("http.log");
    server_ = std::make_unique<kwtest::ChildProcess>(
        std::vector<std::string>{"timeout", "120", KW_PYTHON, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                                 "--directory", root},
        log);
    const std::regex port("port ([0-9]+)");
    std::smatch m;
    for (int i = 0; i < 750; ++i) {
      const std::string text = Slurp(log);
      if (std::regex_search(text, m, port)) return "http://127.0.0.1:" + m[1].str() + "/";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "http.server did not start";
    return {};
  }
  kwtest::TempDir dir_;
  std::unique_ptr<kwtest::ChildProcess> server_;
};

TEST_F(UpdateCli, PublishServeAndUpdateToTheFullHistory) {
  const std::string full = dataFolderWith("voll", 1974);
  const std::string tree = dir_.file("server/html");
  const Outcome published = run(full, {"publish", tree, "--version", "1.7.1.0"});
  ASSERT_EQ(published.exitCode, 0) << published.err;
  EXPECT_EQ(published.out,
            "downloads/GZahlen.emz\t31.584 Bytes\ndownloads/EMQuoten.emq\t126.336 Bytes\n"
            "downloads/verinfos.ema\t24 Bytes\nEMI/aktuell.html\t" +
                std::to_string(fs::file_size(tree + "/EMI/aktuell.html")) + " Bytes\n");

  const std::string part = dataFolderWith("teil", 1900);
  const std::string url = serve(tree);
  // Nothing listens on FTP port 1: the size is unknown, so the history is fetched.
  const Outcome updated = run(part, {"update", "--server", url, "--ftp", "ftp://127.0.0.1:1/"});
  EXPECT_EQ(updated.exitCode, 0) << updated.err;
  EXPECT_EQ(updated.out, "Gewinnzahlen\tAktualisiert\nGewinnquoten\tAktualisiert\nVersion\t1.7.1.0\n");
  EXPECT_EQ(updated.err, "");
  EXPECT_EQ(kwtest::ReadBytes(part + "GZahlen.emz"), kwtest::ReadBytes(full + "GZahlen.emz"));
  EXPECT_EQ(kwtest::ReadBytes(part + "EMQuoten.emq"), kwtest::ReadBytes(full + "EMQuoten.emq"));

  // The addresses may come from "Einstellungen.ini" instead; a second run finds nothing newer
  // to append, which without a size answer counts as a failed update.
  write(part + "Einstellungen.ini", "[Update]\r\nServer=" + url + "\r\nFtpServer=127.0.0.1:1\r\n");
  const Outcome again = run(part, {"update", "--draws"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(again.out, "Gewinnzahlen\tAktualisierung fehlgeschlagen\n");
  EXPECT_EQ(again.err, "Auf dem Server gibt es keine neueren Gewinnzahlen als bei Ihnen.\n");
}

TEST_F(UpdateCli, DamagedServerFileIsRefusedAndNothingChanges) {
  const std::string full = dataFolderWith("voll", 1974);
  const std::string tree = dir_.file("server/html");
  ASSERT_EQ(run(full, {"publish", tree}).exitCode, 0);
  auto bytes = kwtest::ReadBytes(tree + "/downloads/GZahlen.emz");
  bytes[1950 * 16 + 13] = 0;  // a star 0 in draw 1,951
  kwtest::WriteBytes(tree + "/downloads/GZahlen.emz", bytes);

  const std::string part = dataFolderWith("teil", 1900);
  const auto draws = kwtest::ReadBytes(part + "GZahlen.emz");
  const auto quotas = kwtest::ReadBytes(part + "EMQuoten.emq");
  const Outcome refused = run(part, {"update", "--server", serve(tree), "--ftp", "ftp://127.0.0.1:1/", "--draws"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "Gewinnzahlen\tAktualisierung fehlgeschlagen\n");
  EXPECT_EQ(refused.err.rfind("Die heruntergeladene Datei \"GZahlen.emz\" ist beschädigt: Datensatz 1.951 vom ", 0), 0u)
      << refused.err;
  EXPECT_NE(refused.err.find("enthält die Sternzahl 0, erlaubt sind 1 bis 12.\n\nIch habe nichts übernommen.\n"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(kwtest::ReadBytes(part + "GZahlen.emz"), draws);
  EXPECT_EQ(kwtest::ReadBytes(part + "EMQuoten.emq"), quotas);
}

TEST_F(UpdateCli, WrongCallsAndAddresses) {
  EXPECT_EQ(run(folder("d"), {"update", "--alles"}).exitCode, 2);
  EXPECT_EQ(run(folder("d"), {"publish"}).exitCode, 2);
  const Outcome badServer = run(folder("d"), {"update", "--server", "kugelwerk.example"});
  EXPECT_EQ(badServer.exitCode, 1);
  EXPECT_EQ(badServer.err, "Die Server-Adresse \"kugelwerk.example\" ist keine gültige Adresse.\n\nIch breche ab.\n");
  EXPECT_EQ(badServer.out, "");
  const Outcome nothing = run(folder("d"), {"publish", dir_.file("srv")});
  EXPECT_EQ(nothing.exitCode, 1);
  EXPECT_EQ(nothing.err, "Im Datenordner fehlt die Datei \"GZahlen.emz\".\n\nIch veröffentliche nichts.\n");
}

}  // namespace
