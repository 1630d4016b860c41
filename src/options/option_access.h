// Reading and writing the option set where it lives: in the window's controls.
// The form implements this over its real controls; tests implement it over plain values.
#pragma once

#include <cstdint>
#include <string>

#include "options/fields.h"

namespace tavrolex {

class OptionAccess {
 public:
  virtual ~OptionAccess() = default;

  // Text fields: the edit box's text.
  virtual std::string ReadText(Field field) const = 0;
  // Assigning an equal text does nothing; a different one raises the box's change event.
  virtual void WriteText(Field field, const std::string& text) = 0;

  // Flag fields: check boxes and the two radio buttons. Checking a radio button unchecks
  // its partner; unchecking one leaves the partner alone.
  virtual bool ReadFlag(Field field) const = 0;
  virtual void WriteFlag(Field field, bool checked) = 0;

  // Integer, Choice and Slider fields. An integer field reads its text through
  // ParseInteger (0 when invalid) and is written as FormatInteger text; a list reads its
  // selected index (-1 for none) and -1 selects nothing; the slider clamps to 0..100.
  virtual std::int32_t ReadNumber(Field field) const = 0;
  virtual void WriteNumber(Field field, std::int32_t value) = 0;
};

}  // namespace tavrolex
