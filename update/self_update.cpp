#include "update/self_update.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/file_io.h"

namespace kw::update {

namespace {

const std::string kFileQuoted = std::string("\"") + kInstallerFileName + "\"";

// One word for sh: single quotes, a quote inside as '\''.
std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string InstallerFailedMessage() {
  return std::string(
             "Der Download ist gescheitert. Versuchen Sie es bitte später noch einmal oder laden Sie das Update von "
             "der Tombolix-Domain \"") +
         kMakerDomain + "\" herunter.";
}

std::string InstallConfirmQuestion(const std::string& dataDir) {
  return "Um die Installation durchführen zu können, muss das Programm jetzt geschlossen werden. Die Programm-Datei "
         "wird gelöscht und das Update gestartet. Wenn etwas schief läuft, bitte das Update manuell durch "
         "Doppelklick auf die Datei " +
         kFileQuoted + " im Verzeichnis " + dataDir + " starten.\r\rSoll fortgefahren werden?";
}

std::string InstallDeclinedMessage(const std::string& dataDir, const std::string& programFileName) {
  return "Installation wurde auf Ihren Wunsch abgebrochen. Sie  könnnen das Update manuell durch Doppelklick auf die "
         "Datei " +
         kFileQuoted + " im Verzeichnis " + dataDir + " starten.\r\rZuvor muss das Programm geschlossen und die Datei \"" +
         programFileName + "\" gelöscht werden.";
}

std::string InstallStartFailedMessage(const std::string& dataDir) {
  return "Update konnte nicht gestartet werden. Bitte schließen Sie Tombolix und starten Sie das Update manuell durch "
         "Doppelklick auf die Datei " +
         kFileQuoted + " im Verzeichnis " + dataDir + ".";
}

InstallerDownload::InstallerDownload(const ServerSettings& server)
    : url_(InstallerUrl(server)), download_(url_, kInstallerFileName, kMaxInstallerBytes, true) {}

Step InstallerDownload::next() const {
  switch (stage_) {
    case Stage::Connection: return ConnectionTest{url_};
    case Stage::Download: return download_.request();
    case Stage::Done: break;
  }
  return Finished{};
}

void InstallerDownload::answerConnection(bool online) {
  if (stage_ != Stage::Connection) return;
  if (online) {
    stage_ = Stage::Download;
    return;
  }
  outcome_.message = kInstallerNoConnectionMessage;
  stage_ = Stage::Done;
}

void InstallerDownload::answerGet(GetReply reply) {
  if (stage_ != Stage::Download) return;
  if (reply.stopped) {
    outcome_.stopped = true;
    outcome_.detail = kStoppedMessage;
    stage_ = Stage::Done;
    return;
  }
  auto done = download_.answer(std::move(reply));
  if (!done) return;
  stage_ = Stage::Done;
  if (!*done) {
    outcome_.message = InstallerFailedMessage();
    outcome_.detail = done->error().message;
    return;
  }
  outcome_.ok = true;
  outcome_.bytes = std::move(**done);
}

std::string InstallerPath(const std::string& dataDir) { return dataDir + kInstallerFileName; }

Result<std::string> ApplyInstallerDownload(const std::string& dataDir, const InstallerOutcome& outcome) {
  const std::string path = InstallerPath(dataDir);
  if (!outcome.ok) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return Refused(outcome.message.empty() ? outcome.detail : outcome.message);
  }
  if (auto written = WriteFileAtomically(path, outcome.bytes); !written) return written.error();
  // The archive is started as a program.
  ::chmod(path.c_str(), 0755);
  return path;
}

std::string FileStamp(unsigned long long inode, long long size, long long mtimeSeconds, long mtimeNanoseconds) {
  char nanos[16];
  std::snprintf(nanos, sizeof nanos, "%09ld", mtimeNanoseconds);
  return std::to_string(inode) + ":" + std::to_string(size) + ":" + std::to_string(mtimeSeconds) + "." + nanos;
}

std::string SelfRemovalShellScript(const std::string& programPath, long long pid, const std::string& stamp,
                                   const std::string& scriptPath, int maxWaitSeconds) {
  std::string s;
  s += "#!/bin/sh\n";
  s += "# Kugelwerk: removes the old program once it has ended, then this script.\n";
  s += "pid=" + std::to_string(pid) + "\n";
  s += "exe=" + ShellQuote(programPath) + "\n";
  s += "dir=" + ShellQuote(FolderOf(programPath)) + "\n";
  s += "stamp=" + ShellQuote(stamp) + "\n";
  s += "waited=0\n";
  s += "while kill -0 \"$pid\" 2>/dev/null; do\n";
  s += "  if [ \"$waited\" -ge " + std::to_string(maxWaitSeconds) + " ]; then rm -f -- " + ShellQuote(scriptPath) +
       "; exit 1; fi\n";
  s += "  sleep 1\n";
  s += "  waited=$((waited + 1))\n";
  s += "done\n";
  s += "# A program installed in the meantime is another file and stays.\n";
  s += "if [ \"$(stat -c '%i:%s:%.9Y' -- \"$exe\" 2>/dev/null)\" = \"$stamp\" ]; then rm -f -- \"$exe\"; fi\n";
  s += "rmdir -- \"$dir\" 2>/dev/null\n";
  s += "rm -f -- " + ShellQuote(scriptPath) + "\n";
  return s;
}

std::string SelfRemovalBatch(const std::string& programPath, const std::string& scriptPath) {
  std::string dir = FolderOf(programPath);
  std::string s;
  s += ":Label1\r\n";
  s += "del \"" + programPath + "\"\r\n";
  s += "if Exist \"" + programPath + "\" goto Label1\r\n";
  s += "rmdir \"" + dir + "\"\r\n";
  s += "del " + scriptPath + "\r\n";
  return s;
}

#ifdef _WIN32
// Windows: the command file, named after the process so that two updates do not share one.
Result<std::string> WriteSelfRemovalScript(const std::string& tempDir, const std::string& programPath, long long pid,
                                           int) {
  if (!std::filesystem::exists(std::filesystem::u8path(programPath)))
    return IoError("Die Programm-Datei \"" + programPath + "\" wurde nicht gefunden.");
  std::string dir = tempDir;
  if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
  const std::string path = dir + "uis" + std::to_string(pid) + ".bat";
  const std::string text = SelfRemovalBatch(programPath, path);
  if (auto written = WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end())); !written)
    return written.error();
  return path;
}
#else
Result<std::string> WriteSelfRemovalScript(const std::string& tempDir, const std::string& programPath, long long pid,
                                           int maxWaitSeconds) {
  struct stat st{};
  if (::stat(programPath.c_str(), &st) != 0)
    return IoError("Die Programm-Datei \"" + programPath + "\" wurde nicht gefunden.");
  std::string dir = tempDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  std::string pattern = dir + "uisXXXXXX.sh";
  const int fd = ::mkstemps(pattern.data(), 3);
  if (fd < 0) return IoError("Im Ordner \"" + dir + "\" kann keine Datei angelegt werden.");
  const std::string stamp = FileStamp(static_cast<unsigned long long>(st.st_ino), static_cast<long long>(st.st_size),
                                      static_cast<long long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec);
  const std::string text = SelfRemovalShellScript(programPath, pid, stamp, pattern, maxWaitSeconds);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      ::unlink(pattern.c_str());
      return IoError("Die Datei \"" + FileNameOf(pattern) + "\" kann nicht gespeichert werden.");
    }
    done += static_cast<std::size_t>(n);
  }
  ::fchmod(fd, 0700);
  ::close(fd);
  return pattern;
}
#endif

}  // namespace kw::update
