#pragma once
// Where the online update fetches from: the built-in addresses, their overrides in
// "Einstellungen.ini" ([Update] Server, FtpServer, FtpUser, FtpPassword) and the addresses of
// the single resources built from them.
#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"
#include "core/settings_ini.h"

namespace kw::update {

// Built-in server and account. The ".example" names never resolve, so a build without its own
// server asks nobody; a mirror is set in "Einstellungen.ini".
inline constexpr const char* kDefaultServer = "https://download.kugelwerk.example/";
inline constexpr const char* kDefaultFtpServer = "ftp://download.kugelwerk.example/";
inline constexpr const char* kDefaultFtpUser = "anonymous";
inline constexpr const char* kDefaultFtpPassword = "kugelwerk@";
// The maker's web domain, named in the message of a failed installer download.
inline constexpr const char* kMakerDomain = "www.kugelwerk.example";

// Paths below the server's web root.
inline constexpr const char* kServerDrawsPath = "downloads/GZahlen.emz";
inline constexpr const char* kServerQuotasPath = "downloads/EMQuoten.emq";
inline constexpr const char* kServerVersionPath = "downloads/verinfos.ema";
inline constexpr const char* kServerNewsPath = "EMI/aktuell.html";
// The installer: the self-contained archive on Linux, the setup program on Windows.
#ifdef _WIN32
inline constexpr const char* kServerInstallerPath = "downloads/emaupdate.exe";
inline constexpr const char* kInstallerFileName = "Update.exe";
#else
inline constexpr const char* kServerInstallerPath = "downloads/emaupdate.sh";
inline constexpr const char* kInstallerFileName = "Update.sh";
#endif
// Folder of the FTP login in which the size of "GZahlen.emz" is asked.
inline constexpr const char* kFtpDownloadsFolder = "html/downloads/";
inline constexpr const char* kVersionFileName = "verinfos.ema";

struct ServerSettings {
  std::string server = kDefaultServer;  // http(s) address of the web root, ends in "/"
  std::string ftpServer = kDefaultFtpServer;  // ftp address of the login folder, ends in "/"
  std::string ftpUser = kDefaultFtpUser;
  std::string ftpPassword = kDefaultFtpPassword;
};

// The [Update] keys of "Einstellungen.ini" over the built-in values. An empty Server or
// FtpServer means the built-in address; FtpUser and FtpPassword count as soon as the key is
// there, so an empty password can be set.
ServerSettings ReadServerSettings(const IniFile& ini);

// "http(s)://host[:port][/path]" with a trailing "/" added; refused with a German message naming
// the text when it is no web address.
Result<std::string> NormaliseServerAddress(std::string_view text);
// "host", "host:port" or "ftp://host[:port][/path]" as "ftp://.../" (ftps:// stays).
Result<std::string> NormaliseFtpAddress(std::string_view text);
// Both addresses normalised; the first bad one refuses.
Result<ServerSettings> CheckServerSettings(ServerSettings settings);

// The web root + path, as configured (data files and the news page).
std::string ResourceUrl(const ServerSettings& s, std::string_view path);
// "ftp://host/.../html/downloads/" + file name.
std::string FtpSizeUrl(const ServerSettings& s, std::string_view fileName);

// Host of an address ("127.0.0.1", "[::1]" -> "::1"), lower case; empty when there is none.
std::string HostOf(std::string_view url);
// 127.0.0.0/8, ::1 or "localhost".
bool IsLoopbackUrl(std::string_view url);
// A program the user will run comes only over https, or over plain http from this machine.
bool IsSafeInstallerUrl(std::string_view url);
// The installer's address: the web root + installer path, with plain http to another machine
// turned into https.
std::string InstallerUrl(const ServerSettings& s);

}  // namespace kw::update
