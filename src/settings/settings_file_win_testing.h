// The settings writer with its byte output replaceable, so a test can make a write fail part
// way and check what is left on disk.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace tavrolex {

// Writes all of `bytes` to the open file; false when the system reports a failure.
using SettingsChunkWriter = std::function<bool(HANDLE file, std::string_view bytes)>;

// WriteSettingsFile with the temporary file's content written by `write`.
bool WriteSettingsFileThrough(const std::string& path, std::string_view bytes,
                              const SettingsChunkWriter& write);

// The writer WriteSettingsFile uses: WriteFile until every byte is out.
bool WriteAllBytes(HANDLE file, std::string_view bytes);

}  // namespace tavrolex
