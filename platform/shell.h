#pragma once
// Handing things to the desktop: web addresses, mail, the calculator.
#include <string>

namespace kw::platform {

// Opens a web address, "mailto:" address or document with the user's program; false when refused.
bool OpenUrl(const std::string& url);

// Starts the first desktop calculator found; false when none is installed.
bool StartCalculator();

}  // namespace kw::platform
