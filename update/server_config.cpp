#include "update/server_config.h"

#include <algorithm>
#include <initializer_list>

namespace kw::update {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCopy(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Lower-case scheme of "scheme://...", empty without one.
std::string SchemeOf(std::string_view url) {
  const auto colon = url.find("://");
  return colon == std::string_view::npos ? std::string() : LowerCopy(url.substr(0, colon));
}

// "user:pw@host:port" of "scheme://user:pw@host:port/path".
std::string_view AuthorityOf(std::string_view url) {
  const auto start = url.find("://");
  if (start == std::string_view::npos) return {};
  std::string_view rest = url.substr(start + 3);
  return rest.substr(0, rest.find_first_of("/?#"));
}

Error BadAddress(std::string_view what, std::string_view text) {
  return Refused("Die " + std::string(what) + " \"" + std::string(text) + "\" ist keine gültige Adresse.\r\rIch breche ab.");
}

// Scheme in `schemes`, a host, no blanks or control characters, no query or fragment.
bool WellFormed(std::string_view url, std::initializer_list<std::string_view> schemes) {
  const std::string scheme = SchemeOf(url);
  if (std::find(schemes.begin(), schemes.end(), scheme) == schemes.end()) return false;
  if (HostOf(url).empty()) return false;
  for (char c : url)
    if (static_cast<unsigned char>(c) <= ' ' || c == '?' || c == '#' || c == '\\' || c == 0x7f) return false;
  return true;
}

std::string WithSlash(std::string_view url) {
  std::string out(url);
  if (out.back() != '/') out += '/';
  return out;
}

}  // namespace

ServerSettings ReadServerSettings(const IniFile& ini) {
  ServerSettings s;
  if (const std::string v = ini.read(ini::kUpdateServer); !Trim(v).empty()) s.server = std::string(Trim(v));
  if (const std::string v = ini.read(ini::kUpdateFtpServer); !Trim(v).empty()) s.ftpServer = std::string(Trim(v));
  if (ini.hasKey(ini::kUpdateFtpUser.section, ini::kUpdateFtpUser.key)) s.ftpUser = ini.read(ini::kUpdateFtpUser);
  if (ini.hasKey(ini::kUpdateFtpPassword.section, ini::kUpdateFtpPassword.key))
    s.ftpPassword = ini.read(ini::kUpdateFtpPassword);
  return s;
}

Result<std::string> NormaliseServerAddress(std::string_view text) {
  const std::string_view t = Trim(text);
  if (!WellFormed(t, {"http", "https"})) return BadAddress("Server-Adresse", text);
  return WithSlash(t);
}

Result<std::string> NormaliseFtpAddress(std::string_view text) {
  const std::string_view t = Trim(text);
  const std::string full = t.find("://") == std::string_view::npos ? "ftp://" + std::string(t) : std::string(t);
  if (!WellFormed(full, {"ftp", "ftps"})) return BadAddress("FTP-Adresse", text);
  return WithSlash(full);
}

Result<ServerSettings> CheckServerSettings(ServerSettings settings) {
  auto server = NormaliseServerAddress(settings.server);
  if (!server) return server.error();
  auto ftp = NormaliseFtpAddress(settings.ftpServer);
  if (!ftp) return ftp.error();
  settings.server = *server;
  settings.ftpServer = *ftp;
  return settings;
}

std::string ResourceUrl(const ServerSettings& s, std::string_view path) { return WithSlash(s.server) + std::string(path); }

std::string FtpSizeUrl(const ServerSettings& s, std::string_view fileName) {
  return WithSlash(s.ftpServer) + kFtpDownloadsFolder + std::string(fileName);
}

std::string HostOf(std::string_view url) {
  std::string_view authority = AuthorityOf(url);
  if (const auto at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (!authority.empty() && authority.front() == '[') {
    const auto close = authority.find(']');
    return close == std::string_view::npos ? std::string() : LowerCopy(authority.substr(1, close - 1));
  }
  return LowerCopy(authority.substr(0, authority.find(':')));
}

bool IsLoopbackUrl(std::string_view url) {
  const std::string host = HostOf(url);
  if (host == "localhost" || host == "::1") return true;
  // 127.x.y.z written as four decimal parts.
  if (host.rfind("127.", 0) != 0) return false;
  int parts = 0;
  std::size_t digits = 0;
  for (char c : host) {
    if (c == '.') {
      if (digits == 0 || digits > 3) return false;
      ++parts;
      digits = 0;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return parts == 3 && digits > 0 && digits <= 3;
}

bool IsSafeInstallerUrl(std::string_view url) {
  const std::string scheme = SchemeOf(url);
  return scheme == "https" || (scheme == "http" && IsLoopbackUrl(url));
}

std::string InstallerUrl(const ServerSettings& s) {
  std::string url = ResourceUrl(s, kServerInstallerPath);
  if (!IsSafeInstallerUrl(url) && SchemeOf(url) == "http") url = "https" + url.substr(4);
  return url;
}

}  // namespace kw::update
