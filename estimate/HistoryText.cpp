#include "HistoryText.h"

#include <optional>
#include <vector>

#include "CsvLists.h"
#include "ListColumns.h"
#include "Messages.h"
#include "RoleCaptions.h"
#include "TypedText.h"

namespace sorimu {

namespace {

// Whether the bytes are UTF-8 text: no NUL and no control character but
// TAB and CR, no broken or overlong sequence.
bool IsText(std::string_view line) {
  for (size_t i = 0; i < line.size();) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) return false;
      ++i;
      continue;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > line.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(line[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A line's fields, split at TABs, commas and spaces (runs count as one).
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !IsSpace(line[i]) && line[i] != ',') continue;
    if (i > start) fields.push_back(line.substr(start, i - start));
    start = i + 1;
  }
  return fields;
}

// The cells of one CSV line: commas outside double quotes end a cell, and
// two quotes inside them stand for one.
std::vector<std::string> CsvCells(std::string_view line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        cells.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        cells.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.emplace_back();
    } else if (c != '\r') {
      cells.back() += c;
    }
  }
  return cells;
}

std::optional<size_t> KindOf(std::string_view field) {
  std::string upper(field);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "BIG" || upper == "B") return theory::kBig;
  if (upper == "REG" || upper == "R") return theory::kReg;
  return std::nullopt;
}

// Plain decimal digits, nothing else, up to kMaxHistoryGames; at least 1
// for a bonus, which is lined up on a game of its stretch.
std::optional<int32_t> GamesOf(std::string_view field, bool open) {
  if (field.empty() || field.size() > 9) return std::nullopt;
  int32_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kMaxHistoryGames || (!open && value < 1)) return std::nullopt;
  return value;
}

const char* GamesReason(bool open) { return open ? kHistoryOpenGamesReason : kHistoryGamesReason; }

std::string BonusListCsvHeader() {
  const ResultList& list = kResultLists[kBonusPage];
  std::vector<std::string> captions;
  for (int c = 0; c < list.columnCount; ++c) captions.emplace_back(list.columns[c].caption);
  std::string header;
  for (size_t i = 0; i < captions.size(); ++i) {
    if (i > 0) header += ',';
    header += CsvField(captions[i]);
  }
  return header;
}

// Reads the lines one by one; the first problem ends the reading.
class Reader {
 public:
  // Rows typed into a table carry no header and no "start" line: a row
  // that is not a bonus is a mistake, whichever row it is.
  Reader(int32_t maxBonuses, bool rows)
      : maxBonuses_(maxBonuses), seenLine_(rows), headerSeen_(rows) {}

  // False after the problem is set.
  bool Line(int64_t number, std::string_view raw) {
    number_ = number;
    if (!IsText(raw)) return Fail(kHistoryNotTextReason);
    if (number == 1 && raw.substr(0, kUtf8Bom.size()) == kUtf8Bom)
      raw.remove_prefix(kUtf8Bom.size());
    if (csv_) return CsvLine(Trimmed(raw));
    const std::string plain = HalfWidth(raw);
    std::string_view line = plain;
    line = Trimmed(line.substr(0, line.find('#')));
    if (line.empty()) return true;
    if (!seenLine_ && Trimmed(raw) == BonusListCsvHeader()) {
      csv_ = true;
      seenLine_ = true;
      history_.FromStart = true;  // a run's bonus list begins with its start
      return true;
    }
    if (!seenLine_ && line == kHistoryStartLine) {
      seenLine_ = true;
      history_.FromStart = true;
      return true;
    }
    return TextLine(line);
  }

  HistoryParse Finish() {
    HistoryParse parse;
    parse.status = status_;
    parse.Line = status_.Ok() ? 0 : static_cast<int32_t>(number_);
    if (status_.Ok()) parse.history = std::move(history_);
    return parse;
  }

 private:
  bool Fail(const char* reason) {
    status_ = Status::Fail(StatusKind::BadInput, HistoryLineMessage(number_, reason));
    return false;
  }

