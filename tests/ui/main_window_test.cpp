#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "document/codecs/dev_config.hpp"
#include "document/error.hpp"
#include "main_window_fixture.hpp"
#include "ui/address_box.hpp"
#include "ui/page_tabs.hpp"

namespace glt::ui {
namespace {

using testing_support::CloseModalBoxes;
using testing_support::MainWindowFixture;

class MainWindowTest : public MainWindowFixture {
protected:
    QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Caption() const { return window->windowTitle(); }
    QTemporaryDir dir;
};

TEST_F(MainWindowTest, StartUpState)
{
    EXPECT_EQ(Caption(), "GLT Configuration tool");
    EXPECT_EQ(QApplication::applicationDisplayName(), "GLT Configuration tool");
    EXPECT_EQ(Find<QLabel>("StatusText").text(), " ver 1.60");
    EXPECT_EQ(Find<QLabel>("L4").text(), "<Статус>");
    EXPECT_EQ(Find<PageTabs>("").CurrentPage(), &Find<QWidget>("AdvOfficePage2"));

    auto& timeout = Find<QComboBox>("CBMBusTimeout");
    ASSERT_EQ(timeout.count(), 60);
    EXPECT_EQ(timeout.itemText(0), "1 с");
    EXPECT_EQ(timeout.itemText(59), "60 с");
    EXPECT_EQ(timeout.currentText(), "5 с");
    EXPECT_FALSE(timeout.isEnabled());

    EXPECT_EQ(Find<AddressBox>("EDeviceAddr").text(), "1");
    EXPECT_EQ(Find<QWidget>("Client").size(), QSize(692, 482));
    EXPECT_FALSE(window->Doc().state.HasFileName);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    // The start-up runs the new configuration: the defaults of the first two blocks.
    const std::uint8_t devConfig[] = {2, 1, 32, 0x01, 0, 0};
    for (std::size_t k = 0; k < std::size(devConfig); ++k) {
        EXPECT_EQ(Byte(k), devConfig[k]) << k;
    }
    const std::uint8_t mbus[] = {1, 0x2F, 0x08, 0x73, 0x06};
    for (std::size_t k = 0; k < std::size(mbus); ++k) {
        EXPECT_EQ(Byte(22 + k), mbus[k]) << k;
    }
}

TEST_F(MainWindowTest, PagesAndTabsInOrder)
{
    struct PageCase { const char* name; const char* caption; bool tab; };
    const PageCase pages[] = {
        {"AdvOfficePage1", "ТЕСТЫ", false}, {"AdvOfficePage2", "Конфигурация", true},
        {"AdvOfficePage3", "ModBus", true}, {"AdvOfficePage5", "Входы", true},
        {"AdvOfficePage4", "Выходы", true}, {"AdvOfficePage7", "Структура", true},
        {"AdvOfficePage6", "Сигнализация", true}, {"AdvOfficePage8", "Внешняя сеть", false},
    };
    window->show();
    auto& tabs = Find<PageTabs>("");
    int lastTop = -1;
    for (const PageCase& page : pages) {
        QToolButton* tab = tabs.TabOf(&Find<QWidget>(page.name));
        ASSERT_EQ(tab != nullptr, page.tab) << page.name;
        if (tab != nullptr) {
            EXPECT_EQ(tab->text(), QString::fromUtf8(page.caption));
            EXPECT_GT(tab->y(), lastTop) << "tabs run down in page order";
            lastTop = tab->y();
            tab->click();
            EXPECT_EQ(tabs.CurrentPage(), &Find<QWidget>(page.name));
        }
    }
}

TEST_F(MainWindowTest, ToolbarButtonsAndMenus)
{
    struct ButtonCase { const char* name; int x; int width; const char* hint; };
    const ButtonCase buttons[] = {
        {"SBNewConfig", 4, 24, "Новая конфигурация"}, {"SBLoadFile", 28, 24, "Открыть"},
        {"SBSaveFile", 52, 24, "Сохранить"}, {"SBMBusParameters", 86, 38, "Параметры связи"},
        {"SBReadConfig", 124, 24, "Считать конфигурацию"}, {"SBWriteConfig", 148, 24, "Записать конфигурацию"},
        {"SBApplyConfig", 182, 24, "Применить изменения"},
    };
    for (const ButtonCase& b : buttons) {
        auto& button = Find<QToolButton>(b.name);
        EXPECT_EQ(button.x(), b.x) << b.name;
        EXPECT_EQ(button.width(), b.width) << b.name;
        EXPECT_EQ(button.toolTip(), QString::fromUtf8(b.hint)) << b.name;
        EXPECT_FALSE(button.icon().isNull()) << b.name;
    }
    auto& address = Find<AddressBox>("EDeviceAddr");
    EXPECT_EQ(address.width(), 40);
    EXPECT_EQ(address.toolTip(), "Адрес устройства в сети");

    QStringList top;
    for (QAction* action : window->menuBar()->actions()) {
        top << action->text();
    }
    EXPECT_EQ(top, QStringList({"Файл", "Конфигурация", "Связь", "Инфо"}));
    QStringList items;
    for (QAction* action : window->menuBar()->actions()) {
        if (action->menu() != nullptr) {
            for (QAction* item : action->menu()->actions()) {
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            }
        }
    }
    EXPECT_EQ(items, QStringList({"Открыть", "Сохранить", "Сохранить как...", "-", "Выход", "Считать",
                         "Записать", "Применить", "-", "Новая"}));
}

TEST_F(MainWindowTest, NewByTheUserSetsTheNewCaption)
{
    Find<QToolButton>("SBNewConfig").click();
    EXPECT_EQ(Caption(), "[New] - GLT Configuration tool");
    EXPECT_EQ(QApplication::applicationDisplayName(), Caption());
}

TEST_F(MainWindowTest, SaveAndOpenAgainRestoresImageAndPages)
{
    Pick(Find<QComboBox>("CBConfig"), 4);
    Find<QCheckBox>("CBLineControl").setChecked(true);
    Find<QComboBox>("CBMBusTimeout").setCurrentIndex(9);

    dialogs.saveAnswers.push_back(PathOf("site.cfg"));
    Action("NSaveAsFile").trigger();
    EXPECT_EQ(Caption(), "[site.cfg] - GLT Configuration tool");
    EXPECT_EQ(Byte(5), 10) << "the write-back stored the time-out";
    const ConfigImage saved = window->Doc().image;

    Action("NNewConfig").trigger();
    EXPECT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-07");

    dialogs.openAnswers.push_back(PathOf("site.cfg"));
    Action("NLoadFile").trigger();
    EXPECT_EQ(window->Doc().image, saved);
    EXPECT_EQ(window->Doc().state.WideDisplay, 1);
    EXPECT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-09");
    EXPECT_TRUE(Find<QCheckBox>("CBLineControl").isChecked());
    EXPECT_EQ(Find<QComboBox>("CBMBusTimeout").currentText(), "10 с");
    EXPECT_EQ(Caption(), "[site.cfg] - GLT Configuration tool");
}

TEST_F(MainWindowTest, SaveAsksForANameOnlyUntilTheDocumentHasOne)
{
    dialogs.saveAnswers.push_back(std::nullopt);
    Find<QToolButton>("SBSaveFile").click();
    EXPECT_EQ(Caption(), "GLT Configuration tool") << "a cancelled dialog changes nothing";
    EXPECT_FALSE(QFileInfo::exists(PathOf("a.cfg")));

    dialogs.saveAnswers.push_back(PathOf("a.cfg"));
    Find<QToolButton>("SBSaveFile").click();
    ASSERT_TRUE(QFileInfo::exists(PathOf("a.cfg")));
    EXPECT_EQ(QFileInfo(PathOf("a.cfg")).size(), 514);

    // Known name: no dialog (an unscripted one would fail the test).
    Find<QToolButton>("SBSaveFile").click();
    EXPECT_TRUE(dialogs.saveAnswers.empty());

    // Save as always asks.
    dialogs.saveAnswers.push_back(PathOf("b.cfg"));
    Action("NSaveAsFile").trigger();
    EXPECT_EQ(Caption(), "[b.cfg] - GLT Configuration tool");
}

TEST_F(MainWindowTest, RefusedFileLeavesCaptionPagesAndImageAlone)
{
    Pick(Find<QComboBox>("CBConfig"), 2);
    const ConfigImage before = window->Doc().image;
    {
        std::ofstream old(PathOf("old.cfg").toStdString(), std::ios::binary);
        old << std::string(275, 'x');
    }
    dialogs.openAnswers.push_back(PathOf("old.cfg"));
    const std::vector<QString> boxes = CloseModalBoxes([&] { Action("NLoadFile").trigger(); });

    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0], "GLT Configuration tool: Несоответствие версии файла и программатора, файл v1.20.");
    EXPECT_EQ(window->Doc().image, before);
    EXPECT_EQ(Caption(), "GLT Configuration tool");
    EXPECT_EQ(Find<QComboBox>("CBConfig").currentText(), "ГЛТ-07-02");
    EXPECT_FALSE(window->Doc().state.HasFileName);
}

