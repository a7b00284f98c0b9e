// The update against real servers on 127.0.0.1: an HTTP server over a folder, an FTP server
// (pyftpdlib) for the size query, a server that stalls. Every test starts and stops its own.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/dates.h"
#include "local_servers.h"
#include "platform/network_transport.h"
#include "real_history.h"
#include "update/data_folder.h"
#include "update/downloads.h"
#include "update/self_update.h"
#include "update/update_check.h"
#include "update/version_info.h"

namespace kw::update {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using kwtest::FirstRecords;
using kwtest::RealDraws;
using kwtest::RealQuotas;

constexpr const char* kFtpUser = "kw";
constexpr const char* kFtpPassword = "geheim";

// One HTTP server for the suite; each test has its own folder below its root: "tN/html/" is
// the test's web root, "tN/" the FTP login's home.
class UpdateServers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared_ = new kwtest::TempDir;
    http_ = new kwtest::LocalServer(kwtest::LocalServer::Http(shared_->path()));
  }
  static void TearDownTestSuite() {
    delete http_;
    delete shared_;
  }
  void SetUp() override {
    static int count = 0;
    prefix_ = "t" + std::to_string(++count);
    fs::create_directories(web("downloads"));
    fs::create_directories(web("EMI"));
    fs::create_directories(data());
    ftpUrl_ = "ftp://127.0.0.1:" + std::to_string(kwtest::UnusedPort()) + "/";
  }
  void TearDown() override { platform::SetOnlineHook({}); }

  std::string data() const { return root_.file("data") + "/"; }
  std::string home() const { return shared_->file(prefix_); }
  std::string web(const std::string& path) const { return home() + "/html/" + path; }
  std::string serverUrl() const { return http_->url() + prefix_ + "/html/"; }
  int requestCount(const std::string& path) const { return http_->requestCount("/" + prefix_ + "/html/" + path); }
  bool anyRequest() const {
    for (const auto& r : http_->requests())
      if (r.rfind("/" + prefix_ + "/", 0) == 0) return true;
    return false;
  }

  void serveDraws(const std::vector<TGewZahlen>& draws) { kwtest::WriteBytes(web(kServerDrawsPath), EncodeRecords(draws)); }
  void serveQuotas(const std::vector<TQuoten>& quotas) {
    kwtest::WriteBytes(web(kServerQuotasPath), EncodeRecords(quotas));
  }
  void serveVersion(const std::string& version) {
    kwtest::WriteBytes(web(kServerVersionPath), *EncodeVersionRecord(EncodeDate(2024, 3, 18), version));
  }
  void serveAll(std::size_t draws) {
    serveDraws(FirstRecords(RealDraws(), draws));
    serveQuotas(FirstRecords(RealQuotas(), draws));
    serveVersion("1.7.1.1");
  }
  void keepLocally(std::size_t draws) {
    kwtest::WriteBytes(data() + kDrawsFileName, EncodeRecords(FirstRecords(RealDraws(), draws)));
    kwtest::WriteBytes(data() + kQuotasFileName, EncodeRecords(FirstRecords(RealQuotas(), draws)));
  }
  std::vector<Bytes> localFiles() const {
    return {kwtest::ReadBytes(data() + kDrawsFileName), kwtest::ReadBytes(data() + kQuotasFileName)};
  }
  // The FTP login's home folder holds "html/downloads/GZahlen.emz".
  void startFtp(const std::string& home) {
    ftp_ = std::make_unique<kwtest::LocalServer>(kwtest::LocalServer::Ftp(home, kFtpUser, kFtpPassword));
    ftpUrl_ = ftp_->url();
  }

  ServerSettings settings() const {
    ServerSettings s;
    s.server = serverUrl();
    s.ftpServer = ftpUrl_;
    s.ftpUser = kFtpUser;
    s.ftpPassword = ftpPassword_;
    return *CheckServerSettings(s);
  }

  CheckInputs inputs() const {
    auto local = ReadLocalData(data());
    EXPECT_TRUE(local) << local.error().message;
    CheckInputs in;
    in.server = settings();
    in.draws = local->draws;
    in.quotas = local->quotas;
    in.localDrawsFileSize = local->drawsFileSize;
    in.programVersion = "1.7.1.1";
    return in;
  }

  // The whole update as the command-line tool does it: read, check, apply.
  CheckResult update(CheckOptions options, platform::TransportOptions transportOptions = {}) {
    const CheckInputs in = inputs();
    auto transport = platform::MakeBlockingTransport(transportOptions);
    CheckResult result = RunCheck(in, options, *transport);
    ApplyToDataFolder(data(), in.draws, result);
    return result;
  }

  int drawDownloads() const { return requestCount(kServerDrawsPath); }

  static inline kwtest::TempDir* shared_ = nullptr;
  static inline kwtest::LocalServer* http_ = nullptr;
  std::string prefix_;
  kwtest::TempDir root_;
  std::unique_ptr<kwtest::LocalServer> ftp_;
  std::string ftpUrl_;
  std::string ftpPassword_ = kFtpPassword;
};

