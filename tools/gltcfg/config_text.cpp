#include "config_text.hpp"

#include <sstream>

#include "config_fields.hpp"
#include "document/codecs/cross_bar.hpp"
#include "document/codecs/dev_config.hpp"
#include "document/codecs/disp_settings.hpp"
#include "document/codecs/external_net.hpp"
#include "document/codecs/input_type.hpp"
#include "document/codecs/mbus_settings.hpp"
#include "document/codecs/out_data_base.hpp"

namespace glt::cli {
namespace {

std::string_view YesNo(bool on) { return on ? "да" : "нет"; }

void DevConfigText(std::ostream& out, const Document& doc)
{
    const auto data = BlockData(doc.image, BlockId::DevConfig);
    out << "Конфигурация\n";
    if (const auto row = FindModel(doc)) {
        const ModelRow& m = ModelTable[*row];
        out << "  Модель: " << m.model << "  (" << m.composition << ", " << m.windowCaption << ")\n";
    } else {
        out << "  Модель: нет в списке моделей (модулей ДИК-7: " << int(data[devcfg::kInputModules])
            << ", модулей ЛУТ-54: " << int(data[devcfg::kRelayModules])
            << ", окон: " << int(data[devcfg::kWindowCount]) << ", WideDisplay: " << doc.state.WideDisplay << ")\n";
    }
    out << "  Зафиксировать конфигурацию: " << YesNo(TestOption(doc, devcfg::kFixConfigBit)) << '\n';
    const int timeout = data[devcfg::kLinkTimeout];
    out << "  Контроль линии связи: " << YesNo(timeout != 0);
    if (timeout != 0) {
        out << ", Таймаут " << timeout << " с";
    }
    out << '\n';
    out << "  Режим Modbus Master  < Beta >: " << YesNo(TestOption(doc, devcfg::kModbusMasterBit)) << '\n';
}

void MBusText(std::ostream& out, const Document& doc)
{
    const auto data = BlockData(doc.image, BlockId::MBusSettings);
    out << "ModBus\n";
    out << "  Сетевой адрес: " << int(data[mbus::kNetAddress]) << '\n';
    out << "  Скорость: ";
    if (const auto row = FindBaudRate(data[mbus::kRateCode])) {
        out << BaudRateTable[*row].text << '\n';
    } else {
        out << "код " << int(data[mbus::kRateCode]) << " (нет в списке)\n";
    }
    const LineFormat format = DecodeLineFormat(data[mbus::kLineFormat]);
    out << "  Стоп-биты: " << (format.twoStopBits ? "Два" : "Один") << '\n';
    const std::string parity = ParityCaption(data[mbus::kLineFormat]);
    out << "  Паритет: " << (parity.empty() ? "не определен" : parity) << '\n';
}

void InputTypeText(std::ostream& out, const Document& doc)
{
    out << "Входы";
    for (unsigned tag = 0; tag < kInputCount; ++tag) {
        if (tag % 8 == 0) {
            out << "\n ";
        }
        out << ' ' << tag + 1 << ':' << Trimmed(ContactCaption(InputContact(doc.image, tag)));
    }
    out << '\n';
}

void OutDataBaseText(std::ostream& out, const Document& doc)
{
    out << "Выходы\n";
    for (std::size_t relay = 1; relay <= kRelayCount; ++relay) {
        const std::uint8_t settings = RelaySettings(doc.image, relay);
        auto sources = [&](unsigned panelBit, unsigned modbusBit, int column) {
            std::string text;
            auto add = [&text](std::string_view part) { text += (text.empty() ? "" : ", ") + std::string(part); };
            if ((settings >> panelBit) & 1U) {
                add("Панель");
            }
            if ((settings >> modbusBit) & 1U) {
                add("ModBus");
            }
            const std::string input = ExternalInputText(ExternalInput(doc.image, relay, column));
            if (!input.empty()) {
                add("вход " + input);
            }
            return text.empty() ? std::string("—") : text;
        };
        out << "  Реле " << relay << ": " << Trimmed(OutputTypeCaption(RelayType(doc.image, relay)))
            << "; Квитирование: " << sources(kAckPanelBit, kAckModbusBit, kColAckExternal)
            << "; Сброс: " << sources(kResetPanelBit, kResetModbusBit, kColResetExternal) << '\n';
    }
}

void StructureText(std::ostream& out, const Document& doc)
{
    out << "Структура\n";
    const auto codes = AssignCodes(doc.image);
    for (int input = 1; input <= kCrossBarInputs; ++input) {
        const AssignValue value = AssignFromCode(codes[static_cast<std::size_t>(input - 1)]);
        out << "  Вход " << input << ": " << Trimmed(AssignCaption(value.kind));
        if (value.kind != AssignKind::None) {
            out << ' ' << value.number;
        }
        out << "; Активация выходов:";
        bool any = false;
        for (int output = 1; output <= kCrossBarOutputs; ++output) {
            if (OutputActive(doc.image, input, output)) {
                out << ' ' << output;
                any = true;
            }
        }
        out << (any ? "\n" : " —\n");
    }
}

void DispText(std::ostream& out, const Document& doc)
{
    out << "Сигнализация\n";
    for (std::size_t w = 0; w < kWindowCount; ++w) {
        out << "  Окно " << w + 1 << ": " << ClassCaption(WindowClass(doc.image, w)) << '\n';
    }
}

void LinkedListText(std::ostream& out, std::string_view title, ConstEntryList16 list)
{
    out << "  " << title << ": " << EntryCount(list) << '\n';
    for (std::size_t i = 0; i < EntryCount(list); ++i) {
        const LinkedEntry e = LinkedAt(list, i);
        out << "    Устройство " << int(e.device) << ": " << LinkedText(e) << '\n';
    }
}

void ExternalNetText(std::ostream& out, const Document& doc)
{
    out << "Внешняя сеть\n";
    const ConstEntryList16 requests = NetRequests(doc.image);
    const std::vector<std::string> inputs = InputNumberTexts(doc.image);
    out << "  Запросы: " << EntryCount(requests) << '\n';
    for (std::size_t i = 0; i < EntryCount(requests); ++i) {
        const NetRequest r = RequestAt(requests, i);
        out << "    Устройство " << int(r.device) << ", Функция ModBus " << Trimmed(FunctionText(r.function))
            << ", Адрес " << Hex4(r.start) << ", Кол-во " << int(r.count);
        if (i < inputs.size()) {
            out << ", № Входа " << inputs[i];
        }
        out << '\n';
    }
    LinkedListText(out, "Квитирование", NetReceipts(doc.image));
    LinkedListText(out, "Сброс", NetResets(doc.image));
}

} // namespace

std::string ConfigText(const Document& doc)
{
    std::ostringstream out;
    DevConfigText(out, doc);
    MBusText(out, doc);
    InputTypeText(out, doc);
    OutDataBaseText(out, doc);
    StructureText(out, doc);
    DispText(out, doc);
    ExternalNetText(out, doc);
    return out.str();
}

} // namespace glt::cli
