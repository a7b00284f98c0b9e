#include "update/transport.h"

namespace kw::update {

void RunJob(Job& job, Transport& transport, const ProgressFn& progress, const std::atomic<bool>* stop) {
  for (;;) {
    const Step step = job.next();
    if (const auto* test = std::get_if<ConnectionTest>(&step)) {
      job.answerConnection(transport.isOnline(test->url));
    } else if (const auto* get = std::get_if<GetRequest>(&step)) {
      job.answerGet(transport.get(*get, progress, stop));
    } else if (const auto* ftp = std::get_if<FtpSizeQuery>(&step)) {
      job.answerFtpSize(transport.ftpSize(*ftp));
    } else {
      return;
    }
  }
}

}  // namespace kw::update
