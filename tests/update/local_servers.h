#pragma once
// Real servers on 127.0.0.1 for the update tests, started and stopped by the test: each is a
// child process on a free port that ends when the object goes, or by itself after two minutes.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kwtest {

// A child process; the destructor ends it (SIGTERM, then SIGKILL) and waits for it, bounded.
class ChildProcess {
 public:
  // stdoutPath empty: the child's output goes to /dev/null.
  ChildProcess(const std::vector<std::string>& argv, const std::string& stdoutPath);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  pid_t pid() const { return pid_; }
  bool running();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// Waits until the file exists and is not empty; false after the limit.
bool WaitForFile(const std::string& path, std::chrono::milliseconds limit);

class LocalServer {
 public:
  // Serves root over http; requests() lists the requested paths.
  static LocalServer Http(const std::string& root);
  // Sends headers and 10 of 100,000 bytes, then nothing.
  static LocalServer Stall();
  // Answers every request with a redirect to target.
  static LocalServer Redirect(const std::string& target);
  // FTP login user/password, home folder root.
  static LocalServer Ftp(const std::string& root, const std::string& user, const std::string& password);

  LocalServer(LocalServer&&) = default;
  int port() const { return port_; }
  // "http://127.0.0.1:PORT/" or "ftp://127.0.0.1:PORT/".
  std::string url() const;
  std::vector<std::string> requests() const;
  int requestCount(const std::string& path) const;

 private:
  LocalServer(const std::string& scheme, std::vector<std::string> args);
  std::string scheme_;
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<ChildProcess> process_;
  int port_ = 0;
};

// A port on 127.0.0.1 that nothing listens on (bound, then released).
int UnusedPort();

}  // namespace kwtest
