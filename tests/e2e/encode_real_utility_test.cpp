// The program with the real encoding utility beside it: options set in the window reach the
// utility through Encode, and the file it writes has them, as ffprobe reads it. Needs FFmpeg
// (under Wine the Linux ffmpeg and ffprobe); without it the test is skipped.
#include <windows.h>

#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "support/harness.h"
#include "support/media_tools.h"
#include "support/program.h"
#include "ui/control_ids.h"

#ifdef WM8EUTIL_EXE_PATH

namespace tavrolex::e2e {
namespace {

// A folder for the clip and the results, removed when the test ends. The utility's console
// may hold it for a moment after the run.
struct WorkFolder {
  std::string path = MakeTempFolder();
  ~WorkFolder() { WaitUntil([&] { return RemoveTree(path); }, 5000); }
};

// The folder's program started with the utility told not to wait for Enter at its end; the
// utility inherits the program's environment.
Program StartWithoutPause(const AppFolder& app, const std::string& current_directory) {
  return StartProgram(app, "", current_directory, {{"WM8EUTIL_NO_PAUSE", "1"}});
}

// The WM8EUTIL.EXE process that `parent` started, waited for; nullptr when none came.
HANDLE WaitForUtility(DWORD parent, DWORD timeout_ms) {
  HANDLE found = nullptr;
  WaitUntil(
      [&] {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && found == nullptr;
             more = Process32NextW(snapshot, &entry)) {
          if (entry.th32ParentProcessID == parent && lstrcmpiW(entry.szExeFile, L"WM8EUTIL.EXE") == 0) {
            found = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                entry.th32ProcessID);
          }
        }
        CloseHandle(snapshot);
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

void Tick(const Program& program, int id) {
  HWND box = program[id];
  Click(box);
  EXPECT_TRUE(IsChecked(box)) << "check box " << id << " did not take the click";
}

class RealUtilityTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::optional<MediaTools> found = FindMediaTools();
    if (!found) GTEST_SKIP() << "FFmpeg is not installed (under Wine: apt-get install ffmpeg)";
    tools_ = *found;
    ASSERT_TRUE(MakeFolder(scratch()));
    ASSERT_TRUE(MakeFolder(work_.path + "\\my clips"));
    // A 2 s 320x240 25 fps test picture with a 48 kHz mono tone.
    const ToolRun made = RunMediaTool(
        tools_, false,
        {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2", "-f",
         "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=2", "-c:v", "mpeg4", "-c:a",
         "mp2", "-shortest", ToolPath(tools_, clip())},
        scratch());
    ASSERT_TRUE(made.finished) << made.problem;
    ASSERT_EQ(made.exit_code, 0) << made.err;
  }

  std::string clip() const { return work_.path + "\\my clips\\clip.avi"; }
  std::string scratch() const { return work_.path + "\\scratch"; }

  WorkFolder work_;
  MediaTools tools_;
};

// Each case: the codec chosen, the frame size and rate asked for (0 and "" leave the check box
// off), and what the written file must show.
TEST_F(RealUtilityTest, EncodeWritesTheFileTheWindowAskedFor) {
  struct Case {
    const char* name;
    int codec_button;
    int width, height;
    const char* rate;
    const char* codec;
    const char* width_out;
    const char* height_out;
    const char* rate_out;
  } cases[] = {
      {"small wmv8.wmv", IDC_RadioButton_WMV8, 160, 120, "15", "wmv2", "160", "120", "15/1"},
      // One side alone keeps the aspect; no rate keeps the source's.
      {"wide wmv7.wmv", IDC_RadioButton_WMV7, 200, 0, "", "wmv1", "200", "150", "25/1"},
  };
  const std::string out_dir = work_.path + "\\out dir";
  ASSERT_TRUE(MakeFolder(out_dir));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AppFolder app(TAVROLEX_EXE_PATH, WM8EUTIL_EXE_PATH, true);
    Program program = StartWithoutPause(app, work_.path);
    ASSERT_NE(program.window, nullptr);
    const std::string output = out_dir + "\\" + c.name;

    SetText(program[IDC_Edit_input], clip());
    SetText(program[IDC_Edit_output], output);
    Tick(program, IDC_CheckBox_time);
    SetText(program[IDC_SpinEdit_start_time], "0");
    SetText(program[IDC_SpinEdit_end_time], "1000");
    Tick(program, IDC_CheckBox_a_setting);
    SelectListLine(program[IDC_ListBox_a_setting], 8);
    EXPECT_EQ(ListSelection(program[IDC_ListBox_a_setting]), 8);
    EXPECT_EQ(ListLine(program[IDC_ListBox_a_setting], 8), "64_44_2: 64Kbps 44.1Khz stereo");
    Tick(program, IDC_CheckBox_v_codec);
    Click(program[c.codec_button]);
    EXPECT_TRUE(IsChecked(program[c.codec_button]));
    Tick(program, IDC_CheckBox_v_width);
    SetText(program[IDC_SpinEdit_v_width], std::to_string(c.width));
    if (c.height != 0) {
      Tick(program, IDC_CheckBox_v_height);
      SetText(program[IDC_SpinEdit_v_height], std::to_string(c.height));
    }
    if (*c.rate != '\0') {
      Tick(program, IDC_CheckBox_v_framerate);
      SetText(program[IDC_Edit_v_framerate], c.rate);
    }

    PostClick(program[IDC_ButtonEncode]);
    const HANDLE utility = WaitForUtility(program.process.id(), kTimeoutMs);
    if (utility == nullptr) {
      const HWND box = FindMessageBox(program.process.id());
      FAIL() << "the utility did not start"
             << (box != nullptr ? ": " + ReadMessageBox(box).text : std::string());
    }
    const bool ended = WaitForSingleObject(utility, 120000) == WAIT_OBJECT_0;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(utility, &code);
    if (!ended) TerminateProcess(utility, 1);
    CloseHandle(utility);
    ASSERT_TRUE(ended) << "the utility still ran after two minutes";
    EXPECT_EQ(code, 0u) << "the utility's exit code";
    EXPECT_EQ(FindMessageBox(program.process.id()), nullptr) << "the program reported a problem";

    ASSERT_TRUE(FileExists(output)) << output;
    std::string error;
    std::map<std::string, std::string> p = ProbeMedia(tools_, output, scratch(), &error);
    ASSERT_FALSE(p.empty()) << error;
    EXPECT_EQ(p["format.format_name"], "asf");
    EXPECT_EQ(p["video.codec_name"], c.codec);
    EXPECT_EQ(p["video.width"], c.width_out);
    EXPECT_EQ(p["video.height"], c.height_out);
    EXPECT_EQ(p["video.r_frame_rate"], c.rate_out);
    EXPECT_EQ(p["audio.codec_name"], "wmav2");
    EXPECT_EQ(p["audio.sample_rate"], "44100");
    EXPECT_EQ(p["audio.channels"], "2");
    const double seconds = std::atof(p["format.duration"].c_str());
    EXPECT_GT(seconds, 0.8) << "the span 0..1000 ms";
    EXPECT_LT(seconds, 1.3) << "the span 0..1000 ms";

    PostClick(program[IDC_ButtonQuit]);
    EXPECT_EQ(program.process.ExpectExit(), 0u);
  }
}

}  // namespace
}  // namespace tavrolex::e2e

#endif  // WM8EUTIL_EXE_PATH
