#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kw {

namespace {
std::optional<std::size_t> gDiskFullAfter;
testing::WriteStepHook gStepHook = nullptr;
std::size_t gChunkBytes = std::size_t{1} << 20;

std::string Reason(int err) {
  switch (err) {
    case EACCES:
    case EPERM: return "Zugriff verweigert.";
    case ENOSPC: return "Auf dem Datenträger ist kein Platz mehr frei.";
    case EFBIG: return "Die Datei wird größer, als das System einer Datei erlaubt.";
    case EROFS: return "Der Datenträger ist schreibgeschützt.";
    case ENOENT: return "Der Pfad wurde nicht gefunden.";
    case EISDIR: return "Der Pfad ist ein Ordner.";
    case EBUSY: return "Die Datei wird von einem anderen Programm benutzt.";
    default: return "E/A-Fehler " + std::to_string(err) + ".";
  }
}

Error ReadError(const std::string& path, int err) {
  return IoError("Die Datei \"" + FileNameOf(path) + "\" kann nicht gelesen werden.\r\r" + Reason(err));
}

Error WriteError(const std::string& path, int err) {
  return IoError("Die Datei \"" + FileNameOf(path) + "\" kann nicht gespeichert werden.\r\r" + Reason(err) +
                 "\r\rDie bisherige Datei bleibt unverändert.");
}

void Step(int& step) {
  ++step;
  if (gStepHook) gStepHook(step);
}

// ---- the few system calls, once per system ----------------------------------------------------

#ifdef _WIN32
using StatBuf = struct _stat64;
int StatPath(const std::string& path, StatBuf& st) { return ::_wstat64(WidePath(path).c_str(), &st); }
int OpenForReading(const std::string& path) { return ::_wopen(WidePath(path).c_str(), _O_RDONLY | _O_BINARY); }
int OpenNew(const std::string& path) {
  return ::_wopen(WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int StatOpen(int fd, StatBuf& st) { return ::_fstat64(fd, &st); }
long long ReadSome(int fd, std::uint8_t* p, std::size_t n) {
  return ::_read(fd, p, static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30)));
}
long long WriteSome(int fd, const std::uint8_t* p, std::size_t n) {
  return ::_write(fd, p, static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30)));
}
int Flush(int fd) { return ::_commit(fd); }
int CloseFile(int fd) { return ::_close(fd); }
void RemoveQuietly(const std::string& path) {
  const std::wstring w = WidePath(path);
  // A read-only leftover would refuse to go.
  ::SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(w.c_str());
}
int ErrnoOf(DWORD code) {
  switch (code) {
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    default: return static_cast<int>(code);
  }
}
// Replaces the target in one step, through to the disk before it returns.
int MoveOver(const std::string& from, const std::string& to) {
  if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  return ErrnoOf(::GetLastError());
}
void FlushFolderOf(const std::string&) {}  // MOVEFILE_WRITE_THROUGH did it
int MakeFolder(const std::string& path) { return ::_wmkdir(WidePath(path).c_str()); }
bool IsRegular(const StatBuf& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
bool IsFolder(const StatBuf& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
#else
using StatBuf = struct stat;
int StatPath(const std::string& path, StatBuf& st) { return ::stat(path.c_str(), &st); }
int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }
int OpenNew(const std::string& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644); }
int StatOpen(int fd, StatBuf& st) { return ::fstat(fd, &st); }
long long ReadSome(int fd, std::uint8_t* p, std::size_t n) { return ::read(fd, p, n); }
long long WriteSome(int fd, const std::uint8_t* p, std::size_t n) { return ::write(fd, p, n); }
int Flush(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
void RemoveQuietly(const std::string& path) { ::unlink(path.c_str()); }
int MoveOver(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}
// The rename itself reaches the disk only with the folder.
void FlushFolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
int MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0755); }
bool IsRegular(const StatBuf& st) { return S_ISREG(st.st_mode); }
bool IsFolder(const StatBuf& st) { return S_ISDIR(st.st_mode); }
#endif
}  // namespace

#ifdef _WIN32
std::wstring WidePath(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}
#endif

bool FileExists(const std::string& path) {
  StatBuf st{};
  return StatPath(path, st) == 0 && IsRegular(st);
}

