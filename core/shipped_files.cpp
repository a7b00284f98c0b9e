#include "core/shipped_files.h"

#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/quota_store.h"

namespace kw {

std::string ShippedFilesFolder(const std::string& programDir) {
  if (FileExists(programDir + kDrawsFileName) || FileExists(programDir + kDemoSlipFileName)) return programDir;
  const std::string installed = programDir + "../share/kugelwerk/";
  if (FileExists(installed + kDrawsFileName) || FileExists(installed + kDemoSlipFileName)) return installed;
  return programDir;
}

namespace {
Result<void> CopyWhole(const std::string& from, const std::string& to, std::size_t maxBytes) {
  auto bytes = ReadWholeFile(from, maxBytes);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(to, *bytes);
}
}  // namespace

Result<void> PlaceShippedHistory(const std::string& shippedDir, const std::string& dataDir) {
  const std::string history = dataDir + kDrawsFileName;
  const std::string shippedHistory = shippedDir + kDrawsFileName;
  // Anything under the name, even a file that cannot be read, is the user's.
  if (!NoFileAt(history) || !FileExists(shippedHistory)) return {};
  // The amounts first: should the history fail, the next start tries both again.
  const std::string quotas = dataDir + kQuotasFileName;
  const std::string shippedQuotas = shippedDir + kQuotasFileName;
  if (NoFileAt(quotas) && FileExists(shippedQuotas))
    if (auto copied = CopyWhole(shippedQuotas, quotas, kMaxQuotaFileBytes); !copied) return copied;
  return CopyWhole(shippedHistory, history, kMaxDrawsFileBytes);
}

}  // namespace kw
