// Stored settings come back into the controls of all three tabs at start, go back to the file
// at quit in plain form, and a source path on the command line wins over the stored one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"
#include "support/program.h"
#include "ui/control_ids.h"

namespace tavrolex::e2e {
namespace {

// Values on every tab, some of them in forms that come back plain: " 42" and "$1F".
const std::string kStored =
    "C:\\Stored\\clip.avi\r\n"  //  1 source path
    "D:\\Out\\\r\n"             //  2 destination path, a folder
    "True\r\n"                  //  3
    "\x95\x5C\x8E\xA6\r\n"      //  4 common file name, two double-byte characters
    "True\r\n"                  //  5
    "1500\r\n"                  //  6
    "  42\r\n"                  //  7 leading blanks
    "False\r\n"                 //  8
    "5\r\n"                     //  9
    "True\r\n"                  // 10
    "32\r\n"                    // 11 the last audio line
    "True\r\n"                  // 12
    "True\r\n"                  // 13 WMV7
    "False\r\n"                 // 14 WMV8
    "True\r\n"                  // 15
    "640\r\n"                   // 16
    "False\r\n"                 // 17
    "480\r\n"                   // 18
    "True\r\n"                  // 19
    "29.97\r\n"                 // 20
    "False\r\n"                 // 21
    "8\r\n"                     // 22
    "True\r\n"                  // 23
    "3\r\n"                     // 24
    "True\r\n"                  // 25
    "8\r\n"                     // 26
    "0\r\n"                     // 27
    "8\r\n"                     // 28
    "0\r\n"                     // 29
    "True\r\n"                  // 30
    "2\r\n"                     // 31
    "False\r\n"                 // 32
    "500000\r\n"                // 33
    "True\r\n"                  // 34
    "$1F\r\n"                   // 35 hexadecimal
    "True\r\n"                  // 36
    "75\r\n";                   // 37

// The same settings as the program writes them back.
const std::string kWrittenBack =
    "C:\\Stored\\clip.avi\r\nD:\\Out\\\r\nTrue\r\n\x95\x5C\x8E\xA6\r\nTrue\r\n1500\r\n42\r\n"
    "False\r\n5\r\nTrue\r\n32\r\nTrue\r\nTrue\r\nFalse\r\nTrue\r\n640\r\nFalse\r\n480\r\n"
    "True\r\n29.97\r\nFalse\r\n8\r\nTrue\r\n3\r\nTrue\r\n8\r\n0\r\n8\r\n0\r\nTrue\r\n2\r\n"
    "False\r\n500000\r\nTrue\r\n31\r\nTrue\r\n75\r\n";

enum class Shows { Text, Checked, Unchecked, Selection };

struct Expected {
  int id;
  Shows what;
  std::string text;  // Text: the control's text; Selection: the selected index
};

const std::vector<Expected> kControls = {
    {IDC_Edit_input, Shows::Text, "C:\\Stored\\clip.avi"},
    {IDC_Edit_output, Shows::Text, "D:\\Out\\"},
    {IDC_CheckBox_outputstring, Shows::Checked, ""},
    {IDC_Edit_outputstring, Shows::Text, "\x95\x5C\x8E\xA6"},
    {IDC_CheckBox_time, Shows::Checked, ""},
    {IDC_SpinEdit_start_time, Shows::Text, "1500"},
    {IDC_SpinEdit_end_time, Shows::Text, "42"},
    {IDC_CheckBox_profile, Shows::Unchecked, ""},
    {IDC_ListBox_profile, Shows::Selection, "5"},
    {IDC_CheckBox_a_setting, Shows::Checked, ""},
    {IDC_ListBox_a_setting, Shows::Selection, "32"},
    {IDC_CheckBox_v_codec, Shows::Checked, ""},
    {IDC_RadioButton_WMV7, Shows::Checked, ""},
    {IDC_RadioButton_WMV8, Shows::Unchecked, ""},
    {IDC_CheckBox_v_width, Shows::Checked, ""},
    {IDC_SpinEdit_v_width, Shows::Text, "640"},
    {IDC_CheckBox_v_height, Shows::Unchecked, ""},
    {IDC_SpinEdit_v_height, Shows::Text, "480"},
    {IDC_CheckBox_v_framerate, Shows::Checked, ""},
    {IDC_Edit_v_framerate, Shows::Text, "29.97"},
    {IDC_CheckBox_v_keydist, Shows::Unchecked, ""},
    {IDC_SpinEdit_v_keydist, Shows::Text, "8"},
    {IDC_CheckBox_v_preproc, Shows::Checked, ""},
    {IDC_ListBox_v_preproc, Shows::Selection, "3"},
    {IDC_CheckBox_v_clip, Shows::Checked, ""},
    {IDC_SpinEdit_v_clip_left, Shows::Text, "8"},
    {IDC_SpinEdit_v_clip_top, Shows::Text, "0"},
    {IDC_SpinEdit_v_clip_right, Shows::Text, "8"},
    {IDC_SpinEdit_v_clip_bottom, Shows::Text, "0"},
    {IDC_CheckBox_v_mode, Shows::Checked, ""},
    {IDC_ListBox_v_mode, Shows::Selection, "2"},
    {IDC_CheckBox_v_bitrate, Shows::Unchecked, ""},
    {IDC_SpinEdit_v_bitrate, Shows::Text, "500000"},
    {IDC_CheckBox_v_buffer, Shows::Checked, ""},
    {IDC_SpinEdit_v_buffer, Shows::Text, "31"},
    {IDC_CheckBox_v_quality, Shows::Checked, ""},
    {IDC_Label_v_quality, Shows::Text, "75"},
};

TEST(StoredSettings, ComeBackOnEveryTabAndGoBackPlainAtQuit) {
  AppFolderFromBuild app;
  app.WriteSettings(kStored);
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);