constexpr CheckOptions kDraws{true, false, false, false};
constexpr CheckOptions kAll{true, true, true, false};
constexpr CheckOptions kAllByUser{true, true, true, true};

TEST_F(UpdateServers, WithoutConnectionNothingIsAskedAndTheStatusesSaySo) {
  serveAll(1974);
  keepLocally(1900);
  const auto before = localFiles();
  platform::SetOnlineHook([](const std::string&) { return false; });

  const CheckResult atStart = update(kAll);
  EXPECT_FALSE(atStart.online);
  EXPECT_EQ(StatusText(atStart.draws.status), "Keine Internetverbindung");
  EXPECT_EQ(StatusText(atStart.quotas.status), "Keine Internetverbindung");
  EXPECT_TRUE(atStart.version.showNotChecked);
  EXPECT_TRUE(atStart.messages.empty()) << "the check at program start shows no message";

  const CheckResult byUser = update(kAllByUser);
  EXPECT_EQ(byUser.messages, std::vector<std::string>{"Für die Aktualisierung muss eine Verbindung zum Internet bestehen."});
  EXPECT_FALSE(anyRequest());
  EXPECT_EQ(localFiles(), before);
}

TEST_F(UpdateServers, ServerHistoryOfTheSameSizeIsNotDownloaded) {
  serveAll(1900);
  keepLocally(1900);
  startFtp(home());
  const CheckResult r = update(kDraws);
  EXPECT_EQ(StatusText(r.draws.status), "Nichts aktuelleres online");
  EXPECT_EQ(drawDownloads(), 0);
}

TEST_F(UpdateServers, FailingSizeQueryDownloadsAnyway) {
  serveAll(1974);
  struct Case {
    const char* name;
    std::function<void()> prepare;
  };
  const Case cases[] = {
      {"nothing listens on the FTP port", [] {}},
      {"login refused",
       [&] {
         startFtp(home());
         ftpPassword_ = "falsch";
       }},
      {"no such file on the FTP server", [&] { startFtp(data()); }},
  };
  for (const Case& c : cases) {
    keepLocally(1900);
    ftpPassword_ = kFtpPassword;
    c.prepare();
    const CheckResult r = update(kDraws);
    EXPECT_EQ(StatusText(r.draws.status), "Aktualisiert") << c.name << ": " << r.draws.message;
    EXPECT_EQ(kwtest::ReadBytes(data() + kDrawsFileName), EncodeRecords(RealDraws())) << c.name;
    ftp_.reset();
  }
}

TEST_F(UpdateServers, FailingSizeQueryWithoutNewerDrawsIsAFailedUpdate) {
  serveAll(1974);
  keepLocally(1974);
  const auto before = localFiles();
  const CheckResult r = update(kDraws);
  EXPECT_EQ(drawDownloads(), 2) << "downloaded in two passes";
  EXPECT_EQ(StatusText(r.draws.status), "Aktualisierung fehlgeschlagen");
  EXPECT_EQ(r.draws.message, "Auf dem Server gibt es keine neueren Gewinnzahlen als bei Ihnen.");
  EXPECT_EQ(localFiles(), before);
}

