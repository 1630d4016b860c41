#include "ffmpeg_command.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace wm8eutil {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string s) {
  for (char& c : s) c = Lower(c);
  return s;
}

std::string Extension(const std::string& name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return "";
  return LowerText(name.substr(dot + 1));
}

std::string Stem(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return (dot == std::string::npos || dot == 0) ? name : name.substr(0, dot);
}

// "30000/1001" or "25" as a number; 0 when it is not one.
double RateValue(const std::string& text) {
  std::size_t slash = text.find('/');
  double num = std::atof(text.substr(0, slash).c_str());
  if (slash == std::string::npos) return num;
  double den = std::atof(text.substr(slash + 1).c_str());
  return den > 0 ? num / den : 0.0;
}

// Even and at least 2: the WMV encoders need even frame sizes.
int EvenSize(int pixels) { return std::max(2, pixels - pixels % 2); }

// Video filter chain, in the order the picture passes through it.
//
// -v_preproc | filters
// -----------+----------------------------------------------------------------------
// 0          | none (progressive source)
// 1          | yadif            de-interlace, one frame per frame, same size
// 2          | yadif, scale=iw/2:ih/2    de-interlace and halve both sides
// 3          | yadif=1, scale=iw/2:ih/2  one frame per field (double rate), halved
// 4          | separatefields   each field becomes a frame: half height, double rate
// 5          | pullup, fps=24000/1001    inverse telecine 29.97 -> 23.976
//
// The clip comes first, in the source's pixels; the size comes last, then a final
// rounding to even sizes when no size was asked for.
std::string Filters(const Options& o, Plan* plan) {
  std::vector<std::string> chain;
  if (o.has_clip && (*o.clip[0] | *o.clip[1] | *o.clip[2] | *o.clip[3]) != 0) {
    chain.push_back("crop=in_w-" + std::to_string(*o.clip[0]) + "-" + std::to_string(*o.clip[2]) +
                    ":in_h-" + std::to_string(*o.clip[1]) + "-" + std::to_string(*o.clip[3]) + ":" +
                    std::to_string(*o.clip[0]) + ":" + std::to_string(*o.clip[1]));
  }
  switch (o.preproc.value_or(0)) {
    case 1: chain.push_back("yadif"); break;
    case 2: chain.push_back("yadif"); chain.push_back("scale=iw/2:ih/2"); break;
    case 3: chain.push_back("yadif=1"); chain.push_back("scale=iw/2:ih/2"); break;
    case 4: chain.push_back("separatefields"); break;
    case 5: chain.push_back("pullup"); chain.push_back("fps=24000/1001"); break;
    default: break;
  }
  int w = o.width.value_or(0), h = o.height.value_or(0);
  for (int* side : {&w, &h}) {
    if (*side % 2 != 0) {
      plan->notes.push_back("frame size " + std::to_string(*side) + " rounded to " +
                            std::to_string(EvenSize(*side)) + " (the codec needs even sizes)");
      *side = EvenSize(*side);
    }
  }
  if (w > 0 && h > 0) {
    chain.push_back("scale=" + std::to_string(w) + ":" + std::to_string(h));
    chain.push_back("setsar=1");
  } else if (w > 0) {
    chain.push_back("scale=" + std::to_string(w) + ":-2");
  } else if (h > 0) {
    chain.push_back("scale=-2:" + std::to_string(h));
  } else if (o.profile != nullptr && o.profile->width > 0) {
    chain.push_back("scale=" + std::to_string(o.profile->width) + ":-2");
  } else {
    chain.push_back("scale=trunc(iw/2)*2:trunc(ih/2)*2");
  }
  std::string text;
  for (const std::string& f : chain) text += (text.empty() ? "" : ",") + f;
  return text;
}

}  // namespace

