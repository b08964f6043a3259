#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

namespace glt::ui {

class RequestGrid;
class StringGrid;

// "Внешняя сеть": the poll requests, one grid row each, with the inputs they
// feed and their linked acknowledgment and reset entries. Its tab is never
// shown; the page is set up and redrawn like every other page.
class ExternalNetPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit ExternalNetPage(PageContext& context, QWidget* parent = nullptr);

    void Setup() override;   // InitExternalNetGrid
    void Default() override; // DefaultExternalNet
    void Refresh() override; // GetExternalNet

    void InitExternalNetGrid();
    void GetExternalNet();
    void DefaultExternalNet();

    void SBAddRequestClick();
    void SBDelRequestClick();
    void SBUpRequestRowClick();
    void SBDownRequestRowClick();
    void Button28Click();

    // The grid row of the selected request, or -1.
    int GetSelectedRequestRow() const;

    StringGrid& ASGExternalNet();

    // Grid layout: two header rows, then one row per possible request.
    static constexpr int kHeaderRows = 2;
    static constexpr int kInputColumn = 4;
    static constexpr int kReceiptColumn = 5;
    static constexpr int kResetColumn = 6;

private:
    void ShowRequestRow(int i);
    void ShowInputNumbers();
    void ShowLinkedEntries();
    void ShowMove(int (*move)(ConfigImage&, int));
    void SelectRequest(int index);
    int SelectedRequest() const;
    int RequestCount() const;
    void ASGExternalNetDblClickCell(int col, int row);

    PageContext& ctx_;
    RequestGrid* grid_;
};

} // namespace glt::ui
