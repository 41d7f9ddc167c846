#include "works/works_file.h"

#include "platform/cp932_codec.h"
#include "works/era_date.h"
#include "works/works_record.h"

namespace orva {
namespace {

// Trailing blanks are removed from the raw bytes: 0x20 is never part of a double-byte
// character, so this equals decoding first and trimming after.
std::string DecodeTrimmed(std::string_view field, const Cp932Codec& codec) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return codec.Decode(field);
}

}  // namespace

std::string WorksFileName(int category) {
  return category == kBudgetCategory ? "njKOJI.RDM" : "n_KOJI.RDM";
}

std::string WorksFilePath(const std::string& dataDir, int category) {
  return dataDir + WorksFileName(category);
}

bool WorksCostsHidden(int category) { return category == kBudgetCategory; }

std::vector<WorksRow> DecodeWorksFile(std::string_view fileBytes, bool costsHidden,
                                      const Cp932Codec& codec, const EraDateFormatter& dates) {
  const std::size_t count = fileBytes.size() / kWorksRecordSize;
  std::vector<WorksRow> rows;
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const WorksRecord record =
        ReadWorksRecord(fileBytes.substr(i * kWorksRecordSize, kWorksRecordSize));
    if (record.number <= 0) continue;
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
  }
  return rows;
}

}  // namespace orva
