// Functions of system libraries that only a user's action needs (the file dialogs, dropped
// files, starting the encoding utility), looked up when first called: every library the exe
// imports is loaded on every start, used or not, and these are not needed to show the window.
#pragma once

#include <windows.h>

namespace tavrolex {

// The address of `name` in the system library `library` (loaded on first use and kept), or
// null when either cannot be found.
FARPROC SystemProc(const wchar_t* library, const char* name);

// SystemProc typed as the function it is, e.g. SystemFunction<decltype(ShellExecuteA)>(...).
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
  // Through the generic function pointer type, which converts to any other without a warning.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemProc(library, name)));
}

}  // namespace tavrolex
