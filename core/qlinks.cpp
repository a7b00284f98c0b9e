#include "core/qlinks.h"

#include <vector>

#include "core/file_io.h"

namespace kw {

namespace {
bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool IsValidUrl(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || !IsAsciiAlpha(text[0])) return false;
  for (char c : text.substr(0, colon))
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
  for (char c : text)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F || c == '\\' || c == '"' || c == '<' || c == '>')
      return false;
  std::string_view rest = text.substr(colon + 1);
  if (rest.substr(0, 2) != "//") return false;
  rest.remove_prefix(2);
  const std::size_t end = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, end);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view host = authority;
  if (!host.empty() && host.front() == '[') {
    const std::size_t close = host.find(']');
    if (close == std::string_view::npos || close < 2) return false;
    host = host.substr(0, close + 1);
  } else if (const std::size_t port = host.find(':'); port != std::string_view::npos) {
    for (char c : host.substr(port + 1))
      if (!IsAsciiDigit(c)) return false;
    host = host.substr(0, port);
  }
  if (host.empty()) return false;
  if (host.front() == '[') return true;
  for (char c : host)
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '-' && c != '.' && c != '_' && c != '~' && c != '%' &&
        static_cast<unsigned char>(c) < 0x80)
      return false;
  return host.find_first_not_of('.') != std::string_view::npos;
}

Result<QuotaLinks> ReadQuotaLinks(const std::string& path) {
  if (!FileExists(path)) return QuotaLinks{kDefaultQuotaLink, kDefaultQuotaLink};
  auto bytes = ReadWholeFile(path, kMaxQuotaLinksFileBytes);
  if (!bytes) return bytes.error();
  const std::string text(bytes->begin(), bytes->end());
  QuotaLinks links;
  std::size_t start = 0;
  for (std::string& link : links) {
    if (start > text.size()) break;
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsValidUrl(line)) link = line;
    start = end + 1;
  }
  return links;
}

Result<void> WriteQuotaLinks(const std::string& path, const QuotaLinks& links) {
  std::string text;
  for (const std::string& link : links) text += (IsValidUrl(link) ? link : std::string()) + "\r\n";
  return WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace kw
