#include "CycleModel.h"

#include "KeptPerSetting.h"

namespace sorimu::theory {

namespace {

// The ends of a bonus as Slot::EndBig and the end of a REG decide them: a
// 1G連 always sets mode 0, so it releases a BIG; a BIG without one draws the
// mode and then the 3G連 lottery; a REG without one draws a new RT at once.
AfterBonus AfterBig(const MachineOdds& odds, const BonusFigures& big) {
  const Real quiet = 1 - big.RenChance;
  AfterBonus after;
  after.Chains = {
      {big.RenChance, kOneGameRt, kBig, RtCancelCause::Ren1G},
      {quiet * odds.Ren3 * odds.Mode(0), kRen3GamesMode0, kBig, RtCancelCause::Ren3G},
      {quiet * odds.Ren3 * odds.Mode(1), kRen3GamesMode1, kReg, RtCancelCause::Ren3G},
  };
  after.Fresh = quiet * (1 - odds.Ren3);
  return after;
}

AfterBonus AfterReg(const BonusFigures& reg) {
  AfterBonus after;
  after.Chains = {{reg.RenChance, kOneGameRt, kBig, RtCancelCause::Ren1G}};
  after.Fresh = 1 - reg.RenChance;
  return after;
}

}  // namespace

CycleModel BuildCycleModel(const MachineOdds& odds) {
  CycleModel model;
  model.Odds = odds;
  model.Bonus[kBig] = BigFigures(odds);
  model.Bonus[kReg] = RegFigures(odds);
  for (size_t mode = 0; mode < kModeCount; ++mode) model.Fresh[mode] = ComputeFreshRt(odds, mode);
  model.After[kBig] = AfterBig(odds, model.Bonus[kBig]);
  model.After[kReg] = AfterReg(model.Bonus[kReg]);
  model.AtStart.Fresh = 1;
  return model;
}

const CycleModel& DefaultCycleModel(int setting) {
  static KeptPerSetting<CycleModel> models;
  return models.Get(setting, [&] { return BuildCycleModel(ReadMachineOdds(Slot(0), setting)); });
}

}  // namespace sorimu::theory