  bool TextLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.empty()) return Fail(kHistoryFieldsReason);
    const std::optional<size_t> kind = KindOf(fields.front());
    const bool open = fields.front() == kHistoryOpenKind;
    // A header names its columns: no kind and no digit in it.
    if (!seenData_ && !kind && !open && line.find_first_of("0123456789") == line.npos) {
      if (headerSeen_) return Fail(kHistoryKindReason);
      headerSeen_ = true;
      seenLine_ = true;
      return true;
    }
    seenLine_ = seenData_ = true;
    if (history_.OpenGames) return Fail(kHistoryOpenNotLastReason);
    if (!kind && !open) return Fail(kHistoryKindReason);
    if (fields.size() > 2) return Fail(kHistoryFieldsReason);
    const std::optional<int32_t> games =
        fields.size() == 2 ? GamesOf(fields[1], open) : std::nullopt;
    if (!games) return Fail(GamesReason(open));
    if (open) {
      history_.OpenGames = *games;
      return true;
    }
    return AddBonus(*kind, *games);
  }

  bool AddBonus(size_t kind, int32_t games) {
    if (history_.Bonuses.size() >= static_cast<size_t>(maxBonuses_)) {
      return Fail(HistoryBonusLimitReason(maxBonuses_).c_str());
    }
    history_.Bonuses.push_back({kind, games});
    return true;
  }

  bool CsvLine(std::string_view line) {
    if (line.empty()) return true;
    const std::vector<std::string> cells = CsvCells(line);
    if (cells.size() < 3) return Fail(kHistoryCsvReason);
    const std::optional<int32_t> games = GamesOf(Trimmed(cells[1]), false);
    // The list names a BIG by its role caption ("777"); a kind as the text
    // writes it is read too.
    const std::string_view cell = Trimmed(cells[2]);
    std::optional<size_t> kind = KindOf(cell);
    if (cell == OutcomeText(Code(Outcome::BIG))) kind = theory::kBig;
    if (cell == OutcomeText(Code(Outcome::REG))) kind = theory::kReg;
    if (!games || !kind) return Fail(kHistoryCsvReason);
    return AddBonus(*kind, *games);
  }

  int32_t maxBonuses_;
  BonusHistory history_;
  Status status_;
  int64_t number_ = 0;
  bool csv_ = false;
  bool seenLine_;  // a line that is not blank or a comment
  bool seenData_ = false;
  bool headerSeen_;
};

}  // namespace

HistoryParse ParseHistoryText(std::string_view text, int32_t maxBonuses) {
  Reader reader(maxBonuses, false);
  int64_t number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (++number > kMaxHistoryLines) {
      HistoryParse parse;
      parse.status = Status::Fail(StatusKind::BadInput,
                                  HistoryLineMessage(number, kHistoryTooManyLinesReason));
      parse.Line = static_cast<int32_t>(number);
      return parse;
    }
    if (!reader.Line(number, text.substr(start, end - start))) break;
    start = end + 1;
  }
  return reader.Finish();
}

HistoryParse ParseHistoryRows(const std::vector<HistoryRow>& rows, bool fromStart) {
  if (rows.size() > static_cast<size_t>(kMaxHistoryLines)) {
    HistoryParse parse;
    parse.Line = kMaxHistoryLines + 1;
    parse.status = Status::Fail(StatusKind::BadInput,
                                HistoryLineMessage(parse.Line, kHistoryTooManyLinesReason));
    return parse;
  }
  Reader reader(kMaxHistoryLines, true);
  for (size_t r = 0; r < rows.size(); ++r) {
    // A TAB between the cells: the same line a spreadsheet would copy.
    if (!reader.Line(static_cast<int64_t>(r) + 1, rows[r].Kind + '\t' + rows[r].Games)) break;
  }
  HistoryParse parse = reader.Finish();
  if (parse.status.Ok()) parse.history.FromStart = fromStart;
  return parse;
}

std::vector<HistoryRow> HistoryRows(const BonusHistory& history) {
  std::vector<HistoryRow> rows;
  rows.reserve(history.Bonuses.size() + 1);
  for (const HistoryBonus& bonus : history.Bonuses) {
    rows.push_back({std::string(HistoryKindName(bonus.Kind)), std::to_string(bonus.Games)});
  }
  if (history.OpenGames) {
    rows.push_back({std::string(kHistoryOpenKind), std::to_string(*history.OpenGames)});
  }
  return rows;
}

GamesParse ParseHistoryGames(std::string_view typed, bool open) {
  GamesParse parse;
  const std::optional<int32_t> games =
      IsText(typed) ? GamesOf(Trimmed(HalfWidth(typed)), open) : std::nullopt;
  if (games) {
    parse.Games = *games;
  } else {
    parse.status = Status::Fail(StatusKind::BadInput, GamesReason(open));
  }
  return parse;
}

std::string_view HistoryKindName(size_t kind) { return kind == theory::kBig ? "BIG" : "REG"; }

std::string HistoryText(const BonusHistory& history) {
  std::string text;
  auto line = [&text](std::string_view kind, int32_t games) {
    text += kind;
    text += '\t';
    text += std::to_string(games);
    text += '\n';
  };
  if (history.FromStart) {
    text += kHistoryStartLine;
    text += '\n';
  }
  for (const HistoryBonus& bonus : history.Bonuses) line(HistoryKindName(bonus.Kind), bonus.Games);
  if (history.OpenGames) line(kHistoryOpenKind, *history.OpenGames);
  return text;
}

}  // namespace sorimu