TEST_F(MainWindowTest, AddressThatIsNoNumberStopsTheSaveBeforeTheFile)
{
    dialogs.saveAnswers.push_back(PathOf("keep.cfg"));
    Action("NSaveAsFile").trigger();
    std::ifstream in(PathOf("keep.cfg").toStdString(), std::ios::binary);
    const std::string old((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(old.size(), 514U);

    Pick(Find<QComboBox>("CBConfig"), 4);
    Find<AddressBox>("ENetAddress").setText("12ab"); // as pasted
    EXPECT_THROW(window->Commands().SBSaveFileClick(true), Error);

    std::ifstream again(PathOf("keep.cfg").toStdString(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), old);
    EXPECT_EQ(Caption(), "[keep.cfg] - GLT Configuration tool");
}

TEST_F(MainWindowTest, QuitQuestionCancelKeepsTheWindow)
{
    window->show();
    dialogs.askAnswers.push_back(false);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1U);
    EXPECT_EQ(dialogs.questions[0], "Завершить работу программы?");
    EXPECT_EQ(dialogs.icons[0], QMessageBox::Warning);

    dialogs.askAnswers.push_back(true);
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, ExitEndsTheLoopWithoutAQuestion)
{
    window->show();
    QTimer::singleShot(0, window.get(), [this] { Action("N7").trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MainWindowTest, DeviceCommandsRunOnceAttached)
{
    auto& read = Find<QToolButton>("SBReadConfig");
    EXPECT_FALSE(read.isEnabled());
    EXPECT_FALSE(Action("N20").isEnabled());
    int reads = 0;
    int infos = 0;
    window->SetDeviceCommand(DeviceCommand::Read, [&] { ++reads; });
    window->SetDeviceCommand(DeviceCommand::Info, [&] { ++infos; });
    read.click();
    Action("NReadConfig").trigger();
    Action("N20").trigger();
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(infos, 1);
    EXPECT_FALSE(Find<QToolButton>("SBWriteConfig").isEnabled());
}

TEST_F(MainWindowTest, FailingHandlerShowsTheErrorBoxAndTheProgramGoesOn)
{
    window->SetDeviceCommand(DeviceCommand::Apply, [] { throw Error("Ошибка I/O"); });
    const std::vector<QString> boxes = CloseModalBoxes([&] { Find<QToolButton>("SBApplyConfig").click(); });
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0], "GLT Configuration tool: Ошибка I/O.");
    Find<QToolButton>("SBNewConfig").click();
    EXPECT_EQ(Caption(), "[New] - GLT Configuration tool");
}

} // namespace
} // namespace glt::ui
