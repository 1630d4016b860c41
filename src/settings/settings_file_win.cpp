#include "settings/settings_file_win.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "app/wide_path_win.h"
#include "settings/settings_file_win_testing.h"

namespace tavrolex {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&&) = delete;
  ~FileHandle() { Close(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

std::wstring Hex(unsigned long value) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return text;
}

// A fresh file beside the target, named after it, opened for writing. Never one that exists.
FileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& name) {
  static std::atomic<unsigned long> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L"." + Hex(GetCurrentProcessId()) + L"-" + Hex(++counter) + L".tmp";
    FileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return FileHandle(INVALID_HANDLE_VALUE);
}

}  // namespace

std::optional<std::string> ReadSettingsFile(const std::string& path) {
  const std::wstring name = FileSystemPath(path);
  if (name.empty()) return std::nullopt;
  FileHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return std::nullopt;

  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30)) {
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  }
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

bool WriteAllBytes(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool WriteSettingsFileThrough(const std::string& path, std::string_view bytes,
                              const SettingsChunkWriter& write) {
  const std::wstring target = FileSystemPath(path);
  if (target.empty()) return false;

  // Checked here because not every system refuses to replace a read-only file (Wine running
  // as root does not), and a read-only settings file is meant to stay as it is.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }

  std::wstring temporary;
  FileHandle file = CreateTemporaryBeside(target, temporary);
  if (!file.valid()) return false;

  bool ok = write(file.get(), bytes) && FlushFileBuffers(file.get());
  ok = file.Close() && ok;
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

bool WriteSettingsFile(const std::string& path, std::string_view bytes) {
  return WriteSettingsFileThrough(path, bytes, WriteAllBytes);
}

}  // namespace tavrolex
