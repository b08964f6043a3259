#pragma once

#include <QWidget>

namespace glt::ui {

// A rounded group box whose bold caption sits at the bottom centre of its
// frame; an empty caption leaves the frame closed.
class CaptionBox : public QWidget {
    Q_OBJECT
public:
    CaptionBox(const QString& name, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace glt::ui
