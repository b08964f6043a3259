#pragma once

#include <QWidget>

#include "document/page_table.hpp"
#include "ui/page_context.hpp"

class QCheckBox;
class QComboBox;
class QLabel;

namespace glt::ui {

// The page "Конфигурация": the device model and the general options of the
// DevConfig block. The line-control time-out lives in its list until the
// write-back stores it.
class DevConfigPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit DevConfigPage(PageContext& context, QWidget* parent = nullptr);

    void Default() override;          // DefaultDevConfig
    void Refresh() override;          // GetDevConfig
    void WriteBack() override;        // SetDevConfig

    // The main window fills the time-out list once at start-up: 60 items,
    // the fifth (5 с) selected.
    void FillTimeoutList();

private:
    void CBConfigChange(int row);
    void CBFixConfigClick(bool ticked);
    void CBLineControlClick(bool ticked);
    void CBMBusMasterClick(bool ticked);
    void ShowModelCaptions();

    PageContext& ctx_;
    QComboBox* config_;
    QLabel* configCaption_;
    QLabel* windowCaption_;
    QCheckBox* fixConfig_;
    QCheckBox* lineControl_;
    QLabel* timeoutLabel_;
    QComboBox* timeout_;
    QCheckBox* mbusMaster_;
};

} // namespace glt::ui
