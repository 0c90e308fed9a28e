#include "CsvLists.h"

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
      for (size_t c = 0; c < cells.size(); ++c) {
        cells[c] = ResultTexts::RowText(rows[i], static_cast<int>(c));
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

}  // namespace sorimu
