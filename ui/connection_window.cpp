#include "ui/connection_window.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "ui/form_controls.hpp"
#include "ui/look.hpp"
#include "ui/rounded_group_box.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

namespace {

constexpr double kOpacity = 240.0 / 255.0;


QGroupBox* MakeGroup(const QString& name, const QString& title, QRect geometry, QWidget* parent)
{
    QGroupBox* box = MakeRoundedGroupBox(name, title, parent);
    box->setFont(BoldWindowFont());
    box->setGeometry(geometry);
    return box;
}

QRadioButton* PlacedRadio(const QString& name, const QString& caption, QPoint at, QGroupBox* box, QButtonGroup& group)
{
    QRadioButton* button = MakeRadio(name, caption, box, group);
    button->move(at);
    button->adjustSize();
    return button;
}

} // namespace

TFMBParam::TFMBParam(const std::vector<std::string>& ports, QToolButton& anchor)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), anchor_(anchor)
{
    setObjectName(QStringLiteral("FMBParam"));
    setFont(WindowFont());
    setFixedSize(kWidth, kHeight);
    setWindowOpacity(kOpacity);

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(0, 0, kWidth, kHeight);

    QLabel* portLabel = MakeBoldLabel(QStringLiteral("COM-порт"), 8, 14, this);
    port_ = new QComboBox(this);
    port_->setObjectName(QStringLiteral("CBCOMPort"));
    port_->setAccessibleName(portLabel->text());
    port_->setGeometry(74, 8, 96, 21);
    for (const std::string& name : ports) {
        port_->addItem(QString::fromStdString(name));
    }
    port_->setCurrentIndex(ports.empty() ? -1 : 0);
    portLabel->setBuddy(port_);

    QLabel* rateLabel = MakeBoldLabel(QStringLiteral("Скорость"), 8, 38, this);
    baudRate_ = new QComboBox(this);
    baudRate_->setObjectName(QStringLiteral("CBBaudRate"));
    baudRate_->setAccessibleName(rateLabel->text());
    baudRate_->setGeometry(74, 34, 96, 21);
    for (std::string_view text : kBaudTexts) {
        baudRate_->addItem(Utf8(text));
    }
    baudRate_->setCurrentIndex(0);
    rateLabel->setBuddy(baudRate_);

    QGroupBox* stop = MakeGroup(QStringLiteral("AGBStopBits"), QStringLiteral(" Стоп-биты"), {4, 62, 167, 59}, this);
    auto* stopGroup = new QButtonGroup(this);
    twoStopBits_ = PlacedRadio(QStringLiteral("RBTwoStopBits"), QStringLiteral("Два"), {14, 26}, stop, *stopGroup);
    oneStopBits_ = PlacedRadio(QStringLiteral("RBOneStopBits"), QStringLiteral("Один"), {86, 26}, stop, *stopGroup);
    twoStopBits_->setChecked(true);

    QGroupBox* parity = MakeGroup(QStringLiteral("AGBParity"), QStringLiteral(" Паритет "), {4, 122, 167, 100}, this);
    auto* parityGroup = new QButtonGroup(this);
    noParity_ = PlacedRadio(QStringLiteral("RBNoParity"), Utf8(ParityCaption(LineParity::None)), {14, 24}, parity, *parityGroup);
    evenParity_ = PlacedRadio(QStringLiteral("RBEvenParity"), Utf8(ParityCaption(LineParity::Even)), {14, 48}, parity, *parityGroup);
    oddParity_ = PlacedRadio(QStringLiteral("RBOddParity"), Utf8(ParityCaption(LineParity::Odd)), {14, 72}, parity, *parityGroup);
    noParity_->setChecked(true);

    // Key preview: Enter and Escape close the panel whichever control has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

ConnectionSettings TFMBParam::Settings() const
{
    ConnectionSettings settings;
    settings.portName = port_->currentIndex() >= 0 ? port_->currentText().toStdString() : std::string();
    settings.baud = LeadingNumber(baudRate_->currentText().toStdString());
    settings.stopBits = twoStopBits_->isChecked() ? StopBits::Two : StopBits::One;
    settings.parity = evenParity_->isChecked() ? Parity::Even : oddParity_->isChecked() ? Parity::Odd : Parity::None;
    return settings;
}

void TFMBParam::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    anchor_.setAutoRaise(false);
    activateWindow();
    port_->setFocus();
}

void TFMBParam::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    anchor_.setAutoRaise(true);
}

void TFMBParam::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A drop-down list of the panel takes no activation, so only a click
    // elsewhere ends up here.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) {
        hide();
    }
}

bool TFMBParam::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TFMBParam::FormKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        hide();
        return true;
    }
    return false;
}

} // namespace glt::ui
