#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

class QComboBox;
class QRadioButton;

namespace glt::ui {

class AddressBox;

// The page "ModBus": the panel's own slave settings (MBusSettings). Its
// values live in the controls until the write-back stores them.
class MBusPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit MBusPage(PageContext& context, QWidget* parent = nullptr);

    void Default() override;   // DefaultMBSettings
    void Refresh() override;   // GetMBusSettings
    void WriteBack() override; // SetMBusSettings

private:
    PageContext& ctx_;
    AddressBox* netAddress_;
    QComboBox* baudRate_;
    QRadioButton* twoStopBits_;
    QRadioButton* oneStopBits_;
    QRadioButton* noParity_;
    QRadioButton* evenParity_;
    QRadioButton* oddParity_;
};

} // namespace glt::ui
