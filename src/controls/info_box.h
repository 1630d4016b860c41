// A modal message box under the application's title, with no icon and one OK button that
// Enter and Esc press as well. Texts break lines with single CR characters and are in the
// system code page.
#pragma once

#include <string_view>

namespace tavrolex {

void InfoBox(std::string_view text);

}  // namespace tavrolex
