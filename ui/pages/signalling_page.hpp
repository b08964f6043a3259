#pragma once

#include <array>

#include <QWidget>

#include "document/codecs/disp_settings.hpp"
#include "document/page_table.hpp"
#include "ui/page_context.hpp"

class QMenu;
class QStackedWidget;
class QToolButton;

namespace glt::ui {

class DisplayTile;

// Page "Сигнализация": the display class of every signalling window as
// coloured tiles, in the normal or the wide layout of the model. Every click
// writes the image at once; the page is redrawn from the image.
class SignallingPage : public QWidget, public PageArea {
    Q_OBJECT
public:
    explicit SignallingPage(PageContext& context, QWidget* parent = nullptr);
    void Default() override; // DefaultDispSettings
    void Refresh() override; // GetDispSettings

private:
    void PDisplayMouseDown(DisplayTile& tile, Qt::MouseButton button);
    void PDisplayMouseUp(DisplayTile& tile, Qt::MouseButton button);
    void N14Click(int tag);
    void Button18Click();
    void Button26Click();
    QWidget* BuildLegendStrip();

    PageContext& ctx_;
    QStackedWidget* DISPNBook;
    std::array<DisplayTile*, kWindowCount> PDisplay{};
    std::array<DisplayTile*, kWideTileCount> PWDisplay{};
    QWidget* Panel1 = nullptr;
    QMenu* PMFillDispSettings = nullptr;
    QToolButton* SBFillDispSettings = nullptr;
};

} // namespace glt::ui
