#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "link/connect_device.hpp"

class QComboBox;
class QRadioButton;
class QToolButton;

namespace glt::ui {

// The connection settings: a borderless panel hanging under the toolbar's
// connection button. It has nothing to confirm: whatever it shows is what the
// next device command uses. It hides on losing activation, on Enter and on
// Escape, and keeps its values for the whole run.
class TFMBParam : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 175;
    static constexpr int kHeight = 226;

    // ports: the serial ports in the order the user sees them; the first is
    // selected. anchor: the toolbar button, unflattened while the panel is open.
    TFMBParam(const std::vector<std::string>& ports, QToolButton& anchor);

    ConnectionSettings Settings() const;

protected:
    void showEvent(QShowEvent* event) override;  // FormShow
    void hideEvent(QHideEvent* event) override;  // FormClose
    void changeEvent(QEvent* event) override;    // FormDeactivate
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // FormKeyDown: true when the key closed the panel.
    bool FormKeyDown(int key);

    QToolButton& anchor_;
    QComboBox* port_;
    QComboBox* baudRate_;
    QRadioButton* twoStopBits_;
    QRadioButton* oneStopBits_;
    QRadioButton* noParity_;
    QRadioButton* evenParity_;
    QRadioButton* oddParity_;
};

} // namespace glt::ui
