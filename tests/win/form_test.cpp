// The main window built for real: its layout, keyboard order, handlers, start-up and the
// roads that end it. The program's directory is this test's own, so a stand-in file named
// WM8EUTIL.EXE is put beside the test for the presence check.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/app_dir_win.h"
#include "controls/application.h"
#include "support/modal_answerer.h"
#include "support/test_host.h"
#include "ui/control_ids.h"
#include "ui/form_tavrolex.h"
#include "ui/scale.h"

namespace tavrolex {
namespace {

using testing::ModalAnswerer;
using testing::PumpMessages;

std::string EncoderStandIn() { return AppDir() + "\\WM8EUTIL.EXE"; }
std::string SettingsFile() { return AppDir() + "\\TAVROLEX.INI"; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Takes a pending quit request off the queue; true when there was one.
bool TakeQuit() {
  MSG msg;
  bool found = false;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
  return found;
}

HWND FindControl(HWND root, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    application_ = new Application;
    application_->Initialize("TAVROLEX", nullptr);
  }
  static void TearDownTestSuite() {
    delete application_;
    application_ = nullptr;
    DeleteFileA(EncoderStandIn().c_str());
    DeleteFileA(SettingsFile().c_str());
  }

  void SetUp() override {
    WriteAll(EncoderStandIn(), "a stand-in: present, but no program");
    DeleteFileA(SettingsFile().c_str());
    TakeQuit();
  }
  void TearDown() override {
    form_.reset();
    PumpMessages();
    TakeQuit();
  }

  TFormTavrolex& Make(const std::string& command_line = "form_test.exe") {
    form_ = std::make_unique<TFormTavrolex>();
    EXPECT_TRUE(form_->Create(application_->Handle(), command_line));
    application_->SetMainWindow(form_->Handle());
    return *form_;
  }

  HWND Control(int id) const { return FindControl(form_->Handle(), id); }

  static inline Application* application_ = nullptr;
  std::unique_ptr<TFormTavrolex> form_;
};

// The figures of the window's definition at 96 pixels per inch and a 15-pixel text height:
// id, parent (0 for the window), left, top, width, height, and whether it is a label (which
// sizes itself to its text, so only its left and top edges are fixed).
struct Figure {
  int id;
  int parent;
  int left, top, width, height;
  bool label;
};
const Figure kFigures[] = {
    {IDC_TabControlOption, 0, 8, 8, 449, 313, false},
    {IDC_PanelGeneral, 0, 16, 32, 433, 281, false},
    {IDC_PanelDetail1, 0, 16, 32, 433, 281, false},
    {IDC_PanelDetail2, 0, 16, 32, 433, 281, false},
    {IDC_ButtonEncode, 0, 8, 328, 75, 25, false},
    {IDC_ButtonCheck, 0, 88, 328, 75, 25, false},
    {IDC_ButtonAbout, 0, 304, 328, 75, 25, false},
    {IDC_ButtonQuit, 0, 384, 328, 75, 25, false},
    {IDC_GroupBox_input, IDC_PanelGeneral, 8, 8, 418, 49, false},
    {IDC_Edit_input, IDC_GroupBox_input, 8, 16, 314, 23, false},
    {IDC_Button_input, IDC_GroupBox_input, 328, 16, 75, 25, false},
    {IDC_GroupBox_output, IDC_PanelGeneral, 8, 64, 418, 97, false},
    {IDC_Edit_output, IDC_GroupBox_output, 8, 16, 314, 23, false},
    {IDC_Button_output, IDC_GroupBox_output, 328, 16, 75, 25, false},
    {IDC_CheckBox_outputstring, IDC_GroupBox_output, 16, 48, 369, 17, false},
    {IDC_Edit_outputstring, IDC_GroupBox_output, 16, 64, 386, 23, false},
    {IDC_GroupBox_time, IDC_PanelGeneral, 8, 168, 418, 49, false},
    {IDC_CheckBox_time, IDC_GroupBox_time, 8, 0, 309, 17, false},
    {IDC_Label_start_time, IDC_GroupBox_time, 8, 19, 60, 15, true},
    {IDC_SpinEdit_start_time, IDC_GroupBox_time, 72, 16, 97, 24, false},
    {IDC_Label_end_time, IDC_GroupBox_time, 200, 19, 60, 15, true},
    {IDC_SpinEdit_end_time, IDC_GroupBox_time, 264, 16, 97, 24, false},
    {IDC_GroupBox_profile, IDC_PanelGeneral, 8, 224, 418, 49, false},
    {IDC_CheckBox_profile, IDC_GroupBox_profile, 8, 0, 140, 17, false},
    {IDC_ListBox_profile, IDC_GroupBox_profile, 8, 16, 402, 25, false},
    {IDC_GroupBox_a_setting, IDC_PanelDetail1, 8, 8, 417, 49, false},
    {IDC_CheckBox_a_setting, IDC_GroupBox_a_setting, 8, 0, 200, 17, false},
    {IDC_ListBox_a_setting, IDC_GroupBox_a_setting, 8, 16, 401, 25, false},
    {IDC_GroupBox_v_codec, IDC_PanelDetail1, 8, 64, 417, 41, false},
    {IDC_CheckBox_v_codec, IDC_GroupBox_v_codec, 8, 0, 190, 17, false},
    {IDC_RadioButton_WMV7, IDC_GroupBox_v_codec, 16, 17, 153, 17, false},
    {IDC_RadioButton_WMV8, IDC_GroupBox_v_codec, 192, 17, 153, 17, false},
    {IDC_GroupBox_v_frame_size, IDC_PanelDetail1, 8, 112, 417, 49, false},
    {IDC_CheckBox_v_width, IDC_GroupBox_v_frame_size, 8, 19, 49, 17, false},
    {IDC_SpinEdit_v_width, IDC_GroupBox_v_frame_size, 72, 16, 113, 24, false},
    {IDC_CheckBox_v_height, IDC_GroupBox_v_frame_size, 216, 19, 57, 17, false},
    {IDC_SpinEdit_v_height, IDC_GroupBox_v_frame_size, 288, 16, 113, 24, false},
    {IDC_GroupBox_v_framerate, IDC_PanelDetail1, 8, 168, 201, 49, false},
    {IDC_CheckBox_v_framerate, IDC_GroupBox_v_framerate, 8, 0, 160, 17, false},
    {IDC_Edit_v_framerate, IDC_GroupBox_v_framerate, 8, 16, 121, 23, false},
    {IDC_Label_v_framerate, IDC_GroupBox_v_framerate, 136, 19, 20, 15, true},
    {IDC_GroupBox_v_keydist, IDC_PanelDetail1, 224, 168, 201, 49, false},
    {IDC_CheckBox_v_keydist, IDC_GroupBox_v_keydist, 8, 0, 140, 17, false},
    {IDC_SpinEdit_v_keydist, IDC_GroupBox_v_keydist, 8, 16, 121, 24, false},
    {IDC_Label_v_keydist, IDC_GroupBox_v_keydist, 136, 19, 40, 17, true},
    {IDC_GroupBox_v_preproc, IDC_PanelDetail1, 8, 224, 417, 49, false},
    {IDC_CheckBox_v_preproc, IDC_GroupBox_v_preproc, 8, 0, 190, 17, false},
    {IDC_ListBox_v_preproc, IDC_GroupBox_v_preproc, 8, 16, 401, 25, false},
    {IDC_GroupBox_v_clip, IDC_PanelDetail2, 8, 8, 417, 65, false},
    {IDC_CheckBox_v_clip, IDC_GroupBox_v_clip, 8, 0, 195, 17, false},
    {IDC_Label_v_clip_left, IDC_GroupBox_v_clip, 16, 17, 22, 15, true},
    {IDC_SpinEdit_v_clip_left, IDC_GroupBox_v_clip, 16, 32, 89, 24, false},
    {IDC_Label_v_clip_top, IDC_GroupBox_v_clip, 112, 16, 20, 15, true},
    {IDC_SpinEdit_v_clip_top, IDC_GroupBox_v_clip, 112, 32, 89, 24, false},
    {IDC_Label_v_clip_right, IDC_GroupBox_v_clip, 208, 17, 33, 15, true},
    {IDC_SpinEdit_v_clip_right, IDC_GroupBox_v_clip, 208, 32, 89, 24, false},
    {IDC_Label_v_clip_bottom, IDC_GroupBox_v_clip, 304, 17, 45, 15, true},
    {IDC_SpinEdit_v_clip_bottom, IDC_GroupBox_v_clip, 304, 32, 89, 24, false},
    {IDC_GroupBox_v_mode, IDC_PanelDetail2, 8, 80, 417, 49, false},
    {IDC_CheckBox_v_mode, IDC_GroupBox_v_mode, 8, 0, 130, 17, false},
    {IDC_ListBox_v_mode, IDC_GroupBox_v_mode, 8, 16, 401, 25, false},
    {IDC_GroupBox_v_bitrate, IDC_PanelDetail2, 8, 136, 201, 49, false},
    {IDC_CheckBox_v_bitrate, IDC_GroupBox_v_bitrate, 8, 0, 135, 17, false},
    {IDC_SpinEdit_v_bitrate, IDC_GroupBox_v_bitrate, 8, 16, 121, 24, false},
    {IDC_Label_v_bitrate, IDC_GroupBox_v_bitrate, 136, 19, 25, 15, true},
    {IDC_GroupBox_v_buffer, IDC_PanelDetail2, 224, 136, 201, 49, false},
    {IDC_CheckBox_v_buffer, IDC_GroupBox_v_buffer, 8, 0, 137, 17, false},
    {IDC_SpinEdit_v_buffer, IDC_GroupBox_v_buffer, 8, 16, 121, 24, false},
    {IDC_Label_v_buffer, IDC_GroupBox_v_buffer, 136, 19, 20, 15, true},
    {IDC_GroupBox_v_quality, IDC_PanelDetail2, 8, 192, 417, 57, false},
    {IDC_CheckBox_v_quality, IDC_GroupBox_v_quality, 8, 0, 60, 17, false},
    {IDC_Label_v_quality, IDC_GroupBox_v_quality, 200, 16, 3, 15, true},
    {IDC_TrackBar_v_quality, IDC_GroupBox_v_quality, 8, 32, 401, 17, false},
    {IDC_EditParameters, IDC_PanelDetail2, 8, 256, 417, 23, false},
};

int Scaled(int value, int measured) { return static_cast<int>(std::lround(value * measured / 15.0)); }

TEST(LayoutScale, EdgesScaleAndRoundToTheNearestPixel) {
  struct Case {
    int value, measured, expected;
  } cases[] = {{465, 15, 465}, {465, 12, 372}, {361, 12, 289}, {8, 13, 7}, {64, 13, 55}, {65, 13, 56},
               {449, 13, 389}, {0, 13, 0}, {1, 13, 1}, {7, 13, 6}, {465, 20, 620}};
  for (const Case& c : cases) EXPECT_EQ(ScaleEdge(c.value, c.measured), c.expected) << c.value << "@" << c.measured;
  // Widths follow from the scaled edges, not from the scaled width.
  const ScaledRect r = ScaleRect(16, 48, 369, 17, 13);
  EXPECT_EQ(r.top, 42);
  EXPECT_EQ(r.height, 56 - 42);
  EXPECT_EQ(r.width, 334 - 14);
}

TEST_F(FormTest, EveryControlSitsWhereTheDefinitionSaysAtTheMeasuredScale) {
  TFormTavrolex& form = Make();
  // The scale comes from the height of "0" in the window's font, measured here on our own.
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(form.Handle(), WM_GETFONT, 0, 0));
  ASSERT_TRUE(font);
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int m = zero.cy;
  EXPECT_EQ(form.TextHeight(), m);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH) << "the face is proportional";
  EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);

  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, Scaled(465, m));
  EXPECT_EQ(client.bottom, Scaled(361, m));

  for (const Figure& f : kFigures) {
    const HWND control = Control(f.id);
    ASSERT_TRUE(control) << f.id;
    const HWND parent = f.parent ? Control(f.parent) : form.Handle();
    EXPECT_EQ(GetParent(control), parent) << f.id;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, Scaled(f.left, m)) << "control " << f.id;
    EXPECT_EQ(rect.top, Scaled(f.top, m)) << "control " << f.id;
    if (f.label) continue;
    EXPECT_EQ(rect.right, Scaled(f.left + f.width, m)) << "control " << f.id;
    EXPECT_EQ(rect.bottom, Scaled(f.top + f.height, m)) << "control " << f.id;
    if (f.id != IDC_TrackBar_v_quality) {  // a slider shows no text and keeps no font
      EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font)) << "control " << f.id;
    }
  }
}

