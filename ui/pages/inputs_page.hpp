#pragma once

#include <array>

#include <QWidget>

#include "document/codecs/input_type.hpp"
#include "document/page_table.hpp"
#include "ui/page_context.hpp"

class QMenu;
class QToolButton;

namespace glt::ui {

class CaptionBox;

// Page "Входы": the contact type of every input, one toggle button each.
// Every click writes the image at once; the page is redrawn from the image.
class InputsPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit InputsPage(PageContext& context, QWidget* parent = nullptr);
    void Default() override; // DefaultInputType
    void Refresh() override; // GetInputType

private:
    void SBTypeContactClick(QToolButton* button);
    void N13Click(int tag);
    bool ModbusMaster() const;
    void ShowContact(QToolButton* button, ContactType type);

    PageContext& ctx_;
    CaptionBox* AGBoxDIK;
    CaptionBox* AGBoxMODBUS;
    std::array<QToolButton*, kInputCount> SBTypeContact{};
    QMenu* PMFillInputType;
    QToolButton* SBFillInputType;
};

} // namespace glt::ui
