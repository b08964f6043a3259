// glt-config: the configuration tool's window program.
#include <memory>

#include <QApplication>

#include "document/texts.hpp"
#include "link/port_list.hpp"
#include "ui/connection_window.hpp"
#include "ui/dialogs.hpp"
#include "ui/error_presenter.hpp"
#include "ui/main_window.hpp"
#include "ui/request_dialog.hpp"
#include "ui/russian_texts.hpp"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int result = 0;
    try {
        glt::ui::InstallRussianTexts(app);
        QApplication::setApplicationDisplayName(QString::fromUtf8(glt::kAppTitle.data()));
        glt::ui::QtDialogs dialogs;
        // The three windows of the run, in this order: the main window, the
        // connection window (it lists the ports), the request dialog.
        glt::ui::TFMain window(dialogs);
        glt::ui::TFMBParam connection(glt::ListSerialPorts(), window.ConnectionButton());
        window.AttachConnectionWindow(connection);
        glt::ui::TFMBMaster requests;
        window.AttachRequestDialog(glt::ui::RequestDialogCaller(requests, window.Doc()));
        window.show();
        result = QApplication::exec();
    } catch (...) {
        glt::ui::PresentCurrentException(nullptr);
    }
    return result;
}
