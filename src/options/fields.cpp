#include "options/fields.h"

namespace tavrolex {

namespace {

constexpr std::array<std::string_view, kFieldCount> kNames = {
    "Edit_input",
    "Edit_output",
    "CheckBox_outputstring",
    "Edit_outputstring",
    "CheckBox_time",
    "SpinEdit_start_time",
    "SpinEdit_end_time",
    "CheckBox_profile",
    "ListBox_profile",
    "CheckBox_a_setting",
    "ListBox_a_setting",
    "CheckBox_v_codec",
    "RadioButton_WMV7",
    "RadioButton_WMV8",
    "CheckBox_v_width",
    "SpinEdit_v_width",
    "CheckBox_v_height",
    "SpinEdit_v_height",
    "CheckBox_v_framerate",
    "Edit_v_framerate",
    "CheckBox_v_keydist",
    "SpinEdit_v_keydist",
    "CheckBox_v_preproc",
    "ListBox_v_preproc",
    "CheckBox_v_clip",
    "SpinEdit_v_clip_left",
    "SpinEdit_v_clip_top",
    "SpinEdit_v_clip_right",
    "SpinEdit_v_clip_bottom",
    "CheckBox_v_mode",
    "ListBox_v_mode",
    "CheckBox_v_bitrate",
    "SpinEdit_v_bitrate",
    "CheckBox_v_buffer",
    "SpinEdit_v_buffer",
    "CheckBox_v_quality",
    "TrackBar_v_quality",
};

constexpr std::array<OptionRow, 17> kOptions = {{
    {"input", kAlwaysOn, Field::Edit_input, 1, Rendering::QuotedText},
    {"output", kAlwaysOn, Field::Edit_output, 1, Rendering::QuotedText},
    {"outputstring", Field::CheckBox_outputstring, Field::Edit_outputstring, 1,
     Rendering::QuotedText},
    {"time", Field::CheckBox_time, Field::SpinEdit_start_time, 2, Rendering::Numbers},
    {"profile", Field::CheckBox_profile, Field::ListBox_profile, 1, Rendering::ProfileCode},
    {"a_setting", Field::CheckBox_a_setting, Field::ListBox_a_setting, 1,
     Rendering::AudioCode},
    {"v_codec", Field::CheckBox_v_codec, Field::RadioButton_WMV7, 2, Rendering::Codec},
    {"v_width", Field::CheckBox_v_width, Field::SpinEdit_v_width, 1, Rendering::Numbers},
    {"v_height", Field::CheckBox_v_height, Field::SpinEdit_v_height, 1, Rendering::Numbers},
    {"v_framerate", Field::CheckBox_v_framerate, Field::Edit_v_framerate, 1,
     Rendering::PlainText},
    {"v_keydist", Field::CheckBox_v_keydist, Field::SpinEdit_v_keydist, 1,
     Rendering::Numbers},
    {"v_preproc", Field::CheckBox_v_preproc, Field::ListBox_v_preproc, 1,
     Rendering::Numbers},
    {"v_clip", Field::CheckBox_v_clip, Field::SpinEdit_v_clip_left, 4, Rendering::Numbers},
    {"v_mode", Field::CheckBox_v_mode, Field::ListBox_v_mode, 1, Rendering::Numbers},
    {"v_bitrate", Field::CheckBox_v_bitrate, Field::SpinEdit_v_bitrate, 1,
     Rendering::Numbers},
    {"v_buffer", Field::CheckBox_v_buffer, Field::SpinEdit_v_buffer, 1, Rendering::Numbers},
    {"v_quality", Field::CheckBox_v_quality, Field::TrackBar_v_quality, 1,
     Rendering::Numbers},
}};

constexpr std::array<std::string_view, 19> kProfileCodes = {
    "av20",     "av32",     "av100", "av225", "av350", "av450", "av700",
    "av1400",   "av350pal", "av700pal", "a20_1", "a20_2", "a32", "a48",
    "a64",      "a96",      "a128",  "v20",   "v32",
};

constexpr std::array<std::string_view, 33> kAudioCodes = {
    "192_48_2", "160_48_2", "128_48_2", "192_44_2", "160_44_2", "128_44_2", "96_44_2",
    "80_44_2",  "64_44_2",  "48_44_2",  "32_44_2",  "32_44_1",  "48_32_2",  "40_32_2",
    "32_32_2",  "20_32_1",  "32_22_2",  "22_22_2",  "20_22_2",  "20_22_1",  "16_22_1",
    "20_16_2",  "16_16_2",  "16_16_1",  "12_16_1",  "10_16_1",  "10_11_1",  "8_11_1",
    "12_8_2",   "8_8_1",    "6_8_1",    "5_8_1",    "0",
};

constexpr std::array<std::string_view, 19> kProfileLines = {
    "Audio/Video: Modem 28K (actual rate: 20K)",
    "Audio/Video: Modem 56K (32K)",
    "Audio/Video: LAN 100K (100K)",
    "Audio/Video: LAN 256K (225K)",
    "Audio/Video: LAN DSL 384K (350K)",
    "Audio/Video: LAN DSL 768K (450K)",
    "Audio/Video: Near Broad Cast 700K (700K)",
    "Audio/Video: Near Broad Cast 1400K (1400K)",
    "Audio/Video: Broadband PAL 384K (350K)",
    "Audio/Video: Near Broad Cast PAL 700K (700K)",
    "Audio-only: FM Radio Mono 28K (20K)",
    "Audio-only: FM Radio Stereo 28K (20K)",
    "Audio-only: Modem 56KK (32K)",
    "Audio-only: Near CD Quality 48K (48K)",
    "Audio-only: CD Quality 64K (64K)",
    "Audio-only: CD Transparency 96K (96K)",
    "Audio-only: CD Audiophile Transparency 128K (128K)",
    "Video-only: Modem 28K (20K)",
    "Video-only: Modem 56K (32K)",
};

constexpr std::array<std::string_view, 33> kAudioLines = {
    "192_48_2: 192Kbps 48Khz stereo",
    "160_48_2: 160Kbps 48Khz stereo",
    "128_48_2: 128Kbps 48Khz stereo",
    "192_44_2: 192Kbps 44.1Khz stereo",
    "160_44_2: 160Kbps 44.1Khz stereo",
    "128_44_2: 128Kbps 44.1Khz stereo",
    "96_44_2: 96Kbps 44.1Khz stereo",
    "80_44_2: 80Kbps 44.1Khz stereo",
    "64_44_2: 64Kbps 44.1Khz stereo",
    "48_44_2: 48Kbps 44.1Khz stereo",
    "32_44_2: 32Kbps 44.1Khz stereo",
    "32_44_1: 32Kbps 44.1Khz mono",
    "48_32_2: 48Kbps 32Khz stereo",
    "40_32_2: 40Kbps 32Khz stereo",
    "32_32_2: 32Kbps 32Khz stereo",
    "20_32_1: 20Kbps 32Khz mono",
    "32_22_2: 32Kbps 22.05Khz stereo",
    "22_22_2: 22Kbps 22.05Khz stereo",
    "20_22_2: 20Kbps 22.05Khz stereo",
    "20_22_1: 20Kbps 22.05Khz mono",
    "16_22_1: 16Kbps 22.05Khz mono",
    "20_16_2: 20Kbps 16Khz stereo",
    "16_16_2: 16Kbps 16Khz stereo",
    "16_16_1: 16Kbps 16Khz mono",
    "12_16_1: 12Kbps 16Khz mono",
    "10_16_1: 10Kbps 16Khz mono",
    "10_11_1: 10Kbps 11.025Khz mono",
    "8_11_1: 8Kbps 11.025Khz mono",
    "12_8_2: 12Kbps 8Khz stereo",
    "8_8_1: 8Kbps 8Khz mono",
    "6_8_1: 6Kbps 8Khz mono",
    "5_8_1: 5Kbps 8Khz mono",
    "0: video-only",
};

constexpr std::array<std::string_view, 6> kPreprocLines = {
    "なし (for progressive video input).",
    "De-interlace but preserve the size.",
    "De-interlace but halve the size.",
    "De-interlace, halve the size, and double the frame rate.",
    "De-interlace, halve vertical size, and double frame rate.",
    "Inverse telecine from 30fps to 24fps.",
};

constexpr std::array<std::string_view, 4> kModeLines = {
    "1-pass CBR (ストリーミング用).",
    "2-pass CBR (ストリーミング用).",
    "1-pass VBR (ローカル再生用).",
    "2-pass VBR (ローカル再生用).",
};

}  // namespace

ValueKind KindOf(Field field) {
  switch (field) {
    case Field::Edit_input:
    case Field::Edit_output:
    case Field::Edit_outputstring:
    case Field::Edit_v_framerate:
      return ValueKind::Text;
    case Field::SpinEdit_start_time:
    case Field::SpinEdit_end_time:
    case Field::SpinEdit_v_width:
    case Field::SpinEdit_v_height:
    case Field::SpinEdit_v_keydist:
    case Field::SpinEdit_v_clip_left:
    case Field::SpinEdit_v_clip_top:
    case Field::SpinEdit_v_clip_right:
    case Field::SpinEdit_v_clip_bottom:
    case Field::SpinEdit_v_bitrate:
    case Field::SpinEdit_v_buffer:
      return ValueKind::Integer;
    case Field::ListBox_profile:
    case Field::ListBox_a_setting:
    case Field::ListBox_v_preproc:
    case Field::ListBox_v_mode:
      return ValueKind::Choice;
    case Field::TrackBar_v_quality:
      return ValueKind::Slider;
    default:
      // Every check box, and the two radio buttons.
      return ValueKind::Flag;
  }
}

std::string_view NameOf(Field field) {
  const auto index = static_cast<std::size_t>(field);
  return index < kNames.size() ? kNames[index] : std::string_view();
}

const std::array<OptionRow, 17>& Options() { return kOptions; }
const std::array<std::string_view, 19>& ProfileCodes() { return kProfileCodes; }
const std::array<std::string_view, 33>& AudioCodes() { return kAudioCodes; }
const std::array<std::string_view, 19>& ProfileLines() { return kProfileLines; }
const std::array<std::string_view, 33>& AudioLines() { return kAudioLines; }
const std::array<std::string_view, 6>& PreprocLines() { return kPreprocLines; }
const std::array<std::string_view, 4>& ModeLines() { return kModeLines; }

}  // namespace tavrolex
