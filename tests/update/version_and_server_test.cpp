// "verinfos.ema", the version comparison and the server addresses with their overrides.
#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/settings_ini.h"
#include "update/server_config.h"
#include "update/version_info.h"

namespace kw::update {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Record(double date, const std::string& version) {
  auto r = EncodeVersionRecord(date, version);
  EXPECT_TRUE(r) << version;
  return r ? *r : Bytes{};
}

TEST(VersionInfo, RecordLayoutAndTheLastRecordCounts) {
  const double day = EncodeDate(2024, 3, 18);
  Bytes file = Record(day, "1.7.1.0");
  ASSERT_EQ(file.size(), 24u);
  EXPECT_EQ(file[8], 7);  // length byte
  EXPECT_EQ(std::string(file.begin() + 9, file.begin() + 16), "1.7.1.0");
  for (std::size_t i = 16; i < 24; ++i) EXPECT_EQ(file[i], 0) << i;

  const Bytes second = Record(day + 30, "2.0 Beta ä");
  file.insert(file.end(), second.begin(), second.end());
  const auto read = ReadVersionInfo(file);
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->version, "2.0 Beta ä");  // one Windows-1252 byte in the file
  EXPECT_EQ(read->date, day + 30);
}

TEST(VersionInfo, DamagedFilesAreRefused) {
  const Bytes good = Record(EncodeDate(2024, 3, 18), "1.7.1.1");
  struct Case {
    const char* name;
    Bytes bytes;
    const char* problem;
  };
  Bytes tooLong = good;
  tooLong[8] = 13;
  Bytes noText = good;
  noText[8] = 0;
  Bytes control = good;
  control[10] = '\n';
  const Case cases[] = {
      {"partial record", Bytes(good.begin(), good.end() - 1), "Sie besteht nicht aus ganzen Datensätzen von 24 Bytes (23 Bytes)."},
      {"length beyond 12", tooLong, "Die Versionsangabe ist 13 Zeichen lang, höchstens 12 sind möglich."},
      {"no text", noText, "Sie nennt keine Programmversion."},
      {"control character", control, "Die Versionsangabe enthält Steuerzeichen."},
  };
  for (const Case& c : cases) {
    const auto read = ReadVersionInfo(c.bytes);
    ASSERT_FALSE(read) << c.name;
    EXPECT_EQ(read.error().message, std::string("Die heruntergeladene Datei \"verinfos.ema\" ist beschädigt: ") + c.problem)
        << c.name;
  }
  EXPECT_FALSE(EncodeVersionRecord(0, "1.7.1.1-beta1"));  // 13 characters
  EXPECT_FALSE(EncodeVersionRecord(0, ""));
  EXPECT_FALSE(EncodeVersionRecord(0, "1.7 ✓"));  // not in Windows-1252
}

TEST(VersionInfo, AnyOtherVersionOffersTheDownload) {
  EXPECT_TRUE(VersionDiffers("1.7.1.1", "1.7.1.0"));  // lower counts
  EXPECT_TRUE(VersionDiffers("1.7.1.1", "1.7.2.0"));
  EXPECT_FALSE(VersionDiffers("1.7.1.1", "1.7.1.1"));
}

