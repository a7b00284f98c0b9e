#include "core/data_folder.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include "core/file_io.h"
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace kw {

namespace {
std::optional<std::string> NonEmpty(const EnvironmentLookup& environment, const char* name) {
  auto value = environment(name);
  if (value && value->empty()) value.reset();
  return value;
}

std::string Folder(std::string base, const char* below) {
  std::replace(base.begin(), base.end(), '\\', '/');
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + below + "Kugelwerk/";
}
}  // namespace

std::string DataFolderFor(bool windows, const EnvironmentLookup& environment) {
  if (windows) {
    if (auto appData = NonEmpty(environment, "APPDATA")) return Folder(*appData, "/");
    if (auto profile = NonEmpty(environment, "USERPROFILE")) return Folder(*profile, "/AppData/Roaming/");
    return {};
  }
  if (auto xdg = NonEmpty(environment, "XDG_DATA_HOME"); xdg && xdg->front() == '/') return Folder(*xdg, "/");
  if (auto home = NonEmpty(environment, "HOME")) return Folder(*home, "/.local/share/");
  return {};
}

std::string DefaultDataFolder() {
#ifdef _WIN32
  return DataFolderFor(true, [](const char* name) -> std::optional<std::string> {
    const std::wstring wide = WidePath(name);
    const wchar_t* value = ::_wgetenv(wide.c_str());
    if (!value) return std::nullopt;
    return Utf8FromWide(value);
  });
#else
  return DataFolderFor(false, [](const char* name) -> std::optional<std::string> {
    if (const char* value = std::getenv(name); value && *value) return std::string(value);
    if (std::string(name) == "HOME")
      if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return std::string(user->pw_dir);
    return std::nullopt;
  });
#endif
}

}  // namespace kw
