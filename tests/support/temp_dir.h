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
// The real history and quotas beside the repository.
std::string SharedDataFile(const std::string& name);

}  // namespace kwtest
