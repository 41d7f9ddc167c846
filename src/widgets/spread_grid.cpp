#include "widgets/spread_grid.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <utility>

#include "widgets/installed_family.h"
#include "widgets/spread_grid_accessible.h"
#include "widgets/spread_grid_delegate.h"
#include "widgets/spread_grid_model.h"

namespace orva {
namespace {

// The view asks its row header for a size hint at every layout, and the stock answer
// measures the numbers of up to 200 rows; the widest number is the last row's. A header the
// design gives a fixed width needs no measuring at all.
class RowNumberHeader : public QHeaderView {
 public:
  explicit RowNumberHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionsClickable(true);
    setHighlightSections(true);
  }

  QSize sizeHint() const override {
    if (minimumWidth() == maximumWidth()) return {minimumWidth(), defaultSectionSize()};
    if (count() == 0) return QHeaderView::sizeHint();
    return {sectionSizeFromContents(count() - 1).width(), defaultSectionSize()};
  }
};

// Type-to-find compares texts without regard to case or to full and half width.
QString ForSearch(const QString& text) {
  return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

}  // namespace

QStringList GridFontFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
          QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
}

SpreadGrid::SpreadGrid(QWidget* parent, ViewJoins joins)
    : QTableView(parent), model_(std::make_unique<SpreadGridModel>()) {
  QAccessible::installFactory(&SpreadGridAccessibleFactory);  // Qt keeps a factory once
  setVerticalHeader(new RowNumberHeader(this));
  QFont gridFont = font();
  SetSuiteFont(gridFont, GridFontFamilies(), 9);
  setFont(gridFont);

  // Filled, the grid counts as opaque: the window does not paint what it covers (the
  // combined grid lies over the category buttons and the menu grid), nor lays out those
  // captions' glyphs for nothing.
  setAutoFillBackground(true);

  if (joins == ViewJoins::kAtOnce) JoinView();
  delegate_ = new SpreadGridDelegate(this);
  setItemDelegate(delegate_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // Sorting is off from the start; turning it off again remakes the header's connections.
  setCornerButtonEnabled(false);
  // Tab leaves the grid for the next control; the arrows move between cells.
  setTabKeyNavigation(false);

  QHeaderView* columns = horizontalHeader();
  columns->setMinimumSectionSize(0);
  columns->setSectionsClickable(true);
  columns->setSortIndicatorShown(false);
  connect(columns, &QHeaderView::sectionClicked, this,
          [this](int section) { emit CellClicked(section + 1, 0); });

  QHeaderView* rows = verticalHeader();
  rows->setMinimumSectionSize(0);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(RowPixels(defaultRowHeight_));
  connect(rows, &QHeaderView::sectionClicked, this,
          [this](int section) { emit CellClicked(0, section + 1); });
}

// Inline: fills check every cell they write.
inline bool SpreadGrid::ValidCell(int column, int row) const {
  return column >= 1 && column <= model_->Columns() && row >= 1 && row <= model_->Rows();
}

bool SpreadGrid::Joined() const { return model() == model_.get(); }

void SpreadGrid::JoinView() const {
  if (Joined()) return;
  // Joining changes no cell and nothing the grid reports: it is lazy making, as a cache's.
  auto& self = const_cast<SpreadGrid&>(*this);
  self.setModel(model_.get());
  for (int column = 1; column <= ColumnCount(); ++column) self.ApplyColumnWidth(column);
  self.ApplyRowGeometry(1, RowCount());
  if (const auto current = std::exchange(self.pendingCurrent_, std::nullopt)) {
    self.SetCurrentCell(current->first, current->second);
  }
}

void SpreadGrid::setVisible(bool visible) {
  if (visible) JoinView();
  QTableView::setVisible(visible);
}

SpreadGrid::~SpreadGrid() {
  // The view must let go of the model before the model dies.
  setModel(nullptr);
}

int SpreadGrid::RowPixels(double units) const {
  return static_cast<int>(std::lround(units * logicalDpiY() / 96.0));
}

int SpreadGrid::ColumnPixels(double characters) const {
  // A width counts digits, as spreadsheets count it, plus the cell's text margins: a column
  // designed for "H 21/04/01" then shows it whole. Slivers of under a digit stay slivers.
  const QFontMetrics metrics(font());
  const int digits = static_cast<int>(std::lround(characters * metrics.horizontalAdvance(u'0')));
  if (characters < 1) return digits;
  return digits + 2 * TextMargin();
}

int SpreadGrid::TextMargin() const {
  return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

void SpreadGrid::SetColumnCount(int columns) {
  SettleCurrent();
  model_->SetColumns(columns);
  designWidths_.resize(static_cast<std::size_t>(ColumnCount()),
                       horizontalHeader()->defaultSectionSize());
  unfitted_.resize(designWidths_.size(), false);
  accessibleHeaders_.resize(designWidths_.size());
}

int SpreadGrid::ColumnCount() const { return model_->columnCount(); }

void SpreadGrid::SetColumnKind(int column, CellKind kind) {
  if (column < 1 || column > ColumnCount()) return;
  model_->SetKind(column - 1, static_cast<SpreadGridModel::Kind>(kind));
  FitColumn(column);
}

SpreadGrid::CellKind SpreadGrid::ColumnKind(int column) const {
  if (column < 1 || column > ColumnCount()) return CellKind::Text;
  return static_cast<CellKind>(model_->ColumnKind(column - 1));
}

void SpreadGrid::SetColumnWidth(int column, double characters) {
  const int pixels = ColumnPixels(characters);
  if (column == 0) {
    verticalHeader()->setVisible(pixels > 0);
    if (pixels > 0) verticalHeader()->setFixedWidth(pixels);
    return;
  }
  if (column > ColumnCount()) return;
  designWidths_[static_cast<std::size_t>(column - 1)] = pixels;
  if (Joined()) ApplyColumnWidth(column);
}

void SpreadGrid::ApplyColumnWidth(int column) {
  const int pixels = designWidths_[static_cast<std::size_t>(column - 1)];
  setColumnHidden(column - 1, pixels == 0);
  if (pixels > 0) QTableView::setColumnWidth(column - 1, pixels);
  FitColumn(column);
}

void SpreadGrid::FitColumn(int column) {
  const int section = column - 1;
  if (!Joined() || section < 0 || section >= ColumnCount() || designWidths_[section] == 0 ||
      model_->ColumnKind(section) != SpreadGridModel::Kind::Number) {
    return;
  }
  int needed = designWidths_[section];
  const QHeaderView* header = horizontalHeader();
  if (!header->isHidden()) needed = std::max(needed, header->sectionSizeHint(section));
  QString widest = model_->WidestNumberText(section);
  if (!widest.isEmpty()) {
    // Digits of a proportional font may differ: every digit counts as the widest one.
    // Text is laid out in fractions of a pixel and elided past the last whole one.
    const QFontMetricsF metrics(font());
    QChar widestDigit = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
      if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widestDigit)) {
        widestDigit = QChar(digit);
      }
    }
    for (QChar& character : widest) {
      if (character.isDigit()) character = widestDigit;
    }
    const int gridLine = showGrid() ? 1 : 0;
    const int text = static_cast<int>(std::ceil(metrics.horizontalAdvance(widest)));
    needed = std::max(needed, text + 2 * TextMargin() + gridLine);
  }
  if (columnWidth(section) < needed) QTableView::setColumnWidth(section, needed);
}

