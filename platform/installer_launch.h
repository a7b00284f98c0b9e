#pragma once
// Starting the downloaded installer and the script that removes the old program.
#include <functional>
#include <string>
#include <vector>

namespace kw::platform {

// Starts the installer detached. On Linux the self-contained archive asks its questions in a
// terminal, so it runs in the first terminal program found (x-terminal-emulator, gnome-terminal,
// konsole, xfce4-terminal, xterm), else on its own. False when it could not be started.
bool StartInstaller(const std::string& path);

// Starts the self-removal script detached: "sh SCRIPT" on Linux, the command file in a hidden
// window on Windows. False when it could not be started.
bool StartSelfRemoval(const std::string& scriptPath);

// Full path of the running program file and the process id, for the self-removal script.
std::string RunningProgramPath();
long long RunningProcessId();
// The system temporary folder with a trailing "/".
std::string TempFolder();

// Tests: while set, every detached start goes to this (program, arguments) instead of the
// system. An empty function restores the system.
void SetStartDetachedHook(std::function<bool(const std::string& program, const std::vector<std::string>& args)> hook);

}  // namespace kw::platform
