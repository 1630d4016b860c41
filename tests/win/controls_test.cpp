// The control layer's own behaviour, one control on a host window at a time.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/check_box.h"
#include "controls/edit_box.h"
#include "controls/integer_field.h"
#include "controls/label.h"
#include "controls/list_box.h"
#include "controls/radio_button.h"
#include "controls/slider.h"
#include "controls/tab_strip.h"
#include "support/test_host.h"

namespace tavrolex {
namespace {

using testing::PumpMessages;
using testing::PumpMessagesFor;

// One host for all the tests: a top-level window takes the system a while to take down.
class ControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    host_ = new testing::TestHost;
    host_->Create();
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(host.Handle()); }
  void TearDown() override { PumpMessages(); }

  // A key pressed on the focused control, run through the keyboard interface of dialogs as
  // the program's message loop does.
  void PressKey(HWND target, WPARAM key) {
    SetFocus(target);
    MSG down{target, WM_KEYDOWN, key, 1, 0, {}};
    if (!IsDialogMessageW(host.Handle(), &down)) {
      TranslateMessage(&down);
      DispatchMessageW(&down);
    }
    PumpMessages();
  }

  static inline testing::TestHost* host_ = nullptr;
  testing::TestHost& host = *host_;
};

TEST_F(ControlsTest, EditBoxRaisesChangeOnlyForADifferentText) {
  EditBox edit;
  ASSERT_TRUE(edit.Create(host.Handle(), 10, {8, 8, 200, 23}));
  int changes = 0;
  edit.OnChange = [&] { ++changes; };

  edit.SetText("abc");
  EXPECT_EQ(changes, 1);
  edit.SetText("abc");
  EXPECT_EQ(changes, 1) << "an equal text raises nothing";
  edit.SetText("");
  EXPECT_EQ(changes, 2);
  SendMessageW(edit.Handle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(edit.Text(), "x");
  EXPECT_EQ(changes, 3) << "typing raises the event too";
}

TEST_F(ControlsTest, EditBoxKeepsShiftJisTextByteForByte) {
  EditBox edit;
  ASSERT_TRUE(edit.Create(host.Handle(), 10, {8, 8, 200, 23}));
  const std::string text = "C:\\\x95\x5C\\clip.avi";  // a trail byte 0x5C inside a character
  edit.SetText(text);
  EXPECT_EQ(edit.Text(), text);
  const std::string longer(5000, 'a');  // no length limit of its own
  edit.SetText(longer);
  EXPECT_EQ(edit.Text(), longer);
}

TEST_F(ControlsTest, IntegerFieldReadsItsTextAndWritesPlainDecimal) {
  IntegerField field;
  ASSERT_TRUE(field.Create(host.Handle(), 10, {8, 8, 97, 24}));
  EXPECT_EQ(field.Text(), "0");
  struct Case {
    const char* text;
    std::int32_t value;
  } cases[] = {{"", 0}, {"abc", 0}, {"99999999999", 0}, {"  12", 12}, {"-5", -5}, {"$1F", 31}, {"12 ", 0}};
  for (const Case& c : cases) {
    field.SetText(c.text);
    EXPECT_EQ(field.Value(), c.value) << "text '" << c.text << "'";
  }
  field.SetValue(-42);
  EXPECT_EQ(field.Text(), "-42");
  field.SetValue(2147483647);
  EXPECT_EQ(field.Text(), "2147483647");
}

TEST_F(ControlsTest, IntegerFieldStepsFromWhatItReads) {
  IntegerField field;
  ASSERT_TRUE(field.Create(host.Handle(), 10, {8, 8, 97, 24}));
  field.SetText("abc");
  PressKey(field.Handle(), VK_UP);
  EXPECT_EQ(field.Text(), "1") << "a text that does not parse steps from 0";
  PressKey(field.Handle(), VK_DOWN);
  PressKey(field.Handle(), VK_DOWN);
  EXPECT_EQ(field.Text(), "-1");
  field.SetValue(2147483647);
  field.Step(1);
  EXPECT_EQ(field.Value(), 2147483647) << "stepping past the largest value stays there";
}

TEST_F(ControlsTest, IntegerFieldFiltersTypedCharactersButNotPaste) {
  IntegerField field;
  ASSERT_TRUE(field.Create(host.Handle(), 10, {8, 8, 97, 24}));
  field.SetText("");
  for (wchar_t c : std::wstring(L"1a-+.2x\x3042")) SendMessageW(field.Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(field.Text(), "1-+.2") << "digits, signs and the decimal separator pass; letters do not";

  // Enter reaches the field instead of the window, and is dropped there.
  MSG enter{field.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(SendMessageW(field.Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);
  SendMessageW(field.Handle(), WM_CHAR, L'\r', 1);
  EXPECT_EQ(field.Text(), "1-+.2");

  // Control characters pass: Backspace deletes.
  SendMessageW(field.Handle(), EM_SETSEL, 5, 5);
  SendMessageW(field.Handle(), WM_CHAR, L'\b', 1);
  EXPECT_EQ(field.Text(), "1-+.");

  // Pasting is not filtered.
  ASSERT_TRUE(OpenClipboard(host.Handle()));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 8);
  memcpy(GlobalLock(data), "ab7", 4);
  GlobalUnlock(data);
  SetClipboardData(CF_TEXT, data);
  CloseClipboard();
  SendMessageW(field.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(field.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(field.Text(), "ab7");
  EXPECT_EQ(field.Value(), 0);
}

TEST_F(ControlsTest, IntegerFieldAcceptsExactlyTheFilteredSet) {
  EXPECT_TRUE(IntegerField::Accepts(L'0'));
  EXPECT_TRUE(IntegerField::Accepts(L'9'));
  EXPECT_TRUE(IntegerField::Accepts(L'\x16'));  // Ctrl+V
  EXPECT_FALSE(IntegerField::Accepts(L'\r'));
  EXPECT_FALSE(IntegerField::Accepts(L' '));
  EXPECT_FALSE(IntegerField::Accepts(L'$'));
  EXPECT_FALSE(IntegerField::Accepts(L'e'));
}

// The step buttons: a click steps on release; a held button repeats after 400 ms; a release
// away from the button adds nothing.
TEST_F(ControlsTest, SpinButtonsStepOnReleaseAndRepeatWhileHeld) {
  IntegerField field;
  ASSERT_TRUE(field.Create(host.Handle(), 10, {8, 8, 97, 24}));
  HWND buttons = field.Buttons().Handle();
  RECT client{};
  GetClientRect(buttons, &client);
  const LPARAM upper = MAKELPARAM(client.right / 2, client.bottom / 4);
  const LPARAM lower = MAKELPARAM(client.right / 2, client.bottom * 3 / 4);
  const LPARAM outside = MAKELPARAM(client.right / 2, client.bottom + 30);

  SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  EXPECT_EQ(field.Value(), 0) << "nothing happens on the press";
  SendMessageW(buttons, WM_LBUTTONUP, 0, upper);
  EXPECT_EQ(field.Value(), 1);
  SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, lower);
  SendMessageW(buttons, WM_LBUTTONUP, 0, lower);
  EXPECT_EQ(field.Value(), 0);

  // Held: no step before the first repeat; then steps while held. The pointer stays on the
  // button, as the system reports it.
  field.SetValue(0);
  POINT on_button{client.right / 2, client.bottom / 4};
  ClientToScreen(buttons, &on_button);
  SetCursorPos(on_button.x, on_button.y);
  PumpMessages();
  const DWORD pressed = GetTickCount();
  SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  while (field.Value() == 0 && GetTickCount() - pressed < 3000) PumpMessagesFor(5);
  const DWORD first_repeat = GetTickCount() - pressed;
  EXPECT_EQ(field.Value(), 1);
  EXPECT_GE(first_repeat, 390u);
  while (field.Value() < 3 && GetTickCount() - pressed < 5000) PumpMessagesFor(5);
  EXPECT_GE(field.Value(), 3) << "repeats while held";
  // Leaving the button stops the repeats, and a release away from it adds no step.
  SendMessageW(buttons, WM_MOUSEMOVE, MK_LBUTTON, outside);
  const std::int32_t held = field.Value();
  PumpMessagesFor(350);
  EXPECT_EQ(field.Value(), held);
  SendMessageW(buttons, WM_LBUTTONUP, 0, outside);
  EXPECT_EQ(field.Value(), held);
  EXPECT_NE(GetCapture(), buttons);
}

TEST_F(ControlsTest, SliderClampsAssignmentsAndRaisesOnlyForTheUser) {
  Slider slider;
  ASSERT_TRUE(slider.Create(host.Handle(), 10, {8, 8, 401, 30}));
  int changes = 0;
  slider.OnChange = [&] { ++changes; };

  slider.SetPosition(150);
  EXPECT_EQ(slider.Position(), 100);
  slider.SetPosition(-3);
  EXPECT_EQ(slider.Position(), 0);
  slider.SetPosition(40);
  EXPECT_EQ(slider.Position(), 40);
  EXPECT_EQ(changes, 0) << "assignment raises nothing";

  slider.SetPosition(0);
  PressKey(slider.Handle(), VK_NEXT);
  EXPECT_EQ(slider.Position(), 2) << "Page Down moves 2";
  EXPECT_GT(changes, 0);
  PressKey(slider.Handle(), VK_RIGHT);
  EXPECT_EQ(slider.Position(), 3) << "an arrow moves 1";
  PressKey(slider.Handle(), VK_END);
  EXPECT_EQ(slider.Position(), 100);
  PressKey(slider.Handle(), VK_HOME);
  EXPECT_EQ(slider.Position(), 0);
  EXPECT_EQ(SendMessageW(slider.Handle(), TBM_GETNUMTICS, 0, 0), 21) << "a tick every 5, both ends included";
}

TEST_F(ControlsTest, RadioPairChecksOneAndUncheckingLeavesThePartner) {
  RadioButton wmv7;
  RadioButton wmv8;
  ASSERT_TRUE(wmv7.Create(host.Handle(), 10, {8, 8, 100, 17}, "WMV7", true));
  ASSERT_TRUE(wmv8.Create(host.Handle(), 11, {120, 8, 100, 17}, "WMV8", false));
  wmv7.SetPartner(&wmv8);
  wmv8.SetPartner(&wmv7);
  auto tab_stop = [](const RadioButton& r) { return (GetWindowLongPtrW(r.Handle(), GWL_STYLE) & WS_TABSTOP) != 0; };

  struct Step {
    RadioButton* target;
    bool checked;  // assignment, or a click when `click` is set
    bool click;
    bool expect7;
    bool expect8;
  } steps[] = {
      {&wmv8, true, false, false, true},
      {&wmv7, true, false, true, false},   // checking one unchecks the other
      {&wmv8, false, false, true, false},  // unchecking leaves the partner
      {&wmv7, false, false, false, false}, // so both may end unchecked
      {&wmv8, true, true, false, true},    // a click checks
      {&wmv8, true, true, false, true},    // clicking the checked one changes nothing
      {&wmv7, true, true, true, false},
  };
  for (const Step& s : steps) {
    if (s.click) SendMessageW(s.target->Handle(), BM_CLICK, 0, 0);
    else s.target->SetChecked(s.checked);
    PumpMessages();
    EXPECT_EQ(wmv7.Checked(), s.expect7);
    EXPECT_EQ(wmv8.Checked(), s.expect8);
    EXPECT_EQ(tab_stop(wmv7), s.expect7) << "only a checked button is a tab stop";
    EXPECT_EQ(tab_stop(wmv8), s.expect8);
  }
}

TEST_F(ControlsTest, CheckBoxKeepsItsStateByAssignmentAndToggles) {
  CheckBox box;
  ASSERT_TRUE(box.Create(host.Handle(), 10, {8, 8, 100, 17}, "幅"));
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "two states only";
}

TEST_F(ControlsTest, ListBoxSelectsBringsIntoViewAndOutOfRangeSelectsNone) {
  ListBox list;
  ASSERT_TRUE(list.Create(host.Handle(), 10, {8, 8, 300, 25}));
  for (int i = 0; i < 33; ++i) list.AddLine("line " + std::to_string(i));
  list.SetLineHeight(15);
  RECT window{};
  GetWindowRect(list.Handle(), &window);
  EXPECT_EQ(window.bottom - window.top, 25) << "keeps its height";
  EXPECT_EQ(list.Index(), -1);
  list.SetIndex(8);
  EXPECT_EQ(list.Index(), 8);
  EXPECT_EQ(SendMessageW(list.Handle(), LB_GETTOPINDEX, 0, 0), 8) << "the selected line shows";
  list.SetIndex(40);
  EXPECT_EQ(list.Index(), -1);
  list.SetIndex(3);
  list.SetIndex(-1);
  EXPECT_EQ(list.Index(), -1);
}

TEST_F(ControlsTest, TabStripRaisesChangeForTheUserOnly) {
  TabStrip tabs;
  ASSERT_TRUE(tabs.Create(host.Handle(), 10, {8, 8, 300, 200}, {"一般", "詳細(1)", "詳細(2)"}));
  int changes = 0;
  tabs.OnChange = [&] { ++changes; };
  EXPECT_EQ(tabs.Count(), 3);
  EXPECT_EQ(tabs.Index(), 0);
  tabs.SetIndex(2);
  EXPECT_EQ(changes, 0);
  tabs.SetIndex(0);
  PressKey(tabs.Handle(), VK_RIGHT);
  EXPECT_EQ(tabs.Index(), 1);
  EXPECT_EQ(changes, 1);
  PressKey(tabs.Handle(), VK_LEFT);
  EXPECT_EQ(tabs.Index(), 0);
  EXPECT_EQ(changes, 2);
  PressKey(tabs.Handle(), VK_LEFT);
  EXPECT_EQ(changes, 2) << "no change at the first tab";
}

TEST_F(ControlsTest, LabelSizesItselfToItsTextKeepingItsLeftEdge) {
  Label label;
  ASSERT_TRUE(label.Create(host.Handle(), 10, {50, 20, 3, 15}, ""));
  SendMessageW(label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  label.SetText("100");
  const Bounds wide = label.GetBounds();
  label.SetText("7");
  const Bounds narrow = label.GetBounds();
  EXPECT_EQ(wide.left, 50);
  EXPECT_EQ(narrow.left, 50);
  EXPECT_EQ(wide.top, 20);
  EXPECT_GT(wide.width, narrow.width);
  HDC dc = GetDC(label.Handle());
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"100", 3, &extent);
  ReleaseDC(label.Handle(), dc);
  EXPECT_EQ(wide.width, extent.cx);
}

TEST_F(ControlsTest, ButtonClicksOnEnterAndSpaceWhenFocused) {
  Button button;
  ASSERT_TRUE(button.Create(host.Handle(), 10, {8, 8, 75, 25}, "About"));
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  PressKey(button.Handle(), VK_RETURN);
  EXPECT_EQ(clicks, 1);
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  button.SetEnabled(false);
  PressKey(button.Handle(), VK_RETURN);
  EXPECT_EQ(clicks, 2) << "a disabled button takes no input";
}

}  // namespace
}  // namespace tavrolex
