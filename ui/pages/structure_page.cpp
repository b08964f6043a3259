#include "ui/pages/structure_page.hpp"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "document/texts.hpp"
#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/pages/page_controls.hpp"
#include "ui/pages/page_grid_delegate.hpp"
#include "ui/qt_text.hpp"

namespace glt::ui {

namespace {

constexpr int kColumns = 12;
constexpr int kRows = 1 + kCrossBarInputs;
constexpr std::uint32_t kActiveOutput = 0x000080FF;

std::string ToStd(const QString& text) { return text.toStdString(); }

} // namespace

StructurePage::StructurePage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context)
{

    grid_ = new StringGrid(kColumns, kRows, 2, 1, this);
    grid_->setObjectName(QStringLiteral("ASGCrossBar"));
    grid_->setAccessibleName(QStringLiteral("Структура"));
    grid_->setGeometry(20, 10, 524, 378);
    grid_->setFont(GridFont());
    grid_->SetScrollBars(Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn);
    grid_->SetColumnWidths({25, 25, 24, 24, 24, 24, 24, 24, 25, 24, 175, 55});
    grid_->SetRowHeights(20);
    grid_->SetMaxEditLength(2);
    PageGridDelegate::Install(*grid_);
    GridHooks hooks;
    hooks.getEditorType = [this](int col, int row) { return ASGCrossBarGetEditorType(col, row); };
    hooks.canEditCell = [this](int col, int row) { return ASGCrossBarCanEditCell(row, col); };
    hooks.clickCell = [this](int col, int row) { ASGCrossBarClickCell(row, col); };
    hooks.comboChange = [this](int col, int row, int position, const QString& text) {
        ASGCrossBarComboChange(col, row, position, text);
    };
    hooks.cellValidate = [this](int col, int row, const QString& text) { ASGCrossBarCellValidate(col, row, text); };
    grid_->SetHooks(std::move(hooks));

    auto* fillMenu = new QMenu(this);
    fillMenu->setObjectName(QStringLiteral("PMFillCrossBar"));
    const struct {
        const char* name;
        QString text;
        void (StructurePage::*handler)();
    } items[] = {
        {"N71", QStringLiteral("С модулей ДИК-7"), &StructurePage::N71Click},
        {"ModBus2", QStringLiteral("С ModBus"), &StructurePage::ModBus2Click},
        {"N19", QStringLiteral("Пусто"), &StructurePage::N19Click},
    };
    for (const auto& item : items) {
        QAction* action = fillMenu->addAction(item.text);
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this, [this, handler = item.handler] {
            Guarded(this, [this, handler] { (this->*handler)(); });
        });
    }

    fillButton_ = MakeFillButton(this, QStringLiteral("SBFillCrossBar"), fillMenu, 555, 10);
    fillButton_->setAccessibleName(QStringLiteral("Заполнить структуру"));

    // Never shown; they redraw and default the page by hand.
    MakeHiddenButton(this, QStringLiteral("Button14"), QStringLiteral("Get"), [this] { GetCrossBar(); })
        ->setGeometry(555, 300, 40, 25);
    MakeHiddenButton(this, QStringLiteral("Button15"), QStringLiteral("Default"), [this] { DefaultCrossBar(); })
        ->setGeometry(555, 330, 40, 25);
}

void StructurePage::Setup() { InitCrossBarGrid(); }
void StructurePage::Default() { DefaultCrossBar(); }
void StructurePage::Refresh() { GetCrossBar(); }

void StructurePage::InitCrossBarGrid()
{
    for (int k = 1; k <= kCrossBarInputs; ++k) {
        grid_->SetCell(kInputColumn, k, QString::number(k));
        grid_->SetAlignment(kInputColumn, k, Qt::AlignCenter);
        grid_->SetAlignment(kNumberColumn, k, Qt::AlignRight | Qt::AlignVCenter);
        for (int j = 1; j <= kCrossBarOutputs; ++j) {
            grid_->SetCell(j + 1, k, QString::number(j));
            grid_->SetAlignment(j + 1, k, Qt::AlignCenter);
        }
    }
    grid_->Merge(0, 1, 1, kModuleInputs);
    grid_->Merge(0, 1 + kModuleInputs, 1, kCrossBarInputs - kModuleInputs);
    grid_->item(1, 0)->setData(kTurnedCaptionRole, QStringLiteral("Д  и  с  к  р  е  т  н  ы  е    в  х  о  д  ы"));
    grid_->item(1 + kModuleInputs, 0)->setData(kTurnedCaptionRole, QStringLiteral("В  х  о  д  ы    M  o  d  B  u  s"));

    grid_->Merge(0, 0, 2, 1);
    grid_->Merge(kFirstOutputColumn, 0, kCrossBarOutputs, 1);
    const struct {
        int col;
        QString text;
    } headers[] = {
        {0, QStringLiteral("Вход")},
        {kFirstOutputColumn, QStringLiteral("Активация выходов")},
        {kKindColumn, QStringLiteral("Назначение")},
        {kNumberColumn, QStringLiteral("№")},
    };
    for (const auto& header : headers) {
        grid_->SetCell(header.col, 0, header.text);
        grid_->SetAlignment(header.col, 0, Qt::AlignCenter);
    }

    QStringList choices;
    for (std::string_view choice : kAssignChoices) {
        choices << Utf8(choice);
    }
    grid_->SetComboItems(choices);
}

