#pragma once
// The demonstration slip "Demo.emt" that ships beside the program.
#include <string>

#include "core/result.h"

namespace kw {

// Copies programDir + "Demo.emt" into dataDir unless dataDir has one already. A program
// without its demo slip is no error (nothing happens); a failed copy is.
Result<void> PlaceDemoSlip(const std::string& programDir, const std::string& dataDir);

}  // namespace kw
