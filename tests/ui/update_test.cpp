// The update window and the quota window's download against real servers on 127.0.0.1 (the
// update tests' HTTP, FTP and stalling servers), with every window made by the catalogue.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QPushButton>
#include <QTextBrowser>
#include <chrono>
#include <filesystem>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/quota_store.h"
#include "core/settings_ini.h"
#include "core/settings_record.h"
#include "platform/installer_launch.h"
#include "platform/network_transport.h"
#include "ui/Auswertung.h"
#include "ui/Optionen.h"
#include "ui/Quoten.h"
#include "ui/Update.h"
#include "ui/message_box.h"
#include "ui_fixture.h"
#include "update/local_servers.h"
#include "update/real_history.h"
#include "update/self_update.h"
#include "update/server_config.h"
#include "update/version_info.h"

namespace kwtest {
namespace {

namespace fs = std::filesystem;
using kw::ui::MessageBox;
using kw::ui::TFUpdate;

constexpr const char* kFtpUser = "kw";
constexpr const char* kFtpPassword = "geheim";
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kRed(0xFF, 0x80, 0x80);

QColor PanelColour(const QWidget* panel) { return panel->palette().color(QPalette::Window); }

// One HTTP server for the suite over a shared folder: "tN/html/" is a test's web root, "tN/"
// the home of its FTP login.
class UpdateWindowTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    shared_ = new TempDir;
    http_ = new LocalServer(LocalServer::Http(shared_->path()));
  }
  static void TearDownTestSuite() {
    delete http_;
    delete shared_;
  }
  void SetUp() override {
    UiTest::SetUp();
    static int count = 0;
    prefix_ = "t" + std::to_string(++count);
    fs::create_directories(web("downloads"));
    fs::create_directories(web("EMI"));
    pointAt(serverUrl(), "ftp://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
    kw::ui::SetUpdateTransportOptions({std::chrono::milliseconds(5000), std::chrono::milliseconds(5000)});
    MessageBox::clearShown();
  }
  void TearDown() override {
    UiTest::TearDown();
    kw::platform::SetOnlineHook({});
    kw::platform::SetStartDetachedHook({});
    kw::ui::SetUpdateTransportOptions({});
  }

  std::string home() const { return shared_->file(prefix_); }
  std::string web(const std::string& path) const { return home() + "/html/" + path; }
  std::string serverUrl() const { return http_->url() + prefix_ + "/html/"; }
  int requestCount(const std::string& path) const { return http_->requestCount("/" + prefix_ + "/html/" + path); }

  void pointAt(const std::string& server, const std::string& ftp) {
    ASSERT_TRUE(kw::UpdateIniFile(dataDir() + kw::kIniFileName, [&](kw::IniFile& f) {
      f.write(kw::ini::kUpdateServer, server);
      f.write(kw::ini::kUpdateFtpServer, ftp);
      f.write(kw::ini::kUpdateFtpUser, kFtpUser);
      f.write(kw::ini::kUpdateFtpPassword, kFtpPassword);
    }));
  }
  void serve(std::size_t draws, const std::string& version) {
    WriteBytes(web(kw::update::kServerDrawsPath), kw::EncodeRecords(FirstRecords(RealDraws(), draws)));
    WriteBytes(web(kw::update::kServerQuotasPath), kw::EncodeRecords(FirstRecords(RealQuotas(), draws)));
    WriteBytes(web(kw::update::kServerVersionPath), *kw::update::EncodeVersionRecord(kw::EncodeDate(2026, 8, 1), version));
    WriteBytes(web(kw::update::kServerNewsPath),
               {'<', 'h', '1', '>', 'N', 'e', 'u', 'i', 'g', 'k', 'e', 'i', 't', 'e', 'n', '<', '/', 'h', '1', '>'});
  }
  void keepLocally(std::size_t draws) {
    writeDraws(FirstRecords(RealDraws(), draws));
    WriteBytes(dataDir() + kw::kQuotasFileName, kw::EncodeRecords(FirstRecords(RealQuotas(), draws)));
  }
  // The update choices of the start-up settings.
  void choose(bool draws, bool quotas, bool version) {
    kw::SettingsRecord record;
    record.CBGewinnreihen = draws;
    record.CBGewinnQuoten = quotas;
    record.CBUpdates = version;
    ASSERT_TRUE(kw::WriteSettingsFile(dataDir() + kw::kSettingsFileName, record));
  }
  std::vector<std::uint8_t> localFile(const char* name) const { return ReadBytes(dataDir() + name); }

  TFUpdate* window() { return catalogue().updateWindow(); }
  // Lets the event loop run until the window's downloads are over.
  ::testing::AssertionResult settle(TFUpdate* w, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    if (kw::platform::ProcessEventsUntil([w] { return !w->busy(); }, limit)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "still busy after " << limit.count() << " ms";
  }
  QString shownTexts() const {
    QStringList texts;
    for (const auto& shown : MessageBox::shown()) texts << shown.text;
    return texts.join(QStringLiteral(" | "));
  }

  static inline TempDir* shared_ = nullptr;
  static inline LocalServer* http_ = nullptr;
  std::string prefix_;
};

TEST_F(UpdateWindowTest, TheCheckAtStartTakesNewDrawsAndQuotasSilentlyAndTheListsFollow) {
  const std::size_t all = RealDraws().size();
  serve(all, "1.7.2.0");
  keepLocally(all - 5);
  choose(true, true, true);
  TFUpdate* w = window();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Updates"));
  EXPECT_TRUE(w->CB1->isChecked() && w->CB2->isChecked() && w->CB3->isChecked());
  ASSERT_TRUE(settle(w));
  EXPECT_TRUE(MessageBox::shown().empty()) << shownTexts().toStdString();

  // Store and files: the five new draws and their amounts.
  EXPECT_EQ(store().draws(), RealDraws());
  EXPECT_EQ(localFile(kw::kDrawsFileName), kw::EncodeRecords(RealDraws()));
  for (std::size_t i = 0; i < all; ++i) ASSERT_EQ(store().quotas()[i], RealQuotas()[i]) << i;
  EXPECT_EQ(w->LCB1->text(), QStringLiteral("Aktualisiert"));
  EXPECT_EQ(PanelColour(w->PCB1), kGreen);
  EXPECT_EQ(w->LCB2->text(), QStringLiteral("Aktualisiert"));
  EXPECT_EQ(PanelColour(w->PCB2), kGreen);
  EXPECT_EQ(w->PAkt->text(), QStringLiteral("1.7.1.1"));
  EXPECT_EQ(w->POnl->text(), QStringLiteral("1.7.2.0"));
  EXPECT_TRUE(w->Panel6->isVisibleTo(w));
  EXPECT_FALSE(w->Panel4->isVisibleTo(w));
  EXPECT_FALSE(w->PInst->isVisibleTo(w));

  // The main window's date lists and the quota window's list end on the newest draw.
  const QString newest = QString::fromStdString(kw::DateText(RealDraws().back().datum));
  kw::ui::TFAuswertung* main = catalogue().mainWindow();
  EXPECT_EQ(main->Combo1->count(), static_cast<int>(all));
  EXPECT_EQ(main->ComboBox1->itemText(main->ComboBox1->count() - 1), newest);
  EXPECT_EQ(main->Combo2->currentText(), newest);
  kw::ui::TFQuoten* quotas = catalogue().quotaWindow();
  EXPECT_GE(quotas->Combo1->findText(newest), static_cast<int>(all) - 1);

  // Asked again by the user: no FTP here, so the history is fetched and brings nothing newer.
  const int before = requestCount(kw::update::kServerDrawsPath);
  ASSERT_TRUE(w->RunCheck(true));
  ASSERT_TRUE(settle(w));
  EXPECT_EQ(requestCount(kw::update::kServerDrawsPath), before + 2);
  EXPECT_EQ(w->LCB1->text(), QStringLiteral("Aktualisierung fehlgeschlagen"));
  EXPECT_EQ(PanelColour(w->PCB1), kRed);
  EXPECT_EQ(w->LCB2->text(), QStringLiteral("Aktualisiert"));
  ASSERT_EQ(MessageBox::shown().size(), 1u) << shownTexts().toStdString();
  EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
  EXPECT_EQ(MessageBox::lastText(),
            QStringLiteral("Auf dem Server gibt es keine neueren Gewinnzahlen als bei Ihnen."));
  EXPECT_EQ(store().draws(), RealDraws());
}

TEST_F(UpdateWindowTest, AServerHistoryOfTheLocalSizeIsNotFetched) {
  serve(1900, "1.7.1.1");
  keepLocally(1900);
  const LocalServer ftp = LocalServer::Ftp(home(), kFtpUser, kFtpPassword);
  pointAt(serverUrl(), ftp.url());
  choose(true, false, true);
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  EXPECT_EQ(requestCount(kw::update::kServerDrawsPath), 0);
  EXPECT_EQ(w->LCB1->text(), QStringLiteral("Nichts aktuelleres online"));
  EXPECT_EQ(PanelColour(w->PCB1), kRed);
  // Not chosen: neutral and empty.
  EXPECT_EQ(w->LCB2->text(), QString());
  EXPECT_EQ(PanelColour(w->PCB2), w->palette().color(QPalette::Button));
  // The same version: no download offered.
  EXPECT_EQ(w->POnl->text(), QStringLiteral("1.7.1.1"));
  EXPECT_FALSE(w->Panel6->isVisibleTo(w));
}

TEST_F(UpdateWindowTest, WithoutConnectionTheStartSaysSoQuietlyAndTheUserIsTold) {
  serve(1974, "1.7.2.0");
  keepLocally(1900);
  choose(true, true, true);
  kw::platform::SetOnlineHook([](const std::string&) { return false; });
  const auto files = std::make_pair(localFile(kw::kDrawsFileName), localFile(kw::kQuotasFileName));
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  EXPECT_TRUE(MessageBox::shown().empty()) << shownTexts().toStdString();
  for (const auto& [panel, label] : {std::pair{w->PCB1, w->LCB1}, std::pair{w->PCB2, w->LCB2}}) {
    EXPECT_EQ(label->text(), QStringLiteral("Keine Internetverbindung"));
    EXPECT_EQ(PanelColour(panel), kRed);
  }
  EXPECT_TRUE(w->Panel4->isVisibleTo(w));
  EXPECT_EQ(w->Panel4->text(), QStringLiteral("nicht geprüft"));

  w->BAbfrage->click();
  ASSERT_TRUE(settle(w));
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Für die Aktualisierung muss eine Verbindung zum Internet bestehen."));
  EXPECT_EQ(MessageBox::shown().size(), 1u);
  EXPECT_EQ(requestCount(kw::update::kServerDrawsPath), 0);
  EXPECT_EQ(std::make_pair(localFile(kw::kDrawsFileName), localFile(kw::kQuotasFileName)), files);
  EXPECT_EQ(store().draws().size(), 1900u);

  w->BAktuell->click();
  ASSERT_TRUE(settle(w));
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Für den Seiten-Aufruf muss eine Verbindung zum Internet bestehen."));
}

TEST_F(UpdateWindowTest, AStalledServerEndsInTheTimeOutMessageAndChangesNothing) {
  const LocalServer stall = LocalServer::Stall();
  pointAt(stall.url(), "ftp://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
  kw::ui::SetUpdateTransportOptions({std::chrono::milliseconds(500), std::chrono::milliseconds(2000)});
  keepLocally(1900);
  const auto files = std::make_pair(localFile(kw::kDrawsFileName), localFile(kw::kQuotasFileName));
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  w->CB1->setChecked(true);
  w->CB2->setChecked(true);
  w->BAbfrage->click();
  EXPECT_FALSE(w->BAbfrage->isEnabled());
  ASSERT_TRUE(settle(w));
  EXPECT_TRUE(w->BAbfrage->isEnabled());
  EXPECT_EQ(w->LCB1->text(), QStringLiteral("Aktualisierung fehlgeschlagen"));
  EXPECT_EQ(w->LCB2->text(), QStringLiteral("Aktualisierung fehlgeschlagen"));
  ASSERT_EQ(MessageBox::shown().size(), 1u) << shownTexts().toStdString();
  const QString text = MessageBox::lastText();
  EXPECT_TRUE(text.contains(QStringLiteral("\"GZahlen.emz\" konnte nicht vom Server geladen werden"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Der Server hat 0,5 Sekunden lang keine Daten geschickt"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("\"EMQuoten.emq\""))) << text.toStdString();
  EXPECT_EQ(std::make_pair(localFile(kw::kDrawsFileName), localFile(kw::kQuotasFileName)), files);
  EXPECT_EQ(store().draws().size(), 1900u);
}

TEST_F(UpdateWindowTest, StopEndsARunningDownloadAtOnce) {
  const LocalServer stall = LocalServer::Stall();
  pointAt(stall.url(), "ftp://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
  kw::ui::SetUpdateTransportOptions({std::chrono::seconds(60), std::chrono::milliseconds(2000)});
  keepLocally(100);
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  w->CB1->setChecked(true);
  w->BAbfrage->click();
  ASSERT_TRUE(w->stopButton->isVisibleTo(w));
  // The first bytes of the history arrive, then the server falls silent.
  ASSERT_TRUE(kw::platform::ProcessEventsUntil(
      [w] { return w->progressLabel->text().contains(QStringLiteral("\"GZahlen.emz\" wird geladen: 10")); },
      std::chrono::seconds(20)))
      << w->progressLabel->text().toStdString();
  const auto clicked = std::chrono::steady_clock::now();
  w->stopButton->click();
  ASSERT_TRUE(settle(w, std::chrono::seconds(5)));
  EXPECT_LT(std::chrono::steady_clock::now() - clicked, std::chrono::seconds(5));
  EXPECT_EQ(w->LCB1->text(), QStringLiteral("Aktualisierung fehlgeschlagen"));
  EXPECT_TRUE(MessageBox::shown().empty()) << shownTexts().toStdString();
  EXPECT_FALSE(w->stopButton->isVisibleTo(w));
  EXPECT_EQ(store().draws().size(), 100u);
}

TEST_F(UpdateWindowTest, TheNewVersionIsDownloadedAndInstalledAndTheProgramEnds) {
  serve(1900, "1.7.2.0");
  keepLocally(1900);
  const std::vector<std::uint8_t> installer = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'};
  WriteBytes(web(kw::update::kServerInstallerPath), installer);
  choose(false, false, true);
  std::vector<std::vector<std::string>> started;
  kw::platform::SetStartDetachedHook([&](const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> call{program};
    call.insert(call.end(), args.begin(), args.end());
    started.push_back(call);
    return true;
  });
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  ASSERT_TRUE(w->Panel6->isVisibleTo(w));
  w->BDown->click();
  ASSERT_TRUE(settle(w));
  ASSERT_TRUE(w->PInst->isVisibleTo(w)) << shownTexts().toStdString();
  const std::string path = kw::update::InstallerPath(dataDir());
  EXPECT_EQ(ReadBytes(path), installer);

  // No: nothing starts, the user is told how to do it by hand.
  MessageBox::setNextAnswer(MessageBox::No);
  w->BitBtn2->click();
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Installation wurde auf Ihren Wunsch abgebrochen.")));

  // Yes: the installer and the removal script start, and the program ends as on closing.
  kw::ui::TFAuswertung* main = catalogue().mainWindow();
  main->show();
  w->show();
  MessageBox::setNextAnswer(MessageBox::Yes);
  w->BitBtn2->click();
  ASSERT_EQ(started.size(), 2u);
  bool installerStarted = false, scriptStarted = false;
  for (const auto& call : started)
    for (const auto& part : call) {
      installerStarted |= part == path;
      scriptStarted |= part.find("/uis") != std::string::npos && part.ends_with(".sh");
    }
  EXPECT_TRUE(installerStarted);
  EXPECT_TRUE(scriptStarted);
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(w->isVisible());
  for (const auto& call : started)
    for (const auto& part : call)
      if (part.ends_with(".sh") && part.find("/uis") != std::string::npos) fs::remove(part);
}

TEST_F(UpdateWindowTest, AMissingInstallerGivesTheFailureMessageAndLeavesNoFile) {
  serve(1900, "1.7.2.0");
  keepLocally(1900);
  choose(false, false, true);
  WriteBytes(kw::update::InstallerPath(dataDir()), {1, 2, 3, 4, 5});  // an old one
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  w->BDown->click();
  ASSERT_TRUE(settle(w));
  EXPECT_FALSE(w->PInst->isVisibleTo(w));
  EXPECT_TRUE(MessageBox::lastText().startsWith(QStringLiteral("Der Download ist gescheitert.")))
      << MessageBox::lastText().toStdString();
  EXPECT_TRUE(MessageBox::lastText().contains(QStringLiteral("404")));
  EXPECT_FALSE(kw::FileExists(kw::update::InstallerPath(dataDir())));
}

TEST_F(UpdateWindowTest, TheNewsPageIsShownInTheWindow) {
  serve(100, "1.7.1.1");
  keepLocally(100);
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  w->BAktuell->click();
  ASSERT_TRUE(settle(w));
  EXPECT_TRUE(w->web1->toPlainText().contains(QStringLiteral("Neuigkeiten"))) << w->web1->toPlainText().toStdString();
  EXPECT_EQ(requestCount(kw::update::kServerNewsPath), 1);
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(UpdateWindowTest, TickingAChoiceInTheSettingsTicksItHere) {
  TFUpdate* w = window();
  ASSERT_TRUE(settle(w));
  EXPECT_FALSE(w->CB1->isChecked() || w->CB2->isChecked() || w->CB3->isChecked());
  kw::ui::TFOptionen* settings = catalogue().settingsWindow();
  settings->CBGewinnreihen->click();
  settings->CBUpdates->click();
  EXPECT_TRUE(w->CB1->isChecked());
  EXPECT_FALSE(w->CB2->isChecked());
  EXPECT_TRUE(w->CB3->isChecked());
  settings->CBGewinnreihen->click();
  EXPECT_FALSE(w->CB1->isChecked());
}

TEST_F(UpdateWindowTest, TheQuotaWindowsDownloadMergesTheAmountsIntoTheStore) {
  serve(1974, "1.7.1.1");
  keepLocally(1974);
  // Locally the last ten draws with published amounts have none yet.
  std::vector<kw::TQuoten> local = FirstRecords(RealQuotas(), 1974);
  for (std::size_t i = 1937; i < 1947; ++i) local[i].q.fill(kw::kMissingAmount);
  WriteBytes(dataDir() + kw::kQuotasFileName, kw::EncodeRecords(local));
  kw::ui::TFQuoten* quotas = catalogue().quotaWindow();
  ASSERT_NE(store().quotas()[1940], RealQuotas()[1940]);
  quotas->BOnlAkt->click();
  EXPECT_FALSE(quotas->BOnlAkt->isEnabled());
  ASSERT_TRUE(kw::platform::ProcessEventsUntil([quotas] { return !quotas->downloading(); }, std::chrono::seconds(30)));
  EXPECT_TRUE(quotas->LStatus->isVisibleTo(quotas));
  EXPECT_EQ(quotas->LStatus->text(), QStringLiteral("Aktualisierung erfolgreich"));
  for (std::size_t i = 0; i < 1974; ++i) ASSERT_EQ(store().quotas()[i], RealQuotas()[i]) << i;
  // The table shows the downloaded amounts.
  const int row = 1940;
  EXPECT_EQ(quotas->GQ->model()->index(row, 13).data().toString().toStdString(),
            kw::FormatAmount(RealQuotas()[1940].amount(13), 2));
  EXPECT_TRUE(MessageBox::shown().empty()) << shownTexts().toStdString();

  kw::platform::SetOnlineHook([](const std::string&) { return false; });
  quotas->BOnlAkt->click();
  ASSERT_TRUE(kw::platform::ProcessEventsUntil([quotas] { return !quotas->downloading(); }, std::chrono::seconds(30)));
  EXPECT_EQ(quotas->LStatus->text(), QStringLiteral("Aktualisierung fehlgeschlagen"));
  EXPECT_EQ(MessageBox::lastText(), QStringLiteral("Für die Aktualisierung muss eine Verbindung zum Internet bestehen."));
}

}  // namespace
}  // namespace kwtest
