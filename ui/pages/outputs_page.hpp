#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

namespace glt::ui {

class OutputsPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit OutputsPage(PageContext& context, QWidget* parent = nullptr);
    void Setup() override;
    void Default() override;
    void Refresh() override;
    // Rewrites the two external-input columns from the input assignments.
    void ShowRelayInputs();
private:
    PageContext& ctx_;
};

} // namespace glt::ui
