#pragma once
// The update's network: HTTP(S) through Qt Network, the FTP size query through libcurl, the
// connection test through the system's network information. No Qt type in this header, so that
// the command-line tool can use it.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "update/transport.h"

namespace kw::platform {

struct TransportOptions {
  // A download that receives nothing for this long is abandoned.
  std::chrono::milliseconds stallTimeout{30000};
  // Limit of the whole FTP size query (connect, login, SIZE).
  std::chrono::milliseconds ftpTimeout{15000};
};

// False only when the system reports that there is no connection; no information, or an
// address on this machine, counts as online and lets the request itself fail. Needs a Qt
// application object (MakeBlockingTransport creates one).
bool IsOnline(const std::string& url);
// Tests: while set, IsOnline answers through this. An empty function restores the system's answer.
void SetOnlineHook(std::function<bool(const std::string& url)> hook);

// SIZE of one file after login; nullopt on any failure. Blocks up to options.ftpTimeout.
std::optional<std::int64_t> QueryFtpSize(const update::FtpSizeQuery& query, const TransportOptions& options = {});

// A Qt application object for programs without one (the command-line tool, tests): created
// when there is none and kept while the handle lives; an empty handle when one exists.
std::shared_ptr<void> EnsureQtApplication();

// A blocking transport: each call runs a local event loop until its answer is there. Creates a
// QCoreApplication when there is none. One thread only.
std::unique_ptr<update::Transport> MakeBlockingTransport(const TransportOptions& options = {});

// Runs a job without blocking: each network step starts in the background and the next one
// follows from the event loop when the answer is there. Needs the program's running event loop
// (or ProcessEventsUntil).
class AsyncJobRunner {
 public:
  explicit AsyncJobRunner(const TransportOptions& options = {});
  ~AsyncJobRunner();  // a running job is abandoned; its onDone is not called
  AsyncJobRunner(const AsyncJobRunner&) = delete;
  AsyncJobRunner& operator=(const AsyncJobRunner&) = delete;

  // The job must live until onDone; onDone is called once, from the event loop. Refused (false)
  // while another job runs.
  bool start(update::Job& job, update::ProgressFn progress, std::function<void()> onDone);
  // The running download ends as stopped; the job decides what follows (the update check ends).
  void stop();
  bool running() const;

 private:
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

// Lets Qt handle events until done() holds or the limit has passed; true when done() held.
bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

}  // namespace kw::platform
