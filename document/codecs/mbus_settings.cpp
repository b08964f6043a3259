#include "document/codecs/mbus_settings.hpp"

namespace glt {

std::optional<std::size_t> FindBaudRate(std::uint8_t rateCode)
{
    for (std::size_t row = 0; row < BaudRateTable.size(); ++row) {
        if (BaudRateTable[row].rateCode == rateCode) {
            return row;
        }
    }
    return std::nullopt;
}

std::uint8_t EncodeLineFormat(bool twoStopBits, LineParity parity)
{
    std::uint8_t code = twoStopBits ? mbus::kTwoStopBits : 0;
    if (parity == LineParity::Even) {
        code |= mbus::kEvenParity;
    } else if (parity == LineParity::Odd) {
        code |= mbus::kOddParity;
    }
    return code;
}

LineFormat DecodeLineFormat(std::uint8_t code)
{
    LineFormat format;
    format.twoStopBits = (code & mbus::kTwoStopBits) != 0;
    switch (code & mbus::kParityMask) {
    case 0x00: format.parity = LineParity::None; break;
    case mbus::kEvenParity: format.parity = LineParity::Even; break;
    case mbus::kOddParity: format.parity = LineParity::Odd; break;
    default: break;
    }
    return format;
}

void StoreMBusSettings(Document& doc, const MBusValues& values)
{
    auto data = BlockData(doc.image, BlockId::MBusSettings);
    const BaudRateRow& rate = BaudRateTable.at(values.baudRow);
    data[mbus::kNetAddress] = values.netAddress;
    data[mbus::kRateCode] = rate.rateCode;
    data[mbus::kLineFormat] = values.lineFormat;
    data[mbus::kRateParamA] = rate.rateParamA;
    data[mbus::kRateParamB] = rate.rateParamB;
}

void DefaultMBSettings(Document& doc)
{
    StoreMBusSettings(doc, MBusValues{});
    auto data = BlockData(doc.image, BlockId::MBusSettings);
    for (std::size_t k = mbus::kReservedFrom; k < data.size(); ++k) {
        data[k] = 0;
    }
}

std::string_view ParityCaption(LineParity parity)
{
    switch (parity) {
    case LineParity::Even: return "Четный";
    case LineParity::Odd: return "Нечетный";
    case LineParity::None: break;
    }
    return "Отсутствует";
}

} // namespace glt
