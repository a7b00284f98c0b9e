#pragma once
// Window states in "Einstellungen.ini". Stop-gap until the shared INI module arrives: every
// window goes through these two calls, so the swap happens here only.
#include <string>

#include "core/result.h"

namespace kw::ui {

// "1"/"0" (any integer; not 0 = true); default when file, section or key is missing or unreadable.
bool ReadIniBool(const std::string& path, const std::string& section, const std::string& key, bool fallback);
// Sets the key, keeping every other line of the file; creates file and section when missing.
Result<void> WriteIniBool(const std::string& path, const std::string& section, const std::string& key, bool value);

}  // namespace kw::ui
