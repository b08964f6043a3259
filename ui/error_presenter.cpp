#include "ui/error_presenter.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "document/error.hpp"

namespace glt::ui {

void ShowErrorBox(QWidget* parent, std::string_view message)
{
    const std::string text = ErrorBoxText(message);
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, parent);
    box.exec();
}

void PresentCurrentException(QWidget* parent)
{
    try {
        throw;
    } catch (const std::exception& error) {
        ShowErrorBox(parent, error.what());
    } catch (...) {
        ShowErrorBox(parent, "");
    }
}

} // namespace glt::ui
