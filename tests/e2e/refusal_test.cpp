// Without WM8EUTIL.EXE beside it the program refuses to run: it says so in a message box
// before its window has been on screen, ends with exit code 0 and leaves the settings alone.
#include <gtest/gtest.h>

#include "support/harness.h"

namespace tavrolex::e2e {
namespace {

constexpr const char* kRefusal = "Put this application into the same directory of wm8eutil.exe.";

// Runs the program in `app` up to its message box, checks the box and that no main window is
// showing, presses OK and expects exit code 0.
void ExpectRefusal(const AppFolder& app) {
  Process program = StartApp(app, "");
  ASSERT_TRUE(program.started());

  HWND box = WaitForMessageBox(program.id());
  ASSERT_NE(box, nullptr) << "no message box appeared";
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.caption, "TAVROLEX");
  EXPECT_EQ(content.text, kRefusal);
  EXPECT_TRUE(VisibleMainWindows(program.id()).empty()) << "the main window shows with the box";

  ASSERT_TRUE(PressOk(box));
  EXPECT_EQ(program.ExpectExit(), 0u);
}

TEST(Refusal, WithoutTheUtilityTheProgramSaysSoAndEndsWithoutWritingSettings) {
  AppFolder app(TAVROLEX_EXE_PATH, RECORDER_EXE_PATH, /*with_encoder=*/false);
  ExpectRefusal(app);
  EXPECT_FALSE(FileExists(app.settings()));
  EXPECT_EQ(FolderEntries(app.dir()), std::vector<std::string>{"TAVROLEX.EXE"});
}

TEST(Refusal, AnExistingSettingsFileStaysAsItWas) {
  AppFolder app(TAVROLEX_EXE_PATH, RECORDER_EXE_PATH, /*with_encoder=*/false);
  // Not a file the program would write: a short one with an odd line end, so any rewrite shows.
  const std::string settings = "C:\\in.avi\r\nC:\\out.wmv\nTrue\r\n";
  app.WriteSettings(settings);
  ExpectRefusal(app);
  EXPECT_EQ(app.ReadSettings(), settings);
}

TEST(Refusal, AFolderNamedLikeTheUtilityDoesNotCount) {
  AppFolder app(TAVROLEX_EXE_PATH, RECORDER_EXE_PATH, /*with_encoder=*/false);
  ASSERT_TRUE(MakeFolder(app.encoder()));
  ExpectRefusal(app);
  EXPECT_FALSE(FileExists(app.settings()));
}

}  // namespace
}  // namespace tavrolex::e2e
