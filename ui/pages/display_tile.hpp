#pragma once

#include <functional>

#include <QColor>
#include <QWidget>

namespace glt::ui {

// A signalling window tile: a coloured panel with a lowered inner bevel and a
// raised outer bevel that the page lowers while the tile is pressed.
class DisplayTile : public QWidget {
    Q_OBJECT
public:
    DisplayTile(const QString& name, int tag, QWidget* parent);

    int Tag() const { return tag_; }
    QColor Colour() const { return colour_; }
    void SetColour(const QColor& colour);
    bool OuterLowered() const { return outerLowered_; }
    void SetOuterLowered(bool lowered);

    // The page's handlers for a mouse button going down and up on the tile.
    std::function<void(DisplayTile&, Qt::MouseButton)> onMouseDown;
    std::function<void(DisplayTile&, Qt::MouseButton)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int tag_;
    QColor colour_;
    bool outerLowered_ = false;
};

} // namespace glt::ui
