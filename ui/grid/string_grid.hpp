#pragma once

#include <functional>
#include <vector>

#include <QColor>
#include <QStringList>
#include <QTableWidget>

namespace glt::ui {

// What a cell is edited with when the user starts typing or clicks it twice.
enum class GridEditor {
    None,
    Digits,   // digits only, at most MaxEditLength characters
    ComboList // the grid's fixed list; no free text
};

// The rules and reactions a page gives the grid. Every hook is optional and
// runs inside the error presenter, so a page's handlers stay plain code.
// Cells are addressed (column, row) throughout, fixed rows and columns
// included.
struct GridHooks {
    std::function<GridEditor(int col, int row)> getEditorType;
    std::function<bool(int col, int row)> canEditCell;
    std::function<void(int col, int row, int position, const QString& text)> comboChange;
    std::function<void(int col, int row, bool checked)> checkBoxClick;
    // Runs after an edit was committed; the entered text is already in the cell.
    std::function<void(int col, int row, const QString& text)> cellValidate;
    std::function<void(int col, int row)> clickCell;
    std::function<void(int col, int row)> dblClickCell;
};

// A string grid: fixed header rows and columns drawn bold, merged cells,
// per-cell colours, centred check-box cells, a flat drop-down and a
// digits-only editor. Its text, colours and check states change only through
// the page or through a user action that the hooks hear about.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int cols, int rows, int fixedCols, int fixedRows, QWidget* parent = nullptr);

    void SetHooks(GridHooks hooks);
    const GridHooks& Hooks() const { return hooks_; }

    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    bool IsFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }

    void SetColumnWidths(const std::vector<int>& widths);
    void SetRowHeights(int height);
    // Both scroll bars are off unless a page asks for one.
    void SetScrollBars(Qt::ScrollBarPolicy horizontal, Qt::ScrollBarPolicy vertical);
    void SetRowSelect(bool wholeRows);
    // Fixed cells get a flat colour, or a top-to-bottom gradient when both differ.
    void SetFixedColours(const QColor& top, const QColor& bottom);
    QColor FixedTop() const { return fixedTop_; }
    QColor FixedBottom() const { return fixedBottom_; }

    void SetComboItems(const QStringList& items);
    const QStringList& ComboItems() const { return comboItems_; }
    void SetMaxEditLength(int length);
    int MaxEditLength() const { return maxEditLength_; }

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void SetAlignment(int col, int row, Qt::Alignment alignment);
    void Merge(int col, int row, int colSpan, int rowSpan);

    QColor CellColour(int col, int row) const;
    void SetCellColour(int col, int row, const QColor& colour);
    QColor FontColour(int col, int row) const;
    void SetFontColour(int col, int row, const QColor& colour);

    void AddCheckBox(int col, int row, bool checked);
    bool HasCheckBox(int col, int row) const;
    bool IsChecked(int col, int row) const;
    void SetChecked(int col, int row, bool checked);

    // The page's rules as the grid applies them to user actions.
    GridEditor EditorFor(int col, int row);
    bool MayEdit(int col, int row);

    // The user's actions, reached from the editors and the mouse or keyboard.
    void UserToggleCheckBox(int col, int row);
    void UserChoseItem(int col, int row, int position);
    void UserEntered(int col, int row, const QString& text);

    void RepaintCell(int col, int row);
    using QTableWidget::edit;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    QTableWidgetItem& ItemAt(int col, int row);
    const QTableWidgetItem* ItemOrNull(int col, int row) const;

    GridHooks hooks_;
    int fixedCols_;
    int fixedRows_;
    QColor fixedTop_;
    QColor fixedBottom_;
    QStringList comboItems_;
    int maxEditLength_ = 2;
};

} // namespace glt::ui
