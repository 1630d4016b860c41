// The settings file on disk: whole-file reads and the replace-in-one-step writer.
#include "settings/settings_file_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_file_win_testing.h"
#include "support/temp_folder.h"

namespace tavrolex {
namespace {

using namespace std::string_literals;
using testing::TempFolder;

// Bytes a settings file really holds: CR LF line ends, Shift-JIS with a 0x5C trail byte,
// a lone line feed, byte 26 and a NUL, none of which may be touched.
const std::string kContent =
    "C:\\\x95\x5C\\clip.avi\r\n\r\nTrue\r\nlf\nin line\r\n\x1A after\r\n\0end\r\n"s;

const std::string kOldContent = "old line 1\r\nold line 2\r\n";

std::vector<std::string> Names(std::initializer_list<const char*> names) {
  return std::vector<std::string>(names.begin(), names.end());
}

TEST(ReadSettingsFile, GivesNothingForAMissingFileOrAFolder) {
  TempFolder folder;
  EXPECT_EQ(ReadSettingsFile(folder / "TAVROLEX.INI"), std::nullopt);
  EXPECT_EQ(ReadSettingsFile(folder / "no such folder\\TAVROLEX.INI"), std::nullopt);
  EXPECT_EQ(ReadSettingsFile(folder.path()), std::nullopt);
  EXPECT_EQ(ReadSettingsFile(""), std::nullopt);
}

TEST(ReadSettingsFile, GivesEveryByteOfTheFile) {
  TempFolder folder;
  std::string big(200000, 'x');
  for (size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<char>(i);
  for (const std::string& bytes : {std::string(), kContent, big}) {
    ASSERT_TRUE(testing::WriteBytes(folder / "TAVROLEX.INI", bytes));
    EXPECT_EQ(ReadSettingsFile(folder / "TAVROLEX.INI"), bytes);
  }
}

TEST(WriteSettingsFile, CreatesOrReplacesTheWholeFileAndLeavesNothingElse) {
  TempFolder folder;
  const std::string path = folder / "TAVROLEX.INI";

  ASSERT_TRUE(WriteSettingsFile(path, kContent));
  EXPECT_EQ(testing::ReadBytes(path), kContent);

  // A shorter content replaces a longer one completely: nothing of the old tail survives.
  ASSERT_TRUE(WriteSettingsFile(path, "short\r\n"));
  EXPECT_EQ(testing::ReadBytes(path), "short\r\n");

  ASSERT_TRUE(WriteSettingsFile(path, ""));
  EXPECT_EQ(testing::ReadBytes(path), "");

  EXPECT_EQ(testing::FolderEntries(folder.path()), Names({"TAVROLEX.INI"}));
}

TEST(WriteSettingsFile, TakesAPathRelativeToTheCurrentDirectory) {
  TempFolder folder;
  testing::ScopedCurrentDirectory inside(folder.path());
  ASSERT_TRUE(WriteSettingsFile("TAVROLEX.INI", kContent));
  EXPECT_EQ(testing::ReadBytes(folder / "TAVROLEX.INI"), kContent);
  EXPECT_EQ(ReadSettingsFile("TAVROLEX.INI"), kContent);
}

TEST(WriteSettingsFile, AFailurePartWayKeepsTheOldFileAndRemovesTheTemporaryOne) {
  TempFolder folder;
  const std::string path = folder / "TAVROLEX.INI";
  ASSERT_TRUE(testing::WriteBytes(path, kOldContent));

  size_t calls = 0;
  // Half the bytes reach the temporary file, then the system reports a failure.
  auto fail_half_way = [&](HANDLE file, std::string_view bytes) {
    ++calls;
    WriteAllBytes(file, bytes.substr(0, bytes.size() / 2));
    SetLastError(ERROR_DISK_FULL);
    return false;
  };
  EXPECT_FALSE(WriteSettingsFileThrough(path, kContent, fail_half_way));
  EXPECT_EQ(calls, 1u);
  EXPECT_EQ(testing::ReadBytes(path), kOldContent);
  EXPECT_EQ(testing::FolderEntries(folder.path()), Names({"TAVROLEX.INI"}));

  // With no old file, a failed write creates none.
  const std::string fresh = folder / "NEW.INI";
  EXPECT_FALSE(WriteSettingsFileThrough(fresh, kContent, fail_half_way));
  EXPECT_EQ(testing::ReadBytes(fresh), std::nullopt);
  EXPECT_EQ(testing::FolderEntries(folder.path()), Names({"TAVROLEX.INI"}));
}

TEST(WriteSettingsFile, LeavesAReadOnlyFileAsItIs) {
  TempFolder folder;
  const std::string path = folder / "TAVROLEX.INI";
  ASSERT_TRUE(testing::WriteBytes(path, kOldContent));
  ASSERT_TRUE(testing::SetAttributes(path, FILE_ATTRIBUTE_READONLY));

  EXPECT_FALSE(WriteSettingsFile(path, kContent));
  EXPECT_EQ(testing::ReadBytes(path), kOldContent);
  EXPECT_NE(testing::Attributes(path) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(testing::FolderEntries(folder.path()), Names({"TAVROLEX.INI"}));
}

TEST(WriteSettingsFile, FailsWhereNoFileCanBeMade) {
  TempFolder folder;
  // No such folder; and a folder where the file should be.
  EXPECT_FALSE(WriteSettingsFile(folder / "missing\\TAVROLEX.INI", kContent));
  ASSERT_TRUE(testing::MakeFolder(folder / "TAVROLEX.INI"));
  EXPECT_FALSE(WriteSettingsFile(folder / "TAVROLEX.INI", kContent));
  EXPECT_EQ(testing::FolderEntries(folder.path()), Names({"TAVROLEX.INI"}));
  EXPECT_EQ(testing::FolderEntries(folder / "TAVROLEX.INI"), Names({}));
  EXPECT_FALSE(WriteSettingsFile("", kContent));
}

TEST(SettingsFile, WorksBeyondTheShortPathLimit) {
  TempFolder folder;
  // Nested folders, one named in Shift-JIS with a 0x5C trail byte, until the file's path is
  // well past 260 bytes.
  std::string path = folder / "\x95\x5C";
  ASSERT_TRUE(testing::MakeFolder(path));
  while (path.size() < 300) {
    path += "\\" + std::string(60, 'd');
    ASSERT_TRUE(testing::MakeFolder(path)) << path.size();
  }
  const std::string file = path + "\\TAVROLEX.INI";
  ASSERT_GT(file.size(), 300u);

  EXPECT_EQ(ReadSettingsFile(file), std::nullopt);
  ASSERT_TRUE(WriteSettingsFile(file, kOldContent));
  ASSERT_TRUE(WriteSettingsFile(file, kContent));  // replacing works there too
  EXPECT_EQ(ReadSettingsFile(file), kContent);
  EXPECT_EQ(testing::ReadBytes(file), kContent);
  EXPECT_EQ(testing::FolderEntries(path), Names({"TAVROLEX.INI"}));
}

}  // namespace
}  // namespace tavrolex