TEST_F(FormTest, HasAFixedDialogFrameCentredOnTheScreen) {
  TFormTavrolex& form = Make();
  const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(ex_style & WS_EX_DLGMODALFRAME) << "no icon in the title bar";
  EXPECT_TRUE(ex_style & WS_EX_CONTROLPARENT);
  EXPECT_FALSE(IsWindowVisible(form.Handle())) << "built hidden";
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), application_->Handle());

  RECT outer{};
  GetWindowRect(form.Handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  EXPECT_EQ(outer.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2));
  EXPECT_EQ(outer.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2));

  wchar_t caption[128] = {};
  GetWindowTextW(form.Handle(), caption, 128);
  EXPECT_EQ(std::wstring(caption).rfind(L"Tavrolex with \x65E5\x672C\x8A9E", 0), 0u);
  EXPECT_EQ(application_->Title(), L"TAVROLEX");
}

TEST_F(FormTest, StartsWithTheDefinedValuesAndTheStartLines) {
  TFormTavrolex& form = Make();
  EXPECT_EQ(form.TabControlOption.Index(), 0);
  EXPECT_TRUE(form.PanelGeneral.Visible());
  EXPECT_FALSE(form.PanelDetail1.Visible());
  EXPECT_FALSE(form.PanelDetail2.Visible());
  EXPECT_FALSE(form.ButtonEncode.Enabled());
  EXPECT_FALSE(form.ButtonCheck.Enabled());
  EXPECT_TRUE(form.ButtonAbout.Enabled());
  EXPECT_EQ(form.ListBox_a_setting.Index(), 8);
  EXPECT_EQ(form.ListBox_profile.Index(), 0);
  EXPECT_EQ(form.ListBox_v_mode.Index(), 0);
  EXPECT_EQ(form.ListBox_v_preproc.Index(), 0);
  EXPECT_EQ(form.ListBox_profile.Count(), 19);
  EXPECT_EQ(form.ListBox_a_setting.Count(), 33);
  EXPECT_EQ(form.ListBox_v_preproc.Count(), 6);
  EXPECT_EQ(form.ListBox_v_mode.Count(), 4);
  EXPECT_EQ(SendMessageW(form.ListBox_a_setting.Handle(), LB_GETTOPINDEX, 0, 0), 8) << "the start line shows";
  EXPECT_TRUE(form.RadioButton_WMV8.Checked());
  EXPECT_FALSE(form.RadioButton_WMV7.Checked());
  EXPECT_EQ(form.Label_v_quality.Text(), "0");
  EXPECT_EQ(form.SpinEdit_v_clip_left.Text(), "0");
  EXPECT_FALSE(form.Refused());
}

