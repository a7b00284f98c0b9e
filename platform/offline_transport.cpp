// The transport of a build without the network libraries (the Windows cross build here, which
// has no Qt): every check reports no connection, so the update ends as "Keine Internetverbindung"
// and changes nothing.
#include "platform/network_transport.h"

namespace kw::platform {
namespace {

class OfflineTransport : public update::Transport {
 public:
  bool isOnline(const std::string&) override { return false; }
  update::GetReply get(const update::GetRequest&, const update::ProgressFn&, const std::atomic<bool>*) override {
    update::GetReply reply;
    reply.error = "Dieses Programm wurde ohne Netzwerkzugang gebaut.";
    return reply;
  }
  std::optional<std::int64_t> ftpSize(const update::FtpSizeQuery&) override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<update::Transport> MakeBlockingTransport(const TransportOptions&) {
  return std::make_unique<OfflineTransport>();
}

}  // namespace kw::platform
