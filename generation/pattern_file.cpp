#include "generation/pattern_file.h"

#include <string_view>

#include "core/file_io.h"
#include "core/german_format.h"
#include "core/tip_text.h"

namespace kw {

std::string PatternFileText(const ValueSet& set) {
  std::string text;
  for (int v : set.values(ValueKind::Number)) text += std::to_string(v) + "\r\n";
  for (int s : set.values(ValueKind::Star)) text += std::to_string(s + 50) + "\r\n";
  return text;
}

Result<void> WritePatternFile(const std::string& path, const ValueSet& set) {
  const std::string text = PatternFileText(set);
  return WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

Result<PatternLines> ReadPatternFile(const std::string& path) {
  auto bytes = ReadWholeFile(path, kMaxPatternFileBytes);
  if (!bytes) return bytes.error();
  const std::string text(bytes->begin(), bytes->end());
  const std::vector<std::string> lines = SplitTipLines(text);
  PatternLines out;
  out.lineCount = static_cast<int>(lines.size());
  for (const std::string& line : lines) {
    const auto value = ParseStrictInt(line);
    if (!value) {
      out.badLine = line;
      break;
    }
    out.values.push_back(*value);
  }
  return out;
}

std::string PatternConversionMessage(const std::string& line) { return InvalidIntegerMessage(line); }

}  // namespace kw
