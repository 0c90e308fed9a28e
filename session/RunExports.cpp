#include "RunExports.h"

#include "CsvLists.h"
#include "Messages.h"
#include "SafeSave.h"

namespace sorimu {

namespace {

ExportResult Save(const std::vector<FileToSave>& files, const char* headline) {
  SaveOptions options;
  options.headline = headline;
  ExportResult result;
  result.status = SaveFiles(files, options);
  if (result.status.Ok()) {
    for (const FileToSave& file : files) result.written.push_back(file.path);
  }
  return result;
}

}  // namespace

std::string ExportPath(const std::string& chosen, std::string_view suffix) {
  const size_t slash = chosen.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = chosen.rfind('.');
  // A dot that starts the name (".csv") or sits in a folder is no extension.
  const size_t end = dot != std::string::npos && dot > nameStart ? dot : chosen.size();
  return chosen.substr(0, end) + std::string(suffix);
}

ExportResult ExportRunLists(const RunRecords& records, const std::string& chosen) {
  return Save({{ExportPath(chosen, kGamesCsvSuffix),
                TextContent([&](std::ostream& out) { WritePlayListCsv(out, records); })},
               {ExportPath(chosen, kBonusesCsvSuffix),
                TextContent([&](std::ostream& out) { WriteBonusListCsv(out, records); })}},
              kCsvSaveFailedMessage);
}

ExportResult ExportFiles(const std::string& chosen, const std::vector<ExportBytes>& files,
                         const char* headline) {
  std::vector<FileToSave> toSave;
  for (const ExportBytes& file : files) {
    toSave.push_back({ExportPath(chosen, file.suffix), [&file](OutputStream& out) {
                        return out.Write(file.bytes.data(), file.bytes.size());
                      }});
  }
  return Save(toSave, headline);
}

ExportResult ExportCsvTables(const std::string& chosen, const std::vector<ExportTable>& tables) {
  std::vector<FileToSave> toSave;
  for (const ExportTable& table : tables) {
    toSave.push_back({ExportPath(chosen, table.suffix), TextContent([&table](std::ostream& out) {
                        out << kUtf8Bom;
                        for (const TableRow& row : table.rows) WriteCsvRow(out, row);
                      })});
  }
  return Save(toSave, kCsvSaveFailedMessage);
}

}  // namespace sorimu
