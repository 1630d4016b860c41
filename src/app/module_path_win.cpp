#include "app/module_path_win.h"

#include <windows.h>

#include "app/wide_path_win.h"

namespace tavrolex {

std::string ModuleFilePath() {
  // The wide call reports paths of any length; the buffer grows until the path fits whole.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return WideToSystem(buffer);
    }
    if (buffer.size() >= 32768) return WideToSystem(buffer);
    buffer.resize(buffer.size() * 2);
  }
}

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace tavrolex
