#include "ui/pages/signalling_page.hpp"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/codecs/dev_config.hpp"
#include "ui/look.hpp"
#include "ui/pages/caption_box.hpp"
#include "ui/pages/display_tile.hpp"
#include "ui/pages/page_controls.hpp"

namespace glt::ui {
namespace {

constexpr int kTileHeight = 28;
constexpr int kNormalTileWidth = 60;
constexpr int kWideTileWidth = 120;
constexpr int kNormalColumns = 8;
constexpr int kWideColumns = 4;
constexpr int kTileOriginX = 29;
constexpr int kTileOriginY = 30;
constexpr int kRowPitch = 30;
constexpr std::size_t kFirstHiddenWideTile = 12; // tiles 13..16 of the wide layout
constexpr int kStripHeight = 115;

// Legend order, top to bottom.
constexpr std::array<DisplayClass, 4> kLegend{
    DisplayClass::Indication, DisplayClass::Warning, DisplayClass::Alarm, DisplayClass::Absent};

QColor ColourOf(DisplayClass cls) { return BgrColor(ClassColour(cls)); }

QIcon SwatchIcon(DisplayClass cls)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(ColourOf(cls));
    painter.drawRect(2, 2, 11, 11);
    return QIcon(pixmap);
}

QWidget* MakeTilePage(const QString& name, QStackedWidget* book)
{
    auto* page = new QWidget(book);
    page->setObjectName(name);
    FillWithPageColour(page);
    book->addWidget(page);
    return page;
}

} // namespace

SignallingPage::SignallingPage(PageContext& context, QWidget* parent)
    : QWidget(parent), ctx_(context), DISPNBook(new QStackedWidget(this))
{
    setFont(WindowFont());
    DISPNBook->setObjectName(QStringLiteral("DISPNBook"));
    DISPNBook->setFixedHeight(kNotebookHeight);
    QWidget* normal = MakeTilePage(QStringLiteral("Default"), DISPNBook);
    QWidget* wide = MakeTilePage(QStringLiteral("Wide"), DISPNBook);

    const auto down = [this](DisplayTile& tile, Qt::MouseButton button) { PDisplayMouseDown(tile, button); };
    const auto up = [this](DisplayTile& tile, Qt::MouseButton button) { PDisplayMouseUp(tile, button); };
    for (std::size_t k = 0; k < PDisplay.size(); ++k) {
        const int n = static_cast<int>(k);
        auto* tile = new DisplayTile(QStringLiteral("PDisplay%1").arg(n + 1), n, normal);
        tile->setGeometry(kTileOriginX + kNormalTileWidth * (n % kNormalColumns),
            kTileOriginY + kRowPitch * (n / kNormalColumns), kNormalTileWidth, kTileHeight);
        tile->onMouseDown = down;
        tile->onMouseUp = up;
        PDisplay[k] = tile;
    }
    for (std::size_t k = 0; k < PWDisplay.size(); ++k) {
        const int n = static_cast<int>(k);
        auto* tile = new DisplayTile(QStringLiteral("PWDisplay%1").arg(n + 1), n, wide);
        tile->setGeometry(kTileOriginX + kWideTileWidth * (n % kWideColumns),
            kTileOriginY + kRowPitch * (n / kWideColumns), kWideTileWidth, kTileHeight);
        tile->onMouseDown = down;
        tile->onMouseUp = up;
        PWDisplay[k] = tile;
    }

    // The strip is stacked under the notebook, so it rises when the notebook shrinks.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(DISPNBook);
    column->addWidget(BuildLegendStrip());
    column->addStretch(1);

    MakeHiddenButton(this, QStringLiteral("Button7"), QStringLiteral("Get"), [this] { Refresh(); });
    MakeHiddenButton(this, QStringLiteral("Button9"), QStringLiteral("Default"), [this] { Default(); });
    MakeHiddenButton(this, QStringLiteral("Button18"), QStringLiteral("Normal"), [this] { Button18Click(); });
    MakeHiddenButton(this, QStringLiteral("Button26"), QStringLiteral("Wide"), [this] { Button26Click(); });
}

