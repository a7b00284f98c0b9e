#pragma once
// Whole-file reads and crash-safe rewrites (temporary file beside the target, then rename).
// Paths are UTF-8; on Windows they become UTF-16 at the system calls.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace kw {

bool FileExists(const std::string& path);
// True only when nothing is there at all; false also when the folder cannot be searched,
// so that the read that follows reports why.
bool NoFileAt(const std::string& path);
// The whole file; a file larger than maxBytes is refused with a message instead of read.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes);
// Writes bytes to path so that a crash, a full disk or a file size limit leaves the old file as
// it was. A temporary file left behind by an earlier crash is replaced, never in the way.
Result<void> WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The folder and every missing folder above it.
Result<void> CreateDirectories(const std::string& path);
// File name without folder ("GZahlen.emz"), for messages.
std::string FileNameOf(const std::string& path);

// Keeps bytes as path + suffix, or path + suffix + "2", "3", ... when that name is taken: a copy
// kept earlier is never overwritten. A copy that already holds these very bytes, or that
// `alreadyKept` accepts, is reused instead. Returns the copy's path.
Result<std::string> KeepNumberedCopy(const std::string& path, const std::string& suffix,
                                     const std::vector<std::uint8_t>& bytes,
                                     const std::function<bool(const std::vector<std::uint8_t>&)>& alreadyKept = {});

#ifdef _WIN32
std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
#endif

namespace testing {
// Makes every following atomic write fail after `bytes` bytes as a full disk would;
// nullopt switches the fault off.
void SimulateDiskFullAfter(std::optional<std::size_t> bytes);
// Called at each step of an atomic write with the step's number (1 = temporary file created,
// then one step per chunk written, the flush, the close, the rename, the folder's flush);
// nullptr switches it off. Fault-injection tests kill the process from here.
using WriteStepHook = void (*)(int step);
void SetWriteStepHook(WriteStepHook hook);
// Writes go out in chunks of at most this many bytes (default 1 MiB), so that a test can stop
// a write between two of them.
void SetWriteChunkBytes(std::size_t bytes);
}  // namespace testing

}  // namespace kw
