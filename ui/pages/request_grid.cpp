#include "ui/pages/request_grid.hpp"

namespace glt::ui {

RequestGrid::RequestGrid(int cols, int rows, int fixedRows, std::function<int()> selectableRows, QWidget* parent)
    : StringGrid(cols, rows, 0, fixedRows, parent), selectableRows_(std::move(selectableRows))
{
    SetRowSelect(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QItemSelectionModel::SelectionFlags RequestGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (index.isValid() && (index.row() < FixedRows() || index.row() >= selectableRows_())) {
        return QItemSelectionModel::NoUpdate;
    }
    return StringGrid::selectionCommand(index, event);
}

} // namespace glt::ui
