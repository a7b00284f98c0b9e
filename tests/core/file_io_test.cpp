#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
