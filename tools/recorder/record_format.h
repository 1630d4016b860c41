// The record RECORDER.EXE appends for each run, and the reader the tests use on it.
//
// A record is plain ASCII lines ended by "\n":
//   record
//   cmdline=<the raw command line>
//   argc=<number of arguments>
//   argv[0]=<argument 0>  ... one line per argument
//   cwd=<the current directory>
//   end
// Values are escaped: '%', bytes below 0x20 and bytes from 0x7F up are written as %XX (two
// upper-case hex digits); every other byte stands for itself. So quotation marks and
// backslashes read as they are, and any byte, Shift-JIS included, comes back exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrolex::record {

struct Record {
  std::string command_line;
  std::vector<std::string> arguments;
  std::string current_directory;
};

inline std::string Escape(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '%' || byte < 0x20 || byte >= 0x7F) {
      text += '%';
      text += kDigits[byte >> 4];
      text += kDigits[byte & 15];
    } else {
      text += c;
    }
  }
  return text;
}

inline std::optional<std::string> Unescape(std::string_view text) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = digit(text[i + 1]);
    const int low = digit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return bytes;
}

inline std::string Format(const Record& record) {
  std::string text = "record\n";
  text += "cmdline=" + Escape(record.command_line) + "\n";
  text += "argc=" + std::to_string(record.arguments.size()) + "\n";
  for (size_t i = 0; i < record.arguments.size(); ++i) {
    text += "argv[" + std::to_string(i) + "]=" + Escape(record.arguments[i]) + "\n";
  }
  text += "cwd=" + Escape(record.current_directory) + "\n";
  text += "end\n";
  return text;
}

// Every complete record in the text, in order. A record still being written at the end of
// the text (no "end" line yet) is left out; anything malformed gives nothing at all.
inline std::optional<std::vector<Record>> Parse(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) break;  // an unfinished last line
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end + 1);
  }

  auto value_of = [](std::string_view line, std::string_view key) -> std::optional<std::string> {
    if (!line.starts_with(key)) return std::nullopt;
    return Unescape(line.substr(key.size()));
  };

  std::vector<Record> records;
  size_t at = 0;
  while (at < lines.size()) {
    const size_t left = lines.size() - at;
    if (lines[at] != "record") return std::nullopt;
    if (left < 3) break;
    Record record;
    auto command_line = value_of(lines[at + 1], "cmdline=");
    if (!command_line || !lines[at + 2].starts_with("argc=")) return std::nullopt;
    record.command_line = *command_line;
    size_t count = 0;
    for (const char c : lines[at + 2].substr(5)) {
      if (c < '0' || c > '9' || count > 100000) return std::nullopt;
      count = count * 10 + static_cast<size_t>(c - '0');
    }
    if (left < 5 + count) break;
    for (size_t i = 0; i < count; ++i) {
      auto argument = value_of(lines[at + 3 + i], "argv[" + std::to_string(i) + "]=");
      if (!argument) return std::nullopt;
      record.arguments.push_back(*argument);
    }
    auto directory = value_of(lines[at + 3 + count], "cwd=");
    if (!directory || lines[at + 4 + count] != "end") return std::nullopt;
    record.current_directory = *directory;
    records.push_back(std::move(record));
    at += 5 + count;
  }
  return records;
}

}  // namespace tavrolex::record
