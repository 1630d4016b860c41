#include "app/system_proc_win.h"

namespace tavrolex {

FARPROC SystemProc(const wchar_t* library, const char* name) {
  // A library already in the process is used as it is; a bare system library name resolves to
  // the system folder.
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace tavrolex