// The option set maps every field to the control of the same name.
TEST_F(FormTest, OptionAccessReachesTheControlOfEachField) {
  TFormTavrolex& form = Make();
  struct Binding {
    Field field;
    int id;
  };
#define BIND(name) Binding{Field::name, IDC_##name}
  const Binding bindings[] = {
      BIND(Edit_input), BIND(Edit_output), BIND(CheckBox_outputstring), BIND(Edit_outputstring),
      BIND(CheckBox_time), BIND(SpinEdit_start_time), BIND(SpinEdit_end_time), BIND(CheckBox_profile),
      BIND(ListBox_profile), BIND(CheckBox_a_setting), BIND(ListBox_a_setting), BIND(CheckBox_v_codec),
      BIND(RadioButton_WMV7), BIND(RadioButton_WMV8), BIND(CheckBox_v_width), BIND(SpinEdit_v_width),
      BIND(CheckBox_v_height), BIND(SpinEdit_v_height), BIND(CheckBox_v_framerate), BIND(Edit_v_framerate),
      BIND(CheckBox_v_keydist), BIND(SpinEdit_v_keydist), BIND(CheckBox_v_preproc), BIND(ListBox_v_preproc),
      BIND(CheckBox_v_clip), BIND(SpinEdit_v_clip_left), BIND(SpinEdit_v_clip_top), BIND(SpinEdit_v_clip_right),
      BIND(SpinEdit_v_clip_bottom), BIND(CheckBox_v_mode), BIND(ListBox_v_mode), BIND(CheckBox_v_bitrate),
      BIND(SpinEdit_v_bitrate), BIND(CheckBox_v_buffer), BIND(SpinEdit_v_buffer), BIND(CheckBox_v_quality),
      BIND(TrackBar_v_quality),
  };
#undef BIND
  ASSERT_EQ(std::size(bindings), kFieldCount);
  int n = 0;
  for (const Binding& b : bindings) {
    ++n;
    const HWND control = Control(b.id);
    ASSERT_TRUE(control);
    char text[64] = {};
    switch (KindOf(b.field)) {
      case ValueKind::Text:
        form.WriteText(b.field, "text " + std::to_string(n));
        GetWindowTextA(control, text, 64);
        EXPECT_EQ(std::string(text), "text " + std::to_string(n));
        EXPECT_EQ(form.ReadText(b.field), "text " + std::to_string(n));
        break;
      case ValueKind::Flag:
        form.WriteFlag(b.field, true);
        EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_CHECKED) << NameOf(b.field);
        EXPECT_TRUE(form.ReadFlag(b.field));
        break;
      case ValueKind::Integer:
        form.WriteNumber(b.field, 1000 + n);
        GetWindowTextA(control, text, 64);
        EXPECT_EQ(std::string(text), std::to_string(1000 + n)) << NameOf(b.field);
        EXPECT_EQ(form.ReadNumber(b.field), 1000 + n);
        break;
      case ValueKind::Choice:
        form.WriteNumber(b.field, 3);
        EXPECT_EQ(SendMessageW(control, LB_GETCURSEL, 0, 0), 3) << NameOf(b.field);
        EXPECT_EQ(form.ReadNumber(b.field), 3);
        form.WriteNumber(b.field, 99);
        EXPECT_EQ(form.ReadNumber(b.field), -1) << "an index outside the lines selects none";
        break;
      case ValueKind::Slider:
        form.WriteNumber(b.field, 150);
        EXPECT_EQ(SendMessageW(control, TBM_GETPOS, 0, 0), 100);
        EXPECT_EQ(form.ReadNumber(b.field), 100);
        break;
    }
  }
  // The radio buttons are the last flags written: WMV8 checked after WMV7 unchecks WMV7.
  EXPECT_FALSE(form.ReadFlag(Field::RadioButton_WMV7));
}

