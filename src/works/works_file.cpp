#include "works/works_file.h"

#include "platform/cp932_codec.h"
#include "works/era_date.h"

namespace orva {
namespace {

std::string DecodeTrimmed(std::string_view field, const Cp932Codec& codec) {
  return codec.Decode(TrimmedField(field));
}

}  // namespace

std::string_view TrimmedField(std::string_view field) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

std::string WorksFileName(int category) {
  return category == kBudgetCategory ? "njKOJI.RDM" : "n_KOJI.RDM";
}

std::string WorksFilePath(const std::string& dataDir, int category) {
  return dataDir + WorksFileName(category);
}

bool WorksCostsHidden(int category) { return category == kBudgetCategory; }

std::vector<WorksRow> DecodeWorksFile(std::string_view fileBytes, bool costsHidden,
                                      const Cp932Codec& codec, const EraDateFormatter& dates) {
  std::vector<WorksRow> rows;
  rows.reserve(fileBytes.size() / kWorksRecordSize);
  ForEachLiveRecord(fileBytes, [&](const WorksRecord& record) {
    WorksRow& row = rows.emplace_back();
    row.number = record.number;
    row.date = dates.Format(record.date);
    // Each half is decoded by itself, as the writing program padded each separately.
    row.name = DecodeTrimmed(record.nameFirst, codec) + DecodeTrimmed(record.nameSecond, codec);
    if (!costsHidden) {
      row.directCost = record.directCost;
      row.totalCost = record.totalCost;
    }
    row.client = DecodeTrimmed(record.client, codec);
    row.route = DecodeTrimmed(record.route, codec);
  });
  return rows;
}

}  // namespace orva
