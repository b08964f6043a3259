#pragma once

#include <QStyledItemDelegate>

namespace glt::ui {

class StringGrid;

// Paints the grid's cells (bold fixed cells, cell colours, centred check
// boxes) and provides its two editors.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(StringGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // The background, bold font and pen of a fixed cell, before its text.
    void PrepareFixed(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    void PaintFixed(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const;
    void PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option, int col, int row) const;

    StringGrid& grid_;
};

} // namespace glt::ui
