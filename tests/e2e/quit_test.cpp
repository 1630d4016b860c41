// The roads out of the program: Quit, the close box, a read-only settings file and the end of
// the Windows session. Each must end the process with 0 and leave the settings file holding
// the window's values, written once, or untouched when it is read-only.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.h"
#include "support/program.h"
#include "ui/control_ids.h"

namespace tavrolex::e2e {
namespace {

// What a first run writes when nothing was changed: 37 lines, 174 bytes.
const std::string kFirstQuit =
    "\r\n"         //  1 source path
    "\r\n"         //  2 destination path
    "False\r\n"    //  3 common file name on?
    "\r\n"         //  4 common file name
    "False\r\n"    //  5 time on?
    "0\r\n"        //  6 start time
    "0\r\n"        //  7 end time
    "False\r\n"    //  8 profile on?
    "0\r\n"        //  9 profile line
    "False\r\n"    // 10 audio on?
    "8\r\n"        // 11 audio line
    "False\r\n"    // 12 codec on?
    "False\r\n"    // 13 WMV7
    "True\r\n"     // 14 WMV8
    "False\r\n"    // 15 width on?
    "0\r\n"        // 16 width
    "False\r\n"    // 17 height on?
    "0\r\n"        // 18 height
    "False\r\n"    // 19 frame rate on?
    "\r\n"         // 20 frame rate
    "False\r\n"    // 21 key distance on?
    "0\r\n"        // 22 key distance
    "False\r\n"    // 23 preprocessing on?
    "0\r\n"        // 24 preprocessing line
    "False\r\n"    // 25 clip on?
    "0\r\n"        // 26 clip left
    "0\r\n"        // 27 clip top
    "0\r\n"        // 28 clip right
    "0\r\n"        // 29 clip bottom
    "False\r\n"    // 30 mode on?
    "0\r\n"        // 31 mode line
    "False\r\n"    // 32 bit rate on?
    "0\r\n"        // 33 bit rate
    "False\r\n"    // 34 buffer on?
    "0\r\n"        // 35 buffer
    "False\r\n"    // 36 quality on?
    "0\r\n";       // 37 quality

// `base` with some of its lines (numbered from 1) replaced.
std::string WithLines(const std::string& base, const std::vector<std::pair<int, std::string>>& lines) {
  std::vector<std::string> split;
  for (size_t at = 0; at < base.size();) {
    const size_t end = std::min(base.find("\r\n", at), base.size());
    split.push_back(base.substr(at, end - at));
    at = end + 2;
  }
  for (const auto& [number, text] : lines) split.at(static_cast<size_t>(number - 1)) = text;
  std::string joined;
  for (const std::string& line : split) joined += line + "\r\n";
  return joined;
}

const std::vector<std::string> kFolderAfterQuit = {"TAVROLEX.EXE", "TAVROLEX.INI", "WM8EUTIL.EXE"};

TEST(Quit, AFirstRunWritesTheStartValuesOnceAndEndsWithZero) {
  ASSERT_EQ(kFirstQuit.size(), 174u);
  AppFolderFromBuild app;
  FolderWatch watch(app.dir());
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  EXPECT_FALSE(FileExists(app.settings())) << "the settings file was written at start";

  PostClick(program[IDC_ButtonQuit]);
  EXPECT_EQ(program.process.ExpectExit(), 0u);
  EXPECT_EQ(app.ReadSettings(), kFirstQuit);
  EXPECT_EQ(watch.Arrivals("TAVROLEX.INI"), 1);
  EXPECT_EQ(FolderEntries(app.dir()), kFolderAfterQuit);
}

// The program's own top-level window that labels its task-bar button, "TAVROLEX".
HWND TaskBarWindow(const Program& program) {
  for (const WindowInfo& w : TopLevelWindows(program.process.id())) {
    if (w.hwnd != program.window && w.class_name != "#32770" && w.text == "TAVROLEX") return w.hwnd;
  }
  return nullptr;
}

struct CloseRoad {
  const char* name;
  void (*close)(const Program& program);
};

class CloseBox : public testing::TestWithParam<CloseRoad> {};

TEST_P(CloseBox, WritesTheCurrentValuesOnceAndEndsWithZero) {
  AppFolderFromBuild app;
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  SetText(program[IDC_Edit_input], "C:\\Video\\clip.avi");
  SetText(program[IDC_Edit_output], "C:\\Encoded\\");
  Click(program[IDC_CheckBox_v_quality]);

  FolderWatch watch(app.dir());
  GetParam().close(program);
  EXPECT_EQ(program.process.ExpectExit(), 0u);
  EXPECT_EQ(app.ReadSettings(), WithLines(kFirstQuit, {{1, "C:\\Video\\clip.avi"},
                                                       {2, "C:\\Encoded\\"},
                                                       {36, "True"}}));
  EXPECT_EQ(watch.Arrivals("TAVROLEX.INI"), 1);
  EXPECT_EQ(FolderEntries(app.dir()), kFolderAfterQuit);
}

INSTANTIATE_TEST_SUITE_P(
    Roads, CloseBox,
    testing::Values(
        CloseRoad{"Close", [](const Program& p) { PostMessageA(p.window, WM_CLOSE, 0, 0); }},
        CloseRoad{"SystemMenuClose",
                  [](const Program& p) { PostMessageA(p.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        CloseRoad{"TaskBarClose",
                  [](const Program& p) {
                    HWND task_bar = TaskBarWindow(p);
                    ASSERT_NE(task_bar, nullptr) << "no top-level window reads TAVROLEX";
                    PostMessageA(task_bar, WM_CLOSE, 0, 0);
                  }},
        // Both land in the queue before either is handled: still one write.
        CloseRoad{"QuitThenClose",
                  [](const Program& p) {
                    PostClick(p[IDC_ButtonQuit]);
                    PostMessageA(p.window, WM_CLOSE, 0, 0);
                  }}),
    [](const testing::TestParamInfo<CloseRoad>& info) { return std::string(info.param.name); });

TEST(Quit, AReadOnlySettingsFileKeepsItsBytes) {
  AppFolderFromBuild app;
  const std::string stored = WithLines(kFirstQuit, {{1, "C:\\Kept\\clip.avi"}, {37, "40"}});
  app.WriteSettings(stored);
  ASSERT_TRUE(SetReadOnly(app.settings(), true));

  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  EXPECT_EQ(GetText(program[IDC_Edit_input]), "C:\\Kept\\clip.avi");
  SetText(program[IDC_Edit_input], "C:\\Changed\\clip.avi");  // a rewrite would show this
  PostClick(program[IDC_ButtonQuit]);
  EXPECT_EQ(program.process.ExpectExit(), 0u);
  EXPECT_EQ(app.ReadSettings(), stored);
  EXPECT_TRUE(IsReadOnly(app.settings()));
  EXPECT_EQ(FolderEntries(app.dir()), kFolderAfterQuit);
}

TEST(SessionEnd, KeepsTheCurrentValuesAndEndsWithZeroPromptly) {
  AppFolderFromBuild app;
  app.WriteSettings(WithLines(kFirstQuit, {{1, "C:\\Before\\clip.avi"}}));
  Program program = StartProgram(app);
  ASSERT_NE(program.window, nullptr);
  SetText(program[IDC_Edit_input], "C:\\Session\\clip.avi");
  SetText(program[IDC_Edit_outputstring], "common");
  Click(program[IDC_CheckBox_outputstring]);

  EXPECT_EQ(SendWithin(program.window, WM_QUERYENDSESSION, 0, 0), std::optional<LRESULT>(TRUE));
  EXPECT_TRUE(program.process.Running()) << "the query alone ended the program";
  SendWithin(program.window, WM_ENDSESSION, TRUE, 0);
  // Promptly: Wine alone takes about 2 s to take down a process that had windows.
  EXPECT_EQ(program.process.ExpectExit(6000), 0u);
  EXPECT_EQ(app.ReadSettings(), WithLines(kFirstQuit, {{1, "C:\\Session\\clip.avi"},
                                                       {3, "True"},
                                                       {4, "common"}}));
}

}  // namespace
}  // namespace tavrolex::e2e
