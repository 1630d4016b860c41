// File-system paths: the program's 8-bit system code page strings turned into the wide form
// the file functions accept at any length.
#pragma once

#include <string>
#include <string_view>

namespace tavrolex {

// System code page text as UTF-16.
std::wstring SystemToWide(std::string_view text);

// UTF-16 as system code page text (characters it lacks become the system's default character).
std::string WideToSystem(std::wstring_view text);

// The path made absolute against the current directory, as UTF-16. A long drive or network
// path gets the \\?\ prefix, so the wide file functions take it past MAX_PATH, where the
// 8-bit ones give up. Short paths stay unprefixed. An empty path stays empty.
std::wstring FileSystemPath(const std::string& path);

}  // namespace tavrolex
