// Prints the time from process start to the first shown main window and the
// peak resident memory of the run (targets here: under 200 ms, under 60 MB).
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include "ui/dialogs.hpp"
#include "ui/main_window.hpp"

namespace {

// Seconds since boot at which this process started, from the kernel's record.
std::optional<double> ProcessStartSeconds()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return std::nullopt;
    }
    // Field 22 (starttime) counts clock ticks; skip past the command name first.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int k = 3; k <= 22 && fields >> field; ++k) {
    }
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double BootClockSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class NoDialogs : public glt::ui::Dialogs {
public:
    std::optional<QString> OpenFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> SaveFile(QWidget*) override { return std::nullopt; }
    bool Ask(QWidget*, QMessageBox::Icon, const QString&) override { return true; }
    void Tell(QWidget*, QMessageBox::Icon, const QString&, const QString&) override {}
};

} // namespace

int main(int argc, char** argv)
{
    const auto mainEntered = std::chrono::steady_clock::now();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    NoDialogs dialogs;
    glt::ui::TFMain window(dialogs);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() != nullptr && window.windowHandle()->isExposed()) && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    if (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        std::fprintf(stderr, "the main window was never shown\n");
        return 1;
    }
    const double shownAt = BootClockSeconds();
    const double fromMain = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntered).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (const std::optional<double> start = ProcessStartSeconds()) {
        // The kernel's start time has clock-tick resolution (usually 10 ms).
        std::printf("start to shown main window: %.0f ms\n", (shownAt - *start) * 1000.0);
    }
    std::printf("main() to shown main window: %.1f ms\n", fromMain);
    std::printf("peak resident memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