TEST_F(UpdateServers, ResourcesOfThreeBytesCountAsFailedDownloads) {
  keepLocally(1900);
  const auto before = localFiles();
  for (const char* path : {kServerDrawsPath, kServerQuotasPath, kServerVersionPath})
    kwtest::WriteBytes(web(path), {1, 2, 3});
  const CheckResult r = update(kAllByUser);
  EXPECT_EQ(StatusText(r.draws.status), "Aktualisierung fehlgeschlagen");
  EXPECT_EQ(r.draws.message, "Die Datei \"GZahlen.emz\" auf dem Server ist mit 3 Bytes zu kurz, um gültig zu sein.");
  EXPECT_EQ(StatusText(r.quotas.status), "Aktualisierung fehlgeschlagen");
  EXPECT_FALSE(r.version.checked);
  EXPECT_FALSE(r.version.showNotChecked);
  EXPECT_EQ(r.messages, std::vector<std::string>{"Die Aktualisierung hat leider nicht geklappt.\r"});
  EXPECT_EQ(localFiles(), before);
}

TEST_F(UpdateServers, AnotherVersionOnTheServerShowsTheDownloadArea) {
  keepLocally(10);
  struct Case {
    const char* online;
    bool download;
  };
  for (const Case c : {Case{"1.7.1.0", true}, Case{"1.7.1.1", false}, Case{"1.8.0.0", true}}) {
    serveVersion(c.online);
    const CheckResult r = update({false, false, true, true});
    EXPECT_TRUE(r.version.checked) << r.version.message;
    EXPECT_EQ(r.version.installed, "1.7.1.1");
    EXPECT_EQ(r.version.online, c.online);
    EXPECT_EQ(r.version.showDownload, c.download) << c.online;
    EXPECT_TRUE(r.messages.empty());
  }
}

TEST_F(UpdateServers, DamagedServerHistoryChangesNothing) {
  serveQuotas(RealQuotas());
  serveVersion("1.7.1.1");
  struct Case {
    const char* name;
    std::function<Bytes()> server;
    const char* messagePart;
  };
  const Case cases[] = {
      {"one number out of range",
       [] {
         Bytes b = EncodeRecords(RealDraws());
         b[1950 * 16 + 10] = 77;
         return b;
       },
       "Datensatz 1.951 vom "},
      {"truncated last record",
       [] {
         Bytes b = EncodeRecords(RealDraws());
         b.resize(b.size() - 7);
         return b;
       },
       "Sie endet mit einem unvollständigen Datensatz (31.577 Bytes sind kein Vielfaches von 16)."},
      {"shifted by one draw",
       [] { return EncodeRecords(std::vector<TGewZahlen>(RealDraws().begin() + 1, RealDraws().end())); },
       "passt nicht zu Ihren Gewinnzahlen: die 1. Ausspielung ist dort vom 20.02.2004, bei Ihnen vom 13.02.2004."},
  };
  for (const Case& c : cases) {
    keepLocally(1900);
    const auto before = localFiles();
    kwtest::WriteBytes(web(kServerDrawsPath), c.server());
    const CheckResult r = update({true, true, false, false});
    EXPECT_EQ(StatusText(r.draws.status), "Aktualisierung fehlgeschlagen") << c.name;
    EXPECT_NE(r.draws.message.find(c.messagePart), std::string::npos) << c.name << ": " << r.draws.message;
    EXPECT_NE(r.draws.message.find("Ich habe nichts übernommen."), std::string::npos) << c.name;
    // The quotas of the local draws are the server's: nothing to change there either.
    EXPECT_EQ(StatusText(r.quotas.status), "Aktualisiert") << c.name;
    EXPECT_FALSE(r.quotas.changed) << c.name;
    EXPECT_EQ(localFiles(), before) << c.name;
  }
}