TEST_F(FormTest, EncodeAndCheckFollowThePaths) {
  TFormTavrolex& form = Make();
  form.Edit_input.SetText("C:\\in.avi");
  EXPECT_FALSE(form.ButtonEncode.Enabled());
  SendMessageW(form.Edit_output.Handle(), WM_CHAR, 'x', 1);  // typed
  EXPECT_TRUE(form.ButtonEncode.Enabled());
  EXPECT_TRUE(form.ButtonCheck.Enabled());
  SendMessageW(form.Edit_output.Handle(), WM_CHAR, '\b', 1);
  EXPECT_FALSE(form.ButtonEncode.Enabled());
  EXPECT_FALSE(form.ButtonCheck.Enabled());
  form.Edit_output.SetText(" ");
  EXPECT_TRUE(form.ButtonEncode.Enabled()) << "a blank counts as filled";
  form.Edit_input.SetText("");
  EXPECT_FALSE(form.ButtonCheck.Enabled());
}

TEST_F(FormTest, TabSwitchShowsTheSelectedPanelOnly) {
  TFormTavrolex& form = Make();
  for (int index : {1, 2, 0, 2}) {
    form.TabControlOption.SetIndex(index);
    form.TabControlOptionChange();
    EXPECT_EQ(form.PanelGeneral.Visible(), index == 0);
    EXPECT_EQ(form.PanelDetail1.Visible(), index == 1);
    EXPECT_EQ(form.PanelDetail2.Visible(), index == 2);
  }
}