QWidget* SignallingPage::BuildLegendStrip()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kStripHeight);
    FillWithPageColour(Panel1);

    PMFillDispSettings = new QMenu(this);
    PMFillDispSettings->setObjectName(QStringLiteral("PMFillDispSettings"));
    const std::array<const char*, 4> names{"N14", "N15", "N16", "N17"};
    for (int tag = 0; tag < 4; ++tag) {
        const DisplayClass cls = FillClassFromTag(tag);
        QAction* item = AddFillItem(
            PMFillDispSettings, QString::fromLatin1(names[static_cast<std::size_t>(tag)]), Utf8(ClassFillCaption(cls)), tag,
            [this, tag] { N14Click(tag); });
        item->setIcon(SwatchIcon(cls));
    }
    SBFillDispSettings = MakeFillButton(Panel1, QStringLiteral("SBFillDispSettings"), PMFillDispSettings, kTileOriginX, 10);

    auto* legend = new CaptionBox(QStringLiteral("AdvGroupBox1"), QString(), Panel1);
    legend->setAccessibleName(QStringLiteral("Классы окон"));
    legend->setGeometry(kTileOriginX + 60, 8, 190, 98);
    for (std::size_t k = 0; k < kLegend.size(); ++k) {
        const int y = 10 + 21 * static_cast<int>(k);
        auto* swatch = new QFrame(legend);
        swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        swatch->setAutoFillBackground(true);
        QPalette swatchPalette = swatch->palette();
        swatchPalette.setColor(QPalette::Window, ColourOf(kLegend[k]));
        swatch->setPalette(swatchPalette);
        swatch->setGeometry(14, y + 2, 24, 14);
        auto* label = new QLabel(Utf8(ClassCaption(kLegend[k])), legend);
        QFont plain = WindowFont();
        // Set explicitly, so the weight is not resolved from the box's bold caption.
        plain.setBold(false);
        label->setFont(plain);
        label->setGeometry(48, y, 130, 18);
    }
    return Panel1;
}

void SignallingPage::Default()
{
    DefaultDispSettings(ctx_.doc);
    Refresh();
}

void SignallingPage::Refresh()
{
    const ConfigImage& image = ctx_.doc.image;
    for (DisplayTile* tile : PDisplay) {
        tile->SetColour(ColourOf(WindowClass(image, static_cast<std::size_t>(tile->Tag()))));
    }
    for (DisplayTile* tile : PWDisplay) {
        tile->SetColour(ColourOf(WindowClass(image, static_cast<std::size_t>(tile->Tag()))));
    }
    const DisplayLayout layout = DisplayLayoutFor(
        BlockData(image, BlockId::DevConfig)[devcfg::kWindowCount], ctx_.doc.state.WideDisplay);
    DISPNBook->setCurrentIndex(static_cast<int>(layout.page));
    DISPNBook->setFixedHeight(layout.notebookHeight);
    for (std::size_t k = kFirstHiddenWideTile; k < PWDisplay.size(); ++k) {
        PWDisplay[k]->setVisible(layout.wideTiles13To16Visible);
    }
}

void SignallingPage::PDisplayMouseDown(DisplayTile& tile, Qt::MouseButton button)
{
    if (button != Qt::LeftButton) {
        return;
    }
    tile.SetOuterLowered(true);
    // The tag names the window in both layouts; the other layout's tile
    // catches up at the next refresh.
    tile.SetColour(ColourOf(StepWindowClass(ctx_.doc.image, static_cast<std::size_t>(tile.Tag()))));
}

void SignallingPage::PDisplayMouseUp(DisplayTile& tile, Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        tile.SetOuterLowered(false);
    }
}

void SignallingPage::N14Click(int tag)
{
    FillDispSettings(ctx_.doc.image, FillClassFromTag(tag));
    Refresh();
}

void SignallingPage::Button18Click() { DISPNBook->setCurrentIndex(static_cast<int>(DisplayPage::Normal)); }

void SignallingPage::Button26Click() { DISPNBook->setCurrentIndex(static_cast<int>(DisplayPage::Wide)); }

} // namespace glt::ui
