#include "Slot.h"

#include <cassert>
#include <ctime>

#include "MachineRules.h"
#include "RangeClasses.h"

namespace sorimu {

namespace {

constexpr int32_t kNone = Code(RtCancelCause::None);

}  // namespace

Slot::Slot() : Slot(static_cast<uint32_t>(std::time(nullptr))) {}

Slot::Slot(uint32_t seed) {
  random_.Seed(seed);
  FillTables();
}

void Slot::SetFlevel(int32_t flevel) {
  Flevel = flevel;
  Reset();
}

void Slot::SetStock(int32_t bigStock, int32_t regStock) {
  BigStock = bigStock;
  RegStock = regStock;
}

void Slot::Reset() {
  GamesSinceBonus = 0;
  PlayCount = 0;
  Medal = 0;
  ZtCount = 0;
  NewRt();
  RTCancel = kNone;
  RenFlag = 0;
  BonusKind = 0;
  RenCause = 0;
  Punk = 0;
  BonusGames = 0;
  JacGames = 0;
  JacInCount = 0;
  BonusEnd = 0;
  JacMode = 0;
  // A machine without any stock sometimes starts with a very short first RT.
  if (BigStock == 0 && RegStock == 0) {
    if (Draw256() < kEmptyStartShortRtWeight) RtCount = 1 + random_.Next() % kEmptyStartRtSpan;
  }
}

void Slot::Play() {
  if (BonusEnd == 1) {
    BonusGames = 0;
    GamesSinceBonus = 0;
    JacGames = 0;
    JacInCount = 0;
    BonusKind = 0;
    Punk = 0;
    BonusEnd = 0;
    JacMode = 0;
    RenCause = 0;
  }
  if (BonusKind != 0) {
    if (BonusGames == 0) {
      RenFlag = 0;
      RTCancel = kNone;
      ZtCount = 0;
    }
    BonusGame();
    return;
  }
  ++GamesSinceBonus;
  ++PlayCount;
  NormalGame();
}

void Slot::NewRt() {
  Mode = ModeLottery();
  RtCount = Mode == 0 ? RtLottery0(Flevel) : RtLottery1(Flevel);
}

void Slot::NormalGame() {
  --RtCount;
  StockLottery();
  if (ZtCount > 0) --ZtCount;
  if (LastOutcome != Code(Outcome::Replay)) Medal -= kNormalGameBet;
  LastOutcome = Code(Outcome::Miss);
  const int32_t role = FlagLottery();

  // Early cancel: only an untouched RT with 32 or more games left.
  if (RTCancel == kNone && RtCount >= kCancelFloor) {
    if (role == Code(Outcome::Cherry2)) {
      RtCount = kOneGameRt;
      RTCancel = Code(RtCancelCause::Cherry2);
    } else if (role == Code(Outcome::Cherry4B)) {
      if (RtCount >= kCancelLotteryFrom) {
        if (CancelLottery(Flevel) == 0) {
          RtCount = ShortRtLottery();
          RTCancel = Code(RtCancelCause::Cherry4B1);
        }
      } else {
        RtCount = ShortRtLottery();
        RTCancel = Code(RtCancelCause::Cherry4B2);
      }
      if (RTCancel == Code(RtCancelCause::Cherry4B1) ||
          RTCancel == Code(RtCancelCause::Cherry4B2)) {
        if (ZtLotteryCancel() == 0) ZtCount = kZtGames;
      } else {
        if (ZtLotteryKeep() == 1) ZtCount = kZtGames;
      }
    } else if (role == Code(Outcome::Hazure)) {
      RtCount = kOneGameRt;
      RTCancel = Code(RtCancelCause::Hazure);
    }
  }

  if (RtCount == 0) {
    BonusKindCode bonus = BonusKindCode::None;
    if (Mode == 0) {
      if (BigStock > 0) {
        bonus = BonusKindCode::Big;
      } else if (RegStock > 0) {
        bonus = BonusKindCode::Reg;
      }
    } else if (RegStock > 0) {
      bonus = BonusKindCode::Reg;
    }
    if (bonus != BonusKindCode::None) {
      // The stock is used up when the bonus ends; the role of this game is lost.
      BonusKind = Code(bonus);
      if (RTCancel == kNone) RTCancel = Code(RtCancelCause::Expired);
      LastOutcome = Code(bonus == BonusKindCode::Big ? Outcome::BIG : Outcome::REG);
    } else {
      NewRt();
      RTCancel = kNone;
      LastOutcome = role;
    }
  }
  if (RtCount != 0) LastOutcome = role;

  Medal += RolePayout(static_cast<Outcome>(LastOutcome));
}

void Slot::BonusGame() {
  LastOutcome = Code(Outcome::Miss);
  RenCause = Code(RenCauseCode::None);
  Punk = 0;

  if (BonusKind == Code(BonusKindCode::Big)) {
    if (JacMode == 0) {
      ++BonusGames;
      Medal -= kBigGameBet;
      switch (BigGameLottery()) {
        case 1:
          Medal += kBigRolePayout;
          LastOutcome = Code(Outcome::Plum);
          if (BonusGames == kBigRoleGames && JacInCount > kFreeJacIns) {
            LastOutcome = Code(Outcome::JACIN);
            JacMode = 1;
            ++JacInCount;
          }
          break;
        case 2:
          Medal += kBigRolePayout;
          ++JacInCount;
          // A third JAC-IN before the last small-role game only pays as a plum.
          if (JacInCount <= kFreeJacIns || BonusGames == kBigRoleGames) {
            LastOutcome = Code(Outcome::JACIN);
            JacMode = 1;
          } else {
            LastOutcome = Code(Outcome::Plum);
          }
          break;
        default:
          RenFlag = 1;
          LastOutcome = Code(Outcome::Hazure);
          RenCause = Code(RenCauseCode::Hazure);
          break;
      }
      if (BonusGames == kBigRoleGames && LastOutcome != Code(Outcome::JACIN)) BonusEnd = 1;
    } else {
      PlayJacGame();
      if (JacGames % kJacSetGames == 0) {
        JacMode = 0;
        if (JacGames == kMaxJacGames || BonusGames == kBigRoleGames) BonusEnd = 1;
      }
    }
    if (BonusEnd == 1) EndBig();
    return;
  }

  JacMode = 1;
  BonusGames = 1;
  PlayJacGame();
  if (JacGames == kRegGames) {
    if (RenFlag == 1) {
      Mode = 0;
      RtCount = kOneGameRt;
      RTCancel = Code(RtCancelCause::Ren1G);
    } else {
      NewRt();
    }
    --RegStock;
    BonusEnd = 1;
  }
}

void Slot::PlayJacGame() {
  ++JacGames;
  Medal -= kJacGameBet;
  if (JacLottery() == 0) {
    Medal += kJacPayout;
    LastOutcome = Code(Outcome::JAC);
  } else {
    RenFlag = 1;
    LastOutcome = Code(Outcome::JACHazure);
    RenCause = Code(RenCauseCode::JacHazure);
  }
}

void Slot::EndBig() {
  if (JacGames != kMaxJacGames) {
    Punk = 1;
    RenFlag = 1;
  }
  if (RenFlag == 1) {
    Mode = 0;
    RtCount = kOneGameRt;
    RTCancel = Code(RtCancelCause::Ren1G);
  } else {
    Mode = ModeLottery();
    if (Ren3Lottery() == 0) {
      RtCount = Mode == 0 ? kRen3GamesMode0 : kRen3GamesMode1;
      RTCancel = Code(RtCancelCause::Ren3G);
    } else {
      RtCount = Mode == 0 ? RtLottery0(Flevel) : RtLottery1(Flevel);
    }
  }
  --BigStock;
}

void Slot::StockLottery() {
  switch (StockTbl.Pick(Draw65536())) {
    case 0:
      if (BigStock != kMaxStock) ++BigStock;
      break;
    case 1:
      if (RegStock != kMaxStock) ++RegStock;
      break;
    default: break;
  }
}

int32_t Slot::FlagLottery() {
  switch (FlagTbl.Pick(Draw65536())) {
    case 0:
      switch (CherryTbl.Pick(Draw256())) {
        case 0: return Code(Outcome::Cherry2);
        case 1: return Code(Outcome::Cherry4A);
        case 2: return Code(Outcome::Cherry4B);
        default: return Code(Outcome::nCherry);  // CherryTbl sums to 256: only entry 3 is left
      }
    case 1: return Code(Outcome::Plum);
    case 2: return Code(Outcome::Bell);
    case 3: return Code(Outcome::Replay);
    case 4: return Code(Outcome::Hazure);
    default: return Code(Outcome::Miss);
  }
}

int32_t Slot::ModeLottery() { return ModeTbl.Pick(Draw256()); }

namespace {

template <size_t N>
int32_t ClassGames(const RangeClass (&classes)[N], int index, RandomSource& random) {
  assert(index >= 0 && static_cast<size_t>(index) < N);
  const RangeClass& range =
      classes[index < static_cast<int>(N) ? static_cast<size_t>(index) : N - 1];
  if (range.width == 0) return range.base;
  return range.base + random.Next() % range.width;
}

}  // namespace

int32_t Slot::RtLottery0(int32_t flevel) {
  return ClassGames(kRtLottery0Classes, Mode0RtTblFor(flevel).Pick(Draw256()), random_);
}

int32_t Slot::RtLottery1(int32_t flevel) {
  return ClassGames(kRtLottery1Classes, Mode1RtTblFor(flevel).Pick(Draw256()), random_);
}

int32_t Slot::CancelLottery(int32_t flevel) { return CancelTblFor(flevel).Pick(Draw256()); }

int32_t Slot::ShortRtLottery() {
  return ClassGames(kShortRtClasses, ShortRtTbl.Pick(Draw256()), random_);
}

int32_t Slot::ZtLotteryCancel() { return ZtCancelTbl.Pick(Draw256()); }

int32_t Slot::ZtLotteryKeep() { return ZtKeepTbl.Pick(Draw256()); }

int32_t Slot::BigGameLottery() {
  if (BigHazureTbl.Pick(Draw65536()) == 0) return 3;
  return BigGameTbl.Pick(Draw256()) == 0 ? 1 : 2;
}

int32_t Slot::JacLottery() { return JacTbl.Pick(Draw65536()); }

int32_t Slot::Ren3Lottery() { return Ren3Tbl.Pick(Draw256()); }

// Levels outside 1..6 never reach a game (the callers check them); they fall
// back to the setting-6 tables rather than reading out of bounds.
const Rate_TBL<int>& Slot::CancelTblFor(int32_t flevel) const {
  switch (flevel) {
    case 1: return CancelTbl1;
    case 2: return CancelTbl2;
    case 3: return CancelTbl3;
    case 4: return CancelTbl4;
    case 5: return CancelTbl5;
    default: return CancelTbl6;
  }
}

const Rate_TBL<int>& Slot::Mode0RtTblFor(int32_t flevel) const {
  switch (flevel) {
    case 1: return Mode0RtTbl1;
    case 2: return Mode0RtTbl2;
    case 3: return Mode0RtTbl3;
    case 4: return Mode0RtTbl4;
    default: return Mode0RtTbl56;
  }
}

const Rate_TBL<int>& Slot::Mode1RtTblFor(int32_t flevel) const {
  switch (flevel) {
    case 1:
    case 2: return Mode1RtTbl12;
    case 3:
    case 4: return Mode1RtTbl34;
    case 5: return Mode1RtTbl5;
    default: return Mode1RtTbl6;
  }
}

}  // namespace sorimu
