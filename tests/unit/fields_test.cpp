#include "options/fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tavrolex {
namespace {

Field At(std::size_t index) { return static_cast<Field>(index); }

TEST(FieldsTest, KindsFollowTheControlNames) {
  int counts[5] = {};
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const std::string_view name = NameOf(At(i));
    names.insert(name);
    const ValueKind kind = KindOf(At(i));
    ++counts[static_cast<int>(kind)];
    const std::string_view prefix = name.substr(0, name.find('_'));
    if (prefix == "Edit") EXPECT_EQ(kind, ValueKind::Text) << name;
    if (prefix == "CheckBox" || prefix == "RadioButton") EXPECT_EQ(kind, ValueKind::Flag) << name;
    if (prefix == "SpinEdit") EXPECT_EQ(kind, ValueKind::Integer) << name;
    if (prefix == "ListBox") EXPECT_EQ(kind, ValueKind::Choice) << name;
    if (prefix == "TrackBar") EXPECT_EQ(kind, ValueKind::Slider) << name;
  }
  EXPECT_EQ(names.size(), kFieldCount);  // every name distinct
  EXPECT_EQ(counts[static_cast<int>(ValueKind::Text)], 4);
  EXPECT_EQ(counts[static_cast<int>(ValueKind::Flag)], 17);
  EXPECT_EQ(counts[static_cast<int>(ValueKind::Integer)], 11);
  EXPECT_EQ(counts[static_cast<int>(ValueKind::Choice)], 4);
  EXPECT_EQ(counts[static_cast<int>(ValueKind::Slider)], 1);
  EXPECT_EQ(NameOf(Field::SpinEdit_v_width), "SpinEdit_v_width");
  EXPECT_EQ(NameOf(Field::TrackBar_v_quality), "TrackBar_v_quality");
}

// Every field belongs to exactly one option, as its check box or one of its value
// controls, and each check box stands directly before its values, named after its switch.
TEST(FieldsTest, OptionsCoverEveryFieldOnceInOrder) {
  std::size_t next = 0;
  for (const OptionRow& row : Options()) {
    if (row.enabled_by != kAlwaysOn) {
      EXPECT_EQ(row.enabled_by, At(next)) << row.switch_name;
      EXPECT_EQ(NameOf(row.enabled_by), "CheckBox_" + std::string(row.switch_name));
      ++next;
    }
    EXPECT_EQ(row.first_value, At(next)) << row.switch_name;
    next += static_cast<std::size_t>(row.value_count);
  }
  EXPECT_EQ(next, kFieldCount);
  EXPECT_EQ(Options()[0].switch_name, "input");
  EXPECT_EQ(Options()[0].enabled_by, kAlwaysOn);
  EXPECT_EQ(Options()[1].enabled_by, kAlwaysOn);
  EXPECT_EQ(Options()[16].switch_name, "v_quality");
}

TEST(FieldsTest, AudioLinesBeginWithTheirCode) {
  for (std::size_t i = 0; i < AudioCodes().size(); ++i) {
    EXPECT_EQ(AudioLines()[i].substr(0, AudioCodes()[i].size() + 1),
              std::string(AudioCodes()[i]) + ":");
  }
}

TEST(FieldsTest, ListLinesAtTheEnds) {
  EXPECT_EQ(ProfileLines().front(), "Audio/Video: Modem 28K (actual rate: 20K)");
  EXPECT_EQ(ProfileCodes().front(), "av20");
  EXPECT_EQ(ProfileLines()[12], "Audio-only: Modem 56KK (32K)");
  EXPECT_EQ(ProfileCodes()[8], "av350pal");
  EXPECT_EQ(ProfileCodes().back(), "v32");
  EXPECT_EQ(AudioCodes()[8], "64_44_2");
  EXPECT_EQ(AudioLines().back(), "0: video-only");
  // UTF-8 text, Japanese included.
  EXPECT_EQ(PreprocLines()[0], "\xE3\x81\xAA\xE3\x81\x97 (for progressive video input).");
  EXPECT_EQ(PreprocLines()[5], "Inverse telecine from 30fps to 24fps.");
  EXPECT_EQ(ModeLines()[0],
            "1-pass CBR (\xE3\x82\xB9\xE3\x83\x88\xE3\x83\xAA\xE3\x83\xBC\xE3\x83\x9F"
            "\xE3\x83\xB3\xE3\x82\xB0\xE7\x94\xA8).");
  EXPECT_EQ(ModeLines()[3],
            "2-pass VBR (\xE3\x83\xAD\xE3\x83\xBC\xE3\x82\xAB\xE3\x83\xAB\xE5\x86\x8D"
            "\xE7\x94\x9F\xE7\x94\xA8).");
}

}  // namespace
}  // namespace tavrolex
