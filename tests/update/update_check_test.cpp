// The order of the check's network steps and what each answer leads to, with a transport that
// answers from a table. The real transports and servers are in servers_test.
#include "update/update_check.h"

#include <gtest/gtest.h>

#include <map>

#include "real_history.h"
#include "update/downloads.h"
#include "update/version_info.h"

namespace kw::update {
namespace {

class ScriptedTransport : public Transport {
 public:
  bool online = true;
  std::optional<std::int64_t> ftp;
  std::map<std::string, GetReply> replies;  // by path below the server
  std::vector<std::string> log;
  bool stopOnQuotas = false;

  bool isOnline(const std::string&) override {
    log.push_back("online?");
    return online;
  }
  GetReply get(const GetRequest& r, const ProgressFn&, const std::atomic<bool>*) override {
    const std::string path = r.url.substr(std::string("https://srv/").size());
    log.push_back("GET " + path);
    if (stopOnQuotas && path == kServerQuotasPath) return GetReply{false, {}, kStoppedMessage, false, true};
    const auto it = replies.find(path);
    return it != replies.end() ? it->second : GetReply{false, {}, "Fehler 404", false, false};
  }
  std::optional<std::int64_t> ftpSize(const FtpSizeQuery& q) override {
    log.push_back("SIZE " + q.url);
    return ftp;
  }
};

GetReply Ok(std::vector<std::uint8_t> bytes) { return GetReply{true, std::move(bytes), {}, false, false}; }

CheckInputs Inputs(std::size_t localDraws) {
  CheckInputs in;
  in.server.server = "https://srv/";
  in.server.ftpServer = "ftp://srv/";
  in.draws = kwtest::FirstRecords(kwtest::RealDraws(), localDraws);
  in.quotas = kwtest::FirstRecords(kwtest::RealQuotas(), localDraws);
  in.localDrawsFileSize = static_cast<std::int64_t>(localDraws * 16);
  in.programVersion = "1.7.1.1";
  return in;
}

ScriptedTransport ServerWith(std::size_t draws) {
  ScriptedTransport t;
  t.replies[kServerDrawsPath] = Ok(EncodeRecords(kwtest::FirstRecords(kwtest::RealDraws(), draws)));
  t.replies[kServerQuotasPath] = Ok(EncodeRecords(kwtest::FirstRecords(kwtest::RealQuotas(), draws)));
  t.replies[kServerVersionPath] = Ok(*EncodeVersionRecord(45000, "1.7.1.0"));
  return t;
}

CheckOptions All(bool userInitiated = false) { return CheckOptions{true, true, true, userInitiated}; }

TEST(UpdateCheck, EveryPartInOrderEachDownloadInTwoPasses) {
  ScriptedTransport t = ServerWith(10);
  t.ftp = 160;  // larger than the local 8 draws
  const CheckResult r = RunCheck(Inputs(8), All(), t);
  EXPECT_EQ(t.log, (std::vector<std::string>{"online?", "SIZE ftp://srv/html/downloads/GZahlen.emz",
                                             "GET downloads/GZahlen.emz", "GET downloads/GZahlen.emz",
                                             "GET downloads/EMQuoten.emq", "GET downloads/EMQuoten.emq",
                                             "GET downloads/verinfos.ema", "GET downloads/verinfos.ema"}));
  EXPECT_EQ(StatusText(r.draws.status), "Aktualisiert");
  EXPECT_EQ(r.draws.appended.size(), 2u);
  EXPECT_EQ(StatusText(r.quotas.status), "Aktualisiert");
  EXPECT_EQ(r.quotas.merged, kwtest::FirstRecords(kwtest::RealQuotas(), 10)) << "aligned to the extended history";
  EXPECT_TRUE(r.version.checked);
  EXPECT_EQ(r.version.installed, "1.7.1.1");
  EXPECT_EQ(r.version.online, "1.7.1.0");
  EXPECT_TRUE(r.version.showDownload);
  EXPECT_FALSE(r.version.showNotChecked);
  EXPECT_TRUE(r.messages.empty());
}

TEST(UpdateCheck, WhatEachSelectionAsksAndShows) {
  struct Case {
    const char* name;
    CheckOptions options;
    std::optional<std::int64_t> ftp;
    std::vector<std::string> log;
    bool notChecked;
  };
  const std::string size = "SIZE ftp://srv/html/downloads/GZahlen.emz";
  const Case cases[] = {
      {"nothing selected", {}, 160, {"online?"}, true},
      {"server file not larger", {true, false, false, false}, 128, {"online?", size}, true},
      {"quotas only", {false, true, false, false}, 160,
       {"online?", "GET downloads/EMQuoten.emq", "GET downloads/EMQuoten.emq"}, true},
      {"version only", {false, false, true, false}, 160,
       {"online?", "GET downloads/verinfos.ema", "GET downloads/verinfos.ema"}, false},
  };
  for (const Case& c : cases) {
    ScriptedTransport t = ServerWith(10);
    t.ftp = c.ftp;
    const CheckResult r = RunCheck(Inputs(8), c.options, t);
    EXPECT_EQ(t.log, c.log) << c.name;
    EXPECT_EQ(r.version.showNotChecked, c.notChecked) << c.name;
    EXPECT_EQ(r.draws.status, c.options.draws ? StepStatus::NothingNewer : StepStatus::NotRun) << c.name;
  }
}

TEST(UpdateCheck, UnsavedNewDrawIsNotFetchedOver) {
  ScriptedTransport t = ServerWith(10);
  t.ftp = 160;
  CheckInputs in = Inputs(8);
  in.draws.push_back(TGewZahlen{in.draws.back().datum + 3, {}, {}, 0});
  const CheckResult r = RunCheck(in, {true, false, false, false}, t);
  EXPECT_EQ(t.log, std::vector<std::string>{"online?"});
  EXPECT_EQ(r.draws.status, StepStatus::Failed);
  EXPECT_EQ(r.draws.message, kUnsavedDrawMessage);
}

TEST(UpdateCheck, StopEndsTheCheckAtTheRunningDownload) {
  ScriptedTransport t = ServerWith(10);
  t.stopOnQuotas = true;
  const CheckResult r = RunCheck(Inputs(8), All(), t);
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.draws.status, StepStatus::Updated);
  EXPECT_EQ(r.quotas.status, StepStatus::Failed);
  EXPECT_EQ(r.quotas.message, "Die Aktualisierung wurde abgebrochen.");
  EXPECT_FALSE(r.version.checked);
  EXPECT_EQ(t.log.back(), "GET downloads/EMQuoten.emq");
}

TEST(TwoPassDownload, BothPassesMustArriveWholeAndLongEnough) {
  TwoPassDownload d("https://srv/downloads/GZahlen.emz", "GZahlen.emz", 1000);
  EXPECT_FALSE(d.answer(Ok({1, 2, 3, 4})));  // first pass proves the file
  auto second = d.answer(GetReply{false, {}, "Der Server hat die Verbindung vorzeitig beendet.", false, false});
  ASSERT_TRUE(second);
  ASSERT_FALSE(*second);
  EXPECT_EQ(second->error().message,
            "Die Datei \"GZahlen.emz\" konnte nicht vom Server geladen werden.\r\rDer Server hat die Verbindung "
            "vorzeitig beendet.");

  TwoPassDownload shortFile("https://srv/x", "verinfos.ema", 1000);
  auto three = shortFile.answer(Ok({1, 2, 3}));
  ASSERT_TRUE(three);
  ASSERT_FALSE(*three);
  EXPECT_EQ(three->error().message, "Die Datei \"verinfos.ema\" auf dem Server ist mit 3 Bytes zu kurz, um gültig zu sein.");
}

}  // namespace
}  // namespace kw::update
