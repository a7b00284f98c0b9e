#pragma once
// "QLinks.emql": the two web addresses of the quota window's quick links, one per line.
#include <array>
#include <string>
#include <string_view>

#include "core/result.h"

namespace kw {

// A results page of a lottery-results site: the links of a first start.
inline constexpr const char* kDefaultQuotaLink =
    "https://www.euro-millions.com/DE/drawGames/euromillions/results/result/last";
// Ten lines of addresses are far more than this file ever holds.
inline constexpr std::size_t kMaxQuotaLinksFileBytes = 64 * 1024;

// An absolute address with a scheme, "//" and a host, and no blanks or control characters:
// "https://example.org/x" yes, "example.org", "https://", "mailto:a@b" no.
bool IsValidUrl(std::string_view text);

// Link 1 and link 2; a link that is no valid address is empty.
using QuotaLinks = std::array<std::string, 2>;

// The links of the file at path: its first two lines ("\n", "\r\n"), each checked. Without a
// file both links are kDefaultQuotaLink. A file that cannot be read is an error.
Result<QuotaLinks> ReadQuotaLinks(const std::string& path);
// Writes both lines, an invalid link as an empty line, replacing the file.
Result<void> WriteQuotaLinks(const std::string& path, const QuotaLinks& links);

}  // namespace kw
