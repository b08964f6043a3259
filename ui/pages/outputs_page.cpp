#include "ui/pages/outputs_page.hpp"

#include <QMenu>
#include <QToolButton>

#include "document/texts.hpp"
#include "ui/error_presenter.hpp"
#include "ui/look.hpp"
#include "ui/pages/page_controls.hpp"
#include "ui/show_popup.hpp"

namespace glt::ui {
namespace {

constexpr int kGridRows = kOutBaseHeaderRows + static_cast<int>(kRelayCount);
constexpr int kRowHeight = 22;

// Grid row of relay r is r + 1.
std::size_t RelayOfRow(int row) { return static_cast<std::size_t>(row - kOutBaseHeaderRows + 1); }
int RowOfRelay(std::size_t relay) { return static_cast<int>(relay) + kOutBaseHeaderRows - 1; }

constexpr std::array<int, 4> kCheckBoxColumns{kColAckPanel, kColAckModbus, kColResetPanel, kColResetModbus};
constexpr std::array<int, 2> kExternalColumns{kColAckExternal, kColResetExternal};

} // namespace

OutputsPage::OutputsPage(PageContext& context, QWidget* parent)
    : QWidget(parent), ctx_(context), ASGOutBase(new StringGrid(kOutBaseColumns, kGridRows, 1, kOutBaseHeaderRows, this)),
      PMFillOutDataBase(new QMenu(this)), SBFillOutDataBase(nullptr)
{
    setFont(WindowFont());
    ASGOutBase->setObjectName(QStringLiteral("ASGOutBase"));
    ASGOutBase->setAccessibleName(QStringLiteral("Выходы"));
    ASGOutBase->setFont(GridFont());
    ASGOutBase->SetColumnWidths({40, 165, 50, 50, 50, 55, 55, 55});
    ASGOutBase->SetRowHeights(kRowHeight);
    ASGOutBase->SetMaxEditLength(2);
    ASGOutBase->setGeometry(20, 10, 524, 224);

    GridHooks hooks;
    hooks.getEditorType = [this](int col, int row) { return ASGOutBaseGetEditorType(col, row); };
    hooks.canEditCell = [this](int col, int row) { return ASGOutBaseCanEditCell(col, row); };
    hooks.comboChange = [this](int col, int row, int position, const QString&) { ASGOutBaseComboChange(col, row, position); };
    hooks.checkBoxClick = [this](int col, int row, bool checked) { ASGOutBaseCheckBoxClick(col, row, checked); };
    hooks.cellValidate = [this](int col, int row, const QString& text) { ASGOutBaseCellValidate(col, row, text); };
    ASGOutBase->SetHooks(std::move(hooks));

    PMFillOutDataBase->setObjectName(QStringLiteral("PMFillOutDataBase"));
    const std::array<const char*, 4> itemNames{"N18", "N22", "N31", "N41"};
    for (int tag = 0; tag < 4; ++tag) {
        AddFillItem(PMFillOutDataBase, QString::fromLatin1(itemNames[static_cast<std::size_t>(tag)]),
            Utf8(FillCaptionFromTag(tag)), tag, [this, tag] { N18Click(tag); });
    }
    SBFillOutDataBase = MakeFillButton(this, QStringLiteral("SBFillOutDataBase"), PMFillOutDataBase, 21, 250);
    SBFillOutDataBase->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SBFillOutDataBase, &QToolButton::customContextMenuRequested, this,
        [this] { Guarded(this, [&] { SBShowPopup(SBFillOutDataBase); }); });

    MakeHiddenButton(this, QStringLiteral("Button8"), QStringLiteral("Get"), [this] { Refresh(); });
    MakeHiddenButton(this, QStringLiteral("Button10"), QStringLiteral("Default"), [this] { Default(); });
}

