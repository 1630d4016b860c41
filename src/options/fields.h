// The controls that carry option values, in the order the settings file stores them,
// and the options that the parameter string renders from them. This is the one place
// that declares that order: the settings reader, the settings writer and the parameter
// builder all walk these tables.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrolex {

enum class Field : int {
  Edit_input,
  Edit_output,
  CheckBox_outputstring,
  Edit_outputstring,
  CheckBox_time,
  SpinEdit_start_time,
  SpinEdit_end_time,
  CheckBox_profile,
  ListBox_profile,
  CheckBox_a_setting,
  ListBox_a_setting,
  CheckBox_v_codec,
  RadioButton_WMV7,
  RadioButton_WMV8,
  CheckBox_v_width,
  SpinEdit_v_width,
  CheckBox_v_height,
  SpinEdit_v_height,
  CheckBox_v_framerate,
  Edit_v_framerate,
  CheckBox_v_keydist,
  SpinEdit_v_keydist,
  CheckBox_v_preproc,
  ListBox_v_preproc,
  CheckBox_v_clip,
  SpinEdit_v_clip_left,
  SpinEdit_v_clip_top,
  SpinEdit_v_clip_right,
  SpinEdit_v_clip_bottom,
  CheckBox_v_mode,
  ListBox_v_mode,
  CheckBox_v_bitrate,
  SpinEdit_v_bitrate,
  CheckBox_v_buffer,
  SpinEdit_v_buffer,
  CheckBox_v_quality,
  TrackBar_v_quality,
};

inline constexpr std::size_t kFieldCount = 37;

// How a control holds its value.
enum class ValueKind {
  Text,     // edit box text, 8-bit system code page
  Flag,     // check box or radio button checked state
  Integer,  // integer field: text read through ParseInteger (0 when it does not parse)
  Choice,   // list box selected index, -1 for none
  Slider,   // slider position, clamped to 0..100
};

ValueKind KindOf(Field field);
std::string_view NameOf(Field field);  // the control's name, e.g. "SpinEdit_v_width"

// How an option's value controls become text after its switch.
enum class Rendering {
  QuotedText,   // the text between quotation marks
  PlainText,    // the text as it stands
  Numbers,      // each value control's number, one blank between them
  ProfileCode,  // code of the selected ListBox_profile line, none for an index outside the table
  AudioCode,    // code of the selected ListBox_a_setting line, likewise
  Codec,        // WMV7 when RadioButton_WMV7 is checked, otherwise WMV8
};

inline constexpr Field kAlwaysOn = static_cast<Field>(-1);

struct OptionRow {
  std::string_view switch_name;  // without the leading "-"
  Field enabled_by;              // its check box, or kAlwaysOn
  Field first_value;             // value controls follow in field order
  int value_count;
  Rendering rendering;
};

// The seventeen options in rendering order.
const std::array<OptionRow, 17>& Options();

// The codes written after -profile (19) and -a_setting (33), and the lines the lists show.
const std::array<std::string_view, 19>& ProfileCodes();
const std::array<std::string_view, 33>& AudioCodes();
// List lines as UTF-8 text (some hold Japanese); index by list.
const std::array<std::string_view, 19>& ProfileLines();
const std::array<std::string_view, 33>& AudioLines();
const std::array<std::string_view, 6>& PreprocLines();
const std::array<std::string_view, 4>& ModeLines();

}  // namespace tavrolex
