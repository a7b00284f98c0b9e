#include "local_servers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace kwtest {

namespace {

// Waits for the child to end, at most `limit`.
bool Reap(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid || r < 0) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& stdoutPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string out = stdoutPath.empty() ? "/dev/null" : stdoutPath;
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const int rc = ::posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
}

ChildProcess::~ChildProcess() {
  if (pid_ <= 0 || reaped_) return;
  ::kill(pid_, SIGTERM);
  if (!Reap(pid_, std::chrono::seconds(5))) {
    ::kill(pid_, SIGKILL);
    Reap(pid_, std::chrono::seconds(5));
  }
}

bool ChildProcess::running() {
  if (reaped_) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

bool WaitForFile(const std::string& path, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (!Slurp(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

LocalServer::LocalServer(const std::string& scheme, std::vector<std::string> args)
    : scheme_(scheme), dir_(std::make_unique<TempDir>()) {
  const std::string portFile = dir_->file("port");
  std::vector<std::string> argv = {KW_PYTHON, KW_SERVER_SCRIPT, args.front()};
  args.erase(args.begin());
  for (auto& a : args) argv.push_back(a == "@port" ? portFile : a == "@log" ? dir_->file("requests.log") : a);
  process_ = std::make_unique<ChildProcess>(argv, "");
  if (!WaitForFile(portFile, std::chrono::seconds(15)))
    throw std::runtime_error("the " + scheme + " server did not start");
  port_ = std::stoi(Slurp(portFile));
}

LocalServer LocalServer::Http(const std::string& root) { return LocalServer("http", {"http", root, "@port", "@log"}); }

LocalServer LocalServer::Stall() { return LocalServer("http", {"stall", "@port"}); }

LocalServer LocalServer::Redirect(const std::string& target) {
  return LocalServer("http", {"redirect", "@port", target});
}

LocalServer LocalServer::Ftp(const std::string& root, const std::string& user, const std::string& password) {
  return LocalServer("ftp", {"ftp", root, "@port", user, password});
}

std::string LocalServer::url() const { return scheme_ + "://127.0.0.1:" + std::to_string(port_) + "/"; }

std::vector<std::string> LocalServer::requests() const {
  std::vector<std::string> lines;
  std::ifstream in(dir_->file("requests.log"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int LocalServer::requestCount(const std::string& path) const {
  int n = 0;
  for (const auto& r : requests()) n += r == path ? 1 : 0;
  return n;
}

int UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

}  // namespace kwtest
