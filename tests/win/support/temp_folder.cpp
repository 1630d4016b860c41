#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>

#include "app/wide_path_win.h"

namespace tavrolex::testing {
namespace {

std::string CurrentDirectoryA() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
    if (length < path.size()) {
      path.resize(length);
      return WideToSystem(path);
    }
    path.resize(length);
  }
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t base[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, base);
  std::wstring root(base, length);
  if (!root.empty() && root.back() == L'\\') root.pop_back();
  for (;;) {
    const std::wstring candidate = root + L"\\tvx" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(GetTickCount()) + L"-" +
                                   std::to_wstring(++counter);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = WideToSystem(candidate);
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      path_ = CurrentDirectoryA();  // unreachable in practice; keeps the object usable
      return;
    }
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::operator/(std::string_view name) const {
  return path_ + "\\" + std::string(name);
}

std::optional<std::string> ReadBytes(const std::string& path) {
  const HANDLE file = CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
  const HANDLE file = CreateFileW(FileSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return CloseHandle(file) && ok;
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(FileSystemPath(path).c_str(), nullptr) != FALSE;
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((FileSystemPath(path) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(WideToSystem(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool RemoveTree(const std::string& path) {
  const std::wstring wide = FileSystemPath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(wide.c_str()) != FALSE;
  bool ok = true;
  for (const std::string& name : FolderEntries(path)) ok = RemoveTree(path + "\\" + name) && ok;
  return RemoveDirectoryW(wide.c_str()) != FALSE && ok;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(FileSystemPath(path).c_str());
}

bool SetAttributes(const std::string& path, DWORD attributes) {
  return SetFileAttributesW(FileSystemPath(path).c_str(), attributes) != FALSE;
}

std::vector<record::Record> WaitForRecords(const std::string& path, size_t count, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  std::vector<record::Record> records;
  for (;;) {
    if (const auto bytes = ReadBytes(path)) {
      if (auto parsed = record::Parse(*bytes)) records = std::move(*parsed);
    }
    if (records.size() >= count || GetTickCount64() >= deadline) return records;
    Sleep(50);
  }
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value)
    : name_(std::move(name)) {
  char buffer[32768];
  const DWORD length = GetEnvironmentVariableA(name_.c_str(), buffer, sizeof buffer);
  if (length > 0 && length < sizeof buffer) old_ = std::string(buffer, length);
  SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableA(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path) {
  old_ = SystemToWide(CurrentDirectoryA());
  SetCurrentDirectoryW(SystemToWide(path).c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { SetCurrentDirectoryW(old_.c_str()); }

}  // namespace tavrolex::testing
