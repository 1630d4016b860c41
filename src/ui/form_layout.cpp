// The window's definition: one row per control with its parent, place, size, caption and
// place in the tab order, and the builder that creates the controls from it.
#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "ui/control_ids.h"
#include "ui/form_tavrolex.h"
#include "ui/scale.h"

namespace tavrolex {
namespace {

constexpr int kForm = 0;
constexpr int kNoTab = -1;  // labels, which never take the focus

enum Flags : unsigned {
  kNone = 0,
  kHidden = 1,      // built hidden
  kDisabled = 2,    // built disabled
  kPairFirst = 4,   // the first radio button of a pair starts its group
};

struct LayoutRow;
using BuildFn = HWND (*)(TFormTavrolex& form, HWND parent, const LayoutRow& row, const Bounds& bounds);

struct LayoutRow {
  BuildFn build;
  int id;
  int parent;
  int left, top, width, height;
  std::string_view caption;  // UTF-8; the tab strip's tabs are separated by '\n'
  int tab;
  unsigned flags;
};

bool CreateFrom(TabStrip& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  std::vector<std::string_view> tabs;
  std::string_view rest = row.caption;
  for (std::size_t cut; (cut = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(cut + 1))
    tabs.push_back(rest.substr(0, cut));
  tabs.push_back(rest);
  return c.Create(parent, row.id, b, tabs);
}
bool CreateFrom(Panel& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, !(row.flags & kHidden));
}
bool CreateFrom(GroupBox& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, row.caption);
}
bool CreateFrom(Label& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, row.caption);
}
bool CreateFrom(EditBox& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b);
}
bool CreateFrom(IntegerField& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b);
}
bool CreateFrom(CheckBox& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, row.caption);
}
bool CreateFrom(RadioButton& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, row.caption, (row.flags & kPairFirst) != 0);
}
bool CreateFrom(ListBox& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b);
}
bool CreateFrom(Slider& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b);
}
bool CreateFrom(Button& c, HWND parent, const LayoutRow& row, const Bounds& b) {
  return c.Create(parent, row.id, b, row.caption);
}

template <auto Member>
HWND Build(TFormTavrolex& form, HWND parent, const LayoutRow& row, const Bounds& bounds) {
  auto& control = form.*Member;
  if (!CreateFrom(control, parent, row, bounds)) return nullptr;
  if (row.flags & kDisabled) control.SetEnabled(false);
  return control.Handle();
}

