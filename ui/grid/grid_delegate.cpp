#include "ui/grid/grid_delegate.hpp"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "ui/grid/string_grid.hpp"

namespace glt::ui {
namespace {

constexpr int kTextPadding = 3;

QStyle* StyleOf(const QStyleOptionViewItem& option)
{
    return option.widget != nullptr ? option.widget->style() : QApplication::style();
}

QRect CheckBoxRect(const QStyleOptionViewItem& option)
{
    QStyleOptionButton box;
    const QRect indicator = StyleOf(option)->subElementRect(QStyle::SE_CheckBoxIndicator, &box, option.widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, indicator.size(), option.rect);
}

} // namespace

GridDelegate::GridDelegate(StringGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

void GridDelegate::PrepareFixed(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const
{
    const QRect r = option.rect;
    if (grid_.FixedTop() == grid_.FixedBottom()) {
        painter->fillRect(r, grid_.FixedTop());
    } else {
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, grid_.FixedTop());
        gradient.setColorAt(1, grid_.FixedBottom());
        painter->fillRect(r, gradient);
    }
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(grid_.FontColour(col, row));
}

void GridDelegate::PaintFixed(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const
{
    PrepareFixed(painter, option, col, row);
    const QRect r = option.rect;
    const auto* item = grid_.item(row, col);
    const auto alignment = item != nullptr ? Qt::Alignment(item->textAlignment()) : Qt::AlignCenter;
    painter->drawText(r.adjusted(kTextPadding, 0, -kTextPadding, 0), static_cast<int>(alignment), grid_.Cell(col, row));
}

void GridDelegate::PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const
{
    QStyleOptionButton box;
    box.rect = CheckBoxRect(option);
    box.state = grid_.IsChecked(col, row) ? QStyle::State_On : QStyle::State_Off;
    box.palette = option.palette;
    // A locked cell keeps its state visible but shows that it cannot change.
    if (grid_.MayEdit(col, row)) {
        box.state |= QStyle::State_Enabled;
    } else {
        box.palette.setCurrentColorGroup(QPalette::Disabled);
    }
    StyleOf(option)->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int col = index.column();
    const int row = index.row();
    painter->save();
    if (grid_.IsFixed(col, row)) {
        PaintFixed(painter, option, col, row);
        painter->restore();
        return;
    }
    painter->fillRect(option.rect, grid_.CellColour(col, row));
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    if (selected && grid_.selectionBehavior() == QAbstractItemView::SelectRows) {
        QColor tint = option.palette.color(QPalette::Highlight);
        tint.setAlpha(80);
        painter->fillRect(option.rect, tint);
    }
    if (grid_.HasCheckBox(col, row)) {
        PaintCheckBox(painter, option, col, row);
    } else {
        painter->setFont(option.font);
        painter->setPen(grid_.FontColour(col, row));
        const auto* item = grid_.item(row, col);
        const auto alignment = item != nullptr ? Qt::Alignment(item->textAlignment()) : Qt::AlignLeft | Qt::AlignVCenter;
        painter->drawText(option.rect.adjusted(kTextPadding, 0, -kTextPadding, 0), static_cast<int>(alignment),
            grid_.Cell(col, row));
    }
    if ((option.state & QStyle::State_HasFocus) != 0) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        focus.state = QStyle::State_KeyboardFocusChange;
        focus.backgroundColor = grid_.CellColour(col, row);
        StyleOf(option)->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int col = index.column();
    const int row = index.row();
    if (grid_.HasCheckBox(col, row) || !grid_.MayEdit(col, row)) {
        return nullptr;
    }
    switch (grid_.EditorFor(col, row)) {
    case GridEditor::Digits: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setFont(option.font);
        edit->setMaxLength(grid_.MaxEditLength());
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        edit->setAlignment(Qt::Alignment(grid_.item(row, col) != nullptr ? grid_.item(row, col)->textAlignment()
                                                                         : Qt::AlignLeft | Qt::AlignVCenter));
        return edit;
    }
    case GridEditor::ComboList: {
        auto* combo = new QComboBox(parent);
        combo->setFrame(false);
        combo->setFont(option.font);
        combo->setEditable(false);
        combo->addItems(grid_.ComboItems());
        // Only a choice the user makes reaches the page, not the editor closing.
        connect(combo, &QComboBox::activated, this, [this, combo, col, row](int position) {
            grid_.UserChoseItem(col, row, position);
            emit const_cast<GridDelegate*>(this)->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        return combo;
    }
    case GridEditor::None: break;
    }
    return nullptr;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = grid_.Cell(index.column(), index.row());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(static_cast<int>(grid_.ComboItems().indexOf(text)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // What the user has typed stays when the cell changes under the open editor.
        if (edit->text().isEmpty()) {
            edit->setText(text.left(grid_.MaxEditLength()));
        }
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        grid_.UserEntered(index.column(), index.row(), edit->text());
    }
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* /*model*/, const QStyleOptionViewItem& option,
    const QModelIndex& index)
{
    const int col = index.column();
    const int row = index.row();
    if (!grid_.HasCheckBox(col, row)) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint())) {
            return false;
        }
        grid_.UserToggleCheckBox(col, row);
        return true;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space) {
            return false;
        }
        grid_.UserToggleCheckBox(col, row);
        return true;
    default: return false;
    }
}

} // namespace glt::ui
