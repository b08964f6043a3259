#include "ui/pages/external_net_page.hpp"

#include <QPushButton>
#include <QToolButton>

#include "document/codecs/external_net.hpp"
#include "ui/look.hpp"
#include "ui/qt_text.hpp"
#include "ui/pages/page_controls.hpp"
#include "ui/pages/page_grid_delegate.hpp"
#include "ui/pages/request_grid.hpp"

namespace glt::ui {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = ExternalNetPage::kHeaderRows + static_cast<int>(kMaxEntries);
constexpr int kRowHeight = 22;
constexpr std::uint32_t kInputCellColour = 0x00F5E4E2;

} // namespace

ExternalNetPage::ExternalNetPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context)
{

    grid_ = new RequestGrid(kColumns, kRows, kHeaderRows, [this] { return RequestCount() + kHeaderRows; }, this);
    grid_->setObjectName(QStringLiteral("ASGExternalNet"));
    grid_->setAccessibleName(QStringLiteral("Внешняя сеть"));
    grid_->setFont(GridFont());
    grid_->SetColumnWidths({60, 80, 80, 60, 80, 80, 80});
    grid_->SetRowHeights(kRowHeight);
    grid_->setGeometry(20, 10, 520 + 2 * grid_->frameWidth(), kRows * kRowHeight + 2 * grid_->frameWidth());
    PageGridDelegate::Install(*grid_);
    GridHooks hooks;
    hooks.dblClickCell = [this](int col, int row) { ASGExternalNetDblClickCell(col, row); };
    grid_->SetHooks(std::move(hooks));

    const struct {
        const char* name;
        QString text;
        QString accessible;
        int y;
        void (ExternalNetPage::*handler)();
    } buttons[] = {
        {"SBAddRequest", QStringLiteral("+"), QStringLiteral("Добавить запрос"), 10, &ExternalNetPage::SBAddRequestClick},
        {"SBDelRequest", QStringLiteral("-"), QStringLiteral("Удалить запрос"), 40, &ExternalNetPage::SBDelRequestClick},
        {"SBUpRequestRow", QStringLiteral("Up"), QStringLiteral("Запрос выше"), 70, &ExternalNetPage::SBUpRequestRowClick},
        {"SBDownRequestRow", QStringLiteral("Down"), QStringLiteral("Запрос ниже"), 100,
            &ExternalNetPage::SBDownRequestRowClick},
    };
    const QFont buttonFont = BoldWindowFont();
    for (const auto& b : buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setText(b.text);
        button->setAccessibleName(b.accessible);
        button->setAutoRaise(true);
        button->setFont(buttonFont);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, BgrColor(kClNavy));
        button->setPalette(palette);
        button->setGeometry(555, b.y, 45, 25);
        Connect(button, [this, handler = b.handler] { (this->*handler)(); });
    }

    const struct {
        const char* name;
        QString text;
        int y;
        bool visible;
        void (ExternalNetPage::*handler)();
    } plain[] = {
        {"Button27", QStringLiteral("Default"), 300, false, &ExternalNetPage::DefaultExternalNet},
        {"Button28", QStringLiteral("TEST"), 340, true, &ExternalNetPage::Button28Click},
        {"Button17", QStringLiteral("Get"), 372, true, &ExternalNetPage::GetExternalNet},
    };
    for (const auto& b : plain) {
        auto* button = new QPushButton(b.text, this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(555, b.y, 45, 25);
        button->setVisible(b.visible);
        Connect(button, [this, handler = b.handler] { (this->*handler)(); });
    }
}

void ExternalNetPage::Setup() { InitExternalNetGrid(); }
void ExternalNetPage::Default() { DefaultExternalNet(); }
void ExternalNetPage::Refresh() { GetExternalNet(); }

StringGrid& ExternalNetPage::ASGExternalNet() { return *grid_; }

int ExternalNetPage::RequestCount() const { return static_cast<int>(EntryCount(NetRequests(ctx_.doc.image))); }

void ExternalNetPage::InitExternalNetGrid()
{
    for (int col = 0; col < kColumns; ++col) {
        for (int row = 0; row < kHeaderRows; ++row) {
            grid_->SetAlignment(col, row, Qt::AlignCenter);
        }
        for (int row = kHeaderRows; row < kRows; ++row) {
            grid_->SetAlignment(col, row, col < kInputColumn ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
            if (col == kInputColumn) {
                grid_->SetCellColour(col, row, BgrColor(kInputCellColour));
            }
        }
    }
    const struct {
        int col;
        int row;
        int colSpan;
        int rowSpan;
        QString text;
    } headers[] = {
        {0, 0, 1, 2, QStringLiteral("Устрой- ство")},
        {1, 0, 1, 2, QStringLiteral("Функция ModBus")},
        {2, 0, 3, 1, QStringLiteral("Данные")},
        {2, 1, 1, 1, QStringLiteral("Адрес")},
        {3, 1, 1, 1, QStringLiteral("Кол-во")},
        {4, 1, 1, 1, QStringLiteral("№ Входа")},
        {5, 0, 1, 2, QStringLiteral("Квитиро- вание")},
        // The first letter is a Latin C, as the panel's own tools write it.
        {6, 0, 1, 2, QStringLiteral("Cброс")},
    };
    for (const auto& h : headers) {
        if (h.colSpan > 1 || h.rowSpan > 1) {
            grid_->Merge(h.col, h.row, h.colSpan, h.rowSpan);
        }
        grid_->SetCell(h.col, h.row, h.text);
    }
}

void ExternalNetPage::GetExternalNet()
{
    grid_->clearSelection();
    for (int row = kHeaderRows; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            grid_->SetCell(col, row, QString());
        }
    }
    for (int i = 0; i < RequestCount(); ++i) {
        ShowRequestRow(i);
    }
    ShowInputNumbers();
    SelectRequest(FirstRequestSelection(ctx_.doc.image));
    ShowLinkedEntries();
}

