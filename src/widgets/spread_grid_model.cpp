#include "widgets/spread_grid_model.h"

#include <QBrush>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>

#include "widgets/stable_number_order.h"

namespace orva {

SpreadGridModel::SpreadGridModel(QObject* parent)
    : QAbstractTableModel(parent), groupingLocale_(QLocale::English, QLocale::UnitedStates) {}

int SpreadGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(heights_.size());
}

int SpreadGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

Qt::ItemFlags SpreadGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant SpreadGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int column = index.column();
  const int row = index.row();
  const Kind kind = columns_[column].kind;
  const Cell& cell = At(column, row);
  switch (role) {
    case Qt::DisplayRole: return DisplayText(column, row);
    case Qt::AccessibleTextRole:
      // A picture is named by its cell's text, what it stands for, else by its own name.
      if (kind == Kind::Picture && cell.text.isEmpty() && cell.picture >= 0) {
        return pictures_[cell.picture].name;
      }
      return DisplayText(column, row);
    case Qt::TextAlignmentRole:
      if (kind == Kind::Button) return int(Qt::AlignCenter);
      if (cell.flags & kNumber) return int(Qt::AlignRight | Qt::AlignVCenter);
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
      if (kind == Kind::Button) return {};
      const QColor back = Back(column, row);
      return back.isValid() ? QVariant(QBrush(back)) : QVariant();
    }
    case Qt::ForegroundRole: {
      const QColor fore = Fore(column, row);
      return fore.isValid() ? QVariant(QBrush(fore)) : QVariant();
    }
    case KindRole: return static_cast<int>(kind);
    case PixmapRole: return cell.picture >= 0 ? pictures_[cell.picture].pixmap : QPixmap();
    case ButtonFaceRole: return Back(column, row);
    default: return {};
  }
}

QVariant SpreadGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= static_cast<int>(columns_.size())) return {};
  return columns_[section].header;
}

void SpreadGridModel::SetColumns(int columns) {
  columns = std::max(columns, 0);
  const size_t oldColumns = columns_.size();
  if (static_cast<size_t>(columns) == oldColumns) return;
  beginResetModel();
  cells_ = CellsInShownOrder(static_cast<size_t>(columns));
  columns_.resize(columns);
  extents_.resize(columns);
  endResetModel();
}

std::vector<SpreadGridModel::Cell> SpreadGridModel::CellsInShownOrder(size_t columns) {
  const size_t oldColumns = columns_.size();
  const bool stored =
      columns == oldColumns &&
      std::all_of(order_.begin(), order_.end(), [i = 0](int row) mutable { return row == i++; });
  if (stored) return std::move(cells_);  // already in shown order
  const size_t kept = std::min(oldColumns, columns);
  std::vector<Cell> cells(order_.size() * columns);
  for (size_t r = 0; r < order_.size(); ++r) {
    for (size_t c = 0; c < kept; ++c) {
      cells[r * columns + c] = std::move(cells_[static_cast<size_t>(order_[r]) * oldColumns + c]);
    }
    order_[r] = static_cast<int>(r);
  }
  return cells;
}

void SpreadGridModel::SetKind(int column, Kind kind) {
  columns_[column].kind = kind;
  if (!heights_.empty()) {
    emit dataChanged(index(0, column), index(rowCount() - 1, column));
  }
}

SpreadGridModel::Kind SpreadGridModel::ColumnKind(int column) const {
  return columns_[column].kind;
}