bool NoFileAt(const std::string& path) {
  StatBuf st{};
  if (StatPath(path, st) == 0) return false;
  return errno == ENOENT || errno == ENOTDIR;
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  const int fd = OpenForReading(path);
  if (fd < 0) return ReadError(path, errno);
  StatBuf st{};
  if (StatOpen(fd, st) != 0) {
    const int err = errno;
    CloseFile(fd);
    return ReadError(path, err);
  }
  if (!IsRegular(st)) {
    CloseFile(fd);
    return ReadError(path, EISDIR);
  }
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    CloseFile(fd);
    return IoError("Die Datei \"" + FileNameOf(path) + "\" ist mit " + std::to_string(st.st_size) +
                   " Bytes zu groß, um eine Datei dieses Programms zu sein.\r\rIch lese sie nicht ein.");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long long n = ReadSome(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      CloseFile(fd);
      return ReadError(path, err);
    }
    if (n == 0) break;  // the file shrank while we read it
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  CloseFile(fd);
  return bytes;
}

Result<void> WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".tmp~";
  int step = 0;
  // Whatever an earlier crash left under the temporary name goes first, read-only or not.
  RemoveQuietly(temp);
  const int fd = OpenNew(temp);
  if (fd < 0) return WriteError(path, errno);
  Step(step);
  auto fail = [&](int err) -> Result<void> {
    CloseFile(fd);
    RemoveQuietly(temp);
    return WriteError(path, err);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = std::min(bytes.size() - done, gChunkBytes);
    if (gDiskFullAfter) {
      if (done >= *gDiskFullAfter) return fail(ENOSPC);
      chunk = std::min(chunk, *gDiskFullAfter - done);
    }
    const long long n = WriteSome(fd, bytes.data() + done, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
    Step(step);
  }
  if (gDiskFullAfter && bytes.size() > *gDiskFullAfter) return fail(ENOSPC);
  if (Flush(fd) != 0) return fail(errno);
  Step(step);
  if (CloseFile(fd) != 0) {
    const int err = errno;
    RemoveQuietly(temp);
    return WriteError(path, err);
  }
  Step(step);
  if (const int err = MoveOver(temp, path); err != 0) {
    RemoveQuietly(temp);
    return WriteError(path, err);
  }
  Step(step);
  FlushFolderOf(path);
  Step(step);
  return {};
}

Result<void> CreateDirectories(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  StatBuf st{};
  if (folder.empty() || (StatPath(folder, st) == 0 && IsFolder(st))) return {};
  const auto slash = folder.find_last_of("/\\");
  // "C:" and "/" need no making.
  if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':') {
    if (auto parent = CreateDirectories(folder.substr(0, slash)); !parent) return parent;
  }
  if (MakeFolder(folder) != 0 && errno != EEXIST)
    return IoError("Der Ordner \"" + folder + "\" kann nicht angelegt werden.\r\r" + Reason(errno));
  return {};
}

Result<std::string> KeepNumberedCopy(const std::string& path, const std::string& suffix,
                                     const std::vector<std::uint8_t>& bytes,
                                     const std::function<bool(const std::vector<std::uint8_t>&)>& alreadyKept) {
  for (int n = 1; n <= 9999; ++n) {
    const std::string copy = path + suffix + (n == 1 ? std::string() : std::to_string(n));
    if (NoFileAt(copy)) {
      if (auto written = WriteFileAtomically(copy, bytes); !written) return written.error();
      return copy;
    }
    if (auto existing = ReadWholeFile(copy, std::size_t{1} << 30);
        existing && (*existing == bytes || (alreadyKept && alreadyKept(*existing))))
      return copy;
  }
  return IoError("Für eine Sicherungskopie von \"" + FileNameOf(path) + "\" ist kein freier Name mehr übrig.");
}

namespace testing {
void SimulateDiskFullAfter(std::optional<std::size_t> bytes) { gDiskFullAfter = bytes; }
void SetWriteStepHook(WriteStepHook hook) { gStepHook = hook; }
void SetWriteChunkBytes(std::size_t bytes) { gChunkBytes = std::max<std::size_t>(bytes, 1); }
}  // namespace testing

}  // namespace kw