void ExternalNetPage::DefaultExternalNet()
{
    glt::DefaultExternalNet(ctx_.doc);
    GetExternalNet();
}

void ExternalNetPage::ShowRequestRow(int i)
{
    const int row = i + kHeaderRows;
    const NetRequest request = RequestAt(NetRequests(ctx_.doc.image), static_cast<std::size_t>(i));
    grid_->SetCell(0, row, QString::number(request.device));
    grid_->SetCell(1, row, Utf8(FunctionText(request.function)));
    grid_->SetCell(2, row, Utf8(Hex4(request.start)));
    grid_->SetCell(3, row, QString::number(request.count));
}

void ExternalNetPage::ShowInputNumbers()
{
    for (int row = kHeaderRows; row < kRows; ++row) {
        grid_->SetCell(kInputColumn, row, QString());
    }
    const std::vector<std::string> texts = InputNumberTexts(ctx_.doc.image);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        grid_->SetCell(kInputColumn, static_cast<int>(i) + kHeaderRows, Utf8(texts[i]));
    }
}

void ExternalNetPage::ShowLinkedEntries()
{
    const ConfigImage& image = ctx_.doc.image;
    const struct {
        int col;
        std::vector<std::string> texts;
    } columns[] = {
        {kReceiptColumn, LinkedColumn(NetRequests(image), NetReceipts(image))},
        {kResetColumn, LinkedColumn(NetRequests(image), NetResets(image))},
    };
    for (const auto& column : columns) {
        for (int row = kHeaderRows; row < kRows; ++row) {
            grid_->SetCell(column.col, row, QString());
        }
        for (std::size_t i = 0; i < column.texts.size(); ++i) {
            grid_->SetCell(column.col, static_cast<int>(i) + kHeaderRows, Utf8(column.texts[i]));
        }
    }
}

int ExternalNetPage::GetSelectedRequestRow() const
{
    int selected = -1;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
        if (index.row() >= kHeaderRows && (selected < 0 || index.row() < selected)) {
            selected = index.row();
        }
    }
    return selected;
}

int ExternalNetPage::SelectedRequest() const
{
    const int row = GetSelectedRequestRow();
    return row < 0 ? kNoRequest : row - kHeaderRows;
}

void ExternalNetPage::SelectRequest(int index)
{
    if (index == kNoRequest) {
        grid_->clearSelection();
        grid_->setCurrentIndex(QModelIndex());
        return;
    }
    grid_->selectRow(index + kHeaderRows);
}

void ExternalNetPage::SBAddRequestClick()
{
    if (RequestCount() >= static_cast<int>(kMaxEntries)) {
        return;
    }
    const int added = AddRequest(ctx_.doc.image, SelectedRequest());
    GetExternalNet();
    SelectRequest(added);
}

void ExternalNetPage::SBDelRequestClick()
{
    const int selected = SelectedRequest();
    if (selected == kNoRequest) {
        return;
    }
    const int next = DeleteRequest(ctx_.doc.image, selected);
    GetExternalNet();
    SelectRequest(next);
}

void ExternalNetPage::SBUpRequestRowClick() { ShowMove(MoveRequestUp); }

void ExternalNetPage::SBDownRequestRowClick() { ShowMove(MoveRequestDown); }

void ExternalNetPage::ShowMove(int (*move)(ConfigImage&, int))
{
    const int selected = SelectedRequest();
    const int moved = move(ctx_.doc.image, selected);
    if (moved == selected) {
        return;
    }
    // Only the two swapped rows change; the selection follows the moved request.
    ShowRequestRow(selected);
    ShowRequestRow(moved);
    SelectRequest(moved);
    ShowInputNumbers();
    ShowLinkedEntries();
}

void ExternalNetPage::Button28Click()
{
    // Not redrawn: "Get" shows the test request.
    InsertTestRequest(ctx_.doc.image, SelectedRequest());
}

void ExternalNetPage::ASGExternalNetDblClickCell(int /*col*/, int row)
{
    if (row < kHeaderRows || row >= RequestCount() + kHeaderRows || !ctx_.showRequestDialog) {
        return;
    }
    ctx_.showRequestDialog(static_cast<std::size_t>(row - kHeaderRows));
}

} // namespace glt::ui
