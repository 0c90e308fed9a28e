#include "RunFiguresCsv.h"

#include <cstdio>
#include <string>

#include "CsvLists.h"

namespace sorimu {

void WriteRunFiguresCsv(std::ostream& out, const AnalysisResult& result) {
  out << kUtf8Bom;
  WriteCsvRow(out, {"設定", "試行", "seed", "Play数", "差枚", "収支(円)", "投入枚数", "機械割(%)",
                    "最大ドローダウン", "BIG回数", "REG回数", "BIG初当り回数", "REG初当り回数",
                    "最大ハマリ"});
  char rate[32];
  for (const RunFigures& r : result.Runs) {
    std::snprintf(rate, sizeof rate, "%.4f", r.PayoutRate());
    WriteCsvRow(out, {std::to_string(r.Setting), std::to_string(r.Trial + 1),
                      std::to_string(r.Seed), std::to_string(r.Games), std::to_string(r.FinalMedal),
                      std::to_string(static_cast<int64_t>(r.FinalMedal) * kYenPerMedal),
                      std::to_string(r.Bets), rate, std::to_string(r.MaxDrawdown),
                      std::to_string(r.BigCount), std::to_string(r.RegCount),
                      std::to_string(r.BigFirstCount), std::to_string(r.RegFirstCount),
                      std::to_string(r.LongestDrought)});
  }
}

}  // namespace sorimu
