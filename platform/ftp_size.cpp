// The FTP size query: libcurl, because Qt has no FTP client. A NOBODY request on an ftp://
// address logs in, changes into the folders of the path and sends SIZE; nothing is downloaded.
#include <curl/curl.h>

#include <mutex>

#include "platform/network_transport.h"

namespace kw::platform {

namespace {
// libcurl reports the size as made-up header lines; they must not reach standard output.
std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
}  // namespace

std::optional<std::int64_t> QueryFtpSize(const update::FtpSizeQuery& query, const TransportOptions& options) {
  GlobalInit();
  CURL* curl = curl_easy_init();
  if (!curl) return std::nullopt;
  const long timeout = static_cast<long>(options.ftpTimeout.count());
  curl_easy_setopt(curl, CURLOPT_URL, query.url.c_str());
  // Only FTP: a setting must not turn the query into a read of a local file or another protocol.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp,ftps");
  curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
  curl_easy_setopt(curl, CURLOPT_USERNAME, query.user.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, query.password.c_str());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeout);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeout);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, Discard);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
  std::optional<std::int64_t> size;
  if (curl_easy_perform(curl) == CURLE_OK) {
    curl_off_t length = -1;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length >= 0)
      size = static_cast<std::int64_t>(length);
  }
  curl_easy_cleanup(curl);
  return size;
}

}  // namespace kw::platform
