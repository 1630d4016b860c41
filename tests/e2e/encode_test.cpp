// Encode, Check and About from outside: the two buttons follow the path boxes, Check shows the
// parameter string built from all three tabs, Encode hands the same options to the utility
// (judged by the arguments the stand-in received and the folder it ran in), a utility that
// has gone is reported, and About names the program and its version.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/program.h"
#include "ui/control_ids.h"

namespace tavrolex::e2e {
namespace {

// The arguments after argument 0 of each record.
std::vector<std::string> Switches(const record::Record& record) {
  if (record.arguments.empty()) return {};
  return {record.arguments.begin() + 1, record.arguments.end()};
}

// A folder to start the program in, removed when the test ends. The utility's console may
// keep it as its current folder for a moment after the run.
struct WorkFolder {
  std::string path = MakeTempFolder();
  ~WorkFolder() { WaitUntil([&] { return RemoveTree(path); }, 5000); }
};

// Clicks a check box as a user would and makes sure it ended up checked.
void Tick(const Program& program, int id) {
  HWND box = program[id];
  Click(box);
  EXPECT_TRUE(IsChecked(box)) << "check box " << id << " did not take the click";
}

// Waits for the program's message box, reads it, presses OK and waits until it has gone.
std::optional<MessageBoxContent> AnswerMessageBox(const Program& program) {
  HWND box = WaitForMessageBox(program.process.id());
  if (box == nullptr) {
    ADD_FAILURE() << "no message box appeared";
    return std::nullopt;
  }
  MessageBoxContent content = ReadMessageBox(box);
  content.text = WithCrLineBreaks(content.text);
  EXPECT_TRUE(PressOk(box));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box stayed after OK";
  return content;
}

void QuitAndExpectZero(Program& program) {
  PostClick(program[IDC_ButtonQuit]);
  EXPECT_EQ(program.process.ExpectExit(), 0u);
}

TEST(Buttons, EncodeAndCheckFollowThePathBoxes) {
  AppFolderFromBuild app;
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  HWND encode = program[IDC_ButtonEncode];
  HWND check = program[IDC_ButtonCheck];
  EXPECT_FALSE(IsEnabled(encode));
  EXPECT_FALSE(IsEnabled(check));

  struct Step {
    int box;
    const char* text;
    bool enabled;
  };
  const Step steps[] = {
      {IDC_Edit_input, "C:\\Video\\clip.avi", false},  // destination still empty
      {IDC_Edit_output, "x", true},
      {IDC_Edit_output, "", false},
      {IDC_Edit_output, " ", true},  // a blank is text
      {IDC_Edit_input, "", false},
      {IDC_Edit_input, "\x95\x5C", true},
      {IDC_Edit_output, "", false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string("box ") + std::to_string(step.box) + " <- \"" + step.text + "\"");
    SetText(program[step.box], step.text);
    EXPECT_EQ(IsEnabled(encode), step.enabled);
    EXPECT_EQ(IsEnabled(check), step.enabled);
  }
  QuitAndExpectZero(program);
}

TEST(CheckThenEncode, ShowAndSendTheOptionsOfAllThreeTabs) {
  AppFolderFromBuild app;
  const WorkFolder work_folder;
  const std::string& work = work_folder.path;
  Program program = StartProgram(app, "", work);
  ASSERT_NE(program.window, nullptr);

  SetText(program[IDC_Edit_input], "C:\\My Videos\\clip.avi");
  SetText(program[IDC_Edit_output], "C:\\Encoded\\");
  // General.
  Tick(program, IDC_CheckBox_outputstring);
  SetText(program[IDC_Edit_outputstring], "movie");
  Tick(program, IDC_CheckBox_time);
  SetText(program[IDC_SpinEdit_start_time], "1000");
  SetText(program[IDC_SpinEdit_end_time], "5000");
  Tick(program, IDC_CheckBox_profile);
  SelectListLine(program[IDC_ListBox_profile], 3);
  // Detail 1, not on screen.
  Tick(program, IDC_CheckBox_a_setting);
  SelectListLine(program[IDC_ListBox_a_setting], 32);
  Tick(program, IDC_CheckBox_v_codec);
  Click(program[IDC_RadioButton_WMV7]);
  EXPECT_TRUE(IsChecked(program[IDC_RadioButton_WMV7]));
  EXPECT_FALSE(IsChecked(program[IDC_RadioButton_WMV8]));
  Tick(program, IDC_CheckBox_v_width);
  SetText(program[IDC_SpinEdit_v_width], "007");
  SetText(program[IDC_SpinEdit_v_height], "480");  // its check box stays off
  Tick(program, IDC_CheckBox_v_framerate);
  SetText(program[IDC_Edit_v_framerate], "29.97");
  Tick(program, IDC_CheckBox_v_preproc);
  SelectListLine(program[IDC_ListBox_v_preproc], 2);
  // Detail 2, not on screen.
  Tick(program, IDC_CheckBox_v_clip);
  SetText(program[IDC_SpinEdit_v_clip_left], "8");
  SetText(program[IDC_SpinEdit_v_clip_right], "8");
  Tick(program, IDC_CheckBox_v_mode);
  SelectListLine(program[IDC_ListBox_v_mode], 3);
  Tick(program, IDC_CheckBox_v_bitrate);
  SetText(program[IDC_SpinEdit_v_bitrate], "256000");
  SetText(program[IDC_SpinEdit_v_buffer], "3000");  // its check box stays off
  Tick(program, IDC_CheckBox_v_quality);
  SetSliderPosition(program[IDC_TrackBar_v_quality], 75);

  // The folder's closing backslash is doubled inside the marks so that the mark still closes
  // the argument for the utility's C runtime.
  const std::string parameters =
      "-input \"C:\\My Videos\\clip.avi\" -output \"C:\\Encoded\\\\\" -outputstring \"movie\" "
      "-time 1000 5000 -profile av225 -a_setting 0 -v_codec WMV7 -v_width 7 "
      "-v_framerate 29.97 -v_preproc 2 -v_clip 8 0 8 0 -v_mode 3 -v_bitrate 256000 "
      "-v_quality 75";

  PostClick(program[IDC_ButtonCheck]);
  const auto box = AnswerMessageBox(program);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "TAVROLEX");
  EXPECT_EQ(box->text, "Parameters\r\r" + parameters);
  EXPECT_EQ(GetText(program[IDC_EditParameters]), "WM8EUTIL " + parameters);
  EXPECT_TRUE(app.Records().empty()) << "Check started the utility";