SourceInfo ParseProbe(const std::string& text) {
  SourceInfo info;
  bool in_video = false, video_done = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "codec_type") {
      if (in_video) video_done = true;
      in_video = value == "video" && !video_done;
      if (value == "video") info.has_video = true;
      if (value == "audio") info.has_audio = true;
    } else if (key == "duration") {
      double seconds = std::atof(value.c_str());
      if (seconds > 0) info.duration_ms = static_cast<std::int64_t>(std::llround(seconds * 1000.0));
    } else if (in_video && key == "width") {
      info.width = std::atoi(value.c_str());
    } else if (in_video && key == "height") {
      info.height = std::atoi(value.c_str());
    } else if (in_video && (key == "avg_frame_rate" || key == "r_frame_rate") && info.fps <= 0) {
      info.fps = RateValue(value);
    }
  }
  return info;
}

int QualityToQscale(int quality) {
  quality = std::clamp(quality, 0, 100);
  return 31 - (quality * 29 + 50) / 100;
}

std::string MsToSeconds(std::int64_t ms) {
  std::string frac = std::to_string(ms % 1000);
  return std::to_string(ms / 1000) + "." + std::string(3 - frac.size(), '0') + frac;
}

Plan MakePlan(const Options& o, const SourceInfo& source) {
  Plan plan;
  const Profile* profile = o.profile;
  const bool profile_video = profile == nullptr || profile->video_bps > 0;
  const bool profile_audio = profile == nullptr || profile->audio != nullptr;

  // Audio: an explicit -a_setting wins over the profile's; "0" means no audio.
  const AudioSetting* audio = o.audio;
  if (audio == nullptr && profile != nullptr && profile->audio != nullptr) audio = FindAudioSetting(profile->audio);
  if (audio == nullptr) audio = FindAudioSetting("64_44_2");
  plan.audio = profile_audio && audio->channels > 0 && source.has_audio;
  plan.video = profile_video && source.has_video;
  if (!plan.audio && !plan.video) {
    if (!source.has_video && !source.has_audio) {
      plan.error = "the source holds neither video nor audio";
    } else if (!source.has_video) {
      plan.error = "the source holds no video and the audio is switched off (-a_setting 0 or a video-only profile)";
    } else {
      plan.error = "video and audio are both switched off (an audio-only profile with -a_setting 0)";
    }
    return plan;
  }
  if (plan.audio) {
    plan.audio_bps = audio->bps;
    plan.sample_rate = audio->sample_rate;
    plan.channels = audio->channels;
    if (plan.audio_bps < kMinWmaBps) {
      plan.notes.push_back("audio " + std::to_string(audio->bps / 1000) + " kbit/s raised to " +
                           std::to_string(kMinWmaBps / 1000) + " kbit/s, the lowest FFmpeg's WMA encoder accepts");
      plan.audio_bps = kMinWmaBps;
    }
  }

  // Span.
  const std::int64_t start = o.start_ms.value_or(0), end = o.end_ms.value_or(0);
  if (end > 0) {
    plan.duration_ms = end - start;
    if (source.duration_ms > 0 && end > source.duration_ms) plan.duration_ms = std::max<std::int64_t>(0, source.duration_ms - start);
  } else if (source.duration_ms > 0) {
    plan.duration_ms = std::max<std::int64_t>(0, source.duration_ms - start);
  }
  if (source.duration_ms > 0 && start >= source.duration_ms) {
    plan.error = "the start " + MsToSeconds(start) + " s lies beyond the end of the source (" +
                 MsToSeconds(source.duration_ms) + " s)";
    return plan;
  }
  if (!plan.video) return plan;

  plan.video_codec = o.wmv7.value_or(false) ? "wmv1" : "wmv2";
  plan.mode = o.mode ? *o.mode : (o.quality ? 2 : 0);
  if (o.quality && plan.mode != 2) {
    plan.notes.push_back("-v_quality applies to 1-pass VBR (-v_mode 2) only; ignored");
  }
  plan.video_bps = o.bitrate_bps.value_or(0) > 0 ? *o.bitrate_bps
                   : (profile != nullptr && profile->video_bps > 0) ? profile->video_bps
                                                                     : kDefaultVideoBps;
  const int buffer_ms = o.buffer_ms.value_or(0) > 0 ? *o.buffer_ms : kDefaultBufferMs;
  plan.bufsize_bits = static_cast<std::int64_t>(plan.video_bps) * buffer_ms / 1000;
  plan.qscale = QualityToQscale(o.quality.value_or(kDefaultQuality));

  if (o.has_clip && source.width > 0 && source.height > 0 &&
      (*o.clip[0] + *o.clip[2] >= source.width || *o.clip[1] + *o.clip[3] >= source.height)) {
    plan.error = "-v_clip " + std::to_string(*o.clip[0]) + " " + std::to_string(*o.clip[1]) + " " +
                 std::to_string(*o.clip[2]) + " " + std::to_string(*o.clip[3]) +
                 " leaves no picture of the " + std::to_string(source.width) + "x" +
                 std::to_string(source.height) + " source";
    return plan;
  }
  plan.filters = Filters(o, &plan);

  // Frame rate: asked for, else what the preprocessing gives, else the profile's, else the source's.
  const int preproc = o.preproc.value_or(0);
  if (o.framerate) {
    plan.rate = *o.framerate;
    plan.fps = FrameRateValue(*o.framerate);
  } else if (preproc == 5) {
    plan.fps = 24000.0 / 1001.0;
  } else if (profile != nullptr && profile->fps > 0) {
    plan.rate = std::to_string(profile->fps);
    plan.fps = profile->fps;
  } else {
    plan.fps = source.fps > 0 ? source.fps : kFallbackFps;
    if (preproc == 3 || preproc == 4) plan.fps *= 2;
  }
  const int keydist = o.keydist_s.value_or(0) > 0 ? *o.keydist_s : kDefaultKeydistS;
  plan.gop = std::max(1, static_cast<int>(std::lround(keydist * plan.fps)));
  return plan;
}

