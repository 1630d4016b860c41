#include "controls/file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/system_proc_win.h"

namespace tavrolex {

bool FileDialog::Execute(HWND owner) {
  static const auto open_dialog = SystemFunction<decltype(GetOpenFileNameA)>(L"comdlg32.dll", "GetOpenFileNameA");
  static const auto save_dialog = SystemFunction<decltype(GetSaveFileNameA)>(L"comdlg32.dll", "GetSaveFileNameA");
  static const auto last_error = SystemFunction<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
  if (!open_dialog || !save_dialog || !last_error) return false;
  std::size_t size = std::max<std::size_t>(65536, file_name_.size() + 1);
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::vector<char> buffer(size, '\0');
    std::memcpy(buffer.data(), file_name_.data(), std::min(file_name_.size(), size - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(std::min<std::size_t>(size, 0x7FFFFFFF));
    const BOOL confirmed = kind_ == Kind::Open ? open_dialog(&ofn) : save_dialog(&ofn);
    if (confirmed) {
      file_name_.assign(buffer.data());
      return true;
    }
    if (last_error() != FNERR_BUFFERTOOSMALL) return false;
    // The choice did not fit: the first two bytes tell the size it needs. Offer the dialog
    // again with room for it rather than dropping the choice.
    std::uint16_t needed = 0;
    std::memcpy(&needed, buffer.data(), sizeof needed);
    size = std::max<std::size_t>(needed + 1u, size * 2);
  }
  return false;
}

}  // namespace tavrolex
