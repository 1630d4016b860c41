// A plain build of the same main window that TAVROLEX shows, made of the same kinds and number of
// controls, with nothing but CreateWindowEx calls from one table: no control classes, no events,
// no settings. It is the cost floor that the real program's start-up is compared with.
#include <windows.h>
#include <commctrl.h>

namespace {

enum Kind { Tab, Panel, Group, Label, Edit, Spin, Check, Radio, List, Track, Button };

// One control: its parent (an index into the table, -1 for the window), kind, place and caption.
struct Row {
  int parent;
  Kind kind;
  int x, y, w, h;
  const wchar_t* text;
  DWORD extra_style = 0;
};

// Indexes of the containers in the table below.
enum : int {
  kWindow = -1, kTab = 0, kPanel1 = 1, kPanel2 = 2, kPanel3 = 3,
};

// Group box indexes are given by their position in the table (counted in the comments).
const Row kRows[] = {
    {kWindow, Tab, 8, 8, 449, 313, nullptr},                       // 0
    {kWindow, Panel, 16, 32, 433, 281, nullptr, WS_VISIBLE},       // 1
    {kWindow, Panel, 16, 32, 433, 281, nullptr},                   // 2 (hidden)
    {kWindow, Panel, 16, 32, 433, 281, nullptr},                   // 3 (hidden)
    {kWindow, Button, 8, 328, 75, 25, L"Encode", WS_DISABLED},     // 4
    {kWindow, Button, 304, 328, 75, 25, L"About"},                 // 5
    {kWindow, Button, 384, 328, 75, 25, L"終了"},                  // 6
    {kWindow, Button, 88, 328, 75, 25, L"Check", WS_DISABLED},     // 7
    // First panel.
    {kPanel1, Group, 8, 8, 418, 49, L"変換するソースファイルorディレクトリ"},  // 8
    {8, Edit, 8, 16, 314, 23, nullptr},
    {8, Button, 328, 16, 75, 25, L"参照"},
    {kPanel1, Group, 8, 64, 418, 97, L"出力するWMV/WMAファイルorディレクトリ"},  // 11
    {11, Edit, 8, 16, 314, 23, nullptr},
    {11, Button, 328, 16, 75, 25, L"参照"},
    {11, Check, 16, 48, 369, 17, L"ディレクトリモード用共通ファイル名"},
    {11, Edit, 16, 64, 386, 23, nullptr},
    {kPanel1, Group, 8, 168, 418, 49, nullptr},  // 16
    {16, Check, 8, 0, 309, 17, L"部分変換する場合、領域をミリセカンドで指定"},
    {16, Label, 8, 19, 60, 15, L"開始時間"},
    {16, Spin, 72, 16, 97, 24, nullptr},
    {16, Label, 200, 19, 60, 15, L"終了時間"},
    {16, Spin, 264, 16, 97, 24, nullptr},
    {kPanel1, Group, 8, 224, 418, 49, nullptr},  // 22
    {22, Check, 8, 0, 140, 17, L"既定の設定を使う"},
    {22, List, 8, 16, 402, 25, nullptr},  // profile list, filled below
    // Second panel.
    {kPanel2, Group, 8, 8, 417, 49, nullptr},  // 25
    {25, Check, 8, 0, 200, 17, L"音声の品質を以下から選ぶ"},
    {25, List, 8, 16, 401, 25, nullptr},  // audio list
    {kPanel2, Group, 8, 64, 417, 41, nullptr},  // 28
    {28, Check, 8, 0, 190, 17, L"使用するビデオコーデック"},
    {28, Radio, 16, 17, 153, 17, L"WMV7", WS_GROUP},
    {28, Radio, 192, 17, 153, 17, L"WMV8"},
    {kPanel2, Group, 8, 112, 417, 49, L"出力映像の画面サイズを指定"},  // 32
    {32, Check, 8, 19, 49, 17, L"幅"},
    {32, Spin, 72, 16, 113, 24, nullptr},
    {32, Check, 216, 19, 57, 17, L"高さ"},
    {32, Spin, 288, 16, 113, 24, nullptr},
    {kPanel2, Group, 8, 168, 201, 49, nullptr},  // 37
    {37, Check, 8, 0, 160, 17, L"出力映像のFPS指定"},
    {37, Edit, 8, 16, 121, 23, nullptr},
    {37, Label, 136, 19, 20, 15, L"fps"},
    {kPanel2, Group, 224, 168, 201, 49, nullptr},  // 41
    {41, Check, 8, 0, 140, 17, L"キーフレーム設定"},
    {41, Spin, 8, 16, 121, 24, nullptr},
    {41, Label, 136, 19, 40, 17, L"秒ごと"},
    {kPanel2, Group, 8, 224, 417, 49, nullptr},  // 45
    {45, Check, 8, 0, 190, 17, L"入力映像の前処理を行う"},
    {45, List, 8, 16, 401, 25, nullptr},  // pre-processing list
    // Third panel.
    {kPanel3, Group, 8, 8, 417, 65, nullptr},  // 48
    {48, Check, 8, 0, 195, 17, L"変換する映像の領域指定"},
    {48, Label, 16, 17, 22, 15, L"left"},
    {48, Spin, 16, 32, 89, 24, nullptr},
    {48, Label, 112, 16, 20, 15, L"top"},
    {48, Spin, 112, 32, 89, 24, nullptr},
    {48, Label, 208, 17, 33, 15, L"right"},
    {48, Spin, 208, 32, 89, 24, nullptr},
    {48, Label, 304, 17, 45, 15, L"bottom"},
    {48, Spin, 304, 32, 89, 24, nullptr},
    {kPanel3, Group, 8, 80, 417, 49, nullptr},  // 58
    {58, Check, 8, 0, 130, 17, L"映像モード指定"},
    {58, List, 8, 16, 401, 25, nullptr},  // mode list
    {kPanel3, Group, 8, 136, 201, 49, nullptr},  // 61
    {61, Check, 8, 0, 135, 17, L"ビットレート指定"},
    {61, Spin, 8, 16, 121, 24, nullptr},
    {61, Label, 136, 19, 25, 15, L"bps"},
    {kPanel3, Group, 224, 136, 201, 49, nullptr},  // 65
    {65, Check, 8, 0, 137, 17, L"映像バッファ指定"},
    {65, Spin, 8, 16, 121, 24, nullptr},
    {65, Label, 136, 19, 20, 15, L"ms"},
    {kPanel3, Group, 8, 192, 417, 57, nullptr},  // 69
    {69, Check, 8, 0, 60, 17, L"品質"},
    {69, Label, 200, 16, 3, 15, L""},
    {69, Track, 8, 32, 401, 17, nullptr},
    {kPanel3, Edit, 8, 256, 417, 23, nullptr},
};
constexpr int kRowCount = sizeof kRows / sizeof kRows[0];

const wchar_t* const kProfileLines[] = {
    L"Audio/Video: Modem 28K (actual rate: 20K)", L"Audio/Video: Modem 56K (32K)",
    L"Audio/Video: LAN 100K (100K)", L"Audio/Video: LAN 256K (225K)",
    L"Audio/Video: LAN DSL 384K (350K)", L"Audio/Video: LAN DSL 768K (450K)",
    L"Audio/Video: Near Broad Cast 700K (700K)", L"Audio/Video: Near Broad Cast 1400K (1400K)",
    L"Audio/Video: Broadband PAL 384K (350K)", L"Audio/Video: Near Broad Cast PAL 700K (700K)",
    L"Audio-only: FM Radio Mono 28K (20K)", L"Audio-only: FM Radio Stereo 28K (20K)",
    L"Audio-only: Modem 56KK (32K)", L"Audio-only: Near CD Quality 48K (48K)",
    L"Audio-only: CD Quality 64K (64K)", L"Audio-only: CD Transparency 96K (96K)",
    L"Audio-only: CD Audiophile Transparency 128K (128K)", L"Video-only: Modem 28K (20K)",
    L"Video-only: Modem 56K (32K)",
};
const wchar_t* const kAudioLines[] = {
    L"192_48_2: 192Kbps 48Khz stereo", L"160_48_2: 160Kbps 48Khz stereo",
    L"128_48_2: 128Kbps 48Khz stereo", L"192_44_2: 192Kbps 44.1Khz stereo",
    L"160_44_2: 160Kbps 44.1Khz stereo", L"128_44_2: 128Kbps 44.1Khz stereo",
    L"96_44_2: 96Kbps 44.1Khz stereo", L"80_44_2: 80Kbps 44.1Khz stereo",
    L"64_44_2: 64Kbps 44.1Khz stereo", L"48_44_2: 48Kbps 44.1Khz stereo",
    L"32_44_2: 32Kbps 44.1Khz stereo", L"32_44_1: 32Kbps 44.1Khz mono",
    L"48_32_2: 48Kbps 32Khz stereo", L"40_32_2: 40Kbps 32Khz stereo",
    L"32_32_2: 32Kbps 32Khz stereo", L"20_32_1: 20Kbps 32Khz mono",
    L"32_22_2: 32Kbps 22.05Khz stereo", L"22_22_2: 22Kbps 22.05Khz stereo",
    L"20_22_2: 20Kbps 22.05Khz stereo", L"20_22_1: 20Kbps 22.05Khz mono",
    L"16_22_1: 16Kbps 22.05Khz mono", L"20_16_2: 20Kbps 16Khz stereo",
    L"16_16_2: 16Kbps 16Khz stereo", L"16_16_1: 16Kbps 16Khz mono",
    L"12_16_1: 12Kbps 16Khz mono", L"10_16_1: 10Kbps 16Khz mono",
    L"10_11_1: 10Kbps 11.025Khz mono", L"8_11_1: 8Kbps 11.025Khz mono",
    L"12_8_2: 12Kbps 8Khz stereo", L"8_8_1: 8Kbps 8Khz mono",
    L"6_8_1: 6Kbps 8Khz mono", L"5_8_1: 5Kbps 8Khz mono",
    L"0: video-only",
};
const wchar_t* const kPreprocLines[] = {
    L"なし (for progressive video input).",
    L"De-interlace but preserve the size.",
    L"De-interlace but halve the size.",
    L"De-interlace, halve the size, and double the frame rate.",
    L"De-interlace, halve vertical size, and double frame rate.",
    L"Inverse telecine from 30fps to 24fps.",
};
const wchar_t* const kModeLines[] = {
    L"1-pass CBR (ストリーミング用).",
    L"2-pass CBR (ストリーミング用).",
    L"1-pass VBR (ローカル再生用).",
    L"2-pass VBR (ローカル再生用).",
};

struct ListFill {
  int row;
  const wchar_t* const* lines;
  int count;
};
const ListFill kLists[] = {
    {24, kProfileLines, sizeof kProfileLines / sizeof kProfileLines[0]},
    {27, kAudioLines, sizeof kAudioLines / sizeof kAudioLines[0]},
    {47, kPreprocLines, sizeof kPreprocLines / sizeof kPreprocLines[0]},
    {60, kModeLines, sizeof kModeLines / sizeof kModeLines[0]},
};

constexpr wchar_t kPanelClass[] = L"FloorPanel";
constexpr wchar_t kWindowClass[] = L"FloorDirect";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

int Scale(int v, int measured) { return MulDiv(v, measured, 15); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                                           ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassW(&wc)) return 1;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kPanelClass;
  if (!RegisterClassW(&wc)) return 1;

