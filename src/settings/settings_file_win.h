// The settings file on disk: read whole, replaced whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrolex {

// The file's bytes, or nothing when it is missing or cannot be opened or read.
// The path is in the system code page and may be of any length.
std::optional<std::string> ReadSettingsFile(const std::string& path);

// Replaces the file in one step: the bytes go to a temporary file in the same folder, which
// is flushed, closed and moved over the target. A read-only target is left alone. On any
// failure the temporary file is removed, the old file stays as it was, and false is returned.
bool WriteSettingsFile(const std::string& path, std::string_view bytes);

}  // namespace tavrolex
