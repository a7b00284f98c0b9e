#pragma once
// Pattern files: one group's selection as text, one decimal number per line ended by CR LF,
// the main numbers ascending, then the stars ascending as star + 50 ("51".."62").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "generation/selection.h"

namespace kw {

// A pattern file holds at most 62 short lines; anything much larger is not one.
inline constexpr std::size_t kMaxPatternFileBytes = std::size_t{1} << 20;

// "7\r\n23\r\n54\r\n" for the numbers 7, 23 and the star 4; empty for an empty set.
std::string PatternFileText(const ValueSet& set);
Result<void> WritePatternFile(const std::string& path, const ValueSet& set);

struct PatternLines {
  int lineCount = 0;                    // lines of the file
  std::vector<std::int64_t> values;     // the lines before the first that is no whole number
  std::optional<std::string> badLine;   // that line, if there is one
};

// The file's lines as numbers. An unreadable or oversized file is an I/O error.
Result<PatternLines> ReadPatternFile(const std::string& path);

// The line that is no whole number, in the platform's wording of a failed conversion.
std::string PatternConversionMessage(const std::string& line);

}  // namespace kw
