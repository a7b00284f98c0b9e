// The draw update from a server on this machine beside a plain libcurl download of the same
// file: the update fetches the real history of 1,974 draws (two passes), checks every record,
// appends them to an empty data folder and saves it; the yardstick only downloads it once. The
// parts: one pass of the update's transport, and the checks alone.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <filesystem>
#include <memory>

#include "bench/bench_data.h"
#include "core/records.h"
#include "platform/network_transport.h"
#include "support/temp_dir.h"
#include "update/data_folder.h"
#include "update/downloads.h"
#include "update/local_servers.h"
#include "update/server_config.h"
#include "update/update_check.h"

namespace {

struct LocalMirror {
  kwtest::TempDir web;
  kwtest::TempDir data;
  std::unique_ptr<kwtest::LocalServer> http;
  std::vector<std::uint8_t> history;

  LocalMirror() {
    const kw::DataSet real = kwbench::RealHistory(true);
    history = kw::EncodeRecords(real.Draws);
    std::filesystem::create_directories(web.file("downloads"));
    kwtest::WriteBytes(web.file(kw::update::kServerDrawsPath), history);
    kwtest::WriteBytes(web.file(kw::update::kServerQuotasPath), kw::EncodeRecords(real.Quotas));
    http = std::make_unique<kwtest::LocalServer>(kwtest::LocalServer::Http(web.path()));
  }
  std::string drawsUrl() const { return http->url() + kw::update::kServerDrawsPath; }
};

LocalMirror& Mirror() {
  static LocalMirror mirror;
  return mirror;
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* out) {
  auto* bytes = static_cast<std::vector<std::uint8_t>*>(out);
  bytes->insert(bytes->end(), data, data + size * count);
  return size * count;
}

// Download, check, append, save: "Gewinnzahlen aktualisieren" into an empty data folder.
void BM_UpdateDrawsFromLocalServer(benchmark::State& state) {
  LocalMirror& m = Mirror();
  auto transport = kw::platform::MakeBlockingTransport();
  kw::update::CheckInputs in;
  in.server.server = m.http->url();
  in.server.ftpServer = "ftp://127.0.0.1:" + std::to_string(kwtest::UnusedPort()) + "/";  // size unknown
  const kw::update::CheckOptions drawsOnly{true, false, false, false};
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(m.data.file("GZahlen.emz"));
    state.ResumeTiming();
    kw::update::CheckResult r = kw::update::RunCheck(in, drawsOnly, *transport);
    kw::update::ApplyToDataFolder(m.data.path(), {}, r);
    if (r.draws.status != kw::update::StepStatus::Updated || r.draws.appended.size() != 1974)
      state.SkipWithError(r.draws.message.c_str());
  }
  state.SetItemsProcessed(state.iterations() * 1974);
}

// One pass of the update's own HTTP transport (Qt Network), the same GET as the yardstick.
void BM_TransportGetOnce(benchmark::State& state) {
  LocalMirror& m = Mirror();
  auto transport = kw::platform::MakeBlockingTransport();
  kw::update::GetRequest request;
  request.url = m.drawsUrl();
  request.maxBytes = kw::update::kMaxDrawsDownloadBytes;
  for (auto _ : state) {
    const kw::update::GetReply reply = transport->get(request, {}, nullptr);
    if (!reply.ok || reply.bytes.size() != m.history.size()) state.SkipWithError("download failed");
  }
  state.SetItemsProcessed(state.iterations() * 1974);
}

// The checks and the merge alone, without network and disk.
void BM_CheckDownloadedHistory(benchmark::State& state) {
  LocalMirror& m = Mirror();
  for (auto _ : state) {
    auto update = kw::update::UpdateDraws({}, m.history);
    benchmark::DoNotOptimize(update);
  }
  state.SetItemsProcessed(state.iterations() * 1974);
}

// The yardstick: one plain libcurl GET of the same file into memory.
void BM_PlainCurlDownload(benchmark::State& state) {
  LocalMirror& m = Mirror();
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const std::string url = m.drawsUrl();
  for (auto _ : state) {
    std::vector<std::uint8_t> bytes;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &bytes);
    if (curl_easy_perform(curl) != CURLE_OK || bytes.size() != m.history.size()) state.SkipWithError("curl failed");
    curl_easy_cleanup(curl);
  }
  state.SetItemsProcessed(state.iterations() * 1974);
}

BENCHMARK(BM_UpdateDrawsFromLocalServer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCurlDownload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransportGetOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDownloadedHistory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
