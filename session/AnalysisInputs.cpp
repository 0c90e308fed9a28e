#include "AnalysisInputs.h"

#include <optional>

#include "InputText.h"
#include "Messages.h"

namespace sorimu {

AnalysisRequestRead ReadAnalysisRequest(const AnalysisTexts& texts) {
  AnalysisRequestRead read;
  AnalysisRequest& request = read.request;
  const struct {
    const std::string& text;
    int32_t& value;
    AnalysisField field;
  } counts[] = {{texts.Games, request.Games, AnalysisField::Games},
                {texts.Trials, request.Trials, AnalysisField::Trials},
                {texts.BigStock, request.BigStock, AnalysisField::BigStock},
                {texts.RegStock, request.RegStock, AnalysisField::RegStock}};
  for (const auto& count : counts) {
    const std::optional<int32_t> value = ParseInteger(count.text);
    if (!value) {
      read.status = Status::Fail(StatusKind::NotInteger, NotIntegerMessage(count.text));
      read.field = count.field;
      return read;
    }
    count.value = *value;
  }
  request.Setting = texts.Setting;
  request.Jobs = texts.Jobs;
  read.status = CheckAnalysisRequest(request);
  if (!read.status.Ok()) {
    read.field = FirstBadField(request);
    return read;
  }
  const std::optional<uint32_t> seed = ParseSeed(texts.Seed);
  if (!seed) {
    read.status = Status::Fail(StatusKind::BadInput, kSeedRangeMessage);
    read.field = AnalysisField::Seed;
    return read;
  }
  request.Seed = *seed;
  return read;
}

}  // namespace sorimu
