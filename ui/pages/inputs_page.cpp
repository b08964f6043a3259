#include "ui/pages/inputs_page.hpp"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "document/codecs/dev_config.hpp"
#include "ui/look.hpp"
#include "ui/pages/caption_box.hpp"
#include "ui/pages/contact_pictures.hpp"
#include "ui/pages/page_controls.hpp"

namespace glt::ui {
namespace {

constexpr int kBoxWidth = 186;
constexpr int kBoxHeight = 390;
constexpr int kBoxY = 10;
constexpr int kDiscreteBoxX = 20;
constexpr int kModbusBoxX = 230;
constexpr int kFillButtonY = 10;

// Each box holds 32 inputs in two columns of 16.
constexpr int kInputsPerBox = 32;
constexpr int kRowsPerColumn = 16;
constexpr std::array<int, 2> kButtonX{16, 112};
constexpr std::array<int, 2> kNumberX{47, 143};
constexpr int kFirstRowY = 16;
constexpr int kRowPitch = 21;
constexpr QSize kButtonSize(32, 22);
constexpr QSize kNumberSize(26, 21);

const char* const kTagProperty = "tag";

} // namespace

InputsPage::InputsPage(PageContext& context, QWidget* parent)
    : QWidget(parent), ctx_(context),
      AGBoxDIK(new CaptionBox(QStringLiteral("AGBoxDIK"), QStringLiteral(" Дискретные "), this)),
      AGBoxMODBUS(new CaptionBox(QStringLiteral("AGBoxMODBUS"), QStringLiteral(" ModBus "), this)),
      PMFillInputType(new QMenu(this)), SBFillInputType(nullptr)
{
    setFont(WindowFont());
    AGBoxDIK->setGeometry(kDiscreteBoxX, kBoxY, kBoxWidth, kBoxHeight);
    AGBoxMODBUS->setGeometry(kModbusBoxX, kBoxY, kBoxWidth, kBoxHeight);
    AGBoxMODBUS->hide();

    const QFont bold = BoldWindowFont();
    for (unsigned tag = 0; tag < kInputCount; ++tag) {
        const int number = static_cast<int>(tag) + 1;
        CaptionBox* box = tag < kInputsPerBox ? AGBoxDIK : AGBoxMODBUS;
        const int inBox = static_cast<int>(tag) % kInputsPerBox;
        const auto column = static_cast<std::size_t>(inBox / kRowsPerColumn);
        const int y = kFirstRowY + kRowPitch * (inBox % kRowsPerColumn);

        auto* button = new QToolButton(box);
        button->setObjectName(QStringLiteral("SBTypeContact%1").arg(number));
        button->setAccessibleName(QStringLiteral("Вход %1").arg(number));
        button->setProperty(kTagProperty, tag);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        button->setGeometry(QRect(QPoint(kButtonX[column], y), kButtonSize));
        Connect(button, [this, button] { SBTypeContactClick(button); });
        SBTypeContact[tag] = button;

        auto* label = new QLabel(QString::number(number), box);
        label->setObjectName(QStringLiteral("PTCNumber%1").arg(number));
        label->setFont(bold);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setGeometry(QRect(QPoint(kNumberX[column], y), kNumberSize));
    }

    PMFillInputType->setObjectName(QStringLiteral("PMFillInputType"));
    const std::array<ContactType, 2> types{ContactType::NormallyOpen, ContactType::NormallyClosed};
    const std::array<const char*, 2> names{"N13", "N21"};
    for (int tag = 0; tag < 2; ++tag) {
        const ContactType type = types[static_cast<std::size_t>(tag)];
        QAction* item = AddFillItem(PMFillInputType, QString::fromLatin1(names[static_cast<std::size_t>(tag)]),
            Utf8(ContactCaption(type)), tag, [this, tag] { N13Click(tag); });
        item->setIcon(ContactIcon(type));
    }
    SBFillInputType = MakeFillButton(this, QStringLiteral("SBFillInputType"), PMFillInputType,
        InputsLayoutFor(false).fillButtonX, kFillButtonY);

    MakeHiddenButton(this, QStringLiteral("Button12"), QStringLiteral("Get"), [this] { Refresh(); });
    MakeHiddenButton(this, QStringLiteral("Button13"), QStringLiteral("Default"), [this] { Default(); });
}

bool InputsPage::ModbusMaster() const { return TestOption(ctx_.doc, devcfg::kModbusMasterBit); }

void InputsPage::ShowContact(QToolButton* button, ContactType type)
{
    button->setIcon(ContactIcon(type));
    button->setProperty("contactPicture", ContactPicture(type));
}

void InputsPage::Default()
{
    DefaultInputType(ctx_.doc);
    Refresh();
}

void InputsPage::Refresh()
{
    for (QToolButton* button : SBTypeContact) {
        ShowContact(button, InputContact(ctx_.doc.image, button->property(kTagProperty).toUInt()));
    }
    const InputsLayout layout = InputsLayoutFor(ModbusMaster());
    AGBoxMODBUS->setVisible(layout.modbusGroupVisible);
    SBFillInputType->move(layout.fillButtonX, kFillButtonY);
}

void InputsPage::SBTypeContactClick(QToolButton* button)
{
    ShowContact(button, ToggleInputContact(ctx_.doc.image, button->property(kTagProperty).toUInt()));
}

void InputsPage::N13Click(int tag)
{
    const ContactType type = tag == 1 ? ContactType::NormallyClosed : ContactType::NormallyOpen;
    FillInputType(ctx_.doc.image, type, ModbusMaster());
    Refresh();
}

} // namespace glt::ui
