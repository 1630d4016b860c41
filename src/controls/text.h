// Text conversions at the edge between our 8-bit strings and the wide Win32 API.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrolex {

// UTF-8 source text (captions, list lines) to UTF-16.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// 8-bit system code page text (option values, paths) to UTF-16 and back.
std::wstring SystemTextToWide(std::string_view text);
std::string WideToSystemText(std::wstring_view text);
// A window's whole text.
std::wstring WindowTextOf(HWND window);
// Our messages break lines with a single CR; message boxes want CR LF.
std::wstring CrToCrLf(std::wstring_view text);

}  // namespace tavrolex