#define ROW(member, parent, left, top, width, height, caption, tab, flags) \
  LayoutRow { &Build<&TFormTavrolex::member>, IDC_##member, parent, left, top, width, height, caption, tab, flags }

// Rows for the children of one parent come in the order of their tab order; a label sits
// just before the control it names.
const LayoutRow kLayout[] = {
    ROW(TabControlOption, kForm, 8, 8, 449, 313, "一般\n詳細(1)\n詳細(2)", 0, kNone),
    ROW(PanelGeneral, kForm, 16, 32, 433, 281, "", 1, kNone),
    ROW(PanelDetail1, kForm, 16, 32, 433, 281, "", 2, kHidden),
    ROW(PanelDetail2, kForm, 16, 32, 433, 281, "", 3, kHidden),
    ROW(ButtonEncode, kForm, 8, 328, 75, 25, "Encode", 4, kDisabled),
    ROW(ButtonCheck, kForm, 88, 328, 75, 25, "Check", 7, kDisabled),
    ROW(ButtonAbout, kForm, 304, 328, 75, 25, "About", 5, kNone),
    ROW(ButtonQuit, kForm, 384, 328, 75, 25, "終了", 6, kNone),

    ROW(GroupBox_input, IDC_PanelGeneral, 8, 8, 418, 49, "変換するソースファイルorディレクトリ", 0, kNone),
    ROW(Edit_input, IDC_GroupBox_input, 8, 16, 314, 23, "", 0, kNone),
    ROW(Button_input, IDC_GroupBox_input, 328, 16, 75, 25, "参照", 1, kNone),
    ROW(GroupBox_output, IDC_PanelGeneral, 8, 64, 418, 97, "出力するWMV/WMAファイルorディレクトリ", 1, kNone),
    ROW(Edit_output, IDC_GroupBox_output, 8, 16, 314, 23, "", 0, kNone),
    ROW(Button_output, IDC_GroupBox_output, 328, 16, 75, 25, "参照", 1, kNone),
    ROW(CheckBox_outputstring, IDC_GroupBox_output, 16, 48, 369, 17, "ディレクトリモード用共通ファイル名", 2, kNone),
    ROW(Edit_outputstring, IDC_GroupBox_output, 16, 64, 386, 23, "", 3, kNone),
    ROW(GroupBox_time, IDC_PanelGeneral, 8, 168, 418, 49, "", 2, kNone),
    ROW(CheckBox_time, IDC_GroupBox_time, 8, 0, 309, 17, "部分変換する場合、領域をミリセカンドで指定", 0, kNone),
    ROW(Label_start_time, IDC_GroupBox_time, 8, 19, 60, 15, "開始時間", kNoTab, kNone),
    ROW(SpinEdit_start_time, IDC_GroupBox_time, 72, 16, 97, 24, "", 1, kNone),
    ROW(Label_end_time, IDC_GroupBox_time, 200, 19, 60, 15, "終了時間", kNoTab, kNone),
    ROW(SpinEdit_end_time, IDC_GroupBox_time, 264, 16, 97, 24, "", 2, kNone),
    ROW(GroupBox_profile, IDC_PanelGeneral, 8, 224, 418, 49, "", 3, kNone),
    ROW(CheckBox_profile, IDC_GroupBox_profile, 8, 0, 140, 17, "既定の設定を使う", 0, kNone),
    ROW(ListBox_profile, IDC_GroupBox_profile, 8, 16, 402, 25, "", 1, kNone),

    ROW(GroupBox_a_setting, IDC_PanelDetail1, 8, 8, 417, 49, "", 0, kNone),
    ROW(CheckBox_a_setting, IDC_GroupBox_a_setting, 8, 0, 200, 17, "音声の品質を以下から選ぶ", 0, kNone),
    ROW(ListBox_a_setting, IDC_GroupBox_a_setting, 8, 16, 401, 25, "", 1, kNone),
    ROW(GroupBox_v_codec, IDC_PanelDetail1, 8, 64, 417, 41, "", 1, kNone),
    ROW(CheckBox_v_codec, IDC_GroupBox_v_codec, 8, 0, 190, 17, "使用するビデオコーデック", 0, kNone),
    ROW(RadioButton_WMV7, IDC_GroupBox_v_codec, 16, 17, 153, 17, "WMV7", 1, kPairFirst),
    ROW(RadioButton_WMV8, IDC_GroupBox_v_codec, 192, 17, 153, 17, "WMV8", 2, kNone),
    ROW(GroupBox_v_frame_size, IDC_PanelDetail1, 8, 112, 417, 49, "出力映像の画面サイズを指定", 2, kNone),
    ROW(CheckBox_v_width, IDC_GroupBox_v_frame_size, 8, 19, 49, 17, "幅", 0, kNone),
    ROW(SpinEdit_v_width, IDC_GroupBox_v_frame_size, 72, 16, 113, 24, "", 1, kNone),
    ROW(CheckBox_v_height, IDC_GroupBox_v_frame_size, 216, 19, 57, 17, "高さ", 2, kNone),
    ROW(SpinEdit_v_height, IDC_GroupBox_v_frame_size, 288, 16, 113, 24, "", 3, kNone),
    ROW(GroupBox_v_framerate, IDC_PanelDetail1, 8, 168, 201, 49, "", 3, kNone),
    ROW(CheckBox_v_framerate, IDC_GroupBox_v_framerate, 8, 0, 160, 17, "出力映像のFPS指定", 0, kNone),
    ROW(Edit_v_framerate, IDC_GroupBox_v_framerate, 8, 16, 121, 23, "", 1, kNone),
    ROW(Label_v_framerate, IDC_GroupBox_v_framerate, 136, 19, 20, 15, "fps", kNoTab, kNone),
    ROW(GroupBox_v_keydist, IDC_PanelDetail1, 224, 168, 201, 49, "", 4, kNone),
    ROW(CheckBox_v_keydist, IDC_GroupBox_v_keydist, 8, 0, 140, 17, "キーフレーム設定", 0, kNone),
    ROW(SpinEdit_v_keydist, IDC_GroupBox_v_keydist, 8, 16, 121, 24, "", 1, kNone),
    ROW(Label_v_keydist, IDC_GroupBox_v_keydist, 136, 19, 40, 17, "秒ごと", kNoTab, kNone),
    ROW(GroupBox_v_preproc, IDC_PanelDetail1, 8, 224, 417, 49, "", 5, kNone),
    ROW(CheckBox_v_preproc, IDC_GroupBox_v_preproc, 8, 0, 190, 17, "入力映像の前処理を行う", 0, kNone),
    ROW(ListBox_v_preproc, IDC_GroupBox_v_preproc, 8, 16, 401, 25, "", 1, kNone),

    ROW(GroupBox_v_clip, IDC_PanelDetail2, 8, 8, 417, 65, "", 0, kNone),
    ROW(CheckBox_v_clip, IDC_GroupBox_v_clip, 8, 0, 195, 17, "変換する映像の領域指定", 0, kNone),
    ROW(Label_v_clip_left, IDC_GroupBox_v_clip, 16, 17, 22, 15, "left", kNoTab, kNone),
    ROW(SpinEdit_v_clip_left, IDC_GroupBox_v_clip, 16, 32, 89, 24, "", 1, kNone),
    ROW(Label_v_clip_top, IDC_GroupBox_v_clip, 112, 16, 20, 15, "top", kNoTab, kNone),
    ROW(SpinEdit_v_clip_top, IDC_GroupBox_v_clip, 112, 32, 89, 24, "", 2, kNone),
    ROW(Label_v_clip_right, IDC_GroupBox_v_clip, 208, 17, 33, 15, "right", kNoTab, kNone),
    ROW(SpinEdit_v_clip_right, IDC_GroupBox_v_clip, 208, 32, 89, 24, "", 3, kNone),
    ROW(Label_v_clip_bottom, IDC_GroupBox_v_clip, 304, 17, 45, 15, "bottom", kNoTab, kNone),
    ROW(SpinEdit_v_clip_bottom, IDC_GroupBox_v_clip, 304, 32, 89, 24, "", 4, kNone),
    ROW(GroupBox_v_mode, IDC_PanelDetail2, 8, 80, 417, 49, "", 1, kNone),
    ROW(CheckBox_v_mode, IDC_GroupBox_v_mode, 8, 0, 130, 17, "映像モード指定", 0, kNone),
    ROW(ListBox_v_mode, IDC_GroupBox_v_mode, 8, 16, 401, 25, "", 1, kNone),
    ROW(GroupBox_v_bitrate, IDC_PanelDetail2, 8, 136, 201, 49, "", 2, kNone),
    ROW(CheckBox_v_bitrate, IDC_GroupBox_v_bitrate, 8, 0, 135, 17, "ビットレート指定", 0, kNone),
    ROW(SpinEdit_v_bitrate, IDC_GroupBox_v_bitrate, 8, 16, 121, 24, "", 1, kNone),
    ROW(Label_v_bitrate, IDC_GroupBox_v_bitrate, 136, 19, 25, 15, "bps", kNoTab, kNone),
    ROW(GroupBox_v_buffer, IDC_PanelDetail2, 224, 136, 201, 49, "", 3, kNone),
    ROW(CheckBox_v_buffer, IDC_GroupBox_v_buffer, 8, 0, 137, 17, "映像バッファ指定", 0, kNone),
    ROW(SpinEdit_v_buffer, IDC_GroupBox_v_buffer, 8, 16, 121, 24, "", 1, kNone),
    ROW(Label_v_buffer, IDC_GroupBox_v_buffer, 136, 19, 20, 15, "ms", kNoTab, kNone),
    ROW(GroupBox_v_quality, IDC_PanelDetail2, 8, 192, 417, 57, "", 4, kNone),
    ROW(CheckBox_v_quality, IDC_GroupBox_v_quality, 8, 0, 60, 17, "品質", 0, kNone),
    ROW(Label_v_quality, IDC_GroupBox_v_quality, 200, 16, 3, 15, "", kNoTab, kNone),
    ROW(TrackBar_v_quality, IDC_GroupBox_v_quality, 8, 32, 401, 17, "", 1, kNone),
    ROW(EditParameters, IDC_PanelDetail2, 8, 256, 417, 23, "", 5, kNone),
};

#undef ROW

// The rows whose parent is `parent`, in tab order; a label keeps its place behind the row
// before it.
std::vector<const LayoutRow*> ChildrenOf(int parent) {
  std::vector<std::pair<int, const LayoutRow*>> keyed;
  int last_tab = -1;
  for (const LayoutRow& row : kLayout) {
    if (row.parent != parent) continue;
    if (row.tab != kNoTab) last_tab = row.tab;
    keyed.emplace_back(last_tab, &row);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const LayoutRow*> rows;
  for (const auto& entry : keyed) rows.push_back(entry.second);
  return rows;
}

// Where a control overlaps a later sibling (one after it in the tab order), the later one
// shows whole: the earlier control gives up the shared pixels through its window region.
// Each child and its place are asked for once; the pairs are compared here.
void GiveWayToLaterSiblings(HWND container) {
  std::vector<std::pair<HWND, RECT>> children;
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    children.emplace_back(child, rect);
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    const RECT& own = children[i].second;
    HRGN region = nullptr;
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      RECT shared{};
      if (!IntersectRect(&shared, &own, &children[j].second)) continue;
      if (!region) region = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
      HRGN cut = CreateRectRgn(shared.left - own.left, shared.top - own.top, shared.right - own.left,
                               shared.bottom - own.top);
      CombineRgn(region, region, cut, RGN_DIFF);
      DeleteObject(cut);
    }
    if (region) SetWindowRgn(children[i].first, region, FALSE);  // the system owns the region from here on
  }
}

}  // namespace

bool TFormTavrolex::BuildControls() {
  // Z-order is tab order: children are created in their tab order, parents before children.
  std::map<int, HWND> handles{{kForm, Handle()}};
  std::vector<int> pending{kForm};
  const int scale = font_.text_height;
  while (!pending.empty()) {
    const int parent = pending.front();
    pending.erase(pending.begin());
    for (const LayoutRow* row : ChildrenOf(parent)) {
      const ScaledRect r = ScaleRect(row->left, row->top, row->width, row->height, scale);
      const HWND hwnd = row->build(*this, handles[parent], *row, {r.left, r.top, r.width, r.height});
      if (!hwnd) return false;
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font), FALSE);
      handles[row->id] = hwnd;
      pending.push_back(row->id);
    }
    if (parent != kForm) GiveWayToLaterSiblings(handles[parent]);
  }
  TabControlOption.LeavePageArea(PanelGeneral.GetBounds());
  return true;
}

}  // namespace tavrolex