void SpreadGrid::SetHeaderText(int column, const QString& text) {
  if (column < 1 || column > ColumnCount()) return;
  model_->SetHeaderText(column - 1, text);
  FitColumn(column);
}

void SpreadGrid::SetAccessibleHeaderText(int column, const QString& text) {
  if (column >= 1 && column <= ColumnCount()) accessibleHeaders_[column - 1] = text;
}

QString SpreadGrid::ColumnName(int column) const {
  if (column < 1 || column > ColumnCount()) return {};
  const QString header = Text(column, 0);
  return header.isEmpty() ? accessibleHeaders_[column - 1] : header;
}

void SpreadGrid::SetHeaderRowHeight(double units) {
  const int pixels = RowPixels(units);
  horizontalHeader()->setVisible(pixels > 0);
  if (pixels > 0) horizontalHeader()->setFixedHeight(pixels);
  for (int column = 1; column <= ColumnCount(); ++column) FitColumn(column);
}

void SpreadGrid::SetDefaultRowHeight(double units) {
  if (units <= 0) return;
  SettleCurrent();
  defaultRowHeight_ = units;
  // The header resizes every row to a new default; put the existing ones back.
  verticalHeader()->setDefaultSectionSize(RowPixels(units));
  ApplyRowGeometry(1, RowCount());
}

