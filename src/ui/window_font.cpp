#include "ui/window_font.h"

#include <cwchar>

namespace tavrolex {
namespace {

const wchar_t* const kFaces[] = {
    L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF",  // ＭＳ Ｐゴシック
    L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI", L"IPAPGothic", L"Noto Sans CJK JP",
};

struct Candidate {
  HFONT font;
  std::wstring face;
  bool proportional;
  int text_height;
};

Candidate Try(HDC dc, const wchar_t* face, int pixel_height) {
  LOGFONTW lf{};
  lf.lfHeight = -pixel_height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  Candidate c{CreateFontIndirectW(&lf), {}, false, 0};
  const HGDIOBJ old = SelectObject(dc, c.font);
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  c.face = chosen;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  // The flag named "fixed pitch" is set for variable-pitch fonts.
  c.proportional = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"0", 1, &extent);
  c.text_height = extent.cy;
  SelectObject(dc, old);
  return c;
}

}  // namespace

WindowFont CreateWindowFont() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  const int pixel_height = MulDiv(12, dpi > 0 ? dpi : 96, 96);
  Candidate first{};
  Candidate taken{};
  for (const wchar_t* face : kFaces) {
    Candidate c = Try(dc, face, pixel_height);
    const bool wanted = _wcsicmp(c.face.c_str(), face) == 0 && c.proportional;
    if (wanted) {
      taken = c;
      break;
    }
    if (!first.font) first = c;
    else DeleteObject(c.font);
  }
  if (taken.font) {
    if (first.font) DeleteObject(first.font);
  } else {
    taken = first;  // none of them: keep what the system offered for the first face
  }
  ReleaseDC(nullptr, dc);
  return {taken.font, taken.face, taken.text_height};
}

}  // namespace tavrolex
