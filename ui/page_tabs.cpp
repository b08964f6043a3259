#include "ui/page_tabs.hpp"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/pages/page_controls.hpp"

namespace glt::ui {

namespace {

QString TabStyle()
{
    const QString text = BgrColor(kTabText).name();
    const QString page = BgrColor(kPageBackground).name();
    return QStringLiteral(
        "QToolButton { color: %1; border: 1px solid transparent; border-right: none;"
        " border-top-left-radius: 4px; border-bottom-left-radius: 4px; padding: 1px;"
        " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FFFFFF, stop:1 #DCE3EC); }"
        "QToolButton:hover { border-color: #A0B4CC; }"
        "QToolButton:checked { background: %2; border-color: #9AA8B8; font-weight: bold; }")
        .arg(text, page);
}

} // namespace

PageTabs::PageTabs(QWidget* parent)
    : QWidget(parent), column_(new QVBoxLayout), group_(new QButtonGroup(this)), stack_(new QStackedWidget(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* tabs = new QWidget(this);
    tabs->setObjectName(QStringLiteral("PagerTabs"));
    tabs->setFixedWidth(kTabColumnWidth);
    tabs->setStyleSheet(TabStyle());
    column_->setParent(nullptr);
    tabs->setLayout(column_);
    column_->setContentsMargins(2, 4, 0, 4);
    column_->setSpacing(2);
    column_->addStretch(1);
    layout->addWidget(tabs);

    stack_->setObjectName(QStringLiteral("AdvOfficePager1"));
    FillWithPageColour(stack_);
    stack_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(stack_, 1);

    group_->setExclusive(true);
}

void PageTabs::AddPage(QWidget* page, const QString& caption, const QIcon& picture, bool tabShown)
{
    FillWithPageColour(page);
    stack_->addWidget(page);

    QToolButton* tab = nullptr;
    if (tabShown) {
        tab = new QToolButton;
        tab->setObjectName(page->objectName() + QStringLiteral("Tab"));
        tab->setText(caption);
        tab->setAccessibleName(caption);
        tab->setIcon(picture);
        tab->setIconSize(QSize(24, 24));
        tab->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tab->setCheckable(true);
        tab->setFixedSize(kTabColumnWidth - 2, kTabHeight);
        tab->setFocusPolicy(Qt::TabFocus);
        group_->addButton(tab);
        column_->insertWidget(column_->count() - 1, tab);
        connect(tab, &QToolButton::clicked, this, [this, page] { Guarded(this, [&] { SetCurrentPage(page); }); });
    }
    entries_.push_back({page, tab});
}

void PageTabs::SetCurrentPage(QWidget* page)
{
    stack_->setCurrentWidget(page);
    if (QToolButton* tab = TabOf(page)) {
        tab->setChecked(true);
    }
}

QWidget* PageTabs::CurrentPage() const { return stack_->currentWidget(); }

QToolButton* PageTabs::TabOf(QWidget* page) const
{
    for (const Entry& entry : entries_) {
        if (entry.page == page) {
            return entry.tab;
        }
    }
    return nullptr;
}

} // namespace glt::ui
