#include "works/works_reader.h"

#include "platform/file_system.h"
#include "works/works_file.h"

namespace orva {

err::Number ReadWorksFile(const FileSystem& files, const std::string& path, WorksRecordSink& sink) {
  // Small pieces keep the read buffer in reused memory; what the file claims to hold sizes
  // nothing.
  constexpr std::size_t kChunk = 64 * kWorksRecordSize;
  return files.ReadChunks(
      path, kChunk, kMaxWorksRecords * kWorksRecordSize, [&sink](std::string_view chunk) {
        sink.Expect(chunk.size() / kWorksRecordSize);
        ForEachLiveRecord(chunk, [&sink](const WorksRecord& record) { sink.Take(record); });
      });
}

}  // namespace orva
