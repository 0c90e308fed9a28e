#pragma once

#include <cstdint>

#include "Outcome.h"
#include "RandomSource.h"
#include "RateTbl.h"

namespace sorimu {

// One pachislot machine of the stock kind. Bonuses are won into two stocks by
// a lottery on every normal game and released when an RT countdown ends.
// After each Play the caller reads the public fields; the order of random
// draws inside Play is the contract that makes a seed reproduce a run.
class Slot {
 public:
  // Seeds the random source from the calendar time in whole seconds.
  Slot();
  // The same machine with a chosen seed, as if the clock had read `seed`.
  explicit Slot(uint32_t seed);

  void SetFlevel(int32_t flevel);  // stores the level, then Reset
  int32_t GetFlevel() const { return Flevel; }
  void SetStock(int32_t bigStock, int32_t regStock);
  void Reset();
  void Play();

  RandomSource& Random() { return random_; }

  // The widths of the two kinds of table draw: every lottery reduces one
  // value of the random source modulo one of them.
  static constexpr int32_t kByteDraw = 256;
  static constexpr int32_t kWordDraw = 65536;

  int32_t Flevel = 1;
  int32_t JacGames = 0;
  int32_t JacInCount = 0;
  int32_t RenFlag = 0;
  int32_t JacMode = 0;
  int32_t BonusEnd = 0;
  int32_t Mode = 0;

  Rate_TBL<int> StockTbl;
  Rate_TBL<int> FlagTbl;
  Rate_TBL<int> ModeTbl;
  Rate_TBL<int> CherryTbl;
  Rate_TBL<int> CancelTbl1;
  Rate_TBL<int> CancelTbl2;
  Rate_TBL<int> CancelTbl3;
  Rate_TBL<int> CancelTbl4;
  Rate_TBL<int> CancelTbl5;
  Rate_TBL<int> CancelTbl6;
  Rate_TBL<int> ShortRtTbl;
  Rate_TBL<int> ZtCancelTbl;
  Rate_TBL<int> ZtKeepTbl;
  Rate_TBL<int> Mode0RtTbl1;
  Rate_TBL<int> Mode0RtTbl2;
  Rate_TBL<int> Mode0RtTbl3;
  Rate_TBL<int> Mode0RtTbl4;
  Rate_TBL<int> Mode0RtTbl56;
  Rate_TBL<int> Mode1RtTbl12;
  Rate_TBL<int> Mode1RtTbl34;
  Rate_TBL<int> Mode1RtTbl5;
  Rate_TBL<int> Mode1RtTbl6;
  Rate_TBL<int> BigGameTbl;
  Rate_TBL<int> BigHazureTbl;
  Rate_TBL<int> JacTbl;
  Rate_TBL<int> Ren3Tbl;

  int32_t GamesSinceBonus = 0;
  int32_t BonusGames = 0;
  int32_t PlayCount = 0;
  int32_t Medal = 0;
  int32_t RtCount = 0;
  int32_t RTCancel = 0;
  int32_t LastOutcome = 0;
  int32_t BonusKind = 0;
  int32_t RenCause = 0;
  int32_t Punk = 0;
  int32_t ZtCount = 0;
  int32_t BigStock = 0;
  int32_t RegStock = 0;

  // The lotteries, public so that tests can hold each against its table.
  void StockLottery();
  int32_t FlagLottery();
  int32_t ModeLottery();
  int32_t RtLottery0(int32_t flevel);
  int32_t RtLottery1(int32_t flevel);
  int32_t CancelLottery(int32_t flevel);
  int32_t ShortRtLottery();
  int32_t ZtLotteryCancel();
  int32_t ZtLotteryKeep();
  int32_t BigGameLottery();
  int32_t JacLottery();
  int32_t Ren3Lottery();

  const Rate_TBL<int>& CancelTblFor(int32_t flevel) const;
  const Rate_TBL<int>& Mode0RtTblFor(int32_t flevel) const;
  const Rate_TBL<int>& Mode1RtTblFor(int32_t flevel) const;

 private:
  void FillTables();
  void NewRt();
  void NormalGame();
  void BonusGame();
  void PlayJacGame();
  void EndBig();
  int32_t Draw256() { return random_.Next() % kByteDraw; }
  int32_t Draw65536() { return random_.Next() % kWordDraw; }

  RandomSource random_;
};

}  // namespace sorimu
