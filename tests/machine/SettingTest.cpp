#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Setting.h"
#include "TypedText.h"

namespace sorimu {
namespace {

// What the input method gives becomes what every parser reads; nothing else
// is touched, not even a broken sequence.
TEST(HalfWidth, TakesFullWidthFormsAsTheirAsciiForms) {
  struct Case {
    const char* typed;
    const char* read;
  };
  for (const Case& c : {
           Case{"８０００", "8000"},
           Case{"－２５", "-25"},
           Case{"\u22122", "-2"},  // the minus sign
           Case{"？", "?"},
           Case{"＋ｘ１ｆ", "+x1f"},
           Case{"　３５，３０．５ ", " 35,30.5 "},
           Case{"8０0０", "8000"},
           Case{"設定６", "設定6"},
           Case{"\xEF\xBC", "\xEF\xBC"},          // cut short
           Case{"\xEF\xBC\x10", "\xEF\xBC\x10"},  // not a continuation
           Case{"", ""},
       }) {
    EXPECT_EQ(HalfWidth(c.typed), c.read) << c.typed;
  }
}

TEST(ParseSetting, TakesALevelOrHiddenAndNothingElse) {
  for (int32_t level = 1; level <= kSettingCount; ++level) {
    const std::optional<Setting> read = ParseSetting(std::to_string(level));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Level, level);
    EXPECT_FALSE(read->Hidden());
  }
  EXPECT_EQ(ParseSetting("６")->Level, 6);
  EXPECT_TRUE(ParseSetting("?")->Hidden());
  EXPECT_TRUE(ParseSetting("？")->Hidden());
  for (const char* bad : {"0", "7", "", " 1", "1 ", "01", "??", "a", "６６", "-1"}) {
    EXPECT_FALSE(ParseSetting(bad)) << bad;
  }
}

}  // namespace
}  // namespace sorimu
