#include "Report.h"

#include <string>
#include <vector>

#include "BonusList.h"
#include "ListColumns.h"
#include "ResultStats.h"
#include "ResultTexts.h"

namespace sorimu {

namespace {

void WriteSectionHead(std::ostream& out, ResultPage page) {
  const ResultList& list = kResultLists[page];
  out << "\n[" << list.pageCaption << "]\n";
  std::vector<std::string> captions;
  for (int c = 0; c < list.columnCount; ++c) captions.emplace_back(list.columns[c].caption);
  WriteTabRow(out, captions);
}

void WriteTable(std::ostream& out, ResultPage page, const std::vector<TableRow>& rows) {
  WriteSectionHead(out, page);
  for (const TableRow& row : rows) WriteTabRow(out, row);
}

}  // namespace

void WriteReport(std::ostream& out, const RunRecords& records, bool withRows) {
  const ResultStats stats = ComputeResultStats(records);
  out << SummaryText(stats) << '\n';
  if (withRows) {
    WriteSectionHead(out, kPlayInfoPage);
    std::string line;
    records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
      for (size_t i = 0; i < count; ++i) {
        line.clear();
        for (int c = 0; c < ResultTexts::kColumnCount; ++c) {
          if (c > 0) line += '\t';
          line += ResultTexts::RowText(rows[i], c);
        }
        line += '\n';
        out << line;
      }
    });
  }
  WriteTable(out, kBonusPage, BonusListItems(records));
  WriteTable(out, kRen3Page, Ren3Rows(stats));
  WriteTable(out, kRenPage, RenRows(stats));
  WriteTable(out, kKoyakuPage, KoyakuRows(stats));
  WriteTable(out, kRTCancelPage, RTCancelRows(stats));
}

void WriteTabRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << '\t';
    out << cells[i];
  }
  out << '\n';
}

}  // namespace sorimu
