#pragma once

#include <functional>

#include "ui/grid/string_grid.hpp"

namespace glt::ui {

// The external-network grid: whole rows are selected, and only rows that
// hold a request can be; nothing is typed into it.
class RequestGrid : public StringGrid {
    Q_OBJECT
public:
    // selectableRows gives the number of rows from the top (header rows
    // included) that may be selected.
    RequestGrid(int cols, int rows, int fixedRows, std::function<int()> selectableRows, QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;

private:
    std::function<int()> selectableRows_;
};

} // namespace glt::ui
