// glt-screens DIR: renders the main window with each page in front, and the
// quit question, to PNG files in DIR (offscreen when no display is set).
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QStackedWidget>
#include <QToolButton>

#include "document/texts.hpp"
#include "ui/connection_window.hpp"
#include "ui/dialogs.hpp"
#include "ui/main_window.hpp"
#include "ui/russian_texts.hpp"

namespace {

// Screens need no modal dialogs: every question is answered "no".
class NoDialogs : public glt::ui::Dialogs {
public:
    std::optional<QString> OpenFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> SaveFile(QWidget*) override { return std::nullopt; }
    bool Ask(QWidget*, QMessageBox::Icon, const QString&) override { return false; }
    void Tell(QWidget*, QMessageBox::Icon, const QString&, const QString&) override {}
};

bool Save(QWidget& widget, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "glt-screens: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: glt-screens DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "glt-screens: cannot create %s\n", argv[1]);
        return 1;
    }
    glt::ui::InstallRussianTexts(app);
    QApplication::setApplicationDisplayName(QString::fromUtf8(glt::kAppTitle.data()));
    NoDialogs dialogs;
    glt::ui::TFMain window(dialogs);
    glt::ui::TFMBParam connection({"/dev/ttyUSB0", "/dev/ttyS0"}, window.ConnectionButton());
    window.AttachConnectionWindow(connection);
    window.show();
    QApplication::processEvents();

    bool ok = true;
    const char* tabs[] = {"AdvOfficePage2Tab", "AdvOfficePage3Tab", "AdvOfficePage5Tab", "AdvOfficePage4Tab",
        "AdvOfficePage7Tab", "AdvOfficePage6Tab"};
    int number = 1;
    for (const char* tab : tabs) {
        auto* button = window.findChild<QToolButton*>(QString::fromLatin1(tab));
        if (button == nullptr) {
            std::fprintf(stderr, "glt-screens: no tab %s\n", tab);
            ok = false;
            continue;
        }
        button->click();
        QApplication::processEvents();
        ok = Save(window, dir, QStringLiteral("%1-%2").arg(number++).arg(button->text())) && ok;
    }
    window.SBMBusParametersClick();
    QApplication::processEvents();
    ok = Save(connection, dir, QStringLiteral("7-connection")) && ok;
    ok = Save(window, dir, QStringLiteral("8-connection-open")) && ok;
    connection.hide();

    const auto quit = glt::ui::MakeQuestionBox(&window, QMessageBox::Warning, QStringLiteral("Завершить работу программы?"));
    quit->show();
    QApplication::processEvents();
    ok = Save(*quit, dir, QStringLiteral("9-quit-question")) && ok;
    return ok ? 0 : 1;
}