void SpreadGrid::SetDesignButtonText(int column, const QString& caption) {
  if (column >= 1 && column <= ColumnCount()) model_->SetDesignCaption(column - 1, caption);
}

void SpreadGrid::SetDesignBackColor(int column, QColor color) {
  if (column >= 1 && column <= ColumnCount()) model_->SetDesignBack(column - 1, color);
}

void SpreadGrid::SetRowCount(int rows) {
  SettleCurrent();
  ReleaseButton();
  if (rows <= 0) SetSortMark(0, true);
  model_->SetRows(rows, static_cast<float>(defaultRowHeight_));
}

int SpreadGrid::RowCount() const { return model_->rowCount(); }

double SpreadGrid::RowHeight(int row) const {
  if (row < 1 || row > RowCount()) return 0;
  return model_->Height(row - 1);
}

void SpreadGrid::SetRowHeight(int row, double units) {
  if (row < 1 || row > RowCount()) return;
  units = std::max(units, 0.0);
  SettleCurrent();
  if (model_->Height(row - 1) == static_cast<float>(units)) return;
  model_->SetHeight(row - 1, static_cast<float>(units));
  ApplyRowGeometry(row, row);
}

void SpreadGrid::ApplyRowGeometry(int firstRow, int lastRow) {
  if (!Joined()) return;  // the rows keep their heights; joining applies them
  QHeaderView* header = verticalHeader();
  // Asking the widget for its DPI looks up its screen: once per call, not once per row.
  const double scale = logicalDpiY() / 96.0;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int section = row - 1;
    const int pixels = static_cast<int>(std::lround(model_->Height(section) * scale));
    const bool hidden = header->isSectionHidden(section);
    if (pixels == 0) {
      if (!hidden) setRowHidden(section, true);
      continue;
    }
    if (hidden) setRowHidden(section, false);
    if (header->sectionSize(section) != pixels) QTableView::setRowHeight(section, pixels);
  }
}

