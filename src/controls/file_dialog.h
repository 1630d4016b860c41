// The system's modal dialogs for choosing a file to open or to save: no filter, no title of
// our own, no initial directory, no default extension, no options. Each dialog starts with
// the name last confirmed in it and remembers only its own confirmed choices. A name of
// any length comes back whole.
#pragma once

#include <windows.h>

#include <string>

namespace tavrolex {

class FileDialog {
 public:
  enum class Kind { Open, Save };
  explicit FileDialog(Kind kind) : kind_(kind) {}
  FileDialog(const FileDialog&) = delete;
  FileDialog& operator=(const FileDialog&) = delete;

  // True when the user confirmed a file; FileName() is then that full path.
  bool Execute(HWND owner);
  const std::string& FileName() const { return file_name_; }

 private:
  Kind kind_;
  std::string file_name_;  // system code page
};

}  // namespace tavrolex
