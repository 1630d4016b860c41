#include "ui/form_tavrolex.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/app_dir_win.h"
#include "app/command_line.h"
#include "app/module_path_win.h"
#include "app/system_proc_win.h"
#include "controls/info_box.h"
#include "controls/text.h"
#include "encoder/encoder_win.h"
#include "options/fields.h"
#include "options/integer_text.h"
#include "options/parameters.h"
#include "settings/settings_file_win.h"
#include "settings/settings_format.h"
#include "ui/scale.h"

namespace tavrolex {

TFormTavrolex* FormTavrolex = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TFormTavrolex";
constexpr char kCaption[] = "Tavrolex with 日本語 - by the Tavrolex developers";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// WS_EX_ACCEPTFILES is all that DragAcceptFiles(window, TRUE) would set: given at creation it
// has the same effect without loading the shell library at start-up.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

constexpr char kMissingEncoder[] = "Put this application into the same directory of wm8eutil.exe.";
constexpr char kAbout[] =
    "Title: Tavrolex\r"
    "Version: 0.1.1\r"
    "Copyright (C) 2026 The Tavrolex developers\r"
    "Contact: tavrolex@example.org";

}  // namespace

TFormTavrolex::TFormTavrolex() = default;

TFormTavrolex::~TFormTavrolex() {
  Destroy();
  if (FormTavrolex == this) FormTavrolex = nullptr;
  if (font_.font) DeleteObject(font_.font);
}

bool TFormTavrolex::Create(HWND owner, std::string command_line) {
  FormTavrolex = this;
  command_line_ = std::move(command_line);
  font_ = CreateWindowFont();
  if (!BuildWindow(owner) || !BuildControls()) return false;
  FillLists();
  RadioButton_WMV7.SetPartner(&RadioButton_WMV8);
  RadioButton_WMV8.SetPartner(&RadioButton_WMV7);
  RadioButton_WMV7.SetChecked(false);
  RadioButton_WMV8.SetChecked(true);
  BindEvents();
  FormCreate();
  return true;
}

bool TFormTavrolex::BuildWindow(HWND owner) {
  RegisterOwnClass(kClassName, GetSysColorBrush(COLOR_BTNFACE));
  const int client_width = ScaleEdge(kClientWidth, font_.text_height);
  const int client_height = ScaleEdge(kClientHeight, font_.text_height);
  RECT outer{0, 0, client_width, client_height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  if (!CreateOwn(kClassName, kExStyle, kStyle, Utf8ToWide(kCaption).c_str(), owner, 0,
                 {0, 0, outer.right - outer.left, outer.bottom - outer.top}))
    return false;
  // Make the client area exact whatever the frame metrics, then centre the outer frame.
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT window{};
  GetWindowRect(Handle(), &window);
  const int width = (window.right - window.left) + client_width - client.right;
  const int height = (window.bottom - window.top) + client_height - client.bottom;
  const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.font), FALSE);
  return true;
}

void TFormTavrolex::FillLists() {
  const int line_height = font_.text_height;
  for (std::string_view line : ProfileLines()) ListBox_profile.AddLine(line);
  for (std::string_view line : AudioLines()) ListBox_a_setting.AddLine(line);
  for (std::string_view line : PreprocLines()) ListBox_v_preproc.AddLine(line);
  for (std::string_view line : ModeLines()) ListBox_v_mode.AddLine(line);
  for (ListBox* list : {&ListBox_profile, &ListBox_a_setting, &ListBox_v_preproc, &ListBox_v_mode})
    list->SetLineHeight(line_height);
}

void TFormTavrolex::BindEvents() {
  TabControlOption.OnChange = [this] { TabControlOptionChange(); };
  Edit_input.OnChange = [this] { Edit_inputChange(); };
  Edit_output.OnChange = [this] { Edit_outputChange(); };
  Button_input.OnClick = [this] { Button_inputClick(); };
  Button_output.OnClick = [this] { Button_outputClick(); };
  TrackBar_v_quality.OnChange = [this] { TrackBar_v_qualityChange(); };
  ButtonEncode.OnClick = [this] { ButtonEncodeClick(); };
  ButtonCheck.OnClick = [this] { ButtonCheckClick(); };
  ButtonAbout.OnClick = [this] { ButtonAboutClick(); };
  ButtonQuit.OnClick = [this] { ButtonQuitClick(); };
}

std::string TFormTavrolex::SettingsPath() const { return AppDir() + "\\TAVROLEX.INI"; }