TEST_F(FormTest, CheckFillsTheParametersOnAnyTabAndShowsThem) {
  TFormTavrolex& form = Make();
  form.Edit_input.SetText("C:\\My Videos\\clip.avi");
  form.Edit_output.SetText("C:\\out.wmv");
  ASSERT_FALSE(form.PanelDetail2.Visible());
  ModalAnswerer answerer;
  SendMessageW(form.ButtonCheck.Handle(), BM_CLICK, 0, 0);
  const std::string parameters = "-input \"C:\\My Videos\\clip.avi\" -output \"C:\\out.wmv\"";
  EXPECT_EQ(form.EditParameters.Text(), "WM8EUTIL " + parameters);
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].caption, "TAVROLEX");
  EXPECT_EQ(answerer.Boxes()[0].text, "Parameters\r\n\r\n" + parameters);
}

TEST_F(FormTest, AboutShowsFourLines) {
  TFormTavrolex& form = Make();
  ModalAnswerer answerer;
  SendMessageW(form.ButtonAbout.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].caption, "TAVROLEX");
  EXPECT_EQ(answerer.Boxes()[0].text,
            "Title: Tavrolex\r\nVersion: 0.1.1\r\nCopyright (C) 2026 The Tavrolex developers\r\n"
            "Contact: tavrolex@example.org");
}

TEST_F(FormTest, EncodeReportsAUtilityThatCannotStart) {
  TFormTavrolex& form = Make();  // the stand-in is no program
  form.Edit_input.SetText("C:\\in.avi");
  form.Edit_output.SetText("C:\\out.wmv");
  ModalAnswerer answerer;
  SendMessageW(form.ButtonEncode.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].caption, "TAVROLEX");
  EXPECT_FALSE(answerer.Boxes()[0].text.empty());
  EXPECT_EQ(form.EditParameters.Text(), "") << "Encode shows no parameters";
}

HGLOBAL MakeDrop(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  list += '\0';
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(block);
  return block;
}

