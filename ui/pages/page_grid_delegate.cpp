#include "ui/pages/page_grid_delegate.hpp"

#include <QPainter>

#include "ui/grid/string_grid.hpp"
#include "ui/look.hpp"

namespace glt::ui {

namespace {

constexpr int kTextPadding = 3;
constexpr std::uint32_t kSelectedRowShade = 0x000080FF;
constexpr std::uint32_t kBtnFace = 0x00F0F0F0;

} // namespace

PageGridDelegate::PageGridDelegate(StringGrid& grid) : GridDelegate(grid), grid_(grid) {}

void PageGridDelegate::Install(StringGrid& grid)
{
    grid.SetFixedColours(Qt::white, BgrColor(kBtnFace));
    QAbstractItemDelegate* shared = grid.itemDelegate();
    grid.setItemDelegate(new PageGridDelegate(grid));
    delete shared;
}

void PageGridDelegate::PaintFixedCell(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    PrepareFixed(painter, option, index.column(), index.row());
    const QRect r = option.rect;
    const QString turned = index.data(kTurnedCaptionRole).toString();
    if (!turned.isEmpty()) {
        painter->translate(r.center());
        painter->rotate(-90);
        const QRect upright(-r.height() / 2, -r.width() / 2, r.height(), r.width());
        painter->drawText(upright, Qt::AlignCenter, turned);
        return;
    }
    const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    painter->drawText(r.adjusted(kTextPadding, 0, -kTextPadding, 0), static_cast<int>(alignment) | Qt::TextWordWrap,
        grid_.Cell(index.column(), index.row()));
}

void PageGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (grid_.IsFixed(index.column(), index.row())) {
        painter->save();
        PaintFixedCell(painter, option, index);
        painter->restore();
        return;
    }
    QStyleOptionViewItem own = option;
    const bool rowSelected = (option.state & QStyle::State_Selected) != 0
        && grid_.selectionBehavior() == QAbstractItemView::SelectRows;
    own.state &= ~QStyle::State_Selected;
    if ((option.state & QStyle::State_HasFocus) != 0) {
        own.font.setBold(true);
    }
    GridDelegate::paint(painter, own, index);
    if (rowSelected) {
        // Multiplying keeps the text and the cell colour readable under the shade.
        painter->save();
        QLinearGradient shade(option.rect.topLeft(), option.rect.bottomLeft());
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(1, BgrColor(kSelectedRowShade));
        painter->setCompositionMode(QPainter::CompositionMode_Multiply);
        painter->fillRect(option.rect, shade);
        painter->restore();
    }
}

} // namespace glt::ui