QString SpreadGrid::Text(int column, int row) const {
  if (row == 0 && column >= 1 && column <= ColumnCount()) {
    return model_->headerData(column - 1, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  return ValidCell(column, row) ? model_->Text(column - 1, row - 1) : QString();
}

std::optional<double> SpreadGrid::Number(int column, int row) const {
  return ValidCell(column, row) ? model_->Number(column - 1, row - 1) : std::nullopt;
}

void SpreadGrid::SetText(int column, int row, const QString& text) {
  if (row == 0) {
    SetHeaderText(column, text);
  } else if (ValidCell(column, row)) {
    model_->SetText(column - 1, row - 1, text);
  }
}

void SpreadGrid::SetValue(int column, int row, double value) {
  if (!ValidCell(column, row) || !model_->SetValue(column - 1, row - 1, value)) return;
  if (model_->Batching()) {
    unfitted_[static_cast<std::size_t>(column - 1)] = true;
  } else {
    FitColumn(column);
  }
}

void SpreadGrid::ClearCell(int column, int row) {
  if (ValidCell(column, row)) model_->Clear(column - 1, row - 1);
}

void SpreadGrid::SetButtonText(int column, int row, const QString& caption) {
  if (ValidCell(column, row)) model_->SetText(column - 1, row - 1, caption);
}

void SpreadGrid::SetBackColor(int column, int row, QColor color) {
  if (ValidCell(column, row)) model_->SetBack(column - 1, row - 1, color);
}

void SpreadGrid::SetForeColor(int column, int row, QColor color) {
  if (ValidCell(column, row)) model_->SetFore(column - 1, row - 1, color);
}

QColor SpreadGrid::BackColor(int column, int row) const {
  const QColor color = ValidCell(column, row) ? model_->Back(column - 1, row - 1) : QColor();
  return color.isValid() ? color : QColor(Qt::white);
}

QColor SpreadGrid::ForeColor(int column, int row) const {
  const QColor color = ValidCell(column, row) ? model_->Fore(column - 1, row - 1) : QColor();
  return color.isValid() ? color : QColor(Qt::black);
}

void SpreadGrid::SetPicture(int column, int row, const QPixmap& picture, const QString& name) {
  if (ValidCell(column, row)) model_->SetPicture(column - 1, row - 1, picture, name);
}

bool SpreadGrid::HasPicture(int column, int row) const {
  return ValidCell(column, row) && model_->HasPicture(column - 1, row - 1);
}

int SpreadGrid::DistinctPictureCount() const { return model_->DistinctPictureCount(); }

void SpreadGrid::BeginUpdate() { model_->BeginBatch(); }

void SpreadGrid::EndUpdate() {
  model_->EndBatch();
  if (model_->Batching()) return;
  for (std::size_t section = 0; section < unfitted_.size(); ++section) {
    if (!unfitted_[section]) continue;
    unfitted_[section] = false;
    FitColumn(static_cast<int>(section) + 1);
  }
}

void SpreadGrid::SortRows(int firstRow, int lastRow, const std::vector<SortKey>& keys) {
  firstRow = std::max(firstRow, 1);
  lastRow = std::min(lastRow, RowCount());
  if (lastRow <= firstRow) return;
  std::vector<SpreadGridModel::Key> modelKeys;
  for (const SortKey& key : keys) {
    if (key.column < 1 || key.column > ColumnCount()) continue;
    modelKeys.push_back({key.column - 1, key.ascending});
    if (modelKeys.size() == 2) break;
  }
  if (modelKeys.empty()) return;
  SettleCurrent();
  // Rows of one height leave every section as it was, however they move.
  const bool uniform = model_->HeightsUniform(firstRow - 1, lastRow - 1);
  model_->SortRows(firstRow - 1, lastRow - 1, modelKeys);
  if (!uniform) ApplyRowGeometry(firstRow, lastRow);
}

bool SpreadGrid::ButtonDrawnPressed(int column, int row) const {
  const QModelIndex pressed = delegate_->Pressed();
  return pressed.isValid() && pressed.column() == column - 1 && pressed.row() == row - 1;
}

int SpreadGrid::ShownRowFrom(int row) const {
  JoinView();
  const int rows = RowCount();
  if (rows == 0) return 0;
  row = std::clamp(row, 1, rows);
  for (int r = row; r <= rows; ++r) {
    if (!isRowHidden(r - 1)) return r;
  }
  for (int r = row - 1; r >= 1; --r) {
    if (!isRowHidden(r - 1)) return r;
  }
  return 0;
}

void SpreadGrid::SetCurrentCell(int column, int row) {
  if (column < 1 || column > ColumnCount()) return;
  clickedCurrent_ = QPersistentModelIndex();
  if (!Joined()) {
    pendingCurrent_ = {column, row};
    return;
  }
  const int shown = ShownRowFrom(row);
  if (shown == 0) {
    selectionModel()->clear();
    return;
  }
  // Current without being selected: nothing is drawn in the selection colour until the
  // user moves or clicks.
  selectionModel()->setCurrentIndex(model_->index(shown - 1, column - 1),
                                    QItemSelectionModel::Clear);
}

bool SpreadGrid::ColumnShown(int column) const {
  JoinView();
  if (column < 1 || column > ColumnCount() || isColumnHidden(column - 1)) return false;
  return columnWidth(column - 1) >= QFontMetrics(font()).horizontalAdvance(u'0');
}

bool SpreadGrid::RowShown(int row) const {
  JoinView();
  return row >= 1 && row <= RowCount() && !isRowHidden(row - 1);
}

void SpreadGrid::PressButton(int column, int row) {
  if (!RowShown(row) || !ColumnShown(column) ||
      model_->ColumnKind(column - 1) != SpreadGridModel::Kind::Button) {
    return;
  }
  emit ButtonClicked(column, row);
}

bool SpreadGrid::Typing() const {
  return !typed_.isEmpty() && typedAt_.isValid() &&
         typedAt_.elapsed() < QApplication::keyboardInputInterval();
}

void SpreadGrid::keyboardSearch(const QString& search) {
  const auto printable = [](QChar c) { return c.isPrint(); };
  if (search.isEmpty() || !std::all_of(search.begin(), search.end(), printable)) return;
  JoinView();
  clickedCurrent_ = QPersistentModelIndex();
  typed_ = Typing() ? typed_ + search : search;
  typedAt_.start();
  const QModelIndex current = currentIndex();
  // One key again and again steps on from row to row; more keys refine the current match.
  const bool stepping =
      std::all_of(typed_.begin(), typed_.end(), [this](QChar c) { return c == typed_.front(); });
  const QString wanted = ForSearch(stepping ? typed_.left(1) : typed_);
  int column = searchColumn_ > 0 ? searchColumn_ : current.column() + 1;
  for (int c = 1; column < 1 && c <= ColumnCount(); ++c) {
    if (ColumnShown(c)) column = c;
  }
  const int rows = RowCount();
  if (column < 1 || column > ColumnCount() || rows == 0 || wanted.isEmpty()) return;
  const int from = current.isValid() ? current.row() + (stepping ? 1 : 0) : 0;
  for (int i = 0; i < rows; ++i) {
    const int row = (from + i) % rows;
    if (isRowHidden(row)) continue;
    // Folding may join characters (a half-width kana and its sound mark): a little more
    // of the text than the typed length is compared.
    const QString text = model_->DisplayText(column - 1, row).left(2 * wanted.size() + 1);
    if (!ForSearch(text).startsWith(wanted)) continue;
    // The cell moves down its own column, as an arrow key moves it.
    setCurrentIndex(model_->index(row, current.isValid() ? current.column() : column - 1));
    return;
  }
}

void SpreadGrid::SetSortMark(int column, bool ascending) {
  QHeaderView* header = horizontalHeader();
  const bool marked = column >= 1 && column <= ColumnCount();
  header->setSortIndicatorShown(marked);
  if (marked) {
    header->setSortIndicator(column - 1, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  }
}

int SpreadGrid::SortMarkColumn() const {
  const QHeaderView* header = horizontalHeader();
  return header->isSortIndicatorShown() ? header->sortIndicatorSection() + 1 : 0;
}

void SpreadGrid::SetEmptyText(const QString& text) {
  emptyText_ = text;
  viewport()->update();
}

bool SpreadGrid::CellTextCut(int column, int row) const {
  if (!ValidCell(column, row) || !RowShown(row) || !ColumnShown(column)) return false;
  const QModelIndex index = model_->index(row - 1, column - 1);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  return delegate_->TextIsCut(option, index);
}

void SpreadGrid::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (emptyText_.isEmpty() || RowCount() > 0) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                   emptyText_);
}

void SpreadGrid::keyPressEvent(QKeyEvent* event) {
  clickedCurrent_ = QPersistentModelIndex();  // a keyboard move shows its cell
  const int key = event->key();
  const QModelIndex current = currentIndex();
  // A key that types nothing ends what was being typed; Shift on its way to a capital does not.
  const bool modifier = (key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock) || key == Qt::Key_AltGr;
  if (!modifier && (event->text().isEmpty() || !event->text().front().isPrint())) typed_.clear();
  if (key == Qt::Key_S && event->modifiers() == Qt::ControlModifier && current.isValid() &&
      !horizontalHeader()->isHidden()) {
    event->accept();
    emit CellClicked(current.column() + 1, 0);
    return;
  }
  if (key == Qt::Key_Space && Typing()) {  // a blank inside what is being typed
    event->accept();
    keyboardSearch(QStringLiteral(" "));
    return;
  }
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (current.isValid() &&
        model_->ColumnKind(current.column()) == SpreadGridModel::Kind::Button) {
      event->accept();
      PressButton(current.column() + 1, current.row() + 1);
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

QModelIndex SpreadGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  if (!next.isValid() || ColumnShown(next.column() + 1)) return next;
  // On past the sliver the way the move goes; up and down fall back to the left.
  const bool leftwards = action == MoveLeft || action == MovePrevious || action == MoveEnd;
  const int step = leftwards ? -1 : 1;
  for (int column = next.column() + 1 + step; column >= 1 && column <= ColumnCount();
       column += step) {
    if (ColumnShown(column)) return model_->index(next.row(), column - 1);
  }
  if (action == MoveUp || action == MoveDown || action == MovePageUp || action == MovePageDown) {
    for (int column = next.column(); column >= 1; --column) {
      if (ColumnShown(column)) return model_->index(next.row(), column - 1);
    }
  }
  return currentIndex();  // no shown column that way: the move stays
}

void SpreadGrid::NotifyAccessibleCell(const QModelIndex& index, int event) {
  if (!QAccessible::isActive() || !index.isValid()) return;
  const int child = SpreadGridAccessibleChild(*this, index.column() + 1, index.row() + 1);
  if (child < 0) return;
  QAccessibleEvent notice(this, static_cast<QAccessible::Event>(event));
  notice.setChild(child);
  QAccessible::updateAccessibility(&notice);
}

void SpreadGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // The table view's own notice counts hidden rows and columns: the item view's part only.
  if (hasFocus()) NotifyAccessibleCell(current, QAccessible::Focus);
  QAbstractItemView::currentChanged(current, previous);
}

void SpreadGrid::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
  NotifyAccessibleCell(selected.indexes().value(0), QAccessible::SelectionAdd);
  NotifyAccessibleCell(deselected.indexes().value(0), QAccessible::SelectionRemove);
  QAbstractItemView::selectionChanged(selected, deselected);
}

void SpreadGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  // For a screen reader the grid's focus is its current cell's. The desktop tells of the
  // grid's own focus after this event: the cell is told once that is done.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (hasFocus()) NotifyAccessibleCell(currentIndex(), QAccessible::Focus);
      },
      Qt::QueuedConnection);
}

void SpreadGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  ReleaseButton();
  // The clicked cell becomes current where it is: the grid does not scroll under the pointer.
  if (index.isValid()) clickedCurrent_ = index;
  QTableView::mousePressEvent(event);
  if (!index.isValid() || event->button() != Qt::LeftButton) return;
  if (model_->ColumnKind(index.column()) == SpreadGridModel::Kind::Button) {
    held_ = index;
    delegate_->SetPressed(index);
    viewport()->update(visualRect(index));
  }
  emit CellClicked(index.column() + 1, index.row() + 1);
}

void SpreadGrid::mouseMoveEvent(QMouseEvent* event) {
  if (held_.isValid()) {
    // A held button is drawn pressed only while the pointer is over it.
    const bool over = indexAt(event->position().toPoint()) == held_;
    if (over != (delegate_->Pressed() == held_)) {
      delegate_->SetPressed(over ? QModelIndex(held_) : QModelIndex());
      viewport()->update(visualRect(held_));
    }
  }
  // Dragging neither moves the current cell nor scrolls the grid.
  if (event->buttons() & Qt::LeftButton) return;
  QTableView::mouseMoveEvent(event);
}

void SpreadGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QTableView::mouseReleaseEvent(event);
    return;
  }
  // A button fires on release over the cell that was pressed, as a push button does; it is
  // drawn raised again first, in case the click opens a modal dialog.
  const bool fire = held_.isValid() && indexAt(event->position().toPoint()) == held_;
  const int column = held_.column() + 1;
  const int row = held_.row() + 1;
  ReleaseButton();
  QTableView::mouseReleaseEvent(event);
  if (fire) emit ButtonClicked(column, row);
}

void SpreadGrid::focusOutEvent(QFocusEvent* event) {
  ReleaseButton();  // a dialog or another window took over while the button was held
  QTableView::focusOutEvent(event);
}

void SpreadGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (index.isValid() && index == clickedCurrent_) return;
  QTableView::scrollTo(index, hint);
}

void SpreadGrid::ReleaseButton() {
  held_ = QPersistentModelIndex();
  const QModelIndex pressed = delegate_->Pressed();
  if (!pressed.isValid()) return;
  delegate_->SetPressed(QModelIndex());
  viewport()->update(visualRect(pressed));
}

}  // namespace orva
