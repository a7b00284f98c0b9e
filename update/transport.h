#pragma once
// What the update asks of the network, and the small interface that answers it. The update
// logic never talks to the network itself: it names one request at a time (a step) and takes
// the answer, so a window can run the steps without blocking and the command-line tool can run
// them one after the other through a blocking Transport.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kw::update {

// Is there a connection to reach `url`'s server at all?
struct ConnectionTest {
  std::string url;
};

// One HTTP(S) GET of a whole resource into memory.
struct GetRequest {
  std::string url;
  std::size_t maxBytes = 0;  // a larger body fails the request
  // Redirects only to https or to this machine (the installer).
  bool secureOnly = false;
};

struct GetReply {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
  std::string error;      // German, when not ok
  bool timedOut = false;  // the server stopped sending
  bool stopped = false;   // the user stopped it
};

// The size of one file on the FTP service (SIZE after login), nothing downloaded.
struct FtpSizeQuery {
  std::string url;  // "ftp://host[:port]/html/downloads/GZahlen.emz"
  std::string user;
  std::string password;
};

struct Finished {};

using Step = std::variant<ConnectionTest, GetRequest, FtpSizeQuery, Finished>;

// Bytes received so far and the total when the server told it (else -1).
using ProgressFn = std::function<void(std::int64_t received, std::int64_t total)>;

// Blocking answers to the steps.
class Transport {
 public:
  virtual ~Transport() = default;
  // False only when the system knows there is no connection; unknown counts as online.
  virtual bool isOnline(const std::string& url) = 0;
  // `stop`, when given, is polled while the request runs; setting it ends the request as stopped.
  virtual GetReply get(const GetRequest& request, const ProgressFn& progress, const std::atomic<bool>* stop) = 0;
  // nullopt when the size cannot be queried (no login, no such file, no answer).
  virtual std::optional<std::int64_t> ftpSize(const FtpSizeQuery& query) = 0;
};

// A job of several steps: the driver asks for the next step, carries it out and hands the
// answer back, until the step is Finished.
class Job {
 public:
  virtual ~Job() = default;
  virtual Step next() const = 0;
  virtual void answerConnection(bool online) = 0;
  virtual void answerGet(GetReply reply) = 0;
  virtual void answerFtpSize(std::optional<std::int64_t> size) = 0;
  bool finished() const { return std::holds_alternative<Finished>(next()); }
};

// Runs the job to its end through a blocking transport.
void RunJob(Job& job, Transport& transport, const ProgressFn& progress = {}, const std::atomic<bool>* stop = nullptr);

}  // namespace kw::update
