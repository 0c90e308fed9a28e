#include "CsvExport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "BonusList.h"
#include "ListColumns.h"
#include "ResultTexts.h"

namespace sorimu {

namespace {

void WriteHeader(std::ostream& out, const ListColumn* columns, int count) {
  std::vector<std::string> captions;
  for (int c = 0; c < count; ++c) captions.emplace_back(columns[c].caption);
  out << kUtf8Bom;
  WriteCsvRow(out, captions);
}

}  // namespace

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << ',';
    out << CsvField(cells[i]);
  }
  out << "\r\n";
}

void WritePlayListCsv(std::ostream& out, const RunRecords& records) {
  const ResultList& list = kResultLists[kPlayInfoPage];
  WriteHeader(out, list.columns, list.columnCount);
  std::vector<std::string> cells(ResultTexts::kColumnCount);
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      for (int c = 0; c < ResultTexts::kColumnCount; ++c) {
        cells[c] = ResultTexts::RowText(rows[i], c);
      }
      WriteCsvRow(out, cells);
    }
  });
}

void WriteBonusListCsv(std::ostream& out, const RunRecords& records) {
  const ResultList& list = kResultLists[kBonusPage];
  WriteHeader(out, list.columns, list.columnCount);
  for (TableRow item : BonusListItems(records)) {
    item.resize(static_cast<size_t>(list.columnCount));
    WriteCsvRow(out, item);
  }
}

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

CsvSaveStatus SaveCsvFile(const std::string& path,
                          const std::function<void(std::ostream&)>& write) {
  const std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return CsvSaveStatus::CannotCreate;
    write(file);
    file.flush();
    file.close();
    if (file.fail()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return CsvSaveStatus::WriteFailed;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return CsvSaveStatus::WriteFailed;
  }
  return CsvSaveStatus::Ok;
}

std::string CsvSaveMessage(CsvSaveStatus status, const std::string& path) {
  switch (status) {
    case CsvSaveStatus::Ok: return "";
    case CsvSaveStatus::CannotCreate: return "CSVファイルを作成できません: " + path;
    case CsvSaveStatus::WriteFailed: return "CSVファイルの書き込みに失敗しました: " + path;
  }
  return "";
}

}  // namespace sorimu
