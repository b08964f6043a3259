#include "ui/request_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/error_presenter.hpp"
#include "ui/form_controls.hpp"
#include "ui/look.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

namespace {

QLineEdit* Field(const char* name, const QString& accessible, const QString& text, QWidget* parent, QRect at)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessible);
    edit->setGeometry(at);
    // The bold captions of the group boxes are not meant for the values.
    edit->setFont(WindowFont());
    return edit;
}

// A rounded frame whose caption leaves room at its start for the check box
// that sits on it.
QGroupBox* RoundedGroup(const QString& title, QWidget* parent, QRect at)
{
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(at);
    QFont font = group->font();
    font.setBold(true);
    group->setFont(font);
    group->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid #9a9a9a; border-radius: 7px; margin-top: 8px; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    return group;
}

QCheckBox* CaptionCheckBox(const char* name, const QString& accessible, QGroupBox* group)
{
    auto* box = new QCheckBox(group);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessible);
    box->move(10, 1);
    box->adjustSize();
    return box;
}

} // namespace

TFMBMaster::TFMBMaster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FMBMaster"));
    setWindowTitle(QStringLiteral("FMBMaster"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(581, 123);
    setWindowOpacity(240.0 / 255.0);
    setFont(WindowFont());

    constexpr int fieldX = 168;
    constexpr int fieldW = 92;
    MakeBoldLabel(QStringLiteral("Сетевой адрес устройства"), 8, 11, this);
    ENetAddress_ = Field("ENetAddress", QStringLiteral("Сетевой адрес устройства"), QStringLiteral("1"), this,
        {fieldX, 8, fieldW, 21});
    MakeBoldLabel(QStringLiteral("Функция ModBus"), 8, 38, this);
    CBFunction_ = new QComboBox(this);
    CBFunction_->setObjectName(QStringLiteral("CBFunction"));
    CBFunction_->setAccessibleName(QStringLiteral("Функция ModBus"));
    CBFunction_->setGeometry(fieldX, 35, fieldW, 21);
    // Editable so that a function without a name can show its code.
    CBFunction_->setEditable(true);
    for (std::string_view item : kFunctionItems) {
        CBFunction_->addItem(Utf8(item));
    }
    CBFunction_->setCurrentIndex(1);
    MakeBoldLabel(QStringLiteral("Начальный адрес данных"), 8, 65, this);
    EDataAdress_ = Field("EDataAdress", QStringLiteral("Начальный адрес данных"), QStringLiteral("0x0000"), this,
        {fieldX, 62, fieldW, 21});
    MakeBoldLabel(QStringLiteral("Количество данных"), 8, 92, this);
    EDataValue_ = Field("EDataValue", QStringLiteral("Количество данных"), QStringLiteral("32"), this,
        {fieldX, 89, fieldW, 21});

    QGroupBox* receipt = RoundedGroup(QStringLiteral("     Квитирование "), this, {276, 4, 148, 76});
    receipt->setObjectName(QStringLiteral("AGBReceipt"));
    CBReceipt_ = CaptionCheckBox("CBReceipt", QStringLiteral("Квитирование"), receipt);
    MakeBoldLabel(QStringLiteral("Адрес"), 12, 38, receipt);
    EReceiptAddr_ = Field("EReceiptAddr", QStringLiteral("Адрес квитирования"), QStringLiteral("0x0000"), receipt,
        {58, 35, 78, 21});

    QGroupBox* unset = RoundedGroup(QStringLiteral("     Сброс "), this, {428, 4, 148, 76});
    unset->setObjectName(QStringLiteral("AGBUnset"));
    CBUnset_ = CaptionCheckBox("CBUnset", QStringLiteral("Сброс"), unset);
    MakeBoldLabel(QStringLiteral("Адрес"), 12, 38, unset);
    EUnsetAddr_ = Field("EUnsetAddr", QStringLiteral("Адрес сброса"), QStringLiteral("0x0001"), unset,
        {58, 35, 78, 21});

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(420, 90, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Guarded(this, [this] { Button1Click(); }); });
    // "Отмена" closes too: the dialog stores nothing, so both buttons mean the same.
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(501, 90, 75, 25);
    connect(cancel, &QPushButton::clicked, this, [this] { Guarded(this, [this] { reject(); }); });
}

void TFMBMaster::SetRequestFields(const RequestFields& fields)
{
    ENetAddress_->setText(Utf8(fields.netAddress));
    EDataAdress_->setText(Utf8(fields.dataAddress));
    EDataValue_->setText(Utf8(fields.dataValue));
    if (fields.functionItem >= 0) {
        CBFunction_->setCurrentIndex(fields.functionItem);
    } else {
        CBFunction_->setEditText(Utf8(fields.functionText));
    }
    CBReceipt_->setChecked(fields.receipt);
    EReceiptAddr_->setText(Utf8(fields.receiptAddress));
    EReceiptAddr_->setEnabled(fields.receipt);
    CBUnset_->setChecked(fields.unset);
    EUnsetAddr_->setText(Utf8(fields.unsetAddress));
    EUnsetAddr_->setEnabled(fields.unset);
}

void TFMBMaster::ShowRequestDialog(const ConfigImage& image, std::size_t index)
{
    if (index >= EntryCount(NetRequests(image))) {
        return;
    }
    SetRequestFields(RequestFieldsAt(image, index));
    exec();
}

void TFMBMaster::Button1Click() { accept(); }

std::function<void(std::size_t)> RequestDialogCaller(TFMBMaster& dialog, const Document& doc)
{
    return [&dialog, &doc](std::size_t index) { dialog.ShowRequestDialog(doc.image, index); };
}

} // namespace glt::ui
