#include "ui/address_box.hpp"

#include <QKeyEvent>

#include "document/codecs/address_text.hpp"

namespace glt::ui {

AddressBox::AddressBox(QWidget* parent) : QLineEdit(QStringLiteral("1"), parent)
{
    connect(this, &QLineEdit::textChanged, this, &AddressBox::EDeviceAddrChange);
}

std::uint8_t AddressBox::Address() const { return AddressFromText(text().toStdString()); }

void AddressBox::keyPressEvent(QKeyEvent* event)
{
    // Keys without a character (arrows, Delete, Home) edit as usual.
    for (const QChar ch : event->text()) {
        if (!IsAddressKey(ch.unicode())) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void AddressBox::EDeviceAddrChange(const QString& text)
{
    const std::string current = text.toStdString();
    const std::string clamped = ClampAddressText(current);
    if (clamped != current) {
        setText(QString::fromStdString(clamped));
    }
}

} // namespace glt::ui
