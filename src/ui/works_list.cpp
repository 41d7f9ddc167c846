#include "ui/works_list.h"

#include <QString>
#include <algorithm>

#include "platform/cp932_codec.h"
#include "widgets/spread_grid.h"
#include "works/era_date.h"
#include "works/works_file.h"
#include "works/works_reader.h"
#include "works/works_record.h"

namespace orva {
namespace {

enum WorksColumn : int {
  kNumber = 1,
  kDate = 2,
  kName = 3,
  kDirectCost = 4,
  kTotalCost = 5,
  kClient = 6,
  kRoute = 7,
};

void SetCost(SpreadGrid& ss, int column, int row, const std::optional<double>& cost) {
  if (cost) {
    ss.SetValue(column, row, *cost);
  } else {
    ss.ClearCell(column, row);
  }
}

bool IsSortSlot(int column) { return column >= 0 && column < 10; }

// One works row's seven cells.
void WriteRow(SpreadGrid& ss, int r, std::int32_t number, const QString& date, const QString& name,
              const std::optional<double>& directCost, const std::optional<double>& totalCost,
              const QString& client, const QString& route) {
  ss.SetValue(kNumber, r, number);
  ss.SetText(kDate, r, date);
  ss.SetText(kName, r, name);
  SetCost(ss, kDirectCost, r, directCost);
  SetCost(ss, kTotalCost, r, totalCost);
  ss.SetText(kClient, r, client);
  ss.SetText(kRoute, r, route);
}

// A text field decoded straight into the grid's UTF-16; the halves of a name are decoded
// each by itself and joined.
QString GridText(const Cp932Codec& codec, std::string_view first, std::string_view second = {}) {
  first = TrimmedField(first);
  second = TrimmedField(second);
  QString text(static_cast<qsizetype>(first.size() + second.size()), Qt::Uninitialized);
  auto* out = reinterpret_cast<char16_t*>(text.data());
  std::size_t written = codec.DecodeUtf16(first, out);
  written += codec.DecodeUtf16(second, out + written);
  text.truncate(static_cast<qsizetype>(written));
  return text;
}

// Turns the records read into rows of the works grid, one after the other. The grid grows
// with what was read, by doubling so that it is resized a few times only.
class WorksGridRows final : public WorksRecordSink {
 public:
  WorksGridRows(SpreadGrid& ss, bool costsHidden, const Cp932Codec& codec,
                const EraDateFormatter& dates)
      : ss_(ss), costsHidden_(costsHidden), codec_(codec), dates_(dates) {}

  void Expect(std::size_t records) override {
    const int needed = written_ + static_cast<int>(records);
    if (needed > ss_.RowCount()) ss_.SetRowCount(std::max(needed, 2 * ss_.RowCount()));
  }

  void Take(const WorksRecord& record) override {
    const auto cost = [this](double value) {
      return costsHidden_ ? std::nullopt : std::optional<double>(value);
    };
    WriteRow(ss_, ++written_, record.number, FromDecodedUtf8(dates_.Format(record.date)),
             GridText(codec_, record.nameFirst, record.nameSecond), cost(record.directCost),
             cost(record.totalCost), GridText(codec_, record.client),
             GridText(codec_, record.route));
  }

  int Written() const { return written_; }

 private:
  SpreadGrid& ss_;
  const bool costsHidden_;
  const Cp932Codec& codec_;
  const EraDateFormatter& dates_;
  int written_ = 0;
};

}  // namespace

// Decoded text is well-formed UTF-8 of characters below U+10000, which converts without the
// general converter's checks, at a fraction of its cost; text of any other shape (or opening
// with a byte-order mark) is left to the general converter.
QString FromDecodedUtf8(std::string_view utf8) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  const auto general = [&] { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(size)); };
  if (size >= 3 && in[0] == 0xEF && in[1] == 0xBB && in[2] == 0xBF) return general();
  QString text(static_cast<qsizetype>(size), Qt::Uninitialized);
  auto* out = reinterpret_cast<char16_t*>(text.data());
  qsizetype written = 0;
  const auto continuation = [in](std::size_t at) { return (in[at] & 0xC0) == 0x80; };
  for (std::size_t i = 0; i < size;) {
    const unsigned char b = in[i];
    if (b < 0x80) {
      out[written++] = b;
      i += 1;
    } else if (b >= 0xC2 && b < 0xE0 && i + 1 < size && continuation(i + 1)) {
      out[written++] = static_cast<char16_t>(((b & 0x1F) << 6) | (in[i + 1] & 0x3F));
      i += 2;
    } else if (b >= 0xE0 && b < 0xF0 && i + 2 < size && continuation(i + 1) &&
               continuation(i + 2)) {
      const auto c = static_cast<char16_t>(((b & 0x0F) << 12) | ((in[i + 1] & 0x3F) << 6) |
                                           (in[i + 2] & 0x3F));
      if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) return general();
      out[written++] = c;
      i += 3;
    } else {
      return general();
    }
  }
  text.truncate(written);
  return text;
}

err::Number LoadWorksFile(SpreadGrid& ss, const FileSystem& files, const std::string& path,
                          bool costsHidden, const Cp932Codec& codec,
                          const EraDateFormatter& dates) {
  const GridUpdateScope update(ss);
  ss.SetRowCount(0);
  WorksGridRows rows(ss, costsHidden, codec, dates);
  const err::Number error = ReadWorksFile(files, path, rows);
  // What deleted records left unused is given back.
  ss.SetRowCount(rows.Written());
  ss.SetCurrentCell(1, 1);
  return error;
}

void WorksSorter::SortWorksByColumn(SpreadGrid& ss, int column) {
  if (!IsSortSlot(column)) return;
  std::int16_t& direction = worksSortDir_[static_cast<std::size_t>(column)];
  direction = direction == 1 ? 0 : 1;
  const int rows = ss.RowCount();
  // A column beyond the grid holds only empty cells: a stable sort would move nothing.
  if (column < 1 || column > ss.ColumnCount() || rows < 1) return;
  ss.SortRows(1, rows, {SpreadGrid::SortKey{column, direction == 0}});
  ss.SetSortMark(column, direction == 0);
}

void WorksSorter::OnHeaderClick(SpreadGrid& ss, int column, int row) {
  if (row != 0) return;
  SortWorksByColumn(ss, column);
}

std::int16_t WorksSorter::Direction(int column) const {
  return IsSortSlot(column) ? worksSortDir_[static_cast<std::size_t>(column)] : 0;
}

}  // namespace orva
