// The main window: the controls that hold the option set, laid out from one table, and
// the handlers of the user's actions.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "controls/button.h"
#include "controls/check_box.h"
#include "controls/container.h"
#include "controls/edit_box.h"
#include "controls/file_dialog.h"
#include "controls/group_box.h"
#include "controls/integer_field.h"
#include "controls/label.h"
#include "controls/list_box.h"
#include "controls/panel.h"
#include "controls/radio_button.h"
#include "controls/slider.h"
#include "controls/tab_strip.h"
#include "options/option_access.h"
#include "ui/window_font.h"

namespace tavrolex {

class TFormTavrolex : public Container, public OptionAccess {
 public:
  static constexpr int kClientWidth = 465;
  static constexpr int kClientHeight = 361;

  TFormTavrolex();
  ~TFormTavrolex() override;

  // Builds the window hidden, owned by `owner`, and runs FormCreate before returning.
  // Argument 1 of `command_line` is the source path to start with.
  bool Create(HWND owner, std::string command_line);

  // The option set over the controls.
  std::string ReadText(Field field) const override;
  void WriteText(Field field, const std::string& text) override;
  bool ReadFlag(Field field) const override;
  void WriteFlag(Field field, bool checked) override;
  std::int32_t ReadNumber(Field field) const override;
  void WriteNumber(Field field, std::int32_t value) override;

  // Handlers.
  void FormCreate();
  void FormClose();
  void TabControlOptionChange();
  void Edit_inputChange();
  void Edit_outputChange();
  void Button_inputClick();
  void Button_outputClick();
  void TrackBar_v_qualityChange();
  void ButtonEncodeClick();
  void ButtonCheckClick();
  void ButtonAboutClick();
  void ButtonQuitClick();
  void WMDropFiles(HDROP drop);

  // True when start-up found no encoding utility; the settings file is then never written.
  bool Refused() const { return refused_; }
  // The height of "0" in the window's font, from which the layout is scaled.
  int TextHeight() const { return font_.text_height; }
  const std::wstring& FontFace() const { return font_.face; }
  std::string SettingsPath() const;

  // The controls, named as the window's definition names them.
  TabStrip TabControlOption;
  Panel PanelGeneral;
  Panel PanelDetail1;
  Panel PanelDetail2;
  Button ButtonEncode;
  Button ButtonCheck;
  Button ButtonAbout;
  Button ButtonQuit;

  GroupBox GroupBox_input;
  EditBox Edit_input;
  Button Button_input;
  GroupBox GroupBox_output;
  EditBox Edit_output;
  Button Button_output;
  CheckBox CheckBox_outputstring;
  EditBox Edit_outputstring;
  GroupBox GroupBox_time;
  CheckBox CheckBox_time;
  Label Label_start_time;
  IntegerField SpinEdit_start_time;
  Label Label_end_time;
  IntegerField SpinEdit_end_time;
  GroupBox GroupBox_profile;
  CheckBox CheckBox_profile;
  ListBox ListBox_profile;

  GroupBox GroupBox_a_setting;
  CheckBox CheckBox_a_setting;
  ListBox ListBox_a_setting;
  GroupBox GroupBox_v_codec;
  CheckBox CheckBox_v_codec;
  RadioButton RadioButton_WMV7;
  RadioButton RadioButton_WMV8;
  GroupBox GroupBox_v_frame_size;
  CheckBox CheckBox_v_width;
  IntegerField SpinEdit_v_width;
  CheckBox CheckBox_v_height;
  IntegerField SpinEdit_v_height;
  GroupBox GroupBox_v_framerate;
  CheckBox CheckBox_v_framerate;
  EditBox Edit_v_framerate;
  Label Label_v_framerate;
  GroupBox GroupBox_v_keydist;
  CheckBox CheckBox_v_keydist;
  IntegerField SpinEdit_v_keydist;
  Label Label_v_keydist;
  GroupBox GroupBox_v_preproc;
  CheckBox CheckBox_v_preproc;
  ListBox ListBox_v_preproc;

  GroupBox GroupBox_v_clip;
  CheckBox CheckBox_v_clip;
  Label Label_v_clip_left;
  IntegerField SpinEdit_v_clip_left;
  Label Label_v_clip_top;
  IntegerField SpinEdit_v_clip_top;
  Label Label_v_clip_right;
  IntegerField SpinEdit_v_clip_right;
  Label Label_v_clip_bottom;
  IntegerField SpinEdit_v_clip_bottom;
  GroupBox GroupBox_v_mode;
  CheckBox CheckBox_v_mode;
  ListBox ListBox_v_mode;
  GroupBox GroupBox_v_bitrate;
  CheckBox CheckBox_v_bitrate;
  IntegerField SpinEdit_v_bitrate;
  Label Label_v_bitrate;
  GroupBox GroupBox_v_buffer;
  CheckBox CheckBox_v_buffer;
  IntegerField SpinEdit_v_buffer;
  Label Label_v_buffer;
  GroupBox GroupBox_v_quality;
  CheckBox CheckBox_v_quality;
  Label Label_v_quality;
  Slider TrackBar_v_quality;
  EditBox EditParameters;

  FileDialog DialogOpen{FileDialog::Kind::Open};
  FileDialog DialogSave{FileDialog::Kind::Save};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool BuildWindow(HWND owner);
  bool BuildControls();
  void FillLists();
  void BindEvents();
  void UpdateButtons();
  void LoadSettings();
  void SaveSettings();
  std::string BuildParameters() const;
  void EndSession();

  WindowFont font_;
  std::string command_line_;
  HWND saved_focus_ = nullptr;
  bool refused_ = false;
  bool settings_saved_ = false;
};

// The one main window of the program.
extern TFormTavrolex* FormTavrolex;

}  // namespace tavrolex
