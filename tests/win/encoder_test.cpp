// The encoding utility beside the program: its presence test and its start through the shell,
// with the recording stand-in copied in as WM8EUTIL.EXE.
#include "encoder/encoder_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tavrolex {
namespace {

using testing::TempFolder;

TEST(EncoderPath, AlwaysAddsTheBackslash) {
  EXPECT_EQ(EncoderPath("C:\\Tools"), "C:\\Tools\\WM8EUTIL.EXE");
  EXPECT_EQ(EncoderPath("C:\\"), "C:\\\\WM8EUTIL.EXE");
  EXPECT_EQ(EncoderPath(""), "\\WM8EUTIL.EXE");
}

TEST(EncoderPresent, CountsAFileButNotAFolderOfThatName) {
  TempFolder with_file, with_folder, empty, with_other_file;
  ASSERT_TRUE(testing::WriteBytes(with_file / "WM8EUTIL.EXE", "MZ"));
  ASSERT_TRUE(testing::MakeFolder(with_folder / "WM8EUTIL.EXE"));
  ASSERT_TRUE(testing::WriteBytes(with_other_file / "WM8EUTIL.EXE.BAK", "MZ"));

  EXPECT_TRUE(EncoderPresent(with_file.path()));
  EXPECT_TRUE(EncoderPresent(with_file.path() + "\\"));  // a directory given with its backslash
  EXPECT_FALSE(EncoderPresent(with_folder.path()));
  EXPECT_FALSE(EncoderPresent(empty.path()));
  EXPECT_FALSE(EncoderPresent(with_other_file.path()));
  EXPECT_FALSE(EncoderPresent(empty / "missing folder"));
}

// A folder holding the recorder as WM8EUTIL.EXE, a record file the recorder writes to, and a
// separate current directory for the test, so the child's directory shows where it came from.
class LaunchEncoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA(RECORDER_EXE_PATH, (app_ / "WM8EUTIL.EXE").c_str(), FALSE))
        << RECORDER_EXE_PATH;
  }

  std::string RecordPath() const { return records_ / "record.txt"; }

  TempFolder app_, records_, work_;
  testing::ScopedEnvironment record_to_{"WM8EUTIL_RECORD", RecordPath()};
  testing::ScopedCurrentDirectory current_{work_.path()};
};

struct ArgumentCase {
  const char* parameters;
  std::vector<std::string> arguments;  // what the utility sees after its own name
};

TEST_F(LaunchEncoderTest, TheUtilityGetsTheParametersAndTheCallersDirectory) {
  const ArgumentCase cases[] = {
      // A doubled backslash before the closing mark reaches the utility as one.
      {"-input \"C:\\My Videos\\clip.avi\" -output \"C:\\Encoded\\\\\"",
       {"-input", "C:\\My Videos\\clip.avi", "-output", "C:\\Encoded\\"}},
      // A Shift-JIS character whose trail byte is 0x5C, right before the closing mark.
      {"-input \"C:\\\x95\x5C\" -output \"C:\\Enc\\\\\" -v_framerate 29.97",
       {"-input", "C:\\\x95\x5C", "-output", "C:\\Enc\\", "-v_framerate", "29.97"}},
      // Relative paths go as they are.
      {"-input \"clip.avi\" -output \"out\\x.wmv\"", {"-input", "clip.avi", "-output", "out\\x.wmv"}},
  };
  size_t runs = 0;
  for (const ArgumentCase& c : cases) {
    SCOPED_TRACE(c.parameters);
    ASSERT_EQ(LaunchEncoder(nullptr, app_.path(), c.parameters), "");
    ++runs;
    const auto records = testing::WaitForRecords(RecordPath(), runs);
    ASSERT_EQ(records.size(), runs);
    const record::Record& run = records.back();

    ASSERT_FALSE(run.arguments.empty());
    EXPECT_EQ(std::vector<std::string>(run.arguments.begin() + 1, run.arguments.end()), c.arguments);
    EXPECT_TRUE(run.command_line.ends_with(c.parameters)) << run.command_line;
    EXPECT_NE(run.command_line.find("WM8EUTIL.EXE"), std::string::npos) << run.command_line;
    EXPECT_EQ(lstrcmpiA(run.current_directory.c_str(), work_.path().c_str()), 0)
        << run.current_directory << " vs " << work_.path();
  }
}

TEST_F(LaunchEncoderTest, EachLaunchIsAnIndependentRun) {
  ASSERT_EQ(LaunchEncoder(nullptr, app_.path(), "-input \"a\" -output \"b\""), "");
  ASSERT_EQ(LaunchEncoder(nullptr, app_.path(), "-input \"c\" -output \"d\""), "");
  const auto records = testing::WaitForRecords(RecordPath(), 2);
  ASSERT_EQ(records.size(), 2u);
  std::vector<std::string> inputs;
  for (const auto& run : records) {
    ASSERT_EQ(run.arguments.size(), 5u);
    inputs.push_back(run.arguments[2]);
  }
  std::sort(inputs.begin(), inputs.end());  // the two runs may finish in either order
  EXPECT_EQ(inputs, (std::vector<std::string>{"a", "c"}));
}

TEST_F(LaunchEncoderTest, AMissingUtilityGivesAMessageNamingItAndTheCause) {
  ASSERT_TRUE(DeleteFileA((app_ / "WM8EUTIL.EXE").c_str()));
  const std::string message = LaunchEncoder(nullptr, app_.path(), "-input \"a\" -output \"b\"");
  EXPECT_NE(message.find("could not be started"), std::string::npos) << message;
  EXPECT_NE(message.find(app_ / "WM8EUTIL.EXE"), std::string::npos) << message;
  EXPECT_NE(message.find("not found"), std::string::npos) << message;

  // Nothing ran.
  Sleep(300);
  EXPECT_EQ(testing::ReadBytes(RecordPath()), std::nullopt);
}

}  // namespace
}  // namespace tavrolex
