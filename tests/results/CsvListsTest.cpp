#include <gtest/gtest.h>

#include <sstream>

#include "BonusList.h"
#include "CsvLists.h"
#include "ListColumns.h"
#include "ResultTexts.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

namespace {

using Table = std::vector<std::vector<std::string>>;

// A strict reader of what spreadsheets read: quoted fields with doubled
// quotes, CR LF after every record, nothing else tolerated.
Table ParseCsv(const std::string& text) {
  Table table;
  std::vector<std::string> record;
  std::string field;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '"') {
      for (++i;; ++i) {
        if (i >= text.size()) ADD_FAILURE() << "unterminated quote";
        if (i >= text.size()) return table;
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          field += text[i];
        }
      }
    }
    while (i < text.size() && text[i] != ',' && text[i] != '\r') {
      EXPECT_NE(text[i], '"') << "stray quote at " << i;
      EXPECT_NE(text[i], '\n') << "bare LF at " << i;
      field += text[i++];
    }
    record.push_back(std::move(field));
    field.clear();
    if (i < text.size() && text[i] == ',') {
      ++i;
      continue;
    }
    EXPECT_EQ(text.substr(i, 2), "\r\n");
    i += 2;
    table.push_back(std::move(record));
    record.clear();
  }
  return table;
}

std::string WithoutBom(const std::string& text) {
  EXPECT_EQ(text.substr(0, 3), kUtf8Bom);
  return text.substr(3);
}

std::vector<std::string> Captions(ResultPage page) {
  std::vector<std::string> captions;
  for (int c = 0; c < kResultLists[page].columnCount; ++c) {
    captions.emplace_back(kResultLists[page].columns[c].caption);
  }
  return captions;
}

}  // namespace

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldMisread) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"RT解除[規定RT消化]", "RT解除[規定RT消化]"},
      {"-24680", "-24680"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {" padded", "\" padded\""},
      {"BIG Stock", "BIG Stock"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(CsvField(in), out) << in;

  std::ostringstream row;
  WriteCsvRow(row, {"a,b", "", "say \"hi\"", "two\nlines"});
  EXPECT_EQ(ParseCsv(row.str()), (Table{{"a,b", "", "say \"hi\"", "two\nlines"}}));
}

TEST(CsvExport, PlayAndBonusListsRoundTripWithTheListsCaptions) {
  Slot slot(4242);
  RunRecords records;
  // A last game that lines a bonus up leaves that bonus without its medals.
  int32_t games = 3000;
  ASSERT_EQ(Simulate(slot, records, testing_support::Inputs(games, 6)), RunStatus::Completed);

  std::ostringstream plays;
  WritePlayListCsv(plays, records);
  const Table playTable = ParseCsv(WithoutBom(plays.str()));
  ASSERT_EQ(playTable.size(), records.RowCount() + 1);
  EXPECT_EQ(playTable[0], Captions(kPlayInfoPage));
  for (size_t i = 0; i < records.RowCount(); ++i) {
    for (int c = 0; c < ResultTexts::kColumnCount; ++c) {
      ASSERT_EQ(playTable[i + 1][c], ResultTexts::RowText(records.Row(i), c)) << i << "," << c;
    }
  }

  std::ostringstream bonuses;
  WriteBonusListCsv(bonuses, records);
  const Table bonusTable = ParseCsv(WithoutBom(bonuses.str()));
  const std::vector<TableRow> items = BonusListItems(records);
  ASSERT_GT(items.size(), 3u);
  ASSERT_EQ(bonusTable.size(), items.size() + 1);
  EXPECT_EQ(bonusTable[0], Captions(kBonusPage));
  for (size_t i = 0; i < items.size(); ++i) {
    TableRow expected = items[i];
    expected.resize(5);
    EXPECT_EQ(bonusTable[i + 1], expected);
  }
}

TEST(CsvExport, BonusOnTheLastGameGetsAnEmptyMedalCell) {
  RunRecords records;
  testing_support::Fill(
      records, {testing_support::NormalRow(1, 1, -3), testing_support::NormalRow(2, 2, 9, 9, 1)});
  std::ostringstream out;
  WriteBonusListCsv(out, records);
  EXPECT_EQ(WithoutBom(out.str()),
            "PLAY数,PLAY数2,確定役,RT解除契機,獲得メダル\r\n2,2,777,規定RT消化,\r\n");
}
