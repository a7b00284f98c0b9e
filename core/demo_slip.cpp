#include "core/demo_slip.h"

#include "core/file_io.h"
#include "core/slip_file.h"
#include "core/program.h"

namespace kw {

Result<void> PlaceDemoSlip(const std::string& programDir, const std::string& dataDir) {
  const std::string source = programDir + kDemoSlipFileName;
  const std::string target = dataDir + kDemoSlipFileName;
  if (!FileExists(source) || FileExists(target)) return {};
  auto bytes = ReadWholeFile(source, kMaxSlipFileBytes);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(target, *bytes);
}

}  // namespace kw