LRESULT TFormTavrolex::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // Closing runs the quit sequence, hides the window and asks the loop to end.
      FormClose();
      ShowWindow(Handle(), SW_HIDE);
      PostQuitMessage(0);
      return 0;
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_ACTIVATE:
      // Keep the focus where it was when the window is left and come back to it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) saved_focus_ = focus;
      } else {
        HWND target = saved_focus_;
        if (!target || !IsWindow(target) || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
            !IsWindowEnabled(target))
          target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (target) SetFocus(target);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) EndSession();
      return 0;
    default:
      return Container::HandleMessage(message, wparam, lparam);
  }
}

void TFormTavrolex::FormCreate() {
  const std::string& app_dir = AppDir();
  if (!EncoderPresent(app_dir)) {
    refused_ = true;
    InfoBox(kMissingEncoder);
    PostQuitMessage(0);
  }
  ListBox_a_setting.SetIndex(8);
  ListBox_profile.SetIndex(0);
  ListBox_v_mode.SetIndex(0);
  ListBox_v_preproc.SetIndex(0);
  TrackBar_v_qualityChange();
  LoadSettings();
  const std::string argument = CommandLineArgument(command_line_, 1);
  if (!argument.empty()) Edit_input.SetText(argument);
}

void TFormTavrolex::FormClose() { ButtonQuitClick(); }

void TFormTavrolex::ButtonQuitClick() {
  SaveSettings();
  PostQuitMessage(0);
}

void TFormTavrolex::EndSession() {
  // The session ends: keep the user's settings, then leave at once.
  SaveSettings();
  PostQuitMessage(0);
}

void TFormTavrolex::LoadSettings() {
  try {
    const std::optional<std::string> bytes = ReadSettingsFile(SettingsPath());
    if (!bytes) return;
    if (ApplySettings(*bytes, *this).complete) TrackBar_v_qualityChange();
  } catch (...) {
    // A settings file that cannot be read leaves the controls as they are, without a word.
  }
}

void TFormTavrolex::SaveSettings() {
  // Never on a refused start, and once per run whichever road leads to the end.
  if (refused_ || settings_saved_) return;
  settings_saved_ = true;
  try {
    WriteSettingsFile(SettingsPath(), RenderSettings(*this));
  } catch (...) {
    // Failing to write changes nothing on screen; the program still ends.
  }
}

std::string TFormTavrolex::BuildParameters() const { return RenderParameters(*this, &SystemLeadByte); }

void TFormTavrolex::TabControlOptionChange() {
  Panel* const order[3][3] = {
      {&PanelGeneral, &PanelDetail1, &PanelDetail2},
      {&PanelDetail1, &PanelDetail2, &PanelGeneral},
      {&PanelDetail2, &PanelGeneral, &PanelDetail1},
  };
  const int index = TabControlOption.Index();
  if (index < 0 || index > 2) return;
  order[index][0]->SetVisible(true);  // the new page first, so nothing flashes through
  order[index][1]->SetVisible(false);
  order[index][2]->SetVisible(false);
}

void TFormTavrolex::Edit_inputChange() { UpdateButtons(); }

void TFormTavrolex::Edit_outputChange() { UpdateButtons(); }

void TFormTavrolex::UpdateButtons() {
  const bool filled = !Edit_input.Text().empty() && !Edit_output.Text().empty();
  ButtonEncode.SetEnabled(filled);
  ButtonCheck.SetEnabled(filled);
}

void TFormTavrolex::Button_inputClick() {
  if (DialogOpen.Execute(Handle())) Edit_input.SetText(DialogOpen.FileName());
}

void TFormTavrolex::Button_outputClick() {
  if (DialogSave.Execute(Handle())) Edit_output.SetText(DialogSave.FileName());
}

void TFormTavrolex::TrackBar_v_qualityChange() { Label_v_quality.SetText(FormatInteger(TrackBar_v_quality.Position())); }

void TFormTavrolex::ButtonEncodeClick() {
  const std::string failure = LaunchEncoder(Handle(), AppDir(), BuildParameters());
  if (!failure.empty()) InfoBox(failure);
}

void TFormTavrolex::ButtonCheckClick() {
  const std::string parameters = BuildParameters();
  EditParameters.SetText("WM8EUTIL " + parameters);
  InfoBox("Parameters\r\r" + parameters);
}

void TFormTavrolex::ButtonAboutClick() { InfoBox(kAbout); }

void TFormTavrolex::WMDropFiles(HDROP drop) {
  static const auto query = SystemFunction<decltype(DragQueryFileA)>(L"shell32.dll", "DragQueryFileA");
  static const auto finish = SystemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
  if (!query || !finish) return;
  std::string name;
  try {
    const UINT length = query(drop, 0, nullptr, 0);
    name.assign(static_cast<std::size_t>(length) + 1, '\0');
    query(drop, 0, name.data(), length + 1);
    name.resize(std::strlen(name.c_str()));
  } catch (...) {
    finish(drop);
    throw;
  }
  finish(drop);
  Edit_input.SetText(name);
}

}  // namespace tavrolex