void SpreadGridModel::SetHeaderText(int column, const QString& text) {
  columns_[column].header = text;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void SpreadGridModel::SetDesignCaption(int column, const QString& caption) {
  columns_[column].caption = caption;
  if (!heights_.empty()) emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

void SpreadGridModel::SetDesignBack(int column, QColor color) {
  columns_[column].back = color.rgb();
  columns_[column].backSet = color.isValid();
  if (!heights_.empty()) emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

void SpreadGridModel::SetRows(int rows, float height) {
  rows = std::max(rows, 0);
  const int old = rowCount();
  if (rows == old) return;
  const size_t width = columns_.size();
  if (rows == 0) {
    // Emptying also drops the picture table: no cell refers to it any more.
    beginResetModel();
    cells_.clear();
    heights_.clear();
    order_.clear();
    pictures_.clear();
    pictureByKey_.clear();
    pictureByName_.clear();
    std::fill(extents_.begin(), extents_.end(), NumberExtent());
    endResetModel();
  } else if (rows > old) {
    beginInsertRows(QModelIndex(), old, rows - 1);
    cells_.resize(static_cast<size_t>(rows) * width);
    heights_.resize(rows, height);
    for (int stored = old; stored < rows; ++stored) order_.push_back(stored);
    endInsertRows();
  } else {
    beginRemoveRows(QModelIndex(), rows, old - 1);
    cells_ = CellsInShownOrder(width);  // the rows to drop are then the last stored ones
    cells_.resize(static_cast<size_t>(rows) * width);
    heights_.resize(rows);
    order_.resize(rows);
    endRemoveRows();
  }
}

QString SpreadGridModel::NumberText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

QString SpreadGridModel::Text(int column, int row) const {
  const Cell& cell = At(column, row);
  return (cell.flags & kNumber) ? NumberText(cell.value) : cell.text;
}

std::optional<double> SpreadGridModel::Number(int column, int row) const {
  const Cell& cell = At(column, row);
  return (cell.flags & kNumber) ? std::optional<double>(cell.value) : std::nullopt;
}

QString SpreadGridModel::DisplayText(int column, int row) const {
  const Cell& cell = At(column, row);
  const ColumnDesign& design = columns_[column];
  if (cell.flags & kNumber) {
    const QString plain = NumberText(cell.value);
    if (design.kind != Kind::Number || plain.contains(u'e')) return plain;
    const qsizetype dot = plain.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : static_cast<int>(plain.size() - dot - 1);
    return groupingLocale_.toString(cell.value, 'f', decimals);
  }
  if (design.kind == Kind::Button && cell.text.isEmpty()) return design.caption;
  return cell.text;
}

void SpreadGridModel::Announce(int column, int row) {
  const QModelIndex i = index(row, column);
  emit dataChanged(i, i);
}

void SpreadGridModel::EndBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0 || dirtyTop_ < 0) return;
  // Rows removed meanwhile may have taken part of the range with them.
  const int bottom = std::min(dirtyBottom_, rowCount() - 1);
  const int right = std::min(dirtyRight_, columnCount() - 1);
  if (dirtyTop_ <= bottom && dirtyLeft_ <= right) {
    emit dataChanged(index(dirtyTop_, dirtyLeft_), index(bottom, right));
  }
  dirtyTop_ = dirtyBottom_ = dirtyLeft_ = dirtyRight_ = -1;
}

void SpreadGridModel::SetText(int column, int row, const QString& text) {
  Cell& cell = At(column, row);
  cell.text = text;
  cell.flags &= ~kNumber;
  Changed(column, row);
}

namespace {

// Whether `value` shows no more than `decimals` decimals: true without formatting it for
// the common case, a value no finer than what its column already holds.
bool FitsDecimals(double value, int decimals) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (decimals >= static_cast<int>(std::size(kPowers))) return true;
  const double scaled = value * kPowers[decimals];
  return scaled == std::trunc(scaled);
}

}  // namespace

bool SpreadGridModel::SetValue(int column, int row, double value) {
  Cell& cell = At(column, row);
  cell.text.clear();
  cell.value = value;
  cell.flags |= kNumber;
  Changed(column, row);
  if (columns_[column].kind != Kind::Number) return false;
  // A few comparisons per write; only a fraction costs a formatting, and only then.
  NumberExtent& extent = extents_[column];
  bool grew = false;
  if (std::fabs(value) > extent.largest) {
    extent.largest = std::fabs(value);
    grew = true;
  }
  if (value < 0 && !extent.negative) {
    extent.negative = true;
    grew = true;
  }
  if (std::isfinite(value) && !FitsDecimals(value, extent.decimals)) {
    const QString plain = NumberText(value);
    const qsizetype dot = plain.indexOf(u'.');
    const int decimals = dot < 0 || plain.contains(u'e') ? 0 : int(plain.size() - dot - 1);
    if (decimals > extent.decimals) {
      extent.decimals = decimals;
      grew = true;
    }
  }
  return grew;
}