TEST_F(FormTest, DroppedFilesPutTheFirstPathWholeIntoTheSource) {
  TFormTavrolex& form = Make();
  form.Edit_output.SetText("C:\\out.wmv");
  const std::string long_path = "C:\\" + std::string(296, 'd') + ".avi";  // 303 bytes
  struct Case {
    std::vector<std::string> names;
    std::string expected;
  } cases[] = {
      {{"C:\\first.avi", "C:\\second.avi", "C:\\third.avi"}, "C:\\first.avi"},
      {{"C:\\windows"}, "C:\\windows"},
      {{long_path}, long_path},
      {{"C:\\\x95\x5C\\clip.avi"}, "C:\\\x95\x5C\\clip.avi"},
  };
  for (const Case& c : cases) {
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.names)), 0);
    EXPECT_EQ(form.Edit_input.Text(), c.expected);
    EXPECT_TRUE(form.ButtonEncode.Enabled()) << "the change event ran";
  }
}

TEST_F(FormTest, TheArgumentReplacesAStoredSourceAndTheSliderShowsItsStoredPosition) {
  // 37 lines in field order: a stored source path and the slider at 75.
  const char* lines[] = {"C:\\stored.avi", "C:\\stored.wmv", "False", "", "False", "0", "0", "True", "5",
                         "False", "8", "False", "False", "True", "True", "320", "False", "0", "False", "",
                         "False", "0", "False", "0", "False", "0", "0", "0", "0", "False", "0", "False",
                         "0", "False", "0", "True", "75"};
  std::string file;
  for (const char* line : lines) file += std::string(line) + "\r\n";
  WriteAll(SettingsFile(), file);

  {
    TFormTavrolex& form = Make("form_test.exe");
    EXPECT_EQ(form.Edit_input.Text(), "C:\\stored.avi");
    EXPECT_EQ(form.ListBox_profile.Index(), 5);
    EXPECT_EQ(form.SpinEdit_v_width.Value(), 320);
    EXPECT_EQ(form.TrackBar_v_quality.Position(), 75);
    EXPECT_EQ(form.Label_v_quality.Text(), "75") << "shown without any user action";
    EXPECT_TRUE(form.ButtonEncode.Enabled()) << "both paths came from the file";
  }
  TakeQuit();
  TFormTavrolex& form = Make("form_test.exe \"C:\\My Videos\\clip.avi\" second");
  EXPECT_EQ(form.Edit_input.Text(), "C:\\My Videos\\clip.avi");
  EXPECT_EQ(form.Edit_output.Text(), "C:\\stored.wmv");
}

