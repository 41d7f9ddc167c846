#pragma once

#include <string>
#include <string_view>

#include "works/works_record.h"

namespace orva {

// The file a category keeps its works in, in a program's data folder.
std::string WorksFileName(int category);
std::string WorksFilePath(const std::string& dataDir, int category);
bool WorksCostsHidden(int category);

// A text field without its blank padding. 0x20 is never part of a double-byte character, so
// trimming the bytes equals decoding first and trimming after.
std::string_view TrimmedField(std::string_view field);

// Calls onRecord for every live record (number > 0), in file order; a partial last record
// is no record.
template <typename OnRecord>
void ForEachLiveRecord(std::string_view fileBytes, OnRecord&& onRecord) {
  const std::size_t count = fileBytes.size() / kWorksRecordSize;
  for (std::size_t i = 0; i < count; ++i) {
    const WorksRecord record =
        ReadWorksRecord(fileBytes.substr(i * kWorksRecordSize, kWorksRecordSize));
    if (record.number > 0) onRecord(record);
  }
}

}  // namespace orva
