#pragma once
// Whole-file reads and crash-safe rewrites (temporary file beside the target, then rename).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace kw {

bool FileExists(const std::string& path);
// The whole file; a file larger than maxBytes is refused with a message instead of read.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes);
// Writes bytes to path so that a crash or a full disk leaves the old file as it was.
Result<void> WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
// File name without folder ("GZahlen.emz"), for messages.
std::string FileNameOf(const std::string& path);

namespace testing {
// Makes every following atomic write fail after `bytes` bytes as a full disk would;
// nullopt switches the fault off.
void SimulateDiskFullAfter(std::optional<std::size_t> bytes);
}  // namespace testing

}  // namespace kw