TEST_F(FormTest, QuitWritesTheSettingsOnceAndAsksTheLoopToEnd) {
  TFormTavrolex& form = Make();
  form.Edit_input.SetText("C:\\quit.avi");
  form.SpinEdit_v_width.SetValue(640);
  SendMessageW(form.ButtonQuit.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(TakeQuit());
  const std::string written = ReadAll(SettingsFile());
  EXPECT_EQ(written.rfind("C:\\quit.avi\r\n", 0), 0u);
  EXPECT_NE(written.find("\r\n640\r\n"), std::string::npos);
  // A close that follows on the same road writes nothing more.
  DeleteFileA(SettingsFile().c_str());
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(FileExists(SettingsFile()));
}

TEST_F(FormTest, ClosingTheWindowRunsTheQuitSequenceAndHidesIt) {
  TFormTavrolex& form = Make();
  form.CheckBox_v_quality.SetChecked(true);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(TakeQuit());
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  const std::string written = ReadAll(SettingsFile());
  const std::string tail = "\r\nTrue\r\n0\r\n";  // the quality box, then the slider
  ASSERT_GE(written.size(), tail.size());
  EXPECT_EQ(written.substr(written.size() - tail.size()), tail);
}

TEST_F(FormTest, SessionEndKeepsTheSettingsAndEnds) {
  TFormTavrolex& form = Make();
  form.Edit_input.SetText("C:\\session.avi");
  EXPECT_TRUE(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0)) << "the program does not object";
  EXPECT_FALSE(FileExists(SettingsFile()));
  SendMessageW(form.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(TakeQuit());
  EXPECT_EQ(ReadAll(SettingsFile()).rfind("C:\\session.avi\r\n", 0), 0u);
  DeleteFileA(SettingsFile().c_str());
  SendMessageW(form.Handle(), WM_ENDSESSION, TRUE, 0);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(FileExists(SettingsFile())) << "one write per run";
}

TEST_F(FormTest, ACancelledSessionEndChangesNothing) {
  TFormTavrolex& form = Make();
  SendMessageW(form.Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(TakeQuit());
  EXPECT_FALSE(FileExists(SettingsFile()));
}

TEST_F(FormTest, WithoutTheUtilityStartUpRefusesAndNeverWritesTheSettings) {
  DeleteFileA(EncoderStandIn().c_str());
  WriteAll(SettingsFile(), "C:\\kept.avi\r\n");
  ModalAnswerer answerer;
  TFormTavrolex& form = Make();
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  EXPECT_EQ(answerer.Boxes()[0].caption, "TAVROLEX");
  EXPECT_EQ(answerer.Boxes()[0].text, "Put this application into the same directory of wm8eutil.exe.");
  EXPECT_FALSE(answerer.Boxes()[0].owner_visible) << "shown with no main window on screen";
  EXPECT_TRUE(form.Refused());
  EXPECT_TRUE(TakeQuit());
  // The rest of start-up ran all the same.
  EXPECT_EQ(form.ListBox_a_setting.Index(), 8);
  EXPECT_EQ(form.Edit_input.Text(), "C:\\kept.avi");
  SendMessageW(form.ButtonQuit.Handle(), BM_CLICK, 0, 0);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  SendMessageW(form.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadAll(SettingsFile()), "C:\\kept.avi\r\n") << "left as it was";
}

// The keyboard order, walked with the Tab key through the dialog keyboard interface as the
// message loop does it.
class TabOrderTest : public FormTest {
 protected:
  std::vector<int> Walk() {
    TFormTavrolex& form = *form_;
    SetFocus(form.TabControlOption.Handle());
    std::vector<int> visited;
    for (int i = 0; i < 40; ++i) {
      MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
      IsDialogMessageW(form.Handle(), &tab);
      PumpMessages();
      const HWND focus = GetFocus();
      if (focus == form.TabControlOption.Handle()) break;
      visited.push_back(GetDlgCtrlID(focus));
    }
    return visited;
  }
};

TEST_F(TabOrderTest, GeneralTabWalksItsControlsThenTheButtons) {
  TFormTavrolex& form = Make();
  ShowWindow(form.Handle(), SW_SHOW);
  PumpMessages();
  EXPECT_EQ(GetFocus(), form.TabControlOption.Handle()) << "the tab strip has the focus when first shown";
  const std::vector<int> empty_paths = {
      IDC_Edit_input,     IDC_Button_input,        IDC_Edit_output,   IDC_Button_output,
      IDC_CheckBox_outputstring, IDC_Edit_outputstring, IDC_CheckBox_time, IDC_SpinEdit_start_time,
      IDC_SpinEdit_end_time, IDC_CheckBox_profile, IDC_ListBox_profile, IDC_ButtonAbout,
      IDC_ButtonQuit};
  EXPECT_EQ(Walk(), empty_paths);

  form.Edit_input.SetText("a");
  form.Edit_output.SetText("b");
  std::vector<int> filled = empty_paths;
  filled.insert(filled.begin() + 11, IDC_ButtonEncode);
  filled.push_back(IDC_ButtonCheck);
  EXPECT_EQ(Walk(), filled);
  ShowWindow(form.Handle(), SW_HIDE);
}

TEST_F(TabOrderTest, DetailOneReachesOnlyTheCheckedRadioButton) {
  TFormTavrolex& form = Make();
  ShowWindow(form.Handle(), SW_SHOW);
  PumpMessages();
  SetFocus(form.TabControlOption.Handle());
  MSG right{form.TabControlOption.Handle(), WM_KEYDOWN, VK_RIGHT, 1, 0, {}};
  IsDialogMessageW(form.Handle(), &right);
  PumpMessages();
  ASSERT_TRUE(form.PanelDetail1.Visible());
  std::vector<int> walk = Walk();
  const std::vector<int> expected = {
      IDC_CheckBox_a_setting, IDC_ListBox_a_setting, IDC_CheckBox_v_codec, IDC_RadioButton_WMV8,
      IDC_CheckBox_v_width,   IDC_SpinEdit_v_width,  IDC_CheckBox_v_height, IDC_SpinEdit_v_height,
      IDC_CheckBox_v_framerate, IDC_Edit_v_framerate, IDC_CheckBox_v_keydist, IDC_SpinEdit_v_keydist,
      IDC_CheckBox_v_preproc, IDC_ListBox_v_preproc, IDC_ButtonAbout, IDC_ButtonQuit};
  EXPECT_EQ(walk, expected);

  SendMessageW(form.RadioButton_WMV7.Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  walk = Walk();
  EXPECT_EQ(std::count(walk.begin(), walk.end(), IDC_RadioButton_WMV7), 1);
  EXPECT_EQ(std::count(walk.begin(), walk.end(), IDC_RadioButton_WMV8), 0);
  ShowWindow(form.Handle(), SW_HIDE);
}

}  // namespace
}  // namespace tavrolex

namespace tavrolex {
namespace {

TEST_F(FormTest, AControlOverlappedByALaterOneGivesUpTheSharedPixels) {
  TFormTavrolex& form = Make();
  RECT check{};
  RECT edit{};
  GetWindowRect(form.CheckBox_outputstring.Handle(), &check);
  GetWindowRect(form.Edit_outputstring.Handle(), &edit);
  RECT shared{};
  ASSERT_TRUE(IntersectRect(&shared, &check, &edit)) << "the definition lets them overlap";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form.CheckBox_outputstring.Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, shared.left - check.left, shared.top - check.top));
  EXPECT_TRUE(PtInRegion(region, 0, 0));
  DeleteObject(region);
}

}  // namespace
}  // namespace tavrolex

