#include "options.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace wm8eutil {

namespace {

// Video rate + audio rate add up to the rate the profile is named after.
const std::vector<Profile> kProfiles = {
    {"av20", 12000, "8_8_1", 160, 10},
    {"av32", 22000, "10_11_1", 160, 15},
    {"av100", 84000, "16_16_1", 240, 15},
    {"av225", 193000, "32_44_2", 320, 0},
    {"av350", 302000, "48_44_2", 320, 0},
    {"av450", 386000, "64_44_2", 320, 0},
    {"av700", 636000, "64_44_2", 640, 0},
    {"av1400", 1272000, "128_44_2", 640, 0},
    {"av350pal", 302000, "48_44_2", 384, 25},
    {"av700pal", 636000, "64_44_2", 720, 25},
    {"a20_1", 0, "20_22_1", 0, 0},
    {"a20_2", 0, "20_22_2", 0, 0},
    {"a32", 0, "32_44_2", 0, 0},
    {"a48", 0, "48_44_2", 0, 0},
    {"a64", 0, "64_44_2", 0, 0},
    {"a96", 0, "96_44_2", 0, 0},
    {"a128", 0, "128_44_2", 0, 0},
    {"v20", 20000, nullptr, 160, 10},
    {"v32", 32000, nullptr, 160, 15},
};

const std::vector<AudioSetting> kAudioSettings = {
    {"192_48_2", 192000, 48000, 2}, {"160_48_2", 160000, 48000, 2},
    {"128_48_2", 128000, 48000, 2}, {"192_44_2", 192000, 44100, 2},
    {"160_44_2", 160000, 44100, 2}, {"128_44_2", 128000, 44100, 2},
    {"96_44_2", 96000, 44100, 2},   {"80_44_2", 80000, 44100, 2},
    {"64_44_2", 64000, 44100, 2},   {"48_44_2", 48000, 44100, 2},
    {"32_44_2", 32000, 44100, 2},   {"32_44_1", 32000, 44100, 1},
    {"48_32_2", 48000, 32000, 2},   {"40_32_2", 40000, 32000, 2},
    {"32_32_2", 32000, 32000, 2},   {"20_32_1", 20000, 32000, 1},
    {"32_22_2", 32000, 22050, 2},   {"22_22_2", 22000, 22050, 2},
    {"20_22_2", 20000, 22050, 2},   {"20_22_1", 20000, 22050, 1},
    {"16_22_1", 16000, 22050, 1},   {"20_16_2", 20000, 16000, 2},
    {"16_16_2", 16000, 16000, 2},   {"16_16_1", 16000, 16000, 1},
    {"12_16_1", 12000, 16000, 1},   {"10_16_1", 10000, 16000, 1},
    {"10_11_1", 10000, 11025, 1},   {"8_11_1", 8000, 11025, 1},
    {"12_8_2", 12000, 8000, 2},     {"8_8_1", 8000, 8000, 1},
    {"6_8_1", 6000, 8000, 1},       {"5_8_1", 5000, 8000, 1},
    {"0", 0, 0, 0},
};

const char* const kSwitches[] = {
    "-input",     "-output",      "-outputstring", "-time",      "-profile",
    "-a_setting", "-v_codec",     "-v_width",      "-v_height",  "-v_framerate",
    "-v_keydist", "-v_preproc",   "-v_clip",       "-v_mode",    "-v_bitrate",
    "-v_buffer",  "-v_quality",
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

const char* SwitchName(const std::string& token) {
  for (const char* name : kSwitches) {
    if (EqualNoCase(token, name)) return name;
  }
  return nullptr;
}

std::string CodeList(bool profiles) {
  std::string list;
  if (profiles) {
    for (const Profile& p : kProfiles) list += (list.empty() ? "" : ", ") + std::string(p.code);
  } else {
    for (const AudioSetting& a : kAudioSettings) list += (list.empty() ? "" : ", ") + std::string(a.code);
  }
  return list;
}

// Plain decimal integer with an optional minus sign, within 64 bits.
bool ParseWhole(const std::string& text, std::int64_t* out) {
  std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  if (i == text.size() || text.size() - i > 18) return false;
  std::int64_t value = 0;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
    value = value * 10 + (text[j] - '0');
  }
  *out = i ? -value : value;
  return true;
}

// Digits with at most one decimal point and at least one digit, e.g. 15, 29.97, .5
bool IsDecimal(const std::string& text) {
  bool digit = false, point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParseResult Run() {
    while (result_.ok() && pos_ < args_.size()) {
      const std::string& token = args_[pos_++];
      const char* name = SwitchName(token);
      if (name == nullptr) {
        if (!token.empty() && token[0] == '-') {
          Fail(kExitBadArguments, "unknown switch \"" + token + "\"; the switches are -input, -output, "
               "-outputstring, -time, -profile, -a_setting, -v_codec, -v_width, -v_height, "
               "-v_framerate, -v_keydist, -v_preproc, -v_clip, -v_mode, -v_bitrate, -v_buffer, "
               "-v_quality");
        } else {
          Fail(kExitBadArguments, "unexpected argument \"" + token + "\": expected a switch such as "
               "-input (a value with blanks must be in quotation marks)");
        }
        break;
      }
      for (const std::string& seen : seen_) {
        if (seen == name) {
          Fail(kExitBadArguments, std::string(name) + " is given twice; expected each switch at most once");
        }
      }
      if (!result_.ok()) break;
      seen_.emplace_back(name);
      Switch(name);
    }
    if (result_.ok() && !result_.options.input) {
      Fail(kExitInputMissing, "-input is missing; expected -input followed by the source file or folder");
    } else if (result_.ok() && !result_.options.output) {
      Fail(kExitBadArguments, "-output is missing; expected -output followed by the destination file or folder");
    }
    return result_;
  }

 private:
  void Fail(int code, const std::string& message) {
    if (result_.ok()) {
      result_.exit_code = code;
      result_.error = message;
    }
  }

  // The next token as the value of `name`; fails when there is none or it is the next switch.
  bool Value(const char* name, const std::string& expected, std::string* out) {
    if (pos_ >= args_.size() || SwitchName(args_[pos_]) != nullptr) {
      Fail(kExitBadArguments, std::string(name) + ": value missing; expected " + expected);
      return false;
    }
    *out = args_[pos_++];
    return true;
  }

  void Wrong(const char* name, const std::string& value, const std::string& expected) {
    Fail(kExitBadArguments, std::string(name) + ": \"" + value + "\" is not valid; expected " + expected);
  }

  bool Whole(const char* name, std::int64_t min, std::int64_t max, const std::string& expected,
             std::int64_t* out) {
    std::string text;
    if (!Value(name, expected, &text)) return false;
    if (!ParseWhole(text, out) || *out < min || *out > max) {
      Wrong(name, text, expected);
      return false;
    }
    return true;
  }

  bool Int(const char* name, int min, int max, const std::string& expected, std::optional<int>* out) {
    std::int64_t v = 0;
    if (!Whole(name, min, max, expected, &v)) return false;
    *out = static_cast<int>(v);
    return true;
  }

  void Path(const char* name, std::optional<std::string>* out, const char* what) {
    std::string text;
    if (Value(name, what, &text)) *out = text;
  }

  void Switch(const std::string& name) {
    Options& o = result_.options;
    const int kMaxInt = std::numeric_limits<int>::max();
    const char* n = name.c_str();
    std::string text;
    if (name == "-input") {
      Path(n, &o.input, "the source file or folder");
      if (o.input && o.input->empty()) {
        Fail(kExitInputMissing, "-input: the path is empty; expected the source file or folder");
      }
    } else if (name == "-output") {
      Path(n, &o.output, "the destination file or folder");
      if (o.output && o.output->empty()) {
        Fail(kExitBadArguments, "-output: the path is empty; expected the destination file or folder");
      }
    } else if (name == "-outputstring") {
      Path(n, &o.outputstring, "the common output file name");
    } else if (name == "-time") {
      const std::string expected = "start and end in milliseconds (0 or more; end 0 means to the end)";
      std::int64_t start = 0, end = 0;
      if (!Whole(n, 0, kMaxInt, expected, &start) || !Whole(n, 0, kMaxInt, expected, &end)) return;
      if (end != 0 && end <= start) {
        Fail(kExitBadArguments, "-time: end " + std::to_string(end) + " is not after start " +
             std::to_string(start) + "; expected an end later than the start, or 0 for the end of the source");
        return;
      }
      o.start_ms = start;
      o.end_ms = end;
    } else if (name == "-profile") {
      const std::string expected = "a profile code: " + CodeList(true);
      if (!Value(n, expected, &text)) return;
      o.profile = FindProfile(text);
      if (o.profile == nullptr) Wrong(n, text, expected);
    } else if (name == "-a_setting") {
      const std::string expected = "an audio code: " + CodeList(false);
      if (!Value(n, expected, &text)) return;
      o.audio = FindAudioSetting(text);
      if (o.audio == nullptr) Wrong(n, text, expected);
    } else if (name == "-v_codec") {
      if (!Value(n, "WMV7 or WMV8", &text)) return;
      if (EqualNoCase(text, "WMV7")) {
        o.wmv7 = true;
      } else if (EqualNoCase(text, "WMV8")) {
        o.wmv7 = false;
      } else {
        Wrong(n, text, "WMV7 or WMV8");
      }
    } else if (name == "-v_width") {
      Int(n, 0, 8192, "a width in pixels from 0 to 8192 (0 keeps the source's)", &o.width);
    } else if (name == "-v_height") {
      Int(n, 0, 8192, "a height in pixels from 0 to 8192 (0 keeps the source's)", &o.height);
    } else if (name == "-v_framerate") {
      const std::string expected = "frames per second as a decimal number above 0 and up to 240, e.g. 29.97";
      if (!Value(n, expected, &text)) return;
      if (!IsDecimal(text) || FrameRateValue(text) <= 0.0 || FrameRateValue(text) > 240.0) {
        Wrong(n, text, expected);
        return;
      }
      o.framerate = text;
    } else if (name == "-v_keydist") {
      Int(n, 0, 3600, "seconds between key frames from 0 to 3600 (0 chooses)", &o.keydist_s);
    } else if (name == "-v_preproc") {
      Int(n, 0, 5, "a preprocessing number from 0 to 5", &o.preproc);
    } else if (name == "-v_clip") {
      const char* sides[] = {"left", "top", "right", "bottom"};
      for (int i = 0; i < 4; ++i) {
        const std::string expected = std::string("four clip sizes in pixels (left top right bottom), each 0 to 8192; the ") +
                                     sides[i] + " is wrong";
        if (!Int(n, 0, 8192, expected, &o.clip[i])) return;
      }
      o.has_clip = true;
    } else if (name == "-v_mode") {
      Int(n, 0, 3, "a mode from 0 to 3 (0 1-pass CBR, 1 2-pass CBR, 2 1-pass VBR, 3 2-pass VBR)", &o.mode);
    } else if (name == "-v_bitrate") {
      Int(n, 0, 100000000, "a video bit rate in bits per second from 0 to 100000000 (0 chooses)", &o.bitrate_bps);
    } else if (name == "-v_buffer") {
      Int(n, 0, 600000, "a buffer length in milliseconds from 0 to 600000 (0 chooses)", &o.buffer_ms);
    } else if (name == "-v_quality") {
      Int(n, 0, 100, "a quality from 0 (worst) to 100 (best)", &o.quality);
    }
  }

  const std::vector<std::string>& args_;
  std::size_t pos_ = 0;
  std::vector<std::string> seen_;
  ParseResult result_;
};

}  // namespace

