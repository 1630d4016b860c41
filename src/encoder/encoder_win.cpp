#include "encoder/encoder_win.h"

#include <shellapi.h>

#include "app/system_proc_win.h"
#include "app/wide_path_win.h"

namespace tavrolex {
namespace {

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message;
  if (length != 0 && text != nullptr) message.assign(text, length);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (static_cast<unsigned char>(message.back()) <= ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

// Why ShellExecute failed, from its result (a value of 32 or less) and the thread's last error.
std::string LaunchFailureReason(INT_PTR result, DWORD last_error) {
  switch (result) {
    case 0:
    case SE_ERR_OOM:
      return "there is not enough memory";
    case SE_ERR_FNF:
      return "the file was not found";
    case SE_ERR_PNF:
      return "the folder was not found";
    case SE_ERR_ACCESSDENIED:
      return "access was denied";
    case ERROR_BAD_FORMAT:
      return "the file is not a program Windows can run";
    case SE_ERR_SHARE:
      return "the file is in use";
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
      return "no program is associated with the file";
    case SE_ERR_DLLNOTFOUND:
      return "a library it needs was not found";
    default:
      break;
  }
  if (last_error != ERROR_SUCCESS) {
    std::string text = SystemMessage(last_error);
    if (!text.empty()) return text;
  }
  return "the system reported error " + std::to_string(result);
}

}  // namespace

std::string EncoderPath(const std::string& app_dir) { return app_dir + "\\WM8EUTIL.EXE"; }

bool EncoderPresent(const std::string& app_dir) {
  const std::wstring path = FileSystemPath(EncoderPath(app_dir));
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string LaunchEncoder(HWND owner, const std::string& app_dir, const std::string& parameters) {
  static const auto shell_execute = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
  const std::string path = EncoderPath(app_dir);
  SetLastError(ERROR_SUCCESS);
  // Without the shell library nothing can be started: reported as a missing library.
  const INT_PTR result =
      shell_execute ? reinterpret_cast<INT_PTR>(shell_execute(owner, nullptr, path.c_str(), parameters.c_str(),
                                                              nullptr, SW_SHOW))
                    : SE_ERR_DLLNOTFOUND;
  if (result > 32) return {};
  const DWORD last_error = GetLastError();
  return "The encoding utility " + path + " could not be started: " +
         LaunchFailureReason(result, last_error) + ".";
}

}  // namespace tavrolex