QString SpreadGridModel::WidestNumberText(int column) const {
  const NumberExtent& extent = extents_[column];
  if (extent.largest < 0) return {};
  const QString plain = NumberText(extent.largest);
  QString text = plain.contains(u'e') || !std::isfinite(extent.largest)
                     ? plain
                     : groupingLocale_.toString(extent.largest, 'f', extent.decimals);
  if (extent.negative) text.prepend(u'-');
  return text;
}

void SpreadGridModel::Clear(int column, int row) {
  Cell& cell = At(column, row);
  cell.text.clear();
  cell.value = 0;
  cell.flags &= ~kNumber;
  Changed(column, row);
}

void SpreadGridModel::SetBack(int column, int row, QColor color) {
  Cell& cell = At(column, row);
  cell.back = color.rgb();
  cell.flags = color.isValid() ? (cell.flags | kBackSet) : (cell.flags & ~kBackSet);
  Changed(column, row);
}

void SpreadGridModel::SetFore(int column, int row, QColor color) {
  Cell& cell = At(column, row);
  cell.fore = color.rgb();
  cell.flags = color.isValid() ? (cell.flags | kForeSet) : (cell.flags & ~kForeSet);
  Changed(column, row);
}

QColor SpreadGridModel::Back(int column, int row) const {
  const Cell& cell = At(column, row);
  if (cell.flags & kBackSet) return QColor::fromRgb(cell.back);
  const ColumnDesign& design = columns_[column];
  return design.backSet ? QColor::fromRgb(design.back) : QColor();
}

QColor SpreadGridModel::Fore(int column, int row) const {
  const Cell& cell = At(column, row);
  return (cell.flags & kForeSet) ? QColor::fromRgb(cell.fore) : QColor();
}

int SpreadGridModel::PictureIndex(const QPixmap& picture, const QString& name) {
  const auto byKey = pictureByKey_.constFind(picture.cacheKey());
  if (byKey != pictureByKey_.cend() && pictures_[*byKey].name == name) return *byKey;
  // Callers load the same file once per row, so equal pictures often differ in cache key.
  const auto byName = pictureByName_.constFind(name);
  if (byName != pictureByName_.cend()) {
    const QPixmap& known = pictures_[*byName].pixmap;
    if (known.size() == picture.size() && known.toImage() == picture.toImage()) {
      pictureByKey_.insert(picture.cacheKey(), *byName);
      return *byName;
    }
  }
  const int added = static_cast<int>(pictures_.size());
  pictures_.push_back({picture, name});
  pictureByKey_.insert(picture.cacheKey(), added);
  pictureByName_.insert(name, added);
  return added;
}

void SpreadGridModel::SetPicture(int column, int row, const QPixmap& picture, const QString& name) {
  At(column, row).picture = picture.isNull() ? -1 : PictureIndex(picture, name);
  Changed(column, row);
}

bool SpreadGridModel::HeightsUniform(int first, int last) const {
  return std::all_of(heights_.begin() + first, heights_.begin() + last + 1,
                     [&](float height) { return height == heights_[first]; });
}

bool SpreadGridModel::HasPicture(int column, int row) const { return At(column, row).picture >= 0; }

