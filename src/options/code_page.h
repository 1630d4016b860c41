// Double-byte character sets: which bytes begin a two-byte character in the system code page.
#pragma once

namespace tavrolex {

// Windows passes IsDBCSLeadByte; tests and native code use IsShiftJisLeadByte.
using LeadByteTest = bool (*)(unsigned char byte);

// Code page 932: 0x81..0x9F and 0xE0..0xFC.
bool IsShiftJisLeadByte(unsigned char byte);
bool NoLeadBytes(unsigned char byte);

}  // namespace tavrolex
