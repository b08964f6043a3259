#pragma once

#include "ui/grid/grid_delegate.hpp"

namespace glt::ui {

// Item role of a fixed cell whose caption is drawn turned by 90 degrees,
// reading upwards; the cell's own text stays empty.
inline constexpr int kTurnedCaptionRole = Qt::UserRole + 40;

// The look of the structure and external-network grids on top of the shared
// grid: fixed cells whose captions wrap onto several lines or stand turned,
// selected rows shaded from white to orange, the active cell in bold.
class PageGridDelegate : public GridDelegate {
    Q_OBJECT
public:
    explicit PageGridDelegate(StringGrid& grid);

    // Replaces the grid's own delegate with this one and shades the fixed
    // cells from white to the button face colour.
    static void Install(StringGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void PaintFixedCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    StringGrid& grid_;
};

} // namespace glt::ui