namespace tavrolex {
namespace {

// Each dialog starts with the name last confirmed in it, never with the box's text or the
// other dialog's choice; a cancel changes nothing.
TEST_F(FormTest, BrowseDialogsRememberOnlyTheirOwnConfirmedChoices) {
  TFormTavrolex& form = Make();
  ModalAnswerer answerer;
  answerer.QueueFileAnswer("C:\\first.wmv");
  SendMessageW(form.Button_output.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.LastInitialFileName(), "");
  EXPECT_EQ(form.Edit_output.Text(), "C:\\first.wmv");

  answerer.QueueFileAnswer(std::nullopt);  // cancelled
  SendMessageW(form.Button_output.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Edit_output.Text(), "C:\\first.wmv");

  form.Edit_output.SetText("C:\\typed.wmv");
  answerer.QueueFileAnswer(std::nullopt);
  SendMessageW(form.Button_output.Handle(), BM_CLICK, 0, 0);
  // The dialog opens in the remembered file's folder with its name in the name field.
  const std::string initial = answerer.LastInitialFileName();
  EXPECT_TRUE(initial == "C:\\first.wmv" || initial == "first.wmv") << initial;
  EXPECT_EQ(form.Edit_output.Text(), "C:\\typed.wmv");

  answerer.QueueFileAnswer("C:\\source.avi");
  SendMessageW(form.Button_input.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.LastInitialFileName(), "") << "the open dialog knows nothing of the save dialog";
  EXPECT_EQ(form.Edit_input.Text(), "C:\\source.avi");
  EXPECT_EQ(answerer.Boxes().size(), 4u);
  for (const auto& box : answerer.Boxes()) EXPECT_TRUE(box.file_dialog);
}

}  // namespace
}  // namespace tavrolex

namespace tavrolex {
namespace {

// The quality figure follows the slider when the user moves it with the keyboard, each key
// arriving at the focused slider through the window's dialog keyboard interface.
TEST_F(FormTest, QualityFigureFollowsTheSliderMovedWithKeys) {
  TFormTavrolex& form = Make();
  ShowWindow(form.Handle(), SW_SHOW);
  form.TabControlOption.SetIndex(2);
  form.TabControlOptionChange();
  PumpMessages();
  ASSERT_TRUE(form.PanelDetail2.Visible());
  const HWND slider = form.TrackBar_v_quality.Handle();
  SetFocus(slider);
  PumpMessages();
  ASSERT_EQ(GetFocus(), slider);
  ASSERT_EQ(form.Label_v_quality.Text(), "0");

  struct Step {
    WPARAM key;
    const char* shown;
  } steps[] = {{VK_NEXT, "2"}, {VK_END, "100"}, {VK_HOME, "0"}, {VK_RIGHT, "1"}, {VK_NEXT, "3"}};
  for (const Step& step : steps) {
    MSG down{slider, WM_KEYDOWN, step.key, 1, 0, {}};
    if (!IsDialogMessageW(form.Handle(), &down)) {
      TranslateMessage(&down);
      DispatchMessageW(&down);
    }
    MSG up{slider, WM_KEYUP, step.key, static_cast<LPARAM>(0xC0000001), 0, {}};
    if (!IsDialogMessageW(form.Handle(), &up)) DispatchMessageW(&up);
    PumpMessages();
    EXPECT_EQ(GetFocus(), slider) << "key " << step.key << " moved the focus";
    EXPECT_EQ(form.Label_v_quality.Text(), step.shown) << "after key " << step.key;
    EXPECT_EQ(form.Label_v_quality.Text(), std::to_string(form.TrackBar_v_quality.Position()));
  }
  ShowWindow(form.Handle(), SW_HIDE);
}

}  // namespace
}  // namespace tavrolex
