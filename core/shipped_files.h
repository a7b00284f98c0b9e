#pragma once
// The files a release ships with the program: the draw history "GZahlen.emz", the prize amounts
// "EMQuoten.emq" and the demonstration slip "Demo.emt".
#include <string>

#include "core/result.h"

namespace kw {

// Where they lie for a program in programDir (trailing "/"): beside it in a build folder or a
// Windows installation, in programDir/../share/kugelwerk/ in a Linux installation. Returns the
// folder with a trailing "/"; programDir itself when neither has them.
std::string ShippedFilesFolder(const std::string& programDir);

// Puts the shipped history and amounts into a data folder that has no "GZahlen.emz", as an
// installer would: a history the user already has is never replaced, and an "EMQuoten.emq" of
// the user stays too. Nothing shipped: nothing happens. A failed copy is reported.
Result<void> PlaceShippedHistory(const std::string& shippedDir, const std::string& dataDir);

}  // namespace kw
