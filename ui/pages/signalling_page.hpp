#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

namespace glt::ui {

class SignallingPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit SignallingPage(PageContext& context, QWidget* parent = nullptr);
    void Default() override;
    void Refresh() override;

private:
    PageContext& ctx_;
};

} // namespace glt::ui
