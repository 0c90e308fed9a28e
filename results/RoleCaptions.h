#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "Outcome.h"

// Every caption that names a role, an RT cancel cause or a 1G連 cause, for
// the lists, the tables, the pies and the marker check boxes alike.
namespace sorimu {

// The "確定役" text of an outcome code: "" for Miss and for unknown codes.
std::string_view OutcomeText(int32_t code);

// The text of an RT cancel cause ("規定RT消化" .. "3G連"), as the lists, the
// bonus list and the pie show it: "" for None and for unknown codes.
std::string_view RtCancelCauseText(int32_t code);

// The small roles a normal game can show, in the order of the tables and
// the pie ("小役出現率"): outcome codes Cherry2 .. Hazure.
inline constexpr int kKoyakuCount = 8;
constexpr Outcome KoyakuRole(int index) { return static_cast<Outcome>(index + 1); }

// The "RT解除情報" table's captions, causes Expired .. Ren3G in order: the
// early cancels carry "解除" there.
inline constexpr int kRtCancelKinds = 7;
std::string_view RtCancelTableCaption(int index);

// The "1G連情報" captions: a pure miss, a JAC miss, a パンク.
inline constexpr std::array<std::string_view, 3> kRenCaptions = {"純ハズレ", "JACハズレ", "パンク"};

// The check box caption of a marked role: the outcome text, but "BIG" and
// "REG" for the bonuses.
std::string_view MarkerCaption(Outcome role);

}  // namespace sorimu
