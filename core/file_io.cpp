#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kw {

namespace {
std::optional<std::size_t> gDiskFullAfter;

std::string Reason(int err) {
  switch (err) {
    case EACCES:
    case EPERM: return "Zugriff verweigert.";
    case ENOSPC: return "Auf dem Datenträger ist kein Platz mehr frei.";
    case EROFS: return "Der Datenträger ist schreibgeschützt.";
    case ENOENT: return "Der Pfad wurde nicht gefunden.";
    case EISDIR: return "Der Pfad ist ein Ordner.";
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
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadError(path, errno);
  struct stat st{};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return ReadError(path, err);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadError(path, EISDIR);
  }
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return IoError("Die Datei \"" + FileNameOf(path) + "\" ist mit " + std::to_string(st.st_size) +
                   " Bytes zu groß, um eine Datei dieses Programms zu sein.\r\rIch lese sie nicht ein.");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return ReadError(path, err);
    }
    if (n == 0) break;  // the file shrank while we read it
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  ::close(fd);
  return bytes;
}

Result<void> WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".tmp~";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return WriteError(path, errno);
  auto fail = [&](int err) -> Result<void> {
    ::close(fd);
    ::unlink(temp.c_str());
    return WriteError(path, err);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = bytes.size() - done;
    if (gDiskFullAfter) {
      if (done >= *gDiskFullAfter) return fail(ENOSPC);
      chunk = std::min(chunk, *gDiskFullAfter - done);
    }
    const ssize_t n = ::write(fd, bytes.data() + done, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (gDiskFullAfter && bytes.size() > *gDiskFullAfter) return fail(ENOSPC);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return WriteError(path, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return WriteError(path, err);
  }
  return {};
}

namespace testing {
void SimulateDiskFullAfter(std::optional<std::size_t> bytes) { gDiskFullAfter = bytes; }
}  // namespace testing

}  // namespace kw
