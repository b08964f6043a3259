#pragma once

#include <QWidget>

#include "document/codecs/out_data_base.hpp"
#include "document/page_table.hpp"
#include "ui/grid/string_grid.hpp"
#include "ui/page_context.hpp"

class QMenu;
class QToolButton;

namespace glt::ui {

// Page "Выходы": the relay table. Every edit goes into the image at once; the
// grid is redrawn from the image.
class OutputsPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit OutputsPage(PageContext& context, QWidget* parent = nullptr);
    void Setup() override;   // InitOutBaseGrid
    void Default() override; // DefaultOutDataBase
    void Refresh() override; // GetOutDataBase
    // Rewrites the two external-input columns from the input assignments.
    void ShowRelayInputs();

    StringGrid& Grid() { return *ASGOutBase; }

private:
    GridEditor ASGOutBaseGetEditorType(int col, int row) const;
    bool ASGOutBaseCanEditCell(int col, int row) const;
    void ASGOutBaseComboChange(int col, int row, int position);
    void ASGOutBaseCheckBoxClick(int col, int row, bool checked);
    void ASGOutBaseCellValidate(int col, int row, const QString& text);
    void N18Click(int tag);

    void ShowRowType(int row, OutputType type);

    PageContext& ctx_;
    StringGrid* ASGOutBase;
    QMenu* PMFillOutDataBase;
    QToolButton* SBFillOutDataBase;
};

} // namespace glt::ui
