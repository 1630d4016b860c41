// End to end under Wine: WM8EUTIL.EXE encodes a generated clip with the real FFmpeg, and
// ffprobe checks what came out.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "runner_win.h"

namespace wm8eutil {
namespace {

std::wstring FromUnix(const char* path) {
  std::wstring w = L"Z:" + Widen(path, CP_UTF8);
  for (wchar_t& c : w) c = c == L'/' ? L'\\' : c;
  return w;
}

// ANSI (code page 932) text of a Windows path, the way the front end writes it.
std::string Ansi(const std::wstring& path) { return Narrow(path, CP_ACP); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(dir + L"\\" + name);
      } else {
        DeleteFileW((dir + L"\\" + name).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

class EncodeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetEnvironmentVariableA("WM8EUTIL_NO_PAUSE", "1");
    dir_ = new std::wstring(FromUnix(WM8EUTIL_WORK_DIR));
    RemoveTree(*dir_);
    CreateDirectoryW(dir_->c_str(), nullptr);
    tools_ = new Tools;
    scratch_ = new ScratchDir;
    std::string message;
    ASSERT_TRUE(FindTools(tools_, &message)) << message;
    ASSERT_FALSE(tools_->ffprobe.empty());
    // A 2 s 320x240 25 fps test picture with a 48 kHz mono tone.
    const RunResult made = RunTool(
        *tools_, false,
        {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2", "-f", "lavfi",
         "-i", "sine=frequency=440:sample_rate=48000:duration=2", "-c:v", "mpeg4", "-c:a", "mp2", "-shortest",
         PathForTools(*tools_, Clip())},
        *scratch_, scratch_->File(L"gen.out"), scratch_->File(L"gen.err"), [] {});
    ASSERT_TRUE(made.started) << made.error;
    ASSERT_EQ(made.exit_code, 0) << ReadFileText(scratch_->File(L"gen.err"));
  }

  static void TearDownTestSuite() {
    delete scratch_;
    delete tools_;
    delete dir_;
  }

  static std::wstring Clip() { return *dir_ + L"\\clip.avi"; }
  static std::wstring Path(const std::wstring& name) { return *dir_ + L"\\" + name; }

  // Runs the utility with a parameter string; its console text lands in `log_`.
  int RunUtility(const std::string& parameters) {
    const std::wstring log_path = Path(L"utility.log");
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE log = CreateFileW(log_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = INVALID_HANDLE_VALUE;
    si.hStdOutput = log;
    si.hStdError = log;
    PROCESS_INFORMATION pi = {};
    const std::string exe = Ansi(FromUnix(WM8EUTIL_EXE));
    std::string line = "\"" + exe + "\" " + parameters;
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
      CloseHandle(log);
      ADD_FAILURE() << "cannot start " << exe;
      return -1;
    }
    CloseHandle(log);
    WaitForSingleObject(pi.hProcess, 240000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    log_ = ReadFileText(log_path);
    return static_cast<int>(code);
  }

  // ffprobe's flat report of a file: keys like format.format_name, video.codec_name, audio.channels.
  std::map<std::string, std::string> Probe(const std::wstring& file) {
    const RunResult r = RunTool(
        *tools_, true,
        {"-v", "error", "-show_entries",
         "format=format_name,duration:stream=codec_name,codec_type,width,height,r_frame_rate,sample_rate,channels",
         "-of", "flat", PathForTools(*tools_, file)},
        *scratch_, scratch_->File(L"probe.out"), scratch_->File(L"probe.err"), [] {});
    EXPECT_EQ(r.exit_code, 0) << ReadFileText(scratch_->File(L"probe.err"));
    std::map<std::string, std::string> raw, out;
    const std::string text = ReadFileText(scratch_->File(L"probe.out"));
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(pos, end - pos);
      pos = end + 1;
      const std::size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string value = line.substr(eq + 1);
      if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - 2);
      raw[line.substr(0, eq)] = value;
    }
    for (const auto& [key, value] : raw) {
      if (key.rfind("format.", 0) == 0) out[key] = value;
      if (key.rfind("streams.stream.", 0) != 0) continue;
      const std::string index = key.substr(15, key.find('.', 15) - 15);
      const std::string type = raw["streams.stream." + index + ".codec_type"];
      out[type + key.substr(key.find('.', 15))] = value;
    }
    return out;
  }