namespace {

// One row's precomputed sort values: comparisons then touch no model code, allocate
// nothing and read one small contiguous item.
template <size_t N>
struct SortItem {
  double number[N];
  const QString* text[N];
  int row;
  bool isNumber[N];
};

template <size_t N>
int CompareValues(const SortItem<N>& a, const SortItem<N>& b, size_t k) {
  if (a.isNumber[k] != b.isNumber[k]) return a.isNumber[k] ? -1 : 1;  // numbers before texts
  if (a.isNumber[k]) {
    const std::uint64_t left = NumberOrderKey(a.number[k]);
    const std::uint64_t right = NumberOrderKey(b.number[k]);
    return left < right ? -1 : (right < left ? 1 : 0);
  }
  return QString::compare(*a.text[k], *b.text[k], Qt::CaseSensitive);
}

// Stable order of the items on their N keys; `ascending` per key.
template <size_t N>
void SortItems(std::vector<SortItem<N>>& items, const bool (&ascending)[N]) {
  std::stable_sort(items.begin(), items.end(), [&](const SortItem<N>& a, const SortItem<N>& b) {
    for (size_t k = 0; k < N; ++k) {
      const int c = CompareValues(a, b, k);
      if (c != 0) return ascending[k] ? c < 0 : c > 0;
    }
    return false;
  });
}

// Stable order of one text key's (text, row) pairs: the plainest comparison.
std::vector<int> SortTextPairs(std::vector<std::pair<QString, int>>& pairs, bool ascending) {
  using Pair = std::pair<QString, int>;
  const auto less = [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
  };
  if (ascending) {
    std::stable_sort(pairs.begin(), pairs.end(),
                     [&](const Pair& a, const Pair& b) { return less(a.first, b.first); });
  } else {
    std::stable_sort(pairs.begin(), pairs.end(),
                     [&](const Pair& a, const Pair& b) { return less(b.first, a.first); });
  }
  std::vector<int> source(pairs.size());
  for (size_t r = 0; r < pairs.size(); ++r) source[r] = pairs[r].second;
  return source;
}

}  // namespace

template <size_t N>
std::vector<int> SpreadGridModel::SortedRows(int first, int count,
                                             const std::vector<Key>& keys) const {
  // Keys whose cells all hold numbers: a radix sort, no comparisons.
  std::array<std::vector<double>, N> numbers;
  bool allNumbers = true;
  for (size_t k = 0; k < N && allNumbers; ++k) {
    numbers[k].resize(count);
    for (int r = 0; r < count && allNumbers; ++r) {
      const Cell& cell = At(keys[k].column, first + r);
      allNumbers = (cell.flags & kNumber) != 0;
      numbers[k][r] = cell.value;
    }
  }
  if (allNumbers) {
    std::array<NumberSortKey, N> numberKeys{};
    for (size_t k = 0; k < N; ++k) numberKeys[k] = {numbers[k], keys[k].ascending};
    return StableNumberOrder(numberKeys);
  }
  if (N == 1) {
    const int column = keys[0].column;
    bool anyNumber = false;
    for (int r = 0; r < count && !anyNumber; ++r) {
      anyNumber = (At(column, first + r).flags & kNumber) != 0;
    }
    if (!anyNumber) {
      // Shared copies, not pointers: the keys then lie side by side as the sort reads them.
      std::vector<std::pair<QString, int>> pairs(count);
      for (int r = 0; r < count; ++r) pairs[r] = {At(column, first + r).text, r};
      return SortTextPairs(pairs, keys[0].ascending);
    }
  }
  std::vector<SortItem<N>> items(count);
  bool ascending[N];
  for (size_t k = 0; k < N; ++k) ascending[k] = keys[k].ascending;
  for (int r = 0; r < count; ++r) {
    SortItem<N>& item = items[r];
    item.row = r;
    for (size_t k = 0; k < N; ++k) {
      const Cell& cell = At(keys[k].column, first + r);
      item.number[k] = cell.value;
      item.text[k] = &cell.text;
      item.isNumber[k] = (cell.flags & kNumber) != 0;
    }
  }
  SortItems(items, ascending);
  std::vector<int> source(count);
  for (int r = 0; r < count; ++r) source[r] = items[r].row;
  return source;
}

void SpreadGridModel::SortRows(int first, int last, const std::vector<Key>& keys) {
  first = std::max(first, 0);
  last = std::min(last, rowCount() - 1);
  if (last <= first || keys.empty()) return;
  const int count = last - first + 1;
  std::vector<int> source =
      keys.size() == 1 ? SortedRows<1>(first, count, keys) : SortedRows<2>(first, count, keys);

  // Only the row indexes and heights move; the cells stay where they are stored.
  const size_t width = columns_.size();
  std::vector<int> order(count);
  std::vector<float> heights(count);
  for (int r = 0; r < count; ++r) {
    order[r] = order_[first + source[r]];
    heights[r] = heights_[first + source[r]];
  }
  std::copy(order.begin(), order.end(), order_.begin() + first);
  std::copy(heights.begin(), heights.end(), heights_.begin() + first);
  if (width > 0) emit dataChanged(index(first, 0), index(last, static_cast<int>(width) - 1));
}

}  // namespace orva
