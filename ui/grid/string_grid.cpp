#include "ui/grid/string_grid.hpp"

#include <stdexcept>

#include <QHeaderView>

#include "ui/error_presenter.hpp"
#include "ui/grid/grid_delegate.hpp"

namespace glt::ui {
namespace {

// Item data the grid keeps beside Qt's own roles; the check state is kept
// apart from Qt::CheckStateRole so that only this grid paints and toggles it.
constexpr int kHasCheckBoxRole = Qt::UserRole + 1;
constexpr int kCheckedRole = Qt::UserRole + 2;

const QColor kDefaultFixed(0xF0, 0xF0, 0xF0);

} // namespace

StringGrid::StringGrid(int cols, int rows, int fixedCols, int fixedRows, QWidget* parent)
    : QTableWidget(rows, cols, parent), fixedCols_(fixedCols), fixedRows_(fixedRows), fixedTop_(kDefaultFixed),
      fixedBottom_(kDefaultFixed)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setItemDelegate(new GridDelegate(*this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
        | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    SetScrollBars(Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(IsFixed(col, row) ? Qt::ItemIsEnabled
                                             : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, col, cell);
        }
    }
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) {
        // A list cell opens its drop-down at the first click, as a list box would.
        if (!IsFixed(col, row) && !HasCheckBox(col, row) && EditorFor(col, row) == GridEditor::ComboList
            && MayEdit(col, row)) {
            edit(model()->index(row, col));
        }
        if (hooks_.clickCell) {
            Guarded(this, [&] { hooks_.clickCell(col, row); });
        }
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
        if (hooks_.dblClickCell) {
            Guarded(this, [&] { hooks_.dblClickCell(col, row); });
        }
    });
}

void StringGrid::SetHooks(GridHooks hooks) { hooks_ = std::move(hooks); }

void StringGrid::SetColumnWidths(const std::vector<int>& widths)
{
    for (int col = 0; col < static_cast<int>(widths.size()) && col < columnCount(); ++col) {
        setColumnWidth(col, widths[static_cast<std::size_t>(col)]);
    }
}

void StringGrid::SetRowHeights(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, height);
    }
}

void StringGrid::SetScrollBars(Qt::ScrollBarPolicy horizontal, Qt::ScrollBarPolicy vertical)
{
    setHorizontalScrollBarPolicy(horizontal);
    setVerticalScrollBarPolicy(vertical);
}

void StringGrid::SetRowSelect(bool wholeRows)
{
    setSelectionBehavior(wholeRows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void StringGrid::SetFixedColours(const QColor& top, const QColor& bottom)
{
    fixedTop_ = top;
    fixedBottom_ = bottom;
    viewport()->update();
}

void StringGrid::SetComboItems(const QStringList& items) { comboItems_ = items; }

void StringGrid::SetMaxEditLength(int length) { maxEditLength_ = length; }

QTableWidgetItem& StringGrid::ItemAt(int col, int row)
{
    QTableWidgetItem* cell = item(row, col);
    if (cell == nullptr) {
        throw std::out_of_range("grid cell out of range");
    }
    return *cell;
}

const QTableWidgetItem* StringGrid::ItemOrNull(int col, int row) const { return item(row, col); }

QString StringGrid::Cell(int col, int row) const
{
    const auto* cell = ItemOrNull(col, row);
    return cell != nullptr ? cell->text() : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) { ItemAt(col, row).setText(text); }

void StringGrid::SetAlignment(int col, int row, Qt::Alignment alignment)
{
    ItemAt(col, row).setTextAlignment(alignment);
}

void StringGrid::Merge(int col, int row, int colSpan, int rowSpan) { setSpan(row, col, rowSpan, colSpan); }

QColor StringGrid::CellColour(int col, int row) const
{
    const auto* cell = ItemOrNull(col, row);
    if (cell == nullptr || cell->background().style() == Qt::NoBrush) {
        return palette().color(QPalette::Base);
    }
    return cell->background().color();
}

void StringGrid::SetCellColour(int col, int row, const QColor& colour) { ItemAt(col, row).setBackground(colour); }

QColor StringGrid::FontColour(int col, int row) const
{
    const auto* cell = ItemOrNull(col, row);
    if (cell == nullptr || cell->foreground().style() == Qt::NoBrush) {
        return palette().color(QPalette::Text);
    }
    return cell->foreground().color();
}

void StringGrid::SetFontColour(int col, int row, const QColor& colour) { ItemAt(col, row).setForeground(colour); }

void StringGrid::AddCheckBox(int col, int row, bool checked)
{
    auto& cell = ItemAt(col, row);
    cell.setData(kHasCheckBoxRole, true);
    cell.setData(kCheckedRole, checked);
}

bool StringGrid::HasCheckBox(int col, int row) const
{
    const auto* cell = ItemOrNull(col, row);
    return cell != nullptr && cell->data(kHasCheckBoxRole).toBool();
}

bool StringGrid::IsChecked(int col, int row) const
{
    const auto* cell = ItemOrNull(col, row);
    return cell != nullptr && cell->data(kCheckedRole).toBool();
}

void StringGrid::SetChecked(int col, int row, bool checked) { ItemAt(col, row).setData(kCheckedRole, checked); }

GridEditor StringGrid::EditorFor(int col, int row)
{
    GridEditor kind = GridEditor::Digits;
    if (hooks_.getEditorType) {
        Guarded(this, [&] { kind = hooks_.getEditorType(col, row); });
    }
    return kind;
}

bool StringGrid::MayEdit(int col, int row)
{
    if (IsFixed(col, row)) {
        return false;
    }
    bool allowed = true;
    if (hooks_.canEditCell) {
        // A failing rule locks the cell rather than opening it.
        allowed = false;
        Guarded(this, [&] { allowed = hooks_.canEditCell(col, row); });
    }
    return allowed;
}

void StringGrid::UserToggleCheckBox(int col, int row)
{
    if (!HasCheckBox(col, row) || !MayEdit(col, row)) {
        return;
    }
    const bool checked = !IsChecked(col, row);
    SetChecked(col, row, checked);
    RepaintCell(col, row);
    if (hooks_.checkBoxClick) {
        Guarded(this, [&] { hooks_.checkBoxClick(col, row, checked); });
    }
}

void StringGrid::UserChoseItem(int col, int row, int position)
{
    if (position < 0 || position >= comboItems_.size() || !MayEdit(col, row)) {
        return;
    }
    const QString text = comboItems_.at(position);
    SetCell(col, row, text);
    if (hooks_.comboChange) {
        Guarded(this, [&] { hooks_.comboChange(col, row, position, text); });
    }
}

void StringGrid::UserEntered(int col, int row, const QString& text)
{
    if (!MayEdit(col, row)) {
        return;
    }
    SetCell(col, row, text);
    if (hooks_.cellValidate) {
        Guarded(this, [&] { hooks_.cellValidate(col, row, text); });
    }
}

void StringGrid::RepaintCell(int col, int row) { viewport()->update(visualRect(model()->index(row, col))); }

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.isValid() && IsFixed(index.column(), index.row())) {
        return false;
    }
    return QTableWidget::edit(index, trigger, event);
}

} // namespace glt::ui