  for (const Expected& control : kControls) {
    SCOPED_TRACE("control ID " + std::to_string(control.id));
    HWND hwnd = program[control.id];
    if (hwnd == nullptr) continue;
    switch (control.what) {
      case Shows::Text:
        EXPECT_EQ(GetText(hwnd), control.text);
        break;
      case Shows::Checked:
        EXPECT_TRUE(IsChecked(hwnd));
        break;
      case Shows::Unchecked:
        EXPECT_FALSE(IsChecked(hwnd));
        break;
      case Shows::Selection:
        EXPECT_EQ(std::to_string(ListSelection(hwnd)), control.text);
        break;
    }
  }
  EXPECT_EQ(TrackBarPosition(program[IDC_TrackBar_v_quality]), 75);
  // Both paths came from the file, so Encode and Check are ready as soon as the window shows.
  EXPECT_TRUE(IsEnabled(program[IDC_ButtonEncode]));
  EXPECT_TRUE(IsEnabled(program[IDC_ButtonCheck]));

  PostClick(program[IDC_ButtonQuit]);
  EXPECT_EQ(program.process.ExpectExit(), 0u);
  EXPECT_EQ(app.ReadSettings(), kWrittenBack);
}

struct ArgumentCase {
  const char* name;
  std::string tail;  // what follows the program's quoted name on the command line
  std::string source;
};

class SourceArgument : public testing::TestWithParam<ArgumentCase> {};

TEST_P(SourceArgument, ReplacesTheStoredSourcePathAndLeavesTheRest) {
  AppFolderFromBuild app;
  app.WriteSettings(kStored);
  Program program = StartProgram(app, GetParam().tail);
  ASSERT_NE(program.window, nullptr);
  EXPECT_EQ(GetText(program[IDC_Edit_input]), GetParam().source);
  EXPECT_EQ(GetText(program[IDC_Edit_output]), "D:\\Out\\");
  EXPECT_EQ(GetText(program[IDC_Edit_outputstring]), "\x95\x5C\x8E\xA6");
  EXPECT_TRUE(IsEnabled(program[IDC_ButtonEncode]));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SourceArgument,
    testing::Values(
        ArgumentCase{"Quoted", "\"C:\\My Videos\\clip.avi\"", "C:\\My Videos\\clip.avi"},
        ArgumentCase{"Unquoted", "C:\\My Videos\\clip.avi", "C:\\My"},
        ArgumentCase{"QuotedMiddle", "C:\\\"My Videos\"\\clip.avi", "C:\\My Videos\\clip.avi"},
        // A backslash does not protect the closing mark.
        ArgumentCase{"QuotedFolder", "\"C:\\My Dir\\\" second", "C:\\My Dir\\"},
        ArgumentCase{"AfterATab", "\tC:\\a.avi", "C:\\a.avi"},
        ArgumentCase{"None", "", "C:\\Stored\\clip.avi"}),
    [](const testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrolex::e2e
