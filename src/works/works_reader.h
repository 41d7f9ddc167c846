#pragma once

#include <cstddef>
#include <string>

#include "platform/error_number.h"
#include "works/works_record.h"

namespace orva {

class FileSystem;

// The most records read from one works file: eight times what a 16-bit count numbers, far
// beyond any office's works. Records past it are not read, so a huge (or sparse) file costs
// a bounded time and memory.
inline constexpr std::size_t kMaxWorksRecords = 262144;

// Takes a works file's live records as they are read.
class WorksRecordSink {
 public:
  // Before each piece of the file: at most this many records come until the next call.
  virtual void Expect(std::size_t records) = 0;
  // A live record; its text fields are views into the piece, valid during the call only.
  virtual void Take(const WorksRecord& record) = 0;

 protected:
  ~WorksRecordSink() = default;
};

// Reads the works file at `path` a piece at a time, so a list of decades never sits in
// memory twice, and hands its live records to `sink` in file order; a partial last record
// is no record. Returns kNone, or the error that stopped the reading (records handed by
// then stay handed).
err::Number ReadWorksFile(const FileSystem& files, const std::string& path, WorksRecordSink& sink);

}  // namespace orva