  // The window's font, 12 pixels at 96 dpi, and the layout scale from the height of "0" in it.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  HFONT font = CreateFontW(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  HGDIOBJ old = SelectObject(screen, font);
  SIZE zero{};
  GetTextExtentPoint32W(screen, L"0", 1, &zero);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const int measured = zero.cy > 0 ? zero.cy : 15;

  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer{0, 0, Scale(465, measured), Scale(361, measured)};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(ex_style, kWindowClass, L"Tavrolex with 日本語 (floor)", style,
                                left > 0 ? left : 0, top > 0 ? top : 0, width, height, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  HWND handles[kRowCount] = {};
  for (int i = 0; i < kRowCount; ++i) {
    const Row& row = kRows[i];
    HWND parent = row.parent < 0 ? window : handles[row.parent];
    const int x0 = Scale(row.x, measured), y0 = Scale(row.y, measured);
    const int w = Scale(row.x + row.w, measured) - x0, h = Scale(row.y + row.h, measured) - y0;
    const wchar_t* cls = L"BUTTON";
    DWORD s = WS_CHILD | row.extra_style;
    DWORD ex = 0;
    if (row.kind != Panel) s |= WS_VISIBLE;  // panels 2 and 3 hide their children
    switch (row.kind) {
      case Tab: cls = WC_TABCONTROLW; s |= WS_TABSTOP | WS_CLIPSIBLINGS; break;
      case Panel: cls = kPanelClass; ex = WS_EX_CONTROLPARENT; s |= WS_CLIPSIBLINGS; break;
      case Group: s |= BS_GROUPBOX; ex = WS_EX_CONTROLPARENT; break;
      case Label: cls = L"STATIC"; s |= SS_LEFT | SS_NOPREFIX; break;
      case Edit:
      case Spin: cls = L"EDIT"; ex = WS_EX_CLIENTEDGE; s |= WS_TABSTOP | ES_AUTOHSCROLL; break;
      case Check: s |= WS_TABSTOP | BS_AUTOCHECKBOX; break;
      case Radio: s |= BS_AUTORADIOBUTTON; break;
      case List:
        cls = L"LISTBOX";
        ex = WS_EX_CLIENTEDGE;
        s |= WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
        break;
      case Track: cls = TRACKBAR_CLASSW; s |= WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTTOM; break;
      case Button: s |= WS_TABSTOP | BS_PUSHBUTTON; break;
    }
    const wchar_t* text = row.kind == Spin ? L"0" : (row.text ? row.text : L"");
    HWND h_ctl = CreateWindowExW(ex, cls, text, s, x0, y0, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance,
                                 nullptr);
    if (!h_ctl) return 1;
    handles[i] = h_ctl;
    SendMessageW(h_ctl, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.kind == Spin) {
      HWND updown = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                    WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0,
                                    0, 0, parent, nullptr, instance, nullptr);
      if (!updown) return 1;
      SendMessageW(updown, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(h_ctl), 0);
      SendMessageW(updown, UDM_SETRANGE32, 0, 0);
    } else if (row.kind == Track) {
      SendMessageW(h_ctl, TBM_SETRANGEMIN, FALSE, 0);
      SendMessageW(h_ctl, TBM_SETRANGEMAX, FALSE, 100);
      SendMessageW(h_ctl, TBM_SETTICFREQ, 5, 0);
      SendMessageW(h_ctl, TBM_SETPAGESIZE, 0, 2);
    } else if (row.kind == Tab) {
      const wchar_t* const tabs[] = {L"一般", L"詳細(1)", L"詳細(2)"};
      for (int t = 0; t < 3; ++t) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tabs[t]);
        SendMessageW(h_ctl, TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
      }
    }
  }
  for (const ListFill& list : kLists) {
    for (int i = 0; i < list.count; ++i)
      SendMessageW(handles[list.row], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.lines[i]));
  }
  // The panels lie above the tab strip, which was created first and so sits on top.
  for (int panel = kPanel1; panel <= kPanel3; ++panel)
    SetWindowPos(handles[panel], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(handles[31], BM_SETCHECK, BST_CHECKED, 0);  // WMV8
  // The start-up selections of the four lists.
  SendMessageW(handles[27], LB_SETCURSEL, 8, 0);
  SendMessageW(handles[24], LB_SETCURSEL, 0, 0);
  SendMessageW(handles[60], LB_SETCURSEL, 0, 0);
  SendMessageW(handles[47], LB_SETCURSEL, 0, 0);

  ShowWindow(window, show);
  UpdateWindow(window);
  SetFocus(handles[kTab]);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
