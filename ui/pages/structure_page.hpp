#pragma once

#include <QWidget>

#include "document/codecs/cross_bar.hpp"
#include "document/page_table.hpp"
#include "ui/grid/string_grid.hpp"
#include "ui/page_context.hpp"

class QToolButton;

namespace glt::ui {

// "Структура": one grid row per input with its eight output cells, what the
// input drives and its number. Every click, choice and accepted number writes
// the image at once; GetCrossBar redraws from it.
class StructurePage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit StructurePage(PageContext& context, QWidget* parent = nullptr);

    void Setup() override;   // InitCrossBarGrid
    void Default() override; // DefaultCrossBar
    void Refresh() override; // GetCrossBar

    void InitCrossBarGrid();
    void GetCrossBar();
    void DefaultCrossBar();

    // The fill menu's items.
    void N71Click();
    void ModBus2Click();
    void N19Click();

    StringGrid& ASGCrossBar() { return *grid_; }

    // Grid columns.
    static constexpr int kInputColumn = 1;
    static constexpr int kFirstOutputColumn = 2;
    static constexpr int kKindColumn = 10;
    static constexpr int kNumberColumn = 11;

private:
    void ShowCrossBarRow(int i);
    void ShowAssignRow(int i);
    bool CheckAssignNumber(int row, AssignKind kind);
    void StoreAssignCode(int row, AssignKind kind);
    void PaintOutputCell(int col, int row, bool active);
    QColor NormalBackground(int row) const;
    void Fill(CrossBarFill fill);

    GridEditor ASGCrossBarGetEditorType(int col, int row) const;
    bool ASGCrossBarCanEditCell(int row, int col) const;
    void ASGCrossBarClickCell(int row, int col);
    void ASGCrossBarComboChange(int col, int row, int position, const QString& text);
    void ASGCrossBarCellValidate(int col, int row, const QString& text);

    PageContext& ctx_;
    StringGrid* grid_;
    QToolButton* fillButton_;
};

} // namespace glt::ui
