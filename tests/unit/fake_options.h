// An in-memory option set that behaves like the window's controls: integer fields hold
// text, lists hold a selected index within their line count, the radio pair keeps at most
// one checked, and the slider clamps. It also logs every assignment, in order.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "options/fields.h"
#include "options/integer_text.h"
#include "options/option_access.h"

namespace tavrolex::testing {

inline std::size_t IndexOf(Field field) { return static_cast<std::size_t>(field); }

inline int LineCountOf(Field field) {
  switch (field) {
    case Field::ListBox_profile: return static_cast<int>(ProfileLines().size());
    case Field::ListBox_a_setting: return static_cast<int>(AudioLines().size());
    case Field::ListBox_v_preproc: return static_cast<int>(PreprocLines().size());
    case Field::ListBox_v_mode: return static_cast<int>(ModeLines().size());
    default: return 0;
  }
}

class FakeOptions : public OptionAccess {
 public:
  // The state once start-up has selected the lists' start lines: every integer field "0",
  // a_setting on line 8, the other lists on line 0, WMV8 checked, slider 0.
  FakeOptions() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      if (KindOf(static_cast<Field>(i)) == ValueKind::Integer) text_[i] = "0";
    }
    number_[IndexOf(Field::ListBox_a_setting)] = 8;
    flag_[IndexOf(Field::RadioButton_WMV8)] = true;
  }

  std::string ReadText(Field field) const override { return text_[IndexOf(field)]; }

  void WriteText(Field field, const std::string& text) override {
    writes.push_back(field);
    text_[IndexOf(field)] = text;
  }

  bool ReadFlag(Field field) const override { return flag_[IndexOf(field)]; }

  void WriteFlag(Field field, bool checked) override {
    writes.push_back(field);
    flag_[IndexOf(field)] = checked;
    if (checked && field == Field::RadioButton_WMV7) flag_[IndexOf(Field::RadioButton_WMV8)] = false;
    if (checked && field == Field::RadioButton_WMV8) flag_[IndexOf(Field::RadioButton_WMV7)] = false;
  }

  std::int32_t ReadNumber(Field field) const override {
    if (KindOf(field) == ValueKind::Integer) {
      return ParseInteger(text_[IndexOf(field)]).value_or(0);
    }
    return number_[IndexOf(field)];
  }

  void WriteNumber(Field field, std::int32_t value) override {
    writes.push_back(field);
    switch (KindOf(field)) {
      case ValueKind::Integer:
        text_[IndexOf(field)] = FormatInteger(value);
        break;
      case ValueKind::Choice:
        number_[IndexOf(field)] = (value >= 0 && value < LineCountOf(field)) ? value : -1;
        break;
      default:  // the slider
        number_[IndexOf(field)] = std::clamp<std::int32_t>(value, 0, 100);
        break;
    }
  }

  // What the user types into an integer field, kept as typed.
  void TypeText(Field field, const std::string& text) { text_[IndexOf(field)] = text; }
  // The raw text of a text or integer field.
  const std::string& RawText(Field field) const { return text_[IndexOf(field)]; }

  bool operator==(const FakeOptions& other) const {
    return text_ == other.text_ && flag_ == other.flag_ && number_ == other.number_;
  }

  std::vector<Field> writes;

 private:
  std::array<std::string, kFieldCount> text_{};
  std::array<bool, kFieldCount> flag_{};
  std::array<std::int32_t, kFieldCount> number_{};
};

}  // namespace tavrolex::testing
