#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

namespace glt::ui {

class InputsPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit InputsPage(PageContext& context, QWidget* parent = nullptr);
    void Default() override;
    void Refresh() override;

private:
    PageContext& ctx_;
};

} // namespace glt::ui
