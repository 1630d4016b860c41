// Stands in for the encoding utility. With WM8EUTIL_RECORD naming a file, it appends one
// record of how it was started (raw command line, the C runtime's arguments, current
// directory) and exits at once. Without it, it shows its arguments and waits for Enter, so a
// user can see what the front end sent.
#include <windows.h>

#include <cstdio>
#include <string>

#include "record_format.h"

// Arguments exactly as the C runtime splits them: no wildcard expansion.
extern "C" int _dowildcard;
int _dowildcard = 0;

namespace {

std::string EnvironmentValue(const char* name) {
  std::string value(256, '\0');
  for (;;) {
    const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
}

std::string CurrentDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);
  }
}

// One write with FILE_APPEND_DATA, so runs that overlap each add a whole record.
bool Append(const std::string& file_name, const std::string& text) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    const HANDLE file = CreateFileA(file_name.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(20);
      continue;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string record_file = EnvironmentValue("WM8EUTIL_RECORD");
  if (!record_file.empty()) {
    tavrolex::record::Record record;
    record.command_line = GetCommandLineA();
    record.arguments.assign(argv, argv + argc);
    record.current_directory = CurrentDirectory();
    Append(record_file, tavrolex::record::Format(record));
    return 0;
  }

  std::printf("WM8EUTIL stand-in: %d argument(s)\n", argc - 1);
  for (int i = 1; i < argc; ++i) std::printf("%s\n", argv[i]);
  std::printf("Press Enter to close.\n");
  std::fflush(stdout);
  std::getchar();
  return 0;
}