TEST(ServerSettings, BuiltInValuesAndTheirOverrides) {
  const ServerSettings builtIn = ReadServerSettings(IniFile::Parse(""));
  EXPECT_EQ(builtIn.server, kDefaultServer);
  EXPECT_EQ(builtIn.ftpServer, kDefaultFtpServer);
  EXPECT_EQ(builtIn.ftpUser, kDefaultFtpUser);
  EXPECT_EQ(builtIn.ftpPassword, kDefaultFtpPassword);
  EXPECT_EQ(ResourceUrl(builtIn, kServerDrawsPath), "https://download.kugelwerk.example/downloads/GZahlen.emz");
  EXPECT_EQ(FtpSizeUrl(builtIn, "GZahlen.emz"), "ftp://download.kugelwerk.example/html/downloads/GZahlen.emz");

  const ServerSettings mirror = ReadServerSettings(IniFile::Parse(
      "[Update]\r\nServer=http://127.0.0.1:8080/spiegel\r\nFtpServer=127.0.0.1:2121\r\nFtpUser=kw\r\nFtpPassword=\r\n"));
  auto checked = CheckServerSettings(mirror);
  ASSERT_TRUE(checked) << checked.error().message;
  EXPECT_EQ(ResourceUrl(*checked, kServerQuotasPath), "http://127.0.0.1:8080/spiegel/downloads/EMQuoten.emq");
  EXPECT_EQ(FtpSizeUrl(*checked, "GZahlen.emz"), "ftp://127.0.0.1:2121/html/downloads/GZahlen.emz");
  EXPECT_EQ(checked->ftpUser, "kw");
  EXPECT_EQ(checked->ftpPassword, "") << "a key that is there counts, even empty";

  // Empty addresses mean the built-in ones.
  EXPECT_EQ(ReadServerSettings(IniFile::Parse("[Update]\nServer=\nFtpServer= \n")).server, kDefaultServer);
}

TEST(ServerSettings, AddressesThatAreNoServerAreRefused) {
  for (const char* bad : {"", "download.kugelwerk.example", "file:///etc/passwd", "https://", "https://a b/",
                          "https://host/?x=1", "ftp://host/"}) {
    const auto r = NormaliseServerAddress(bad);
    ASSERT_FALSE(r) << bad;
    EXPECT_EQ(r.error().message, "Die Server-Adresse \"" + std::string(bad) + "\" ist keine gültige Adresse.\r\rIch breche ab.");
  }
  EXPECT_EQ(*NormaliseServerAddress(" HTTPS://Mirror.example "), "HTTPS://Mirror.example/");
  EXPECT_FALSE(NormaliseFtpAddress("http://host/"));
  EXPECT_EQ(*NormaliseFtpAddress("ftps://host:990"), "ftps://host:990/");
}

TEST(ServerSettings, InstallerComesOverHttpsOrFromThisMachineOnly) {
  struct Case {
    const char* server;
    const char* installer;
  };
  const Case cases[] = {
      {"https://mirror.example/", "https://mirror.example/downloads/emaupdate.sh"},
      {"http://mirror.example/kw/", "https://mirror.example/kw/downloads/emaupdate.sh"},
      {"HTTP://mirror.example/", "https://mirror.example/downloads/emaupdate.sh"},
      {"http://127.0.0.1:8000/", "http://127.0.0.1:8000/downloads/emaupdate.sh"},
      {"http://localhost/", "http://localhost/downloads/emaupdate.sh"},
      {"http://[::1]:81/", "http://[::1]:81/downloads/emaupdate.sh"},
      // Names that only look like this machine.
      {"http://127.0.0.1.evil.example/", "https://127.0.0.1.evil.example/downloads/emaupdate.sh"},
      {"http://localhost@evil.example/", "https://localhost@evil.example/downloads/emaupdate.sh"},
  };
  for (const Case& c : cases) {
    ServerSettings s;
    s.server = c.server;
    EXPECT_EQ(InstallerUrl(s), c.installer) << c.server;
    EXPECT_TRUE(IsSafeInstallerUrl(InstallerUrl(s))) << c.server;
  }
  // Data files keep the address as configured.
  ServerSettings plain;
  plain.server = "http://mirror.example/";
  EXPECT_EQ(ResourceUrl(plain, kServerDrawsPath), "http://mirror.example/downloads/GZahlen.emz");
  EXPECT_FALSE(IsSafeInstallerUrl("http://192.168.1.2/x"));
  EXPECT_FALSE(IsSafeInstallerUrl("ftp://127.0.0.1/x"));
}

}  // namespace
}  // namespace kw::update
