#include "app/app_dir_win.h"

#include "app/app_dir.h"
#include "app/module_path_win.h"

namespace tavrolex {

const std::string& AppDir() {
  static const std::string directory = DirectoryOf(ModuleFilePath(), &SystemLeadByte);
  return directory;
}

}  // namespace tavrolex
