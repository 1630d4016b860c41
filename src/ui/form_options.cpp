// The option set over the window's controls: which control holds each field.
#include <array>
#include <type_traits>
#include <variant>

#include "ui/form_tavrolex.h"

namespace tavrolex {
namespace {

using Slot = std::variant<EditBox TFormTavrolex::*, IntegerField TFormTavrolex::*, CheckBox TFormTavrolex::*,
                          RadioButton TFormTavrolex::*, ListBox TFormTavrolex::*, Slider TFormTavrolex::*>;

// In the order of Field.
const std::array<Slot, kFieldCount> kSlots = {
    &TFormTavrolex::Edit_input,
    &TFormTavrolex::Edit_output,
    &TFormTavrolex::CheckBox_outputstring,
    &TFormTavrolex::Edit_outputstring,
    &TFormTavrolex::CheckBox_time,
    &TFormTavrolex::SpinEdit_start_time,
    &TFormTavrolex::SpinEdit_end_time,
    &TFormTavrolex::CheckBox_profile,
    &TFormTavrolex::ListBox_profile,
    &TFormTavrolex::CheckBox_a_setting,
    &TFormTavrolex::ListBox_a_setting,
    &TFormTavrolex::CheckBox_v_codec,
    &TFormTavrolex::RadioButton_WMV7,
    &TFormTavrolex::RadioButton_WMV8,
    &TFormTavrolex::CheckBox_v_width,
    &TFormTavrolex::SpinEdit_v_width,
    &TFormTavrolex::CheckBox_v_height,
    &TFormTavrolex::SpinEdit_v_height,
    &TFormTavrolex::CheckBox_v_framerate,
    &TFormTavrolex::Edit_v_framerate,
    &TFormTavrolex::CheckBox_v_keydist,
    &TFormTavrolex::SpinEdit_v_keydist,
    &TFormTavrolex::CheckBox_v_preproc,
    &TFormTavrolex::ListBox_v_preproc,
    &TFormTavrolex::CheckBox_v_clip,
    &TFormTavrolex::SpinEdit_v_clip_left,
    &TFormTavrolex::SpinEdit_v_clip_top,
    &TFormTavrolex::SpinEdit_v_clip_right,
    &TFormTavrolex::SpinEdit_v_clip_bottom,
    &TFormTavrolex::CheckBox_v_mode,
    &TFormTavrolex::ListBox_v_mode,
    &TFormTavrolex::CheckBox_v_bitrate,
    &TFormTavrolex::SpinEdit_v_bitrate,
    &TFormTavrolex::CheckBox_v_buffer,
    &TFormTavrolex::SpinEdit_v_buffer,
    &TFormTavrolex::CheckBox_v_quality,
    &TFormTavrolex::TrackBar_v_quality,
};

const Slot& SlotOf(Field field) { return kSlots.at(static_cast<std::size_t>(field)); }

template <typename Control, typename Member>
constexpr bool IsSlot = std::is_same_v<Member, Control TFormTavrolex::*>;

}  // namespace

std::string TFormTavrolex::ReadText(Field field) const {
  return std::visit(
      [this](auto member) -> std::string {
        using M = decltype(member);
        if constexpr (IsSlot<EditBox, M> || IsSlot<IntegerField, M>) return (this->*member).Text();
        else return {};
      },
      SlotOf(field));
}

void TFormTavrolex::WriteText(Field field, const std::string& text) {
  std::visit(
      [this, &text](auto member) {
        using M = decltype(member);
        if constexpr (IsSlot<EditBox, M> || IsSlot<IntegerField, M>) (this->*member).SetText(text);
      },
      SlotOf(field));
}

bool TFormTavrolex::ReadFlag(Field field) const {
  return std::visit(
      [this](auto member) -> bool {
        using M = decltype(member);
        if constexpr (IsSlot<CheckBox, M> || IsSlot<RadioButton, M>) return (this->*member).Checked();
        else return false;
      },
      SlotOf(field));
}

void TFormTavrolex::WriteFlag(Field field, bool checked) {
  std::visit(
      [this, checked](auto member) {
        using M = decltype(member);
        if constexpr (IsSlot<CheckBox, M> || IsSlot<RadioButton, M>) (this->*member).SetChecked(checked);
      },
      SlotOf(field));
}

std::int32_t TFormTavrolex::ReadNumber(Field field) const {
  return std::visit(
      [this](auto member) -> std::int32_t {
        using M = decltype(member);
        if constexpr (IsSlot<IntegerField, M>) return (this->*member).Value();
        else if constexpr (IsSlot<ListBox, M>) return (this->*member).Index();
        else if constexpr (IsSlot<Slider, M>) return (this->*member).Position();
        else return 0;
      },
      SlotOf(field));
}

void TFormTavrolex::WriteNumber(Field field, std::int32_t value) {
  std::visit(
      [this, value](auto member) {
        using M = decltype(member);
        if constexpr (IsSlot<IntegerField, M>) (this->*member).SetValue(value);
        else if constexpr (IsSlot<ListBox, M>) (this->*member).SetIndex(value);
        else if constexpr (IsSlot<Slider, M>) (this->*member).SetPosition(value);
      },
      SlotOf(field));
}

}  // namespace tavrolex
