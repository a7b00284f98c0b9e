#pragma once
// Handing things to the desktop: web addresses, mail, the calculator.
#include <functional>
#include <string>

namespace kw::platform {

// Opens a web address, "mailto:" address or document with the user's program; false when refused.
bool OpenUrl(const std::string& url);

// Starts the first desktop calculator found; false when none is installed.
bool StartCalculator();

// Tests: while set, OpenUrl hands the address to this instead of the desktop. An empty
// function restores the desktop.
void SetOpenUrlHook(std::function<bool(const std::string& url)> hook);

}  // namespace kw::platform
