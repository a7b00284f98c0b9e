#include "core/data_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace kw {
namespace {

TEST(DataFolder, OneRuleForProgramToolAndScripts) {
  struct Case {
    const char* what;
    bool windows;
    std::map<std::string, std::string> environment;
    const char* folder;
  };
  const Case cases[] = {
      {"XDG_DATA_HOME", false, {{"XDG_DATA_HOME", "/tmp/xdg"}, {"HOME", "/home/anna"}}, "/tmp/xdg/Kugelwerk/"},
      {"XDG_DATA_HOME with a slash", false, {{"XDG_DATA_HOME", "/tmp/xdg/"}}, "/tmp/xdg/Kugelwerk/"},
      {"empty XDG_DATA_HOME", false, {{"XDG_DATA_HOME", ""}, {"HOME", "/home/anna"}},
       "/home/anna/.local/share/Kugelwerk/"},
      {"relative XDG_DATA_HOME is ignored", false, {{"XDG_DATA_HOME", "daten"}, {"HOME", "/home/anna"}},
       "/home/anna/.local/share/Kugelwerk/"},
      {"HOME only", false, {{"HOME", "/home/jörg"}}, "/home/jörg/.local/share/Kugelwerk/"},
      {"nothing", false, {}, ""},
      {"Windows: APPDATA", true, {{"APPDATA", "C:\\Users\\Jörg\\AppData\\Roaming"}, {"XDG_DATA_HOME", "/x"}},
       "C:/Users/Jörg/AppData/Roaming/Kugelwerk/"},
      {"Windows: APPDATA with a backslash", true, {{"APPDATA", "D:\\Profile\\"}}, "D:/Profile/Kugelwerk/"},
      {"Windows: USERPROFILE only", true, {{"USERPROFILE", "C:\\Users\\anna"}},
       "C:/Users/anna/AppData/Roaming/Kugelwerk/"},
      {"Windows: HOME does not count", true, {{"HOME", "/home/anna"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto lookup = [&](const char* name) -> std::optional<std::string> {
      const auto it = c.environment.find(name);
      if (it == c.environment.end()) return std::nullopt;
      return it->second;
    };
    EXPECT_EQ(DataFolderFor(c.windows, lookup), c.folder);
  }
}

TEST(DataFolder, ThisSystemHasOne) {
  const std::string folder = DefaultDataFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.substr(folder.size() - 11), "/Kugelwerk/");
}

}  // namespace
}  // namespace kw