  std::string log_;
  static std::wstring* dir_;
  static Tools* tools_;
  static ScratchDir* scratch_;
};

std::wstring* EncodeTest::dir_ = nullptr;
Tools* EncodeTest::tools_ = nullptr;
ScratchDir* EncodeTest::scratch_ = nullptr;

TEST_F(EncodeTest, Wmv8WithSizeRateSpanAndAudioSetting) {
  const std::wstring out = Path(L"wmv8.wmv");
  ASSERT_EQ(RunUtility("-input \"" + Ansi(Clip()) + "\" -output \"" + Ansi(out) +
                       "\" -time 0 1000 -profile av350 -a_setting 64_44_2 -v_codec WMV8 -v_width 160"
                       " -v_height 120 -v_framerate 15"),
            0)
      << log_;
  EXPECT_NE(log_.find("100%"), std::string::npos) << log_;
  EXPECT_NE(log_.find("Done: " + Ansi(out)), std::string::npos) << log_;
  auto p = Probe(out);
  EXPECT_EQ(p["format.format_name"], "asf");
  EXPECT_EQ(p["video.codec_name"], "wmv2");
  EXPECT_EQ(p["video.width"], "160");
  EXPECT_EQ(p["video.height"], "120");
  EXPECT_EQ(p["video.r_frame_rate"], "15/1");
  EXPECT_EQ(p["audio.codec_name"], "wmav2");
  EXPECT_EQ(p["audio.sample_rate"], "44100");
  EXPECT_EQ(p["audio.channels"], "2");
  const double seconds = std::atof(p["format.duration"].c_str());
  EXPECT_GT(seconds, 0.8);
  EXPECT_LT(seconds, 1.3);
}

// WMV7, two passes, audio off, one side given, and a destination folder and name in code page
// 932 whose trail byte is a backslash (0x95 0x5C), ending in a backslash as the front end
// quotes it.
TEST_F(EncodeTest, Wmv7TwoPassIntoAFolderWithAJapaneseName) {
  const std::string folder = Ansi(Path(L"")) + "\x95\x5C dir";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_EQ(RunUtility("-input \"" + Ansi(Clip()) + "\" -output \"" + folder + "\\\\\" -outputstring \"\x95\x5C\""
                       " -v_codec WMV7 -v_mode 1 -v_bitrate 200000 -v_width 200 -a_setting 0"),
            0)
      << log_;
  const std::wstring out = Widen(folder + "\\\x95\x5C.wmv", CP_ACP);
  ASSERT_TRUE(Exists(out)) << log_;
  auto p = Probe(out);
  EXPECT_EQ(p["format.format_name"], "asf");
  EXPECT_EQ(p["video.codec_name"], "wmv1");
  EXPECT_EQ(p["video.width"], "200");
  EXPECT_EQ(p["video.height"], "150");
  EXPECT_EQ(p.count("audio.codec_name"), 0u);
  EXPECT_NE(log_.find("pass 2/2"), std::string::npos) << log_;
}

TEST_F(EncodeTest, FolderWithAudioOnlyProfileAndCommonName) {
  const std::wstring in = Path(L"in"), out = Path(L"out");
  ASSERT_TRUE(CreateDirectoryW(in.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(Clip().c_str(), (in + L"\\b.avi").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(Clip().c_str(), (in + L"\\a.avi").c_str(), FALSE));
  HANDLE note = CreateFileW((in + L"\\notes.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(note);
  ASSERT_EQ(RunUtility("-input \"" + Ansi(in) + "\" -output \"" + Ansi(out) + "\" -outputstring \"part\" -profile a64"), 0)
      << log_;
  EXPECT_NE(log_.find("2 of 2 files encoded"), std::string::npos) << log_;
  EXPECT_FALSE(Exists(out + L"\\notes.wma"));
  for (const wchar_t* name : {L"\\part_1.wma", L"\\part_2.wma"}) {
    auto p = Probe(out + name);
    EXPECT_EQ(p["format.format_name"], "asf");
    EXPECT_EQ(p["audio.codec_name"], "wmav2");
    EXPECT_EQ(p["audio.sample_rate"], "44100");
    EXPECT_EQ(p.count("video.codec_name"), 0u);
  }
}

TEST_F(EncodeTest, BadInputFailsAndWritesNothing) {
  struct Case {
    std::string tail;
    int code;
    const char* message;
  };
  const std::wstring out = Path(L"bad.wmv");
  const std::string head = "-input \"" + Ansi(Clip()) + "\" -output \"" + Ansi(out) + "\"";
  const Case cases[] = {
      {head + " -v_preproc -1", 1, "-v_preproc: \"-1\""},
      {head + " -profile", 1, "-profile: value missing"},
      {head + " -v_framerate  -v_keydist 0", 1, "-v_framerate: value missing"},
      {"-input \"" + Ansi(Path(L"missing.avi")) + "\" -output \"" + Ansi(out) + "\"", 2, "does not exist"},
      {"-input \"" + Ansi(Clip()) + "\" -output \"" + Ansi(Path(L"no such dir\\x.wmv")) + "\"", 3, "folder does not exist"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunUtility(c.tail), c.code) << c.tail << "\n" << log_;
    EXPECT_NE(log_.find(c.message), std::string::npos) << log_;
    EXPECT_FALSE(Exists(out)) << c.tail;
  }
}

}  // namespace
}  // namespace wm8eutil
