// The encoding utility beside the program: where it is, whether it is there, and starting it.
#pragma once

#include <windows.h>

#include <string>

namespace tavrolex {

// app_dir + "\WM8EUTIL.EXE", always with that backslash.
std::string EncoderPath(const std::string& app_dir);

// True when the path names an existing file; a directory of that name does not count.
bool EncoderPresent(const std::string& app_dir);

// Starts the utility through the shell (no verb, no directory, SW_SHOW) with the parameter
// string and returns at once. Returns an empty text when it started, otherwise a message
// for the user saying that the utility could not be started and why.
std::string LaunchEncoder(HWND owner, const std::string& app_dir, const std::string& parameters);

}  // namespace tavrolex