const std::vector<Profile>& Profiles() { return kProfiles; }
const std::vector<AudioSetting>& AudioSettings() { return kAudioSettings; }

const Profile* FindProfile(const std::string& code) {
  for (const Profile& p : kProfiles) {
    if (EqualNoCase(code, p.code)) return &p;
  }
  return nullptr;
}

const AudioSetting* FindAudioSetting(const std::string& code) {
  for (const AudioSetting& a : kAudioSettings) {
    if (EqualNoCase(code, a.code)) return &a;
  }
  return nullptr;
}

ParseResult ParseArguments(const std::vector<std::string>& args) { return Parser(args).Run(); }

double FrameRateValue(const std::string& text) {
  // strtod would honour the C locale's decimal point; the text is plain ASCII digits and '.'.
  double whole = 0.0, scale = 1.0;
  bool fraction = false;
  for (char c : text) {
    if (c == '.') {
      fraction = true;
    } else if (c >= '0' && c <= '9') {
      if (fraction) {
        scale /= 10.0;
        whole += (c - '0') * scale;
      } else {
        whole = whole * 10.0 + (c - '0');
      }
    }
  }
  return whole;
}

const char* UsageText() {
  return "Usage: WM8EUTIL -input <file or folder> -output <file or folder> [switches]\n"
         "  -outputstring <name>      common output name when encoding a folder\n"
         "  -time <start> <end>       span in milliseconds (end 0: to the end)\n"
         "  -profile <code>           av20 av32 av100 av225 av350 av450 av700 av1400 av350pal\n"
         "                            av700pal a20_1 a20_2 a32 a48 a64 a96 a128 v20 v32\n"
         "  -a_setting <code>         audio kbit/s_kHz_channels, e.g. 64_44_2; 0: no audio\n"
         "  -v_codec WMV7|WMV8        video codec (default WMV8)\n"
         "  -v_width <n> -v_height <n>  frame size in pixels (0: the source's)\n"
         "  -v_framerate <x>          frames per second, e.g. 29.97\n"
         "  -v_keydist <s>            seconds between key frames\n"
         "  -v_preproc <0..5>         0 none, 1 de-interlace, 2 de-interlace + half size,\n"
         "                            3 de-interlace + half size + double rate,\n"
         "                            4 fields as frames (half height, double rate), 5 inverse telecine\n"
         "  -v_clip <l> <t> <r> <b>   pixels cut from each side\n"
         "  -v_mode <0..3>            0 1-pass CBR, 1 2-pass CBR, 2 1-pass VBR, 3 2-pass VBR\n"
         "  -v_bitrate <bits/s>       video bit rate\n"
         "  -v_buffer <ms>            buffer length at the video bit rate\n"
         "  -v_quality <0..100>       quality for 1-pass VBR (100 best)\n";
}

}  // namespace wm8eutil
