#include "Slot.h"

#include <cassert>
#include <ctime>

#include "RangeClasses.h"

namespace {

constexpr int32_t kNone = static_cast<int32_t>(RtCancelCause::None);

int32_t CauseCode(RtCancelCause cause) { return static_cast<int32_t>(cause); }

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
    if (Draw256() < 77) RtCount = 1 + random_.Next() % 16;
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
  if (LastOutcome != Replay) Medal -= 3;
  LastOutcome = Miss;
  const int32_t role = FlagLottery();

  // Early cancel: only an untouched RT with 32 or more games left.
  if (RTCancel == kNone && RtCount >= 32) {
    if (role == Cherry2) {
      RtCount = 1;
      RTCancel = CauseCode(RtCancelCause::Cherry2);
    } else if (role == Cherry4B) {
      if (RtCount >= 129) {
        if (CancelLottery(Flevel) == 0) {
          RtCount = ShortRtLottery();
          RTCancel = CauseCode(RtCancelCause::Cherry4B1);
        }
      } else {
        RtCount = ShortRtLottery();
        RTCancel = CauseCode(RtCancelCause::Cherry4B2);
      }
      if (RTCancel == CauseCode(RtCancelCause::Cherry4B1) ||
          RTCancel == CauseCode(RtCancelCause::Cherry4B2)) {
        if (ZtLotteryCancel() == 0) ZtCount = 30;
      } else {
        if (ZtLotteryKeep() == 1) ZtCount = 30;
      }
    } else if (role == Hazure) {
      RtCount = 1;
      RTCancel = CauseCode(RtCancelCause::Hazure);
    }
  }

  if (RtCount == 0) {
    int32_t bonus = 0;
    if (Mode == 0) {
      if (BigStock > 0) {
        bonus = 1;
      } else if (RegStock > 0) {
        bonus = 2;
      }
    } else if (RegStock > 0) {
      bonus = 2;
    }
    if (bonus != 0) {
      // The stock is used up when the bonus ends; the role of this game is lost.
      BonusKind = bonus;
      if (RTCancel == kNone) RTCancel = CauseCode(RtCancelCause::Expired);
      LastOutcome = bonus == 1 ? BIG : REG;
    } else {
      NewRt();
      RTCancel = kNone;
      LastOutcome = role;
    }
  }
  if (RtCount != 0) LastOutcome = role;

  switch (LastOutcome) {
    case Cherry2: Medal += 2; break;
    case Cherry4A:
    case Cherry4B: Medal += 4; break;
    case Plum: Medal += 8; break;
    case Bell: Medal += 14; break;
    case BIG:
    case REG: Medal += 15; break;
    default: break;
  }
}

void Slot::BonusGame() {
  LastOutcome = Miss;
  RenCause = 0;
  Punk = 0;

  if (BonusKind == 1) {
    if (JacMode == 0) {
      ++BonusGames;
      Medal -= 3;
      switch (BigGameLottery()) {
        case 1:
          Medal += 15;
          LastOutcome = Plum;
          if (BonusGames == 30 && JacInCount >= 3) {
            LastOutcome = JACIN;
            JacMode = 1;
            ++JacInCount;
          }
          break;
        case 2:
          Medal += 15;
          ++JacInCount;
          // A third JAC-IN before the last small-role game only pays as a plum.
          if (JacInCount < 3 || BonusGames == 30) {
            LastOutcome = JACIN;
            JacMode = 1;
          } else {
            LastOutcome = Plum;
          }
          break;
        default:
          RenFlag = 1;
          LastOutcome = Hazure;
          RenCause = 1;
          break;
      }
      if (BonusGames == 30 && LastOutcome != JACIN) BonusEnd = 1;
    } else {
      ++JacGames;
      Medal -= 1;
      if (JacLottery() == 0) {
        Medal += 15;
        LastOutcome = JAC;
      } else {
        RenFlag = 1;
        LastOutcome = JACHazure;
        RenCause = 2;
      }
      if (JacGames == 8 || JacGames == 16 || JacGames == 24) {
        JacMode = 0;
        if (JacGames == 24 || BonusGames == 30) BonusEnd = 1;
      }
    }
    if (BonusEnd == 1) EndBig();
    return;
  }

  JacMode = 1;
  BonusGames = 1;
  ++JacGames;
  Medal -= 1;
  if (JacLottery() == 0) {
    Medal += 15;
    LastOutcome = JAC;
  } else {
    RenFlag = 1;
    LastOutcome = JACHazure;
    RenCause = 2;
  }
  if (JacGames == 8) {
    if (RenFlag == 1) {
      Mode = 0;
      RtCount = 1;
      RTCancel = CauseCode(RtCancelCause::Ren1G);
    } else {
      NewRt();
    }
    --RegStock;
    BonusEnd = 1;
  }
}

void Slot::EndBig() {
  if (JacGames != 24) {
    Punk = 1;
    RenFlag = 1;
  }
  if (RenFlag == 1) {
    Mode = 0;
    RtCount = 1;
    RTCancel = CauseCode(RtCancelCause::Ren1G);
  } else {
    Mode = ModeLottery();
    if (Ren3Lottery() == 0) {
      RtCount = Mode == 0 ? 4 : 3;
      RTCancel = CauseCode(RtCancelCause::Ren3G);
    } else {
      RtCount = Mode == 0 ? RtLottery0(Flevel) : RtLottery1(Flevel);
    }
  }
  --BigStock;
}

void Slot::StockLottery() {
  switch (StockTbl.Pick(Draw65536())) {
    case 0:
      if (BigStock != 255) ++BigStock;
      break;
    case 1:
      if (RegStock != 255) ++RegStock;
      break;
    default: break;
  }
}

int32_t Slot::FlagLottery() {
  switch (FlagTbl.Pick(Draw65536())) {
    case 0:
      switch (CherryTbl.Pick(Draw256())) {
        case 0: return Cherry2;
        case 1: return Cherry4A;
        case 2: return Cherry4B;
        default: return nCherry;  // CherryTbl sums to 256: only entry 3 is left
      }
    case 1: return Plum;
    case 2: return Bell;
    case 3: return Replay;
    case 4: return Hazure;
    default: return Miss;
  }
}

int32_t Slot::ModeLottery() { return ModeTbl.Pick(Draw256()); }

namespace {

template <size_t N>
int32_t ClassGames(const RangeClass (&classes)[N], int index, RandomSource& random) {
  assert(index >= 0 && static_cast<size_t>(index) < N);
  const RangeClass& range = classes[index < static_cast<int>(N) ? index : N - 1];
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