std::vector<std::string> ProbeArguments(const std::string& input) {
  return {"-v", "error", "-show_entries",
          "format=duration:stream=codec_type,width,height,avg_frame_rate,r_frame_rate",
          "-of", "default=noprint_wrappers=1", input};
}

std::vector<std::vector<std::string>> FfmpegPasses(const Options& o, const Plan& plan, const JobPaths& paths) {
  auto head = [&]() {
    std::vector<std::string> a = {"-hide_banner", "-nostdin", "-y", "-loglevel", "error", "-nostats",
                                  "-progress", paths.progress};
    if (o.start_ms.value_or(0) > 0) a.insert(a.end(), {"-ss", MsToSeconds(*o.start_ms)});
    if (o.end_ms.value_or(0) > 0) a.insert(a.end(), {"-to", MsToSeconds(*o.end_ms)});
    a.insert(a.end(), {"-i", paths.input, "-sn", "-dn"});
    return a;
  };
  auto video = [&](std::vector<std::string>& a) {
    a.insert(a.end(), {"-c:v", plan.video_codec, "-vf", plan.filters});
    if (!plan.rate.empty()) a.insert(a.end(), {"-r", plan.rate});
    a.insert(a.end(), {"-g", std::to_string(plan.gop)});
    const std::string rate = std::to_string(plan.video_bps), buf = std::to_string(plan.bufsize_bits);
    switch (plan.mode) {
      case 0:
      case 1:
        a.insert(a.end(), {"-b:v", rate, "-minrate", rate, "-maxrate", rate, "-bufsize", buf});
        break;
      case 2:
        a.insert(a.end(), {"-q:v", std::to_string(plan.qscale)});
        break;
      default:
        // An average rate; peaks may reach twice it within the buffer.
        a.insert(a.end(), {"-b:v", rate, "-maxrate", std::to_string(2LL * plan.video_bps), "-bufsize", buf});
        break;
    }
  };

  std::vector<std::vector<std::string>> passes;
  if (plan.passes2()) {
    std::vector<std::string> first = head();
    video(first);
    // The first pass writes a real ASF file: FFmpeg's null muxer makes the WMV encoders reject
    // the frame timing when the rate is changed with -r.
    first.insert(first.end(), {"-pass", "1", "-passlogfile", paths.passlog, "-an", "-f", "asf", paths.pass1_output});
    passes.push_back(first);
  }
  std::vector<std::string> last = head();
  if (plan.video) {
    video(last);
    if (plan.passes2()) last.insert(last.end(), {"-pass", "2", "-passlogfile", paths.passlog});
  } else {
    last.push_back("-vn");
  }
  if (plan.audio) {
    last.insert(last.end(), {"-c:a", "wmav2", "-b:a", std::to_string(plan.audio_bps), "-ar",
                             std::to_string(plan.sample_rate), "-ac", std::to_string(plan.channels)});
  } else {
    last.push_back("-an");
  }
  last.insert(last.end(), {"-f", "asf", paths.output});
  passes.push_back(last);
  return passes;
}