void StructurePage::GetCrossBar()
{
    for (int i = 0; i < kCrossBarInputs; ++i) {
        ShowCrossBarRow(i);
        ShowAssignRow(i);
    }
    ctx_.shell.SetStatusText(kStatusVersion);
}

void StructurePage::DefaultCrossBar()
{
    glt::DefaultCrossBar(ctx_.doc);
    GetCrossBar();
}

QColor StructurePage::NormalBackground(int row) const { return grid_->CellColour(kKindColumn, row); }

void StructurePage::PaintOutputCell(int col, int row, bool active)
{
    grid_->SetCellColour(col, row, active ? BgrColor(kActiveOutput) : NormalBackground(row));
    grid_->SetFontColour(col, row, BgrColor(active ? kClWhite : kClBlack));
}

void StructurePage::ShowCrossBarRow(int i)
{
    for (int output = 1; output <= kCrossBarOutputs; ++output) {
        PaintOutputCell(output + 1, i + 1, OutputActive(ctx_.doc.image, i + 1, output));
    }
}

void StructurePage::ShowAssignRow(int i)
{
    const int row = i + 1;
    const AssignValue value = AssignFromCode(AssignCodes(ctx_.doc.image)[static_cast<std::size_t>(i)]);
    grid_->SetCell(kKindColumn, row, Utf8(AssignCaption(value.kind)));
    grid_->SetCellColour(kNumberColumn, row, NormalBackground(row));
    grid_->SetFontColour(kNumberColumn, row, BgrColor(kClBlack));
    grid_->SetCell(kNumberColumn, row, value.kind == AssignKind::None ? QString() : QString::number(value.number));
}

bool StructurePage::CheckAssignNumber(int row, AssignKind kind)
{
    const int number = AssignNumberFromText(ToStd(grid_->Cell(kNumberColumn, row)));
    const std::string_view refusal = glt::CheckAssignNumber(kind, number);
    if (!refusal.empty()) {
        grid_->SetCellColour(kNumberColumn, row, BgrColor(kClYellow));
        ctx_.shell.SetStatusText(refusal);
        return false;
    }
    grid_->SetCellColour(kNumberColumn, row, NormalBackground(row));
    ctx_.shell.SetStatusText(kStatusVersion);
    return true;
}

void StructurePage::StoreAssignCode(int row, AssignKind kind)
{
    const int number = AssignNumberFromText(ToStd(grid_->Cell(kNumberColumn, row)));
    AssignCodes(ctx_.doc.image)[static_cast<std::size_t>(row - 1)] = AssignCodeFor(kind, number);
}

void StructurePage::Fill(CrossBarFill fill)
{
    FillCrossBar(ctx_.doc, fill);
    GetCrossBar();
    if (fill == CrossBarFill::Empty) {
        // Ready numbers: choosing a window in row k then assigns window k at once.
        for (int row = 1; row <= kModuleInputs; ++row) {
            grid_->SetCell(kNumberColumn, row, QString::number(row));
            grid_->SetFontColour(kNumberColumn, row, BgrColor(kClSilver));
        }
    }
    if (ctx_.showRelayInputs) {
        ctx_.showRelayInputs();
    }
}

void StructurePage::N71Click() { Fill(CrossBarFill::FromInputModules); }
void StructurePage::ModBus2Click() { Fill(CrossBarFill::FromModbus); }
void StructurePage::N19Click() { Fill(CrossBarFill::Empty); }

GridEditor StructurePage::ASGCrossBarGetEditorType(int col, int /*row*/) const
{
    return col == kKindColumn ? GridEditor::ComboList : GridEditor::Digits;
}

bool StructurePage::ASGCrossBarCanEditCell(int row, int col) const
{
    if (col >= kFirstOutputColumn && col < kFirstOutputColumn + kCrossBarOutputs) {
        return false; // they change by a click
    }
    if (col == kNumberColumn) {
        return grid_->Cell(kKindColumn, row) != Utf8(AssignCaption(AssignKind::None));
    }
    return true;
}

void StructurePage::ASGCrossBarClickCell(int row, int col)
{
    if (row < 1 || row > kCrossBarInputs || col < kFirstOutputColumn || col >= kFirstOutputColumn + kCrossBarOutputs) {
        return;
    }
    const int output = col - kFirstOutputColumn + 1;
    ToggleOutput(ctx_.doc.image, row, output);
    PaintOutputCell(col, row, OutputActive(ctx_.doc.image, row, output));
}

void StructurePage::ASGCrossBarComboChange(int /*col*/, int row, int /*position*/, const QString& text)
{
    const AssignKind kind = KindFromCaption(ToStd(text));
    if (kind == AssignKind::None) {
        AssignCodes(ctx_.doc.image)[static_cast<std::size_t>(row - 1)] = kAssignNone;
        grid_->SetFontColour(kNumberColumn, row, BgrColor(kClSilver));
    } else {
        grid_->SetFontColour(kNumberColumn, row, BgrColor(kClBlack));
    }
    if (CheckAssignNumber(row, kind)) {
        StoreAssignCode(row, kind);
    }
}

void StructurePage::ASGCrossBarCellValidate(int /*col*/, int row, const QString& /*text*/)
{
    const AssignKind kind = KindFromCaption(ToStd(grid_->Cell(kKindColumn, row)));
    if (CheckAssignNumber(row, kind)) {
        StoreAssignCode(row, kind);
    }
    // The grid keeps every entry: a refused number stays in its yellow cell.
}

} // namespace glt::ui