TEST_F(UpdateServers, DifferingOldDrawIsKeptAndNamedNewDrawsAppended) {
  keepLocally(1900);
  auto server = RealDraws();
  server[100].SZ[0] = server[100].SZ[0] == 12 ? 11 : 12;
  serveDraws(server);
  const CheckResult r = update(kDraws);
  EXPECT_EQ(StatusText(r.draws.status), "Aktualisiert");
  EXPECT_EQ(r.draws.appended.size(), 74u);
  EXPECT_NE(r.draws.notice.find("Die Ausspielung vom " + DateText(RealDraws()[100].datum) + " steht auf dem Server mit "
                                                                                            "anderen Zahlen"),
            std::string::npos)
      << r.draws.notice;
  EXPECT_EQ(kwtest::ReadBytes(data() + kDrawsFileName), EncodeRecords(RealDraws())) << "the local draw stays";
}

TEST_F(UpdateServers, StallingServerTimesOutAndChangesNothing) {
  keepLocally(1900);
  const auto before = localFiles();
  const auto stall = kwtest::LocalServer::Stall();
  ServerSettings s = settings();
  s.server = stall.url();
  CheckInputs in = inputs();
  in.server = s;
  platform::TransportOptions quick;
  quick.stallTimeout = std::chrono::milliseconds(1500);
  auto transport = platform::MakeBlockingTransport(quick);
  const auto start = std::chrono::steady_clock::now();
  CheckResult r = RunCheck(in, kDraws, *transport);
  ApplyToDataFolder(data(), in.draws, r);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(StatusText(r.draws.status), "Aktualisierung fehlgeschlagen");
  EXPECT_EQ(r.draws.message,
            "Die Datei \"GZahlen.emz\" konnte nicht vom Server geladen werden.\r\rDer Server hat 1,5 Sekunden lang "
            "keine Daten geschickt. Ich habe den Download abgebrochen.");
  EXPECT_EQ(localFiles(), before);

  // A download into a file that breaks off leaves the old file as it was.
  kwtest::WriteBytes(data() + "Update.sh", {'a', 'l', 't'});
  const auto broken = DownloadFile(*transport, stall.url() + "downloads/emaupdate.sh", data() + "Update.sh", 1 << 20);
  EXPECT_FALSE(broken);
  EXPECT_EQ(kwtest::ReadBytes(data() + "Update.sh"), (Bytes{'a', 'l', 't'}));
}

TEST_F(UpdateServers, QuotasAreMergedByDate) {
  keepLocally(1900);
  auto local = FirstRecords(RealQuotas(), 1900);
  local[5].amount(13) = 4.5f;  // typed in by the user
  kwtest::WriteBytes(data() + kQuotasFileName, EncodeRecords(local));
  // The server copy lacks its first record, knows nothing of class 13 in draw 6 and has a
  // corrected amount in draw 101.
  std::vector<TQuoten> server(RealQuotas().begin() + 1, RealQuotas().end());
  server[4].amount(13) = -1.0f;
  server[99].amount(2) = 123456.5f;
  serveDraws(RealDraws());
  serveQuotas(server);

  const CheckResult r = update({true, true, false, false});
  ASSERT_EQ(StatusText(r.quotas.status), "Aktualisiert") << r.quotas.message;
  auto expected = RealQuotas();
  expected[5].amount(13) = 4.5f;
  expected[100].amount(2) = 123456.5f;
  EXPECT_EQ(kwtest::ReadBytes(data() + kQuotasFileName), EncodeRecords(expected));
}

TEST_F(UpdateServers, MissingResourceNamesTheServersAnswer) {
  keepLocally(10);
  const CheckResult r = update({false, true, false, false});
  EXPECT_EQ(r.quotas.message,
            "Die Datei \"EMQuoten.emq\" konnte nicht vom Server geladen werden.\r\rDie Datei gibt es auf dem Server "
            "nicht (Fehler 404).");
}

