#pragma once
// A fresh folder per test, removed afterwards; tests never touch the user's data.
#include <filesystem>
#include <string>
#include <vector>
#include <cstdint>

namespace kwtest {

class TempDir {
 public:
  TempDir();
  // Inside `parent` instead of the system's temporary folder (e.g. /dev/shm for many fsyncs).
  explicit TempDir(const std::filesystem::path& parent);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Folder path with a trailing "/", the form DataDir has.
  std::string path() const { return path_.string() + "/"; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The real history and prize amounts of the repository (data/history).
std::string HistoryDataFile(const std::string& name);

}  // namespace kwtest