Progress ParseProgress(const std::string& text) {
  Progress p;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) break;  // a line still being written
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("out_time_us=", 0) == 0) {
      const std::string value = line.substr(12);
      if (!value.empty() && (value[0] >= '0' && value[0] <= '9')) p.out_time_us = std::atoll(value.c_str());
    } else if (line == "progress=end") {
      p.ended = true;
    }
  }
  return p;
}

bool IsMediaFile(const std::string& name) {
  static const std::set<std::string> kVideo = {
      "avi", "mpg", "mpeg", "m1v", "m2v", "vob", "mp4", "m4v", "mov", "qt", "wmv", "asf",
      "mkv", "flv", "webm", "ts", "mts", "m2ts", "3gp", "3g2", "ogv", "dv", "rm", "rmvb"};
  return kVideo.count(Extension(name)) != 0 || IsAudioFile(name);
}

bool IsAudioFile(const std::string& name) {
  static const std::set<std::string> kAudio = {"wav", "mp3", "wma", "m4a", "aac", "ac3", "flac",
                                               "ogg", "oga", "opus", "aif", "aiff", "au", "mp2", "mka"};
  return kAudio.count(Extension(name)) != 0;
}

bool NameLess(const std::string& a, const std::string& b) {
  const std::string la = LowerText(a), lb = LowerText(b);
  return la != lb ? la < lb : a < b;
}

// Naming rule in folder mode:
//  - with a non-empty -outputstring NAME: one source gives NAME.wmv; several give NAME_1.wmv,
//    NAME_2.wmv, ... in encoding order, the index padded with zeros to the width of the count
//    (NAME_01 .. NAME_12). A NAME ending in .wmv, .wma or .asf keeps its ending instead.
//  - otherwise each output takes its source's base name.
//  - .wma instead of .wmv for an audio-only output (no explicit ending given).
//  - a name already taken in this run (or, when writing into the source folder, by a source)
//    gets _2, _3, ... added to its base name. Names compare without regard to case.
std::vector<std::string> OutputNames(const std::vector<std::string>& sources, const std::vector<bool>& audio_only,
                                     const std::optional<std::string>& outputstring, bool same_folder) {
  std::set<std::string> taken;
  if (same_folder) {
    for (const std::string& s : sources) taken.insert(LowerText(s));
  }
  std::string common_stem, common_ext;
  const bool common = outputstring && !outputstring->empty();
  if (common) {
    const std::string ext = Extension(*outputstring);
    if (ext == "wmv" || ext == "wma" || ext == "asf") {
      common_stem = Stem(*outputstring);
      common_ext = outputstring->substr(common_stem.size());
    } else {
      common_stem = *outputstring;
    }
  }
  const std::size_t width = std::to_string(sources.size()).size();
  std::vector<std::string> names;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    std::string stem = Stem(sources[i]);
    if (common) {
      stem = common_stem;
      if (sources.size() > 1) {
        std::string index = std::to_string(i + 1);
        stem += "_" + std::string(width - index.size(), '0') + index;
      }
    }
    const std::string ext = !common_ext.empty() ? common_ext : (audio_only[i] ? ".wma" : ".wmv");
    std::string name = stem + ext;
    for (int k = 2; taken.count(LowerText(name)) != 0; ++k) name = stem + "_" + std::to_string(k) + ext;
    taken.insert(LowerText(name));
    names.push_back(name);
  }
  return names;
}

std::string QuoteWindowsArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quotation mark are doubled, and the mark itself escaped.
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');  // they stand before the closing mark
  out += '"';
  return out;
}

std::string QuoteShellArgument(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  out += '\'';
  return out;
}

}  // namespace wm8eutil
