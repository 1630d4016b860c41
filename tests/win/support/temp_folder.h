// Scratch folders and file helpers for in-process tests. Paths are system code page strings,
// and every helper works past MAX_PATH.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../../../tools/recorder/record_format.h"

namespace tavrolex::testing {

// A fresh, empty folder under the system's temporary folder, removed with all it holds when
// the object goes.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  // The folder, without a trailing backslash.
  const std::string& path() const { return path_; }
  // path() + "\" + name.
  std::string operator/(std::string_view name) const;

 private:
  std::string path_;
};

std::optional<std::string> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, std::string_view bytes);
bool MakeFolder(const std::string& path);
bool RemoveTree(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> FolderEntries(const std::string& path);
DWORD Attributes(const std::string& path);
bool SetAttributes(const std::string& path, DWORD attributes);

// Waits until `path` holds at least `count` complete recorder records and returns them all;
// fewer when `timeout_ms` runs out first.
std::vector<record::Record> WaitForRecords(const std::string& path, size_t count,
                                           DWORD timeout_ms = 10000);

// Sets an environment variable of this process for the object's lifetime.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::string& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Makes `path` the current directory for the object's lifetime.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path);
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
  ~ScopedCurrentDirectory();

 private:
  std::wstring old_;
};

}  // namespace tavrolex::testing
