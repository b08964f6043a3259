#pragma once

#include <cstdint>

#include <QLineEdit>

namespace glt::ui {

// An edit box for a Modbus address: typed characters other than digits and
// Backspace are dropped, and after every change the text is kept within 1-255.
class AddressBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AddressBox(QWidget* parent = nullptr);

    // The address shown; throws glt::Error for text that is not a whole number.
    std::uint8_t Address() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void EDeviceAddrChange(const QString& text);
};

} // namespace glt::ui
