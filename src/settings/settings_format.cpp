#include "settings/settings_format.h"

#include "options/integer_text.h"

namespace tavrolex {

bool TextToBool(std::string_view text) { return text == "True"; }

std::string BoolToText(bool flag) { return flag ? "True" : "False"; }

SettingsLineReader::SettingsLineReader(std::string_view bytes) : bytes_(bytes) {
  // Byte 26 marks the end of the data: nothing from it on is ever read.
  if (const std::size_t end = bytes_.find('\x1A'); end != std::string_view::npos) {
    bytes_ = bytes_.substr(0, end);
  }
}

std::string_view SettingsLineReader::Next() {
  if (position_ >= bytes_.size()) return {};
  const std::size_t cr = bytes_.find('\r', position_);
  if (cr == std::string_view::npos) {
    const std::string_view line = bytes_.substr(position_);
    position_ = bytes_.size();
    return line;
  }
  const std::string_view line = bytes_.substr(position_, cr - position_);
  position_ = cr + 1;
  if (position_ < bytes_.size() && bytes_[position_] == '\n') ++position_;
  return line;
}

LoadOutcome ApplySettings(std::string_view file_bytes, OptionAccess& options) {
  SettingsLineReader reader(file_bytes);
  LoadOutcome outcome;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const Field field = static_cast<Field>(i);
    const std::string_view line = reader.Next();
    switch (KindOf(field)) {
      case ValueKind::Text:
        options.WriteText(field, std::string(line));
        break;
      case ValueKind::Flag:
        options.WriteFlag(field, TextToBool(line));
        break;
      case ValueKind::Integer:
      case ValueKind::Choice:
      case ValueKind::Slider: {
        const std::optional<std::int32_t> number = ParseInteger(line);
        if (!number) return outcome;  // not assigned; this and later lines keep their values
        options.WriteNumber(field, *number);
        break;
      }
    }
    ++outcome.lines_assigned;
  }
  outcome.complete = true;
  return outcome;
}

std::string RenderSettings(const OptionAccess& options) {
  std::string bytes;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const Field field = static_cast<Field>(i);
    switch (KindOf(field)) {
      case ValueKind::Text:
        bytes.append(options.ReadText(field));
        break;
      case ValueKind::Flag:
        bytes.append(BoolToText(options.ReadFlag(field)));
        break;
      case ValueKind::Integer:
      case ValueKind::Choice:
      case ValueKind::Slider:
        bytes.append(FormatInteger(options.ReadNumber(field)));
        break;
    }
    bytes.append("\r\n");
  }
  return bytes;
}

}  // namespace tavrolex
