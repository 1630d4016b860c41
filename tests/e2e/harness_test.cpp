// Checks of the end-to-end harness itself, against programs whose behaviour is known: the
// recorder as a child process, and a message box and a nested window of this test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "support/harness.h"

namespace tavrolex::e2e {
namespace {

TEST(Harness, StartsAProcessWithItsCommandLineDirectoryAndEnvironment) {
  const std::string folder = MakeTempFolder();
  const std::string work = MakeTempFolder();
  const std::string record_file = folder + "\\record.txt";
  const std::string line = "\"" + std::string(RECORDER_EXE_PATH) +
                           "\" -input \"C:\\My Videos\\clip.avi\" \x95\x5C";
  Process recorder = Process::Start(RECORDER_EXE_PATH, line, work,
                                    {{"WM8EUTIL_RECORD", record_file}});
  ASSERT_TRUE(recorder.started());
  EXPECT_EQ(recorder.ExpectExit(), 0u);

  const auto records = WaitForRecords(record_file, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].command_line, line);
  EXPECT_EQ(records[0].arguments,
            (std::vector<std::string>{RECORDER_EXE_PATH, "-input", "C:\\My Videos\\clip.avi", "\x95\x5C"}));
  EXPECT_EQ(lstrcmpiA(records[0].current_directory.c_str(), work.c_str()), 0)
      << records[0].current_directory;
  EXPECT_TRUE(RemoveTree(folder));
  EXPECT_TRUE(RemoveTree(work));
}

TEST(Harness, FindsAnotherProcesssWindowAndKillsAProcessThatDoesNotEnd) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string notepad = std::string(system) + "\\notepad.exe";
  Process editor = Process::Start(notepad, "notepad.exe");
  ASSERT_TRUE(editor.started());
  HWND window = WaitForMainWindow(editor.id());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindMessageBox(editor.id()), nullptr);
  EXPECT_EQ(editor.WaitForExit(300), std::nullopt);
  EXPECT_TRUE(editor.Running());
  editor.Kill();
  EXPECT_FALSE(editor.Running());
}

TEST(Harness, FindsReadsAndAnswersAMessageBox) {
  std::future<int> answer = std::async(std::launch::async, [] {
    return MessageBoxA(nullptr, "Line one.\rLine \x95\x5C two.", "TAVROLEX", MB_OK);
  });
  HWND box = WaitForMessageBox(GetCurrentProcessId());
  ASSERT_NE(box, nullptr);
  const MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.caption, "TAVROLEX");
  EXPECT_EQ(content.text, "Line one.\rLine \x95\x5C two.");
  ASSERT_TRUE(PressOk(box));
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(answer.get(), IDOK);
}

// A window -> panel -> group box -> controls tree like the program's, on a thread of its own,
// whose panel counts the notifications it gets.
class NestedWindow {
 public:
  enum { kPanel = 10, kGroup = 11, kEdit = 12, kButton = 13, kCheck = 14, kList = 15 };

  NestedWindow() : thread_([this] { Run(); }) { ready_.get_future().wait(); }
  ~NestedWindow() {
    PostClose(top_);
    thread_.join();
  }

  HWND top() const { return top_; }
  int clicks() const { return clicks_; }
  int selection_changes() const { return selection_changes_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<NestedWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr) {
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kButton) ++self->clicks_;
      if (HIWORD(wparam) == LBN_SELCHANGE && LOWORD(wparam) == kList) ++self->selection_changes_;
    }
    if (message == WM_DESTROY && GetParent(hwnd) == nullptr) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }

  void Run() {
    WNDCLASSA type{};
    type.lpfnWndProc = Procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "TvxHarnessCheck";
    RegisterClassA(&type);
    top_ = CreateWindowExA(0, "TvxHarnessCheck", "Harness check", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           10, 10, 400, 300, nullptr, nullptr, type.hInstance, nullptr);
    HWND panel = CreateWindowExA(0, "TvxHarnessCheck", "", WS_CHILD | WS_VISIBLE, 0, 0, 380, 260,
                                 top_, reinterpret_cast<HMENU>(kPanel), type.hInstance, nullptr);
    SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CreateWindowExA(0, "BUTTON", "Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 370, 250,
                    panel, reinterpret_cast<HMENU>(kGroup), type.hInstance, nullptr);
    // The controls sit on the panel, behind which the group box is drawn; one of them is a
    // child of the group box itself, to show the search goes to any depth.
    HWND group = GetDlgItem(panel, kGroup);
    CreateWindowExA(0, "EDIT", "start", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 20, 200, 20,
                    group, reinterpret_cast<HMENU>(kEdit), type.hInstance, nullptr);
    CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 80, 24,
                    panel, reinterpret_cast<HMENU>(kButton), type.hInstance, nullptr);
    CreateWindowExA(0, "BUTTON", "Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 80, 80, 24,
                    panel, reinterpret_cast<HMENU>(kCheck), type.hInstance, nullptr);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 10, 110, 200,
                                80, panel, reinterpret_cast<HMENU>(kList), type.hInstance, nullptr);
    for (const char* line : {"zero", "one", "\x95\x5C two"}) {
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    ready_.set_value();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  HWND top_ = nullptr;
  int clicks_ = 0;
  int selection_changes_ = 0;
  std::promise<void> ready_;
  std::thread thread_;
};

TEST(Harness, FindsAndDrivesNestedControls) {
  NestedWindow window;
  EXPECT_EQ(WaitForMainWindow(GetCurrentProcessId()), window.top());
  EXPECT_EQ(FindControl(window.top(), 999), nullptr);

  HWND edit = Control(window.top(), NestedWindow::kEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetText(edit), "start");
  SetText(edit, "C:\\\x95\x5C\\clip.avi");
  EXPECT_EQ(GetText(edit), "C:\\\x95\x5C\\clip.avi");

  Click(Control(window.top(), NestedWindow::kButton));
  EXPECT_EQ(window.clicks(), 1);

  HWND check = Control(window.top(), NestedWindow::kCheck);
  EXPECT_FALSE(IsChecked(check));
  Click(check);
  EXPECT_TRUE(IsChecked(check));
  SetChecked(check, false);
  EXPECT_FALSE(IsChecked(check));

  HWND list = Control(window.top(), NestedWindow::kList);
  EXPECT_EQ(ListCount(list), 3);
  EXPECT_EQ(ListLine(list, 2), "\x95\x5C two");
  EXPECT_EQ(ListSelection(list), -1);
  SelectListLine(list, 1);
  EXPECT_EQ(ListSelection(list), 1);
  EXPECT_EQ(window.selection_changes(), 1);
  SelectListLine(list, 2, /*notify=*/false);
  EXPECT_EQ(ListSelection(list), 2);
  EXPECT_EQ(window.selection_changes(), 1);
}

}  // namespace
}  // namespace tavrolex::e2e