  PostClick(program[IDC_ButtonEncode]);
  const auto records = app.WaitForRecords(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(Switches(records[0]),
            (std::vector<std::string>{"-input", "C:\\My Videos\\clip.avi", "-output", "C:\\Encoded\\",
                                      "-outputstring", "movie", "-time", "1000", "5000",
                                      "-profile", "av225", "-a_setting", "0", "-v_codec", "WMV7",
                                      "-v_width", "7", "-v_framerate", "29.97", "-v_preproc", "2",
                                      "-v_clip", "8", "0", "8", "0", "-v_mode", "3",
                                      "-v_bitrate", "256000", "-v_quality", "75"}));
  EXPECT_TRUE(records[0].command_line.ends_with(" " + parameters)) << records[0].command_line;
  // The utility runs where the program was started, not beside it.
  EXPECT_EQ(lstrcmpiA(records[0].current_directory.c_str(), work.c_str()), 0)
      << records[0].current_directory << " vs " << work;
  EXPECT_TRUE(program.process.Running());

  QuitAndExpectZero(program);
}

TEST(Encode, PathsAndCommonNameReachTheUtilityAsTyped) {
  struct Case {
    std::string source;
    std::string destination;
    std::optional<std::string> common_name;  // nothing: its check box off
  };
  const Case cases[] = {
      {"clip.avi", "out\\", std::nullopt},                      // relative, a folder
      {"C:\\My Videos\\a b.avi", "D:\\Enc\\\\", std::nullopt},  // two closing backslashes
      {"C:\\in", "D:\\out", "take \"1\""},                      // quotation marks
      {"C:\\in", "D:\\out", "a\\\"b\\"},                        // backslash before a mark, at the end
      {"C:\\\x95\x5C", "D:\\\x95\x5C\\", "\x95\x5C"},           // trail bytes 0x5C are no backslashes
  };
  AppFolderFromBuild app;
  const WorkFolder work_folder;
  const std::string& work = work_folder.path;
  Program program = StartProgram(app, "", work);
  ASSERT_NE(program.window, nullptr);
  HWND common_name_on = program[IDC_CheckBox_outputstring];

  size_t run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("source " + c.source + ", destination " + c.destination);
    SetText(program[IDC_Edit_input], c.source);
    SetText(program[IDC_Edit_output], c.destination);
    SetChecked(common_name_on, c.common_name.has_value());
    if (c.common_name) SetText(program[IDC_Edit_outputstring], *c.common_name);

    PostClick(program[IDC_ButtonEncode]);
    const auto records = app.WaitForRecords(++run);
    ASSERT_EQ(records.size(), run);
    std::vector<std::string> expected = {"-input", c.source, "-output", c.destination};
    if (c.common_name) expected.insert(expected.end(), {"-outputstring", *c.common_name});
    EXPECT_EQ(Switches(records.back()), expected);
    EXPECT_EQ(lstrcmpiA(records.back().current_directory.c_str(), work.c_str()), 0);
  }
  QuitAndExpectZero(program);
}

TEST(Encode, AUtilityRemovedAfterStartUpIsReportedAndTheProgramGoesOn) {
  AppFolderFromBuild app;
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  SetText(program[IDC_Edit_input], "C:\\Video\\clip.avi");
  SetText(program[IDC_Edit_output], "C:\\Encoded\\");
  ASSERT_TRUE(DeleteFileA(app.encoder().c_str()));

  PostClick(program[IDC_ButtonEncode]);
  const auto box = AnswerMessageBox(program);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "TAVROLEX");
  const size_t said = box->text.find("could not be started");
  ASSERT_NE(said, std::string::npos) << box->text;
  // ... and why: a reason follows.
  EXPECT_GT(box->text.size(), said + std::string("could not be started").size() + 2) << box->text;

  EXPECT_TRUE(program.process.Running());
  EXPECT_TRUE(IsShown(program.window));
  EXPECT_TRUE(app.Records().empty());
  EXPECT_EQ(GetText(program[IDC_Edit_output]), "C:\\Encoded\\");
  QuitAndExpectZero(program);
}

TEST(About, NamesTheProgramAndItsVersion) {
  AppFolderFromBuild app;
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);

  PostClick(program[IDC_ButtonAbout]);
  const auto box = AnswerMessageBox(program);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "TAVROLEX");
  std::vector<std::string> lines;
  for (size_t at = 0;;) {
    const size_t end = box->text.find('\r', at);
    lines.push_back(box->text.substr(at, end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  ASSERT_EQ(lines.size(), 4u) << box->text;
  EXPECT_EQ(lines[0], "Title: Tavrolex");
  EXPECT_EQ(lines[1], "Version: 0.1.1");
  EXPECT_FALSE(lines[2].empty());
  EXPECT_FALSE(lines[3].empty());

  EXPECT_TRUE(program.process.Running());
  QuitAndExpectZero(program);
}

}  // namespace
}  // namespace tavrolex::e2e
