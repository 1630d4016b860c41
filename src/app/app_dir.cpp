#include "app/app_dir.h"

namespace tavrolex {

// Scans left to right and remembers the last cut. A "\" followed by another "\" (or a ":"
// followed by "\") cuts after that pair; otherwise a "\" cuts before itself (after itself
// when it opens the path) and a ":" cuts after itself. The directory is the text before
// the last cut. A lead byte and its trail byte are stepped over together, so a trail byte
// 0x5C is never a separator.
std::string DirectoryOf(std::string_view module_path, LeadByteTest is_lead_byte) {
  const std::size_t size = module_path.size();
  std::size_t cut = 0;
  std::size_t i = 0;
  while (i < size) {
    const unsigned char c = static_cast<unsigned char>(module_path[i]);
    if (is_lead_byte(c) && i + 1 < size) {
      i += 2;
      continue;
    }
    if (c == '\\' || c == ':') {
      if (i + 1 < size && module_path[i + 1] == '\\') {
        cut = i + 2;
        i += 2;
        continue;
      }
      if (c == '\\') {
        cut = (i == 0) ? 1 : i;
      } else {
        cut = i + 1;
      }
    }
    ++i;
  }
  return std::string(module_path.substr(0, cut));
}

}  // namespace tavrolex
