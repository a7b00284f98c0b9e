#include "core/file_io.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(AtomicWrite, FailedWriteLeavesOldFileIntact) {
  kwtest::TempDir dir;
  const std::string path = dir.file("GZahlen.emz");
  const std::vector<std::uint8_t> oldBytes(48, 7), newBytes(4096, 9);
  ASSERT_TRUE(WriteFileAtomically(path, oldBytes));
  testing::SimulateDiskFullAfter(1000);
  const auto result = WriteFileAtomically(path, newBytes);
  testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("GZahlen.emz"), std::string::npos);
  EXPECT_NE(result.error().message.find("kein Platz"), std::string::npos);
  EXPECT_EQ(kwtest::ReadBytes(path), oldBytes);
  EXPECT_FALSE(FileExists(path + ".tmp~"));
  ASSERT_TRUE(WriteFileAtomically(path, newBytes));
  EXPECT_EQ(kwtest::ReadBytes(path), newBytes);
}

#ifndef _WIN32
TEST(AtomicWrite, ReadOnlyFolderGivesMessageAndKeepsFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  kwtest::TempDir dir;
  const std::string path = dir.file("EMQuoten.emq");
  ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3}));
  ::chmod(dir.path().c_str(), 0500);
  const auto result = WriteFileAtomically(path, {4, 5});
  ::chmod(dir.path().c_str(), 0700);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("Zugriff verweigert"), std::string::npos);
  EXPECT_EQ(kwtest::ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
}
#else
// Another program holds the file open without letting it be replaced (as Excel or a virus scanner
// may): the save says so and the old file stays; once it lets go, the save goes through.
TEST(AtomicWrite, AFileHeldByAnotherProgramKeepsItsContent) {
  kwtest::TempDir dir;
  const std::string path = dir.file("GZahlen.emz");
  ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3}));
  HANDLE held = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto result = WriteFileAtomically(path, {4, 5});
  ::CloseHandle(held);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("kann nicht gespeichert werden"), std::string::npos) << result.error().message;
  EXPECT_EQ(kwtest::ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(NoFileAt(path + ".tmp~"));
  ASSERT_TRUE(WriteFileAtomically(path, {4, 5}));
  EXPECT_EQ(kwtest::ReadBytes(path), (std::vector<std::uint8_t>{4, 5}));
}
#endif

// Paths are UTF-8 inside the program; on Windows they must reach the system as UTF-16.
TEST(AtomicWrite, PathsBeyondAsciiWorkEverywhere) {
  kwtest::TempDir dir;
  const std::string folder = dir.path() + "Spieler J\xC3\xB6rg \xE2\x82\xAC \xCE\xA3/Tipps/";
  ASSERT_TRUE(CreateDirectories(folder));
  ASSERT_TRUE(CreateDirectories(folder));  // there already: fine
  const std::string path = folder + "Schein M\xC3\xA4rz.emt";
  EXPECT_TRUE(NoFileAt(path));
  ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3, 4, 5, 6, 7}));
  ASSERT_TRUE(WriteFileAtomically(path, {7, 6, 5, 4, 3, 2, 1}));  // replaces the existing file
  EXPECT_TRUE(FileExists(path));
  const auto read = ReadWholeFile(path, 100);
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(*read, (std::vector<std::uint8_t>{7, 6, 5, 4, 3, 2, 1}));
  const auto copy = KeepNumberedCopy(path, ".defekt", {9});
  ASSERT_TRUE(copy);
  EXPECT_EQ(*copy, path + ".defekt");
  EXPECT_EQ(FileNameOf(*copy), "Schein M\xC3\xA4rz.emt.defekt");
}

TEST(ReadWholeFile, RefusesMissingAndOversizedFiles) {
  kwtest::TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.file("fehlt"), 100));
  kwtest::WriteBytes(dir.file("gross"), std::vector<std::uint8_t>(101));
  const auto big = ReadWholeFile(dir.file("gross"), 100);
  ASSERT_FALSE(big);
  EXPECT_NE(big.error().message.find("zu groß"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir.file("gross"), 101)->size(), 101u);
}

}  // namespace
}  // namespace kw
