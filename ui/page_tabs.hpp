#pragma once

#include <vector>

#include <QIcon>
#include <QString>
#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;

namespace glt::ui {

// The pager: a column of tabs down the left side, each a picture above a
// horizontal caption, beside the stack of pages. A page may have no tab at
// all; nothing then leads the user to it.
class PageTabs : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabColumnWidth = 85;
    static constexpr int kTabHeight = 64;

    explicit PageTabs(QWidget* parent = nullptr);

    void AddPage(QWidget* page, const QString& caption, const QIcon& picture, bool tabShown);
    void SetCurrentPage(QWidget* page);
    QWidget* CurrentPage() const;
    // The tab of a page, or nullptr for a page without one.
    QToolButton* TabOf(QWidget* page) const;

private:
    struct Entry {
        QWidget* page;
        QToolButton* tab;
    };

    QVBoxLayout* column_;
    QButtonGroup* group_;
    QStackedWidget* stack_;
    std::vector<Entry> entries_;
};

} // namespace glt::ui
