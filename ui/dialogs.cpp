#include "ui/dialogs.hpp"

#include <QFileDialog>
#include <QStringList>

#include "document/texts.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

namespace {

constexpr char kDialogFilter[] = "Файлы конфигурации (*.cfg)|*.cfg|Все файлы (*.*)|*.*";

std::optional<QString> RunFileDialog(QFileDialog& dialog)
{
    dialog.setNameFilter(ConfigFileFilter());
    dialog.setDefaultSuffix(QStringLiteral("cfg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ConfigFileFilter()
{
    // "caption|pattern|caption|pattern" becomes Qt's "caption (pattern);;..."
    // form; "*.*" means every file here, also one without an extension.
    const QStringList parts = QString::fromUtf8(kDialogFilter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString caption = parts[k];
        const qsizetype open = caption.lastIndexOf(QStringLiteral(" ("));
        if (open >= 0) {
            caption.truncate(open);
        }
        const QString pattern = parts[k + 1] == QStringLiteral("*.*") ? QStringLiteral("*") : parts[k + 1];
        entries << caption + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Открыть"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    return RunFileDialog(dialog); // the save mode asks before overwriting
}

std::unique_ptr<QMessageBox> MakeQuestionBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    auto box = std::make_unique<QMessageBox>(icon, Utf8(kAppTitle), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

bool QtDialogs::Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    return MakeQuestionBox(parent, icon, text)->exec() == QMessageBox::Ok;
}

void QtDialogs::Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace glt::ui
