// The new version: the installer file in the data folder, the texts around its start, and the
// script that removes the old program, run only on a copy in a temporary folder.
#include "update/self_update.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "local_servers.h"
#include "platform/installer_launch.h"
#include "support/temp_dir.h"

namespace kw::update {
namespace {

namespace fs = std::filesystem;

TEST(SelfRemoval, WindowsCommandFileLoopsDeletesAndRemovesItself) {
  EXPECT_EQ(SelfRemovalBatch("C:\\Programme\\Kugelwerk\\Kugelwerk.exe", "C:\\Temp\\uis1A2.bat"),
            ":Label1\r\n"
            "del \"C:\\Programme\\Kugelwerk\\Kugelwerk.exe\"\r\n"
            "if Exist \"C:\\Programme\\Kugelwerk\\Kugelwerk.exe\" goto Label1\r\n"
            "rmdir \"C:\\Programme\\Kugelwerk\\\"\r\n"
            "del C:\\Temp\\uis1A2.bat\r\n");
}

struct RemovalCase {
  const char* name;
  bool otherFileInFolder;
  bool replacedMeanwhile;  // a new program was installed in the same place before the old one ended
  bool programRemoved;
  bool folderRemoved;
};

class SelfRemovalScript : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(SelfRemovalScript, WaitsForTheProcessThenRemovesOnlyTheOldProgram) {
  const RemovalCase& c = GetParam();
  kwtest::TempDir tmp;
  // A quote and a blank in the path: the script must quote it.
  const std::string folder = tmp.file("Kugel werk's Programm") + "/";
  fs::create_directories(folder);
  const std::string program = folder + "kugelwerk";
  kwtest::WriteBytes(program, {1, 2, 3});
  if (c.otherFileInFolder) kwtest::WriteBytes(folder + "Kugelwerk.qch", {4});

  kwtest::ChildProcess running({"sleep", "1"}, "");
  auto script = WriteSelfRemovalScript(tmp.path(), program, running.pid(), 20);
  ASSERT_TRUE(script) << script.error().message;
  EXPECT_EQ(fs::path(*script).filename().string().substr(0, 3), "uis");
  EXPECT_EQ(fs::path(*script).extension(), ".sh");

  kwtest::ChildProcess remover({"/bin/sh", *script}, "");
  // The old program stays while its process runs.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(fs::exists(program));
  if (c.replacedMeanwhile) {
    fs::remove(program);
    kwtest::WriteBytes(program, {9, 9});
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  // Reaping the finished "program" lets the script see that it has ended.
  while ((running.running() || remover.running()) && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_FALSE(remover.running()) << "the script did not end";
  EXPECT_EQ(!fs::exists(program), c.programRemoved);
  EXPECT_EQ(!fs::exists(folder), c.folderRemoved);
  EXPECT_FALSE(fs::exists(*script)) << "the script deletes itself";
}

INSTANTIATE_TEST_SUITE_P(Cases, SelfRemovalScript,
                         ::testing::Values(RemovalCase{"AloneInItsFolder", false, false, true, true},
                                           RemovalCase{"FolderKeepsOtherFiles", true, false, true, false},
                                           RemovalCase{"NewProgramInstalledMeanwhile", false, true, false, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SelfRemoval, GivesUpWithoutDeletingWhenTheProcessDoesNotEnd) {
  kwtest::TempDir tmp;
  const std::string program = tmp.file("kugelwerk");
  kwtest::WriteBytes(program, {1});
  kwtest::ChildProcess running({"sleep", "30"}, "");
  auto script = WriteSelfRemovalScript(tmp.path(), program, running.pid(), 1);
  ASSERT_TRUE(script);
  kwtest::ChildProcess remover({"/bin/sh", *script}, "");
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (remover.running() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(remover.running());
  EXPECT_TRUE(fs::exists(program));
  EXPECT_FALSE(fs::exists(*script));
}

TEST(Installer, CompleteDownloadBecomesAnExecutableFileAFailedOneLeavesNone) {
  kwtest::TempDir data;
  InstallerOutcome ok;
  ok.ok = true;
  ok.bytes = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'};
  auto path = ApplyInstallerDownload(data.path(), ok);
  ASSERT_TRUE(path) << path.error().message;
  EXPECT_EQ(*path, data.path() + kInstallerFileName);
  EXPECT_EQ(kwtest::ReadBytes(*path), ok.bytes);
  struct stat st{};
  ASSERT_EQ(::stat(path->c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);

  InstallerOutcome failed;
  failed.message = InstallerFailedMessage();
  const auto refused = ApplyInstallerDownload(data.path(), failed);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message,
            "Der Download ist gescheitert. Versuchen Sie es bitte später noch einmal oder laden Sie das Update von der "
            "Tombolix-Domain \"www.kugelwerk.example\" herunter.");
  EXPECT_FALSE(fs::exists(*path)) << "a stale installer is not left to be started by hand";
}

TEST(Installer, MessagesNameTheInstallerInTheDataFolder) {
  EXPECT_EQ(InstallStartFailedMessage("/home/anna/.local/share/Kugelwerk/"),
            "Update konnte nicht gestartet werden. Bitte schließen Sie Tombolix und starten Sie das Update manuell "
            "durch Doppelklick auf die Datei \"Update.sh\" im Verzeichnis /home/anna/.local/share/Kugelwerk/.");
  EXPECT_NE(InstallDeclinedMessage("/d/", "kugelwerk").find("und die Datei \"kugelwerk\" gelöscht werden."),
            std::string::npos);
  EXPECT_NE(InstallConfirmQuestion("/d/").find("\"Update.sh\" im Verzeichnis /d/ starten.\r\rSoll fortgefahren werden?"),
            std::string::npos);
}

TEST(Installer, StartedThroughTheShellOrATerminal) {
  kwtest::TempDir data;
  std::vector<std::vector<std::string>> started;
  platform::SetStartDetachedHook([&](const std::string& program, const std::vector<std::string>& args) {
    started.push_back({program});
    started.back().insert(started.back().end(), args.begin(), args.end());
    return true;
  });
  const std::string installer = data.file("Update.sh");
  EXPECT_FALSE(platform::StartInstaller(installer)) << "no file, nothing started";
  kwtest::WriteBytes(installer, {'#', '!'});
  EXPECT_TRUE(platform::StartInstaller(installer));
  EXPECT_TRUE(platform::StartSelfRemoval("/tmp/uisAbc123.sh"));
  platform::SetStartDetachedHook({});
  ASSERT_EQ(started.size(), 2u);
  // In a terminal when there is one ("-e" or "--" before the command), else directly.
  EXPECT_EQ(started[0].back(), installer);
  EXPECT_EQ(started[0][started[0].size() - 2], "/bin/sh");
  EXPECT_EQ(started[1], (std::vector<std::string>{"/bin/sh", "/tmp/uisAbc123.sh"}));
  struct stat st{};
  ASSERT_EQ(::stat(installer.c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
}

}  // namespace
}  // namespace kw::update
