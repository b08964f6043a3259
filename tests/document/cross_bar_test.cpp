#include <string>

#include <gtest/gtest.h>

#include "document/codecs/cross_bar.hpp"

namespace glt {
namespace {

struct CodeCase {
    int code;
    AssignKind kind;
    int number;
    std::string_view caption;
};

TEST(CrossBarCodec, KindNumberAndCaptionFromCode)
{
    const CodeCase cases[] = {
        {0, AssignKind::Window, 1, "  Окно сигнализации:"},
        {31, AssignKind::Window, 32, "  Окно сигнализации:"},
        {32, AssignKind::None, 0, "  —"},
        {40, AssignKind::None, 0, "  —"},
        {99, AssignKind::None, 0, "  —"},
        {100, AssignKind::RelayAck, 1, "  Квитирование реле:"},
        {105, AssignKind::RelayAck, 6, "  Квитирование реле:"},
        {111, AssignKind::RelayAck, 12, "  Квитирование реле:"},
        {115, AssignKind::RelayAck, 16, "  Квитирование реле:"},
        {116, AssignKind::RelayReset, 1, "  Сброс реле:"},
        {131, AssignKind::RelayReset, 16, "  Сброс реле:"},
        {132, AssignKind::None, 0, "  —"},
        {200, AssignKind::None, 0, "  —"},
        {255, AssignKind::None, 0, "  —"},
    };
    for (const CodeCase& c : cases) {
        const AssignValue value = AssignFromCode(static_cast<std::uint8_t>(c.code));
        EXPECT_EQ(value.kind, c.kind) << "code " << c.code;
        EXPECT_EQ(value.number, c.number) << "code " << c.code;
        EXPECT_EQ(AssignCaption(value.kind), c.caption) << "code " << c.code;
    }
}

TEST(CrossBarCodec, KindFromCaption)
{
    EXPECT_EQ(KindFromCaption("  Окно сигнализации:"), AssignKind::Window);
    EXPECT_EQ(KindFromCaption("  Квитирование реле:"), AssignKind::RelayAck);
    EXPECT_EQ(KindFromCaption("  Сброс реле:"), AssignKind::RelayReset);
    EXPECT_EQ(KindFromCaption("  —"), AssignKind::None);
    EXPECT_EQ(KindFromCaption("Окно сигнализации:"), AssignKind::Unknown);
    EXPECT_EQ(KindFromCaption(""), AssignKind::Unknown);
    EXPECT_EQ(AssignCaption(AssignKind::Unknown), "  —");
}

TEST(CrossBarCodec, NumberFromText)
{
    EXPECT_EQ(AssignNumberFromText(""), 0);
    EXPECT_EQ(AssignNumberFromText("0"), 0);
    EXPECT_EQ(AssignNumberFromText("07"), 7);
    EXPECT_EQ(AssignNumberFromText("32"), 32);
    EXPECT_EQ(AssignNumberFromText("3a"), -1);
    EXPECT_EQ(AssignNumberFromText("-1"), -1);
    EXPECT_EQ(AssignNumberFromText("99999999999999"), -1);
}

struct CheckCase {
    AssignKind kind;
    int number;
    std::string_view refusal; // empty: passes
    int code;                 // stored when it passes
};

TEST(CrossBarCodec, NumberCheckAndStoredCode)
{
    const std::string_view window = " Окно вне диапазона 1 - 32";
    const std::string_view relay = " Реле вне диапазона 1 - 8";
    const CheckCase cases[] = {
        {AssignKind::Window, 0, window, 0},
        {AssignKind::Window, 1, "", 0},
        {AssignKind::Window, 32, "", 31},
        {AssignKind::Window, 33, window, 0},
        {AssignKind::Window, -1, window, 0},
        {AssignKind::RelayAck, 0, relay, 0},
        {AssignKind::RelayAck, 1, "", 100},
        {AssignKind::RelayAck, 6, "", 105},
        {AssignKind::RelayAck, 8, "", 107},
        {AssignKind::RelayAck, 9, relay, 0},
        {AssignKind::RelayAck, 12, relay, 0},
        {AssignKind::RelayReset, 1, "", 116},
        {AssignKind::RelayReset, 8, "", 123},
        {AssignKind::RelayReset, 9, relay, 0},
        {AssignKind::None, 0, "", 255},
        {AssignKind::None, 99, "", 255},
        {AssignKind::Unknown, 5, "", 255},
    };
    for (const CheckCase& c : cases) {
        const std::string_view refusal = CheckAssignNumber(c.kind, c.number);
        EXPECT_EQ(refusal, c.refusal) << static_cast<int>(c.kind) << " / " << c.number;
        if (c.refusal.empty()) {
            EXPECT_EQ(AssignCodeFor(c.kind, c.number), c.code) << static_cast<int>(c.kind) << " / " << c.number;
        }
    }
}

TEST(CrossBarCodec, ToggleOutputFlipsOneBitOfTheInputsMask)
{
    Document doc;
    ToggleOutput(doc.image, 40, 3);
    EXPECT_EQ(doc.image[167 + 39], 0x04);
    EXPECT_TRUE(OutputActive(doc.image, 40, 3));
    EXPECT_FALSE(OutputActive(doc.image, 40, 2));
    ToggleOutput(doc.image, 40, 8);
    EXPECT_EQ(doc.image[167 + 39], 0x84);
    ToggleOutput(doc.image, 40, 3);
    EXPECT_EQ(doc.image[167 + 39], 0x80);
    ToggleOutput(doc.image, 1, 1);
    ToggleOutput(doc.image, 64, 8);
    EXPECT_EQ(doc.image[167], 0x01);
    EXPECT_EQ(doc.image[230], 0x80);
}

// Codes of inputs 1..64 and masks as the image holds them.
std::array<std::uint8_t, 64> CodesOf(const Document& doc)
{
    std::array<std::uint8_t, 64> codes{};
    std::ranges::copy(AssignCodes(doc.image), codes.begin());
    return codes;
}

TEST(CrossBarCodec, DefaultAndFills)
{
    Document doc;
    doc.image.fill(0xA5);
    DefaultCrossBar(doc);
    const auto codes = CodesOf(doc);
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(codes[k], k < 32 ? k : 255) << "input " << k + 1;
        EXPECT_EQ(doc.image[167 + k], k < 8 ? 1 << k : 0) << "input " << k + 1;
    }
    EXPECT_EQ(doc.image[40], 0xA5) << "byte before InputAssign";
    EXPECT_EQ(doc.image[105], 0xA5) << "InputAssign CRC";
    EXPECT_EQ(doc.image[166], 0xA5) << "byte before CrossBar";
    EXPECT_EQ(doc.image[231], 0xA5) << "CrossBar CRC";

    struct FillCase {
        CrossBarFill fill;
        bool lowWindows;  // inputs 1..32 to windows 1..32, else none
        bool highWindows; // inputs 33..64 to windows 1..32, else none
    };
    const FillCase fills[] = {
        {CrossBarFill::FromInputModules, true, false},
        {CrossBarFill::FromModbus, false, true},
        {CrossBarFill::Empty, false, false},
    };
    for (const FillCase& f : fills) {
        DefaultCrossBar(doc);
        FillCrossBar(doc, f.fill);
        const auto filled = CodesOf(doc);
        for (int k = 0; k < 32; ++k) {
            EXPECT_EQ(filled[k], f.lowWindows ? k : 255) << "fill " << static_cast<int>(f.fill) << " input " << k + 1;
            EXPECT_EQ(filled[k + 32], f.highWindows ? k : 255)
                << "fill " << static_cast<int>(f.fill) << " input " << k + 33;
        }
        for (int k = 0; k < 64; ++k) {
            EXPECT_EQ(doc.image[167 + k], 0) << "fill " << static_cast<int>(f.fill) << " mask " << k;
        }
    }
}

} // namespace
} // namespace glt
