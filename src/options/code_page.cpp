#include "options/code_page.h"

namespace tavrolex {

bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadBytes(unsigned char /*byte*/) { return false; }

}  // namespace tavrolex
