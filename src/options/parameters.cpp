#include "options/parameters.h"

#include <cstdint>

#include "options/integer_text.h"

namespace tavrolex {

namespace {

Field FieldAt(Field first, int offset) {
  return static_cast<Field>(static_cast<int>(first) + offset);
}

template <std::size_t N>
std::string_view CodeAt(const std::array<std::string_view, N>& codes, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
  return codes[static_cast<std::size_t>(index)];
}

}  // namespace

std::string QuoteArgument(std::string_view value, LeadByteTest is_lead_byte) {
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted.push_back('"');
  std::size_t backslashes = 0;  // a run of backslashes not yet written
  std::size_t i = 0;
  while (i < value.size()) {
    const char c = value[i];
    if (c == '\\') {
      ++backslashes;
      ++i;
      continue;
    }
    if (c == '"') {
      // The run and the mark's own escape: 2n+1 backslashes give n and a literal mark.
      quoted.append(backslashes * 2 + 1, '\\');
      quoted.push_back('"');
      backslashes = 0;
      ++i;
      continue;
    }
    quoted.append(backslashes, '\\');
    backslashes = 0;
    if (is_lead_byte(static_cast<unsigned char>(c)) && i + 1 < value.size()) {
      // A whole double-byte character; its trail byte may be 0x5C and is no backslash.
      quoted.append(value.substr(i, 2));
      i += 2;
    } else {
      quoted.push_back(c);
      ++i;
    }
  }
  // A run before the closing mark is doubled so that the mark still closes.
  quoted.append(backslashes * 2, '\\');
  quoted.push_back('"');
  return quoted;
}

std::string RenderParameters(const OptionAccess& options, LeadByteTest is_lead_byte) {
  std::string result;
  for (const OptionRow& row : Options()) {
    if (row.enabled_by != kAlwaysOn && !options.ReadFlag(row.enabled_by)) continue;
    if (!result.empty()) result.push_back(' ');
    result.push_back('-');
    result.append(row.switch_name);
    switch (row.rendering) {
      case Rendering::QuotedText:
        result.push_back(' ');
        result.append(QuoteArgument(options.ReadText(row.first_value), is_lead_byte));
        break;
      case Rendering::PlainText:
        result.push_back(' ');
        result.append(options.ReadText(row.first_value));
        break;
      case Rendering::Numbers:
        for (int k = 0; k < row.value_count; ++k) {
          result.push_back(' ');
          result.append(FormatInteger(options.ReadNumber(FieldAt(row.first_value, k))));
        }
        break;
      case Rendering::ProfileCode:
        result.push_back(' ');
        result.append(CodeAt(ProfileCodes(), options.ReadNumber(row.first_value)));
        break;
      case Rendering::AudioCode:
        result.push_back(' ');
        result.append(CodeAt(AudioCodes(), options.ReadNumber(row.first_value)));
        break;
      case Rendering::Codec:
        // Only the WMV7 button counts: with neither checked the codec is WMV8.
        result.append(options.ReadFlag(Field::RadioButton_WMV7) ? " WMV7" : " WMV8");
        break;
    }
  }
  return result;
}

}  // namespace tavrolex
