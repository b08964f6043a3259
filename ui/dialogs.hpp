#pragma once

#include <memory>
#include <optional>

#include <QMessageBox>
#include <QString>

class QWidget;

namespace glt::ui {

// The modal dialogs the windows show. The program uses the real ones; tests
// put a scripted provider in their place.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The file chosen in the open or save dialog; nullopt when cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent) = 0;
    // OK/Cancel question, Cancel the default; true on OK.
    virtual bool Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text) = 0;
    // A message with an OK button.
    virtual void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) = 0;
};

// The real dialogs: the file dialogs of Qt and message boxes captioned with
// the program's title.
class QtDialogs : public Dialogs {
public:
    std::optional<QString> OpenFile(QWidget* parent) override;
    std::optional<QString> SaveFile(QWidget* parent) override;
    bool Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text) override;
    void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) override;
};

// The OK/Cancel box that Ask shows: the program's title as caption, Cancel
// the default and the Escape button.
std::unique_ptr<QMessageBox> MakeQuestionBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

// The configuration file filter: "*.cfg" files first, then all files.
QString ConfigFileFilter();

} // namespace glt::ui