void OutputsPage::Setup()
{
    StringGrid& grid = *ASGOutBase;
    for (std::size_t relay = 1; relay <= kRelayCount; ++relay) {
        const int row = RowOfRelay(relay);
        grid.SetCell(kColRelay, row, QString::number(relay));
        grid.SetAlignment(kColRelay, row, Qt::AlignCenter);
        grid.SetAlignment(kColType, row, Qt::AlignLeft | Qt::AlignVCenter);
        for (const int col : kCheckBoxColumns) {
            grid.AddCheckBox(col, row, false);
        }
        for (const int col : kExternalColumns) {
            grid.SetAlignment(col, row, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (int row = 0; row < kOutBaseHeaderRows; ++row) {
        for (int col = 0; col < kOutBaseColumns; ++col) {
            grid.SetAlignment(col, row, Qt::AlignCenter);
        }
    }
    grid.Merge(kColAckPanel, 0, 3, 1);
    grid.Merge(kColResetPanel, 0, 3, 1);
    grid.Merge(kColRelay, 0, 1, 2);
    grid.Merge(kColType, 0, 1, 2);
    grid.SetCell(kColType, 0, QStringLiteral("Тип выхода"));
    grid.SetCell(kColAckPanel, 0, QStringLiteral("  Квитирование"));
    grid.SetCell(kColResetPanel, 0, QStringLiteral("Сброс"));
    for (const int first : {kColAckPanel, kColResetPanel}) {
        grid.SetCell(first, 1, QStringLiteral("Панель"));
        grid.SetCell(first + 1, 1, QStringLiteral("ModBus"));
        grid.SetCell(first + 2, 1, QStringLiteral("Внешн."));
    }
    QStringList items;
    for (const std::string_view caption : OutputTypeListItems()) {
        items << Utf8(caption);
    }
    grid.SetComboItems(items);
}

void OutputsPage::Default()
{
    DefaultOutDataBase(ctx_.doc);
    Refresh();
}

void OutputsPage::ShowRowType(int row, OutputType type)
{
    const RelayRowRules rules = RowRulesFor(type);
    ASGOutBase->SetFontColour(kColAckExternal, row, BgrColor(rules.ackGreyed ? kClSilver : kClBlack));
    ASGOutBase->SetFontColour(kColResetExternal, row, BgrColor(rules.resetGreyed ? kClSilver : kClBlack));
    for (int col = kColAckPanel; col <= kColResetExternal; ++col) {
        ASGOutBase->RepaintCell(col, row);
    }
}

void OutputsPage::Refresh()
{
    StringGrid& grid = *ASGOutBase;
    grid.setUpdatesEnabled(false);
    const ConfigImage& image = ctx_.doc.image;
    for (std::size_t relay = 1; relay <= kRelayCount; ++relay) {
        const int row = RowOfRelay(relay);
        const std::uint8_t settings = RelaySettings(image, relay);
        for (const int col : kCheckBoxColumns) {
            grid.SetChecked(col, row, ((settings >> *CheckBoxBit(col)) & 1U) != 0);
        }
        const OutputType type = RelayType(image, relay);
        grid.SetCell(kColType, row, Utf8(OutputTypeCaption(type)));
        for (const int col : kExternalColumns) {
            grid.SetCell(col, row, QString::fromStdString(ExternalInputText(ExternalInput(image, relay, col))));
            // The cell shows the stored value again, so a refusal mark no longer applies.
            grid.SetCellColour(col, row, grid.CellColour(kColAckPanel, row));
        }
        ShowRowType(row, type);
    }
    grid.setUpdatesEnabled(true);
}

void OutputsPage::ShowRelayInputs()
{
    const RelayInputs inputs = RelayInputsFromAssignments(ctx_.doc.image);
    for (std::size_t relay = 1; relay <= kRelayCount; ++relay) {
        const int row = RowOfRelay(relay);
        const auto& ack = inputs.ack[relay - 1];
        const auto& reset = inputs.reset[relay - 1];
        ASGOutBase->SetCell(kColAckExternal, row, ack ? QString::number(*ack) : QString());
        ASGOutBase->SetCell(kColResetExternal, row, reset ? QString::number(*reset) : QString());
    }
}

GridEditor OutputsPage::ASGOutBaseGetEditorType(int col, int /*row*/) const
{
    return col == kColType ? GridEditor::ComboList : GridEditor::Digits;
}

bool OutputsPage::ASGOutBaseCanEditCell(int col, int row) const
{
    if (row < kOutBaseHeaderRows) {
        return false;
    }
    return CanEditOutBaseCell(RelayType(ctx_.doc.image, RelayOfRow(row)), col);
}

void OutputsPage::ASGOutBaseComboChange(int col, int row, int position)
{
    if (col != kColType) {
        return;
    }
    const OutputType type = OutputTypeAtListPosition(position);
    SetRelayType(ctx_.doc.image, RelayOfRow(row), type);
    ShowRowType(row, type);
}

void OutputsPage::ASGOutBaseCheckBoxClick(int col, int row, bool checked)
{
    SetRelayCheckBox(ctx_.doc.image, RelayOfRow(row), col, checked);
}

void OutputsPage::ASGOutBaseCellValidate(int col, int row, const QString& text)
{
    if (col != kColAckExternal && col != kColResetExternal) {
        return;
    }
    const std::optional<std::uint8_t> value = ParseExternalInput(text.toStdString());
    if (!value) {
        ASGOutBase->SetCellColour(col, row, BgrColor(kClYellow));
        ctx_.shell.SetStatusText(kInputOutOfRange);
        return;
    }
    ASGOutBase->SetCellColour(col, row, ASGOutBase->CellColour(kColAckPanel, row));
    ctx_.shell.SetStatusText(kStatusVersion);
    SetExternalInput(ctx_.doc.image, RelayOfRow(row), col, *value);
}

void OutputsPage::N18Click(int tag)
{
    FillOutDataBase(ctx_.doc.image, tag);
    Refresh();
}

} // namespace glt::ui
