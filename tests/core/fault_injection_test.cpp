// Saving while the process is killed between any two steps of the write, and while the file size
// limit is below the new size: the old file stays whole and loadable, or the new one is complete,
// and what a crash leaves behind never blocks the next save.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "core/csv_import.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/quota_store.h"
#include "core/settings_record.h"
#include "core/slip_file.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct Target {
  const char* name;
  const char* file;
  std::function<void(const std::string& dir)> prepare;       // the old file
  std::function<Result<void>(const std::string& dir)> save;  // writes the new one
  std::function<bool(const std::string& dir)> loads;         // the program can read what is there
};

std::string Text(const std::string& path) {
  const auto bytes = kwtest::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void ImportHistory(const std::string& dir, bool quotas) {
  DataSet s;
  s.DataDir = dir;
  if (!ImportDrawsCsv(s, Text(kwtest::HistoryDataFile("draws.csv")))) std::abort();
  if (quotas && !ImportQuotasCsv(s, Text(kwtest::HistoryDataFile("quotas.csv")))) std::abort();
}

std::vector<TSchein> Rows(int n) {
  std::vector<TSchein> rows;
  for (int i = 0; i < n; ++i)
    rows.push_back({{1, 2, 3, 4, static_cast<std::uint8_t>(5 + i % 40)}, {1, static_cast<std::uint8_t>(2 + i % 10)}});
  return rows;
}

SettingsRecord Settings(int slips) {
  SettingsRecord r;
  for (int i = 0; i < slips; ++i) r.recentSlips[static_cast<std::size_t>(i)] = "/home/spieler/Schein " + std::to_string(i) + ".emt";
  r.EReihen = slips;
  return r;
}

std::vector<Target> Targets() {
  return {
      {"draws", kDrawsFileName, [](const std::string& dir) { ImportHistory(dir, false); },
       [](const std::string& dir) -> Result<void> {
         DataSet s;
         s.DataDir = dir;
         if (auto loaded = LoadDraws(s); !loaded) return loaded;
         TGewZahlen next = s.Draws.back();
         next.datum += 4;
         return StoreDraw(s, s.Draws.size(), next);
       },
       [](const std::string& dir) {
         DataSet s;
         s.DataDir = dir;
         return ReadDraws(s).ok() && s.Draws.size() >= 1974;
       }},
      {"quotas", kQuotasFileName, [](const std::string& dir) { ImportHistory(dir, true); },
       [](const std::string& dir) -> Result<void> {
         DataSet s;
         s.DataDir = dir;
         if (auto loaded = LoadDraws(s); !loaded) return loaded;
         if (auto read = ReadQuotasAligned(s); !read) return read;
         TextTable table(kQuotaTableColumns, 1);
         ShowQuotas(s, table);
         table.setCell(13, 1, "5,25");
         return SaveQuotas(s, table);
       },
       [](const std::string& dir) {
         DataSet s;
         s.DataDir = dir;
         return ReadDraws(s).ok() && ReadQuotasAligned(s).ok() && !s.Quotas.empty();
       }},
      {"slip", "Schein.emt", [](const std::string& dir) { (void)SaveSlipRows(Rows(100), dir + "Schein.emt"); },
       [](const std::string& dir) { return SaveSlipRows(Rows(700), dir + "Schein.emt"); },
       [](const std::string& dir) {
         const auto rows = LoadSlipRows(dir + "Schein.emt");
         return rows.ok() && (rows->size() == 100 || rows->size() == 700);
       }},
      {"settings", kSettingsFileName,
       [](const std::string& dir) { (void)WriteSettingsFile(dir + kSettingsFileName, Settings(3)); },
       [](const std::string& dir) { return WriteSettingsFile(dir + kSettingsFileName, Settings(4)); },
       [](const std::string& dir) {
         const SettingsLoad load = ReadSettingsFile(dir + kSettingsFileName);
         return load.present && !load.error && (load.record.EReihen == 3 || load.record.EReihen == 4);
       }},
  };
}

// The files of a folder, to lay the prepared old state out again quickly.
using Snapshot = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;
Snapshot Take(const kwtest::TempDir& dir) {
  Snapshot files;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    files.emplace_back(entry.path().filename().string(), kwtest::ReadBytes(entry.path().string()));
  return files;
}
void Lay(const kwtest::TempDir& dir, const Snapshot& files) {
  for (const auto& [name, bytes] : files) kwtest::WriteBytes(dir.file(name), bytes);
}

// A kill is a kill on any file system; in memory the many flushes cost nothing.
std::filesystem::path Scratch() {
  std::error_code ec;
  return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                       : std::filesystem::temp_directory_path();
}

int gKillAt = 0;
int gSteps = 0;
void KillAtStep(int step) {
  if (step == gKillAt) ::raise(SIGKILL);
}
void CountStep(int step) { gSteps = std::max(gSteps, step); }

// Small chunks: the kill also lands between two parts of the data.
constexpr std::size_t kChunk = 4096;

TEST(FaultInjection, KilledAtEveryStepOfASaveTheOldOrTheNewFileIsWhole) {
  testing::SetWriteChunkBytes(kChunk);
  int total = 0;
  for (const Target& t : Targets()) {
    SCOPED_TRACE(t.name);
    kwtest::TempDir reference(Scratch());
    t.prepare(reference.path());
    const Snapshot old = Take(reference);
    const auto oldBytes = kwtest::ReadBytes(reference.file(t.file));
    gSteps = 0;
    testing::SetWriteStepHook(&CountStep);
    ASSERT_TRUE(t.save(reference.path()));
    testing::SetWriteStepHook(nullptr);
    const auto newBytes = kwtest::ReadBytes(reference.file(t.file));
    ASSERT_NE(oldBytes, newBytes);
    ASSERT_GE(gSteps, 5);
    total += gSteps;

    for (int step = 1; step <= gSteps; ++step) {
      SCOPED_TRACE(step);
      kwtest::TempDir dir(Scratch());
      Lay(dir, old);
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        gKillAt = step;
        testing::SetWriteStepHook(&KillAtStep);
        (void)t.save(dir.path());
        ::_exit(0);  // not killed: the step never came
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

      const auto bytes = kwtest::ReadBytes(dir.file(t.file));
      EXPECT_TRUE(bytes == oldBytes || bytes == newBytes) << bytes.size() << " bytes";
      EXPECT_TRUE(t.loads(dir.path()));
      // What the crash left under the temporary name, even read-only, is no obstacle.
      const std::string temp = dir.file(t.file) + ".tmp~";
      ::chmod(temp.c_str(), 0444);
      ASSERT_TRUE(t.save(dir.path()));
      if (bytes == oldBytes) {
        EXPECT_EQ(kwtest::ReadBytes(dir.file(t.file)), newBytes);
      }
      EXPECT_TRUE(NoFileAt(temp));
    }
  }
  testing::SetWriteChunkBytes(std::size_t{1} << 20);
  RecordProperty("write_steps", total);
  std::printf("Saves killed at each of %d write steps (4 files).\n", total);
}

TEST(FaultInjection, AFileSizeLimitBelowTheNewSizeKeepsTheOldFile) {
  for (const Target& t : Targets()) {
    SCOPED_TRACE(t.name);
    kwtest::TempDir reference(Scratch());
    t.prepare(reference.path());
    const Snapshot old = Take(reference);
    ASSERT_TRUE(t.save(reference.path()));
    const auto newSize = kwtest::ReadBytes(reference.file(t.file)).size();
    for (const rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{newSize / 2}, rlim_t{newSize - 1}}) {
      SCOPED_TRACE(limit);
      kwtest::TempDir dir(Scratch());
      Lay(dir, old);
      const auto oldBytes = kwtest::ReadBytes(dir.file(t.file));
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        // As `ulimit -f` with the signal ignored: the write fails with EFBIG instead.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(4);
        const auto saved = t.save(dir.path());
        if (saved) ::_exit(2);
        ::_exit(saved.error().message.find("größer, als das System einer Datei erlaubt") != std::string::npos ? 0 : 3);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_EQ(kwtest::ReadBytes(dir.file(t.file)), oldBytes);
      EXPECT_TRUE(t.loads(dir.path()));
      EXPECT_TRUE(NoFileAt(dir.file(t.file) + ".tmp~"));
    }
  }
}

}  // namespace
}  // namespace kw
#endif
