#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>
#include <QPixmap>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace orva {

// Cell storage of SpreadGrid: rows and columns are 0-based here (the grid adds 1).
// One small struct per cell in a flat row-major vector, pictures in a per-grid table
// of distinct pixmaps, so large fills stay compact and quick.
class SpreadGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Kind : std::uint8_t { Text, Number, Button, Picture };

  enum Role {
    KindRole = Qt::UserRole + 1,  // int(Kind)
    PixmapRole,                   // QPixmap, null when the cell has none
    ButtonFaceRole,               // QColor, the face of a button cell
  };

  explicit SpreadGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The same counts without a virtual call, for the grid's per-cell checks.
  int Rows() const { return static_cast<int>(heights_.size()); }
  int Columns() const { return static_cast<int>(columns_.size()); }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Design.
  void SetColumns(int columns);
  void SetKind(int column, Kind kind);
  Kind ColumnKind(int column) const;
  void SetHeaderText(int column, const QString& text);
  void SetDesignCaption(int column, const QString& caption);
  void SetDesignBack(int column, QColor color);

  // Rows. New rows get `height`; heights travel with their rows when sorted.
  void SetRows(int rows, float height);
  float Height(int row) const { return heights_[row]; }
  void SetHeight(int row, float height) { heights_[row] = height; }
  bool HeightsUniform(int first, int last) const;  // all rows first..last of one height

  // Cells; indexes must be in range.
  QString Text(int column, int row) const;
  QString DisplayText(int column, int row) const;
  std::optional<double> Number(int column, int row) const;
  void SetText(int column, int row, const QString& text);
  // True when the value is the widest of its number column so far.
  bool SetValue(int column, int row, double value);
  void Clear(int column, int row);
  void SetBack(int column, int row, QColor color);
  void SetFore(int column, int row, QColor color);
  QColor Back(int column, int row) const;  // cell, else column design, else invalid
  QColor Fore(int column, int row) const;  // cell colour or invalid
  void SetPicture(int column, int row, const QPixmap& picture, const QString& name);
  bool HasPicture(int column, int row) const;
  int DistinctPictureCount() const { return static_cast<int>(pictures_.size()); }

  // The widest text a number column has shown since the grid was last emptied, made from
  // its largest magnitude, any sign and the most decimals ("-120,500,000.5"); empty when
  // it has shown no number. Kept up while writing: nothing is measured cell by cell.
  QString WidestNumberText(int column) const;
  bool Batching() const { return batchDepth_ > 0; }

  // Stable sort of rows first..last on up to two (column, ascending) keys.
  struct Key {
    int column;
    bool ascending;
  };
  void SortRows(int first, int last, const std::vector<Key>& keys);

  // Between these, cell writes only widen one changed range, announced once at the end:
  // a signal per cell would cost more than the writes themselves. Calls nest.
  void BeginBatch() { ++batchDepth_; }
  void EndBatch();

  // Decimal text of a stored number: integers plain and signed, others up to 15 digits.
  static QString NumberText(double value);

 private:
  enum Flag : std::uint8_t { kNumber = 1, kBackSet = 2, kForeSet = 4 };

  struct Cell {
    QString text;
    double value = 0;
    QRgb back = 0;
    QRgb fore = 0;
    std::int32_t picture = -1;
    std::uint8_t flags = 0;
  };

  struct ColumnDesign {
    Kind kind = Kind::Text;
    QString header;
    QString caption;
    QRgb back = 0;
    bool backSet = false;
  };

  struct NumberExtent {
    double largest = -1;  // magnitude; negative while no number was written
    bool negative = false;
    int decimals = 0;
  };

  struct Picture {
    QPixmap pixmap;
    QString name;
  };

  Cell& At(int column, int row) {
    return cells_[static_cast<size_t>(order_[row]) * columns_.size() + column];
  }
  const Cell& At(int column, int row) const {
    return cells_[static_cast<size_t>(order_[row]) * columns_.size() + column];
  }
  // Cells in shown order with `columns` columns; the order becomes the identity.
  std::vector<Cell> CellsInShownOrder(size_t columns);
  // Inline: fills call it for every cell they write.
  void Changed(int column, int row) {
    if (batchDepth_ == 0) {
      Announce(column, row);
    } else if (dirtyTop_ < 0) {
      dirtyTop_ = dirtyBottom_ = row;
      dirtyLeft_ = dirtyRight_ = column;
    } else {
      dirtyTop_ = std::min(dirtyTop_, row);
      dirtyBottom_ = std::max(dirtyBottom_, row);
      dirtyLeft_ = std::min(dirtyLeft_, column);
      dirtyRight_ = std::max(dirtyRight_, column);
    }
  }
  void Announce(int column, int row);
  // For each row of first..first+count-1 in sorted order, its offset before the sort.
  template <size_t N>
  std::vector<int> SortedRows(int first, int count, const std::vector<Key>& keys) const;
  int PictureIndex(const QPixmap& picture, const QString& name);

  std::vector<ColumnDesign> columns_;
  std::vector<NumberExtent> extents_;  // per column
  std::vector<Cell> cells_;
  std::vector<int> order_;  // stored row of each shown row: a sort moves indexes, not cells
  std::vector<float> heights_;
  std::vector<Picture> pictures_;
  QHash<qint64, int> pictureByKey_;
  QHash<QString, int> pictureByName_;
  QLocale groupingLocale_;
  int batchDepth_ = 0;
  int dirtyTop_ = -1;  // changed range while batched; -1 when none
  int dirtyBottom_ = -1;
  int dirtyLeft_ = -1;
  int dirtyRight_ = -1;
};

}  // namespace orva