TEST_F(UpdateServers, AsynchronousRunAndStop) {
  serveAll(1974);
  keepLocally(1900);
  const auto app = platform::EnsureQtApplication();
  platform::AsyncJobRunner runner;
  const CheckInputs in = inputs();
  UpdateCheck check(in, kAll);
  bool done = false;
  std::int64_t received = 0;
  ASSERT_TRUE(runner.start(check, [&](std::int64_t got, std::int64_t) { received = std::max(received, got); },
                           [&] { done = true; }));
  EXPECT_FALSE(runner.start(check, {}, {})) << "one job at a time";
  ASSERT_TRUE(platform::ProcessEventsUntil([&] { return done; }, std::chrono::seconds(30)));
  EXPECT_FALSE(runner.running());
  EXPECT_EQ(check.result().draws.appended.size(), 74u);
  EXPECT_EQ(StatusText(check.result().quotas.status), "Aktualisiert");
  EXPECT_EQ(check.result().version.online, "1.7.1.1");
  EXPECT_EQ(received, static_cast<std::int64_t>(EncodeRecords(RealQuotas()).size()));

  // Stopped while the server stalls: the check ends at once.
  const auto stall = kwtest::LocalServer::Stall();
  CheckInputs stalled = in;
  stalled.server.server = stall.url();
  UpdateCheck second(stalled, kAll);
  done = false;
  ASSERT_TRUE(runner.start(second, {}, [&] { done = true; }));
  platform::ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(300));
  runner.stop();
  ASSERT_TRUE(platform::ProcessEventsUntil([&] { return done; }, std::chrono::seconds(5)));
  EXPECT_TRUE(second.result().stopped);
  EXPECT_EQ(second.result().draws.message, "Die Aktualisierung wurde abgebrochen.");
  EXPECT_EQ(second.result().quotas.status, StepStatus::NotRun);
}

TEST_F(UpdateServers, InstallerFromTheServerOnThisMachine) {
  keepLocally(10);
  const Bytes installer = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n', 'e', 'x', 'i', 't', '\n'};
  kwtest::WriteBytes(web(kServerInstallerPath), installer);
  InstallerDownload job(settings());
  auto transport = platform::MakeBlockingTransport();
  RunJob(job, *transport);
  ASSERT_TRUE(job.outcome().ok) << job.outcome().detail;
  auto path = ApplyInstallerDownload(data(), job.outcome());
  ASSERT_TRUE(path);
  EXPECT_EQ(kwtest::ReadBytes(*path), installer);
  EXPECT_EQ(requestCount(kServerInstallerPath), 2);

  fs::remove(web(kServerInstallerPath));
  InstallerDownload missing(settings());
  RunJob(missing, *transport);
  EXPECT_FALSE(missing.outcome().ok);
  EXPECT_EQ(missing.outcome().message, InstallerFailedMessage());
  EXPECT_FALSE(ApplyInstallerDownload(data(), missing.outcome()));
  EXPECT_FALSE(fs::exists(*path));
}

TEST_F(UpdateServers, InstallerIsNeverFetchedOverPlainHttpFromAnotherMachine) {
  auto transport = platform::MakeBlockingTransport();
  GetRequest direct;
  direct.url = "http://192.0.2.1/downloads/emaupdate.sh";
  direct.secureOnly = true;
  const GetReply refused = transport->get(direct, {}, nullptr);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, "Die Adresse \"http://192.0.2.1/downloads/emaupdate.sh\" kann nicht geladen werden.");

  // The server on this machine may not hand the download on to plain http elsewhere.
  const auto redirect = kwtest::LocalServer::Redirect("http://kugelwerk.invalid/emaupdate.sh");
  ServerSettings s = settings();
  s.server = redirect.url();
  InstallerDownload job(s);
  RunJob(job, *transport);
  EXPECT_FALSE(job.outcome().ok);
  EXPECT_EQ(job.outcome().detail,
            "Die Datei \"Update.sh\" konnte nicht vom Server geladen werden.\r\rDer Server leitet auf die Adresse "
            "\"http://kugelwerk.invalid/emaupdate.sh\" um. Die Installations-Datei wird nur über eine verschlüsselte "
            "Verbindung (https) geladen.");
}

}  // namespace
}  // namespace kw::update
